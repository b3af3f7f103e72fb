#include "win32/store/folder_security.h"

#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include "win32/shared/system_library.h"

namespace quorvel::win32 {
namespace {

// Rights that change a program file; above its folder, adding folders is harmless (every user may add
// one to a drive's root): only renaming or deleting what is there would put another folder in its place.
constexpr ACCESS_MASK kOwnerRights = DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL;
constexpr ACCESS_MASK kFileChange = kOwnerRights | FILE_WRITE_DATA | FILE_APPEND_DATA | GENERIC_WRITE;
constexpr ACCESS_MASK kAboveChange = kOwnerRights | FILE_DELETE_CHILD;

bool IsAdministrative(PSID sid, PSID administrator) {
    if (::IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || ::IsWellKnownSid(sid, WinLocalSystemSid) ||
        (administrator != nullptr && ::EqualSid(sid, administrator))) {
        return true;
    }
    // TrustedInstaller, the service that owns the system's own files.
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text)) return false;
    const bool installer =
        ::lstrcmpiW(text, L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464") == 0;
    ::LocalFree(text);
    return installer;
}

struct LocalMemory {
    ~LocalMemory() { ::LocalFree(memory); }
    HLOCAL memory = nullptr;
};

bool HoldsAnything(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return true;  // what cannot be looked into may hold anything
    bool holds = false;
    do {
        const std::wstring_view name = found.cFileName;
        holds = name != L"." && name != L"..";
    } while (!holds && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return holds;
}

PrepareResult Make(const std::wstring& path, DWORD& error) {
    LocalMemory descriptor;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsFolderAccess, SDDL_REVISION_1,
                                                                &descriptor.memory, nullptr)) {
        error = ::GetLastError();
        return PrepareResult::kFailed;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.memory, FALSE};
    if (::CreateDirectoryW(path.c_str(), &attributes)) return PrepareResult::kReady;
    error = ::GetLastError();
    // Naming Administrators as the owner is what a user without the right is refused.
    if (error == ERROR_INVALID_OWNER || error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD)
        return PrepareResult::kNeedsAdministrator;
    return PrepareResult::kFailed;
}

}  // namespace

bool OnlyAdministratorsChange(PSECURITY_DESCRIPTOR descriptor, PSID administrator, ACCESS_MASK rights,
                              bool inherit_only_counts) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (!::GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || owner == nullptr ||
        !IsAdministrative(owner, administrator))
        return false;
    BOOL present = FALSE;
    PACL access = nullptr;
    // No list at all lets everyone do everything.
    if (!::GetSecurityDescriptorDacl(descriptor, &present, &access, &defaulted) || !present ||
        access == nullptr)
        return false;
    for (DWORD i = 0; i < access->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(access, i, &entry)) return false;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == ACCESS_DENIED_OBJECT_ACE_TYPE ||
            header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE ||
            header->AceType == ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE)
            continue;
        // Kinds of grant that a plain folder never carries are not read closely: not trusted.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
        // A grant only for what is made inside later is where planted items would go; where no one else
        // may make anything inside, it comes to nothing.
        if (!inherit_only_counts && (header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
        const auto* grant = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if ((grant->Mask & rights) != 0 &&
            !IsAdministrative(const_cast<DWORD*>(&grant->SidStart), administrator))
            return false;
    }
    return true;
}

std::vector<BYTE> AdministratorUser() {
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(administrators);
    BOOL member = FALSE;
    if (!::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !::CheckTokenMembership(nullptr, administrators, &member) || !member)
        return {};
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    std::vector<BYTE> user(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE);
    DWORD written = 0;
    const bool read =
        ::GetTokenInformation(token, TokenUser, user.data(), static_cast<DWORD>(user.size()), &written);
    ::CloseHandle(token);
    if (!read) return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    return std::vector<BYTE>(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + ::GetLengthSid(sid));
}

