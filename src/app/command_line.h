#pragma once
// The program's own command line: what follows its path, and whether that is the logon switch.

#include <string_view>

namespace quorvel {

// The text after the program's path and the blanks that separate it. The path is either quoted, or
// the running module's own path written without quotes (older registrations under a folder with
// blanks), or the first blank-delimited word.
std::string_view ProgramArguments(std::string_view command_line, std::string_view module_path);

// A logon start: the arguments are exactly "-auto", nothing before or after, same case.
bool IsAutomaticStart(std::string_view arguments);

}  // namespace quorvel
