// Tool > Load StartUp: the boxes a list shows, the table and list it leaves, damaged files, a tick
// while a box is open, and restoring a loaded entry.

#include "fakes/utf16.h"
#include "program_fixture.h"

namespace quorvel::testing {
namespace {

constexpr char kPath[] = "C:\\lists\\saved.stu";

// One entry as its four lines.
std::string Lines(std::string_view name, std::string_view root, std::string_view state,
                  std::string_view command) {
    return std::string(name) + "\r\n" + std::string(root) + "\r\n" + std::string(state) + "\r\n" +
           std::string(command) + "\r\n";
}
const std::string kUser = "-2147483647 ";
const std::string kMachine = "-2147483646 ";

class LoadStartUp : public ::testing::Test {
  protected:
    void SetUp() override {
        p.form.Form_Load("");
        p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
        p.Seed(kCurrentUser, kRunPath, "Live", "live.exe");
        p.form.OnCommand(Command::kRefresha);
    }
    // Loads the file through the dialog, as a user would.
    void Load(const std::string& bytes) {
        p.files.files[kPath] = bytes;
        p.dialogs.answer = kPath;
        p.form.OnCommand(Command::kLoadStartUp);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const StartupEntry& entry : p.form.Entries())
            names.push_back(entry.Name);
        return names;
    }
    Program p;
};

TEST_F(LoadStartUp, ShowsTheCountThenNameCommandAndIndexOfEachEntryThenTheList) {
    std::string file = " 5 \r\n";
    file += Lines("Agent", kMachine, " 3 ", "C:\\agent.exe");
    file += Lines("Off", kUser, " 2 ", "off.exe /q");
    file += Lines("Nag", kUser, " 1 ", "nag.exe");
    file += Lines("Odd", kUser, " 7 ", "odd.exe");
    file += Lines(" Spaced, \"quoted\" ", kUser, " 3 ", "  \"a b.exe\", x  ");
    const int writes = p.registry.counters.writes, deletes = p.registry.counters.deletes;
    Load(file);

    const std::vector<FakeFileDialogs::Ask> asked{{false, "Load StartUp", "*.stu"}};
    EXPECT_EQ(p.dialogs.asked, asked);
    // clang-format off
    const std::vector<std::string> boxes{
        "5",
        "Agent", "C:\\agent.exe", "0 4",
        "Off", "off.exe /q", "1 4",
        "Nag", "nag.exe", "2 4",
        "Odd", "odd.exe", "3 4",
        " Spaced, \"quoted\" ", "  \"a b.exe\", x  ", "4 4"};
    // clang-format on
    EXPECT_EQ(p.boxes.informed, boxes);
    EXPECT_TRUE(p.boxes.failures.empty());
    EXPECT_EQ(p.form.Entries(),
              (EntryTable{MakeEntry("Agent", "C:\\agent.exe", 3, kLocalMachine),
                          MakeEntry("Off", "off.exe /q", 2, kCurrentUser),
                          MakeEntry("Nag", "nag.exe", 1, kCurrentUser),
                          MakeEntry("Odd", "odd.exe", 7, kCurrentUser),
                          MakeEntry(" Spaced, \"quoted\" ", "  \"a b.exe\", x  ", 3, kCurrentUser)}));
    // The list's filters and order apply (bans hidden, newest first); a state that is none is never
    // shown.
    const std::vector<std::string> rows{" Spaced, \"quoted\" |  \"a b.exe\", x  |Enable|3",
                                        "Off|off.exe /q|Disable|2", "Agent|C:\\agent.exe|Enable|3"};
    EXPECT_EQ(p.view.Lines(), rows);
    EXPECT_EQ(p.registry.counters.writes, writes);
    EXPECT_EQ(p.registry.counters.deletes, deletes);
}

TEST_F(LoadStartUp, TheListIsEmptyWhileTheBoxesShowAndATickCannotMixInTheRegistry) {
    std::vector<std::string> rows_at_first_box;
    p.boxes.while_informing = [&] {
        if (p.boxes.informed.size() == 1) rows_at_first_box = p.view.Names();
        p.Seed(kCurrentUser, kRunPath, "Intruder" + std::to_string(p.boxes.informed.size()), "x.exe");
        p.form.Timer1_Timer();
    };
    Load(" 2 \r\n" + Lines("A", kUser, " 3 ", "a.exe") + Lines("B", kUser, " 2 ", "b.exe"));
    EXPECT_TRUE(rows_at_first_box.empty());
    EXPECT_EQ(p.boxes.informed.size(), 7u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"B", "A"}));

    // A damaged file leaves its complete entries in the table and the list empty, tick or not.
    Load(" 2 \r\n" + Lines("A", kUser, " 3 ", "a.exe") + "B\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    EXPECT_TRUE(p.view.rows.empty());
}

