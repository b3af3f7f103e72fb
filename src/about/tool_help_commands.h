#pragma once
// Tool > Regedit, Help > Web Site and the About box's web address: each starts another program
// through the shell without waiting for it, and says so plainly when the program cannot be started.

#include <string_view>

#include "platform/message_box.h"
#include "platform/process_launcher.h"

namespace quorvel {

// Set by the build (QUORVEL_WEB_PAGE); shown in the About box and opened by Help > Web Site.
inline constexpr std::string_view kWebPage = QUORVEL_WEB_PAGE;

// Starts the system's registry editor; a consent the user refuses to give is no failure.
void Regedit_Click(ProcessLauncher& launcher, MessageBoxes& boxes);
// Opens the web page as Explorer would, in the user's own browser, maximised.
void WebSite_Click(ProcessLauncher& launcher, MessageBoxes& boxes);
// The same for the About box's address, in a normal window.
void Label1_Click(ProcessLauncher& launcher, MessageBoxes& boxes);

}  // namespace quorvel
