#include "listview/entry_actions.h"

#include <optional>
#include <string>

#include "listview/folder_actions.h"
#include "listview/restore.h"
#include "store/collection.h"
#include "store/startup_approved.h"
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

ActionOutcome OutcomeOf(MoveResult result) {
    switch (result) {
        case MoveResult::kDeclined: return ActionOutcome::kNothing;
        case MoveResult::kRestartAsAdministrator: return ActionOutcome::kRestartAsAdministrator;
        case MoveResult::kMoved:
        case MoveResult::kRefused: break;
    }
    return ActionOutcome::kChanged;
}

std::string TextOf(const RegistryValue& value) {
    if (value.type == kValueTypeString || value.type == kValueTypeExpandString) {
        return Utf8FromStringData(value.data);
    }
    return words::NotText(value.type);
}

// The list showed the value a moment ago; gone since, there is nothing to act on, and saying "done"
// would be false.
bool StillThere(const StartupEntry& entry, const ActionPorts& ports) {
    return ports.registry.ReadRawValue(entry.Root, PathOfState(entry.State), entry.Name).has_value();
}

// A loaded list's entry is made to stand in the chosen state by the rule that restores whole lists, so
// that a live value that holds the list's command keeps its own type and data.
ActionOutcome RestoreListed(const StartupEntry& entry, std::int16_t target, const ActionPorts& ports) {
    StartupEntry wanted = entry;
    wanted.State = target;
    EntryTable live;
    CollectEntries(ports.registry, ports.folders, live);
    const RestoreResult result = RestoreEntries({wanted}, live, ports, false, nullptr);
    if (result.restart_as_administrator) return ActionOutcome::kRestartAsAdministrator;
    return result.differences == 0 ? ActionOutcome::kNothing : ActionOutcome::kChanged;
}

}  // namespace

MoveResult TellRefused(const ActionPorts& ports, EntryAction action, const StartupEntry& entry,
                       std::string_view reason) {
    const bool machine_wide = IsMachineWide(entry.Root);
    const std::string_view note = !machine_wide              ? std::string_view()
                                  : IsFolderRoot(entry.Root) ? words::kAllUsersFolderNeedsAdministrator
                                                             : words::kMachineKeysNeedAdministrator;
    const std::string text =
        words::CouldNotChangeEntry(WordsOf(action).verb, entry.Name, RootName(entry.Root), reason, note);
    if (machine_wide && ports.offer_administrator) {
        return ports.boxes.AskYesNo(text + std::string(words::kRestartAsAdministrator),
                                    WordsOf(action).caption)
                   ? MoveResult::kRestartAsAdministrator
                   : MoveResult::kRefused;
    }
    ports.boxes.Fail(text);
    return MoveResult::kRefused;
}

std::string_view ActionCaption(EntryAction action) { return WordsOf(action).caption; }

EntryAction ActionInto(std::int16_t target_state) {
    switch (target_state) {
        case kStateEnabled: return EntryAction::kEnable;
        case kStateDisabled: return EntryAction::kDisable;
        case kStateBanned: return EntryAction::kBan;
        default: return EntryAction::kNone;
    }
}

