#pragma once
// What the user reads about the Startup folders and Quorvel's folders of disabled items.

#include <string>
#include <string_view>

namespace quorvel::words {

// Quorvel's folder for the disabled items of all users is missing or must be made afresh, and only an
// administrator can make it so that no other user can change it.
std::string FolderNeedsAdministrator(std::string_view folder);
// That folder exists, but users other than administrators can change it (or it leads elsewhere), and it
// holds files that any of them could have put there.
std::string FolderNotTrusted(std::string_view folder);
// The Recycle Bin could not take an item, and Quorvel will not delete it for good in its stead.
std::string CouldNotRecycle(std::string_view reason);
inline constexpr std::string_view kNoRecycleBin = "The Recycle Bin of its drive does not take it.";

// A move's target folder already holds an item of that file name, as the file system compares names.
// `source` is the folder the item comes from.
std::string ReplaceItem(std::string_view target_folder, std::string_view file_name, std::string_view existing,
                        std::string_view source, std::string_view command);
// The item an action was to act on is no longer where the list showed it.
inline constexpr std::string_view kItemGone =
    "The item is no longer there: another program changed the folder after Quorvel read it. The list now "
    "shows the folders as they are.";
// Enabled, the item would meet a ban on its name that stands elsewhere, which deletes it for good.
std::string BannedElsewhere(std::string_view name, std::string_view key);
// A saved list names a file that is no shortcut by its path only; a shortcut without a target is no better.
std::string ItemNotRebuilt(std::string_view file_name);
// A saved list's name for an item that is no plain file name (a path, a stream, a control character).
std::string NoItemFileName(std::string_view file_name);
// Said where an item that was to go back could not: it stands disabled there.
std::string ItemStaysIn(std::string_view folder);
// The items of a folder cannot be listed; said once.
std::string FolderUnread(std::string_view folder, std::string_view reason);

}  // namespace quorvel::words
