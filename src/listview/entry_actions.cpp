#include "listview/entry_actions.h"

#include <optional>
#include <string>

namespace quorvel {
namespace {

constexpr char kDeleteQuestion[] = "Are you sure to want delete this StartUp ?";
constexpr char kExecuteQuestion[] = "Are you sure to want execute this StartUp ?";

std::string_view Verb(std::int16_t target_state) {
    switch (target_state) {
        case kStateEnabled: return "enable";
        case kStateDisabled: return "disable";
        case kStateBanned: return "ban";
        default: return "change";
    }
}

// Names the entry, says what failed and why, and what usually helps.
void TellRefusal(const ActionPorts& ports, std::string_view verb, const StartupEntry& entry,
                 std::string_view reason) {
    std::string text = "Quorvel could not " + std::string(verb) + " the startup entry \"" + entry.Name +
                       "\" of " + std::string(RootName(entry.Root)) + ".\n\n" + std::string(reason);
    if (entry.Root == kLocalMachine) {
        text +=
            "\n\nEntries of HKEY_LOCAL_MACHINE belong to the whole machine; changing them needs Quorvel "
            "to run as an administrator.";
    }
    ports.boxes.Fail(text);
}

}  // namespace

bool MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
               const ActionPorts& ports) {
    Registre& registry = ports.registry;
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
        TellRefusal(ports, Verb(target_state), entry, registry.LastError());
        return false;
    }
    if (source.empty() || registry.DeleteValue(entry.Root, source, entry.Name)) return true;
    std::string reason = registry.LastError();
    // The old value stays, so the target goes back to what it was: the entry must not end up in two
    // keys. Should the system refuse that too, the user learns where the entry now stands.
    const bool undone = replaced ? registry.WriteRawValue(entry.Root, target, entry.Name, *replaced)
                                 : registry.DeleteValue(entry.Root, target, entry.Name);
    if (!undone) {
        reason += "\n\nThe entry now stands in both " + std::string(source) + " and " + std::string(target) +
                  "; remove one of them with the registry editor.";
    }
    TellRefusal(ports, Verb(target_state), entry, reason);
    return false;
}

bool CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry, const ActionPorts& ports) {
    switch (action) {
        case EntryAction::kNone: return false;
        case EntryAction::kEnable:
        case EntryAction::kDisable:
        case EntryAction::kBan: {
            const auto target = static_cast<std::int16_t>(
                action == EntryAction::kEnable
                    ? kStateEnabled
                    : (action == EntryAction::kDisable ? kStateDisabled : kStateBanned));
            if (entry.State == target) return false;
            MoveEntry(entry, target, from_registry, ports);
            return true;
        }
        case EntryAction::kDelete:
            if (!ports.boxes.Confirm(kDeleteQuestion, "Delete")) return false;
            if (!ports.registry.DeleteValue(entry.Root, PathOfState(entry.State), entry.Name)) {
                TellRefusal(ports, "delete", entry, ports.registry.LastError());
            }
            return true;
        case EntryAction::kExecute: {
            if (!ports.boxes.Confirm(kExecuteQuestion, "Execute")) return false;
            const std::string command =
                entry.Expandable ? ports.launcher.ExpandEnvironment(entry.Command) : entry.Command;
            const LaunchResult result = ports.launcher.StartCommandLine(command, ShowCommand::kMinimized);
            if (!result.started) {
                ports.boxes.Fail("Quorvel could not execute the command of \"" + entry.Name + "\":\n\n" +
                                 (command.empty() ? std::string("(empty)") : command) + "\n\n" +
                                 result.error);
            }
            return true;
        }
    }
    return false;
}

}  // namespace quorvel
