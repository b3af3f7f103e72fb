#pragma once
// The five options in "config.ini": one line each, " 1 " or " 0 ", in a fixed order.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/option_menu.h"

namespace quorvel {

// The options in the order of the file's lines.
inline constexpr std::array<Option, 5> kSettingsOrder{Option::kExitAfterCleaning, Option::kEnableVisible,
                                                      Option::kDisableVisible, Option::kBanVisible,
                                                      Option::kSortinga};
inline constexpr std::string_view kSettingsFileName = "config.ini";

// A check mark as the number the file holds, and back: only exactly 1 checks an option.
std::int16_t BtoV(bool checked);
bool VtoB(std::int16_t value);

// The number of one line: blanks around it are ignored; an empty line, or one that is not a 16-bit
// number, reads as 0.
std::int16_t ReadSettingsNumber(std::string_view line);

// The five numbers of a file. A line that is missing repeats the number before it (0 before the
// first), as the file has always been read.
std::array<std::int16_t, 5> ReadSettings(std::string_view file);

// The file's text for the five check marks: " 1 " or " 0 " per line, each ended by CR LF.
std::string WriteSettings(const OptionMenu& options);

}  // namespace quorvel
