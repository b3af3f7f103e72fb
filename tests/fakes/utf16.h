#pragma once
// UTF-8 <-> UTF-16LE byte conversions for the fake registry, which stores string data the way the
// real one does (UTF-16LE, counted in bytes, terminator included).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::testing {

std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);
// The bytes of a string value: the UTF-16LE characters followed by a NUL character.
std::vector<std::uint8_t> StringData(std::string_view utf8);
// Case folding for key paths and value names, which the registry compares without case.
std::u16string FoldCase(std::u16string_view text);

}  // namespace quorvel::testing
