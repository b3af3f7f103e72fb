#include "store/ban_enforcement.h"

#include <string>
#include <unordered_set>

#include "store/startup_folder_items.h"

namespace quorvel {
namespace {

// One set of banned names instead of a scan per ban: a ban under either root counts for both, and a
// name banned twice still matches each value once.
std::unordered_set<std::string> BannedNames(const Registre& registry, const EntryTable& entries) {
    std::unordered_set<std::string> banned;
    for (const StartupEntry& entry : entries) {
        if (entry.State == kStateBanned) banned.insert(registry.FoldedName(entry.Name));
    }
    return banned;
}

template <typename Visit>
void ForEachBannedValue(const Registre& registry, const EntryTable& entries, Visit&& visit) {
    const std::unordered_set<std::string> banned = BannedNames(registry, entries);
    if (banned.empty()) return;
    for (const StartupEntry& entry : entries) {
        if (entry.State != kStateEnabled && entry.State != kStateDisabled) continue;
        // An item in Quorvel's folder cannot start; a banned one lives there.
        if (IsFolderRoot(entry.Root) && entry.State != kStateEnabled) continue;
        if (banned.contains(registry.FoldedName(entry.Name))) visit(entry);
    }
}

}  // namespace

BanPass EnforceBans(Registre& registry, StartupFolders& folders, const EntryTable& entries) {
    BanPass pass;
    ForEachBannedValue(registry, entries, [&](const StartupEntry& entry) {
        const bool item = IsFolderRoot(entry.Root);
        const bool deleted = item ? folders.DeleteItem(FolderOfEntry(entry.Root, entry.State), entry.FileName)
                                  : registry.DeleteValue(entry.Root, PathOfState(entry.State), entry.Name);
        if (deleted) {
            pass.deleted.push_back(entry);
        } else {
            pass.refused.push_back({entry, item ? folders.LastError() : registry.LastError()});
        }
    });
    return pass;
}

std::vector<StartupEntry> BannedValues(const Registre& registry, const EntryTable& entries) {
    std::vector<StartupEntry> values;
    ForEachBannedValue(registry, entries, [&](const StartupEntry& entry) { values.push_back(entry); });
    return values;
}

}  // namespace quorvel
