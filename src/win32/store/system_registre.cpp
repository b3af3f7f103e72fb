#include "win32/store/system_registre.h"

#include <algorithm>
#include <unordered_set>

#include "store/utf16_text.h"
#include "win32/shared/errors.h"
#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/registry_keys.h"

namespace quorvel::win32 {
namespace {

// What another program's change to a key changes: its value count or its last-write time.
struct KeyStamp {
    DWORD values = 0;
    FILETIME written{};
    bool operator==(const KeyStamp& other) const {
        return values == other.values && written.dwLowDateTime == other.written.dwLowDateTime &&
               written.dwHighDateTime == other.written.dwHighDateTime;
    }
};

std::optional<KeyStamp> StampOf(HKEY key) {
    KeyStamp stamp;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &stamp.values, nullptr,
                           nullptr, nullptr, &stamp.written) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return stamp;
}

}  // namespace

template <typename Item, typename Read>
LSTATUS SystemRegistre::ReadSteadily(HKEY key, std::vector<Item>& list, Read&& read) {
    // Values are enumerated by index: a value another program adds or deletes meanwhile shifts the
    // others, and one is listed twice or not at all. A reading during which the key did not change is
    // whole; after a few disturbed ones, every name any of them saw is kept once, in its first spelling.
    constexpr int kReadings = 8;
    std::vector<Item> seen;
    std::unordered_set<std::string> names;
    for (int reading = 0; reading < kReadings; ++reading) {
        std::vector<Item> items;
        const std::optional<KeyStamp> before = StampOf(key);
        const LSTATUS status = read(items);
        const std::optional<KeyStamp> after = StampOf(key);
        if (status != ERROR_NO_MORE_ITEMS || !before || !after || *before == *after) {
            list.insert(list.end(), std::make_move_iterator(items.begin()),
                        std::make_move_iterator(items.end()));
            return status;
        }
        for (Item& item : items) {
            if (names.insert(FoldedName(item.name)).second) seen.push_back(std::move(item));
        }
    }
    list.insert(list.end(), std::make_move_iterator(seen.begin()), std::make_move_iterator(seen.end()));
    return ERROR_NO_MORE_ITEMS;
}

bool SystemRegistre::DeleteValue(RootKey root, std::string_view path, std::string_view name) {
    // Success means the value is gone: a missing key or value is no failure, a refusal is.
    UniqueHKey key;
    const LSTATUS opened = OpenKey(root, path, KEY_SET_VALUE, key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (!Check(opened)) return false;
    const LSTATUS status = RemoveValue(key.get(), Widen(name));
    return status == ERROR_FILE_NOT_FOUND || Check(status);
}

bool SystemRegistre::WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                                      std::string_view text) {
    UniqueHKey key;
    if (!Check(CreateOrOpenKey(root, path, KEY_SET_VALUE, key))) return false;
    const std::wstring wide = Widen(text);
    const DWORD size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return Check(SetValue(key.get(), Widen(name), REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()), size));
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
    const LSTATUS status = ReadSteadily(key.get(), list, [&](std::vector<NamedText>& items) {
        return ForEachValue(key.get(), [&](std::wstring_view name, DWORD type, const BYTE* data, DWORD size) {
            if (size > 0)
                items.push_back({Narrow(name), IsText(type) ? TextOfData(data, size) : std::string(), type});
            return true;
        });
    });
    return status == ERROR_NO_MORE_ITEMS || Check(status);
}

bool SystemRegistre::ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) {
    UniqueHKey key;
    if (!Check(OpenKey(root, path, KEY_QUERY_VALUE, key))) return false;
    const LSTATUS status = ReadSteadily(key.get(), list, [&](std::vector<NamedValue>& items) {
        return ForEachValue(key.get(), [&](std::wstring_view name, DWORD type, const BYTE* data, DWORD size) {
            items.push_back(
                {Narrow(name), RegistryValue{type, std::vector<std::uint8_t>(data, data + size)}});
            return true;
        });
    });
    return status == ERROR_NO_MORE_ITEMS || Check(status);
}

bool SystemRegistre::HasRoot(RootKey root) const {
    if (root != kLocalMachine32) return HiveOf(root).has_value();
    // The 32-bit view is a view of its own only where Windows itself is 64-bit; elsewhere it would show
    // the same keys twice.
    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    return system.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
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
    return Check(
        SetValue(to.get(), wide_name, value.type, value.data.data(), static_cast<DWORD>(value.data.size())));
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
    return Check(SetValue(key.get(), Widen(name), value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size())));
}

std::string SystemRegistre::FoldedName(std::string_view name) const {
    // Most names are ASCII, whose upper case needs no table.
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return AsciiUpperCase(name);
    std::wstring wide = Widen(name);
    for (wchar_t& unit : wide)
        unit = UpcaseUnit(unit);
    return Narrow(wide);
}

std::string SystemRegistre::LastError() const { return DescribeError(static_cast<DWORD>(last_error_)); }

bool SystemRegistre::Check(LSTATUS status) {
    if (status != ERROR_SUCCESS) last_error_ = status;
    return status == ERROR_SUCCESS;
}

}  // namespace quorvel::win32
