#pragma once
// Reacting to changes of the startup keys as they happen: a burst of changes becomes one cleaning
// pass after a short settling time, a pass never runs inside another, and entries that newly
// appear in a Run key or a Startup folder are picked out for announcement.

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/collection.h"
#include "store/startup_entry.h"

namespace quorvel {

class CleaningScheduler {
  public:
    // A watched key changed. True when the settling timer must be started; while it runs, or while
    // a pass runs, further changes only ask for one more pass.
    bool Changed();
    // Whether a pass may start now; false inside a running pass, which then runs once more instead.
    bool BeginPass();
    // The pass is over. True when changes arrived meanwhile and the settling timer must start again.
    bool EndPass();
    // The settling timer fired: a pass is due.
    void Settled() { settling_ = false; }

  private:
    bool settling_ = false;
    bool running_ = false;
    bool again_ = false;
};

class NewcomerWatch {
  public:
    // Names are told apart as `registry` tells them apart.
    explicit NewcomerWatch(const Registre& registry) : registry_(registry) {}

    // The entries of a fresh collection that stand in a Run key or a Startup folder for the first time,
    // leaving out those Quorvel wrote itself; only the places in `read` are looked at, as the others
    // were not read again. The first call only learns what is there.
    std::vector<StartupEntry> Newcomers(const EntryTable& entries, SourceSet read = AllSources());
    // Quorvel is about to write this entry into a Run key (or an item into a Startup folder, by its file
    // name): it is nobody's news.
    void ExpectOwnWrite(RootKey root, std::string_view name);

  private:
    const Registre& registry_;
    // The names found enabled in each place, as the registry compares them.
    std::array<std::set<std::string>, kSourceCount> known_;
    bool primed_ = false;
};

}  // namespace quorvel
