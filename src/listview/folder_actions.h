#pragma once
// The entry menu's actions on an item of a Startup folder. Disabled, the item's file moves byte for byte
// into Quorvel's folder of disabled items of its family, which nothing starts: Windows' own records
// would not stop every Windows, nor Wine, which ignores them. Banned, it stays there and its name
// stands in the Ban- key of the family's root, so that one list of bans covers values and items alike.

#include <cstdint>

#include "listview/entry_actions.h"

namespace quorvel {

// Moves the item of a collected entry into the state, never over another item without asking: enabled,
// into its Startup folder with Windows' record switched on; disabled, into Quorvel's folder, its ban
// taken away; banned, into Quorvel's folder with its ban written. A refusal leaves it as it was.
MoveResult MoveItemEntry(const StartupEntry& entry, std::int16_t target_state, const ActionPorts& ports);

// Sends the item to the Recycle Bin, and a banned item's ban with it. The question is the caller's.
MoveResult DeleteItemEntry(const StartupEntry& entry, const ActionPorts& ports);

// Whether a saved list's entry can make its item again: a shortcut with a target. Any other file, and a
// shortcut the system could not read, is saved as its own path only.
bool CanRebuild(const StartupEntry& entry, const Registre& registry);

// Makes the item of a saved list's entry in the folder of its state, a shortcut to its target with its
// arguments, and writes a banned entry's ban. An item of that name there is replaced only when the user
// says so; an entry that cannot make its item is a refusal the user is told of.
MoveResult RebuildItemEntry(const StartupEntry& entry, const ActionPorts& ports);

}  // namespace quorvel
