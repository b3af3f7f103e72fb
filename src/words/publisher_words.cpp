#include "words/publisher_words.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quorvel::words {
namespace {

constexpr std::string_view kVerifiedMark = "(Verified)";

// Characters that turn the text after them around or hide it (right-to-left overrides, embeddings
// and isolates, direction marks), as UTF-8: a name holding one could make the mark that follows it
// read backwards.
constexpr std::array<std::string_view, 12> kDirectionControls{"\u061C", "\u200E", "\u200F", "\u202A",
                                                              "\u202B", "\u202C", "\u202D", "\u202E",
                                                              "\u2066", "\u2067", "\u2068", "\u2069"};

std::size_t FindIgnoringCase(std::string_view text, std::string_view part) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        if (std::equal(part.begin(), part.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return at;
    }
    return std::string_view::npos;
}

// The name as it may stand beside a mark: without control characters, direction controls and any
// "(Verified)" of its own, and without blanks around it.
std::string Shown(std::string_view name) {
    std::string shown;
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        // C0 controls and DEL, and the C1 controls U+0080 to U+009F (C2 80 to C2 9F).
        if (byte < 0x20 || byte == 0x7F) {
            ++i;
            continue;
        }
        if (byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(name[i + 1]) <= 0x9F) {
            i += 2;
            continue;
        }
        bool skipped = false;
        for (const std::string_view control : kDirectionControls) {
            if (name.substr(i).starts_with(control)) {
                i += control.size();
                skipped = true;
                break;
            }
        }
        if (!skipped) shown += name[i++];
    }
    // Removing one mark may join the halves of another around it: "((Verified)Verified)".
    for (auto at = FindIgnoringCase(shown, kVerifiedMark); at != std::string::npos;
         at = FindIgnoringCase(shown, kVerifiedMark))
        shown.erase(at, kVerifiedMark.size());
    const auto first = shown.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return shown.substr(first, shown.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string VerifiedPublisher(std::string_view signer) {
    const std::string name = Shown(signer);
    return name.empty() ? std::string(kVerifiedMark) : std::string(kVerifiedMark) + " " + name;
}

std::string UnverifiedPublisher(std::string_view company) {
    const std::string name = Shown(company);
    return name.empty() ? name : name + " (not verified)";
}

std::string UntrustedPublisher(std::string_view name) {
    const std::string shown = Shown(name);
    return shown.empty() ? "(signature not trusted)" : shown + " (signature not trusted)";
}

}  // namespace quorvel::words
