#pragma once
// Rebuilds the entry table from the startup keys and Windows' startup settings. Nothing is cached:
// every pass reads all again.

#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

// Fills the table from the keys in their order, each key in the registry's enumeration order.
// A key that cannot be read contributes nothing; a value that is not text gets an empty command.
void CollectEntries(Registre& registry, EntryTable& entries);

}  // namespace quorvel
