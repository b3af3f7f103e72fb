// quorvelc's entry point: the console companion, over the same registry, files and rules as Quorvel.exe.
// No window, no config.ini, no logon registration and no single-instance lock.

#include <windows.h>

#include <string>
#include <vector>

#include "cli/quorvelc.h"
#include "win32/cli/standard_streams.h"
#include "win32/listfiles/ansi_code_page.h"
#include "win32/shared/disk_files.h"
#include "win32/shared/text.h"
#include "win32/store/system_file_facts.h"
#include "win32/store/system_program_search.h"
#include "win32/store/system_registre.h"
#include "win32/store/system_startup_folders.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(quorvel::win32::Narrow(argv[i]));
    quorvel::win32::SystemRegistre registry;
    quorvel::win32::SystemStartupFolders folders;
    quorvel::win32::DiskFiles files;
    quorvel::win32::AnsiCodePage codec;
    quorvel::win32::StandardStreams console;
    quorvel::win32::SystemProgramSearch search;
    quorvel::win32::SystemFileFacts file_facts;
    return quorvel::RunQuorvelc(arguments, {registry, folders, files, codec, console, search, file_facts});
}
