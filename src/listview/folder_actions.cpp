#include "listview/folder_actions.h"

#include <optional>
#include <string>
#include <vector>

#include "store/startup_folder_items.h"
#include "words/folder_words.h"
#include "words/words.h"

namespace quorvel {
namespace {

// The item of that file name in the folder, names compared as the system compares them; nothing when
// there is none, or when the folder cannot be read (then `unread` says why).
std::optional<FolderItem> FindItem(const ActionPorts& ports, StartupFolder folder, std::string_view file_name,
                                   std::string* unread = nullptr) {
    std::vector<FolderItem> items;
    if (!ports.folders.ListItems(items, folder) && unread != nullptr) *unread = ports.folders.LastError();
    const std::string wanted = ports.registry.FoldedName(file_name);
    for (FolderItem& item : items) {
        if (ports.registry.FoldedName(item.file_name) == wanted) return std::move(item);
    }
    return std::nullopt;
}

// The list showed the item a moment ago; gone since, there is nothing to act on, and saying "done"
// would be false.
std::optional<MoveResult> Gone(const StartupEntry& entry, EntryAction action, const ActionPorts& ports) {
    std::string unread;
    if (FindItem(ports, FolderOfEntry(entry.Root, entry.State), entry.FileName, &unread)) return std::nullopt;
    return TellRefused(ports, action, entry, unread.empty() ? words::kItemGone : std::string_view(unread));
}

// Only a ban with data bans, as only such a value is listed.
bool HoldsBan(Registre& registry, RootKey root, std::string_view name) {
    const std::optional<RegistryValue> ban = registry.ReadRawValue(root, kBanPath, name);
    return ban && !ban->data.empty();
}

// Asks before an item of the name in `folder` gives way to the entry's; true to go on.
bool MayReplace(const StartupEntry& entry, StartupFolder folder, std::string_view source, EntryAction action,
                const ActionPorts& ports) {
    const std::optional<FolderItem> there = FindItem(ports, folder, entry.FileName);
    return ports.boxes.AskYesNo(
        words::ReplaceItem(ports.folders.PathOf(folder), entry.FileName,
                           there ? ItemCommand(*there) : std::string(), source, entry.Command),
        ActionCaption(action));
}

MoveResult MoveFile(const StartupEntry& entry, StartupFolder from, StartupFolder to, EntryAction action,
                    const ActionPorts& ports) {
    PlaceResult placed = ports.folders.MoveItem(from, to, entry.FileName, false);
    if (placed == PlaceResult::kNameTaken) {
        if (!MayReplace(entry, to, ports.folders.PathOf(from), action, ports)) return MoveResult::kDeclined;
        placed = ports.folders.MoveItem(from, to, entry.FileName, true);
    }
    if (placed == PlaceResult::kPlaced) return MoveResult::kMoved;
    return TellRefused(ports, action, entry, ports.folders.LastError());
}

// Writes the entry's ban where none stands yet: one that does keeps its own data.
bool Ban(const StartupEntry& entry, Registre& registry) {
    const RootKey owner = OwningRoot(entry.Root);
    return HoldsBan(registry, owner, entry.Name) ||
           registry.WriteStringValue(owner, kBanPath, entry.Name, entry.Command);
}

}  // namespace

MoveResult MoveItemEntry(const StartupEntry& entry, std::int16_t target_state, const ActionPorts& ports) {
    Registre& registry = ports.registry;
    const EntryAction action = ActionInto(target_state);
    const RootKey owner = OwningRoot(entry.Root);
    if (const std::optional<MoveResult> gone = Gone(entry, action, ports)) return *gone;
    // Back in its Startup folder under a ban of its name, the item would be deleted for good by the next
    // pass: whatever key the ban stands in, that ban must go first, and this item's own goes here.
    if (target_state == kStateEnabled) {
        for (const RootKey root : kRoots) {
            if ((root == owner && entry.State == kStateBanned) || !registry.HasRoot(root)) continue;
            if (HoldsBan(registry, root, entry.Name))
                return TellRefused(ports, action, entry,
                                   words::BannedElsewhere(entry.Name, KeyName(root, kBanPath)));
        }
    }
    // The item's own ban goes before the item moves, for the same reason, and comes back if it cannot.
    std::optional<RegistryValue> ban;
    if (entry.State == kStateBanned) {
        ban = registry.ReadRawValue(owner, kBanPath, entry.Name);
        if (ban && !registry.DeleteValue(owner, kBanPath, entry.Name))
            return TellRefused(ports, action, entry, registry.LastError());
    }
    const StartupFolder from = FolderOfEntry(entry.Root, entry.State);
    const StartupFolder to = FolderOfEntry(entry.Root, target_state);
    const MoveResult moved = from == to ? MoveResult::kMoved : MoveFile(entry, from, to, action, ports);
    if (moved != MoveResult::kMoved) {
        if (ban) registry.WriteRawValue(owner, kBanPath, entry.Name, *ban);
        return moved;
    }
    if (target_state == kStateBanned && !Ban(entry, registry)) {
        std::string reason = registry.LastError();
        // Not banned, the item goes back where it was; where that fails too, it is at least disabled.
        if (from != to && ports.folders.MoveItem(to, from, entry.FileName, false) != PlaceResult::kPlaced)
            reason += words::ItemStaysIn(ports.folders.PathOf(to));
        return TellRefused(ports, action, entry, reason);
    }
    return target_state == kStateEnabled ? SwitchOnIfOff(entry, ports) : MoveResult::kMoved;
}

MoveResult DeleteItemEntry(const StartupEntry& entry, const ActionPorts& ports) {
    if (const std::optional<MoveResult> gone = Gone(entry, EntryAction::kDelete, ports)) return *gone;
    if (!ports.folders.RecycleItem(FolderOfEntry(entry.Root, entry.State), entry.FileName))
        return TellRefused(ports, EntryAction::kDelete, entry, ports.folders.LastError());
    const RootKey owner = OwningRoot(entry.Root);
    if (entry.State == kStateBanned && ports.registry.ReadRawValue(owner, kBanPath, entry.Name) &&
        !ports.registry.DeleteValue(owner, kBanPath, entry.Name))
        return TellRefused(ports, EntryAction::kDelete, entry, ports.registry.LastError());
    return MoveResult::kMoved;
}

bool CanRebuild(const StartupEntry& entry, const Registre& registry) {
    if (!IsShortcutFileName(entry.FileName)) return false;
    const std::string target = SplitItemCommand(entry.Command).target;
    const std::size_t slash = target.find_last_of('\\');
    const std::string_view last =
        slash == std::string::npos ? std::string_view(target) : std::string_view(target).substr(slash + 1);
    return !target.empty() && registry.FoldedName(last) != registry.FoldedName(entry.FileName);
}

MoveResult RebuildItemEntry(const StartupEntry& entry, const ActionPorts& ports) {
    const EntryAction action = ActionInto(entry.State);
    if (!IsItemFileName(entry.FileName))
        return TellRefused(ports, action, entry, words::NoItemFileName(entry.FileName));
    if (!CanRebuild(entry, ports.registry))
        return TellRefused(ports, action, entry, words::ItemNotRebuilt(entry.FileName));
    const StartupFolder folder = FolderOfEntry(entry.Root, entry.State);
    const ShortcutParts parts = SplitItemCommand(entry.Command);
    PlaceResult made =
        ports.folders.CreateShortcut(folder, entry.FileName, parts.target, parts.arguments, false);
    if (made == PlaceResult::kNameTaken) {
        if (!MayReplace(entry, folder, words::kLoadedList, action, ports)) return MoveResult::kDeclined;
        made = ports.folders.CreateShortcut(folder, entry.FileName, parts.target, parts.arguments, true);
    }
    if (made != PlaceResult::kPlaced) return TellRefused(ports, action, entry, ports.folders.LastError());
    if (entry.State == kStateBanned && !Ban(entry, ports.registry))
        return TellRefused(ports, action, entry, ports.registry.LastError());
    return MoveResult::kMoved;
}

}  // namespace quorvel