TEST_F(LoadStartUp, ALoadedEntryIsRestoredFromItsCommandAndRefreshShowsTheRegistryAgain) {
    Load(" 2 \r\n" + Lines("Gone", kUser, " 2 ", "C:\\gone.exe -min") +
         Lines("Live", kUser, " 3 ", "old.exe"));
    EXPECT_FALSE(p.Has(kCurrentUser, kRunDisabledPath, "Gone"));
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Gone-2", 1});
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kRunPath, "Gone"),
              (RawValue{kRegSz, StringData("C:\\gone.exe -min")}));
    EXPECT_TRUE(p.boxes.failures.empty());
    // The action collects again: the list shows the registry, and the file's "Live" is forgotten.
    EXPECT_EQ(p.view.Lines(),
              (std::vector<std::string>{"Gone|C:\\gone.exe -min|Enable|3", "Live|live.exe|Enable|3"}));

    Load(" 1 \r\n" + Lines("Other", kUser, " 3 ", "o.exe"));
    p.form.OnCommand(Command::kRefresha);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"Gone", "Live"}));

    // Restoring onto a value the registry holds under that name asks first, as every move does.
    Load(" 1 \r\n" + Lines("Live", kUser, " 2 ", "old.exe"));
    p.boxes.answers = {false};
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Live-2", 1});
    ASSERT_EQ(p.boxes.questions.size(), 1u);
    EXPECT_NE(p.boxes.questions[0].text.find("from the loaded startup list"), std::string::npos);
    EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, kRunPath, "Live"), "live.exe");

    // Nor does the move out of a key delete a value there that is not the one the list names.
    p.Seed(kCurrentUser, kRunDisabledPath, "Newer", "C:\\new\\newer.exe");
    Load(" 1 \r\n" + Lines("Newer", kUser, " 2 ", "C:\\old\\newer.exe"));
    p.boxes.questions.clear();
    p.boxes.answers = {false};
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Newer-2", 1});
    ASSERT_EQ(p.boxes.questions.size(), 1u);
    EXPECT_NE(p.boxes.questions[0].text.find("C:\\new\\newer.exe"), std::string::npos);
    EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, kRunPath, "Newer"), "C:\\old\\newer.exe");
    EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, kRunDisabledPath, "Newer"), "C:\\new\\newer.exe");
}

TEST_F(LoadStartUp, ALiveValueThatHoldsTheListsCommandKeepsItsOwnTypeAndEachRowActsOnItself) {
    p.registry.SetRaw(kCurrentUser, kRunPath, "Tool",
                      RawValue{kRegExpandSz, StringData("%ProgramFiles%\\t.exe")});
    Load(" 1 \r\n" + Lines("Tool", kUser, " 3 ", "%ProgramFiles%\\t.exe"));
    p.Choose(EntryAction::kDisable, {kCurrentUser, "Tool-3", 1});
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kRunDisabledPath, "Tool"),
              (RawValue{kRegExpandSz, StringData("%ProgramFiles%\\t.exe")}));
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Tool"));
    EXPECT_TRUE(p.boxes.questions.empty());

    // Saved disabled (Windows switched it off) and disabled in Run- at once: one name, root and state twice.
    Load(" 2 \r\n" + Lines("Twin", kUser, " 2 ", "first.exe") + Lines("Twin", kUser, " 2 ", "second.exe"));
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Twin-2", 1});
    EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, kRunPath, "Twin"), "first.exe");
}

TEST_F(LoadStartUp, ABanInALoadedListIsNeverEnforcedOnTheLiveRegistry) {
    Load(" 1 \r\n" + Lines("Live", kUser, " 1 ", "live.exe"));
    p.form.DelectBanElement();
    p.form.Timer1_Timer();
    p.form.OnCommand(Command::kRefresha);
    EXPECT_TRUE(p.Has(kCurrentUser, kRunPath, "Live"));
}

