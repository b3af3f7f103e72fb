#include "win32/about/system_info_locator.h"

#include <windows.h>

#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/registry_keys.h"

namespace quorvel::win32 {

std::optional<RawKeyValue> SystemInfoLocator::ReadKeyValue(RootKey root, std::string_view path,
                                                           std::string_view name, std::size_t capacity) {
    // Query rights only: users who may not write under HKEY_LOCAL_MACHINE must still find the tool.
    UniqueHKey key;
    RawData value;
    if (OpenKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS ||
        ReadValue(key.get(), Widen(name), value) != ERROR_SUCCESS || value.data.size() > capacity) {
        return std::nullopt;
    }
    return RawKeyValue{value.type, std::move(value.data)};
}

bool SystemInfoLocator::OrdinaryFileExists(std::string_view path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace quorvel::win32
