#pragma once
// The console program's two output streams.

#include <string_view>

namespace quorvel {

class Console {
  public:
    virtual ~Console() = default;
    // Standard output: what scripts parse. UTF-8 text.
    virtual void Out(std::string_view text) = 0;
    // Standard error: messages for people. UTF-8 text.
    virtual void Err(std::string_view text) = 0;
};

}  // namespace quorvel
