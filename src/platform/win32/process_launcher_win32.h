#pragma once

#include <windows.h>

#include "platform/process_launcher.h"

namespace quorvel::win32 {

class Win32ProcessLauncher final : public ProcessLauncher {
  public:
    LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) override;
    LaunchResult OpenWithDefaultProgram(std::string_view target) override;
    std::string ExpandEnvironment(std::string_view text) override;
};

// The system's description of an error code, without the trailing line break.
std::string DescribeError(DWORD code);

}  // namespace quorvel::win32
