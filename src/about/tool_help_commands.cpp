#include "about/tool_help_commands.h"

#include <string>

#include "words/words.h"

namespace quorvel {

void Regedit_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const LaunchResult result = launcher.StartCommandLine(kRegistryEditor, ShowCommand::kNormal);
    if (!result.started) boxes.Fail(words::CouldNotStartRegistryEditor(result.error));
}

void WebSite_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const LaunchResult result = launcher.StartCommandLine(
        std::string(kFileExplorer) + " " + std::string(kWebPage), ShowCommand::kMaximized);
    if (!result.started) boxes.Fail(words::CouldNotStartExplorer(kWebPage, result.error));
}

void Label1_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const std::string browser = "\"" + std::string(kWebBrowser) + "\" " + std::string(kWebPage);
    if (launcher.StartCommandLine(browser, ShowCommand::kNormal).started) return;
    // Most systems no longer have that browser; the user's own one will do.
    const LaunchResult fallback = launcher.OpenWithDefaultProgram(kWebPage);
    if (!fallback.started) boxes.Fail(words::CouldNotOpenWebPage(kWebPage, fallback.error));
}

}  // namespace quorvel
