// The Startup folders' items as entries: their names, their commands, and Windows' records for them.

#include <gtest/gtest.h>

#include "fakes/fake_registre.h"
#include "store/startup_folder_items.h"

namespace quorvel::testing {
namespace {

TEST(StartupFolderItems, AShortcutGoesByItsNameWithoutLnkAndAnyOtherFileKeepsItsExtension) {
    EXPECT_EQ(ItemEntryName("Updater.lnk"), "Updater");
    EXPECT_EQ(ItemEntryName("Sync Tool.LNK"), "Sync Tool");
    EXPECT_EQ(ItemEntryName("notes.lnk.lnk"), "notes.lnk");
    EXPECT_EQ(ItemEntryName("run.bat"), "run.bat");
    EXPECT_EQ(ItemEntryName("site.url"), "site.url");
    EXPECT_EQ(ItemEntryName("shortcut.lnk.txt"), "shortcut.lnk.txt");
    EXPECT_EQ(ItemEntryName("Zoë.lnk"), "Zoë");
    EXPECT_EQ(ItemEntryName(".lnk"), ".lnk");
}

TEST(StartupFolderItems, ANameFromOutsideNamesOneFileInTheFolderAndNothingElse) {
    EXPECT_TRUE(IsItemFileName("Zoë's tool.lnk"));
    EXPECT_TRUE(IsItemFileName("..hidden.bat"));
    using namespace std::string_view_literals;
    for (const std::string_view bad :
         {""sv, "."sv, ".."sv, "..\\..\\Windows\\evil.lnk"sv, "sub/evil.lnk"sv, "C:evil.lnk"sv,
          "tool.lnk:hidden"sv, "a\0b.lnk"sv, "line\nbreak.lnk"sv})
        EXPECT_FALSE(IsItemFileName(bad)) << bad;
}

TEST(StartupFolderItems, TheCommandQuotesATargetWithBlanksAndSplitsBackIntoTargetAndArguments) {
    FolderItem shortcut{"Sync.lnk", "C:\\Users\\ann\\Start Menu\\Programs\\Startup\\Sync.lnk", true,
                        "C:\\Program Files\\Sync\\sync.exe", "--tray  \"two  blanks\" "};
    const std::string line = "\"C:\\Program Files\\Sync\\sync.exe\" --tray  \"two  blanks\" ";
    EXPECT_EQ(ItemCommand(shortcut), line);
    EXPECT_EQ(SplitItemCommand(line),
              (ShortcutParts{"C:\\Program Files\\Sync\\sync.exe", "--tray  \"two  blanks\" "}));

    shortcut.target = "C:\\Tools\\t.exe";
    shortcut.arguments = "";
    EXPECT_EQ(ItemCommand(shortcut), "C:\\Tools\\t.exe");
    EXPECT_EQ(SplitItemCommand("C:\\Tools\\t.exe -q"), (ShortcutParts{"C:\\Tools\\t.exe", "-q"}));

    // A plain file, and a shortcut that names no file, start as themselves.
    const FolderItem script{"run.bat", "C:\\Start Menu\\run.bat", false, "", ""};
    EXPECT_EQ(ItemCommand(script), "\"C:\\Start Menu\\run.bat\"");
    const FolderItem advertised{"Office.lnk", "C:\\S\\Office.lnk", true, "", "/x"};
    EXPECT_EQ(ItemCommand(advertised), "C:\\S\\Office.lnk");
}

TEST(StartupFolderItems, RecordsNamedByTheFileNameUnderTheOwningRootSwitchItemsOff) {
    FakeRegistre registry;
    const RawValue off{kRegBinary, {0x03, 0, 0, 0, 0x5A, 0x10, 0, 0, 0, 0, 0, 0}};
    const RawValue on{kRegBinary, {0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    const std::string_view folder_records =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
    registry.SetRaw(kCurrentUser, folder_records, "Updater.lnk", off);
    registry.SetRaw(kCurrentUser, folder_records, "Chat.lnk", on);
    registry.SetRaw(kLocalMachine, folder_records, "Backup.lnk", off);
    // The same name among the Run records says nothing about a folder item.
    registry.SetRaw(kCurrentUser, kApprovedRunPath, "Chat.lnk", off);

    EXPECT_EQ(ItemsSwitchedOff(registry, StartupFolder::kUser), std::vector<std::string>{"Updater.lnk"});
    EXPECT_EQ(ItemsSwitchedOff(registry, StartupFolder::kUserDisabled),
              std::vector<std::string>{"Updater.lnk"});
    EXPECT_EQ(ItemsSwitchedOff(registry, StartupFolder::kAllUsers), std::vector<std::string>{"Backup.lnk"});

    ASSERT_TRUE(SwitchItemOn(registry, StartupFolder::kAllUsersDisabled, "Backup.lnk"));
    EXPECT_EQ(registry.GetRaw(kLocalMachine, folder_records, "Backup.lnk"), on);
    EXPECT_EQ(registry.GetRaw(kCurrentUser, folder_records, "Backup.lnk"), std::nullopt);
}

}  // namespace
}  // namespace quorvel::testing
