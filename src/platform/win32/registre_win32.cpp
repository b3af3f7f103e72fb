#include "platform/win32/registre_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/process_launcher_win32.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {
namespace {

// Value names may be up to 16,383 characters; enumeration buffers start at the key's own maximum.
constexpr DWORD kMaxValueNameChars = 16383;

// Opens an existing key; never creates one.
LSTATUS OpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const HKEY base = PredefinedKey(root);
    if (base == nullptr) return ERROR_INVALID_HANDLE;
    const LSTATUS status = ::RegOpenKeyExW(base, Widen(path).c_str(), 0, access, key.put());
    if (status != ERROR_SUCCESS) key.release();
    return status;
}

UniqueHKey OpenKey(RootKey root, std::string_view path, REGSAM access) {
    UniqueHKey key;
    OpenKey(root, path, access, key);
    return key;
}

// Opens a key, creating it and its missing parents first.
LSTATUS CreateOrOpenKey(RootKey root, std::string_view path, REGSAM access, UniqueHKey& key) {
    const HKEY base = PredefinedKey(root);
    if (base == nullptr) return ERROR_INVALID_HANDLE;
    const LSTATUS status = ::RegCreateKeyExW(base, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             access, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) key.release();
    return status;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// A string value's characters up to its first NUL; an odd trailing byte is no character.
std::string TextOfData(const BYTE* data, DWORD size) {
    std::wstring wide(size / sizeof(wchar_t), L'\0');
    if (!wide.empty()) std::memcpy(wide.data(), data, wide.size() * sizeof(wchar_t));
    if (const size_t nul = wide.find(L'\0'); nul != std::wstring::npos) wide.resize(nul);
    return Narrow(wide);
}

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Reads type and data, growing the buffer if another program enlarges the value meanwhile.
bool QueryRaw(HKEY key, const std::wstring& name, RawValue& value) {
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
        if (attempt == 8) return false;
        value.data.resize(size);
        status = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                    value.data.empty() ? nullptr : value.data.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size);
            return true;
        }
    }
    return false;
}

}  // namespace

HKEY PredefinedKey(RootKey root) {
    if (root == kLocalMachine) return HKEY_LOCAL_MACHINE;
    if (root == kCurrentUser) return HKEY_CURRENT_USER;
    return nullptr;
}

bool Win32Registre::DeleteValue(RootKey root, std::string_view path, std::string_view name) {
    // Success means the value is gone: a missing key or value is no failure, a refusal is.
    UniqueHKey key;
    const LSTATUS opened = OpenKey(root, path, KEY_SET_VALUE, key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (!Check(opened)) return false;
    const LSTATUS status = ::RegDeleteValueW(key.get(), Widen(name).c_str());
    return status == ERROR_FILE_NOT_FOUND || Check(status);
}

bool Win32Registre::WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                                     std::string_view text) {
    UniqueHKey key;
    if (!Check(CreateOrOpenKey(root, path, KEY_SET_VALUE, key))) return false;
    const std::wstring wide = Widen(text);
    const DWORD size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return Check(::RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(wide.c_str()), size));
}

bool Win32Registre::CreateKey(RootKey root, std::string_view path) {
    UniqueHKey key;
    return Check(CreateOrOpenKey(root, path, KEY_QUERY_VALUE, key));
}

std::string Win32Registre::ReadStringValue(RootKey root, std::string_view path, std::string_view name) {
    const UniqueHKey key = OpenKey(root, path, KEY_QUERY_VALUE);
    RawValue value;
    if (!key || !QueryRaw(key.get(), Widen(name), value) || !IsText(value.type)) return {};
    return TextOfData(value.data.data(), static_cast<DWORD>(value.data.size()));
}

bool Win32Registre::ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) {
    // The same enumeration as ListValues, whose rules (names of any length, values without data left
    // out, an end on any other failure) it must share; reading the data too costs nothing that matters.
    std::vector<NamedText> values;
    const bool complete = ListValues(values, root, path);
    for (NamedText& value : values)
        list.push_back(std::move(value.name));
    return complete;
}

bool Win32Registre::ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) {
    UniqueHKey key;
    if (!Check(OpenKey(root, path, KEY_QUERY_VALUE, key))) return false;
    DWORD longest_name = 0;
    DWORD longest_data = 0;
    ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longest_name, &longest_data, nullptr, nullptr);
    std::wstring name(std::min(longest_name, kMaxValueNameChars) + 1, L'\0');
    std::vector<BYTE> data(std::max<DWORD>(longest_data, 2));
    int retries = 0;
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD data_size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LSTATUS status =
            ::RegEnumValueW(key.get(), index, name.data(), &length, nullptr, &type, data.data(), &data_size);
        if (status == ERROR_NO_MORE_ITEMS) return true;
        if (status == ERROR_MORE_DATA && ++retries < 8) {
            // The value grew while we read: make room for the largest name and the reported data.
            name.assign(kMaxValueNameChars + 1, L'\0');
            data.resize(std::max<size_t>(data.size() * 2, data_size));
            continue;
        }
        if (!Check(status)) return false;
        retries = 0;
        if (data_size > 0) {
            list.push_back({Narrow(std::wstring_view(name.data(), length)),
                            IsText(type) ? TextOfData(data.data(), data_size) : std::string(),
                            type == REG_EXPAND_SZ});
        }
        ++index;
    }
}

bool Win32Registre::CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                              std::string_view name) {
    const std::wstring wide_name = Widen(name);
    RawValue value;
    {
        UniqueHKey from;
        if (!Check(OpenKey(root, from_path, KEY_QUERY_VALUE, from))) return false;
        if (!QueryRaw(from.get(), wide_name, value)) return Check(ERROR_FILE_NOT_FOUND);
    }
    UniqueHKey to;
    if (!Check(CreateOrOpenKey(root, to_path, KEY_SET_VALUE, to))) return false;
    return Check(::RegSetValueExW(to.get(), wide_name.c_str(), 0, value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size())));
}

std::optional<RegistryValue> Win32Registre::ReadRawValue(RootKey root, std::string_view path,
                                                         std::string_view name) {
    UniqueHKey key;
    RawValue value;
    if (!Check(OpenKey(root, path, KEY_QUERY_VALUE, key))) return std::nullopt;
    if (!QueryRaw(key.get(), Widen(name), value)) {
        Check(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    return RegistryValue{value.type, std::move(value.data)};
}

bool Win32Registre::WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                                  const RegistryValue& value) {
    UniqueHKey key;
    if (!Check(CreateOrOpenKey(root, path, KEY_SET_VALUE, key))) return false;
    return Check(::RegSetValueExW(key.get(), Widen(name).c_str(), 0, value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size())));
}

std::string Win32Registre::LastError() const { return DescribeError(static_cast<DWORD>(last_error_)); }

bool Win32Registre::Check(LSTATUS status) {
    if (status != ERROR_SUCCESS) last_error_ = status;
    return status == ERROR_SUCCESS;
}

}  // namespace quorvel::win32
