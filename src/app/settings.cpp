#include "app/settings.h"

#include <charconv>

namespace quorvel {

std::int16_t BtoV(bool checked) { return checked ? 1 : 0; }

bool VtoB(std::int16_t value) { return value == 1; }

std::int16_t ReadSettingsNumber(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return 0;
    line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
    if (!line.empty() && line.front() == '+') line.remove_prefix(1);
    std::int16_t value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size()) return 0;
    return value;
}

std::array<std::int16_t, 5> ReadSettings(std::string_view file) {
    std::array<std::int16_t, 5> values{};
    std::int16_t last = 0;
    for (std::int16_t& value : values) {
        if (!file.empty()) {
            const size_t end = file.find('\n');
            std::string_view line = file.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            file = end == std::string_view::npos ? std::string_view() : file.substr(end + 1);
            last = ReadSettingsNumber(line);
        }
        value = last;
    }
    return values;
}

std::string WriteSettings(const OptionMenu& options) {
    std::string text;
    for (Option option : kSettingsOrder) {
        text += ' ';
        text += static_cast<char>('0' + BtoV(options.IsChecked(option)));
        text += " \r\n";
    }
    return text;
}

}  // namespace quorvel
