#pragma once
// The notification-area icon. It reports the user's actions on it to its owner window as kTrayMessage.

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

    // The icon at the size of the taskbar's DPI as it is now; a shown icon takes the new size.
    void Rescale();
    // Whether the shell speaks to the icon in its fourth version's terms: NIN_SELECT, NIN_KEYSELECT and
    // WM_CONTEXTMENU, with the icon's place in wParam, rather than plain mouse messages.
    bool SpeaksVersion4() const { return version4_; }
    // Gives the focus back to the notification area, as after a menu of the icon closed unused.
    void ReturnFocus();

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HINSTANCE instance_;
    HWND owner_;
    UniqueHIcon icon_;
    int icon_size_ = 0;
    bool shown_ = false;
    bool version4_ = false;
};

}  // namespace quorvel::win32
