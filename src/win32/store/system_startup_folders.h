#pragma once
// The Startup folders as the system names them, and Quorvel's folders of disabled items beside them:
// the user's under the roaming application data, which travels with the user's Startup folder and is
// no part of the Start menu; all users' under the machine's program data, made so that only
// administrators can change it (see folder_security.h).

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/startup_folders.h"
#include "win32/shared/com.h"

namespace quorvel::win32 {

class SystemStartupFolders final : public StartupFolders {
  public:
    // Asks the system where the folders are, once; COM lives on the calling thread while this does.
    SystemStartupFolders();

    std::string PathOf(StartupFolder folder) const override;
    bool ListItems(std::vector<FolderItem>& items, StartupFolder folder) override;
    PlaceResult MoveItem(StartupFolder from, StartupFolder to, std::string_view file_name,
                         bool replace) override;
    bool RecycleItem(StartupFolder folder, std::string_view file_name) override;
    bool DeleteItem(StartupFolder folder, std::string_view file_name) override;
    PlaceResult CreateShortcut(StartupFolder folder, std::string_view file_name, std::string_view target,
                               std::string_view arguments, bool replace) override;
    std::string LastError() const override;

  private:
    const std::wstring& Path(StartupFolder folder) const { return paths_[static_cast<size_t>(folder)]; }
    // The item's full path in the form that takes any name and length; empty, with the reason noted,
    // for a name that is no plain file name.
    std::wstring ItemPath(StartupFolder folder, std::string_view file_name);
    // Whether the all-users disabled folder may be used as it is; every other folder may.
    bool MayUse(StartupFolder folder);
    // Makes the folder where it is missing, with the access list it needs.
    bool Prepare(StartupFolder folder);
    bool ReadShortcut(const std::wstring& path, FolderItem& item);
    PSID Administrator() { return administrator_.empty() ? nullptr : administrator_.data(); }

    bool Fail(DWORD error);
    bool FailWith(std::string reason);
    PlaceResult Failed(DWORD error) { return Fail(error), PlaceResult::kFailed; }

    ComApartment com_;
    std::array<std::wstring, kStartupFolders.size()> paths_;
    std::vector<BYTE> administrator_;
    std::wstring text_;  // room for a shortcut's target or arguments, kept between calls
    DWORD last_error_ = ERROR_SUCCESS;
    std::string last_reason_;  // Quorvel's own words, where the system has none
};

}  // namespace quorvel::win32
