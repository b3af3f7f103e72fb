#pragma once
// What each listed entry's program is, found out in the idle moments of the one message loop: the file
// its command starts and whether it is there first, for every row, then who signed and made it, which
// reads and hashes the whole file. One command per step, so that the user's input is answered between
// any two; nothing while the list is not on the screen, so that a hidden start at logon examines
// nothing. What was found is kept by command, and a file's examination by the file's path and state, so
// that a new collection examines again only what changed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/file_facts.h"
#include "platform/list_control.h"
#include "platform/program_search.h"
#include "platform/registre.h"
#include "store/file_facts_cache.h"
#include "store/program_facts.h"

namespace quorvel {

class FactsScheduler {
  public:
    FactsScheduler(ProgramSearch& system, Registre& registry, FileFacts& files)
        : system_(system), registry_(registry), files_(files) {}

    // Gives the rows what is known of their programs already, and has their commands looked at again,
    // top row first: `afresh` for every row of the list, in place of whatever was still to do; otherwise
    // for rows new in the list, after what is still to do.
    void Plan(std::vector<ListRow>& rows, bool afresh);
    // Work is done only while the list can be seen.
    void SetVisible(bool visible) { visible_ = visible; }
    bool HasWork() const {
        return visible_ && (next_look_ < looks_.size() || next_examination_ < examinations_.size());
    }
    // Does the next piece of work. The command (as stored) whose rows must show something new, if any.
    std::optional<std::string> Step();

    // What the rows of a command show of its program.
    struct Shown {
        std::string publisher;
        bool missing = false;
        bool operator==(const Shown&) const = default;
    };
    Shown ShownFor(std::string_view command) const;

  private:
    // Past this many commands (values that came and went) the memory starts afresh.
    static constexpr std::size_t kMostCommands = 8192;
    // An examination reads and hashes the whole file at once: a larger one would hold the window up
    // for seconds (a hostile value may name a disk image), so it is not examined.
    static constexpr std::uint64_t kLargestExamined = 256ull << 20;
    struct Known {
        ProgramFacts facts;
        bool looked = false;
        // The last plan that had it looked at: a command of many rows is looked at once.
        std::uint64_t plan = 0;
    };
    using Entry = std::pair<const std::string, Known>;
    static Shown ShownOf(const Known& known);
    static bool TooLarge(const ProgramFacts& facts);
    static bool Unexamined(const Known& known);
    // Where the command's file is and in which state; whether its rows show something new.
    bool Look(Entry& entry);
    bool Examine(Known& known);

    ProgramSearch& system_;
    Registre& registry_;
    FileFacts& files_;
    FileFactsCache examined_;
    std::unordered_map<std::string, Known> known_;
    // What is left to do, in order, from the index on: elements of known_, which stay where they are
    // however the map grows. Kept with their room from plan to plan, as every collection plans anew.
    std::vector<Entry*> looks_;
    std::size_t next_look_ = 0;
    std::vector<Entry*> examinations_;
    std::size_t next_examination_ = 0;
    std::uint64_t plan_ = 0;
    bool visible_ = false;
    // What examinations need is loaded, in steps of their own.
    bool prepared_ = false;
};

}  // namespace quorvel
