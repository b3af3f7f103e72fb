#pragma once
// Watches the six startup keys with the registry's change notification. Each key has an event that
// the message loop waits on beside the window messages; a key that does not exist yet is watched
// through its parent until it appears.

#include <windows.h>

#include <array>

#include "platform/win32/handles.h"
#include "store/startup_entry.h"

namespace quorvel::win32 {

class RegistryWatcher {
  public:
    RegistryWatcher();
    RegistryWatcher(const RegistryWatcher&) = delete;
    RegistryWatcher& operator=(const RegistryWatcher&) = delete;

    void ArmAll();
    // The notification fired for watch `index`: watch again (the key may have come or gone meanwhile).
    void Rearm(size_t index);

    DWORD Count() const { return static_cast<DWORD>(events_.size()); }
    const HANDLE* Events() const { return events_.data(); }

  private:
    struct Watch {
        RootKey root;
        std::string_view path;
        UniqueHKey key;
        UniqueKernelHandle event;
    };
    std::array<Watch, kEntrySources.size()> watches_;
    std::array<HANDLE, kEntrySources.size()> events_{};
};

}  // namespace quorvel::win32
