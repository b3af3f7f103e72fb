#include "platform/win32/tray_icon_win32.h"

#include <shellapi.h>

#include "platform/win32/resource_ids.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {
namespace {

// Through the lazily loaded shell: a program that never hides needs none of it.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    using Function = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    const auto notify = Shell32().Get<Function>("Shell_NotifyIconW");
    return notify != nullptr && notify(message, data);
}

}  // namespace

TrayIconWin32::TrayIconWin32(HINSTANCE instance) {
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
    shown_ = NotifyIcon(NIM_ADD, &data) != FALSE;
}

void TrayIconWin32::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(0);
    NotifyIcon(NIM_DELETE, &data);
    shown_ = false;
}

void TrayIconWin32::Announce(std::string_view title, std::string_view text) {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    // The shell's fields are fixed arrays: long names and commands are cut, never overrun.
    wcsncpy_s(data.szInfoTitle, Widen(title).c_str(), _TRUNCATE);
    wcsncpy_s(data.szInfo, Widen(text).c_str(), _TRUNCATE);
    data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    NotifyIcon(NIM_MODIFY, &data);
}

void TrayIconWin32::AddAgain() {
    if (!shown_) return;
    // A shell that did not really lose the icon refuses the second add; the icon is still there then.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!NotifyIcon(NIM_ADD, &data)) NotifyIcon(NIM_MODIFY, &data);
}

}  // namespace quorvel::win32
