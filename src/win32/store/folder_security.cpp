#include "win32/store/folder_security.h"

#include <aclapi.h>
#include <sddl.h>

namespace quorvel::win32 {
namespace {

// Every right that changes a folder or what it holds, or who may: a folder's "write data" is "add a
// file", its "append data" is "add a sub-folder".
constexpr ACCESS_MASK kChangeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                                      FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER |
                                      GENERIC_WRITE | GENERIC_ALL;

bool IsAdministrative(PSID sid, PSID administrator) {
    return ::IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || ::IsWellKnownSid(sid, WinLocalSystemSid) ||
           (administrator != nullptr && ::EqualSid(sid, administrator));
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

bool OnlyAdministratorsChange(PSECURITY_DESCRIPTOR descriptor, PSID administrator) {
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
        const auto* grant = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        // Also a grant only for what is made inside later: that is where planted items would go.
        if ((grant->Mask & kChangeRights) != 0 &&
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
