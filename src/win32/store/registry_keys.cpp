#include "win32/store/registry_keys.h"

#include <winternl.h>

#include <cstring>
#include <limits>

#include "win32/shared/system_library.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

// The native registry functions, from ntdll (loaded in every process) by name, so that any tool chain
// builds without its import library.
using NtQueryValueKeyFunction = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
using NtSetValueKeyFunction = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
using NtDeleteValueKeyFunction = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*);
using RtlNtStatusToDosErrorFunction = ULONG(NTAPI*)(NTSTATUS);
using RtlUpcaseUnicodeCharFunction = WCHAR(NTAPI*)(WCHAR);

struct Native {
    NtQueryValueKeyFunction query = nullptr;
    NtSetValueKeyFunction set = nullptr;
    NtDeleteValueKeyFunction remove = nullptr;
    RtlNtStatusToDosErrorFunction error = nullptr;
    RtlUpcaseUnicodeCharFunction upcase = nullptr;

    bool HasValues() const {
        return query != nullptr && set != nullptr && remove != nullptr && error != nullptr;
    }
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
    // Through a generic function pointer, the cast every GetProcAddress result needs.
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

const Native& NativeFunctions() {
    static const Native native = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return Native{Find<NtQueryValueKeyFunction>(ntdll, "NtQueryValueKey"),
                      Find<NtSetValueKeyFunction>(ntdll, "NtSetValueKey"),
                      Find<NtDeleteValueKeyFunction>(ntdll, "NtDeleteValueKey"),
                      Find<RtlNtStatusToDosErrorFunction>(ntdll, "RtlNtStatusToDosError"),
                      Find<RtlUpcaseUnicodeCharFunction>(ntdll, "RtlUpcaseUnicodeChar")};
    }();
    return native;
}

bool HasNul(std::wstring_view name) { return name.find(L'\0') != std::wstring_view::npos; }

// A counted name for the native functions; false when the name is longer than a counted string holds.
bool Counted(std::wstring_view name, UNICODE_STRING& counted) {
    constexpr size_t kMostBytes = std::numeric_limits<USHORT>::max() - 1;
    if (name.size() * sizeof(wchar_t) > kMostBytes) return false;
    counted.Length = counted.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    counted.Buffer = const_cast<wchar_t*>(name.data());
    return true;
}

// What the native query answers with, before the data: KEY_VALUE_PARTIAL_INFORMATION's head.
struct PartialHead {
    ULONG title_index;
    ULONG type;
    ULONG size;
};
constexpr int kKeyValuePartialInformation = 2;
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);

LSTATUS NativeQuery(HKEY key, UNICODE_STRING& name, DWORD* type, BYTE* data, DWORD* size) {
    const Native& native = NativeFunctions();
    const DWORD room = data != nullptr && size != nullptr ? *size : 0;
    std::vector<BYTE> buffer(sizeof(PartialHead) + room);
    ULONG needed = 0;
    const NTSTATUS status = native.query(key, &name, kKeyValuePartialInformation, buffer.data(),
                                         static_cast<ULONG>(buffer.size()), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
        constexpr ULONG kHead = sizeof(PartialHead);
        if (size != nullptr) *size = needed > kHead ? needed - kHead : 0;
        // Asked for the size only, as RegQueryValueExW is with no buffer: that is an answer.
        return data == nullptr ? ERROR_SUCCESS : ERROR_MORE_DATA;
    }
    if (status < 0) return static_cast<LSTATUS>(native.error(status));
    PartialHead head{};
    std::memcpy(&head, buffer.data(), sizeof(head));
    if (type != nullptr) *type = head.type;
    if (size != nullptr) *size = head.size;
    if (data != nullptr) std::memcpy(data, buffer.data() + sizeof(head), head.size);
    return ERROR_SUCCESS;
}

}  // namespace

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

LSTATUS QueryValue(HKEY key, std::wstring_view name, DWORD* type, BYTE* data, DWORD* size) {
    if (!HasNul(name)) return ::RegQueryValueExW(key, std::wstring(name).c_str(), nullptr, type, data, size);
    UNICODE_STRING counted{};
    if (!NativeFunctions().HasValues()) return ERROR_NOT_SUPPORTED;
    if (!Counted(name, counted)) return ERROR_INVALID_PARAMETER;
    return NativeQuery(key, counted, type, data, size);
}

LSTATUS SetValue(HKEY key, std::wstring_view name, DWORD type, const BYTE* data, DWORD size) {
    if (!HasNul(name)) return ::RegSetValueExW(key, std::wstring(name).c_str(), 0, type, data, size);
    const Native& native = NativeFunctions();
    UNICODE_STRING counted{};
    if (!native.HasValues()) return ERROR_NOT_SUPPORTED;
    if (!Counted(name, counted)) return ERROR_INVALID_PARAMETER;
    const NTSTATUS status = native.set(key, &counted, 0, type, data, size);
    return status < 0 ? static_cast<LSTATUS>(native.error(status)) : ERROR_SUCCESS;
}

LSTATUS RemoveValue(HKEY key, std::wstring_view name) {
    if (!HasNul(name)) return ::RegDeleteValueW(key, std::wstring(name).c_str());
    const Native& native = NativeFunctions();
    UNICODE_STRING counted{};
    if (!native.HasValues()) return ERROR_NOT_SUPPORTED;
    if (!Counted(name, counted)) return ERROR_INVALID_PARAMETER;
    const NTSTATUS status = native.remove(key, &counted);
    return status < 0 ? static_cast<LSTATUS>(native.error(status)) : ERROR_SUCCESS;
}

wchar_t UpcaseUnit(wchar_t unit) {
    if (unit < 0x80) return unit >= L'a' && unit <= L'z' ? static_cast<wchar_t>(unit - L'a' + L'A') : unit;
    if (const auto upcase = NativeFunctions().upcase) return upcase(unit);
    // The user interface's upper case is the nearest there is; from user32 only when needed, so that
    // the console companion links no window library.
    static SystemLibrary user32(L"user32.dll");
    using CharUpperBuffFunction = DWORD(WINAPI*)(LPWSTR, DWORD);
    if (const auto upper = user32.Get<CharUpperBuffFunction>("CharUpperBuffW")) upper(&unit, 1);
    return unit;
}

LSTATUS ReadValue(HKEY key, std::wstring_view name, RawData& value) {
    DWORD size = 0;
    const LSTATUS found = QueryValue(key, name, nullptr, nullptr, &size);
    if (found != ERROR_SUCCESS) return found;
    value.data.resize(size);
    const LSTATUS status = ReadGrowing(value.data, size, [&](BYTE* buffer, DWORD& buffer_size) {
        return QueryValue(key, name, &value.type, buffer, &buffer_size);
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
