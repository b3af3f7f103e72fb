#pragma once
// The five actions of the entry menu on one entry.

#include <cstdint>

#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

// The codes of the entry menu's items, as PopupChoice holds them.
enum class EntryAction : std::int16_t {
    kNone = 0,
    kEnable = 1,
    kDisable = 2,
    kBan = 3,
    kDelete = 4,
    kExecute = 5
};

struct ActionPorts {
    Registre& registry;
    MessageBoxes& boxes;
    ProcessLauncher& launcher;
};

// Carries out the action on a copy of the entry, so that a collection while a box is open cannot
// change what is acted on. `from_registry` is false for an entry of a loaded list file, whose
// command is written back as text. Returns whether the list must be collected again.
bool CarryOut(EntryAction action, const StartupEntry& entry, bool from_registry, const ActionPorts& ports);

// Moves an entry into the key of another state without ever losing it: the target is written
// first, the source deleted only after that, and the new copy removed again if the source stays.
// False (after telling the user why) when the move did not happen.
bool MoveEntry(const StartupEntry& entry, std::int16_t target_state, bool from_registry,
               const ActionPorts& ports);

}  // namespace quorvel
