#pragma once
// UTF-8, the program's own text, from and to UTF-16, the registry's, for the portable code that
// handles raw registry data.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A surrogate without its partner, or a malformed UTF-8 sequence, becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);
std::u16string Utf16FromUtf8(std::string_view utf8);

// A string value's data (UTF-16LE bytes) as text, up to its first NUL; an odd last byte is no character.
std::string Utf8FromStringData(const std::vector<std::uint8_t>& data);

}  // namespace quorvel
