#include "platform/win32/app/key_watcher.h"

#include "platform/win32/store/registry_keys.h"

namespace quorvel::win32 {
namespace {

// Every startup key lives here; it exists on every Windows installation.
constexpr std::string_view kParentPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

KeyWatcher::KeyWatcher() {
    size_t i = 0;
    for (const EntrySource& source : kEntrySources)
        watches_[i++] = {source.root, source.path, false, {}, {}};
    for (const RootKey root : kRoots)
        watches_[i++] = {root, kParentPath, true, {}, {}};
    for (size_t k = 0; k < watches_.size(); ++k) {
        watches_[k].event.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        events_[k] = watches_[k].event.get();
    }
}

void KeyWatcher::Restart() {
    for (Watch& watch : watches_) {
        // Closing the key ends its registration; a notification that came meanwhile is forgotten.
        watch.key.reset();
        ::ResetEvent(watch.event.get());
        Arm(watch);
    }
}

void KeyWatcher::Fired(size_t index) {
    Watch& watch = watches_[index];
    Arm(watch);
    // Keys came or went: the old handles may stand for deleted keys, so the root's keys are opened anew.
    if (watch.parent) ArmRoot(watch.root);
}

void KeyWatcher::ArmRoot(RootKey root) {
    for (Watch& watch : watches_) {
        if (!watch.parent && watch.root == root) Arm(watch);
    }
}

void KeyWatcher::Arm(Watch& watch) {
    watch.key.reset();
    // A missing key has no watch of its own; its parent's watch tells when it comes into being.
    if (OpenKey(watch.root, watch.path, KEY_NOTIFY, watch.key) != ERROR_SUCCESS) return;
    const DWORD filter =
        watch.parent ? REG_NOTIFY_CHANGE_NAME : REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    ::RegNotifyChangeKeyValue(watch.key.get(), FALSE, filter, watch.event.get(), TRUE);
}

}  // namespace quorvel::win32
