#pragma once
// Tool > Regedit, Help > Web Site and the About box's web address: each starts another program
// without waiting for it, and says so plainly when the program cannot be started.

#include <string_view>

#include "platform/message_box.h"
#include "platform/process_launcher.h"

namespace quorvel {

// Set by the build (QUORVEL_WEB_PAGE); shown in the About box and opened by Help > Web Site.
inline constexpr std::string_view kWebPage = QUORVEL_WEB_PAGE;

inline constexpr std::string_view kRegistryEditor = "regedit";
inline constexpr std::string_view kFileExplorer = "explorer";
inline constexpr std::string_view kWebBrowser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

// Starts the registry editor, found by the system's program search.
void Regedit_Click(ProcessLauncher& launcher, MessageBoxes& boxes);
// Hands the web page to Explorer, maximised.
void WebSite_Click(ProcessLauncher& launcher, MessageBoxes& boxes);
// Opens the web page in the browser at its usual place, else in the user's default browser.
void Label1_Click(ProcessLauncher& launcher, MessageBoxes& boxes);

}  // namespace quorvel
