#pragma once
// Where the System Information tool is registered, and whether a file is an ordinary one.

#include "platform/about_system.h"

namespace quorvel::win32 {

class SystemInfoLocator final : public AboutSystem {
  public:
    std::optional<RawKeyValue> ReadKeyValue(RootKey root, std::string_view path, std::string_view name,
                                            std::size_t capacity) override;
    bool OrdinaryFileExists(std::string_view path) override;
};

}  // namespace quorvel::win32
