#include "listview/draw_list.h"

#include "words/words.h"

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
    return BuildRowsOf(entries, visibility);
}

std::vector<ListRow> BuildRowsOf(std::span<const StartupEntry> entries, Visibility visibility) {
    std::vector<ListRow> rows;
    // Each shown entry goes in at the top, so an unsorted list reads in reverse table order.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const std::int16_t state = ShownState(*it);
        if (!visibility.Shows(state)) continue;
        std::string location(LocationWord(it->Root));
        if (it->SwitchedOff && it->State == kStateEnabled) location += words::kSwitchedOffNote;
        rows.push_back({it->Identity(),
                        words::Readable(it->Name),
                        words::Readable(it->Command),
                        StateWord(state),
                        std::move(location),
                        state,
                        it->Command,
                        {},
                        false,
                        SourceOf(*it)});
    }
    return rows;
}

}  // namespace quorvel
