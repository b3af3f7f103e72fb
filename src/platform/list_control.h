#pragma once
// The entry list as the program sees it: rows replaced as a whole, and the selected row's entry.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/startup_entry.h"

namespace quorvel {

struct ListRow {
    EntryIdentity identity;
    std::string name;
    std::string command;
    std::string_view state_word;
    int image = 0;  // index into the program's image list, counted from 1
};

class ListControl {
  public:
    virtual ~ListControl() = default;
    // Replaces every row, top to bottom in the order given.
    virtual void ShowRows(const std::vector<ListRow>& rows) = 0;
    virtual std::optional<EntryIdentity> SelectedEntry() const = 0;
    // The order the list control itself would give names: negative, zero or positive like strcmp.
    virtual int CompareNames(std::string_view a, std::string_view b) const = 0;
};

}  // namespace quorvel
