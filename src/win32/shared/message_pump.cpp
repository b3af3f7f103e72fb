#include "win32/shared/message_pump.h"

#include <windows.h>

namespace quorvel::win32 {

std::optional<int> PumpPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return std::nullopt;
}

}  // namespace quorvel::win32
