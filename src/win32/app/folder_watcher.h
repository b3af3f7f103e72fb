#pragma once
// Watches the Startup folders and Quorvel's folders of disabled items with the file system's change
// notifications, one event each that the message loop can wait on beside the key watcher's. As a key
// watch does, a folder's watch fires once and is started afresh by Restart, which every pass calls
// before it reads the folders.
//
// A folder that is deleted would take its watch with it, so the folder that holds it is watched too
// (for folders coming and going); where the folder is missing, the nearest folder above it that exists
// is watched instead, and tells when it comes into being. The system finishes deleting a watched folder
// only once its last watch lets go: Windows reports the deletion to that watch, Wine does not, and so
// under Wine a deleted folder goes, and is seen to go, at the next Restart.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/key_watch.h"
#include "platform/startup_folders.h"
#include "win32/shared/handles.h"

namespace quorvel::win32 {

class FolderWatcher final : public KeyWatch {
  public:
    explicit FolderWatcher(const StartupFolders& folders);
    ~FolderWatcher() override;
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    SourceSet Restart() override;

    // The events to wait on; one of them signalled means something changed in a watched folder.
    DWORD Count() const { return static_cast<DWORD>(events_.size()); }
    const HANDLE* Events() const { return events_.data(); }
    // The folder the event at `index` stands for.
    SourceSet SourcesOf(DWORD index) const { return watches_[index]->sources; }

  private:
    struct Watch {
        std::wstring folder;
        SourceSet sources;
        bool parent = false;  // watches the folder above for folders that come and go
        UniqueKernelHandle directory;
        UniqueKernelHandle event;
        OVERLAPPED pending{};
        // The system writes what changed here; nothing reads it, since any change means "read again".
        alignas(DWORD) std::array<BYTE, 1024> changes{};
    };
    void Arm(Watch& watch);
    static void Disarm(Watch& watch);

    // The system writes into a watch while it waits: each stays where it is.
    std::vector<std::unique_ptr<Watch>> watches_;
    std::vector<HANDLE> events_;
};

}  // namespace quorvel::win32
