#include "win32/app/form2_window.h"

#include "app/menu_layout.h"
#include "win32/app/form1_window.h"
#include "win32/app/menus.h"
#include "win32/shared/ids.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {

Form2Window::Form2Window(HINSTANCE instance, Form1Window& main_window)
    : instance_(instance), main_(main_window) {}

Form2Window::~Form2Window() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void Form2Window::Create() {
    if (window_ != nullptr) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = instance_;
    wc.lpszClassName = kForm2Class;
    ::RegisterClassExW(&wc);
    ::CreateWindowExW(WS_EX_TOOLWINDOW, kForm2Class, Widen(words::kHiddenWindow).c_str(), WS_POPUP, 0, 0, 0,
                      0, nullptr, nullptr, instance_, this);
    menu_.reset(BuildPopupMenu(kEntryMenuItems));
    menu2_.reset(BuildPopupMenu(kTrayMenuItems));
}

void Form2Window::GiveMenuBitmaps() {
    Create();
    // The items of both windows' menus get their images from the main window, which draws them.
    const HMENU menus[] = {main_.Options().MenuBar(), menu_.get(), menu2_.get()};
    for (const MenuBitmap& assignment : kMenuBitmaps) {
        for (const HMENU menu : menus) {
            if (main_.Menus().Give(menu, assignment.command, assignment.image)) break;
        }
    }
}

UINT Form2Window::Track(HMENU menu, POINT at) {
    // The owner must be the foreground window, or the menu does not close when the user clicks
    // elsewhere; the null message afterwards lets it close for good.
    const HWND owner = main_.Handle();
    ::SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                           at.x, at.y, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return chosen;
}

EntryAction Form2Window::ShowEntryMenu(bool at_pointer) {
    Create();
    POINT at{};
    if (at_pointer) {
        ::GetCursorPos(&at);
    } else {
        at = main_.List().SelectedItemAnchor();
    }
    const auto chosen = static_cast<Command>(Track(menu_.get(), at));
    // The chosen item's click sets PopupChoice to the item's code.
    for (const MenuItemLayout& item : kEntryMenuItems) {
        if (item.command == chosen) return item.action;
    }
    return EntryAction::kNone;
}

TrayChoice Form2Window::ShowTrayMenu() {
    Create();
    POINT at{};
    if (const std::optional<POINT> anchor = main_.TrayAnchor()) {
        at = *anchor;
    } else {
        ::GetCursorPos(&at);
    }
    switch (static_cast<Command>(Track(menu2_.get(), at))) {
        case Command::kShowa: return TrayChoice::kShow;
        case Command::kTrayExit: return TrayChoice::kExit;
        default: return TrayChoice::kNone;
    }
}

}  // namespace quorvel::win32
