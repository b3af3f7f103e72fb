// Watches for a top-level window from another process and tells, in Unix time, when it was first seen
// as asked: shown (or merely created, with --hidden), and with --rows, its list holding that many rows.
// It says "ready" once it watches, so that the benchmark starts the program only then and the watcher's
// own start-up is no part of what is measured. A tight poll in one process: each look costs microseconds,
// where a new driver process per look would cost a tenth of a second.
//
//   wait_window CLASS TITLE SECONDS [--hidden] [--rows COUNT] [--poll MS]
// The rows are those of the window's list, the child with Quorvel's list id (which the least list shares).
// Exit status 0 when seen (the time on stdout, in microseconds since 1970), 1 on time-out, 2 on misuse.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "win32/shared/ids.h"

namespace {

void Write(const std::string& text) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
                nullptr);
}

// Wall-clock time on the same scale as the shell's $EPOCHREALTIME.
std::int64_t UnixMicroseconds() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    return (ticks - kTicksFrom1601To1970) / 10;
}

struct Watch {
    const wchar_t* class_name;
    const wchar_t* title;
    bool hidden_counts = false;
    DWORD poll_ms = 2;
    long rows = -1;
};

bool Seen(const Watch& watch) {
    // Once found, the window is only asked whether it is shown: a search of every top-level window
    // on each look would cost the server far more, and slow down the very program being watched.
    static HWND window = nullptr;
    if (window == nullptr || !::IsWindow(window)) window = ::FindWindowW(watch.class_name, watch.title);
    if (window == nullptr || (!watch.hidden_counts && !::IsWindowVisible(window))) return false;
    if (watch.rows < 0) return true;
    const HWND list = ::GetDlgItem(window, quorvel::win32::kView1Id);
    DWORD_PTR count = 0;
    if (list == nullptr ||
        !::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count)) {
        return false;
    }
    return static_cast<long>(count) == watch.rows;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        Write("usage: wait_window CLASS TITLE SECONDS [--hidden] [--rows COUNT] [--poll MS]\n");
        return 2;
    }
    Watch watch{argv[1], argv[2]};
    for (int i = 4; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--hidden") == 0) {
            watch.hidden_counts = true;
        } else if (std::wcscmp(argv[i], L"--poll") == 0 && i + 1 < argc) {
            watch.poll_ms = std::wcstoul(argv[++i], nullptr, 10);
        } else if (std::wcscmp(argv[i], L"--rows") == 0 && i + 1 < argc) {
            watch.rows = std::wcstol(argv[i + 1], nullptr, 10);
            ++i;
        } else {
            return 2;
        }
    }
    const ULONGLONG deadline = ::GetTickCount64() + 1000ull * std::wcstoul(argv[3], nullptr, 10);
    if (Seen(watch)) {
        Write("already there\n");
        return 2;
    }
    Write("ready\n");
    while (::GetTickCount64() < deadline) {
        if (Seen(watch)) {
            Write(std::to_string(UnixMicroseconds()) + "\n");
            return 0;
        }
        ::Sleep(watch.poll_ms);
    }
    return 1;
}
