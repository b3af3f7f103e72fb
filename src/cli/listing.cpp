#include "cli/listing.h"

#include <array>
#include <vector>

#include "store/publisher.h"
#include "store/startup_folder_items.h"
#include "store/utf16_text.h"
#include "words/publisher_words.h"
#include "words/words.h"

namespace quorvel {
namespace {

// The program's facts come after the entry's own, so that readers of the first columns read them as before.
// An item of a Startup folder also gives its file's name, which a value has none of.
constexpr std::array<std::string_view, 13> kHeaders{
    "name",    "state",     "switched_off", "root",        "view",      "key",      "type",
    "command", "file_name", "file",         "file_exists", "publisher", "signature"};
// The cells JSON writes as booleans; everything else is a string.
bool IsBoolean(std::string_view header) { return header == "switched_off" || header == "file_exists"; }

// The facts of the entry at `index`; none where the caller gave fewer.
const ProgramFacts& ProgramAt(const std::vector<ProgramFacts>& programs, std::size_t index) {
    static const ProgramFacts kNone;
    return index < programs.size() ? programs[index] : kNone;
}

// What an entry is: a value's registry type, or what kind of file an item is.
std::string KindOf(const StartupEntry& entry) {
    if (!IsFolderRoot(entry.Root)) return TypeName(entry.Type);
    return IsShortcutFileName(entry.FileName) ? "shortcut" : "file";
}

// The cells of one entry, in the order of kHeaders: name, command and files exactly as the system holds
// them for JSON, which escapes what is no text, and as a person reads them for CSV.
std::array<std::string, 13> Cells(const StartupEntry& entry, const ProgramFacts& program, bool readable) {
    const auto text = [readable](const std::string& raw) { return readable ? words::Readable(raw) : raw; };
    return {text(entry.Name),
            std::string(StateName(entry.State)),
            entry.SwitchedOff ? "true" : "false",
            std::string(ListedRoot(entry.Root)),
            std::string(ViewName(entry.Root)),
            EntryKeyName(entry),
            KindOf(entry),
            text(entry.Command),
            text(entry.FileName),
            text(program.file),
            program.unreached  ? (readable ? "" : "null")
            : program.Exists() ? "true"
                               : "false",
            program.details ? PublisherText(*program.details) : std::string(words::kNotChecked),
            std::string(SignatureName(program.details))};
}

// Characters, not bytes, so that names beyond ASCII line up too (each counted as one column).
std::size_t Width(std::string_view text) {
    std::size_t width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return width;
}

}  // namespace

std::string_view StateName(std::int16_t state) {
    switch (state) {
        case kStateEnabled: return "enabled";
        case kStateDisabled: return "disabled";
        case kStateBanned: return "banned";
        default: return "unknown";
    }
}

std::string_view ViewName(RootKey root) {
    if (root == kLocalMachine) return "64-bit";
    if (root == kLocalMachine32) return "32-bit";
    if (IsFolderRoot(root)) return "folder";
    return "shared";
}

std::string_view ListedRoot(RootKey root) {
    if (root == kLocalMachine32) return words::kLocalMachine;
    if (root == kUserStartupFolder) return "Startup";
    if (root == kAllUsersStartupFolder) return "Common Startup";
    return RootName(root);
}

std::string TypeName(std::uint32_t type) {
    switch (type) {
        case 0: return "REG_NONE";
        case kValueTypeString: return "REG_SZ";
        case kValueTypeExpandString: return "REG_EXPAND_SZ";
        case kValueTypeBinary: return "REG_BINARY";
        case kValueTypeNumber: return "REG_DWORD";
        case 7: return "REG_MULTI_SZ";
        case 11: return "REG_QWORD";
        default: return "type " + std::to_string(type);
    }
}

std::string_view SignatureName(const std::optional<FileDetails>& details) {
    if (!details) return words::kNotChecked;
    switch (details->signature) {
        case Signature::kVerified: return "verified";
        case Signature::kNotTrusted: return "not trusted";
        case Signature::kNone: return "none";
        case Signature::kUnknown: break;
    }
    return "unknown";
}

std::string ListTable(const EntryTable& entries, const std::vector<ProgramFacts>& programs) {
    // Name, state, where, type, publisher, command: the command last, as it is the longest.
    std::vector<std::array<std::string, 6>> rows;
    rows.push_back({std::string(words::kCliNameHeader), std::string(words::kCliStateHeader),
                    std::string(words::kCliLocationHeader), std::string(words::kCliTypeHeader),
                    std::string(words::kCliPublisherHeader), std::string(words::kCliCommandHeader)});
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const StartupEntry& entry = entries[e];
        std::string location(LocationWord(entry.Root));
        // An entry in Run- is off by Quorvel already; a record that would keep it off too is no news.
        if (entry.SwitchedOff && entry.State == kStateEnabled) location += words::kSwitchedOffShort;
        rows.push_back({words::Readable(entry.Name), std::string(StateName(entry.State)), std::move(location),
                        KindOf(entry), PublisherColumn(ProgramAt(programs, e), words::kNotChecked),
                        words::Readable(entry.Command)});
    }
    std::array<std::size_t, 6> widths{};
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], Width(row[i]));
    }
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += row[i];
            if (i + 1 < row.size()) text.append(widths[i] - Width(row[i]) + 2, ' ');
        }
        text += '\n';
    }
    return text;
}

std::string ListJson(const EntryTable& entries, const std::vector<ProgramFacts>& programs) {
    std::string text = "[";
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const auto cells = Cells(entries[e], ProgramAt(programs, e), false);
        text += e == 0 ? "\n  {" : ",\n  {";
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += i == 0 ? "" : ", ";
            text += JsonString(kHeaders[i]);
            text += ": ";
            text += IsBoolean(kHeaders[i]) ? cells[i] : JsonString(cells[i]);
        }
        text += "}";
    }
    text += entries.empty() ? "]\n" : "\n]\n";
    return text;
}

std::string ListCsv(const EntryTable& entries, const std::vector<ProgramFacts>& programs) {
    std::string text;
    const auto line = [&text](const auto& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) text += ',';
            text += CsvField(cells[i]);
        }
        text += "\r\n";
    };
    line(kHeaders);
    for (std::size_t e = 0; e < entries.size(); ++e)
        line(Cells(entries[e], ProgramAt(programs, e), true));
    return text;
}

std::string JsonString(std::string_view utf8) {
    // Everything beyond ASCII as \u escapes: the JSON reads right whatever code page the reader decodes
    // the output with (a remote PowerShell session takes the OEM one).
    static constexpr char kHex[] = "0123456789abcdef";
    const auto escape = [](std::string& text, char16_t unit) {
        text += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            text += kHex[(unit >> shift) & 0x0F];
    };
    std::string text = "\"";
    for (const char16_t unit : Utf16FromUtf8(utf8)) {
        switch (unit) {
            case u'"': text += "\\\""; break;
            case u'\\': text += "\\\\"; break;
            case u'\n': text += "\\n"; break;
            case u'\r': text += "\\r"; break;
            case u'\t': text += "\\t"; break;
            default:
                if (unit < 0x20 || unit > 0x7E) {
                    escape(text, unit);
                } else {
                    text += static_cast<char>(unit);
                }
        }
    }
    text += '"';
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

}  // namespace quorvel
