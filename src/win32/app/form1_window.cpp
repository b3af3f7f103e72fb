#include "win32/app/form1_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/form1.h"
#include "win32/app/notify_icon.h"
#include "win32/res/resource_ids.h"
#include "win32/shared/desktop_user.h"
#include "win32/shared/dpi.h"
#include "win32/shared/ids.h"
#include "win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

constexpr UINT kTimer1Interval = 60000;
// Long enough for a program writing many values at once to finish, short enough to feel immediate.
constexpr UINT kSettleInterval = 50;
// Another try at the tray icon every few seconds, for the first minutes (Form1 counts the tries).
constexpr UINT kTrayRetryInterval = 5000;
// The client area the window opens with, at 96 dpi: the room it always had for the first three
// columns, and the fourth's and fifth's beside it.
constexpr SIZE kInitialClient{622 + kLocationColumnWidth + kPublisherColumnWidth, 325};

// The window's outer size for that client area, menu bar included, at a DPI.
SIZE InitialFrame(UINT dpi) {
    RECT frame{0, 0, Scale(kInitialClient.cx, dpi), Scale(kInitialClient.cy, dpi)};
    ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

Form1Window::Form1Window(HINSTANCE instance) : instance_(instance), options_(BuildMenuBar()) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = instance;
    wc.hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kForm1Class;
    ::RegisterClassExW(&wc);
    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    second_start_ = ::RegisterWindowMessageW(kSecondStartMessage);

    // Made at its size for the DPI it most likely opens at, the system's: resizing it afterwards costs
    // a layout of the list. OnCreate resizes it when it opens on a monitor of another DPI.
    created_dpi_ = ::GetDpiForSystem();
    const SIZE frame = InitialFrame(created_dpi_);
    const HMENU menu_bar = options_.MenuBar();
    ::CreateWindowExW(0, kForm1Class, Widen(words::kProgram).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, nullptr, menu_bar, instance_, this);
    // A window destroys its menu bar with itself, also one refused after it had taken the bar.
    if (window_ == nullptr && ::IsMenu(menu_bar)) {
        ::DestroyMenu(menu_bar);
        return;
    }
    // Run as an administrator, the window would not hear the shell (its icon's clicks, a new taskbar) nor
    // a second start of the user's, which run with fewer rights: these messages are let through.
    for (const UINT message : {kTrayMessage, taskbar_created_, second_start_})
        ::ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
    // Run with another account's credentials (an administrator's, typed into Windows' question over the
    // user's shoulder), the window says whose it is: its "User" entries are that account's, not the
    // desktop user's.
    if (const std::optional<std::string> account = AccountOtherThanDesktops())
        ::SetWindowTextW(window_, Widen(words::CaptionRunningAs(*account)).c_str());
}

Form1Window::~Form1Window() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void Form1Window::Show() {
    // A window minimised before it was closed comes back at its size, not as a button on the taskbar.
    ::ShowWindow(window_, ::IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window_);
}

void Form1Window::Hide() { ::ShowWindow(window_, SW_HIDE); }

void Form1Window::BindImageList() { list_->SetImageList(images_->List()); }

void Form1Window::StartSettleTimer() { ::SetTimer(window_, kSettleTimerId, kSettleInterval, nullptr); }

void Form1Window::StartTrayTimer() { ::SetTimer(window_, kTrayTimerId, kTrayRetryInterval, nullptr); }

