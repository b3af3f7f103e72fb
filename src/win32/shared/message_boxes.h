#pragma once
// The program's message boxes, modal to the main window while it is shown.

#include <windows.h>

#include "platform/message_box.h"

namespace quorvel::win32 {

// Message boxes modal to one window (or to none, while the program is hidden).
class OwnedMessageBoxes final : public MessageBoxes {
  public:
    explicit OwnedMessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool Confirm(std::string_view text, std::string_view title) override;
    bool AskYesNo(std::string_view text, std::string_view title) override;
    void Inform(std::string_view text) override;
    void Fail(std::string_view text) override;

  private:
    HWND owner_;
};

}  // namespace quorvel::win32
