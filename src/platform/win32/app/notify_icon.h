#pragma once
// The notification-area icon. It reports mouse actions to its owner window as kTrayMessage.

#include <windows.h>

#include <shellapi.h>

#include "platform/tray_icon.h"
#include "platform/win32/shared/handles.h"

namespace quorvel::win32 {

class NotifyIcon final : public TrayIcon {
  public:
    // `owner` receives the icon's messages.
    NotifyIcon(HINSTANCE instance, HWND owner);
    ~NotifyIcon() override { Remove(); }
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    void Show() override;
    void Remove() override;
    void Announce(std::string_view title, std::string_view text) override;
    bool IsShown() const override { return shown_; }
    // Explorer restarted and forgot every icon: add ours again if it should be there.
    void AddAgain();

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND owner_;
    UniqueHIcon icon_;
    bool shown_ = false;
};

}  // namespace quorvel::win32
