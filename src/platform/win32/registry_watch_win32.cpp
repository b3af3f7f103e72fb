#include "platform/win32/registry_watch_win32.h"

#include "platform/win32/registre_win32.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {
namespace {

// Every startup key lives here; it exists on every Windows installation.
constexpr std::string_view kParentPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

RegistryWatcher::RegistryWatcher() {
    for (size_t i = 0; i < watches_.size(); ++i) {
        watches_[i].root = kEntrySources[i].root;
        watches_[i].path = kEntrySources[i].path;
        watches_[i].event.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        events_[i] = watches_[i].event.get();
    }
}

void RegistryWatcher::ArmAll() {
    for (size_t i = 0; i < watches_.size(); ++i)
        Rearm(i);
}

void RegistryWatcher::Rearm(size_t index) {
    Watch& watch = watches_[index];
    const HKEY root = PredefinedKey(watch.root);
    watch.key.reset();
    DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (::RegOpenKeyExW(root, Widen(watch.path).c_str(), 0, KEY_NOTIFY, watch.key.put()) != ERROR_SUCCESS) {
        watch.key.release();
        // Missing (or deleted meanwhile): the parent tells when a subkey comes into being.
        filter = REG_NOTIFY_CHANGE_NAME;
        if (::RegOpenKeyExW(root, Widen(kParentPath).c_str(), 0, KEY_NOTIFY, watch.key.put()) !=
            ERROR_SUCCESS) {
            watch.key.release();
            return;
        }
    }
    ::RegNotifyChangeKeyValue(watch.key.get(), FALSE, filter, watch.event.get(), TRUE);
}

}  // namespace quorvel::win32
