#pragma once
// Starting other programs. Nothing waits for them and their process ids are not kept.

#include <string>
#include <string_view>

namespace quorvel {

// Windows show commands, as the started program's first window should appear.
enum class ShowCommand : int { kNormal = 1, kMinimized = 2, kMaximized = 3 };

struct LaunchResult {
    bool started = false;
    std::string error;  // the system's reason when not started, in words a user can read
};

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Runs a whole command line (program and arguments, as a user would type it).
    virtual LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) = 0;
    // Opens a document or address with the program the user has chosen for it.
    virtual LaunchResult OpenWithDefaultProgram(std::string_view target) = 0;
    // Replaces %NAME% references with the environment's values.
    virtual std::string ExpandEnvironment(std::string_view text) = 0;
};

}  // namespace quorvel
