#pragma once
// What the entry list shows, and in which order.

#include <functional>
#include <string_view>
#include <vector>

#include "platform/list_control.h"
#include "store/startup_entry.h"

namespace quorvel {

struct Visibility {
    bool enabled = true;
    bool disabled = true;
    bool banned = false;
    bool Shows(std::int16_t state) const;
};

using NameComparison = std::function<int(std::string_view, std::string_view)>;

// The rows for the table: the entries whose state is visible, the last slot of the table first;
// when sorted, in ascending name order as the list control orders names, entries of equal names
// keeping that reverse table order.
std::vector<ListRow> BuildRows(const EntryTable& entries, Visibility visibility, bool sorted,
                               const NameComparison& compare_names);

}  // namespace quorvel
