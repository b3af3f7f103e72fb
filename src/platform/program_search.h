#pragma once
// What finding the program behind a command line needs from the system, so that the reading of
// command lines itself can be tried on any machine against a made-up one.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class ProgramSearch {
  public:
    virtual ~ProgramSearch() = default;
    // Whether the path names a file; a folder is none.
    virtual bool IsFile(std::string_view path) = 0;
    // The folders a bare program name is looked for in, in the order in which Windows starts one:
    // the system folder, the old 16-bit system folder, the Windows folder, then each folder of PATH.
    virtual std::vector<std::string> SearchFolders() = 0;
    // The text with each %NAME% of a defined variable replaced by its value; the rest as written.
    virtual std::string ExpandVariables(std::string_view text) = 0;
    // Whether the path names a file of another machine (a share, or a drive mapped to one), where a
    // look may wait for the network for as long as a share that does not answer takes to give up.
    // A machine without shares has none.
    virtual bool IsRemote(std::string_view) { return false; }
};

}  // namespace quorvel
