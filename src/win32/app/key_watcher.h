#pragma once
// Watches the startup keys with the registry's change notification. Each key has an event that the
// message loop waits on beside the window messages. The folder that holds the keys is watched too,
// since a watch on a key that is deleted may never fire again. A notification fires once; every
// cleaning pass starts the watch afresh (Restart) before it reads the keys, so that a key deleted and
// created again is watched anew, and a program that writes without pause wakes the program once a pass,
// not once a write.

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/key_watch.h"
#include "platform/registre.h"
#include "win32/shared/handles.h"

namespace quorvel::win32 {

class KeyWatcher final : public KeyWatch {
  public:
    KeyWatcher();

    SourceSet Restart() override;

    // The events to wait on; one of them signalled means a watched key changed.
    DWORD Count() const { return static_cast<DWORD>(events_.size()); }
    const HANDLE* Events() const { return events_.data(); }
    // The keys the event at `index` stands for: one, or a root's three for the key that holds them.
    SourceSet SourcesOf(DWORD index) const { return watches_[index].sources; }

  private:
    struct Watch {
        RootKey root;
        std::string_view path;
        bool parent;  // the folder that holds the keys, watched for keys that come and go
        SourceSet sources;
        UniqueHKey key;
        UniqueKernelHandle event;
    };
    void Arm(Watch& watch);

    std::vector<Watch> watches_;
    std::vector<HANDLE> events_;
};

}  // namespace quorvel::win32
