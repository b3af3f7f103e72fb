// Quorvel's entry point: builds the Win32 side of every port, hands them to Form1, and runs the
// message loop.

#include <windows.h>

#include <commctrl.h>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/win32/about_dialog.h"
#include "platform/win32/file_dialog_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/main_window.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/popup_window.h"
#include "platform/win32/process_launcher_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registre_win32.h"
#include "platform/win32/registry_watch_win32.h"
#include "platform/win32/text.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/tray_icon_win32.h"

using namespace quorvel;
using namespace quorvel::win32;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    Win32Registre registry;
    ProcessWin32 process;
    Win32ProcessLauncher launcher;
    Win32FileSystem files;
    MainWindowWin32 window(instance);
    PopupWindowWin32 popups(instance, window);
    TrayIconWin32 tray(instance);
    Win32MessageBoxes boxes;
    Win32AboutBox about(instance, launcher);
    Win32FileDialogs dialogs;
    Win32TextCodec codec;
    window.AttachTray(&tray);
    // Form_Load builds the window while it reads the registry; what belongs to the window learns of it then.
    window.WhenCreated([&](HWND handle) {
        tray.SetOwner(handle);
        boxes.SetOwner(handle);
        about.SetMainWindow(handle);
        dialogs.SetOwner(handle);
    });

    Form1 form({registry, window.List(), window.Options(), window, tray, popups, process, process, launcher,
                boxes, about, files, dialogs, codec});
    window.Attach(&form);

    const std::string arguments =
        std::string(ProgramArguments(Narrow(::GetCommandLineW()), Narrow(ProcessWin32::ModulePath())));
    if (form.Form_Load(arguments) == StartOutcome::kEnded) return 0;

    // The message loop also waits for the startup keys to change, on this one thread.
    RegistryWatcher watcher;
    watcher.ArmAll();
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(watcher.Count(), watcher.Events(), INFINITE,
                                                          QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + watcher.Count()) {
            watcher.Rearm(woken - WAIT_OBJECT_0);
            form.Registry_Change();
            continue;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}
