#include <windows.h>

#include <winternl.h>

#include <cstring>

#include "contract/registry_harness.h"
#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/registry_keys.h"
#include "win32/store/system_registre.h"

namespace quorvel::testing {
namespace {

using win32::Widen;

// Values are arranged and looked at through the native functions, which take counted names: a name
// with a NUL reaches exactly the value it names, whatever the registry module under test does.
struct Native {
    using Set = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
    using Query = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
    Set set;
    Query query;

    static const Native& Get() {
        static const Native native = [] {
            const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
            const auto find = [&](const char* name) {
                return reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, name));
            };
            return Native{reinterpret_cast<Set>(find("NtSetValueKey")),
                          reinterpret_cast<Query>(find("NtQueryValueKey"))};
        }();
        return native;
    }
};

UNICODE_STRING Counted(std::wstring& name) {
    const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    return UNICODE_STRING{bytes, bytes, name.data()};
}

class Win32Harness final : public RegistryHarness {
  public:
    Registre& Subject() override { return registry_; }

    void DeleteTree(RootKey root, std::string_view path) override {
        const std::optional<win32::Hive> hive = win32::HiveOf(root);
        win32::UniqueHKey key;
        if (!hive ||
            win32::OpenKey(root, path, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE,
                           key) != ERROR_SUCCESS) {
            return;
        }
        ::RegDeleteTreeW(key.get(), nullptr);
        key.reset();
        ::RegDeleteKeyExW(hive->key, Widen(path).c_str(), hive->view, 0);
    }

    void SetRaw(RootKey root, std::string_view path, std::string_view name, const RawValue& value) override {
        win32::UniqueHKey key;
        win32::CreateOrOpenKey(root, path, KEY_SET_VALUE, key);
        std::wstring wide = Widen(name);
        UNICODE_STRING counted = Counted(wide);
        Native::Get().set(key.get(), &counted, 0, value.type, value.data.data(),
                          static_cast<ULONG>(value.data.size()));
    }

    std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) override {
        win32::UniqueHKey key;
        if (win32::OpenKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return std::nullopt;
        std::wstring wide = Widen(name);
        UNICODE_STRING counted = Counted(wide);
        // KEY_VALUE_PARTIAL_INFORMATION: title index, type and size, then the data.
        constexpr int kPartial = 2;
        constexpr ULONG kHead = 3 * sizeof(ULONG);
        std::vector<std::uint8_t> buffer(kHead);
        ULONG needed = 0;
        NTSTATUS status = Native::Get().query(key.get(), &counted, kPartial, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed);
        if (status < 0 && needed > buffer.size()) {
            buffer.resize(needed);
            status = Native::Get().query(key.get(), &counted, kPartial, buffer.data(),
                                         static_cast<ULONG>(buffer.size()), &needed);
        }
        if (status < 0) return std::nullopt;
        ULONG head[3];
        std::memcpy(head, buffer.data(), sizeof(head));
        return RawValue{head[1],
                        std::vector<std::uint8_t>(buffer.begin() + kHead, buffer.begin() + kHead + head[2])};
    }

    bool KeyExists(RootKey root, std::string_view path) override {
        win32::UniqueHKey key;
        return win32::OpenKey(root, path, KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
    }

    bool RefuseChangesUnder(RootKey) override { return false; }

  private:
    win32::SystemRegistre registry_;
};

}  // namespace

std::unique_ptr<RegistryHarness> MakeRegistryHarness() { return std::make_unique<Win32Harness>(); }

}  // namespace quorvel::testing
