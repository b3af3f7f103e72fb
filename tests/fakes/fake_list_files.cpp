#include "fakes/fake_list_files.h"

namespace quorvel::testing {

std::optional<std::string> FakeTextCodec::ToAnsi(std::string_view utf8) const {
    std::string ansi;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            ansi += static_cast<char>(byte);
            continue;
        }
        // Two-byte sequences C2 80..C3 BF are U+0080..U+00FF; everything else lies beyond Latin-1
        // or is no UTF-8 at all.
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= utf8.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        ansi += static_cast<char>(((byte & 0x1F) << 6) | (next & 0x3F));
    }
    return ansi;
}

std::string FakeTextCodec::FromAnsi(std::string_view bytes) const {
    std::string utf8;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace quorvel::testing
