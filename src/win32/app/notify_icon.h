#pragma once
// The notification-area icon. It reports mouse actions to its owner window as kTrayMessage.

#include <windows.h>

#include <shellapi.h>

#include "platform/tray_icon.h"
#include "win32/shared/handles.h"

namespace quorvel::win32 {

class NotifyIcon final : public TrayIcon {
  public:
    // `owner` receives the icon's messages.
    NotifyIcon(HINSTANCE instance, HWND owner);
    ~NotifyIcon() override { Remove(); }
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    bool Show() override;
    void Remove() override;
    bool IsShown() override;
    void Forget() override { shown_ = false; }
    void Announce(std::string_view title, std::string_view text) override;

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND owner_;
    UniqueHIcon icon_;
    bool shown_ = false;
};

}  // namespace quorvel::win32
