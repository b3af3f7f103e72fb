#include "platform/win32/store/registry_keys.h"

#include <cstring>

#include "platform/win32/shared/text.h"

namespace quorvel::win32 {

HKEY PredefinedKey(RootKey root) {
    if (root == kLocalMachine) return HKEY_LOCAL_MACHINE;
    if (root == kCurrentUser) return HKEY_CURRENT_USER;
    return nullptr;
}

LSTATUS OpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const HKEY base = PredefinedKey(root);
    if (base == nullptr) return ERROR_INVALID_HANDLE;
    const LSTATUS status = ::RegOpenKeyExW(base, Widen(path).c_str(), 0, access, key.put());
    if (status != ERROR_SUCCESS) key.release();
    return status;
}

LSTATUS CreateOrOpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const HKEY base = PredefinedKey(root);
    if (base == nullptr) return ERROR_INVALID_HANDLE;
    const LSTATUS status = ::RegCreateKeyExW(base, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             access, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) key.release();
    return status;
}

LSTATUS ReadValue(HKEY key, const std::wstring& name, RawData& value) {
    DWORD size = 0;
    const LSTATUS found = ::RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    if (found != ERROR_SUCCESS) return found;
    value.data.resize(size);
    const LSTATUS status = ReadGrowing(value.data, size, [&](BYTE* buffer, DWORD& buffer_size) {
        return ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, buffer, &buffer_size);
    });
    if (status == ERROR_SUCCESS) value.data.resize(size);
    return status;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

std::string TextOfData(const BYTE* data, size_t size) {
    std::wstring wide(size / sizeof(wchar_t), L'\0');
    if (!wide.empty()) std::memcpy(wide.data(), data, wide.size() * sizeof(wchar_t));
    if (const size_t nul = wide.find(L'\0'); nul != std::wstring::npos) wide.resize(nul);
    return Narrow(wide);
}

}  // namespace quorvel::win32