TEST_F(LoadStartUp, CancelOrAFileThatCannotBeOpenedChangesNothing) {
    const EntryTable before = p.form.Entries();
    const int redraws = p.view.redraws;
    p.dialogs.answer.reset();
    p.form.OnCommand(Command::kLoadStartUp);
    p.dialogs.answer = "C:\\lists\\missing.stu";
    p.form.OnCommand(Command::kLoadStartUp);
    EXPECT_EQ(p.dialogs.asked.size(), 2u);
    EXPECT_EQ(p.form.Entries(), before);
    EXPECT_EQ(p.view.redraws, redraws);
    EXPECT_TRUE(p.boxes.informed.empty());
    EXPECT_TRUE(p.boxes.failures.empty());
}

TEST_F(LoadStartUp, ManyEntriesRoundTripThroughSaveAndLoad) {
    for (int i = 0; i < 1001; ++i) {
        const std::string n = std::to_string(i);
        const RootKey root = i % 2 == 0 ? kCurrentUser : kLocalMachine;
        p.Seed(root, PathOfState(static_cast<std::int16_t>(1 + i % 3)), "App " + n,
               "C:\\apps\\" + n + ".exe, -x");
    }
    p.form.OnCommand(Command::kRefresha);
    const EntryTable saved = p.form.Entries();
    ASSERT_EQ(saved.size(), 1002u);
    p.dialogs.answer = kPath;
    p.form.OnCommand(Command::kSaveStartUp);
    p.registry.DeleteTree(kCurrentUser, "SOFTWARE");
    p.registry.DeleteTree(kLocalMachine, "SOFTWARE");
    p.form.OnCommand(Command::kRefresha);
    ASSERT_TRUE(p.form.Entries().empty());

    p.form.OnCommand(Command::kLoadStartUp);
    EXPECT_EQ(p.form.Entries(), saved);
    EXPECT_EQ(p.boxes.informed.size(), 1u + 3u * 1002u);
    EXPECT_EQ(p.boxes.informed.back(), "1001 1001");
    EXPECT_TRUE(p.boxes.failures.empty());
}

struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> names;  // the entries the table keeps
    std::size_t boxes;
    std::size_t damaged_line;  // 0: no damage
    const char* reason;
};

