#include "platform/win32/tray_icon_win32.h"

#include <shellapi.h>

#include "platform/win32/resource_ids.h"

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
    if (shown_)
        return;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TrayIconWin32::Remove() {
    if (!shown_)
        return;
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

void TrayIconWin32::AddAgain() {
    if (!shown_)
        return;
    // A shell that did not really lose the icon refuses the second add; the icon is still there then.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!::Shell_NotifyIconW(NIM_ADD, &data))
        ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace quorvel::win32
