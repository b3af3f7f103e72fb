#include "win32/cli/standard_streams.h"

#include <windows.h>

#include <limits>

#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

void Write(DWORD stream, std::string_view text) {
    const HANDLE handle = ::GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) {
        // A console shows every character only through the wide call, whatever its code page.
        const std::wstring wide = Widen(text);
        DWORD written = 0;
        ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // A pipe or a file gets UTF-8, so that names outside the ANSI code page come out exactly.
    while (!text.empty()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<size_t>(text.size(), std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!::WriteFile(handle, text.data(), chunk, &written, nullptr) || written == 0) return;
        text.remove_prefix(written);
    }
}

}  // namespace

void StandardStreams::Out(std::string_view text) { Write(STD_OUTPUT_HANDLE, text); }

void StandardStreams::Err(std::string_view text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace quorvel::win32
