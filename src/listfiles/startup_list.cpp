#include "listfiles/startup_list.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "words/words.h"

namespace quorvel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A damaged line is quoted in the message only up to here: it may be anything, even binary.
constexpr std::size_t kQuotedLineLimit = 40;

std::string NumberLine(std::int32_t value) {
    std::string line = value < 0 ? "" : " ";
    line += std::to_string(value);
    line += ' ';
    return line;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string Refusal(std::string_view field, const StartupEntry& entry) {
    return words::LineBreakInList(field, entry.Name, RootName(entry.Root));
}

// Hands out the file's lines one by one, counting them. A line ends at LF, with or without a CR
// before it, or at the end of the file; a lone CR stays in the text.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    std::optional<std::string_view> Next() {
        if (rest_.empty()) return std::nullopt;
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        // A file cut between CR and LF still ends its last line with CR LF.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    // The number of the line Next gave last; 0 before the first.
    std::size_t Number() const { return number_; }

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// The line as a message can show it: control characters (a NUL would end the message there) stand
// as the replacement character, and a long line is cut.
std::string Quoted(std::string_view line) {
    std::string visible;
    for (const char c : line) {
        if (static_cast<unsigned char>(c) < 0x20) {
            visible += "\xEF\xBF\xBD";
        } else {
            visible += c;
        }
    }
    std::string quoted = "\"";
    quoted += words::Shortened(visible, kQuotedLineLimit);
    quoted += '"';
    return quoted;
}

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

struct Field {
    std::string_view what;  // words::kListName and its kin; empty for the count
    std::size_t entry = 0;  // from 0
    std::int16_t count = 0;

    std::string Describe() const {
        if (what.empty()) return std::string(words::kListCount);
        return words::ListField(what, entry + 1, static_cast<std::size_t>(count));
    }
};

// Reads the file field by field and records the first damage it meets.
class ListParser {
  public:
    explicit ListParser(std::string_view text) : lines_(text) {}

    std::optional<std::string_view> Text(const Field& field) {
        const std::optional<std::string_view> line = lines_.Next();
        if (!line) Damage(lines_.Number() + 1, words::ListEndsBefore(field.Describe()));
        return line;
    }

    template <typename Number>
    std::optional<Number> Read(const Field& field) {
        const std::optional<std::string_view> line = Text(field);
        if (!line) return std::nullopt;
        const std::size_t first = line->find_first_not_of(' ');
        const std::string_view number = first == std::string_view::npos
                                            ? std::string_view()
                                            : line->substr(first, line->find_last_not_of(' ') - first + 1);
        const std::string_view digits = number.starts_with('-') ? number.substr(1) : number;
        const bool all_digits =
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits.empty() || !all_digits) {
            Damage(lines_.Number(), words::ListNotANumber(Quoted(*line), field.Describe()));
            return std::nullopt;
        }
        Number value = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc() || end != number.data() + number.size()) {
            Damage(lines_.Number(),
                   words::ListOutOfRange(field.Describe(), number, std::numeric_limits<Number>::min(),
                                         std::numeric_limits<Number>::max()));
            return std::nullopt;
        }
        return value;
    }

    // After the last entry: the first line that is not empty is damage, as it can only be an entry the
    // count leaves out.
    void ExpectEnd(std::int16_t count) {
        if (damage_) return;
        while (const std::optional<std::string_view> line = lines_.Next()) {
            if (line->empty()) continue;
            Damage(lines_.Number(), words::ListEntriesBeyondCount(count));
            return;
        }
    }

    std::optional<ListDamage> TakeDamage() { return std::move(damage_); }

  private:
    void Damage(std::size_t line, std::string reason) { damage_ = ListDamage{line, std::move(reason)}; }

    LineReader lines_;
    std::optional<ListDamage> damage_;
};

}  // namespace

WrittenList WriteStartupList(const EntryTable& entries, const TextCodec& codec) {
    if (entries.size() > kMaxListEntries) {
        return {{}, words::ListTooLong(entries.size(), kMaxListEntries)};
    }
    for (const StartupEntry& entry : entries) {
        if (HasLineBreak(StoredName(entry))) return {{}, Refusal(words::kListName, entry)};
        if (HasLineBreak(entry.Command)) return {{}, Refusal(words::kListCommand, entry)};
    }
    std::string text = NumberLine(static_cast<std::int32_t>(entries.size()));
    text += kLineEnd;
    for (const StartupEntry& entry : entries) {
        const auto add = [&text](std::string_view line) {
            text += line;
            text += kLineEnd;
        };
        add(StoredName(entry));
        add(NumberLine(entry.Root));
        // An entry that Windows switches off is saved as what it is: disabled.
        add(NumberLine(ShownState(entry)));
        add(entry.Command);
    }
    if (std::optional<std::string> ansi = codec.ToAnsi(text)) return {std::move(*ansi), {}};
    return {std::string(kUtf8Mark) + text, {}};
}

StartupList ReadStartupList(std::string_view bytes, const TextCodec& codec) {
    std::string decoded;
    std::string_view text;
    if (bytes.starts_with(kUtf8Mark)) {
        text = bytes.substr(kUtf8Mark.size());
    } else {
        decoded = codec.FromAnsi(bytes);
        text = decoded;
    }
    StartupList list;
    if (IsUtf16(bytes)) {
        list.damage = ListDamage{1, std::string(words::kListIsUtf16)};
        return list;
    }
    ListParser parser(text);
    list.count = parser.Read<std::int16_t>({});
    for (std::int16_t i = 0; list.count && i < *list.count; ++i) {
        const auto at = [&](std::string_view what) {
            return Field{what, static_cast<std::size_t>(i), *list.count};
        };
        const std::optional<std::string_view> name = parser.Text(at(words::kListName));
        if (!name) break;
        const std::optional<std::int32_t> root = parser.Read<std::int32_t>(at(words::kListRoot));
        if (!root) break;
        const std::optional<std::int16_t> state = parser.Read<std::int16_t>(at(words::kListState));
        if (!state) break;
        const std::optional<std::string_view> command = parser.Text(at(words::kListCommand));
        if (!command) break;
        list.entries.push_back(MakeEntry(std::string(*name), std::string(*command), *state, *root));
        list.entries.back().ListPosition = list.entries.size();
    }
    if (list.count) parser.ExpectEnd(*list.count);
    list.damage = parser.TakeDamage();
    return list;
}

}  // namespace quorvel
