#include "store/startup_entry.h"

#include <algorithm>

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
                       bool expandable) {
    StartupEntry entry;
    entry.Key = MakeKey(name, state);
    entry.Name = std::move(name);
    entry.Command = std::move(command);
    entry.State = state;
    entry.Root = root;
    entry.Expandable = expandable;
    return entry;
}

std::string_view RootName(RootKey root) {
    if (root == kLocalMachine) return words::kLocalMachine;
    if (root == kCurrentUser) return words::kCurrentUser;
    return words::kUnknownRoot;
}

std::string KeyName(RootKey root, std::string_view path) {
    std::string name(RootName(root));
    name += '\\';
    name += path;
    return name;
}

const StartupEntry* FindEntry(const EntryTable& entries, const EntryIdentity& identity) {
    // Saved lists may repeat an identity; the last one wins, as it does for the list's own keys.
    auto it = std::find_if(entries.rbegin(), entries.rend(), [&](const StartupEntry& e) {
        return e.Root == identity.root && e.Key == identity.key;
    });
    return it == entries.rend() ? nullptr : &*it;
}

}  // namespace quorvel
