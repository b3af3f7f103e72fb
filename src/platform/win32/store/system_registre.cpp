#include "platform/win32/store/system_registre.h"

#include <algorithm>

#include "platform/win32/shared/errors.h"
#include "platform/win32/shared/handles.h"
#include "platform/win32/shared/text.h"
#include "platform/win32/store/registry_keys.h"

namespace quorvel::win32 {
namespace {

// Value names may be up to 16,383 characters; enumeration buffers start at the key's own maximum.
constexpr DWORD kMaxValueNameChars = 16383;

}  // namespace

bool SystemRegistre::DeleteValue(RootKey root, std::string_view path, std::string_view name) {
    // Success means the value is gone: a missing key or value is no failure, a refusal is.
    UniqueHKey key;
    const LSTATUS opened = OpenKey(root, path, KEY_SET_VALUE, key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (!Check(opened)) return false;
    const LSTATUS status = ::RegDeleteValueW(key.get(), Widen(name).c_str());
    return status == ERROR_FILE_NOT_FOUND || Check(status);
}

bool SystemRegistre::WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                                      std::string_view text) {
    UniqueHKey key;
    if (!Check(CreateOrOpenKey(root, path, KEY_SET_VALUE, key))) return false;
    const std::wstring wide = Widen(text);
    const DWORD size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return Check(::RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(wide.c_str()), size));
}

bool SystemRegistre::CreateKey(RootKey root, std::string_view path) {
    UniqueHKey key;
    return Check(CreateOrOpenKey(root, path, KEY_QUERY_VALUE, key));
}

std::string SystemRegistre::ReadStringValue(RootKey root, std::string_view path, std::string_view name) {
    UniqueHKey key;
    RawData value;
    if (OpenKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS ||
        ReadValue(key.get(), Widen(name), value) != ERROR_SUCCESS || !IsText(value.type)) {
        return {};
    }
    return TextOfData(value.data.data(), value.data.size());
}

bool SystemRegistre::ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) {
    // The same enumeration as ListValues, whose rules (names of any length, values without data left
    // out, an end on any other failure) it must share; reading the data too costs nothing that matters.
    std::vector<NamedText> values;
    const bool complete = ListValues(values, root, path);
    for (NamedText& value : values)
        list.push_back(std::move(value.name));
    return complete;
}

bool SystemRegistre::ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) {
    UniqueHKey key;
    if (!Check(OpenKey(root, path, KEY_QUERY_VALUE, key))) return false;
    DWORD longest_data = 0;
    ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longest_data, nullptr, nullptr);
    // Room for the longest name a value can have, so that only data that grew needs another read.
    std::wstring name(kMaxValueNameChars + 1, L'\0');
    std::vector<BYTE> data(std::max<DWORD>(longest_data, 2));
    for (DWORD index = 0;; ++index) {
        DWORD length = 0;
        DWORD data_size = 0;
        DWORD type = REG_NONE;
        const LSTATUS status = ReadGrowing(data, data_size, [&](BYTE* buffer, DWORD& size) {
            length = static_cast<DWORD>(name.size());
            return ::RegEnumValueW(key.get(), index, name.data(), &length, nullptr, &type, buffer, &size);
        });
        if (status == ERROR_NO_MORE_ITEMS) return true;
        if (!Check(status)) return false;
        if (data_size > 0) {
            list.push_back({Narrow(std::wstring_view(name.data(), length)),
                            IsText(type) ? TextOfData(data.data(), data_size) : std::string(),
                            type == REG_EXPAND_SZ});
        }
    }
}

bool SystemRegistre::CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                               std::string_view name) {
    const std::wstring wide_name = Widen(name);
    RawData value;
    {
        UniqueHKey from;
        if (!Check(OpenKey(root, from_path, KEY_QUERY_VALUE, from))) return false;
        if (!Check(ReadValue(from.get(), wide_name, value))) return false;
    }
    UniqueHKey to;
    if (!Check(CreateOrOpenKey(root, to_path, KEY_SET_VALUE, to))) return false;
    return Check(::RegSetValueExW(to.get(), wide_name.c_str(), 0, value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size())));
}

std::optional<RegistryValue> SystemRegistre::ReadRawValue(RootKey root, std::string_view path,
                                                          std::string_view name) {
    UniqueHKey key;
    RawData value;
    if (!Check(OpenKey(root, path, KEY_QUERY_VALUE, key))) return std::nullopt;
    if (!Check(ReadValue(key.get(), Widen(name), value))) return std::nullopt;
    return RegistryValue{value.type, std::move(value.data)};
}

bool SystemRegistre::WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                                   const RegistryValue& value) {
    UniqueHKey key;
    if (!Check(CreateOrOpenKey(root, path, KEY_SET_VALUE, key))) return false;
    return Check(::RegSetValueExW(key.get(), Widen(name).c_str(), 0, value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size())));
}

std::string SystemRegistre::LastError() const { return DescribeError(static_cast<DWORD>(last_error_)); }

bool SystemRegistre::Check(LSTATUS status) {
    if (status != ERROR_SUCCESS) last_error_ = status;
    return status == ERROR_SUCCESS;
}

}  // namespace quorvel::win32
