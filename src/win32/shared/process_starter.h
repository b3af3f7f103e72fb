#pragma once
// Starting other programs: a command line as a new process, or a document with its program.

#include "platform/process_launcher.h"

namespace quorvel::win32 {

class ProcessStarter final : public ProcessLauncher {
  public:
    LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) override;
    LaunchResult OpenWithDefaultProgram(std::string_view target) override;
    std::string ExpandEnvironment(std::string_view text) override;
};

}  // namespace quorvel::win32
