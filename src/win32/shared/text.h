#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 boundary: conversions happen here and nowhere else.

#include <string>
#include <string_view>

namespace quorvel::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace quorvel::win32
