#include "platform/win32/app/notify_icon.h"

#include <shellapi.h>

#include "platform/win32/res/resource_ids.h"
#include "platform/win32/shared/ids.h"
#include "platform/win32/shared/system_library.h"
#include "platform/win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

// Through the lazily loaded shell: a program that never hides needs none of it.
BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    using Function = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    const auto notify = Shell32().Get<Function>("Shell_NotifyIconW");
    return notify != nullptr && notify(message, data);
}

}  // namespace

NotifyIcon::NotifyIcon(HINSTANCE instance, HWND owner) : owner_(owner) {
    icon_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

NOTIFYICONDATAW NotifyIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon_.get();
    wcsncpy_s(data.szTip, Widen(words::kProgram).c_str(), _TRUNCATE);
    return data;
}

void NotifyIcon::Show() {
    if (shown_) return;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = ShellNotifyIcon(NIM_ADD, &data) != FALSE;
}

void NotifyIcon::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(0);
    ShellNotifyIcon(NIM_DELETE, &data);
    shown_ = false;
}

void NotifyIcon::Announce(std::string_view title, std::string_view text) {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    // The shell's fields are fixed arrays: long names and commands are cut, never overrun.
    wcsncpy_s(data.szInfoTitle, Widen(title).c_str(), _TRUNCATE);
    wcsncpy_s(data.szInfo, Widen(text).c_str(), _TRUNCATE);
    data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    ShellNotifyIcon(NIM_MODIFY, &data);
}

void NotifyIcon::AddAgain() {
    if (!shown_) return;
    // A shell that did not really lose the icon refuses the second add; the icon is still there then.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!ShellNotifyIcon(NIM_ADD, &data)) ShellNotifyIcon(NIM_MODIFY, &data);
}

}  // namespace quorvel::win32
