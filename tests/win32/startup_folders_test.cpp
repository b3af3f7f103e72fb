// The Startup folders as the system has them: where they are, what a listing holds, shortcuts read
// back, moves that never overwrite, the Recycle Bin, who may change the all-users folder of disabled
// items, and the change notifications on the folders.

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "win32/app/folder_watcher.h"
#include "win32/shared/com.h"
#include "win32/shared/text.h"
#include "win32/store/folder_security.h"
#include "win32/store/system_startup_folders.h"

namespace quorvel::win32 {
namespace {

using Folder = StartupFolder;

std::wstring ItemPath(const StartupFolders& folders, Folder folder, std::wstring_view name) {
    return Widen(folders.PathOf(folder)) + L"\\" + std::wstring(name);
}

void WriteBytes(const std::wstring& path, std::string_view bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Deletes what a test left in a folder, sub-folders included, and the folder too when asked.
void Empty(const std::wstring& folder, bool remove_folder = false) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                Empty(path, true);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    if (remove_folder) ::RemoveDirectoryW(folder.c_str());
}

bool EndsWithAnyCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           ::CompareStringOrdinal(Widen(text.substr(text.size() - end.size())).c_str(), -1,
                                  Widen(end).c_str(), -1, TRUE) == CSTR_EQUAL;
}

class StartupFoldersTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const Folder folder : kStartupFolders)
            Empty(Widen(folders.PathOf(folder)));
    }
    SystemStartupFolders folders;
};

