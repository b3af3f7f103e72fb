#pragma once
// What the About box needs from the system to find the System Information tool: one registry value,
// read exactly as stored, and whether a file is an ordinary one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/registre.h"

namespace quorvel {

struct RawKeyValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;  // as stored: text is UTF-16LE, numbers little-endian
};

class AboutSystem {
  public:
    virtual ~AboutSystem() = default;
    // Opens the key with read rights only and reads one value into a buffer of `capacity` bytes.
    // Nothing when the key cannot be opened, the value is missing, or its data does not fit.
    virtual std::optional<RawKeyValue> ReadKeyValue(RootKey root, std::string_view path,
                                                    std::string_view name, std::size_t capacity) = 0;
    // True for an existing file that is neither a folder nor hidden nor a system file.
    virtual bool OrdinaryFileExists(std::string_view path) = 0;
};

}  // namespace quorvel
