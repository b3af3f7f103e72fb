#include "app/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quorvel {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view ProgramArguments(std::string_view command_line, std::string_view module_path) {
    std::string_view rest;
    if (!command_line.empty() && command_line.front() == '"') {
        const size_t close = command_line.find('"', 1);
        rest = close == std::string_view::npos ? std::string_view() : command_line.substr(close + 1);
    } else if (!module_path.empty() && StartsWithIgnoringCase(command_line, module_path) &&
               (command_line.size() == module_path.size() || IsBlank(command_line[module_path.size()]))) {
        rest = command_line.substr(module_path.size());
    } else {
        const size_t blank = command_line.find_first_of(" \t");
        rest = blank == std::string_view::npos ? std::string_view() : command_line.substr(blank);
    }
    // Only the separating blanks go; a blank after the arguments stays part of them.
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    return rest;
}

bool IsAutomaticStart(std::string_view arguments) { return arguments == "-auto"; }

std::string RestartArguments(std::uint32_t process_id) {
    return std::string(kAfterSwitch) + " " + std::to_string(process_id);
}

std::optional<std::uint32_t> ProcessToWaitFor(std::string_view arguments) {
    if (!arguments.starts_with(kAfterSwitch) || arguments.size() <= kAfterSwitch.size() + 1 ||
        arguments[kAfterSwitch.size()] != ' ') {
        return std::nullopt;
    }
    const std::string_view digits = arguments.substr(kAfterSwitch.size() + 1);
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return id;
}

}  // namespace quorvel
