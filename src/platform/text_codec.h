#pragma once
// The system's ANSI code page, which older files of the program are written in.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class TextCodec {
  public:
    virtual ~TextCodec() = default;
    // The text in the ANSI code page, or nothing when any character has no exact place in it (no
    // look-alike and no "?" is ever put in its stead).
    virtual std::optional<std::string> ToAnsi(std::string_view utf8) const = 0;
    // ANSI code page bytes as UTF-8.
    virtual std::string FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace quorvel
