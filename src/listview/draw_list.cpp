#include "listview/draw_list.h"

namespace quorvel {

bool Visibility::Shows(std::int16_t state) const {
    switch (state) {
        case kStateEnabled: return enabled;
        case kStateDisabled: return disabled;
        case kStateBanned: return banned;
        default: return false;
    }
}

std::vector<ListRow> BuildRows(const EntryTable& entries, Visibility visibility) {
    std::vector<ListRow> rows;
    // Each shown entry goes in at the top, so an unsorted list reads in reverse table order.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (visibility.Shows(it->State))
            rows.push_back({it->Identity(), it->Name, it->Command, StateWord(it->State), it->State});
    }
    return rows;
}

}  // namespace quorvel
