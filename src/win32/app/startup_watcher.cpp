#include "win32/app/startup_watcher.h"

namespace quorvel::win32 {

StartupWatcher::StartupWatcher(const StartupFolders& folders) : folders_(folders) {
    events_.assign(keys_.Events(), keys_.Events() + keys_.Count());
    events_.insert(events_.end(), folders_.Events(), folders_.Events() + folders_.Count());
}

SourceSet StartupWatcher::Restart() {
    const SourceSet keys = keys_.Restart();
    return keys | folders_.Restart();
}

}  // namespace quorvel::win32
