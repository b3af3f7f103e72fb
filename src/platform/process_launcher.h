#pragma once
// Starting other programs. Nothing waits for them and their process ids are not kept.

#include <string>
#include <string_view>

namespace quorvel {

// Windows show commands, as the started program's first window should appear.
enum class ShowCommand : int { kNormal = 1, kMinimized = 2, kMaximized = 3 };

struct LaunchResult {
    bool started = false;
    bool cancelled = false;  // the user said no to Windows' question; nothing else to tell
    std::string error;       // the system's reason when not started, in words a user can read
};

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Runs a whole command line (program and arguments, as a user would type it) with this process's
    // own rights.
    virtual LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) = 0;
    // Opens a file or an address as Explorer would: a program runs, a shortcut opens its target, a
    // document or address goes to the program the user chose for it. With this process's own rights.
    virtual LaunchResult Open(std::string_view target, ShowCommand show) = 0;
    // The same two, started by the desktop's shell for the user signed in at the desktop, with that
    // user's rights: never with an administrator's rights that this process holds and the desktop does
    // not. Not started, with the reason, where the desktop offers no such way.
    virtual LaunchResult StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) = 0;
    virtual LaunchResult OpenAsDesktopUser(std::string_view target, ShowCommand show) = 0;
    // The system's registry editor, through the shell, so that Windows asks for consent where the
    // editor needs an administrator; a consent refused comes back as cancelled.
    virtual LaunchResult StartRegistryEditor() = 0;
    // Replaces %NAME% references with the environment's values.
    virtual std::string ExpandEnvironment(std::string_view text) = 0;
};

}  // namespace quorvel
