// Times the collection of the Startup folders' items, shortcut targets included, against the least any
// collection needs: one pass over each folder's names and the bytes of every file in it. The first
// collection of a process is timed apart, since it loads the shell's shortcut class: that is what a
// start of Quorvel pays.
//
// It writes into the real Startup folder, so it runs only in a throwaway Wine prefix, and only when told:
//   bench_folders --seed N     puts N shortcuts into the user's Startup folder
//   bench_folders --first      one line "first<TAB>MADE<TAB>LISTED<TAB>FLOOR" in ms: the folders' object
//                              made (COM, the folders' paths), then its first collection, in a new process
//   bench_folders --repeated   one row as bench_store writes them: LABEL UNIT RUNS MEDIAN MIN MAX FLOOR...

#include <windows.h>

#include <commctrl.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/startup_folders.h"
#include "win32/shared/text.h"
#include "win32/store/system_startup_folders.h"

namespace {

using namespace quorvel;
using namespace quorvel::win32;

constexpr int kRounds = 50;

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "bench_folders: %s\n", why.c_str());
    std::exit(1);
}

std::wstring StartupPath() {
    wchar_t* path = nullptr;
    if (FAILED(::SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &path))) Fail("no Startup folder");
    std::wstring text = path;
    ::CoTaskMemFree(path);
    return text;
}

// Every name in the folder, and every file's bytes: what no collection can do without.
size_t Floor(const std::wstring& folder) {
    size_t files = 0;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return 0;
    static char bytes[1 << 16];
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const HANDLE file = ::CreateFileW((folder + L"\\" + found.cFileName).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        DWORD read = 0;
        ::ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
        ::CloseHandle(file);
        ++files;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return files;
}

// What Quorvel's collection does: every item of the four folders, shortcuts read.
size_t Collect(StartupFolders& folders) {
    std::vector<quorvel::FolderItem> items;
    for (const StartupFolder folder : kStartupFolders) {
        if (!folders.ListItems(items, folder)) Fail("listing failed: " + folders.LastError());
    }
    for (const quorvel::FolderItem& item : items) {
        if (item.shortcut && item.target.empty()) Fail("a shortcut without a target: " + item.file_name);
    }
    return items.size();
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--seed" && argc > 2) {
        SystemStartupFolders folders;
        const int count = std::max(0, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
        for (int i = 1; i <= count; ++i) {
            const std::string number = std::to_string(100 + i).substr(1);
            const PlaceResult made = folders.CreateShortcut(
                StartupFolder::kUser, "Vendor Agent " + number + ".lnk",
                "C:\\Program Files\\Vendor " + number + "\\agent.exe", "/background /delay:" + number, false);
            if (made != PlaceResult::kPlaced) Fail("could not make a shortcut: " + folders.LastError());
        }
        return 0;
    }
    const std::wstring startup = StartupPath();
    if (mode == L"--first") {
        // Quorvel collects with its window made: the window system and the list control are up already,
        // and what they load is not the folders' to pay for.
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        const HWND window =
            ::CreateWindowExW(0, WC_LISTVIEWW, L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        // The floor first, so that it warms nothing the collection uses but the files themselves.
        double start = Now();
        const size_t files = Floor(startup);
        const double floor = Now() - start;
        start = Now();
        SystemStartupFolders folders;
        const double made = Now() - start;
        const size_t items = Collect(folders);
        const double listed = Now() - start - made;
        if (items != files)
            Fail("the collection found " + std::to_string(items) + " items in " + std::to_string(files) +
                 " files");
        std::printf("first\t%.3f\t%.3f\t%.3f\n", made, listed, floor);
        ::DestroyWindow(window);
        return 0;
    }
    if (mode == L"--repeated") {
        SystemStartupFolders folders;
        const size_t items = Collect(folders);
        std::vector<double> subject;
        std::vector<double> floor;
        for (int round = 0; round < kRounds; ++round) {
            double start = Now();
            Collect(folders);
            subject.push_back(Now() - start);
            start = Now();
            Floor(startup);
            floor.push_back(Now() - start);
        }
        std::printf(
            "row\tcollection of %zu Startup folder items\tms\t%d\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t-\n",
            items, kRounds, Median(subject), *std::min_element(subject.begin(), subject.end()),
            *std::max_element(subject.begin(), subject.end()), Median(floor),
            *std::min_element(floor.begin(), floor.end()), *std::max_element(floor.begin(), floor.end()));
        return 0;
    }
    Fail("usage: bench_folders --seed N | --first | --repeated");
}
