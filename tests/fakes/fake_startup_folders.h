#pragma once
// In-memory Startup folders: files with their bytes (a shortcut also with its target and arguments),
// names compared without case as the file system compares them, moves that never overwrite unless
// told, a Recycle Bin, and refusals on demand, as a user without rights or a locked file meets them.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/startup_folders.h"

namespace quorvel::testing {

struct FakeItem {
    std::string file_name;
    std::string bytes;
    bool shortcut = false;
    std::string target;
    std::string arguments;
    bool operator==(const FakeItem&) const = default;
};

// A change the fake is about to make; a refusal rule sees it first.
struct FolderChange {
    enum class Kind { kMoveOut, kMoveIn, kRecycle, kDelete, kCreate } kind;
    StartupFolder folder;
    std::string file_name;
};

class FakeStartupFolders final : public StartupFolders {
  public:
    std::string PathOf(StartupFolder folder) const override;
    bool ListItems(std::vector<FolderItem>& items, StartupFolder folder) override;
    PlaceResult MoveItem(StartupFolder from, StartupFolder to, std::string_view file_name,
                         bool replace) override;
    bool RecycleItem(StartupFolder folder, std::string_view file_name) override;
    bool DeleteItem(StartupFolder folder, std::string_view file_name) override;
    PlaceResult CreateShortcut(StartupFolder folder, std::string_view file_name, std::string_view target,
                               std::string_view arguments, bool replace) override;
    std::string LastError() const override { return last_error_; }

    // Direct access for tests, bypassing refusals.
    void Put(StartupFolder folder, std::string_view file_name, std::string_view bytes);
    void PutShortcut(StartupFolder folder, std::string_view file_name, std::string_view target,
                     std::string_view arguments);
    const FakeItem* Find(StartupFolder folder, std::string_view file_name) const;
    std::vector<std::string> Names(StartupFolder folder) const;

    // Refuses every change for which the rule answers true, with the system's words for a refusal.
    void SetRefusal(std::function<bool(const FolderChange&)> rule) { refuse_ = std::move(rule); }
    void RefuseChangesIn(StartupFolder folder) {
        SetRefusal([folder](const FolderChange& c) { return c.folder == folder; });
    }
    // A folder that cannot be listed, as the all-users disabled one that users other than
    // administrators could change.
    std::optional<StartupFolder> unreadable;

    // What the Recycle Bin took, in order.
    std::vector<FakeItem> recycled;

  private:
    using Folder = std::vector<FakeItem>;
    Folder::iterator Locate(Folder& folder, std::string_view file_name);
    PlaceResult Place(StartupFolder folder, FakeItem item, bool replace);
    // Takes the item out of the folder, into `into` where one is given.
    bool Remove(FolderChange::Kind kind, StartupFolder folder, std::string_view file_name,
                std::vector<FakeItem>* into);
    bool Refused(FolderChange::Kind kind, StartupFolder folder, std::string_view file_name);
    bool Fail(std::string reason);

    std::map<StartupFolder, Folder> folders_;
    std::function<bool(const FolderChange&)> refuse_;
    std::string last_error_;
};

}  // namespace quorvel::testing
