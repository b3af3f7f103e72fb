#include "win32/shared/file_rights.h"

#include <windows.h>

#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include "win32/shared/system_library.h"

namespace quorvel::win32 {
namespace {

// Rights that change a file, a folder's contents, or (on a folder above) what lies below it.
constexpr ACCESS_MASK kOwnerRights = WRITE_DAC | WRITE_OWNER | DELETE | GENERIC_ALL;
constexpr ACCESS_MASK kFileChange = kOwnerRights | FILE_WRITE_DATA | FILE_APPEND_DATA | GENERIC_WRITE;
constexpr ACCESS_MASK kFolderChange =
    kOwnerRights | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | GENERIC_WRITE;
// Above the program's folder, adding folders is harmless (every user may add one to the drive's root):
// only renaming or deleting what is there would put another folder in its place.
constexpr ACCESS_MASK kAncestorChange = kOwnerRights | FILE_DELETE_CHILD;

bool IsAdministration(PSID sid) {
    if (::IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || ::IsWellKnownSid(sid, WinLocalSystemSid))
        return true;
    // TrustedInstaller, the service that owns the system's own files.
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text)) return false;
    const bool installer =
        ::lstrcmpiW(text, L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464") == 0;
    ::LocalFree(text);
    return installer;
}

// Entries for no account that a user's token holds: the creator's (a pattern for what is made inside)
// and the owner's (checked on its own).
bool StandsForNoAccount(PSID sid) {
    return ::IsWellKnownSid(sid, WinCreatorOwnerSid) || ::IsWellKnownSid(sid, WinCreatorGroupSid) ||
           ::IsWellKnownSid(sid, WinCreatorOwnerRightsSid);
}

// Whether only administrators hold any of the `change` rights on the object.
bool OnlyAdministratorsMay(const std::wstring& path, ACCESS_MASK change) {
    PSID owner = nullptr;
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                                &access, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    struct Freed {
        PSECURITY_DESCRIPTOR descriptor;
        ~Freed() { ::LocalFree(descriptor); }
    } freed{descriptor};
    // The owner may always rewrite the list; a missing list lets everyone do everything.
    if (owner == nullptr || !IsAdministration(owner) || access == nullptr) return false;
    for (DWORD i = 0; i < access->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(access, i, &entry)) return false;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
        switch (header->AceType) {
            case ACCESS_DENIED_ACE_TYPE:
            case ACCESS_DENIED_OBJECT_ACE_TYPE:
            case ACCESS_DENIED_CALLBACK_ACE_TYPE:
            case ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE: continue;  // they only take rights away
            case ACCESS_ALLOWED_ACE_TYPE:
            case ACCESS_ALLOWED_CALLBACK_ACE_TYPE: {
                const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
                const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
                if ((allowed->Mask & change) != 0 && !IsAdministration(sid) && !StandsForNoAccount(sid))
                    return false;
                continue;
            }
            default: return false;  // an entry this check cannot read grants who knows what
        }
    }
    return true;
}

// The path's folder ("C:\" for a folder in a drive's root); empty above the root.
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

bool OnlyAdministratorsCanChange(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return false;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length);
    }
    // Another machine's administrators are not this machine's.
    if (full.starts_with(L"\\\\") || ::GetDriveTypeW(full.substr(0, 3).c_str()) == DRIVE_REMOTE) return false;
    if (IsUnderProgramFiles(full)) return true;
    // A file that is not there yet can be put there only by whoever may add files to the folder.
    if (::GetFileAttributesW(full.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !OnlyAdministratorsMay(full, kFileChange))
        return false;
    std::wstring folder = FolderOf(full);
    if (folder.empty() || !OnlyAdministratorsMay(folder, kFolderChange)) return false;
    for (folder = FolderOf(folder); !folder.empty(); folder = FolderOf(folder)) {
        if (!OnlyAdministratorsMay(folder, kAncestorChange)) return false;
    }
    return true;
}

}  // namespace quorvel::win32
