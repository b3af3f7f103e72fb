#pragma once
// The entry table as quorvelc prints it: an aligned table for people, JSON or CSV for programs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/program_facts.h"
#include "store/startup_entry.h"

namespace quorvel {

// "enabled", "disabled", "banned": the key the entry's value stands in.
std::string_view StateName(std::int16_t state);
// "64-bit", "32-bit", or "shared" for the user's keys, which both views share; "folder" for an item of
// a Startup folder, which has no view.
std::string_view ViewName(RootKey root);
// "REG_SZ", "REG_EXPAND_SZ", ...; "type N" for a number with no name.
std::string TypeName(std::uint32_t type);
// The root as a script reads it: the root key, or the Startup folder by the name Windows gives it
// ("Startup", "Common Startup").
std::string_view ListedRoot(RootKey root);

// "verified", "not trusted", "none", "unknown"; "not checked" for a file that was not examined.
std::string_view SignatureName(const std::optional<FileDetails>& details);

// Each takes the facts of every entry's program, in the entries' order.
// One row a line, the columns as wide as their widest cell.
std::string ListTable(const EntryTable& entries, const std::vector<ProgramFacts>& programs);
// One array of objects: name, state, switched_off, root, view, key, type, command, file_name, file,
// file_exists (null for another machine's file, not looked for unless verifying), publisher, signature.
// An item of a Startup folder has its folder as its key, "shortcut" or "file" as its type and its own
// file's name as file_name (empty for a value); file is the program an entry starts.
std::string ListJson(const EntryTable& entries, const std::vector<ProgramFacts>& programs);
// A header line, then one line an entry, quoted as RFC 4180 asks, every line ended by CR LF.
std::string ListCsv(const EntryTable& entries, const std::vector<ProgramFacts>& programs);

// A JSON string literal, quotation marks included, in ASCII (\u escapes beyond it).
std::string JsonString(std::string_view utf8);
// A CSV field: as it is, or quoted when it holds a comma, a quotation mark or a line break.
std::string CsvField(std::string_view text);

}  // namespace quorvel
