#include "win32/shared/text.h"

#include "store/utf16_text.h"

namespace quorvel::win32 {

// The system's own UTF-8 conversion replaces a surrogate without its partner, and a registry name may
// hold one: the program's lossless conversion serves both directions instead.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 code units");

std::wstring Widen(std::string_view utf8) {
    const std::u16string wide = Utf16FromUtf8(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view utf16) {
    return Utf8FromUtf16(std::u16string(utf16.begin(), utf16.end()));
}

}  // namespace quorvel::win32
