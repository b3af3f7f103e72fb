// The least a window program does: one class, one top-level window, a message loop. What Quorvel's
// start-up and its memory are measured against. With "-hidden" the window is created but never shown,
// as Quorvel's is after a logon start.

#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"QuorvelBenchBare";
    if (!::RegisterClassExW(&wc)) return 1;
    // The same client size as Quorvel's window at 96 dpi, so that both paint as much.
    RECT frame{0, 0, 622, 325};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                          nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    if (std::wcsstr(arguments, L"-hidden") == nullptr) {
        ::ShowWindow(window, show);
        ::UpdateWindow(window);
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
