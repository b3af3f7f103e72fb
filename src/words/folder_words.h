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

}  // namespace quorvel::words
