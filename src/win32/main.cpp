// Quorvel's entry point: builds the Win32 side of every port, hands them to Form1, and runs the
// message loop.

#include <windows.h>

#include <commctrl.h>

#include "app/command_line.h"
#include "app/form1.h"
#include "win32/about/about_dialog.h"
#include "win32/app/form1_window.h"
#include "win32/app/form2_window.h"
#include "win32/app/message_loop.h"
#include "win32/app/notify_icon.h"
#include "win32/app/startup_watcher.h"
#include "win32/app/this_process.h"
#include "win32/listfiles/ansi_code_page.h"
#include "win32/listfiles/file_dialogs.h"
#include "win32/shared/disk_files.h"
#include "win32/shared/message_boxes.h"
#include "win32/shared/process_starter.h"
#include "win32/shared/text.h"
#include "win32/store/system_file_facts.h"
#include "win32/store/system_program_search.h"
#include "win32/store/system_registre.h"
#include "win32/store/system_startup_folders.h"
#include "words/words.h"

using namespace quorvel;
using namespace quorvel::win32;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    // The window and its list exist, hidden, before the start-up sequence that uses them begins.
    Form1Window window(instance);
    if (window.Handle() == nullptr) {
        OwnedMessageBoxes().Fail(words::WindowRefused());
        return 1;
    }
    SystemRegistre registry;
    SystemStartupFolders folders;
    StartupWatcher watcher(folders);
    MessageLoop loop(watcher);
    ThisProcess process(window.Handle());
    ProcessStarter launcher(window.Handle());
    DiskFiles files;
    Form2Window popups(instance, window);
    NotifyIcon tray(instance, window.Handle());
    OwnedMessageBoxes boxes(window.Handle());
    AboutDialog about(instance, window.Handle());
    CommonFileDialogs dialogs(window.Handle());
    AnsiCodePage codec;
    SystemProgramSearch search;
    SystemFileFacts file_facts;
    window.AttachTray(&tray);

    Form1 form({registry, watcher, window.List(), window.Options(), window, tray, popups, loop, process,
                launcher, boxes, about, files, dialogs, codec, folders, search, file_facts});
    window.Attach(&form);

    const std::string arguments =
        std::string(ProgramArguments(Narrow(::GetCommandLineW()), Narrow(ThisProcess::ModulePath())));
    if (form.Form_Load(arguments) == StartOutcome::kEnded) return 0;
    return loop.Run(form);
}
