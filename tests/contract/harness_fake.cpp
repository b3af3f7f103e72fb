#include "contract/registry_harness.h"

namespace quorvel::testing {
namespace {

class FakeHarness final : public RegistryHarness {
  public:
    Registre& Subject() override { return registry_; }
    void DeleteTree(RootKey root, std::string_view path) override { registry_.DeleteTree(root, path); }
    void SetRaw(RootKey root, std::string_view path, std::string_view name, const RawValue& value) override {
        registry_.SetRaw(root, path, name, value);
    }
    std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) override {
        return registry_.GetRaw(root, path, name);
    }
    bool KeyExists(RootKey root, std::string_view path) override { return registry_.KeyExists(root, path); }
    bool RefuseChangesUnder(RootKey root) override {
        registry_.RefuseChangesUnder(root);
        return true;
    }

  private:
    FakeRegistre registry_;
};

}  // namespace

std::unique_ptr<RegistryHarness> MakeRegistryHarness() { return std::make_unique<FakeHarness>(); }

}  // namespace quorvel::testing
