#include "about/tool_help_commands.h"

#include <string>

#include "words/words.h"

namespace quorvel {
namespace {

void OpenWebPage(ProcessLauncher& launcher, MessageBoxes& boxes, ShowCommand show) {
    const LaunchResult result = launcher.Open(kWebPage, show);
    if (!result.started && !result.cancelled) boxes.Fail(words::CouldNotOpenWebPage(kWebPage, result.error));
}

}  // namespace

void Regedit_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    const LaunchResult result = launcher.StartRegistryEditor();
    if (!result.started && !result.cancelled) boxes.Fail(words::CouldNotStartRegistryEditor(result.error));
}

void WebSite_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    OpenWebPage(launcher, boxes, ShowCommand::kMaximized);
}

void Label1_Click(ProcessLauncher& launcher, MessageBoxes& boxes) {
    OpenWebPage(launcher, boxes, ShowCommand::kNormal);
}

}  // namespace quorvel
