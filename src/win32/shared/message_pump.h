#pragma once
// Handling the window messages that are waiting, without waiting for more.

#include <optional>

namespace quorvel::win32 {

// Dispatches every waiting message and returns. A WM_QUIT met on the way stops the pumping; its exit
// code is returned for the caller to act on.
std::optional<int> PumpPendingMessages();

}  // namespace quorvel::win32
