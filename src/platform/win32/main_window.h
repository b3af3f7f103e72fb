#pragma once
// Form1's window: the menu bar, the entry list, the cleaning timer. Its window procedure only turns
// messages into calls on the portable Form1.

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/shell.h"
#include "platform/win32/handles.h"
#include "platform/win32/images_win32.h"
#include "platform/win32/list_view_win32.h"
#include "platform/win32/menus_win32.h"

namespace quorvel {
class Form1;
}

namespace quorvel::win32 {

class TrayIconWin32;

class MainWindowWin32 final : public MainWindow {
  public:
    // Registers the class and builds the menu bar and the list's object; Create() makes the window.
    explicit MainWindowWin32(HINSTANCE instance);
    ~MainWindowWin32() override;
    MainWindowWin32(const MainWindowWin32&) = delete;
    MainWindowWin32& operator=(const MainWindowWin32&) = delete;

    void Attach(Form1* form) { form_ = form; }
    HWND Handle() const { return window_; }
    ListView& List() { return *list_; }
    MenuOptions& Options() { return *options_; }
    const ImageSet& Images() const { return *images_; }
    MenuPainter& Menus() { return menu_painter_; }
    // The notification-area icon, added again when Explorer restarts.
    void AttachTray(TrayIconWin32* tray) { tray_ = tray; }
    // Called with the handle once the window exists, for the parts that own their windows by it.
    void WhenCreated(std::function<void(HWND)> created) { created_ = std::move(created); }

    bool Create() override;
    void Show() override;
    void Hide() override;
    void BindImageList() override;
    void StartSettleTimer() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void OnCreate();
    // Images, fonts and column widths for dpi_.
    void ApplyDpi();
    void OnSize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    LRESULT OnNotify(NMHDR& header);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    // Until the window takes it, the menu bar is ours to destroy.
    UniqueHMenu menu_bar_;
    std::function<void(HWND)> created_;
    Form1* form_ = nullptr;
    UINT dpi_ = 96;
    UINT created_dpi_ = 96;
    std::unique_ptr<ListView> list_;
    std::unique_ptr<MenuOptions> options_;
    std::unique_ptr<ImageSet> images_;
    UniqueHFont font_;
    MenuPainter menu_painter_;
    UINT taskbar_created_ = 0;
    TrayIconWin32* tray_ = nullptr;
};

}  // namespace quorvel::win32
