// Watches for a top-level window from another process and tells, in Unix time, when it was first seen
// as asked: shown (or merely created, with --hidden), and with --rows, its list holding that many rows.
// It says "ready" once it watches, so that the benchmark starts the program only then and the watcher's
// own start-up is no part of what is measured. A tight poll in one process: each look costs microseconds,
// where a new driver process per look would cost a tenth of a second.
//
// With --complete COLUMN it then watches the rows fill in: until every row's cell in that column holds
// text, it sends the window a message every few milliseconds and times the answer, and it reads the
// cells from the first empty one on every 50 ms. It tells on a second line when the last row was
// complete (Unix time), the longest wait for an answer and the number of messages sent, both kinds.
//
//   wait_window CLASS TITLE SECONDS [--hidden] [--rows COUNT] [--poll MS] [--complete COLUMN]
// The rows are those of the window's list, the child with Quorvel's list id (which the least list shares).
// Exit status 0 when seen (the time on stdout, in microseconds since 1970), 1 on time-out, 2 on misuse.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>

#include "milliseconds.h"
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
    int complete_column = -1;
};

// Once found, the window is only asked whether it is shown: a search of every top-level window on each
// look would cost the server far more, and slow down the very program being watched.
HWND window = nullptr;

bool Seen(const Watch& watch) {
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

using quorvel::bench::Milliseconds;

// Times every message it sends the other process's window and keeps the longest wait.
struct Answers {
    double longest_ms = 0;
    long sent = 0;
    LRESULT Send(HWND to, UINT message, WPARAM wparam, LPARAM lparam) {
        DWORD_PTR result = 0;
        const double start = Milliseconds();
        ::SendMessageTimeoutW(to, message, wparam, lparam, SMTO_NORMAL, 30000, &result);
        longest_ms = std::max(longest_ms, Milliseconds() - start);
        ++sent;
        return static_cast<LRESULT>(result);
    }
};

// Waits until every row's cell in the column holds text; 1 on time-out.
int WatchCompletion(const Watch& watch, ULONGLONG deadline) {
    const HWND list = ::GetDlgItem(window, quorvel::win32::kView1Id);
    DWORD process_id = 0;
    ::GetWindowThreadProcessId(list, &process_id);
    const HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
    // A request and room for a short text in the other process: the control writes the text there.
    constexpr int kChars = 256;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT,
                                    PAGE_READWRITE);
    if (process == nullptr || remote == nullptr) return 2;
    LVITEMW request{};
    request.iSubItem = watch.complete_column;
    request.cchTextMax = kChars;
    request.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
    ::WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
    Answers answers;
    long complete = 0;
    double looked = 0;
    while (::GetTickCount64() < deadline) {
        answers.Send(window, WM_NULL, 0, 0);
        if (Milliseconds() - looked >= 50) {
            while (complete < watch.rows &&
                   answers.Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(complete),
                                reinterpret_cast<LPARAM>(remote)) > 0)
                ++complete;
            looked = Milliseconds();
            if (complete == watch.rows) {
                Write(std::to_string(UnixMicroseconds()) + "\t" +
                      std::to_string(static_cast<long long>(answers.longest_ms * 1000)) + "\t" +
                      std::to_string(answers.sent) + "\n");
                return 0;
            }
        }
        ::Sleep(watch.poll_ms);
    }
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        Write(
            "usage: wait_window CLASS TITLE SECONDS [--hidden] [--rows COUNT] [--poll MS] [--complete "
            "COLUMN]\n");
        return 2;
    }
    Watch watch{argv[1], argv[2]};
    for (int i = 4; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--hidden") == 0) {
            watch.hidden_counts = true;
        } else if (std::wcscmp(argv[i], L"--poll") == 0 && i + 1 < argc) {
            watch.poll_ms = std::wcstoul(argv[++i], nullptr, 10);
        } else if (std::wcscmp(argv[i], L"--complete") == 0 && i + 1 < argc) {
            watch.complete_column = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
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
            return watch.complete_column < 0 || watch.rows < 0 ? 0 : WatchCompletion(watch, deadline);
        }
        ::Sleep(watch.poll_ms);
    }
    return 1;
}
