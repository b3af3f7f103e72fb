#include <windows.h>

#include "contract/registry_harness.h"
#include "platform/win32/shared/handles.h"
#include "platform/win32/shared/text.h"
#include "platform/win32/store/registry_keys.h"
#include "platform/win32/store/system_registre.h"

namespace quorvel::testing {
namespace {

using win32::Widen;

class Win32Harness final : public RegistryHarness {
  public:
    Registre& Subject() override { return registry_; }

    void DeleteTree(RootKey root, std::string_view path) override {
        ::RegDeleteTreeW(win32::PredefinedKey(root), Widen(path).c_str());
        ::RegDeleteKeyW(win32::PredefinedKey(root), Widen(path).c_str());
    }

    void SetRaw(RootKey root, std::string_view path, std::string_view name, const RawValue& value) override {
        win32::UniqueHKey key;
        ::RegCreateKeyExW(win32::PredefinedKey(root), Widen(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr);
        ::RegSetValueExW(key.get(), Widen(name).c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    }

    std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) override {
        win32::UniqueHKey key;
        if (::RegOpenKeyExW(win32::PredefinedKey(root), Widen(path).c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
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
        return ::RegOpenKeyExW(win32::PredefinedKey(root), Widen(path).c_str(), 0, KEY_QUERY_VALUE,
                               key.put()) == ERROR_SUCCESS;
    }

    bool RefuseChangesUnder(RootKey) override { return false; }

  private:
    win32::SystemRegistre registry_;
};

}  // namespace

std::unique_ptr<RegistryHarness> MakeRegistryHarness() { return std::make_unique<Win32Harness>(); }

}  // namespace quorvel::testing