LRESULT Form1Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_SIZE: OnSize(); return 0;
        case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
        case WM_SETFOCUS:
            if (list_) ::SetFocus(list_->Handle());
            return 0;
        case WM_CLOSE:
            if (form_ != nullptr) form_->Form_QueryUnload();
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // A colour scheme or contrast theme changed: the list, a child window, hears of it only from
            // here. A hidden window may hear of a new display scale only this way: the icon follows it.
            if (list_) {
                if (message == WM_SYSCOLORCHANGE) ::SendMessageW(list_->Handle(), message, wparam, lparam);
                list_->ApplyColours();
            }
            if (message == WM_SETTINGCHANGE && tray_ != nullptr) tray_->Rescale();
            return ::DefWindowProcW(window_, message, wparam, lparam);
        case WM_QUERYENDSESSION: return TRUE;  // never stand in the way of a logoff or shutdown
        case WM_ENDSESSION:
            // The session ends: the settings are already saved, so the process simply ends with it.
            if (wparam) {
                if (tray_ != nullptr) tray_->Remove();
                ::ExitProcess(0);
            }
            return 0;
        case WM_TIMER:
            if (form_ == nullptr) return 0;
            if (wparam == kTimer1Id) form_->Timer1_Timer();
            if (wparam == kSettleTimerId) {
                ::KillTimer(window_, kSettleTimerId);
                form_->Settle_Timer();
            }
            if (wparam == kTrayTimerId) {
                ::KillTimer(window_, kTrayTimerId);
                form_->Tray_Timer();
            }
            return 0;
        case WM_COMMAND:
            if (HIWORD(wparam) == 0 && lparam == 0 && form_ != nullptr) {
                form_->OnCommand(static_cast<Command>(LOWORD(wparam)));
            }
            return 0;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
        case WM_MEASUREITEM:
            if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam); item->CtlType == ODT_MENU) {
                menu_images_.Measure(*item, *images_);
                return TRUE;
            }
            return FALSE;
        case WM_DRAWITEM:
            if (auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam); item->CtlType == ODT_MENU) {
                menu_images_.Draw(*item, *images_);
                return TRUE;
            }
            return FALSE;
        case WM_MENUCHAR:
            if ((HIWORD(wparam) & MF_SYSMENU) != 0) return ::DefWindowProcW(window_, message, wparam, lparam);
            return ChooseByFirstLetter(reinterpret_cast<HMENU>(lparam), LOWORD(wparam));
        case WM_CONTEXTMENU:
            // The keyboard's menu key and Shift+F10 come here with the position (-1, -1).
            if (reinterpret_cast<HWND>(wparam) == list_->Handle() && GET_X_LPARAM(lparam) == -1 &&
                GET_Y_LPARAM(lparam) == -1 && form_ != nullptr) {
                form_->View1_ContextKey();
            }
            return 0;
        case kTrayMessage: OnTrayMessage(wparam, lparam); return 0;
        case WM_DISPLAYCHANGE:
            if (tray_ != nullptr) tray_->Rescale();
            return ::DefWindowProcW(window_, message, wparam, lparam);
        default:
            if (message == taskbar_created_ && message != 0) {
                // A new taskbar may stand at another DPI: the icon it gets is made for it.
                if (tray_ != nullptr) tray_->Rescale();
                if (form_ != nullptr) form_->Taskbar_Created();
                return 0;
            }
            if (message == second_start_ && message != 0) {
                if (form_ != nullptr) form_->Second_Start(wparam != 0);
                return 0;
            }
            return ::DefWindowProcW(window_, message, wparam, lparam);
    }
}

void Form1Window::OnTrayMessage(WPARAM wparam, LPARAM lparam) {
    if (form_ == nullptr || tray_ == nullptr) return;
    const UINT event = LOWORD(lparam);
    if (event == NIN_BALLOONUSERCLICK) {
        form_->Balloon_Click();
        return;
    }
    // Either protocol opens the menu once per action: the fourth version's messages follow its mouse
    // messages, so only one of the two sets is heard.
    const bool menu = tray_->SpeaksVersion4()
                          ? event == NIN_SELECT || event == NIN_KEYSELECT || event == WM_CONTEXTMENU
                          : event == WM_LBUTTONUP || event == WM_RBUTTONUP;
    if (!menu) return;
    if (tray_->SpeaksVersion4()) tray_anchor_ = POINT{GET_X_LPARAM(wparam), GET_Y_LPARAM(wparam)};
    form_->TaskbarIcon_MouseUp();
    tray_anchor_.reset();
    // A menu closed unused (Esc from the keyboard) leaves the focus where the user was: on the icon.
    tray_->ReturnFocus();
}

void Form1Window::OnCreate() {
    dpi_ = DpiOf(window_);
    list_ = std::make_unique<ListView>(window_, kView1Id, instance_);
    ApplyDpi();
    // The size message that ends the creation makes the list fill the client area.
    if (dpi_ != created_dpi_) {
        const SIZE frame = InitialFrame(dpi_);
        ::SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetTimer(window_, kTimer1Id, kTimer1Interval, nullptr);
}

void Form1Window::ApplyDpi() {
    images_ = std::make_unique<ImageSet>(instance_, dpi_);
    font_.reset(CreateUiFont(dpi_));
    list_->ApplyDpi(dpi_, font_.get());
}

void Form1Window::OnSize() {
    if (!list_) return;
    // The list always takes the whole client area, an empty one while minimised included.
    RECT client{};
    ::GetClientRect(window_, &client);
    ::MoveWindow(list_->Handle(), 0, 0, client.right - client.left, client.bottom - client.top, TRUE);
}

void Form1Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (tray_ != nullptr) tray_->Rescale();
    dpi_ = dpi;
    ApplyDpi();
    list_->SetImageList(images_->List());
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form1Window::OnNotify(NMHDR& header) {
    // The list speaks to its parent while it is being made, before there is an object to answer.
    if (!list_ || header.hwndFrom != list_->Handle()) return 0;
    if (header.code == LVN_GETDISPINFOW || header.code == LVN_ODFINDITEMW || header.code == NM_CUSTOMDRAW)
        return list_->OnNotify(header);
    if (form_ == nullptr) return 0;
    // The list runs its own mouse loop and reports the release of a button as a click.
    switch (header.code) {
        case NM_RCLICK: form_->View1_MouseUp(MouseButton::kRight); break;
        case NM_CLICK: form_->View1_MouseUp(MouseButton::kLeft); break;
        default: break;
    }
    return 0;
}

}  // namespace quorvel::win32
