#pragma once
// Form1's window: the menu bar, the entry list, the cleaning timer. Its window procedure only turns
// messages into calls on the portable Form1.

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/main_window.h"
#include "win32/app/images.h"
#include "win32/app/menus.h"
#include "win32/listview/list_view.h"
#include "win32/shared/handles.h"
#include "win32/shared/window.h"

namespace quorvel {
class Form1;
}

namespace quorvel::win32 {

class NotifyIcon;

class Form1Window final : public MainWindow, public WindowBase<Form1Window> {
  public:
    // Makes the window, hidden, with its menu bar and its list; Handle() is null when the system
    // refused it.
    explicit Form1Window(HINSTANCE instance);
    ~Form1Window() override;

    // Messages reach Form1 from here on.
    void Attach(Form1* form) { form_ = form; }
    // The notification-area icon, taken away with the process when the session ends.
    void AttachTray(NotifyIcon* tray) { tray_ = tray; }
    ListView& List() { return *list_; }
    MenuOptions& Options() { return options_; }
    MenuImages& Menus() { return menu_images_; }
    // Where the tray menu opens: at the icon the shell names for the action in progress, else nothing
    // (then at the pointer).
    std::optional<POINT> TrayAnchor() const { return tray_anchor_; }

    void Show() override;
    void Hide() override;
    void BindImageList() override;
    void StartSettleTimer() override;
    void StartTrayTimer() override;

  private:
    friend WindowBase<Form1Window>;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnCreate();
    // Images, fonts and column widths for dpi_.
    void ApplyDpi();
    void OnSize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    LRESULT OnNotify(NMHDR& header);
    void OnTrayMessage(WPARAM wparam, LPARAM lparam);

    HINSTANCE instance_;
    Form1* form_ = nullptr;
    NotifyIcon* tray_ = nullptr;
    UINT dpi_ = 96;
    UINT created_dpi_ = 96;
    MenuOptions options_;
    std::unique_ptr<ListView> list_;
    std::unique_ptr<ImageSet> images_;
    UniqueHFont font_;
    MenuImages menu_images_;
    std::optional<POINT> tray_anchor_;
    UINT taskbar_created_ = 0;
    UINT second_start_ = 0;
};

}  // namespace quorvel::win32
