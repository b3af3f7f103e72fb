#include "platform/win32/popup_window.h"

#include "app/menu_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/menus_win32.h"

namespace quorvel::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuorvelForm2";

}  // namespace

PopupWindowWin32::PopupWindowWin32(HINSTANCE instance, MainWindowWin32& main_window)
    : instance_(instance), main_(main_window) {}

PopupWindowWin32::~PopupWindowWin32() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void PopupWindowWin32::Create() {
    if (window_ != nullptr) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance_;
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Form2", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance_, nullptr);
    menu_.reset(BuildPopupMenu(kEntryMenuItems));
    menu2_.reset(BuildPopupMenu(kTrayMenuItems));
}

void PopupWindowWin32::GiveMenuBitmaps() {
    Create();
    // Items of both windows are painted by the main window, which draws each with the image it got.
    for (const MenuBitmap& assignment : kMenuBitmaps)
        main_.Menus().GiveImage(assignment.command, assignment.image);
}

UINT PopupWindowWin32::Track(HMENU menu, POINT at) {
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

std::int16_t PopupWindowWin32::ShowEntryMenu(bool at_pointer) {
    Create();
    POINT at{};
    if (at_pointer) {
        ::GetCursorPos(&at);
    } else {
        at = main_.List().SelectedItemAnchor();
    }
    const UINT chosen = Track(menu_.get(), at);
    if (chosen < static_cast<UINT>(Command::kEnable) || chosen > static_cast<UINT>(Command::kExecut))
        return 0;
    return static_cast<std::int16_t>(chosen - static_cast<UINT>(Command::kEnable) + 1);
}

TrayChoice PopupWindowWin32::ShowTrayMenu() {
    Create();
    POINT at{};
    ::GetCursorPos(&at);
    switch (static_cast<Command>(Track(menu2_.get(), at))) {
        case Command::kShowa: return TrayChoice::kShow;
        case Command::kTrayExit: return TrayChoice::kExit;
        default: return TrayChoice::kNone;
    }
}

}  // namespace quorvel::win32
