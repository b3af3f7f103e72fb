#pragma once
// The entry list as the program sees it: rows replaced as a whole, and the selected row's entry.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_watch.h"
#include "platform/registre.h"

namespace quorvel {

// The key of a list item. The entry's key ("Name-3") repeats when the same name has the same state
// under both roots, so whatever must tell two entries apart (list items, the entry actions) uses the
// root as well; and a loaded list may hold one name, root and state twice, so its rows carry their
// place in the file too.
struct EntryIdentity {
    RootKey root = 0;
    std::string key;
    std::size_t position = 0;  // the entry's place in a loaded list, from 1; 0 for the registry's
    bool operator==(const EntryIdentity&) const = default;
};

struct ListRow {
    EntryIdentity identity;
    std::string name;
    std::string command;
    std::string_view state_word;
    std::string location;  // where the entry lives, and whether Windows switches it off
    int image = 0;         // index into the program's image list, counted from 1
    // The entry's command as stored: the rows of one command share what is known of its program.
    std::string stored_command;
    std::string publisher;  // who made that program, or that its file is missing; empty until known
    bool missing = false;   // the program's file is not on the disk: the row is drawn grey
    // The place the entry was read from (see SourceSet): the rows of a place are replaced together.
    std::size_t group = 0;
};

class ListControl {
  public:
    virtual ~ListControl() = default;
    // Replaces every row, top to bottom in the order given. The list keeps the rows it is given.
    virtual void ShowRows(std::vector<ListRow> rows) = 0;
    // Takes away every row of these groups and puts `rows` (theirs, in the order a full list gives them)
    // where a full list would have them: merged into name order (`by_name`, ties by descending group),
    // or else group by group, the highest group on top. Repaints only what that changed or moved; the
    // selected entry and the scroll position stay as ShowRows keeps them.
    virtual void ReplaceGroups(SourceSet groups, std::vector<ListRow> rows, bool by_name) = 0;
    virtual std::optional<EntryIdentity> SelectedEntry() const = 0;
    // Gives every row of this command (as stored) what is now known of its program, and repaints
    // those rows alone.
    virtual void ShowFacts(std::string_view stored_command, std::string_view publisher, bool missing) = 0;
    // Puts the rows in ascending name order as the list control orders names; rows of equal names
    // keep their order.
    virtual void SortByName(std::vector<ListRow>& rows) const = 0;
};

}  // namespace quorvel
