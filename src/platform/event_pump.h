#pragma once
// Processing pending window events.

namespace quorvel {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Lets waiting events (paints, clicks, ticks) run, and comes back without waiting for more.
    virtual void ProcessPendingEvents() = 0;
};

}  // namespace quorvel
