#pragma once
// How the words are put together: a whole message in one string, and what a message quotes.

#include <string>
#include <string_view>

#include "words/words.h"

namespace quorvel::words {

// Concatenates any mix of texts and characters into one string; chains of + on temporaries would also
// trip the optimiser's overlap warning.
template <typename... Parts>
std::string Join(const Parts&... parts) {
    std::string text;
    (text.append(std::string_view(parts)), ...);
    return text;
}

// Quoted: readable and shortened, in quotation marks. A NUL in a name would end the message there and
// hide all that follows it, the command a question is about included.
inline std::string Q(std::string_view text) { return Join("\"", Shortened(text), "\""); }

}  // namespace quorvel::words
