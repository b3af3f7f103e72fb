#include "store/startup_approved.h"

#include <map>
#include <string>

namespace quorvel {
namespace {

constexpr std::uint8_t kOffBit = 0x01;
constexpr std::uint8_t kOnStatus = 0x02;
constexpr std::size_t kRecordSize = 12;

}  // namespace

std::optional<ApprovalKey> ApprovalKeyOf(RootKey root) {
    if (root == kLocalMachine || root == kCurrentUser) return ApprovalKey{root, kApprovedRunPath};
    if (root == kLocalMachine32) return ApprovalKey{kLocalMachine, kApprovedRun32Path};
    if (IsFolderRoot(root)) return ApprovalKey{OwningRoot(root), kApprovedStartupFolderPath};
    return std::nullopt;
}

bool SwitchesOff(const RegistryValue& record) {
    return record.type == kValueTypeBinary && !record.data.empty() && (record.data[0] & kOffBit) != 0;
}

RegistryValue SwitchedOnRecord() {
    RegistryValue record{kValueTypeBinary, std::vector<std::uint8_t>(kRecordSize, 0)};
    record.data[0] = kOnStatus;
    return record;
}

void ReadApprovals(Registre& registry, EntryTable& entries) {
    std::map<RootKey, std::map<std::string, bool>> off;
    std::vector<NamedValue> records;
    for (const RootKey root : kRoots) {
        const std::optional<ApprovalKey> key = ApprovalKeyOf(root);
        if (!key || !registry.HasRoot(root)) continue;
        records.clear();
        registry.ListRawValues(records, key->root, key->path);
        for (const NamedValue& record : records)
            off[root][registry.FoldedName(record.name)] = SwitchesOff(record.value);
    }
    for (StartupEntry& entry : entries) {
        if (entry.State != kStateEnabled && entry.State != kStateDisabled) continue;
        const auto root = off.find(entry.Root);
        if (root == off.end()) continue;
        const auto record = root->second.find(registry.FoldedName(entry.Name));
        entry.SwitchedOff = record != root->second.end() && record->second;
    }
}

bool SwitchOn(Registre& registry, const StartupEntry& entry) {
    const std::optional<ApprovalKey> key = ApprovalKeyOf(entry.Root);
    return key && registry.WriteRawValue(key->root, key->path, StoredName(entry), SwitchedOnRecord());
}

}  // namespace quorvel
