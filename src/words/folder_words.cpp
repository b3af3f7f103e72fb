#include "words/folder_words.h"

#include "words/join.h"
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

std::string ReplaceItem(std::string_view target_folder, std::string_view file_name, std::string_view existing,
                        std::string_view source, std::string_view command) {
    return Join(target_folder, " already holds an item named ", Q(file_name), ":\n\n    ",
                Shortened(existing), "\n\nReplace it with ", Q(file_name), " from ", source, ":\n\n    ",
                Shortened(command), "\n\nNo leaves both items as they are.");
}

std::string BannedElsewhere(std::string_view name, std::string_view key) {
    return Join(
        "A ban on ", Q(name), " stands in ", key,
        ": in the Startup folder, the item would be deleted for good at once. Take that ban away first.");
}

std::string ItemNotRebuilt(std::string_view file_name) {
    return Join("The list holds only the path of ", Q(file_name),
                ", which is no shortcut to a program: Quorvel cannot make the file again.");
}

std::string NoItemFileName(std::string_view file_name) {
    return Join(
        Q(file_name),
        " is no name of a file in a Startup folder (it holds a path, a stream or a control character); "
        "Quorvel leaves it alone.");
}

std::string ItemStaysIn(std::string_view folder) {
    return Join("\n\nThe item now stands disabled in ", Q(folder), ".");
}

std::string FolderUnread(std::string_view folder, std::string_view reason) {
    return Join("Quorvel cannot list the startup items in ", Q(folder), ", and does not show them.\n\n",
                reason);
}

}  // namespace quorvel::words
