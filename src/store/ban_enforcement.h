#pragma once
// Carries out the bans: every name that stands in a Ban- key is deleted from the Run and Run- keys
// of both roots, and an item of that name from both Startup folders: one list of bans for both. The
// Ban- values themselves are never touched, nor the items in Quorvel's folders of disabled items, which
// nothing starts (a banned item's own file is kept there).

#include <string>
#include <vector>

#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "store/startup_entry.h"

namespace quorvel {

struct RefusedDeletion {
    StartupEntry entry;
    std::string reason;  // the system's words
};

struct BanPass {
    std::vector<StartupEntry> deleted;     // the values and items the pass deleted
    std::vector<RefusedDeletion> refused;  // those the system kept; they stay until a later pass
};

// Deletes, for each banned entry of the table, every enabled or disabled value of the same name as the
// registry compares names (whatever its letter case: Windows starts "EVIL" when "Evil" is banned),
// and every item of that name in a Startup folder, for good: it came back. The table must be fresh
// from the registry and the folders: enforcing a loaded list would delete live values it merely names.
BanPass EnforceBans(Registre& registry, StartupFolders& folders, const EntryTable& entries);

// The values and Startup folder items of the table that bear a banned name: what a pass would delete.
std::vector<StartupEntry> BannedValues(const Registre& registry, const EntryTable& entries);

}  // namespace quorvel
