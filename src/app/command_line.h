#pragma once
// The program's own command line: what follows its path, and whether that is the logon switch.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The text after the program's path and the blanks that separate it. The path is either quoted, or
// the running module's own path written without quotes (older registrations under a folder with
// blanks), or the first blank-delimited word.
std::string_view ProgramArguments(std::string_view command_line, std::string_view module_path);

// A logon start: the arguments are exactly "-auto", nothing before or after, same case.
bool IsAutomaticStart(std::string_view arguments);

// The switch that an instance restarting itself as an administrator gives the new one: "-after 1234"
// asks it to wait until process 1234 has ended before it starts.
inline constexpr std::string_view kAfterSwitch = "-after";
std::string RestartArguments(std::uint32_t process_id);
// The process to wait for, when the arguments are exactly the switch and a process id.
std::optional<std::uint32_t> ProcessToWaitFor(std::string_view arguments);

}  // namespace quorvel
