#pragma once
// UTF-8, the program's own text, from and to UTF-16, the registry's. Registry names need not be valid
// UTF-16, so the conversion is lossless both ways (WTF-8): a surrogate without its partner is written
// as its own three-byte sequence (ED A0..BF xx) and read back as the same code unit, and a NUL is a
// '\0' byte.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

std::string Utf8FromUtf16(std::u16string_view utf16);
// Only bytes that are no such sequence at all (from a damaged file) become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);

// The text with its ASCII letters in upper case and every other byte as it is.
std::string AsciiUpperCase(std::string_view text);

// A string value's data (UTF-16LE bytes) as text, up to its first NUL; an odd last byte is no character.
std::string Utf8FromStringData(const std::vector<std::uint8_t>& data);

}  // namespace quorvel
