#include "fakes/fake_startup_folders.h"

#include <algorithm>

#include "fakes/utf16.h"
#include "store/startup_folder_items.h"

namespace quorvel::testing {
namespace {

constexpr std::string_view kAccessDenied = "Access is denied.";
constexpr std::string_view kNotFound = "The system cannot find the file specified.";
constexpr std::string_view kBadName = "The filename, directory name, or volume label syntax is incorrect.";

bool SameName(std::string_view a, std::string_view b) { return FoldCase(ToUtf16(a)) == FoldCase(ToUtf16(b)); }

}  // namespace

std::string FakeStartupFolders::PathOf(StartupFolder folder) const {
    switch (folder) {
        case StartupFolder::kUser:
            return "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
        case StartupFolder::kAllUsers:
            return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
        case StartupFolder::kUserDisabled:
            return "C:\\Users\\user\\AppData\\Roaming\\Quorvel\\Disabled Startup";
        case StartupFolder::kAllUsersDisabled: return "C:\\ProgramData\\Quorvel\\Disabled Startup";
    }
    return {};
}

bool FakeStartupFolders::ListItems(std::vector<FolderItem>& items, StartupFolder folder) {
    if (unreadable == folder) return Fail(std::string(kAccessDenied));
    for (const FakeItem& item : folders_[folder])
        items.push_back({item.file_name, PathOf(folder) + "\\" + item.file_name, item.shortcut, item.target,
                         item.arguments});
    return true;
}

PlaceResult FakeStartupFolders::MoveItem(StartupFolder from, StartupFolder to, std::string_view file_name,
                                         bool replace) {
    Folder& source = folders_[from];
    const auto found = Locate(source, file_name);
    if (found == source.end()) {
        Fail(std::string(kNotFound));
        return PlaceResult::kFailed;
    }
    // Already where it is asked to go.
    if (from == to) return PlaceResult::kPlaced;
    if (Refused(FolderChange::Kind::kMoveOut, from, file_name) ||
        Refused(FolderChange::Kind::kMoveIn, to, file_name))
        return PlaceResult::kFailed;
    const PlaceResult placed = Place(to, *found, replace);
    if (placed == PlaceResult::kPlaced) folders_[from].erase(Locate(folders_[from], file_name));
    return placed;
}

bool FakeStartupFolders::RecycleItem(StartupFolder folder, std::string_view file_name) {
    return Remove(FolderChange::Kind::kRecycle, folder, file_name, &recycled);
}

bool FakeStartupFolders::DeleteItem(StartupFolder folder, std::string_view file_name) {
    return Remove(FolderChange::Kind::kDelete, folder, file_name, nullptr);
}

PlaceResult FakeStartupFolders::CreateShortcut(StartupFolder folder, std::string_view file_name,
                                               std::string_view target, std::string_view arguments,
                                               bool replace) {
    if (Refused(FolderChange::Kind::kCreate, folder, file_name)) return PlaceResult::kFailed;
    const std::string bytes = "shortcut to " + std::string(target) + " with " + std::string(arguments);
    FakeItem item{std::string(file_name), bytes, true, std::string(target), std::string(arguments)};
    return Place(folder, std::move(item), replace);
}

void FakeStartupFolders::Put(StartupFolder folder, std::string_view file_name, std::string_view bytes) {
    folders_[folder].push_back({std::string(file_name), std::string(bytes), false, {}, {}});
}

void FakeStartupFolders::PutShortcut(StartupFolder folder, std::string_view file_name,
                                     std::string_view target, std::string_view arguments) {
    CreateShortcut(folder, file_name, target, arguments, true);
}

const FakeItem* FakeStartupFolders::Find(StartupFolder folder, std::string_view file_name) const {
    const auto items = folders_.find(folder);
    if (items == folders_.end()) return nullptr;
    const auto found = std::find_if(items->second.begin(), items->second.end(), [&](const FakeItem& item) {
        return SameName(item.file_name, file_name);
    });
    return found == items->second.end() ? nullptr : &*found;
}

std::vector<std::string> FakeStartupFolders::Names(StartupFolder folder) const {
    std::vector<std::string> names;
    if (const auto items = folders_.find(folder); items != folders_.end()) {
        for (const FakeItem& item : items->second)
            names.push_back(item.file_name);
    }
    return names;
}

FakeStartupFolders::Folder::iterator FakeStartupFolders::Locate(Folder& folder, std::string_view file_name) {
    return std::find_if(folder.begin(), folder.end(),
                        [&](const FakeItem& item) { return SameName(item.file_name, file_name); });
}

PlaceResult FakeStartupFolders::Place(StartupFolder folder, FakeItem item, bool replace) {
    if (!IsItemFileName(item.file_name)) {
        Fail(std::string(kBadName));
        return PlaceResult::kFailed;
    }
    Folder& items = folders_[folder];
    const auto taken = Locate(items, item.file_name);
    if (taken == items.end()) {
        items.push_back(std::move(item));
    } else if (replace) {
        // The file system keeps the new spelling of a replaced name.
        *taken = std::move(item);
    } else {
        return PlaceResult::kNameTaken;
    }
    return PlaceResult::kPlaced;
}

bool FakeStartupFolders::Remove(FolderChange::Kind kind, StartupFolder folder, std::string_view file_name,
                                std::vector<FakeItem>* into) {
    Folder& items = folders_[folder];
    const auto found = Locate(items, file_name);
    if (found == items.end()) return Fail(std::string(kNotFound));
    if (Refused(kind, folder, file_name)) return false;
    if (into != nullptr) into->push_back(*found);
    items.erase(found);
    return true;
}

bool FakeStartupFolders::Refused(FolderChange::Kind kind, StartupFolder folder, std::string_view file_name) {
    if (!refuse_ || !refuse_({kind, folder, std::string(file_name)})) return false;
    return !Fail(std::string(kAccessDenied));
}

bool FakeStartupFolders::Fail(std::string reason) {
    last_error_ = std::move(reason);
    return false;
}

}  // namespace quorvel::testing
