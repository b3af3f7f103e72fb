#pragma once
// System libraries that only some uses of the program need, loaded from the system folder on first use
// and kept to the end: every start (most of them hidden, at logon) would pay for them otherwise.

#include <windows.h>

#include "win32/shared/handles.h"

namespace quorvel::win32 {

class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* name) : name_(name) {}

    // The function, or nullptr when the library or the function cannot be had.
    template <typename Function>
    Function Get(const char* function) {
        if (!module_) module_.reset(::LoadLibraryExW(name_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        if (!module_) return nullptr;
        // Through a generic function pointer, the cast every GetProcAddress result needs.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(::GetProcAddress(module_.get(), function)));
    }

  private:
    using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
    const wchar_t* name_;
    UniqueModule module_;
};

// The shell's notification area and document opening.
SystemLibrary& Shell32();
// COM, for the shell's objects and the memory they hand out.
SystemLibrary& Ole32();

}  // namespace quorvel::win32
