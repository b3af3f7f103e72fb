#include "words/folder_words.h"

#include "words/words.h"

namespace quorvel::words {

std::string FolderNeedsAdministrator(std::string_view folder) {
    return "Only an administrator can prepare the folder \"" + Shortened(folder) +
           "\", where Quorvel keeps the disabled startup items of all users.";
}

std::string FolderNotTrusted(std::string_view folder) {
    return "Users who are not administrators can change the folder \"" + Shortened(folder) +
           "\", so the startup items in it could come from any of them, and Quorvel does not start them for "
           "every user.\n\nCheck its files and delete the folder; Quorvel then makes it again, for "
           "administrators only.";
}

std::string CouldNotRecycle(std::string_view reason) {
    return "The Recycle Bin could not take the item, so it was left where it is. " + std::string(reason);
}

}  // namespace quorvel::words
