#pragma once
// Starting other programs: a command line as a new process, a file or address as Explorer opens it,
// each either with this process's rights or through the desktop's shell as the user signed in there.

#include <windows.h>

#include "platform/process_launcher.h"

namespace quorvel::win32 {

class ProcessStarter final : public ProcessLauncher {
  public:
    // `owner` owns what the shell shows on the way: Windows' consent question, its error boxes.
    explicit ProcessStarter(HWND owner = nullptr) : owner_(owner) {}
    LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) override;
    LaunchResult Open(std::string_view target, ShowCommand show) override;
    LaunchResult StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) override;
    LaunchResult OpenAsDesktopUser(std::string_view target, ShowCommand show) override;
    LaunchResult StartRegistryEditor() override;
    std::string ExpandEnvironment(std::string_view text) override;

  private:
    LaunchResult Execute(const std::wstring& file, ShowCommand show) const;

    HWND owner_;
};

}  // namespace quorvel::win32
