#pragma once
// The one watch the message loop waits on: the startup keys and the Startup folders together, so that
// a pass that reads both starts both watches afresh, and any of their events wakes the loop.

#include <windows.h>

#include <vector>

#include "platform/key_watch.h"
#include "platform/startup_folders.h"
#include "win32/app/folder_watcher.h"
#include "win32/app/key_watcher.h"

namespace quorvel::win32 {

class StartupWatcher final : public KeyWatch {
  public:
    explicit StartupWatcher(const StartupFolders& folders);

    SourceSet Restart() override;

    // The events to wait on; one of them signalled means a watched key or folder changed.
    DWORD Count() const { return static_cast<DWORD>(events_.size()); }
    const HANDLE* Events() const { return events_.data(); }
    // The keys or folders the event at `index` stands for.
    SourceSet SourcesOf(DWORD index) const {
        return index < keys_.Count() ? keys_.SourcesOf(index) : folders_.SourcesOf(index - keys_.Count());
    }

  private:
    KeyWatcher keys_;
    FolderWatcher folders_;
    // Both watchers keep their events for as long as they live.
    std::vector<HANDLE> events_;
};

}  // namespace quorvel::win32
