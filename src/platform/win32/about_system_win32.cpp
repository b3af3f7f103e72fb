#include "platform/win32/about_system_win32.h"

#include <windows.h>

#include <limits>

#include "platform/win32/handles.h"
#include "platform/win32/registre_win32.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {

std::optional<RawKeyValue> Win32AboutSystem::ReadKeyValue(RootKey root, std::string_view path,
                                                          std::string_view name, std::size_t capacity) {
    const HKEY base = PredefinedKey(root);
    if (base == nullptr || capacity > std::numeric_limits<DWORD>::max()) return std::nullopt;
    // Query rights only: users who may not write under HKEY_LOCAL_MACHINE must still find the tool.
    UniqueHKey key;
    if (::RegOpenKeyExW(base, Widen(path).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        key.release();
        return std::nullopt;
    }
    RawKeyValue value;
    value.data.resize(capacity);
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(capacity);
    // A value too big for the buffer fails with ERROR_MORE_DATA and counts as missing.
    if (::RegQueryValueExW(key.get(), Widen(name).c_str(), nullptr, &type, value.data.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.type = type;
    value.data.resize(size);
    return value;
}

bool Win32AboutSystem::OrdinaryFileExists(std::string_view path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace quorvel::win32