TEST_F(StartupFoldersTest, TheSystemNamesTheStartupFoldersAndQuorvelsOwnStayOutOfTheStartMenu) {
    // Wine spells it "StartUp", Windows "Startup": the same folder to the file system.
    const std::string user = folders.PathOf(Folder::kUser);
    EXPECT_TRUE(
        EndsWithAnyCase(user, "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"))
        << user;
    EXPECT_TRUE(EndsWithAnyCase(folders.PathOf(Folder::kAllUsers),
                                "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"))
        << folders.PathOf(Folder::kAllUsers);
    for (const Folder folder : {Folder::kUser, Folder::kAllUsers}) {
        const DWORD attributes = ::GetFileAttributesW(Widen(folders.PathOf(folder)).c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    }
    EXPECT_TRUE(EndsWithAnyCase(folders.PathOf(Folder::kUserDisabled),
                                "\\AppData\\Roaming\\Quorvel\\Disabled Startup"))
        << folders.PathOf(Folder::kUserDisabled);
    EXPECT_EQ(folders.PathOf(Folder::kAllUsersDisabled), "C:\\ProgramData\\Quorvel\\Disabled Startup");
}

TEST_F(StartupFoldersTest, AListingHoldsWhatWindowsStartsAndAShortcutReadsBackWithItsTargetAndArguments) {
    const std::string startup = folders.PathOf(Folder::kUser);
    const std::string target = "C:\\Program Files\\Zo\u00eb Sync\\sync.exe";
    const std::string arguments = "--tray \"two  words\" -\u00fc";
    ASSERT_EQ(folders.CreateShortcut(Folder::kUser, "Zo\u00eb Sync.lnk", target, arguments, false),
              PlaceResult::kPlaced)
        << folders.LastError();
    WriteBytes(ItemPath(folders, Folder::kUser, L"run.bat"), "@echo off\r\n");
    WriteBytes(ItemPath(folders, Folder::kUser, L"quiet.cmd"), "rem\r\n", FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(ItemPath(folders, Folder::kUser, L"broken.lnk"), "not a shortcut");
    WriteBytes(ItemPath(folders, Folder::kUser, L"Desktop.ini"), "[.ShellClassInfo]\r\n",
               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(::CreateDirectoryW(ItemPath(folders, Folder::kUser, L"Sub").c_str(), nullptr));
    WriteBytes(ItemPath(folders, Folder::kUser, L"Sub\\inner.bat"), "rem\r\n");

    std::vector<FolderItem> items;
    ASSERT_TRUE(folders.ListItems(items, Folder::kUser)) << folders.LastError();
    std::sort(items.begin(), items.end(),
              [](const FolderItem& a, const FolderItem& b) { return a.file_name < b.file_name; });
    const std::vector<FolderItem> expected{
        {"Zo\u00eb Sync.lnk", startup + "\\Zo\u00eb Sync.lnk", true, target, arguments},
        {"broken.lnk", startup + "\\broken.lnk", false, "", ""},
        {"quiet.cmd", startup + "\\quiet.cmd", false, "", ""},
        {"run.bat", startup + "\\run.bat", false, "", ""},
    };
    EXPECT_EQ(items, expected);

    // A folder not made yet holds nothing, and that is no failure.
    items.clear();
    EXPECT_TRUE(folders.ListItems(items, Folder::kUserDisabled)) << folders.LastError();
    EXPECT_TRUE(items.empty());
    // A shortcut is made only where its name is free.
    EXPECT_EQ(folders.CreateShortcut(Folder::kUser, "ZO\u00cb SYNC.lnk", "C:\\other.exe", "", false),
              PlaceResult::kNameTaken);
}

TEST_F(StartupFoldersTest, AMoveNeverOverwritesUnlessToldAndKeepsTheBytes) {
    const std::string mine("@echo mine\r\n\0\xff\xfe", 15);
    const std::string theirs = "@echo theirs\r\n";
    WriteBytes(ItemPath(folders, Folder::kUser, L"Tool.bat"), mine, FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(folders.MoveItem(Folder::kUser, Folder::kUserDisabled, "Tool.bat", false), PlaceResult::kPlaced)
        << folders.LastError();
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUserDisabled, L"Tool.bat")), mine);
    EXPECT_NE(::GetFileAttributesW(ItemPath(folders, Folder::kUserDisabled, L"Tool.bat").c_str()) &
                  FILE_ATTRIBUTE_HIDDEN,
              0u);
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUser, L"Tool.bat")), std::nullopt);

    // Another item of that name, in other letters, comes back meanwhile: it stays until the user says.
    WriteBytes(ItemPath(folders, Folder::kUser, L"TOOL.BAT"), theirs);
    EXPECT_EQ(folders.MoveItem(Folder::kUserDisabled, Folder::kUser, "Tool.bat", false),
              PlaceResult::kNameTaken);
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUser, L"TOOL.BAT")), theirs);
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUserDisabled, L"Tool.bat")), mine);
    EXPECT_EQ(folders.MoveItem(Folder::kUserDisabled, Folder::kUser, "Tool.bat", true), PlaceResult::kPlaced)
        << folders.LastError();
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUser, L"Tool.bat")), mine);
    EXPECT_EQ(ReadBytes(ItemPath(folders, Folder::kUserDisabled, L"Tool.bat")), std::nullopt);

    // What is not there, and a name that reaches out of the folder, fail with a reason.
    EXPECT_EQ(folders.MoveItem(Folder::kUser, Folder::kUserDisabled, "gone.bat", false),
              PlaceResult::kFailed);
    EXPECT_FALSE(folders.LastError().empty());
    WriteBytes(Widen(folders.PathOf(Folder::kUser)) + L"\\..\\outside.bat", "rem\r\n");
    EXPECT_EQ(folders.MoveItem(Folder::kUser, Folder::kUserDisabled, "..\\outside.bat", false),
              PlaceResult::kFailed);
    EXPECT_TRUE(::DeleteFileW((Widen(folders.PathOf(Folder::kUser)) + L"\\..\\outside.bat").c_str()));

    // A file another program holds open stays, and says why; one made read-only to outlive its ban
    // is deleted all the same.
    const std::wstring held = ItemPath(folders, Folder::kUser, L"held.bat");
    WriteBytes(held, "rem\r\n");
    const HANDLE holding = ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(folders.MoveItem(Folder::kUser, Folder::kUserDisabled, "held.bat", false),
              PlaceResult::kFailed);
    EXPECT_FALSE(folders.LastError().empty());
    ::CloseHandle(holding);
    EXPECT_EQ(ReadBytes(held), "rem\r\n");
    WriteBytes(ItemPath(folders, Folder::kUser, L"stubborn.lnk"), "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(folders.DeleteItem(Folder::kUser, "stubborn.lnk")) << folders.LastError();
    EXPECT_EQ(::GetFileAttributesW(ItemPath(folders, Folder::kUser, L"stubborn.lnk").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

// The Recycle Bin's entry of that name, restored to where it came from; false when there is none.
bool RestoreFromRecycleBin(std::wstring_view name) {
    ComPtr<IShellFolder> desktop;
    PIDLIST_ABSOLUTE bin_id = nullptr;
    if (FAILED(::SHGetDesktopFolder(desktop.put())) ||
        FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin_id)))
        return false;
    ComPtr<IShellFolder> bin;
    const HRESULT bound = desktop->BindToObject(bin_id, nullptr, IID_PPV_ARGS(bin.put()));
    ::CoTaskMemFree(bin_id);
    ComPtr<IEnumIDList> entries;
    if (FAILED(bound) ||
        bin->EnumObjects(nullptr, SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, entries.put()) != S_OK)
        return false;
    PITEMID_CHILD entry = nullptr;
    bool restored = false;
    while (!restored && entries->Next(1, &entry, nullptr) == S_OK) {
        STRRET shown{};
        wchar_t text[MAX_PATH] = {};
        if (SUCCEEDED(bin->GetDisplayNameOf(entry, SHGDN_NORMAL, &shown)) &&
            SUCCEEDED(::StrRetToBufW(&shown, entry, text, MAX_PATH)) && name == text) {
            // The first command of an entry's menu is Restore, in Windows' Recycle Bin as in Wine's.
            ComPtr<IContextMenu> menu;
            PCUITEMID_CHILD one[] = {entry};
            const HMENU commands = ::CreatePopupMenu();
            if (SUCCEEDED(bin->GetUIObjectOf(nullptr, 1, one, IID_IContextMenu, nullptr,
                                             reinterpret_cast<void**>(menu.put()))) &&
                SUCCEEDED(menu->QueryContextMenu(commands, 0, 1, 0x7FFF, CMF_NORMAL))) {
                CMINVOKECOMMANDINFO invoke{};
                invoke.cbSize = sizeof(invoke);
                invoke.fMask = CMIC_MASK_FLAG_NO_UI;
                invoke.lpVerb = MAKEINTRESOURCEA(::GetMenuItemID(commands, 0) - 1);
                restored = SUCCEEDED(menu->InvokeCommand(&invoke));
            }
            ::DestroyMenu(commands);
        }
        ::CoTaskMemFree(entry);
    }
    return restored;
}

TEST_F(StartupFoldersTest, TheRecycleBinTakesAnItemAndGivesItBack) {
    // Wine's Recycle Bin is the desktop's trash, outside the prefix: a name of this run only.
    const std::wstring name = L"recycled-" + std::to_wstring(::GetCurrentProcessId()) + L".bat";
    const std::wstring path = ItemPath(folders, Folder::kUser, name);
    WriteBytes(path, "@echo recycled\r\n");
    ASSERT_TRUE(folders.RecycleItem(Folder::kUser, Narrow(name))) << folders.LastError();
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(RestoreFromRecycleBin(name));
    EXPECT_EQ(ReadBytes(path), "@echo recycled\r\n");

    EXPECT_FALSE(folders.RecycleItem(Folder::kUser, "never-there.bat"));
    EXPECT_FALSE(folders.LastError().empty());
}

TEST_F(StartupFoldersTest, OnlyAdministratorsAndTheSystemMayChangeTheAllUsersFolderOfDisabledItems) {
    const std::wstring disabled = Widen(folders.PathOf(Folder::kAllUsersDisabled));
    ASSERT_EQ(::GetFileAttributesW(disabled.c_str()), INVALID_FILE_ATTRIBUTES) << "a fresh prefix has none";
    WriteBytes(ItemPath(folders, Folder::kAllUsers, L"Backup.lnk"), "shortcut");

    ASSERT_EQ(folders.MoveItem(Folder::kAllUsers, Folder::kAllUsersDisabled, "Backup.lnk", false),
              PlaceResult::kPlaced)
        << folders.LastError();

    const std::vector<BYTE> me = AdministratorUser();
    ASSERT_FALSE(me.empty()) << "Wine runs every program as an administrator";
    for (const std::wstring& folder : {disabled, disabled.substr(0, disabled.find_last_of(L'\\'))}) {
        PSID owner = nullptr;
        PACL access = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_EQ(::GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT,
                                          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                          nullptr, &access, nullptr, &descriptor),
                  static_cast<DWORD>(ERROR_SUCCESS));
        wchar_t* text = nullptr;
        ASSERT_TRUE(::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text,
            nullptr));
        std::wstring read_back = text;
        ::LocalFree(text);
        ::LocalFree(descriptor);
        wchar_t* my_sid = nullptr;
        ASSERT_TRUE(::ConvertSidToStringSidW(const_cast<BYTE*>(me.data()), &my_sid));
        const std::wstring mine = my_sid;
        ::LocalFree(my_sid);
        if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
            // Wine keeps no access lists: it turns them into the Unix file's mode, which gives the owner
            // (the user running it) everything and, from this list, nothing to anyone else.
            EXPECT_EQ(read_back, L"O:" + mine + L"D:(A;OICI;FA;;;SY)(A;OICI;FA;;;" + mine + L")");
        } else {
            // Whether Windows marks the list as inherited further ("AI") is no matter here.
            if (const size_t at = read_back.find(L"D:PAI("); at != std::wstring::npos)
                read_back.erase(at + 3, 2);
            EXPECT_EQ(read_back, L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)");
        }
    }
    std::vector<FolderItem> items;
    ASSERT_TRUE(folders.ListItems(items, Folder::kAllUsersDisabled)) << folders.LastError();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].file_name, "Backup.lnk");

    // Something else in its place is not used, and is left as it is.
    ASSERT_EQ(folders.MoveItem(Folder::kAllUsersDisabled, Folder::kAllUsers, "Backup.lnk", false),
              PlaceResult::kPlaced);
    ASSERT_TRUE(::RemoveDirectoryW(disabled.c_str()));
    WriteBytes(disabled, "planted");
    EXPECT_EQ(folders.MoveItem(Folder::kAllUsers, Folder::kAllUsersDisabled, "Backup.lnk", false),
              PlaceResult::kFailed);
    const std::string named = "\"C:\\ProgramData\\Quorvel\\Disabled Startup\"";
    EXPECT_NE(folders.LastError().find(named), std::string::npos) << folders.LastError();
    items.clear();
    EXPECT_FALSE(folders.ListItems(items, Folder::kAllUsersDisabled));
    EXPECT_NE(folders.LastError().find(named), std::string::npos) << folders.LastError();
    EXPECT_EQ(ReadBytes(disabled), "planted");
    EXPECT_TRUE(::DeleteFileW(disabled.c_str()));
}