TEST_F(LoadStartUp, DamagedOrUnusualFiles) {
    const std::string a = Lines("A", kUser, " 3 ", "a.exe");
    // clang-format off
    const std::vector<Case> cases{
        {"cut inside the second entry", " 2 \r\n" + a + "B\r\n" + kUser + "\r\n", {"A"}, 4, 8,
         "the file ends before the state of entry 2 of 2"},
        {"cut before the first entry", " 1 \r\n", {}, 1, 2, "the file ends before the name of entry 1 of 1"},
        {"empty file", "", {}, 0, 1, "the file ends before the entry count"},
        // Entries the count leaves out would be passed over by a restore: the file is damaged.
        {"count 0 over entries", " 0 \r\n" + a + a, {}, 1, 2,
         "the entry count on the first line is 0, but more entries follow"},
        {"negative count over an entry", "-3 \r\n" + a, {}, 1, 2, "count on the first line is -3"},
        {"lines after the last entry", " 1 \r\n" + a + "\r\njunk\r\n", {"A"}, 4, 7, "count on the first line is 1"},
        {"empty lines after the last entry", " 1 \r\n" + a + "\r\n\r\n", {"A"}, 4, 0, ""},
        {"negative count alone", "-3 \r\n", {}, 1, 0, ""},
        {"count not a number", "two\r\n" + a, {}, 0, 1, "\"two\" stands where the entry count should be"},
        {"count with a plus", "+1\r\n" + a, {}, 0, 1, "is not a whole number"},
        {"count with two numbers", " 1 1 \r\n" + a, {}, 0, 1, "is not a whole number"},
        {"count with a tab", "\t1\r\n" + a, {}, 0, 1, "is not a whole number"},
        {"count of blanks", "   \r\n" + a, {}, 0, 1, "is not a whole number"},
        {"count out of range", " 32768 \r\n" + a, {}, 0, 1,
         "the entry count is 32768, outside the range -32768 to 32767"},
        {"root not a number", " 2 \r\n" + a + "B\r\nHKCU\r\n 3 \r\nb\r\n", {"A"}, 4, 7,
         "\"HKCU\" stands where the root key of entry 2 of 2 should be"},
        {"root out of range", " 1 \r\nA\r\n 2147483648 \r\n 3 \r\na\r\n", {}, 1, 3,
         "the root key of entry 1 of 1 is 2147483648, outside the range -2147483648 to 2147483647"},
        {"root far out of range", " 1 \r\nA\r\n-99999999999999999999999 \r\n 3 \r\na\r\n", {}, 1, 3,
         "is -99999999999999999999999, outside the range"},
        {"state out of range", " 1 \r\nA\r\n" + kUser + "\r\n-32769 \r\na\r\n", {}, 1, 4,
         "the state of entry 1 of 1 is -32769, outside the range -32768 to 32767"},
        {"state with a decimal point", " 1 \r\nA\r\n" + kUser + "\r\n3.0\r\na\r\n", {}, 1, 4,
         "\"3.0\" stands where the state of entry 1 of 1 should be"},
        {"last line without CR LF", " 1 \r\nA\r\n" + kUser + "\r\n 3 \r\na.exe", {"A"}, 4, 0, ""},
        {"cut between CR and LF", " 1 \r\nA\r\n" + kUser + "\r\n 3 \r\na.exe\r", {"A"}, 4, 0, ""},
        {"LF alone ends lines too", " 1 \nA\n" + kUser + "\n3\na.exe\n", {"A"}, 4, 0, ""},
        {"numbers without blanks, with zeros", "00001\r\nA\r\n-0\r\n3\r\na\r\n", {"A"}, 4, 0, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.boxes.informed.clear();
        p.boxes.failures.clear();
        const int writes = p.registry.counters.writes;
        Load(c.file);
        EXPECT_EQ(Names(), c.names);
        EXPECT_EQ(p.boxes.informed.size(), c.boxes);
        EXPECT_EQ(p.registry.counters.writes, writes);
        if (c.damaged_line == 0) {
            EXPECT_TRUE(p.boxes.failures.empty());
            EXPECT_EQ(p.view.rows.size(), c.names.size());
            continue;
        }
        EXPECT_TRUE(p.view.rows.empty());
        ASSERT_EQ(p.boxes.failures.size(), 1u);
        const std::string& message = p.boxes.failures[0];
        EXPECT_TRUE(message.starts_with("The startup list \"C:\\lists\\saved.stu\" is damaged at line " +
                                        std::to_string(c.damaged_line) + ": "))
            << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
}

TEST_F(LoadStartUp, ALoneCarriageReturnStaysInTheTextAndADamagedLineIsQuotedReadably) {
    Load(" 1 \r\nA\rB\r\n" + kUser + "\r\n 3 \r\nx\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"A\rB"});

    // Cut after 40 characters, never inside one.
    std::string cjk;
    for (int i = 0; i < 12; ++i)
        cjk += "\xE6\x97\xA5";
    Load("\xEF\xBB\xBF 1 \r\nA\r\n" + std::string(30, ' ') + cjk + "\r\n");
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_EQ(p.boxes.failures[0],
              "The startup list \"C:\\lists\\saved.stu\" is damaged at line 3: \"" + std::string(30, ' ') +
                  cjk.substr(0, 30) +
                  "\xE2\x80\xA6\" stands where the root key of entry 1 of 1 should be, and is not a whole "
                  "number.\n\nThe list stays empty until the next refresh; the registry is unchanged.");

    // A list saved as UTF-16 is told as such; no NUL of it cuts the message short.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string(" 1 \r\nA\r\n"))
        utf16 += std::string{c, '\0'};
    p.boxes.failures.clear();
    Load(utf16);
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(p.boxes.failures[0].find("at line 1: the file is UTF-16"), std::string::npos)
        << p.boxes.failures[0];
    EXPECT_EQ(p.boxes.failures[0].find('\0'), std::string::npos);
    p.boxes.failures.clear();
    Load(utf16.substr(2));
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_EQ(p.boxes.failures[0].find('\0'), std::string::npos);
    EXPECT_NE(p.boxes.failures[0].find("is not a whole number"), std::string::npos) << p.boxes.failures[0];
}

}  // namespace
}  // namespace quorvel::testing
