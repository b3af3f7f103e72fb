#pragma once
// What is known of the program an entry starts: the file its command runs, whether that file is there,
// and who signed and made it. The first two cost a few looks at the disk; the last reads and hashes
// the whole file, so it is known only where someone asked for it.

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_facts.h"
#include "platform/program_search.h"
#include "platform/registre.h"
#include "store/file_facts_cache.h"

namespace quorvel {

struct ProgramFacts {
    // The file the command runs; where it is not on the disk, the one it most likely means.
    std::string file;
    // Its state when looked at; nothing where it is not on the disk.
    std::optional<FileStamp> stamp;
    // Who signed and made it; nothing until it was examined (a missing file's examination says nothing).
    std::optional<FileDetails> details;
    // The file may be another machine's and was not looked for: whether it exists is not known.
    bool unreached = false;
    bool Exists() const { return stamp.has_value(); }
    bool operator==(const ProgramFacts&) const = default;
};

// The facts of the program a command starts, examined through `examined` when one is given (a file it
// already knows in the same state is not read again). Without it the file is left unexamined, and
// another machine's file unreached: whoever asks for examinations accepts to wait for them.
ProgramFacts FindProgramFacts(std::string_view command, ProgramSearch& system, Registre& registry,
                              FileFacts& files, FileFactsCache* examined);

// What a Publisher column says of a program: that its file is missing or was not reached, or who made
// it; `unexamined` before that is known.
std::string PublisherColumn(const ProgramFacts& facts, std::string_view unexamined);

}  // namespace quorvel
