#pragma once
// Builds the entry table from the startup keys, the Startup folders and Windows' startup settings: all
// of them, or again only the keys and folders that changed, in place of what they held before.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/key_watch.h"
#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "store/startup_entry.h"

namespace quorvel {

// The places the table is read from, in its order: the keys of kEntrySources, then the folders (all
// users' before the user's, each Startup folder before Quorvel's folder beside it).
inline constexpr std::size_t kSourceCount = kEntrySources.size() + kStartupFolders.size();
static_assert(kSourceCount <= SourceSet().size());
inline constexpr std::array<StartupFolder, 4> kFolderOrder{
    StartupFolder::kAllUsers, StartupFolder::kAllUsersDisabled, StartupFolder::kUser,
    StartupFolder::kUserDisabled};
// Every place: what a reading that cannot tell what changed reads.
inline SourceSet AllSources() { return SourceSet().set(); }
// The place of a startup key, or of a folder.
std::size_t SourceOfKey(RootKey root, std::string_view path);
std::size_t SourceOfFolder(StartupFolder folder);
// The places of a root's three keys; for a Startup folder's root, its two folders and its owner's Ban- key.
SourceSet SourcesOfRoot(RootKey root);
// The places read again with `changed`: a Ban- key and Quorvel's folder of disabled items of its root
// decide together which of them lists a ban, so one of them takes the other with it.
SourceSet WithDependents(SourceSet changed);
// The place an entry of a collected table was read from; kSourceCount for one of a loaded list's
// that no place holds.
std::size_t SourceOf(const StartupEntry& entry);
// The places these entries were read from; every place where one of them comes from a loaded list.
SourceSet SourcesOf(std::span<const StartupEntry> entries);
// A collected table keeps each place's entries together, in the places' order: those of one place.
std::span<const StartupEntry> EntriesOf(const EntryTable& entries, std::size_t source);

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

// The same for a table collected before, reading again only the places in `changed` (and those whose
// entries depend on them: a Ban- key and Quorvel's folder of its root) and putting what they hold in
// place of their old entries. Where nothing else changed, the table is the one a full collection gives.
std::vector<UnreadFolder> CollectSources(Registre& registry, StartupFolders& folders, EntryTable& entries,
                                         SourceSet changed);

}  // namespace quorvel
