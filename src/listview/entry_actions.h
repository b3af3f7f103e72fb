#pragma once
// The five actions of the entry menu on one entry: a value of a key, or an item of a Startup folder
// (folder_actions.h).

#include <cstdint>
#include <optional>

#include "platform/entry_action.h"
#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "store/startup_entry.h"

namespace quorvel {

struct ActionPorts {
    Registre& registry;
    StartupFolders& folders;
    MessageBoxes& boxes;
    ProcessLauncher& launcher;
    // Whether a change the system refuses under HKEY_LOCAL_MACHINE (or in the all-users Startup folder)
    // may offer to restart Quorvel as an administrator: not when it runs as one already, and not where there
    // is no window to restart.
    bool offer_administrator = false;
};

// The state Enable, Disable and Ban move an entry into; nothing for the actions that move nothing.
std::optional<std::int16_t> TargetStateOf(EntryAction action);

enum class ActionOutcome {
    kNothing,  // nothing was changed or started: nothing to read again
    kChanged,  // the registry may have changed, or a command was started: read the keys again
    // a change was refused under HKEY_LOCAL_MACHINE, and the user asked for Quorvel as an administrator
    kRestartAsAdministrator,
};

// Carries out the action on a copy of the entry, so that a collection while a box is open cannot
// change what is acted on. `from_registry` is false for an entry of a loaded list file: Enable, Disable
// and Ban make it stand in that state as restoring the list would (restore.h), also in the state the
// list gives it. A value the list showed but that is gone meanwhile is a refusal the user is told of.
ActionOutcome CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry,
                       const ActionPorts& ports);

enum class MoveResult {
    kMoved,
    kDeclined,                // the target held a value of that name, and the user chose to keep it
    kRefused,                 // the system refused a change; the user was told which and why
    kRestartAsAdministrator,  // refused under HKEY_LOCAL_MACHINE; the user wants to go on as administrator
};

// Moves an entry into the key of another state without ever losing a value: a value of the same name
// in the target is replaced only when the user says so, the target is written first, the source
// deleted only after that, and the new copy removed again if the source stays. An entry enabled this
// way is also switched on in Windows' startup settings, where a record there keeps it off.
MoveResult MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
                     const ActionPorts& ports);

// An enabled entry starts only if Windows' startup settings do not switch it off: a record that does
// is switched on. kRefused (the user told) or kRestartAsAdministrator when the system refuses that.
MoveResult SwitchOnIfOff(const StartupEntry& entry, const ActionPorts& ports);

// Tells the user that a change of the entry was refused, and why. Where an administrator could make it,
// it offers to go on as one: kRestartAsAdministrator when the user takes that way.
MoveResult TellRefused(const ActionPorts& ports, EntryAction action, const StartupEntry& entry,
                       std::string_view reason);
// The action as its menu item calls it: the title of its questions.
std::string_view ActionCaption(EntryAction action);
// The action that moves an entry into the state.
EntryAction ActionInto(std::int16_t target_state);

}  // namespace quorvel
