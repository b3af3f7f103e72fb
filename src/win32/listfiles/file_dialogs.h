#pragma once
// The common Open and Save As dialogs.

#include <windows.h>

#include "platform/file_dialog.h"

namespace quorvel::win32 {

// The common Open and Save As dialogs, modal to the main window.
class CommonFileDialogs final : public FileDialogs {
  public:
    explicit CommonFileDialogs(HWND owner) : owner_(owner) {}

    std::optional<std::string> AskOpenPath(std::string_view title, std::string_view initial) override;
    std::optional<std::string> AskSavePath(std::string_view title, std::string_view initial) override;

  private:
    std::optional<std::string> Ask(std::string_view title, std::string_view initial, DWORD flags, bool save);

    HWND owner_;
};

}  // namespace quorvel::win32
