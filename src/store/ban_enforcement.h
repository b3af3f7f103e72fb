#pragma once
// Carries out the bans: every name that stands in a Ban- key is deleted from the Run and Run- keys
// of both roots. The Ban- values themselves are never touched.

#include <string>
#include <vector>

#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

struct RefusedDeletion {
    StartupEntry entry;
    std::string reason;  // the system's words
};

struct BanPass {
    std::vector<StartupEntry> deleted;     // the values the pass deleted
    std::vector<RefusedDeletion> refused;  // those the system kept; they stay until a later pass
};

// Deletes, for each banned entry of the table, every enabled or disabled entry of the same name as the
// registry compares names (whatever its letter case: Windows starts "EVIL" when "Evil" is banned),
// under the entry's own root. The table must be fresh from the registry: enforcing a loaded list would
// delete live values it merely names.
BanPass EnforceBans(Registre& registry, const EntryTable& entries);

// The enabled and disabled entries of the table that bear a banned name: what a pass would delete.
std::vector<StartupEntry> BannedValues(const Registre& registry, const EntryTable& entries);

}  // namespace quorvel
