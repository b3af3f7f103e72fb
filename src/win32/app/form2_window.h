#pragma once
// Form2: a window that is never shown and owns the two pop-up menus. The menus open through the
// main window, at the pointer, and return the chosen item.

#include <windows.h>

#include "platform/popup_menus.h"
#include "win32/shared/handles.h"
#include "win32/shared/window.h"

namespace quorvel::win32 {

class Form1Window;

class Form2Window final : public PopupMenus, public WindowBase<Form2Window> {
  public:
    Form2Window(HINSTANCE instance, Form1Window& main_window);
    ~Form2Window() override;

    void GiveMenuBitmaps() override;
    EntryAction ShowEntryMenu(bool at_pointer) override;
    TrayChoice ShowTrayMenu() override;

    // The entry menu and the tray menu, made on first use.
    HMENU EntryMenu() {
        Create();
        return menu_.get();
    }
    HMENU TrayMenu() {
        Create();
        return menu2_.get();
    }

  private:
    friend WindowBase<Form2Window>;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
        return ::DefWindowProcW(window_, message, wparam, lparam);
    }
    // The window and its menus, made on first use.
    void Create();
    UINT Track(HMENU menu, POINT at);

    HINSTANCE instance_;
    Form1Window& main_;
    UniqueHMenu menu_;   // the entry menu
    UniqueHMenu menu2_;  // the tray menu
};

}  // namespace quorvel::win32
