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
#include "win32/shared/handles.h"

namespace quorvel::win32 {

// The predefined key for a root value, and the view of the registry it is seen in; nothing for a
// value that names none (a damaged list file, or one written by a newer program).
struct Hive {
    HKEY key;
    REGSAM view;  // KEY_WOW64_32KEY or KEY_WOW64_64KEY; 0 where the registry has one view only
};
std::optional<Hive> HiveOf(RootKey root);

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
LSTATUS ReadValue(HKEY key, std::wstring_view name, RawData& value);

// A value name is a counted string, and one may hold a NUL (a known way to hide a startup value): the
// documented functions take NUL-terminated names and would act on the part before it, another value.
// Such a name goes through the native functions that take a counted name; every other name through
// the documented ones. Each answers as its documented counterpart does (RegQueryValueExW,
// RegSetValueExW, RegDeleteValueW); where the native functions are missing, a NUL-bearing name is
// refused with ERROR_NOT_SUPPORTED and nothing is touched.
LSTATUS QueryValue(HKEY key, std::wstring_view name, DWORD* type, BYTE* data, DWORD* size);
LSTATUS SetValue(HKEY key, std::wstring_view name, DWORD type, const BYTE* data, DWORD size);
LSTATUS RemoveValue(HKEY key, std::wstring_view name);

// A UTF-16 code unit as the registry compares names: through the system's own upper-case table.
wchar_t UpcaseUnit(wchar_t unit);

// Calls `visit(name, type, data)` for every value of the open key, in enumeration order, as long as it
// returns true. ERROR_NO_MORE_ITEMS at the end; any other failure stops the enumeration.
template <typename Visit>
LSTATUS ForEachValue(HKEY key, Visit&& visit);

bool IsText(DWORD type);
// A string value's characters up to its first NUL; an odd trailing byte is no character.
std::string TextOfData(const BYTE* data, size_t size);

template <typename Visit>
LSTATUS ForEachValue(HKEY key, Visit&& visit) {
    // Value names may be up to 16,383 characters: room for the longest, so that only data that grew
    // while it was read needs another read.
    std::wstring name(16384, L'\0');
    DWORD longest_data = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longest_data, nullptr, nullptr);
    std::vector<BYTE> data(std::max<DWORD>(longest_data, 2));
    for (DWORD index = 0;; ++index) {
        DWORD length = 0;
        DWORD size = 0;
        DWORD type = REG_NONE;
        const LSTATUS status = ReadGrowing(data, size, [&](BYTE* buffer, DWORD& buffer_size) {
            length = static_cast<DWORD>(name.size());
            return ::RegEnumValueW(key, index, name.data(), &length, nullptr, &type, buffer, &buffer_size);
        });
        if (status != ERROR_SUCCESS) return status;
        if (!visit(std::wstring_view(name.data(), length), type, data.data(), size)) return ERROR_SUCCESS;
    }
}

}  // namespace quorvel::win32
