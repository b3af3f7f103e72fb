#pragma once
// The Startup folders: besides the Run values, Windows starts at logon every file directly in the
// user's Startup folder and in the one for all users. Quorvel takes the items it disables out of them
// into folders of its own, one for each, which nothing starts. Names are the files' own names, in
// UTF-8; the Windows side converts at the API boundary. Every change reports whether it was done.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class StartupFolder {
    kUser,              // the user's Startup folder
    kAllUsers,          // the one whose items start for every user of the machine
    kUserDisabled,      // Quorvel's own, for the items it took out of kUser
    kAllUsersDisabled,  // Quorvel's own, for the items it took out of kAllUsers: only administrators write it
};
inline constexpr std::array<StartupFolder, 4> kStartupFolders{StartupFolder::kUser, StartupFolder::kAllUsers,
                                                              StartupFolder::kUserDisabled,
                                                              StartupFolder::kAllUsersDisabled};

// One file in a folder.
struct FolderItem {
    std::string file_name;  // "Updater.lnk", as the folder spells it
    std::string path;       // the file's full path
    // A shortcut the system could read: what it starts is its target with its arguments. Another file
    // (or a shortcut that cannot be read) is started as it is, by its path.
    bool shortcut = false;
    std::string target;  // empty for a shortcut that names no file (an installer's advertised one)
    std::string arguments;
    bool operator==(const FolderItem&) const = default;
};

enum class PlaceResult {
    kPlaced,
    kNameTaken,  // an item of that name, in any letter case, is already there; nothing changed
    kFailed,     // LastError says why
};

class StartupFolders {
  public:
    virtual ~StartupFolders() = default;

    // Where the folder is; it need not exist yet.
    virtual std::string PathOf(StartupFolder folder) const = 0;

    // Appends the files directly in the folder, as Windows starts them: hidden ones too, sub-folders
    // and desktop.ini not. A missing folder holds nothing. False, with the reason, when the folder
    // cannot be read or, for the all-users disabled folder, not be trusted to hold only what
    // administrators put there.
    virtual bool ListItems(std::vector<FolderItem>& items, StartupFolder folder) = 0;

    // Moves the item, byte for byte, from one folder into another, making that folder if needed. An
    // item of the same name there stays, unless `replace` says to put this one in its place.
    virtual PlaceResult MoveItem(StartupFolder from, StartupFolder to, std::string_view file_name,
                                 bool replace) = 0;

    // Sends the item to the Recycle Bin, where the user can get it back; fails rather than delete it
    // for good where there is no Recycle Bin to take it.
    virtual bool RecycleItem(StartupFolder folder, std::string_view file_name) = 0;

    // Deletes the item for good: what a ban does to an item that came back.
    virtual bool DeleteItem(StartupFolder folder, std::string_view file_name) = 0;

    // Makes a shortcut to `target` with `arguments` under that file name (for restoring a saved list),
    // making the folder if needed; an item of the same name stays unless `replace` says otherwise.
    virtual PlaceResult CreateShortcut(StartupFolder folder, std::string_view file_name,
                                       std::string_view target, std::string_view arguments, bool replace) = 0;

    // Why the last call that failed did, in the system's words.
    virtual std::string LastError() const = 0;
};

}  // namespace quorvel
