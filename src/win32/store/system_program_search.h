#pragma once
// Where this Windows looks for a program, and this process's environment.

#include "platform/program_search.h"

namespace quorvel::win32 {

class SystemProgramSearch final : public ProgramSearch {
  public:
    bool IsFile(std::string_view path) override;
    std::vector<std::string> SearchFolders() override;
    std::string ExpandVariables(std::string_view text) override;
    bool IsRemote(std::string_view path) override;
};

}  // namespace quorvel::win32
