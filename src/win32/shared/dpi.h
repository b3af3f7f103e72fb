#pragma once
// Per-monitor DPI helpers: every size the program chooses is given at 96 dpi and scaled here.

#include <windows.h>

namespace quorvel::win32 {

inline constexpr UINT kBaseDpi = USER_DEFAULT_SCREEN_DPI;

inline int Scale(int pixels_at_96, UINT dpi) {
    return ::MulDiv(pixels_at_96, static_cast<int>(dpi), kBaseDpi);
}

inline UINT DpiOf(HWND window) {
    const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : ::GetDpiForSystem();
}

// The system's UI font (the one message boxes use) at the given DPI.
HFONT CreateUiFont(UINT dpi);

}  // namespace quorvel::win32
