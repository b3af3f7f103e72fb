#pragma once
// The file a startup command runs, found the way Windows reads a command line, so that the list can
// tell who made it and flag an entry whose file is gone. Hosts that only carry another file are seen
// through: rundll32 runs the library it names, cmd /c runs the command it is given.

#include <string>
#include <string_view>

#include "platform/program_search.h"
#include "platform/registre.h"

namespace quorvel {

struct ProgramFile {
    // Where a file was found: its path (a bare name with the folder it was found in). Where none was:
    // the path the command most likely means. Empty for a command that names nothing.
    std::string path;
    bool found = false;
    bool operator==(const ProgramFile&) const = default;
};

// %NAME% references are expanded whatever the value's type: installers write them into REG_SZ values
// too. A bare name is looked for in the search folders, then under App Paths (the user's, then the
// machine's). Costs a few looks at the disk, more for a bare name (one per search folder) and for an
// unquoted path with blanks (one per blank before its end).
ProgramFile FindProgramFile(std::string_view command, ProgramSearch& system, Registre& registry);

}  // namespace quorvel
