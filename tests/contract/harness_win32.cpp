#include <windows.h>

#include "contract/registry_harness.h"
#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/registry_keys.h"
#include "win32/store/system_registre.h"

namespace quorvel::testing {
namespace {

using win32::Widen;

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
        ::RegSetValueExW(key.get(), Widen(name).c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    }

    std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) override {
        win32::UniqueHKey key;
        if (win32::OpenKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return std::nullopt;
        const std::wstring wide_name = Widen(name);
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key.get(), wide_name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        RawValue value{type, std::vector<std::uint8_t>(size)};
        ::RegQueryValueExW(key.get(), wide_name.c_str(), nullptr, &type, value.data.data(), &size);
        return value;
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
