#include "listview/draw_list.h"

#include <algorithm>

namespace quorvel {

bool Visibility::Shows(std::int16_t state) const {
    switch (state) {
        case kStateEnabled:
            return enabled;
        case kStateDisabled:
            return disabled;
        case kStateBanned:
            return banned;
        default:
            return false;
    }
}

std::vector<ListRow> BuildRows(const EntryTable& entries, Visibility visibility, bool sorted,
                               const NameComparison& compare_names) {
    std::vector<ListRow> rows;
    // Each shown entry goes in at the top, so an unsorted list reads in reverse table order.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!visibility.Shows(it->State))
            continue;
        rows.push_back({it->Identity(), it->Name, it->Command, StateWord(it->State), it->State});
    }
    if (sorted) {
        // The program orders the rows itself, as the control's own sort would, instead of letting the
        // control place every insertion: far cheaper for long lists.
        std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
            return compare_names(a.name, b.name) < 0;
        });
    }
    return rows;
}

}  // namespace quorvel
