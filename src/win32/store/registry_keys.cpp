#include "win32/store/registry_keys.h"

#include <cstring>

#include "win32/shared/text.h"

namespace quorvel::win32 {

std::optional<Hive> HiveOf(RootKey root) {
    // The machine's keys are asked for by view, so that a 32-bit build of the program sees the same.
    if (root == kLocalMachine) return Hive{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY};
    if (root == kLocalMachine32) return Hive{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY};
    if (root == kCurrentUser) return Hive{HKEY_CURRENT_USER, 0};
    return std::nullopt;
}

LSTATUS OpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const std::optional<Hive> hive = HiveOf(root);
    if (!hive) return ERROR_INVALID_HANDLE;
    const LSTATUS status = ::RegOpenKeyExW(hive->key, Widen(path).c_str(), 0, access | hive->view, key.put());
    if (status != ERROR_SUCCESS) key.release();
    return status;
}

LSTATUS CreateOrOpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const std::optional<Hive> hive = HiveOf(root);
    if (!hive) return ERROR_INVALID_HANDLE;
    const LSTATUS status =
        ::RegCreateKeyExW(hive->key, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          access | hive->view, nullptr, key.put(), nullptr);
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
