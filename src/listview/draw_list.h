#pragma once
// What the entry list shows, and in which order.

#include <span>
#include <string_view>
#include <vector>

#include "platform/list_control.h"
#include "store/collection.h"
#include "store/startup_entry.h"

namespace quorvel {

struct Visibility {
    bool enabled = true;
    bool disabled = true;
    bool banned = false;
    bool Shows(std::int16_t state) const;
};

// The rows for the table: the entries whose shown state is visible, the last slot of the table first,
// as the list shows them unsorted.
std::vector<ListRow> BuildRows(const EntryTable& entries, Visibility visibility);
// The same for some of the table's entries.
std::vector<ListRow> BuildRowsOf(std::span<const StartupEntry> entries, Visibility visibility);

}  // namespace quorvel
