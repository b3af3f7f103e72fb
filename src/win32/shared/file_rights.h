#pragma once
// Who may change a file: whether only the machine's administrators can.

#include <string>

namespace quorvel::win32 {

// True when no one but administrators, the system and the installer service can write the file, put
// another in its place, or replace a folder on its path: a file under Program Files, or one whose own
// access list, its folder's and those of the folders above say so. Never for a file of another machine.
bool OnlyAdministratorsCanChange(const std::wstring& path);

}  // namespace quorvel::win32
