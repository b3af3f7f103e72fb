#include "about/tool_help_commands.h"

#include <string>

#include "about/about_strings.h"

namespace quorvel {
namespace {

template <typename... Parts>
std::string Concat(const Parts&... parts) {
    std::string text;
    (text.append(std::string_view(parts)), ...);
    return text;
}

}  // namespace

void Regedit_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const LaunchResult result = launcher.StartCommandLine(kRegistryEditor, ShowCommand::kNormal);
    if (!result.started) boxes.Fail(Concat("Could not start the registry editor (regedit): ", result.error));
}

void WebSite_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const LaunchResult result =
        launcher.StartCommandLine(Concat(kFileExplorer, " ", kWebPage), ShowCommand::kMaximized);
    if (!result.started) {
        boxes.Fail(Concat("Could not start Explorer (explorer) to open ", kWebPage, ": ", result.error));
    }
}

void Label1_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    if (launcher.StartCommandLine(Concat("\"", kWebBrowser, "\" ", kWebPage), ShowCommand::kNormal).started)
        return;
    // Most systems no longer have that browser; the user's own one will do.
    const LaunchResult fallback = launcher.OpenWithDefaultProgram(kWebPage);
    if (!fallback.started) boxes.Fail(Concat("Could not open the web page ", kWebPage, ": ", fallback.error));
}

}  // namespace quorvel