MoveResult SwitchOnIfOff(const StartupEntry& entry, const ActionPorts& ports) {
    const std::optional<ApprovalKey> key = ApprovalKeyOf(entry.Root);
    if (!key) return MoveResult::kMoved;
    const std::optional<RegistryValue> record =
        ports.registry.ReadRawValue(key->root, key->path, StoredName(entry));
    if (!record || !SwitchesOff(*record) || SwitchOn(ports.registry, entry)) return MoveResult::kMoved;
    return TellRefused(ports, EntryAction::kEnable, entry, ports.registry.LastError());
}

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
    if (from_registry && !source.empty() && !StillThere(entry, ports))
        return TellRefused(ports, action, entry, words::kEntryGone);
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
    // entry is written from the command the table holds.
    const bool written = from_registry && !source.empty()
                             ? registry.CopyValue(entry.Root, source, target, entry.Name)
                             : registry.WriteStringValue(entry.Root, target, entry.Name, entry.Command);
    if (!written) return TellRefused(ports, action, entry, registry.LastError());
    // A loaded list's entry names the value its key held when the list was saved; one that holds another
    // command now is another value, deleted only when the user says so.
    bool delete_source = !source.empty();
    if (delete_source && !from_registry) {
        const std::optional<RegistryValue> live = registry.ReadRawValue(entry.Root, source, entry.Name);
        const std::string live_text = live ? TextOf(*live) : std::string();
        if (live && live_text != entry.Command) {
            delete_source = ports.boxes.AskYesNo(
                words::DeleteOtherValue(KeyName(entry.Root, source), entry.Name, live_text, entry.Command),
                WordsOf(action).caption);
        }
    }
    if (!delete_source || registry.DeleteValue(entry.Root, source, entry.Name)) {
        return action == EntryAction::kEnable ? SwitchOnIfOff(entry, ports) : MoveResult::kMoved;
    }
    std::string reason = registry.LastError();
    // The old value stays, so the target goes back to what it was: the entry must not end up in two
    // keys. Should the system refuse that too, the user learns where the entry now stands.
    const bool undone = replaced ? registry.WriteRawValue(entry.Root, target, entry.Name, *replaced)
                                 : registry.DeleteValue(entry.Root, target, entry.Name);
    if (!undone) reason += words::EntryNowInTwoKeys(source, target);
    return TellRefused(ports, action, entry, reason);
}

ActionOutcome CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry,
                       const ActionPorts& ports) {
    if (const std::optional<std::int16_t> target = TargetStateOf(action)) {
        if (!from_registry) return RestoreListed(entry, *target, ports);
        // Enabled in Run, but switched off by Windows: Enable switches it on and leaves the value alone.
        if (action == EntryAction::kEnable && entry.State == kStateEnabled && entry.SwitchedOff) {
            return OutcomeOf(SwitchOnIfOff(entry, ports));
        }
        if (entry.State == *target) return ActionOutcome::kNothing;
        if (IsFolderRoot(entry.Root)) return OutcomeOf(MoveItemEntry(entry, *target, ports));
        return OutcomeOf(MoveEntry(entry, *target, from_registry, ports));
    }
    switch (action) {
        case EntryAction::kDelete:
            if (!ports.boxes.Confirm(words::kDeleteQuestion, words::kDelete)) return ActionOutcome::kNothing;
            if (IsFolderRoot(entry.Root)) return OutcomeOf(DeleteItemEntry(entry, ports));
            if (!StillThere(entry, ports))
                return OutcomeOf(TellRefused(ports, action, entry, words::kEntryGone));
            if (!ports.registry.DeleteValue(entry.Root, PathOfState(entry.State), entry.Name)) {
                return OutcomeOf(TellRefused(ports, action, entry, ports.registry.LastError()));
            }
            return ActionOutcome::kChanged;
        case EntryAction::kExecute: {
            // The question shows the command exactly as it will run: expanded where it is expandable.
            const std::string command = entry.Type == kValueTypeExpandString
                                            ? ports.launcher.ExpandEnvironment(entry.Command)
                                            : entry.Command;
            if (!ports.boxes.Confirm(words::ExecuteQuestion(entry.Name, command), words::kExecute))
                return ActionOutcome::kNothing;
            // A folder's item is opened as the shell opens it at logon: the shortcut itself, with its own
            // folder to start in and its own window size. A loaded list's item has only its command.
            const LaunchResult result =
                IsFolderRoot(entry.Root) && !entry.Folder.empty()
                    ? ports.launcher.Open(entry.Folder + "\\" + entry.FileName, ShowCommand::kNormal)
                    : ports.launcher.StartCommandLine(command, ShowCommand::kMinimized);
            if (!result.started && !result.cancelled)
                ports.boxes.Fail(words::CouldNotExecute(entry.Name, command, result.error));
            return ActionOutcome::kChanged;
        }
        default: return ActionOutcome::kNothing;
    }
}

}  // namespace quorvel
