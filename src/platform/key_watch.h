#pragma once
// The change notifications on the startup keys and folders, which raise Registry_Change.

#include <bitset>

namespace quorvel {

// Which of the places the entry table is read from changed: bit i stands for the i-th of them in the
// order the table is read (the startup keys, then the folders; see store/collection.h).
using SourceSet = std::bitset<16>;

class KeyWatch {
  public:
    virtual ~KeyWatch() = default;
    // Forgets every change reported so far, Quorvel's own included, and watches afresh: each change is
    // reported once, until the next restart. Whoever reads the keys calls it first: what that reading
    // finds needs no notification, and whatever changes after it is reported. Returns the places whose
    // change was notified but not yet reported, which the reading that follows must include.
    virtual SourceSet Restart() = 0;
};

}  // namespace quorvel
