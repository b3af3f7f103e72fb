#include "store/collection.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "store/startup_approved.h"
#include "store/startup_folder_items.h"

namespace quorvel {
namespace {

// A root and a name in the registry's form for the same name.
using Place = std::pair<RootKey, std::string>;

void ReadItemApprovals(Registre& registry, EntryTable& entries) {
    std::set<Place> off;
    for (const StartupFolder family : {StartupFolder::kAllUsers, StartupFolder::kUser}) {
        for (const std::string& name : ItemsSwitchedOff(registry, family))
            off.insert({RootOfFolder(family), registry.FoldedName(name)});
    }
    for (StartupEntry& entry : entries) {
        if (IsFolderRoot(entry.Root) && entry.State != kStateBanned)
            entry.SwitchedOff = off.contains({entry.Root, registry.FoldedName(entry.FileName)});
    }
}

// A ban on the name of an item that Quorvel keeps in its folder is that item's ban, and is listed as it.
void TakeOverBans(const Registre& registry, EntryTable& entries) {
    std::set<Place> kept;
    for (const StartupEntry& entry : entries) {
        if (IsFolderRoot(entry.Root) && entry.State == kStateDisabled)
            kept.insert({OwningRoot(entry.Root), registry.FoldedName(entry.Name)});
    }
    if (kept.empty()) return;
    std::set<Place> banned;
    std::erase_if(entries, [&](const StartupEntry& entry) {
        if (IsFolderRoot(entry.Root) || entry.State != kStateBanned) return false;
        Place place{entry.Root, registry.FoldedName(entry.Name)};
        if (!kept.contains(place)) return false;
        banned.insert(std::move(place));
        return true;
    });
    for (StartupEntry& entry : entries) {
        if (!IsFolderRoot(entry.Root) || entry.State != kStateDisabled ||
            !banned.contains({OwningRoot(entry.Root), registry.FoldedName(entry.Name)}))
            continue;
        entry.State = kStateBanned;
        entry.Key = MakeKey(entry.FileName, kStateBanned);
    }
}

void ReadKeys(Registre& registry, EntryTable& entries, SourceSet sources) {
    std::vector<NamedText> values;
    for (std::size_t i = 0; i < kEntrySources.size(); ++i) {
        const EntrySource& source = kEntrySources[i];
        if (!sources[i] || !registry.HasRoot(source.root)) continue;
        values.clear();
        // Names and commands come in one pass over each key, so no value is read twice.
        registry.ListValues(values, source.root, source.path);
        for (NamedText& value : values) {
            entries.push_back(MakeEntry(std::move(value.name), std::move(value.text), source.state,
                                        source.root, value.type));
        }
    }
    ReadApprovals(registry, entries);
}

std::vector<UnreadFolder> ReadSources(Registre& registry, StartupFolders& folders, EntryTable& entries,
                                      SourceSet sources) {
    ReadKeys(registry, entries, sources);
    std::vector<UnreadFolder> unread;
    std::vector<FolderItem> items;
    for (const StartupFolder folder : kFolderOrder) {
        if (!sources[SourceOfFolder(folder)]) continue;
        items.clear();
        if (!folders.ListItems(items, folder)) unread.push_back({folder, folders.LastError()});
        const std::string path = folders.PathOf(folder);
        for (const FolderItem& item : items)
            entries.push_back(ItemEntry(item, folder, path));
    }
    TakeOverBans(registry, entries);
    ReadItemApprovals(registry, entries);
    return unread;
}

}  // namespace

std::size_t SourceOfKey(RootKey root, std::string_view path) {
    for (std::size_t i = 0; i < kEntrySources.size(); ++i) {
        if (kEntrySources[i].root == root && kEntrySources[i].path == path) return i;
    }
    return kSourceCount;
}

std::size_t SourceOfFolder(StartupFolder folder) {
    const auto at = std::find(kFolderOrder.begin(), kFolderOrder.end(), folder);
    return kEntrySources.size() + static_cast<std::size_t>(at - kFolderOrder.begin());
}

SourceSet SourcesOfRoot(RootKey root) {
    SourceSet sources;
    if (IsFolderRoot(root)) {
        const StartupFolder family = FolderOfEntry(root, kStateEnabled);
        return sources.set(SourceOfFolder(family))
            .set(SourceOfFolder(DisabledFolderOf(family)))
            .set(SourceOfKey(OwningRoot(root), kBanPath));
    }
    for (std::size_t i = 0; i < kEntrySources.size(); ++i) {
        if (kEntrySources[i].root == root) sources.set(i);
    }
    return sources;
}

SourceSet WithDependents(SourceSet changed) {
    for (const StartupFolder folder : {StartupFolder::kAllUsersDisabled, StartupFolder::kUserDisabled}) {
        const std::size_t bans = SourceOfKey(OwningRoot(RootOfFolder(folder)), kBanPath);
        const std::size_t kept = SourceOfFolder(folder);
        if (changed[bans] || changed[kept]) changed.set(bans).set(kept);
    }
    return changed;
}

std::size_t SourceOf(const StartupEntry& entry) {
    if (entry.ListPosition != 0) return kSourceCount;
    if (IsFolderRoot(entry.Root)) return SourceOfFolder(FolderOfEntry(entry.Root, entry.State));
    // By state, not by path: this runs for every entry of a long table.
    for (std::size_t i = 0; i < kEntrySources.size(); ++i) {
        if (kEntrySources[i].root == entry.Root && kEntrySources[i].state == entry.State) return i;
    }
    return kSourceCount;
}

SourceSet SourcesOf(std::span<const StartupEntry> entries) {
    SourceSet sources;
    for (const StartupEntry& entry : entries) {
        const std::size_t source = SourceOf(entry);
        if (source == kSourceCount) return AllSources();
        sources.set(source);
    }
    return sources;
}

std::span<const StartupEntry> EntriesOf(const EntryTable& entries, std::size_t source) {
    const auto first = std::partition_point(
        entries.begin(), entries.end(), [&](const StartupEntry& entry) { return SourceOf(entry) < source; });
    const auto last = std::partition_point(
        first, entries.end(), [&](const StartupEntry& entry) { return SourceOf(entry) == source; });
    return {first, last};
}

void CollectEntries(Registre& registry, EntryTable& entries) {
    entries.clear();
    ReadKeys(registry, entries, AllSources());
}

std::vector<UnreadFolder> CollectEntries(Registre& registry, StartupFolders& folders, EntryTable& entries) {
    entries.clear();
    return ReadSources(registry, folders, entries, AllSources());
}

std::vector<UnreadFolder> CollectSources(Registre& registry, StartupFolders& folders, EntryTable& entries,
                                         SourceSet changed) {
    changed = WithDependents(changed);
    EntryTable fresh;
    std::vector<UnreadFolder> unread = ReadSources(registry, folders, fresh, changed);
    // Both tables hold each place's entries together, in the places' order: one merge keeps that order.
    EntryTable table;
    table.reserve(entries.size() + fresh.size());
    auto old_at = entries.begin();
    auto fresh_at = fresh.begin();
    for (std::size_t source = 0; source < kSourceCount; ++source) {
        for (; old_at != entries.end() && SourceOf(*old_at) <= source; ++old_at) {
            if (!changed[source] && SourceOf(*old_at) == source) table.push_back(std::move(*old_at));
        }
        for (; fresh_at != fresh.end() && SourceOf(*fresh_at) == source; ++fresh_at)
            table.push_back(std::move(*fresh_at));
    }
    entries = std::move(table);
    return unread;
}

}  // namespace quorvel
