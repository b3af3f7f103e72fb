#include "listview/entry_actions.h"

#include <optional>
#include <string>

#include "store/utf16_text.h"
#include "words/words.h"

namespace quorvel {
namespace {

// The action as its menu item calls it, and as a message names it ("Quorvel could not disable ...").
struct ActionWords {
    std::string_view caption;
    std::string_view verb;
};
ActionWords WordsOf(EntryAction action) {
    switch (action) {
        case EntryAction::kEnable: return {words::kEnable, "enable"};
        case EntryAction::kDisable: return {words::kDisable, "disable"};
        case EntryAction::kBan: return {words::kBan, "ban"};
        case EntryAction::kDelete: return {words::kDelete, "delete"};
        case EntryAction::kExecute: return {words::kExecute, "execute"};
        case EntryAction::kNone: break;
    }
    return {words::kProgram, "change"};
}

void TellRefusal(const ActionPorts& ports, EntryAction action, const StartupEntry& entry,
                 std::string_view reason) {
    ports.boxes.Fail(words::CouldNotChangeEntry(WordsOf(action).verb, entry.Name, RootName(entry.Root),
                                                reason, entry.Root == kLocalMachine));
}

std::string TextOf(const RegistryValue& value) {
    if (value.type == kValueTypeString || value.type == kValueTypeExpandString) {
        return Utf8FromStringData(value.data);
    }
    return words::NotText(value.type);
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

MoveResult MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
                     const ActionPorts& ports) {
    Registre& registry = ports.registry;
    const EntryAction action = ActionInto(target_state);
    const std::string_view source = PathOfState(entry.State);
    const std::string_view target = PathOfState(target_state);
    // What the target holds under this name (as the registry compares names): replaced only when the
    // user says so, and put back if the move has to be undone.
    const std::optional<RegistryValue> replaced = registry.ReadRawValue(entry.Root, target, entry.Name);
    if (replaced) {
        const std::string from =
            from_registry && !source.empty() ? KeyName(entry.Root, source) : std::string(words::kLoadedList);
        const std::string question = words::ReplaceValue(KeyName(entry.Root, target), entry.Name,
                                                         TextOf(*replaced), from, entry.Command);
        if (!ports.boxes.AskYesNo(question, WordsOf(action).caption)) return MoveResult::kDeclined;
    }
    // The value's own type and data travel along (REG_EXPAND_SZ stays what it is); a loaded list's
    // entry, or a value gone meanwhile, is written from the command the table holds.
    bool written =
        from_registry && !source.empty() && registry.CopyValue(entry.Root, source, target, entry.Name);
    if (!written) written = registry.WriteStringValue(entry.Root, target, entry.Name, entry.Command);
    if (!written) {
        TellRefusal(ports, action, entry, registry.LastError());
        return MoveResult::kRefused;
    }
    if (source.empty() || registry.DeleteValue(entry.Root, source, entry.Name)) return MoveResult::kMoved;
    std::string reason = registry.LastError();
    // The old value stays, so the target goes back to what it was: the entry must not end up in two
    // keys. Should the system refuse that too, the user learns where the entry now stands.
    const bool undone = replaced ? registry.WriteRawValue(entry.Root, target, entry.Name, *replaced)
                                 : registry.DeleteValue(entry.Root, target, entry.Name);
    if (!undone) reason += words::EntryNowInTwoKeys(source, target);
    TellRefusal(ports, action, entry, reason);
    return MoveResult::kRefused;
}

bool CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry, const ActionPorts& ports) {
    if (const std::optional<std::int16_t> target = TargetStateOf(action)) {
        if (entry.State == *target) return false;
        return MoveEntry(entry, *target, from_registry, ports) != MoveResult::kDeclined;
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
