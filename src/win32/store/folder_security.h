#pragma once
// The folder from which an administrator's Enable puts items back among those that start for every
// user must be one that only administrators can fill: otherwise any user could plant an item there and
// wait. Quorvel makes it with an access list of its own and checks it before every use.

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::win32 {

// The access list Quorvel gives the folder, in the system's descriptor language: owned by
// Administrators; Administrators and SYSTEM may do anything, Users may read; nothing is inherited from
// the parent folder, whose list lets users make files.
inline constexpr wchar_t kAdministratorsFolderAccess[] =
    L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

// Every right that changes a folder or what it holds, or who may: a folder's "write data" is "add a
// file", its "append data" is "add a sub-folder".
inline constexpr ACCESS_MASK kChangeRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                             FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC |
                                             WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

// Whether no one but Administrators, SYSTEM, the installer service and `administrator` (this user while
// running as an administrator; may be null) owns the object or holds any of `rights` on it. Grants
// only for what is made inside later count as well, unless `inherit_only_counts` is false.
bool OnlyAdministratorsChange(PSECURITY_DESCRIPTOR descriptor, PSID administrator,
                              ACCESS_MASK rights = kChangeRights, bool inherit_only_counts = true);

// Whether no one but administrators can write the file, put another in its place, or replace a folder
// on its path: a file under Program Files (either view), or one whose own access list, its folder's and
// those of the folders above say so. Never a file of another machine, whose administrators are not
// this one's. `full` is a full path, without "..".
bool OnlyAdministratorsCanChange(const std::wstring& full);

// This user's security identifier while the program runs with administrator rights, else empty.
std::vector<BYTE> AdministratorUser();

enum class FolderTrust {
    kTrusted,
    kMissing,
    kUntrusted,  // also a link that leads elsewhere
    kUnreadable,
};
// Where the folder stands; `error` tells why it could not be read.
FolderTrust CheckFolder(const std::wstring& path, PSID administrator, DWORD& error);

enum class PrepareResult {
    kReady,
    kNeedsAdministrator,
    kUntrusted,  // it holds files, which any user may have put there: left as it is
    kFailed,     // `error` says why
};
// Makes the folder with Quorvel's access list. One that exists but is not trusted is made afresh when it
// holds nothing; one that holds files stays, since it cannot tell whose they are.
PrepareResult PrepareAdministratorsFolder(const std::wstring& path, PSID administrator, DWORD& error);

}  // namespace quorvel::win32
