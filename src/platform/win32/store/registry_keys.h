#pragma once
// The registry as the program reaches it, written once: the predefined key behind a root, opening a
// key (with or without creating it), and reading a value's type and raw data whatever its size.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registre.h"
#include "platform/win32/shared/handles.h"

namespace quorvel::win32 {

// The predefined key for a root value, or nullptr for a value that names none (a damaged list file).
HKEY PredefinedKey(RootKey root);

// Opens an existing key; never creates one. On failure `key` is empty.
LSTATUS OpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key);
// Opens a key, creating it and its missing parents first.
LSTATUS CreateOrOpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key);

// Calls `read(buffer, size)`, which reads a value's data as RegQueryValueExW and RegEnumValueW do, until
// the data fits: while another program enlarges the value, the system answers ERROR_MORE_DATA with the
// size it needs now, and the buffer grows (at least doubling, so that it overtakes any growth) for
// another read. Only the registry's own limit on a value's size bounds it. `size` ends as the bytes
// read; the buffer, never empty, is not shrunk, so that it serves the next value too.
template <typename Read>
LSTATUS ReadGrowing(std::vector<BYTE>& buffer, DWORD& size, Read&& read) {
    if (buffer.empty()) buffer.resize(2);
    for (;;) {
        size = static_cast<DWORD>(buffer.size());
        const LSTATUS status = read(buffer.data(), size);
        if (status != ERROR_MORE_DATA) return status;
        buffer.resize(std::max<size_t>(buffer.size() * 2, size));
    }
}

struct RawData {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
// A value's type and data. The buffer grows as often as another program enlarges the value while it
// is read, so the reading ends only when the whole value fits or it is gone (ERROR_FILE_NOT_FOUND).
LSTATUS ReadValue(HKEY key, const std::wstring& name, RawData& value);

bool IsText(DWORD type);
// A string value's characters up to its first NUL; an odd trailing byte is no character.
std::string TextOfData(const BYTE* data, size_t size);

}  // namespace quorvel::win32
