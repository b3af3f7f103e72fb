#pragma once
// What the registry contract needs beside the Registre under test: raw access to arrange values of
// every type and to look at what was stored, and a scratch key it can delete.

#include <memory>
#include <optional>
#include <string_view>

#include "fakes/fake_registre.h"

namespace quorvel::testing {

class RegistryHarness {
  public:
    virtual ~RegistryHarness() = default;
    virtual Registre& Subject() = 0;
    virtual void DeleteTree(RootKey root, std::string_view path) = 0;
    virtual void SetRaw(RootKey root, std::string_view path, std::string_view name,
                        const RawValue& value) = 0;
    virtual std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) = 0;
    virtual bool KeyExists(RootKey root, std::string_view path) = 0;
    // Makes changes under the root fail as for a user without rights; false where that cannot be arranged.
    virtual bool RefuseChangesUnder(RootKey root) = 0;
};

// One definition per test program: the fake natively, the real registry under Wine.
std::unique_ptr<RegistryHarness> MakeRegistryHarness();

}  // namespace quorvel::testing
