#include "store/collection.h"

#include <array>
#include <set>
#include <utility>

#include "store/startup_approved.h"
#include "store/startup_folder_items.h"

namespace quorvel {
namespace {

// All users' folders before the user's, as the machine's keys come before the user's.
constexpr std::array<StartupFolder, 4> kFolderOrder{StartupFolder::kAllUsers,
                                                    StartupFolder::kAllUsersDisabled, StartupFolder::kUser,
                                                    StartupFolder::kUserDisabled};

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

}  // namespace

void CollectEntries(Registre& registry, EntryTable& entries) {
    entries.clear();
    std::vector<NamedText> values;
    for (const EntrySource& source : kEntrySources) {
        if (!registry.HasRoot(source.root)) continue;
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

std::vector<UnreadFolder> CollectEntries(Registre& registry, StartupFolders& folders, EntryTable& entries) {
    CollectEntries(registry, entries);
    std::vector<UnreadFolder> unread;
    std::vector<FolderItem> items;
    for (const StartupFolder folder : kFolderOrder) {
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

}  // namespace quorvel
