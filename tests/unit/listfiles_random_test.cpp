// Loading held against seeded random and mutated files: whatever the bytes, no crash and no
// sanitizer report, and the table ends as exactly the file's complete entries, or untouched when
// the file could not be opened. A plain second reading of the format is the judge.

#include <limits>
#include <random>
#include <sstream>

#include "program_fixture.h"

namespace quorvel::testing {
namespace {

constexpr char kPath[] = "C:\\lists\\random.stu";

// The number of a line, if it is one and lies within [min, max].
bool PlainNumber(std::string line, std::int64_t min, std::int64_t max, std::int64_t& value) {
    while (!line.empty() && line.front() == ' ')
        line.erase(0, 1);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    const bool negative = !line.empty() && line[0] == '-';
    std::string digits = negative ? line.substr(1) : line;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (digits.size() > 12) return false;
    value = std::stoll(digits) * (negative ? -1 : 1);
    return value >= min && value <= max;
}

struct Expected {
    bool count_read = false;
    EntryTable entries;
    bool damaged = false;
};

Expected PlainRead(const std::string& bytes, const TextCodec& codec) {
    const std::string text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : codec.FromAnsi(bytes);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    Expected expected;
    std::int64_t count = 0;
    if (lines.empty() || !PlainNumber(lines[0], -32768, 32767, count)) {
        expected.damaged = true;
        return expected;
    }
    expected.count_read = true;
    for (std::int64_t i = 0; i < count; ++i) {
        const size_t at = 1 + 4 * static_cast<size_t>(i);
        std::int64_t root = 0, state = 0;
        const bool complete = at + 3 < lines.size() &&
                              PlainNumber(lines[at + 1], std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max(), root) &&
                              PlainNumber(lines[at + 2], -32768, 32767, state);
        if (!complete) {
            expected.damaged = true;
            break;
        }
        expected.entries.push_back(MakeEntry(lines[at], lines[at + 3], static_cast<std::int16_t>(state),
                                             static_cast<RootKey>(root)));
    }
    // Whatever follows the counted entries, other than empty lines, is an entry the count leaves out.
    for (size_t at = 1 + 4 * static_cast<size_t>(std::max<std::int64_t>(count, 0));
         !expected.damaged && at < lines.size(); ++at)
        expected.damaged = !lines[at].empty();
    return expected;
}

class RandomFiles {
  public:
    explicit RandomFiles(unsigned seed) : random_(seed) {}

    std::string Next() {
        std::string file;
        const int entries = Pick(0, 6);
        file += NumberText(Chance(8) ? Pick(-3, 9) : entries);
        for (int i = 0; i < entries; ++i) {
            file += Text();
            file += NumberText(Chance(2) ? kCurrentUser : (Chance(2) ? kLocalMachine : Pick(-9, 9)));
            file += NumberText(Pick(0, 4));
            file += Text();
        }
        if (Chance(6)) file = "\xEF\xBB\xBF" + file;
        for (int mutations = Pick(0, 3); mutations > 0; --mutations)
            Mutate(file);
        return file;
    }
    bool Chance(int one_in) { return Pick(1, one_in) == 1; }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    char AnyChar() {
        static constexpr char kChars[] = " -+0123456789\r\n\t,\"xA\xC3\xA9\xE6\x97\xA5\xEF\xBB\xBF\xFF";
        return kChars[Pick(0, static_cast<int>(sizeof(kChars)) - 2)];
    }
    std::string NumberText(std::int32_t value) {
        std::string text = std::to_string(value);
        switch (Pick(0, 3)) {
            case 0: text = (value < 0 ? "" : " ") + text + " "; break;
            case 1: break;
            case 2: text = "  " + text + "   "; break;
            default: text = value < 0 ? "-000" + text.substr(1) : "0" + text; break;
        }
        return text + (Chance(10) ? "\n" : "\r\n");
    }
    std::string Text() {
        std::string text;
        for (int n = Pick(0, 8); n > 0; --n) {
            const char c = AnyChar();
            if (c != '\r' && c != '\n') text += c;
        }
        return text + "\r\n";
    }
    void Mutate(std::string& file) {
        if (file.empty()) {
            file += AnyChar();
            return;
        }
        const size_t at = static_cast<size_t>(Pick(0, static_cast<int>(file.size()) - 1));
        switch (Pick(0, 3)) {
            case 0: file.resize(at); break;
            case 1: file[at] = AnyChar(); break;
            case 2: file.insert(at, 1, AnyChar()); break;
            default: file.erase(at, static_cast<size_t>(Pick(1, 8))); break;
        }
    }

    std::mt19937 random_;
};

TEST(LoadStartUpRandom, TwentyThousandFilesLoadExactlyTheirCompleteEntries) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kRunPath, "Live", "live.exe");
    p.form.OnCommand(Command::kRefresha);
    RandomFiles files(20240611);
    int damaged = 0, unopened = 0, complete = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string file = files.Next();
        const bool opens = !files.Chance(25);
        if (opens)
            p.files.files[kPath] = file;
        else
            p.files.files.erase(kPath);
        // Now and then a tick while the first box is open.
        bool ticked = false;
        p.boxes.while_informing = [&, tick = files.Chance(10)] {
            if (tick && !ticked) {
                ticked = true;
                p.form.Timer1_Timer();
            }
        };
        p.boxes.informed.clear();
        p.boxes.failures.clear();
        const EntryTable before = p.form.Entries();

        p.form.LoadStartUpf(kPath);

        const auto shown = [&file] { return ::testing::PrintToString(file); };
        if (!opens) {
            ++unopened;
            ASSERT_EQ(p.form.Entries(), before) << shown();
            ASSERT_TRUE(p.boxes.informed.empty()) << shown();
            ASSERT_TRUE(p.boxes.failures.empty()) << shown();
            continue;
        }
        const Expected expected = PlainRead(file, p.codec);
        ASSERT_EQ(p.form.Entries(), expected.entries) << shown();
        ASSERT_EQ(p.boxes.informed.size(), expected.count_read ? 1 + 3 * expected.entries.size() : 0)
            << shown();
        ASSERT_EQ(p.boxes.failures.size(), expected.damaged ? 1u : 0u) << shown();
        if (expected.damaged) {
            ++damaged;
            ASSERT_TRUE(p.view.rows.empty()) << shown();
        } else {
            complete += expected.entries.empty() ? 0 : 1;
        }
    }
    // The generator must reach every kind of outcome often, or the test proves little.
    EXPECT_GT(damaged, 3000);
    EXPECT_GT(complete, 3000);
    EXPECT_GT(unopened, 400);
}

}  // namespace
}  // namespace quorvel::testing
