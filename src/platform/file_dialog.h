#pragma once
// The system's dialogs for choosing a file to open or a name to save under.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled. `initial` fills the file name box; a
    // wildcard there ("*.stu") narrows what the dialog lists. A typed name is returned as typed: no
    // extension is added.
    virtual std::optional<std::string> AskOpenPath(std::string_view title, std::string_view initial) = 0;
    // Like AskOpenPath, and asks before an existing file is chosen to be replaced.
    virtual std::optional<std::string> AskSavePath(std::string_view title, std::string_view initial) = 0;
};

}  // namespace quorvel
