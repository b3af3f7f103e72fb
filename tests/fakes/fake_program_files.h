#pragma once
// A made-up disk of program files: where a command's program is found, each file's state, and what an
// examination of it tells, counted, since examinations are what the program must spare.

#include <map>
#include <string>
#include <vector>

#include "platform/file_facts.h"
#include "platform/program_search.h"

namespace quorvel::testing {

class FakeProgramFiles final : public ProgramSearch, public FileFacts {
  public:
    // A file at this path (compared without letter case), in this state, with these details.
    void Put(std::string_view path, FileStamp stamp, FileDetails details);
    void Remove(std::string_view path);

    bool IsFile(std::string_view path) override;
    std::vector<std::string> SearchFolders() override { return {"C:\\Windows\\system32"}; }
    std::string ExpandVariables(std::string_view text) override { return std::string(text); }
    // Shares are named as \\server\share\..., as on Windows.
    bool IsRemote(std::string_view path) override { return path.starts_with("\\\\"); }
    std::optional<FileStamp> Stamp(std::string_view path) override;
    FileDetails Examine(std::string_view path) override;
    bool Prepare() override { return ++preparations >= 2; }

    // The paths examined, in order. Preparing takes two calls.
    std::vector<std::string> examined;
    int preparations = 0;

  private:
    struct File {
        FileStamp stamp;
        FileDetails details;
    };
    std::map<std::string, File> files_;
};

}  // namespace quorvel::testing
