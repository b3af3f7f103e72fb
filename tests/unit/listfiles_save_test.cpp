// Tool > Save StartUp: the exact bytes of the file, and every way a save can be refused or fail
// without harming an older list.

#include <limits>

#include "fakes/fake_list_files.h"
#include "listfiles/startup_list.h"
#include "program_fixture.h"

namespace quorvel::testing {
namespace {

constexpr char kPath[] = "C:\\lists\\saved.stu";

class SaveStartUp : public ::testing::Test {
  protected:
    void SetUp() override {
        p.form.Form_Load("");
        p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
        p.form.OnCommand(Command::kRefresha);
    }
    // Saves through the dialog as a user would, and gives what the file holds afterwards.
    std::string Save() {
        p.form.OnCommand(Command::kRefresha);
        p.dialogs.answer = kPath;
        p.form.OnCommand(Command::kSaveStartUp);
        const auto it = p.files.files.find(kPath);
        return it == p.files.files.end() ? "(no file)" : it->second;
    }
    Program p;
};

TEST_F(SaveStartUp, AnEmptyTableIsOneNumberLine) {
    EXPECT_EQ(Save(), " 0 \r\n");
    const std::vector<FakeFileDialogs::Ask> asked{{true, "Save StartUp", "*.stu"}};
    EXPECT_EQ(p.dialogs.asked, asked);
    EXPECT_TRUE(p.boxes.informed.empty());
    EXPECT_TRUE(p.boxes.failures.empty());
}

TEST_F(SaveStartUp, EveryEntryInTableOrderWithBothRootsWhateverTheListHides) {
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunDisabledPath, "Off", "off.exe");
    p.Seed(kLocalMachine, kRunPath, "Agent", "C:\\agent.exe");
    p.options.checked[Option::kEnableVisible] = false;
    p.options.checked[Option::kSortinga] = true;
    EXPECT_EQ(Save(),
              " 3 \r\n"
              "Agent\r\n-2147483646 \r\n 3 \r\nC:\\agent.exe\r\n"
              "Off\r\n-2147483647 \r\n 2 \r\noff.exe\r\n"
              "Nag\r\n-2147483647 \r\n 1 \r\nnag.exe\r\n");
}

TEST_F(SaveStartUp, TextLinesHoldTheTextExactly) {
    const std::string command = "  \"C:\\Program Files\\App\\app.exe\" -a, -b \"x,y\"  ";
    p.Seed(kCurrentUser, kRunPath, " Spaced, \"quoted\" ", command);
    p.Seed(kCurrentUser, kRunPath, "Empty", "");
    // A value that is no text has an empty command too.
    p.registry.SetRaw(kCurrentUser, kRunPath, "Number", RawValue{kRegDword, {1, 0, 0, 0}});
    EXPECT_EQ(Save(), " 3 \r\n Spaced, \"quoted\" \r\n-2147483647 \r\n 3 \r\n" + command +
                          "\r\nEmpty\r\n-2147483647 \r\n 3 \r\n\r\nNumber\r\n-2147483647 \r\n 3 \r\n\r\n");
}

TEST_F(SaveStartUp, AnsiWhenEveryCharacterFitsElseTheWholeFileAsUtf8WithAMark) {
    p.Seed(kCurrentUser, kRunPath, "Caf\xC3\xA9", "C:\\caf\xC3\xA9.exe");
    EXPECT_EQ(Save(), " 1 \r\nCaf\xE9\r\n-2147483647 \r\n 3 \r\nC:\\caf\xE9.exe\r\n");

    p.Seed(kCurrentUser, kRunPath, "\xE6\x97\xA5\xE6\x9C\xAC", "x.exe");  // two CJK characters
    EXPECT_EQ(Save(),
              "\xEF\xBB\xBF 2 \r\nCaf\xC3\xA9\r\n-2147483647 \r\n 3 \r\nC:\\caf\xC3\xA9.exe\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC\r\n-2147483647 \r\n 3 \r\nx.exe\r\n");

    // Both read back to the same table.
    const EntryTable saved = p.form.Entries();
    p.form.LoadStartUpf(kPath);
    EXPECT_EQ(p.form.Entries(), saved);
    p.files.files[kPath] = " 1 \r\nCaf\xE9\r\n-2147483647 \r\n 3 \r\nC:\\caf\xE9.exe\r\n";
    p.form.LoadStartUpf(kPath);
    EXPECT_EQ(p.form.Entries(), EntryTable{saved[0]});
}

TEST_F(SaveStartUp, ALineBreakInANameOrCommandRefusesTheSaveAndKeepsTheOldFile) {
    p.files.files[kPath] = "old list";
    p.Seed(kCurrentUser, kRunPath, "Fine", "fine.exe");
    p.Seed(kCurrentUser, kRunPath, "Two\nLines", "x.exe");
    EXPECT_EQ(Save(), "old list");
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(p.boxes.failures[0].find("the name of the startup entry \"Two\nLines\" of HKEY_CURRENT_USER "
                                       "holds a line break"),
              std::string::npos)
        << p.boxes.failures[0];

    p.registry.DeleteValue(kCurrentUser, kRunPath, "Two\nLines");
    p.Seed(kLocalMachine, kRunDisabledPath, "Cr", "a.exe\rb.exe");
    EXPECT_EQ(Save(), "old list");
    ASSERT_EQ(p.boxes.failures.size(), 2u);
    EXPECT_NE(p.boxes.failures[1].find("the command of the startup entry \"Cr\" of HKEY_LOCAL_MACHINE"),
              std::string::npos);
    EXPECT_NE(p.boxes.failures[1].find("Nothing was written."), std::string::npos);
}

TEST_F(SaveStartUp, AFailedWriteIsToldWithPathAndReasonAndTheOldFileStays) {
    p.files.files[kPath] = "old list";
    p.files.read_only = true;
    p.Seed(kCurrentUser, kRunPath, "App", "app.exe");
    EXPECT_EQ(Save(), "old list");
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_EQ(p.boxes.failures[0],
              "Quorvel could not save the startup list \"C:\\lists\\saved.stu\".\n\nAccess is denied.\n\n"
              "An older file of that name is unchanged.");
}

TEST_F(SaveStartUp, CancelWritesNothingAndSaysNothing) {
    p.Seed(kCurrentUser, kRunPath, "App", "app.exe");
    const int writes = p.files.writes;
    p.dialogs.answer.reset();
    p.form.OnCommand(Command::kSaveStartUp);
    EXPECT_EQ(p.files.writes, writes);
    EXPECT_EQ(p.dialogs.asked.size(), 1u);
    EXPECT_TRUE(p.boxes.informed.empty());
    EXPECT_TRUE(p.boxes.failures.empty());
}

TEST(StartupListFormat, TheCountHolds32767EntriesAndNoMore) {
    const FakeTextCodec codec;
    EntryTable entries(kMaxListEntries, MakeEntry("n", "c", kStateEnabled, kCurrentUser));
    const WrittenList most = WriteStartupList(entries, codec);
    ASSERT_TRUE(most.refusal.empty());
    EXPECT_TRUE(most.bytes.starts_with(" 32767 \r\nn\r\n"));
    const StartupList read = ReadStartupList(most.bytes, codec);
    EXPECT_EQ(read.entries.size(), kMaxListEntries);
    EXPECT_FALSE(read.damage);

    entries.push_back(entries.back());
    const WrittenList too_many = WriteStartupList(entries, codec);
    EXPECT_TRUE(too_many.bytes.empty());
    EXPECT_EQ(too_many.refusal,
              "Quorvel cannot save 32768 startup entries in one list: a startup list file holds at most "
              "32767.\n\nNothing was written.");
}

TEST(StartupListFormat, ExtremeNumbersAndOddStatesRoundTrip) {
    const FakeTextCodec codec;
    const EntryTable entries{MakeEntry("a", "x", -32768, std::numeric_limits<std::int32_t>::min()),
                             MakeEntry("b", "y", 32767, std::numeric_limits<std::int32_t>::max()),
                             MakeEntry("c", "z", 0, 0)};
    const WrittenList written = WriteStartupList(entries, codec);
    EXPECT_EQ(written.bytes,
              " 3 \r\na\r\n-2147483648 \r\n-32768 \r\nx\r\nb\r\n 2147483647 \r\n 32767 \r\ny\r\n"
              "c\r\n 0 \r\n 0 \r\nz\r\n");
    EXPECT_EQ(ReadStartupList(written.bytes, codec).entries, entries);
    // The key is rebuilt from name and state, odd states included.
    EXPECT_EQ(ReadStartupList(written.bytes, codec).entries[0].Key, "a--32768");
}

}  // namespace
}  // namespace quorvel::testing
