#pragma once
// The list's colours: its own light grey behind the system's text colour, as long as that text reads on
// it. A contrast theme, or a dark text colour setting that makes the text light, gets the system's own
// window colours instead: white text on light grey cannot be read.

#include <cstdint>

namespace quorvel {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kListGrey{224, 224, 224};
// The least contrast ratio at which text reads comfortably (WCAG's level AA for normal text).
inline constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black and white), as WCAG defines it.
double ContrastRatio(Rgb first, Rgb second);

struct ListColours {
    Rgb background;
    Rgb text;
    bool operator==(const ListColours&) const = default;
};

// `window` and `window_text` are the system's window colours.
ListColours ChooseListColours(bool high_contrast, Rgb window, Rgb window_text);

}  // namespace quorvel
