#include "win32/app/notify_icon.h"

#include <shellapi.h>

#include "win32/res/resource_ids.h"
#include "win32/shared/ids.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"
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

bool NotifyIcon::Show() {
    if (shown_) return true;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // A shell that timed out on an earlier add may have taken it all the same, and then refuses a second
    // one: the icon is there if it can be modified.
    shown_ = ShellNotifyIcon(NIM_ADD, &data) != FALSE || ShellNotifyIcon(NIM_MODIFY, &data) != FALSE;
    return shown_;
}

bool NotifyIcon::IsShown() {
    // The shell agrees to change nothing about the icon only if it has it.
    NOTIFYICONDATAW data = Data(0);
    if (shown_ && !ShellNotifyIcon(NIM_MODIFY, &data)) shown_ = false;
    return shown_;
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

}  // namespace quorvel::win32
