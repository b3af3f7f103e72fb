#include "listview/list_colours.h"

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

// The relative luminance of an sRGB colour.
double Luminance(Rgb colour) {
    const auto linear = [](std::uint8_t channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

}  // namespace

double ContrastRatio(Rgb first, Rgb second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ListColours ChooseListColours(bool high_contrast, Rgb window, Rgb window_text) {
    if (high_contrast || ContrastRatio(window_text, kListGrey) < kReadableContrast)
        return {window, window_text};
    return {kListGrey, window_text};
}

}  // namespace quorvel
