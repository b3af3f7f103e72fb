#pragma once
// The five actions of the entry menu on one entry.

#include <cstdint>
#include <optional>

#include "platform/entry_action.h"
#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

struct ActionPorts {
    Registre& registry;
    MessageBoxes& boxes;
    ProcessLauncher& launcher;
};

// The state Enable, Disable and Ban move an entry into; nothing for the actions that move nothing.
std::optional<std::int16_t> TargetStateOf(EntryAction action);

// Carries out the action on a copy of the entry, so that a collection while a box is open cannot
// change what is acted on. `from_registry` is false for an entry of a loaded list file, whose
// command is written back as text. Returns whether the list must be collected again.
bool CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry, const ActionPorts& ports);

enum class MoveResult {
    kMoved,
    kDeclined,  // the target held a value of that name, and the user chose to keep it
    kRefused,   // the system refused a change; the user was told which and why
};

// Moves an entry into the key of another state without ever losing a value: a value of the same name
// in the target is replaced only when the user says so, the target is written first, the source
// deleted only after that, and the new copy removed again if the source stays.
MoveResult MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
                     const ActionPorts& ports);

}  // namespace quorvel
