#pragma once
// The registry's change notification on the startup keys, which raises Registry_Change.

namespace quorvel {

class KeyWatch {
  public:
    virtual ~KeyWatch() = default;
    // Forgets every change reported so far, Quorvel's own included, and watches afresh: each change is
    // reported once, until the next restart. Whoever reads the keys calls it first: what that reading
    // finds needs no notification, and whatever changes after it is reported.
    virtual void Restart() = 0;
};

}  // namespace quorvel
