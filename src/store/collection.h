#pragma once
// Rebuilds the entry table from the startup keys, the Startup folders and Windows' startup settings.
// Nothing is cached: every pass reads all again.

#include <string>
#include <vector>

#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "store/startup_entry.h"

namespace quorvel {

// Fills the table from the keys in their order, each key in the registry's enumeration order.
// A key that cannot be read contributes nothing; a value that is not text gets an empty command.
void CollectEntries(Registre& registry, EntryTable& entries);

// A folder whose items could not be listed, and why.
struct UnreadFolder {
    StartupFolder folder;
    std::string reason;
};

// The keys as above, then the items of the Startup folders and of Quorvel's folders beside them. An
// item in Quorvel's folder whose name stands in the Ban- key of its family's root is banned, and that
// value belongs to it: it is not listed a second time as a ban of its own. A folder that cannot be
// read contributes nothing and is returned, so that the caller can say so.
std::vector<UnreadFolder> CollectEntries(Registre& registry, StartupFolders& folders, EntryTable& entries);

}  // namespace quorvel
