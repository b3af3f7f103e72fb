#include "platform/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "app/form1.h"
#include "platform/win32/dpi.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/tray_icon_win32.h"

namespace quorvel::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuorvelForm1";
constexpr UINT kTimer1Interval = 60000;
// Long enough for a program writing many values at once to finish, short enough to feel immediate.
constexpr UINT kSettleInterval = 50;
// The client area the window opens with, at 96 dpi.
constexpr SIZE kInitialClient{622, 325};

// The window's outer size for that client area, menu bar included, at a DPI.
SIZE InitialFrame(UINT dpi) {
    RECT frame{0, 0, Scale(kInitialClient.cx, dpi), Scale(kInitialClient.cy, dpi)};
    ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

MainWindowWin32::MainWindowWin32(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);

    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    menu_bar_.reset(BuildMenuBar());
    options_ = std::make_unique<MenuOptions>(menu_bar_.get());
    list_ = std::make_unique<ListView>(IDC_VIEW1, instance);
}

bool MainWindowWin32::Create() {
    if (window_ != nullptr) return true;
    // Made at its size for the DPI it most likely opens at, the system's: resizing it afterwards costs
    // a layout of the list. OnCreate resizes it when it opens on a monitor of another DPI.
    created_dpi_ = ::GetDpiForSystem();
    const SIZE frame = InitialFrame(created_dpi_);
    // No message of the creation reaches Form1: the first reading of the registry runs meanwhile.
    Form1* const form = std::exchange(form_, nullptr);
    const HWND made =
        ::CreateWindowExW(0, kClassName, L"Quorvel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.cx, frame.cy, nullptr, menu_bar_.get(), instance_, this);
    form_ = form;
    if (made == nullptr) {
        // A window refused after WM_NCCREATE has taken the menu bar with it.
        if (window_ != nullptr && !::IsMenu(menu_bar_.get())) menu_bar_.release();
        window_ = nullptr;
        return false;
    }
    // The window destroys its menu bar with itself.
    menu_bar_.release();
    if (created_) created_(window_);
    return true;
}

MainWindowWin32::~MainWindowWin32() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void MainWindowWin32::Show() {
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
}

void MainWindowWin32::Hide() { ::ShowWindow(window_, SW_HIDE); }

void MainWindowWin32::BindImageList() { list_->SetImageList(images_->List()); }

void MainWindowWin32::StartSettleTimer() { ::SetTimer(window_, IDT_SETTLE, kSettleInterval, nullptr); }

LRESULT CALLBACK MainWindowWin32::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MainWindowWin32* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindowWin32*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindowWin32*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    return self != nullptr ? self->Handle(message, wparam, lparam)
                           : ::DefWindowProcW(window, message, wparam, lparam);
}

LRESULT MainWindowWin32::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_SIZE: OnSize(); return 0;
        case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
        case WM_SETFOCUS: ::SetFocus(list_->Handle()); return 0;
        case WM_CLOSE:
            if (form_ != nullptr) form_->Form_QueryUnload();
            return 0;
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
            if (wparam == IDT_TIMER1) form_->Timer1_Timer();
            if (wparam == IDT_SETTLE) {
                ::KillTimer(window_, IDT_SETTLE);
                form_->Settle_Timer();
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
                menu_painter_.Measure(*item);
                return TRUE;
            }
            return FALSE;
        case WM_DRAWITEM:
            if (auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam); item->CtlType == ODT_MENU) {
                menu_painter_.Draw(*item, *images_);
                return TRUE;
            }
            return FALSE;
        case WM_CONTEXTMENU:
            // The keyboard's menu key and Shift+F10 come here with the position (-1, -1).
            if (reinterpret_cast<HWND>(wparam) == list_->Handle() && GET_X_LPARAM(lparam) == -1 &&
                GET_Y_LPARAM(lparam) == -1 && form_ != nullptr) {
                form_->View1_ContextKey();
            }
            return 0;
        case WM_APP_TRAY:
            if (form_ != nullptr) {
                const UINT event = LOWORD(lparam);
                if (event == WM_LBUTTONUP || event == WM_RBUTTONUP) form_->TaskbarIcon_MouseUp();
                if (event == NIN_BALLOONUSERCLICK) form_->Balloon_Click();
            }
            return 0;
        default:
            if (message == taskbar_created_ && message != 0) {
                if (tray_ != nullptr) tray_->AddAgain();
                return 0;
            }
            return ::DefWindowProcW(window_, message, wparam, lparam);
    }
}

void MainWindowWin32::OnCreate() {
    dpi_ = DpiOf(window_);
    list_->Create(window_);
    ApplyDpi();
    // The size message that ends the creation makes the list fill the client area.
    if (dpi_ != created_dpi_) {
        const SIZE frame = InitialFrame(dpi_);
        ::SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetTimer(window_, IDT_TIMER1, kTimer1Interval, nullptr);
}

void MainWindowWin32::ApplyDpi() {
    images_ = std::make_unique<ImageSet>(instance_, dpi_);
    font_.reset(CreateUiFont(dpi_));
    list_->ApplyDpi(dpi_, font_.get());
    menu_painter_.SetDpi(dpi_);
}

void MainWindowWin32::OnSize() {
    if (list_->Handle() == nullptr) return;
    // The list always takes the whole client area, an empty one while minimised included.
    RECT client{};
    ::GetClientRect(window_, &client);
    ::MoveWindow(list_->Handle(), 0, 0, client.right - client.left, client.bottom - client.top, TRUE);
}

void MainWindowWin32::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    ApplyDpi();
    list_->SetImageList(images_->List());
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT MainWindowWin32::OnNotify(NMHDR& header) {
    if (header.hwndFrom != list_->Handle()) return 0;
    if (header.code == LVN_GETDISPINFOW || header.code == LVN_ODFINDITEMW) return list_->OnNotify(header);
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
