#pragma once
// The one base of every window and dialog of the program: the object is found again from its handle,
// stored when the system first names the window, and every message goes to the object's OnMessage.

#include <windows.h>

namespace quorvel::win32 {

template <typename Derived>
class WindowBase {
  public:
    HWND Handle() const { return window_; }

  protected:
    WindowBase() = default;
    ~WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // The class's window procedure; CreateWindowExW is given the object as its creation parameter.
    // Messages before WM_NCCREATE, and after WM_NCDESTROY, get the default handling.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
            self->window_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return ::DefWindowProcW(window, message, wparam, lparam);
        }
        return self->OnMessage(message, wparam, lparam);
    }

    // A dialog's procedure; the dialog is given the object as its initialisation parameter.
    // OnMessage then answers as a dialog procedure does (TRUE for a handled message).
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_INITDIALOG) {
            reinterpret_cast<Derived*>(lparam)->window_ = window;
            ::SetWindowLongPtrW(window, DWLP_USER, lparam);
        }
        auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, DWLP_USER));
        return self != nullptr ? self->OnMessage(message, wparam, lparam) : FALSE;
    }

    HWND window_ = nullptr;
};

}  // namespace quorvel::win32
