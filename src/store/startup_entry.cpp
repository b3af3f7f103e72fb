#include "store/startup_entry.h"

#include <algorithm>

#include "store/startup_folder_items.h"
#include "words/words.h"

namespace quorvel {

std::string_view PathOfState(std::int16_t state) {
    switch (state) {
        case kStateEnabled: return kRunPath;
        case kStateDisabled: return kRunDisabledPath;
        case kStateBanned: return kBanPath;
        default: return {};
    }
}

std::string_view StateWord(std::int16_t state) {
    switch (state) {
        case kStateEnabled: return words::kEnabledWord;
        case kStateDisabled: return words::kDisabledWord;
        case kStateBanned: return words::kBannedWord;
        default: return {};
    }
}

std::string MakeKey(std::string_view name, std::int16_t state) {
    std::string key(name);
    key += '-';
    key += std::to_string(state);
    return key;
}

StartupEntry MakeEntry(std::string name, std::string command, std::int16_t state, RootKey root,
                       std::uint32_t type) {
    StartupEntry entry;
    entry.Key = MakeKey(name, state);
    if (IsFolderRoot(root)) {
        entry.Name = ItemEntryName(name);
        entry.FileName = std::move(name);
    } else {
        entry.Name = std::move(name);
    }
    entry.Command = std::move(command);
    entry.State = state;
    entry.Root = root;
    entry.Type = type;
    return entry;
}

std::int16_t ShownState(const StartupEntry& entry) {
    return entry.State == kStateEnabled && entry.SwitchedOff ? kStateDisabled : entry.State;
}

bool IsFolderRoot(RootKey root) { return root == kUserStartupFolder || root == kAllUsersStartupFolder; }

RootKey OwningRoot(RootKey root) {
    if (root == kUserStartupFolder) return kCurrentUser;
    if (root == kAllUsersStartupFolder) return kLocalMachine;
    return root;
}

const std::string& StoredName(const StartupEntry& entry) {
    return IsFolderRoot(entry.Root) ? entry.FileName : entry.Name;
}

std::string_view RootName(RootKey root) {
    if (root == kLocalMachine) return words::kLocalMachine;
    if (root == kLocalMachine32) return words::kLocalMachine32;
    if (root == kCurrentUser) return words::kCurrentUser;
    if (root == kUserStartupFolder) return words::kUserStartupFolder;
    if (root == kAllUsersStartupFolder) return words::kAllUsersStartupFolder;
    return words::kUnknownRoot;
}

std::string_view LocationWord(RootKey root) {
    if (root == kLocalMachine) return words::kMachineLocation;
    if (root == kLocalMachine32) return words::kMachine32Location;
    if (root == kCurrentUser) return words::kUserLocation;
    if (root == kUserStartupFolder) return words::kUserFolderLocation;
    if (root == kAllUsersStartupFolder) return words::kAllUsersFolderLocation;
    return words::kUnknownRoot;
}

bool IsMachineWide(RootKey root) {
    return root == kLocalMachine || root == kLocalMachine32 || root == kAllUsersStartupFolder;
}

std::string KeyName(RootKey root, std::string_view path) {
    if (IsFolderRoot(root)) return std::string(path);
    constexpr std::string_view kSoftware = "SOFTWARE\\";
    std::string name(root == kLocalMachine32 ? words::kLocalMachine : RootName(root));
    name += '\\';
    if (root == kLocalMachine32 && path.starts_with(kSoftware)) {
        name += kSoftware;
        name += "WOW6432Node\\";
        path.remove_prefix(kSoftware.size());
    }
    name += path;
    return name;
}

std::string EntryKeyName(const StartupEntry& entry) {
    // An item of a loaded list was found in no folder: its root says which family it belongs to.
    if (IsFolderRoot(entry.Root))
        return entry.Folder.empty() ? std::string(RootName(entry.Root)) : entry.Folder;
    return KeyName(entry.Root, PathOfState(entry.State));
}

const StartupEntry* FindEntry(const EntryTable& entries, const EntryIdentity& identity) {
    // Rows of a loaded list differ by their place in it; should a table still hold an identity twice, the
    // last one wins, as it does for the list's own keys.
    auto it = std::find_if(entries.rbegin(), entries.rend(), [&](const StartupEntry& e) {
        return e.Root == identity.root && e.ListPosition == identity.position && e.Key == identity.key;
    });
    return it == entries.rend() ? nullptr : &*it;
}

}  // namespace quorvel
