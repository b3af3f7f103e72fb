#pragma once
// Where this Windows looks for a program, and this process's environment.

#include <array>
#include <cstdint>

#include "platform/program_search.h"

namespace quorvel::win32 {

class SystemProgramSearch final : public ProgramSearch {
  public:
    bool IsFile(std::string_view path) override;
    std::vector<std::string> SearchFolders() override;
    std::string ExpandVariables(std::string_view text) override;
    bool IsRemote(std::string_view path) override;

  private:
    // The system's answer for each drive letter, and when it was given: a look at a program asks for
    // many paths on the same drives, and each answer is a question to the system.
    struct DriveAnswer {
        std::uint64_t asked = 0;
        bool remote = false;
    };
    std::array<DriveAnswer, 26> drives_{};
};

}  // namespace quorvel::win32
