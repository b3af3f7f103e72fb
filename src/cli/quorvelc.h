#pragma once
// quorvelc: the startup entries for scripts and for many machines. Every rule it applies is the one
// Quorvel's window applies (collection of the keys and the Startup folders, the moves that never lose a
// value or an item, bans, startup lists);
// this folder only reads the command line and writes the answers.

#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/file_facts.h"
#include "platform/files.h"
#include "platform/program_search.h"
#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "platform/text_codec.h"

namespace quorvel {

// Exit codes: done (or nothing to do); refused by the system, or differences found by --check; no
// such entry, an ambiguous name, bad usage or a damaged file.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

struct QuorvelcPorts {
    Registre& registry;
    StartupFolders& folders;
    FileSystem& files;
    TextCodec& codec;
    Console& console;
    ProgramSearch& search;
    FileFacts& file_facts;
};

// Runs the command the arguments (those after the program's name, in UTF-8) name; returns the exit code.
int RunQuorvelc(const std::vector<std::string>& arguments, const QuorvelcPorts& ports);

}  // namespace quorvel
