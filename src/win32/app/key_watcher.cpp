#include "win32/app/key_watcher.h"

#include "store/collection.h"
#include "store/startup_entry.h"
#include "win32/store/registry_keys.h"

namespace quorvel::win32 {
namespace {

// Every startup key lives here; it exists on every Windows installation.
constexpr std::string_view kParentPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

KeyWatcher::KeyWatcher() {
    const auto add = [this](RootKey root, std::string_view path, bool parent) {
        UniqueKernelHandle event(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        // Without an event there is no watch: the 60-second tick still cleans.
        if (!event) return;
        events_.push_back(event.get());
        // A key that comes or goes under the parent may be any of the root's.
        const SourceSet sources = parent ? SourcesOfRoot(root) : SourceSet().set(SourceOfKey(root, path));
        watches_.push_back({root, path, parent, sources, {}, std::move(event)});
    };
    for (const EntrySource& source : kEntrySources)
        add(source.root, source.path, false);
    for (const RootKey root : kRoots)
        add(root, kParentPath, true);
}

SourceSet KeyWatcher::Restart() {
    SourceSet unreported;
    for (Watch& watch : watches_) {
        // Signalled since the message loop last looked: the change is in the reading that follows,
        // which must know to read it.
        if (::WaitForSingleObject(watch.event.get(), 0) == WAIT_OBJECT_0) unreported |= watch.sources;
        // Closing the key ends its registration, and signals its event: forgotten with what came before.
        watch.key.reset();
        ::ResetEvent(watch.event.get());
        Arm(watch);
    }
    return unreported;
}

void KeyWatcher::Arm(Watch& watch) {
    // A missing key has no watch of its own; its parent's watch tells when it comes into being.
    if (OpenKey(watch.root, watch.path, KEY_NOTIFY, watch.key) != ERROR_SUCCESS) return;
    const DWORD filter =
        watch.parent ? REG_NOTIFY_CHANGE_NAME : REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (::RegNotifyChangeKeyValue(watch.key.get(), FALSE, filter, watch.event.get(), TRUE) != ERROR_SUCCESS)
        watch.key.reset();
}

}  // namespace quorvel::win32
