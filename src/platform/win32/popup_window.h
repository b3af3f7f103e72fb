#pragma once
// Form2: a window that is never shown and owns the two pop-up menus. The menus open through the
// main window, at the pointer, and return the chosen item.

#include <windows.h>

#include "platform/shell.h"
#include "platform/win32/handles.h"

namespace quorvel::win32 {

class MainWindowWin32;

class PopupWindowWin32 final : public PopupMenus {
  public:
    PopupWindowWin32(HINSTANCE instance, MainWindowWin32& main_window);
    ~PopupWindowWin32() override;

    void GiveMenuBitmaps() override;
    std::int16_t ShowEntryMenu(bool at_pointer) override;
    TrayChoice ShowTrayMenu() override;

  private:
    void Create();
    UINT Track(HMENU menu, POINT at);

    HINSTANCE instance_;
    MainWindowWin32& main_;
    HWND window_ = nullptr;
    UniqueHMenu menu_;   // the entry menu
    UniqueHMenu menu2_;  // the tray menu
};

}  // namespace quorvel::win32
