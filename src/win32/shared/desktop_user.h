#pragma once
// The user signed in at the desktop, as the desktop's shell runs for that user: the process that
// programs started for that user hang from, the shell's own way of opening things, and whether this
// process runs as another account.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/process_launcher.h"
#include "win32/shared/handles.h"

namespace quorvel::win32 {

// A process of the desktop's shell to start the desktop user's programs from, opened to be a parent:
// the shell window's process, else an explorer.exe of this session. Never one of another session, and
// where User Account Control is on, never one that runs elevated. Empty, with the reason, when none.
UniqueKernelHandle DesktopShellProcess(std::string& reason);

// Starts the command line as a child of `parent`, with the parent's rights and its user's environment.
LaunchResult StartFromParent(HANDLE parent, std::string_view command_line, ShowCommand show);

// Asks the desktop's shell to open the target, as a double-click on the desktop would.
LaunchResult OpenThroughDesktopShell(std::string_view target, ShowCommand show);

// The account this process runs as ("PC\Admin"), when it is not the account of the desktop's shell;
// nothing when it is, or when there is no shell to tell.
std::optional<std::string> AccountOtherThanDesktops();

}  // namespace quorvel::win32