TEST(FolderTrust, OnlyListsThatLetNoOneButAdministratorsChangeTheFolderAreTrusted) {
    const auto trusted = [](const wchar_t* sddl, const wchar_t* administrator = nullptr,
                            ACCESS_MASK rights = kChangeRights, bool inherit_only_counts = true) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                                           nullptr))
            << Narrow(sddl);
        PSID sid = nullptr;
        if (administrator != nullptr) ::ConvertStringSidToSidW(administrator, &sid);
        const bool result = OnlyAdministratorsChange(descriptor, sid, rights, inherit_only_counts);
        ::LocalFree(sid);
        ::LocalFree(descriptor);
        return result;
    };
    EXPECT_TRUE(trusted(L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"));
    EXPECT_TRUE(trusted(L"O:SYD:(A;;FA;;;SY)(D;;FA;;;WD)(A;;0x1200a9;;;AU)"));
    // Owned by someone else, who may grant themselves anything.
    EXPECT_FALSE(trusted(L"O:BUD:P(A;OICI;FA;;;BA)"));
    EXPECT_FALSE(trusted(L"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;BA)"));
    // Someone else may add a file, change one, or will be able to in what is made inside.
    EXPECT_FALSE(trusted(L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)"));
    EXPECT_FALSE(trusted(L"O:BAD:P(A;;FA;;;BA)(A;;0x100002;;;WD)"));
    EXPECT_FALSE(trusted(L"O:BAD:P(A;;FA;;;BA)(A;OICIIO;FA;;;BU)"));
    EXPECT_FALSE(trusted(L"O:BAD:P(A;;FA;;;BA)(A;;GW;;;BU)"));
    // No list at all lets everyone do everything.
    EXPECT_FALSE(trusted(L"O:BA"));
    // A kind of grant that a folder's list does not normally carry (here one with a condition that
    // only some programs evaluate) is not weighed: it could let anyone in.
    {
        BYTE administrators[SECURITY_MAX_SID_SIZE];
        BYTE everyone[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof(administrators);
        ASSERT_TRUE(::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size));
        size = sizeof(everyone);
        ASSERT_TRUE(::CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size));
        alignas(DWORD) BYTE list[256];
        auto* access = reinterpret_cast<PACL>(list);
        ASSERT_TRUE(::InitializeAcl(access, sizeof(list), ACL_REVISION));
        ASSERT_TRUE(::AddAccessAllowedAce(access, ACL_REVISION, FILE_ALL_ACCESS, administrators));
        ASSERT_TRUE(::AddAccessAllowedAce(access, ACL_REVISION, FILE_ALL_ACCESS, everyone));
        void* grant = nullptr;
        ASSERT_TRUE(::GetAce(access, 1, &grant));
        static_cast<ACE_HEADER*>(grant)->AceType = ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
        SECURITY_DESCRIPTOR descriptor{};
        ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
        ASSERT_TRUE(::SetSecurityDescriptorOwner(&descriptor, administrators, FALSE));
        ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, access, FALSE));
        EXPECT_FALSE(OnlyAdministratorsChange(&descriptor, nullptr));
    }
    // A drive's root as Windows makes it, owned by the installer service: every user may add a folder
    // there and gets rights on what he adds, but may rename or delete nothing that is there.
    const wchar_t* root =
        L"O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)"
        L"(A;OICI;0x1200a9;;;BU)(A;OICIIO;SDGXGWGR;;;AU)(A;;0x4;;;AU)(A;OICIIO;GA;;;CO)";
    EXPECT_TRUE(trusted(root, nullptr, DELETE | FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER, false));
    EXPECT_FALSE(trusted(root, nullptr, DELETE | FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER, true));
    EXPECT_FALSE(trusted(root, nullptr, FILE_APPEND_DATA, false));
    // The administrator running Quorvel counts as one, and only while running as one.
    const wchar_t* own = L"O:S-1-5-21-1-2-3-500D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-1-2-3-500)";
    EXPECT_TRUE(trusted(own, L"S-1-5-21-1-2-3-500"));
    EXPECT_FALSE(trusted(own));
}

