// Times what the list learns about each entry's program: finding the file a command runs, the cheap
// look at a file's state, and the expensive examination of its signature and version resource, on the
// files named on the command line. Each figure is a median (steady clock). What the first examination
// of a process would load is timed apart, in the steps the program takes it in, and so is the first
// examination after them: each is one idle moment of Quorvel's message loop.
// One tab-separated line per measurement:
//   row  LABEL  UNIT  RUNS  MEDIAN  MIN  MAX
//
//   bench_file_facts.exe FILE...

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "store/program_file.h"
#include "win32/shared/text.h"
#include "win32/store/system_file_facts.h"
#include "win32/store/system_program_search.h"
#include "win32/store/system_registre.h"

namespace {

using namespace quorvel;
using namespace quorvel::win32;

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Milliseconds per call: `runs` medians of `batch` calls each.
template <typename Work>
void Report(const std::string& label, int runs, int batch, Work&& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        for (int i = 0; i < batch; ++i)
            work();
        times.push_back((Now() - start) / batch);
    }
    std::sort(times.begin(), times.end());
    std::printf("row\t%s\tms\t%d\t%.4f\t%.4f\t%.4f\n", label.c_str(), runs, times[times.size() / 2],
                times.front(), times.back());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SystemFileFacts files;
    SystemProgramSearch system;
    SystemRegistre registry;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i)
        paths.push_back(Narrow(argv[i]));
    if (paths.empty()) {
        std::fprintf(stderr, "usage: bench_file_facts FILE...\n");
        return 2;
    }

    const auto once = [](const std::string& label, auto&& work) {
        const double start = Now();
        work();
        const double took = Now() - start;
        std::printf("row\t%s\tms\t1\t%.4f\t%.4f\t%.4f\n", label.c_str(), took, took, took);
    };
    bool prepared = false;
    for (int step = 1; !prepared; ++step)
        once("preparing examinations, step " + std::to_string(step), [&] { prepared = files.Prepare(); });
    once("first examination after them (" + paths.front() + ")", [&] { files.Examine(paths.front()); });

    Report("state of an existing file", 21, 200, [&] { files.Stamp(paths.front()); });
    Report("state of a missing file", 21, 200, [&] { files.Stamp("C:\\no such folder\\no such file.exe"); });
    Report("program of a quoted path", 21, 100,
           [&] { FindProgramFile("\"" + paths.front() + "\" /background", system, registry); });
    Report("program of a bare name (search folders)", 21, 100,
           [&] { FindProgramFile("notepad.exe /p", system, registry); });
    Report("program of a missing bare name (search folders, App Paths)", 21, 100,
           [&] { FindProgramFile("nosuchprogram --x", system, registry); });
    for (const std::string& path : paths) {
        Report("examination of " + path, 7, 1, [&] { files.Examine(path); });
    }
    return 0;
}
