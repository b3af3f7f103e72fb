#pragma once
// The notification-area icon. It reports mouse actions to the main window as WM_APP_TRAY.

#include <windows.h>

#include <shellapi.h>

#include "platform/shell.h"
#include "platform/win32/handles.h"

namespace quorvel::win32 {

class TrayIconWin32 final : public TrayIcon {
  public:
    explicit TrayIconWin32(HINSTANCE instance);
    // The window that receives the icon's messages.
    void SetOwner(HWND owner) { owner_ = owner; }
    ~TrayIconWin32() override { Remove(); }

    void Show() override;
    void Remove() override;
    void Announce(std::string_view title, std::string_view text) override;
    bool IsShown() const override { return shown_; }
    // Explorer restarted and forgot every icon: add ours again if it should be there.
    void AddAgain();

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND owner_ = nullptr;
    UniqueHIcon icon_;
    bool shown_ = false;
};

}  // namespace quorvel::win32
