#pragma once
// quorvelc's command line: a command, its operands and its options, checked before anything runs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/entry_action.h"
#include "platform/registre.h"

namespace quorvel {

enum class Verb { kHelp, kVersion, kList, kAct, kClean, kSave, kRestore };
enum class ListFormat { kTable, kJson, kCsv };
// Where an entry comes from: a value of the Run keys, or an item of the Startup folders.
enum class Family { kRegistry, kFolder };

struct Invocation {
    Verb verb = Verb::kHelp;
    ListFormat format = ListFormat::kTable;   // list
    EntryAction action = EntryAction::kNone;  // enable, disable, ban, delete
    std::string name;                         // the entry acted on
    std::optional<RootKey> root;              // --user, --machine, --32: which root (and view); for an
                                              // item, the registry root that owns its folder
    std::optional<Family> family;             // --registry, --folder
    std::optional<std::int16_t> state;        // --enabled, --disabled, --banned: which key
    bool replace = false;                     // --replace: a move may replace a value in its way
    bool check = false;                       // --check: clean and restore only tell what they would do
    bool verify = false;                      // --verify: list examines every entry's file
    std::string file;                         // save, restore
};

struct ParsedInvocation {
    std::optional<Invocation> invocation;
    std::string error;  // one line, when there is no invocation
};

// The arguments after the program's name. "--" ends the options, for a name that starts with "-".
ParsedInvocation ParseInvocation(const std::vector<std::string>& arguments);

}  // namespace quorvel
