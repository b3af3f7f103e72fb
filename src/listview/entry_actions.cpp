#include "listview/entry_actions.h"

#include <optional>
#include <string>

#include "words/words.h"

namespace quorvel {
namespace {

// The action as a message names it: "Quorvel could not disable ...".
std::string_view Verb(EntryAction action) {
    switch (action) {
        case EntryAction::kEnable: return "enable";
        case EntryAction::kDisable: return "disable";
        case EntryAction::kBan: return "ban";
        case EntryAction::kDelete: return "delete";
        case EntryAction::kExecute: return "execute";
        case EntryAction::kNone: break;
    }
    return "change";
}

void TellRefusal(const ActionPorts& ports, EntryAction action, const StartupEntry& entry,
                 std::string_view reason) {
    ports.boxes.Fail(words::CouldNotChangeEntry(Verb(action), entry.Name, RootName(entry.Root), reason,
                                                entry.Root == kLocalMachine));
}

EntryAction ActionInto(std::int16_t target_state) {
    switch (target_state) {
        case kStateEnabled: return EntryAction::kEnable;
        case kStateDisabled: return EntryAction::kDisable;
        case kStateBanned: return EntryAction::kBan;
        default: return EntryAction::kNone;
    }
}

}  // namespace

std::optional<std::int16_t> TargetStateOf(EntryAction action) {
    switch (action) {
        case EntryAction::kEnable: return kStateEnabled;
        case EntryAction::kDisable: return kStateDisabled;
        case EntryAction::kBan: return kStateBanned;
        case EntryAction::kNone:
        case EntryAction::kDelete:
        case EntryAction::kExecute: break;
    }
    return std::nullopt;
}

bool MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
               const ActionPorts& ports) {
    Registre& registry = ports.registry;
    const EntryAction action = ActionInto(target_state);
    const std::string_view source = PathOfState(entry.State);
    const std::string_view target = PathOfState(target_state);
    // What the target held under this name, to be put back if the move has to be undone.
    const std::optional<RegistryValue> replaced = registry.ReadRawValue(entry.Root, target, entry.Name);
    // The value's own type and data travel along (REG_EXPAND_SZ stays what it is); a loaded list's
    // entry, or a value gone meanwhile, is written from the command the table holds.
    bool written =
        from_registry && !source.empty() && registry.CopyValue(entry.Root, source, target, entry.Name);
    if (!written) written = registry.WriteStringValue(entry.Root, target, entry.Name, entry.Command);
    if (!written) {
        TellRefusal(ports, action, entry, registry.LastError());
        return false;
    }
    if (source.empty() || registry.DeleteValue(entry.Root, source, entry.Name)) return true;
    std::string reason = registry.LastError();
    // The old value stays, so the target goes back to what it was: the entry must not end up in two
    // keys. Should the system refuse that too, the user learns where the entry now stands.
    const bool undone = replaced ? registry.WriteRawValue(entry.Root, target, entry.Name, *replaced)
                                 : registry.DeleteValue(entry.Root, target, entry.Name);
    if (!undone) reason += words::EntryNowInTwoKeys(source, target);
    TellRefusal(ports, action, entry, reason);
    return false;
}

bool CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry, const ActionPorts& ports) {
    if (const std::optional<std::int16_t> target = TargetStateOf(action)) {
        if (entry.State == *target) return false;
        MoveEntry(entry, *target, from_registry, ports);
        return true;
    }
    switch (action) {
        case EntryAction::kDelete:
            if (!ports.boxes.Confirm(words::kDeleteQuestion, words::kDelete)) return false;
            if (!ports.registry.DeleteValue(entry.Root, PathOfState(entry.State), entry.Name)) {
                TellRefusal(ports, action, entry, ports.registry.LastError());
            }
            return true;
        case EntryAction::kExecute: {
            if (!ports.boxes.Confirm(words::kExecuteQuestion, words::kExecute)) return false;
            const std::string command =
                entry.Expandable ? ports.launcher.ExpandEnvironment(entry.Command) : entry.Command;
            const LaunchResult result = ports.launcher.StartCommandLine(command, ShowCommand::kMinimized);
            if (!result.started) ports.boxes.Fail(words::CouldNotExecute(entry.Name, command, result.error));
            return true;
        }
        default: return false;
    }
}

}  // namespace quorvel
