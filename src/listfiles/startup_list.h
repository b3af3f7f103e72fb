#pragma once
// The startup list file (.stu): the whole entry table as CR LF lines, with neither header nor
// quoting. The first line is the entry count; each entry follows as four lines: its name, its root
// key, its state and its command. An item of a Startup folder has its file name on the name line and
// its folder's own root value (kUserStartupFolder, kAllUsersStartupFolder) on the root line. A number line is
// " 3 " for 3 and "-2147483646 " for a negative value; a text line is the text itself.
//
// Files are in the ANSI code page, as they always were, unless a character does not fit it: then
// the whole file is UTF-8 behind a byte-order mark, so that no name or command is ever mangled.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "store/startup_entry.h"

namespace quorvel {

// The count is a 16-bit number in the file.
inline constexpr std::size_t kMaxListEntries = 32767;
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct WrittenList {
    std::string bytes;    // the file's contents
    std::string refusal;  // when not empty, the table cannot be written, and this tells the user why
};

WrittenList WriteStartupList(const EntryTable& entries, const TextCodec& codec);

// Where a file stops making sense, in words a user can act on.
struct ListDamage {
    std::size_t line = 0;  // counted from 1
    std::string reason;
};

struct StartupList {
    std::optional<std::int16_t> count;  // nothing when the first line is already damaged
    EntryTable entries;                 // every entry read completely, in file order
    std::optional<ListDamage> damage;
};

// Reads the whole file. A damaged file gives the entries before the damage. Lines after the last entry
// the count announces are damage unless they are empty: a count of 0 or less, or one too small, over
// entries would have a restore pass over them and call the registry compliant. A negative count over
// nothing gives no entries.
StartupList ReadStartupList(std::string_view bytes, const TextCodec& codec);

}  // namespace quorvel
