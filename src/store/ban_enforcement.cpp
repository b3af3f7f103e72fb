#include "store/ban_enforcement.h"

#include <string_view>
#include <unordered_set>

namespace quorvel {

int EnforceBans(Registre& registry, const EntryTable& entries) {
    // One set of banned names instead of a scan per ban: a ban under either root counts for both,
    // and a name banned twice still deletes each value once.
    std::unordered_set<std::string_view> banned;
    for (const StartupEntry& entry : entries) {
        if (entry.State == kStateBanned) banned.insert(entry.Name);
    }
    int deleted = 0;
    if (banned.empty()) return deleted;
    for (const StartupEntry& entry : entries) {
        if (entry.State != kStateEnabled && entry.State != kStateDisabled) continue;
        if (!banned.contains(entry.Name)) continue;
        if (registry.DeleteValue(entry.Root, PathOfState(entry.State), entry.Name)) ++deleted;
    }
    return deleted;
}

}  // namespace quorvel
