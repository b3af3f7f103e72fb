#include "platform/win32/tray_icon_win32.h"

#include <shellapi.h>

#include "platform/win32/resource_ids.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {

TrayIconWin32::TrayIconWin32(HWND owner, HINSTANCE instance) : owner_(owner) {
    icon_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

NOTIFYICONDATAW TrayIconWin32::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = IDN_TRAY_ICON;
    data.uFlags = flags;
    data.uCallbackMessage = WM_APP_TRAY;
    data.hIcon = icon_.get();
    wcscpy_s(data.szTip, L"Quorvel");
    return data;
}

void TrayIconWin32::Show() {
    if (shown_) return;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TrayIconWin32::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

void TrayIconWin32::Announce(std::string_view title, std::string_view text) {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    // The shell's fields are fixed arrays: long names and commands are cut, never overrun.
    wcsncpy_s(data.szInfoTitle, Widen(title).c_str(), _TRUNCATE);
    wcsncpy_s(data.szInfo, Widen(text).c_str(), _TRUNCATE);
    data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIconWin32::AddAgain() {
    if (!shown_) return;
    // A shell that did not really lose the icon refuses the second add; the icon is still there then.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!::Shell_NotifyIconW(NIM_ADD, &data)) ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace quorvel::win32