FolderTrust CheckFolder(const std::wstring& path, PSID administrator, DWORD& error) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FolderTrust::kMissing
                                                                              : FolderTrust::kUnreadable;
    }
    // A link would make the check look at one folder and the moves go to whatever it leads to next.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return FolderTrust::kUntrusted;
    LocalMemory descriptor;
    PSID owner = nullptr;
    PACL access = nullptr;
    error = ::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                    OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                                    &access, nullptr, &descriptor.memory);
    if (error != ERROR_SUCCESS) return FolderTrust::kUnreadable;
    return OnlyAdministratorsChange(descriptor.memory, administrator) ? FolderTrust::kTrusted
                                                                      : FolderTrust::kUntrusted;
}

namespace {

bool OnlyAdministratorsMay(const std::wstring& path, ACCESS_MASK rights) {
    LocalMemory descriptor;
    PSID owner = nullptr;
    PACL access = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                                &access, nullptr, &descriptor.memory) != ERROR_SUCCESS) {
        return false;
    }
    return OnlyAdministratorsChange(descriptor.memory, nullptr, rights, false);
}

// The path's folder ("C:\" for one in a drive's root); empty above the root.
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return {};
    const std::wstring folder = path.substr(0, slash);
    return folder.size() == 2 && folder[1] == L':' ? folder + L'\\' : folder;
}

bool IsUnder(const std::wstring& path, const std::wstring& folder) {
    return !folder.empty() && path.size() > folder.size() && path[folder.size()] == L'\\' &&
           ::CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

// Program Files of either view, as the system names it.
bool IsUnderProgramFiles(const std::wstring& path) {
    using Find = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    using Free = void(WINAPI*)(LPVOID);
    const auto find = Shell32().Get<Find>("SHGetKnownFolderPath");
    const auto free = Ole32().Get<Free>("CoTaskMemFree");
    if (find == nullptr || free == nullptr) return false;
    for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        PWSTR folder = nullptr;
        const bool under = SUCCEEDED(find(id, 0, nullptr, &folder)) && IsUnder(path, folder);
        free(folder);
        if (under) return true;
    }
    return false;
}

}  // namespace

bool OnlyAdministratorsCanChange(const std::wstring& full) {
    if (full.starts_with(L"\\\\") || ::GetDriveTypeW(full.substr(0, 3).c_str()) == DRIVE_REMOTE) return false;
    if (IsUnderProgramFiles(full)) return true;
    // A file that is not there yet can be put there only by whoever may add files to the folder.
    if (::GetFileAttributesW(full.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !OnlyAdministratorsMay(full, kFileChange))
        return false;
    std::wstring folder = FolderOf(full);
    if (folder.empty() || !OnlyAdministratorsMay(folder, kChangeRights)) return false;
    for (folder = FolderOf(folder); !folder.empty(); folder = FolderOf(folder)) {
        if (!OnlyAdministratorsMay(folder, kAboveChange)) return false;
    }
    return true;
}

PrepareResult PrepareAdministratorsFolder(const std::wstring& path, PSID administrator, DWORD& error) {
    switch (CheckFolder(path, administrator, error)) {
        case FolderTrust::kTrusted: return PrepareResult::kReady;
        case FolderTrust::kMissing: break;
        case FolderTrust::kUnreadable: return PrepareResult::kFailed;
        case FolderTrust::kUntrusted:
            // Mending the list in place would keep whatever someone put there, and whatever handle
            // they opened before: only an empty folder is made afresh.
            if (HoldsAnything(path)) return PrepareResult::kUntrusted;
            if (!::RemoveDirectoryW(path.c_str())) {
                error = ::GetLastError();
                return error == ERROR_ACCESS_DENIED ? PrepareResult::kNeedsAdministrator
                                                    : PrepareResult::kFailed;
            }
            break;
    }
    const PrepareResult made = Make(path, error);
    // Checked again also when made here: a file system without access lists lets everyone in. One that
    // another program made in the meantime is checked like any other.
    if (made == PrepareResult::kReady || (made == PrepareResult::kFailed && error == ERROR_ALREADY_EXISTS))
        return CheckFolder(path, administrator, error) == FolderTrust::kTrusted ? PrepareResult::kReady
                                                                                : PrepareResult::kUntrusted;
    return made;
}

}  // namespace quorvel::win32
