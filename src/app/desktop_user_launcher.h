#pragma once
// What the window starts for the user runs with the desktop user's rights. An entry's command comes
// from a key that any program of the user may write: started by a window that runs as an administrator,
// one click would hand it that administrator's rights, until logoff. From such a window everything
// goes to the desktop's shell instead, or is refused; nothing runs with the window's own rights.

#include "platform/process_control.h"
#include "platform/process_launcher.h"

namespace quorvel {

class DesktopUserLauncher final : public ProcessLauncher {
  public:
    DesktopUserLauncher(ProcessLauncher& system, const ProcessControl& process)
        : system_(system), process_(process) {}

    LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) override;
    LaunchResult Open(std::string_view target, ShowCommand show) override;
    LaunchResult StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) override {
        return system_.StartCommandLineAsDesktopUser(command_line, show);
    }
    LaunchResult OpenAsDesktopUser(std::string_view target, ShowCommand show) override {
        return system_.OpenAsDesktopUser(target, show);
    }
    // The registry editor is a part of Windows in its own folder, not a program a user could replace.
    LaunchResult StartRegistryEditor() override { return system_.StartRegistryEditor(); }
    std::string ExpandEnvironment(std::string_view text) override { return system_.ExpandEnvironment(text); }

  private:
    ProcessLauncher& system_;
    const ProcessControl& process_;
};

}  // namespace quorvel
