#pragma once
// Carries out the bans: every name that stands in a Ban- key is deleted from the Run and Run- keys
// of both roots. The Ban- values themselves are never touched.

#include <cstddef>

#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

struct BanPass {
    std::size_t deleted = 0;  // values the pass deleted
    std::size_t refused = 0;  // values whose deletion the system refused; they stay until a later pass
};

// Deletes, for each banned entry of the table, every enabled or disabled entry of exactly the same
// name (case included), under the entry's own root. The table must be fresh from the registry:
// enforcing a loaded list would delete live values it merely names.
BanPass EnforceBans(Registre& registry, const EntryTable& entries);

// How many enabled or disabled entries of the table bear a banned name: what a pass would delete.
std::size_t CountBannedValues(const EntryTable& entries);

}  // namespace quorvel
