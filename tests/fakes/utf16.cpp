#include "fakes/utf16.h"

#include "store/utf16_text.h"

namespace quorvel::testing {

std::u16string ToUtf16(std::string_view utf8) { return Utf16FromUtf8(utf8); }

std::string FromUtf16(std::u16string_view utf16) { return Utf8FromUtf16(utf16); }

std::vector<std::uint8_t> StringData(std::string_view utf8) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : ToUtf16(utf8)) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return folded;
}

}  // namespace quorvel::testing
