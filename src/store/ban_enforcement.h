#pragma once
// Carries out the bans: every name that stands in a Ban- key is deleted from the Run and Run- keys
// of both roots. The Ban- values themselves are never touched.

#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

// Deletes, for each banned entry of the table, every enabled or disabled entry of exactly the same
// name (case included), under the entry's own root. Returns how many deletions succeeded. The table
// must be fresh from the registry: enforcing a loaded list would delete live values it merely names.
int EnforceBans(Registre& registry, const EntryTable& entries);

}  // namespace quorvel