// The first of the events that is signalled within the time, or -1.
int Signalled(const FolderWatcher& watcher, DWORD milliseconds) {
    const DWORD woken = ::WaitForMultipleObjects(watcher.Count(), watcher.Events(), FALSE, milliseconds);
    return woken < WAIT_OBJECT_0 + watcher.Count() ? static_cast<int>(woken - WAIT_OBJECT_0) : -1;
}

TEST_F(StartupFoldersTest, TheWatchSeesAFileDroppedInAndAFolderDeletedAndMadeAgain) {
    const std::wstring folder = Widen(folders.PathOf(Folder::kUserDisabled));
    WriteBytes(ItemPath(folders, Folder::kUser, L"seed.bat"), "rem\r\n");
    ASSERT_EQ(folders.MoveItem(Folder::kUser, Folder::kUserDisabled, "seed.bat", false),
              PlaceResult::kPlaced);
    FolderWatcher watcher(folders);
    EXPECT_EQ(watcher.Count(), 8u);
    watcher.Restart();
    EXPECT_EQ(Signalled(watcher, 200), -1);

    WriteBytes(folder + L"\\dropped.lnk", "x");
    EXPECT_NE(Signalled(watcher, 1000), -1);
    watcher.Restart();
    EXPECT_EQ(Signalled(watcher, 200), -1);
    WriteBytes(ItemPath(folders, Folder::kUser, L"dropped too.bat"), "x");
    EXPECT_NE(Signalled(watcher, 1000), -1);

    // Deleted and made again: the pass that the deletion asks for watches the folder above it, which
    // sees the folder come back, and the pass after that the folder itself again.
    watcher.Restart();
    Empty(folder, true);
    watcher.Restart();
    ASSERT_EQ(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_NE(Signalled(watcher, 1000), -1);
    watcher.Restart();
    WriteBytes(folder + L"\\back.lnk", "x");
    EXPECT_NE(Signalled(watcher, 1000), -1);
}

}  // namespace
}  // namespace quorvel::win32
