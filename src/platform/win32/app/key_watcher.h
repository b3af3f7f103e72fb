#pragma once
// Watches the startup keys with the registry's change notification. Each key has an event that the
// message loop waits on beside the window messages. The parent of the keys is watched too, since a
// watch on a key that is deleted may never fire again: when keys come or go there, every key of that
// root is watched afresh, so a key deleted and created again is never lost.

#include <windows.h>

#include <array>
#include <string_view>

#include "platform/key_watch.h"
#include "platform/registre.h"
#include "platform/win32/shared/handles.h"
#include "store/startup_entry.h"

namespace quorvel::win32 {

class KeyWatcher final : public KeyWatch {
  public:
    KeyWatcher();

    void Restart() override;

    // The events to wait on; one of them fired means a watched key changed.
    DWORD Count() const { return static_cast<DWORD>(events_.size()); }
    const HANDLE* Events() const { return events_.data(); }
    // Event `index` fired: watch again what it watched.
    void Fired(size_t index);

  private:
    struct Watch {
        RootKey root;
        std::string_view path;
        bool parent;  // the folder that holds the keys, watched for keys that come and go
        UniqueHKey key;
        UniqueKernelHandle event;
    };
    void Arm(Watch& watch);
    void ArmRoot(RootKey root);

    static constexpr size_t kParents = kRoots.size();
    std::array<Watch, kEntrySources.size() + kParents> watches_;
    std::array<HANDLE, kEntrySources.size() + kParents> events_{};
};

}  // namespace quorvel::win32
