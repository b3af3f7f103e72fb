#pragma once
// One small owner for every kind of handle the program holds, so that no path forgets to close one.

#include <windows.h>

#include <utility>

namespace quorvel::win32 {

template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    // For APIs that hand out a handle through an out-parameter.
    T* put() {
        reset();
        return &handle_;
    }
    T release() { return std::exchange(handle_, Invalid); }
    void reset(T handle = Invalid) {
        if (handle_ != Invalid) Close(handle_);
        handle_ = handle;
    }

  private:
    T handle_ = Invalid;
};

namespace detail {
inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DeleteBitmap(HBITMAP bitmap) { ::DeleteObject(bitmap); }
inline void DeleteFont(HFONT font) { ::DeleteObject(font); }
inline void DeleteBrush(HBRUSH brush) { ::DeleteObject(brush); }
inline void DeletePen(HPEN pen) { ::DeleteObject(pen); }
inline void DeleteMemoryDC(HDC dc) { ::DeleteDC(dc); }
inline void DestroyWindowHandle(HWND window) { ::DestroyWindow(window); }
}  // namespace detail

using UniqueHKey = UniqueHandle<HKEY, &detail::CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &detail::CloseKernelHandle>;
using UniqueHBitmap = UniqueHandle<HBITMAP, &detail::DeleteBitmap>;
using UniqueHFont = UniqueHandle<HFONT, &detail::DeleteFont>;
using UniqueHBrush = UniqueHandle<HBRUSH, &detail::DeleteBrush>;
using UniqueHPen = UniqueHandle<HPEN, &detail::DeletePen>;
using UniqueHMenu = UniqueHandle<HMENU, &detail::DestroyMenuHandle>;
using UniqueHIcon = UniqueHandle<HICON, &detail::DestroyIconHandle>;
using UniqueWindow = UniqueHandle<HWND, &detail::DestroyWindowHandle>;

// A memory device context made for off-screen drawing.
using UniqueMemoryDC = UniqueHandle<HDC, &detail::DeleteMemoryDC>;

// Puts an object into a device context and puts the old one back when it goes out of scope.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectGuard() { ::SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint/EndPaint as a scope.
class PaintGuard {
  public:
    explicit PaintGuard(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintGuard() { ::EndPaint(window_, &paint_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A screen-compatible DC for the lifetime of a scope (GetDC/ReleaseDC).
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() { ::ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

}  // namespace quorvel::win32
