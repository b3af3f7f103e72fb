// config.ini: reading as it always was read, writing, and what a click on an option does.

#include "app/settings.h"
#include "program_fixture.h"

namespace quorvel::testing {
namespace {

using Values = std::array<std::int16_t, 5>;

TEST(SettingsFile, NumbersAsTheFileHasAlwaysBeenRead) {
    EXPECT_EQ(ReadSettings(" 1 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n"), (Values{1, 1, 0, 1, 0}));
    // Missing lines repeat the last number read; before any, 0.
    EXPECT_EQ(ReadSettings(" 0 \r\n 0 \r\n 1 \r\n"), (Values{0, 0, 1, 1, 1}));
    EXPECT_EQ(ReadSettings(" 1 "), (Values{1, 1, 1, 1, 1}));
    EXPECT_EQ(ReadSettings(""), (Values{0, 0, 0, 0, 0}));
    // An empty line is 0; so is anything that is not a 16-bit number.
    EXPECT_EQ(ReadSettings("1\n\n-1\n2\nyes\n"), (Values{1, 0, -1, 2, 0}));
    EXPECT_EQ(ReadSettings("1.5\r\n70000\r\n1,1\r\n+1\r\n\t1\t\r\n"), (Values{0, 0, 0, 1, 1}));
    EXPECT_TRUE(VtoB(1));
    EXPECT_FALSE(VtoB(-1));
    EXPECT_FALSE(VtoB(2));
}

TEST(SettingsFile, AStartWithoutAFileKeepsTheBuiltMarksAndWritesThem) {
    Program p;
    p.Seed(kCurrentUser, kRunDisabledPath, "Off", "off.exe");
    p.form.Form_Load("");
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
    EXPECT_EQ(p.files.files.at(Program::kConfig).size(), 25u);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"Off", "Quorvel"}));
}

TEST(SettingsFile, AFileSetsEveryOptionAndIsRewrittenAtStart) {
    Program p;
    p.files.files[Program::kConfig] = " 0 \r\n 0 \r\n 1 \r\n";
    p.Seed(kCurrentUser, kBanPath, "b", "x");
    p.Seed(kCurrentUser, kBanPath, "a", "x");
    p.Seed(kCurrentUser, kRunPath, "z", "x");
    p.form.Form_Load("");
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 0 \r\n 1 \r\n 1 \r\n 1 \r\n");
    EXPECT_FALSE(p.options.checked[Option::kEnableVisible]);
    EXPECT_TRUE(p.options.checked[Option::kSortinga]);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"a", "b"}));
}

TEST(SettingsFile, AFileThatSaysTheSameIsNotWrittenAgainButAChangeIs) {
    Program p;
    p.files.files[Program::kConfig] = " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n";
    p.form.Form_Load("");
    EXPECT_EQ(p.files.writes, 0);
    // Flipping an option there and back writes both times: each differs from what the file then held.
    p.form.OnCommand(Command::kSortinga);
    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.files.writes, 2);
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
}

TEST(SettingsFile, EachClickFlipsOneOptionRedrawsAndSaves) {
    Program p;
    p.Seed(kCurrentUser, kRunPath, "b", "x");
    p.Seed(kCurrentUser, kRunPath, "a", "x");
    p.Seed(kCurrentUser, kRunPath, "c", "x");
    p.form.Form_Load("");
    p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
    p.form.OnCommand(Command::kRefresha);
    const int writes = p.files.writes;
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"c", "a", "b"}));

    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n");
    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
    EXPECT_EQ(p.files.writes, writes + 2);

    const int redraws = p.view.redraws;
    p.form.OnCommand(Command::kExitAfterCleaning);
    EXPECT_EQ(p.view.redraws, redraws + 1);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(p.files.files.at(Program::kConfig).substr(0, 5), " 1 \r\n");

    // Hiding every state empties the list without reading the registry; showing one brings it back.
    const int lists = p.registry.counters.lists;
    p.form.OnCommand(Command::kEnableVisible);
    EXPECT_TRUE(p.view.rows.empty());
    p.form.OnCommand(Command::kEnableVisible);
    EXPECT_EQ(p.view.rows.size(), 3u);
    EXPECT_EQ(p.registry.counters.lists, lists);
}

TEST(SettingsFile, WhereTheProgramsFolderRefusesThemTheUsersOwnFileKeepsThemAndIsReadFirst) {
    Program p;
    p.files.files[Program::kConfig] = " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n";
    p.files.refusing_folders.insert("C:\\Program Files");
    p.form.Form_Load("");
    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.files.files.at(Program::kUserConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\n");
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
    EXPECT_TRUE(p.boxes.failures.empty());

    Program next;
    next.files.files = p.files.files;
    next.files.refusing_folders = p.files.refusing_folders;
    next.form.Form_Load("");
    EXPECT_TRUE(next.options.checked[Option::kSortinga]);
}

TEST(SettingsFile, OptionsThatCanBeSavedNowhereHoldInMemoryAndTheUserIsToldOnce) {
    Program p;
    p.files.files[Program::kConfig] = " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n";
    p.files.read_only = true;
    p.form.Form_Load("");
    EXPECT_TRUE(p.boxes.failures.empty());
    p.form.OnCommand(Command::kBanVisible);
    p.form.OnCommand(Command::kSortinga);
    EXPECT_TRUE(p.options.checked[Option::kBanVisible]);
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
    EXPECT_EQ(p.boxes.failures,
              std::vector<std::string>{
                  "Quorvel cannot save its options: neither \"C:\\Program Files\\Quorvel\\config.ini\" nor "
                  "\"C:\\Users\\Ann\\AppData\\Local\\Quorvel\\config.ini\" can be written. Access is denied."
                  "\n\nThe options as you set them hold until Quorvel ends."});
}

TEST(SettingsFile, AFileThatCannotBeReadIsNeverReplacedAndTheBuiltMarksAreUsed) {
    Program p;
    p.files.files[Program::kConfig] = " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n";
    p.files.unreadable.insert(Program::kConfig);
    p.form.Form_Load("");
    EXPECT_TRUE(p.options.checked[Option::kEnableVisible]);
    EXPECT_FALSE(p.options.checked[Option::kBanVisible]);
    p.form.OnCommand(Command::kSortinga);
    EXPECT_TRUE(p.options.checked[Option::kSortinga]);
    EXPECT_EQ(p.files.writes, 0);
    EXPECT_EQ(p.files.files.at(Program::kConfig), " 1 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n");
}

}  // namespace
}  // namespace quorvel::testing
