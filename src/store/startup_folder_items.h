#pragma once
// The items of the Startup folders as startup entries: the name an item goes by, the command it
// starts, and the records with which Windows' own startup settings switch an item off.

#include <string>
#include <string_view>
#include <vector>

#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "store/startup_approved.h"
#include "store/startup_entry.h"

namespace quorvel {

// The name the item goes by, as Windows shows it: a shortcut's file name without ".lnk" (in any letter
// case); any other file keeps its extension.
std::string ItemEntryName(std::string_view file_name);
// Whether Windows takes the file for a shortcut: its name ends in ".lnk", in any letter case.
bool IsShortcutFileName(std::string_view file_name);

// Whether a name from outside (a saved list, the command line) names one file directly in a folder and
// nothing else: no path, no stream, no control character.
bool IsItemFileName(std::string_view file_name);

// The Startup folder an item of `folder` belongs to, and the folder Quorvel keeps it in while it is
// disabled; both are the same family, the user's or all users'.
StartupFolder StartupFolderOf(StartupFolder folder);
StartupFolder DisabledFolderOf(StartupFolder folder);
// Whether a change there needs an administrator.
bool IsAllUsers(StartupFolder folder);
// The root of the entries of the folder's family: kUserStartupFolder or kAllUsersStartupFolder.
RootKey RootOfFolder(StartupFolder folder);
// Where the item of an entry under a folder's root stands in that state: in the Startup folder while
// enabled, in Quorvel's folder beside it while disabled or banned.
StartupFolder FolderOfEntry(RootKey root, std::int16_t state);

// The entry of an item found in the folder: enabled in a Startup folder, disabled in Quorvel's.
StartupEntry ItemEntry(const FolderItem& item, StartupFolder folder, std::string folder_path);

// The command line an item starts: a shortcut's target (quoted where it holds a blank) and its
// arguments, or the path of any other file.
std::string ItemCommand(const FolderItem& item);
// A shortcut's target and arguments back from ItemCommand's line.
struct ShortcutParts {
    std::string target;
    std::string arguments;
    bool operator==(const ShortcutParts&) const = default;
};
ShortcutParts SplitItemCommand(std::string_view command);

// Where the records for a folder's items stand: in the root that owns the folder, named by the item's
// file name, for the item whether it is in the Startup folder or in Quorvel's folder beside it.
ApprovalKey ApprovalKeyOfFolder(StartupFolder folder);
// The file names, as the records spell them, of the items of the folder's family that a record
// switches off; the caller matches them to items by its rule for the same name.
std::vector<std::string> ItemsSwitchedOff(Registre& registry, StartupFolder folder);
// Switches the item on in Windows' startup settings. False, with the registry's reason, when refused.
bool SwitchItemOn(Registre& registry, StartupFolder folder, std::string_view file_name);

}  // namespace quorvel
