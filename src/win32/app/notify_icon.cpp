#include "win32/app/notify_icon.h"

#include <commctrl.h>
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

NotifyIcon::NotifyIcon(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) { Rescale(); }

void NotifyIcon::Rescale() {
    // The taskbar's DPI, which is the monitor's it stands on, not the one this program started with.
    const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    const UINT taskbar_dpi = taskbar != nullptr ? ::GetDpiForWindow(taskbar) : 0;
    const UINT dpi = taskbar_dpi != 0 ? taskbar_dpi : ::GetDpiForSystem();
    const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    if (icon_ && size == icon_size_) return;
    // Scaled down from the nearest larger image, as the shell's own icons are: never blurred upwards.
    // A function of the version 6 controls the manifest asks for, which not every import library lists.
    using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    const HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    const auto scale_down = controls != nullptr ? reinterpret_cast<ScaleDown>(reinterpret_cast<void (*)()>(
                                                      ::GetProcAddress(controls, "LoadIconWithScaleDown")))
                                                : nullptr;
    HICON icon = nullptr;
    if (scale_down == nullptr ||
        FAILED(scale_down(instance_, MAKEINTRESOURCEW(IDI_QUORVEL), size, size, &icon)) || icon == nullptr) {
        if (icon_) return;
        icon = static_cast<HICON>(
            ::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
    icon_.reset(icon);
    icon_size_ = size;
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(NIF_ICON);
    ShellNotifyIcon(NIM_MODIFY, &data);
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
    if (!shown_) return false;
    // The fourth version's messages are what Windows 11's notification area and the keyboard need; a
    // shell that does not know it keeps to plain mouse messages.
    data.uVersion = NOTIFYICON_VERSION_4;
    version4_ = ShellNotifyIcon(NIM_SETVERSION, &data) != FALSE;
    return true;
}

void NotifyIcon::ReturnFocus() {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(0);
    ShellNotifyIcon(NIM_SETFOCUS, &data);
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
