#pragma once
// Making the registry match entries of a saved startup list: one rule for the console's restore of a
// whole list and for the window's action on one entry of a loaded list. Each entry's value stands in
// the key of its state, with its command, under its root; a value of its name in another key of the
// root is moved there as the entry actions move values (with its own type and data when it holds the
// list's command, so that a REG_EXPAND_SZ stays one); values the list does not name are left alone.
// An item of a Startup folder stands in the folder of its state by its file name: an item of that name
// in the family's other folder is moved there as the entry actions move items, a missing shortcut is
// made again to its target with its arguments, and one that starts another command is made anew.

#include <functional>
#include <string>

#include "listview/entry_actions.h"
#include "store/startup_entry.h"

namespace quorvel {

struct RestoreResult {
    int differences = 0;  // entries that did not stand as the list has them
    bool failed = false;  // a change was refused or declined; the user was told which
    bool restart_as_administrator = false;
};

// Places each entry of `wanted` (entries with a state, and a root this system has or a folder's root)
// against `live`, a collection just read. `tell` hears each difference as one line; with `check` nothing is
// changed. A value in the way of an entry is replaced only when `ports.boxes` says yes.
RestoreResult RestoreEntries(const EntryTable& wanted, const EntryTable& live, const ActionPorts& ports,
                             bool check, const std::function<void(const std::string&)>& tell);

}  // namespace quorvel
