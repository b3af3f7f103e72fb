// The Startup folders' items among the startup entries: collected with their states, banned by the one
// list of bans, moved by the entry menu without ever overwriting, saved and restored, and acted on from
// the console.

#include "program_fixture.h"
#include "store/ban_enforcement.h"
#include "store/collection.h"

namespace quorvel::testing {
namespace {

using Folder = StartupFolder;
constexpr Folder kUser = Folder::kUser, kAllUsers = Folder::kAllUsers, kUserOff = Folder::kUserDisabled,
                 kAllUsersOff = Folder::kAllUsersDisabled;
constexpr char kStartupPath[] =
    "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
constexpr char kUserOffPath[] = "C:\\Users\\user\\AppData\\Roaming\\Quorvel\\Disabled Startup";
constexpr char kApprovals[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// "name|file|state|root|switched off|folder|command" per entry, in table order.
std::vector<std::string> Described(const EntryTable& entries) {
    std::vector<std::string> lines;
    for (const StartupEntry& e : entries) {
        lines.push_back(e.Name + "|" + e.FileName + "|" + std::to_string(e.State) + "|" +
                        std::string(LocationWord(e.Root)) + "|" + (e.SwitchedOff ? "off" : "on") + "|" +
                        e.Folder + "|" + e.Command);
    }
    return lines;
}

TEST(FolderCollection, ItemsComeWithTheirStatesAndABanOnAKeptItemIsThatItemsOwn) {
    FakeRegistre registry;
    FakeStartupFolders folders;
    folders.PutShortcut(kUser, "Sync.lnk", "C:\\Program Files\\Sync\\sync.exe", "--tray");
    folders.Put(kUser, "run.bat", "@echo off");
    folders.PutShortcut(kUserOff, "Nag.lnk", "C:\\nag.exe", "");
    folders.PutShortcut(kAllUsersOff, "Backup.lnk", "C:\\backup.exe", "/s");
    // The item's ban, in another letter case, in its family's own root; the machine's ban of the name is
    // a ban of its own.
    registry.SetString(kCurrentUser, kBanPath, "NAG", "C:\\nag.exe");
    registry.SetString(kLocalMachine, kBanPath, "Nag", "C:\\nag.exe");
    registry.SetRaw(kCurrentUser, kApprovals, "RUN.BAT",
                    RawValue{kRegBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    folders.unreadable = kAllUsers;

    EntryTable entries;
    const std::vector<UnreadFolder> unread = CollectEntries(registry, folders, entries);
    ASSERT_EQ(unread.size(), 1u);
    EXPECT_EQ(unread[0].folder, kAllUsers);
    EXPECT_EQ(unread[0].reason, "Access is denied.");
    EXPECT_EQ(Described(entries),
              (std::vector<std::string>{
                  "Nag||1|Machine|on||C:\\nag.exe",
                  "Backup|Backup.lnk|2|Startup folder (all users)|on|C:\\ProgramData\\Quorvel\\Disabled "
                  "Startup|C:\\backup.exe /s",
                  std::string("Sync|Sync.lnk|3|Startup folder|on|") + kStartupPath +
                      "|\"C:\\Program Files\\Sync\\sync.exe\" --tray",
                  std::string("run.bat|run.bat|3|Startup folder|off|") + kStartupPath + "|\"" + kStartupPath +
                      "\\run.bat\"",
                  std::string("Nag|Nag.lnk|1|Startup folder|on|") + kUserOffPath + "|C:\\nag.exe",
              }));
}

TEST(FolderCollection, OnlyTheChangedKeysAreReadAgainAndABanKeyTakesQuorvelsFolderOfItsRootWithIt) {
    FakeRegistre registry;
    FakeStartupFolders folders;
    registry.SetString(kLocalMachine, kRunPath, "Tool", "tool.exe");
    registry.SetString(kCurrentUser, kRunPath, "Sync", "sync.exe");
    folders.PutShortcut(kUser, "Mail.lnk", "C:\\mail.exe", "");
    folders.PutShortcut(kUserOff, "Nag.lnk", "C:\\nag.exe", "");
    EntryTable entries;
    CollectEntries(registry, folders, entries);

    registry.SetString(kCurrentUser, kRunPath, "Late", "late.exe");
    registry.SetString(kCurrentUser, kBanPath, "Nag", "C:\\nag.exe");
    registry.SetString(kLocalMachine, kRunPath, "Unseen", "unseen.exe");  // no notification said so
    const int lists = registry.counters.lists;
    CollectSources(
        registry, folders, entries,
        SourceSet().set(SourceOfKey(kCurrentUser, kRunPath)).set(SourceOfKey(kCurrentUser, kBanPath)));
    EXPECT_EQ(registry.counters.lists - lists, 2);
    EXPECT_EQ(Described(entries),
              (std::vector<std::string>{
                  "Tool||3|Machine|on||tool.exe",
                  "Sync||3|User|on||sync.exe",
                  "Late||3|User|on||late.exe",
                  std::string("Mail|Mail.lnk|3|Startup folder|on|") + kStartupPath + "|C:\\mail.exe",
                  std::string("Nag|Nag.lnk|1|Startup folder|on|") + kUserOffPath + "|C:\\nag.exe",
              }));
    // Nothing else changed: the same table a full collection gives.
    registry.DeleteValue(kLocalMachine, kRunPath, "Unseen");
    EntryTable full;
    CollectEntries(registry, folders, full);
    EXPECT_EQ(entries, full);
}

TEST(FolderBans, OneListOfBansDeletesReturningItemsForGoodAndLeavesKeptOnesAlone) {
    FakeRegistre registry;
    FakeStartupFolders folders;
    registry.SetString(kLocalMachine32, kBanPath, "Evil", "e.exe");
    folders.PutShortcut(kUser, "EVIL.lnk", "C:\\evil.exe", "");
    folders.Put(kUser, "evil", "a file without extension goes by the same name");
    folders.PutShortcut(kAllUsers, "evil.lnk", "C:\\evil.exe", "");
    folders.PutShortcut(kUserOff, "Evil.lnk", "C:\\evil.exe", "");
    // A banned item's ban deletes a value of its name as any ban does.
    folders.PutShortcut(kUserOff, "Nag.lnk", "C:\\nag.exe", "");
    registry.SetString(kCurrentUser, kBanPath, "Nag", "C:\\nag.exe");
    registry.SetString(kLocalMachine, kRunPath, "nag", "C:\\nag.exe");
    folders.SetRefusal([](const FolderChange& c) { return c.folder == kAllUsers; });

    EntryTable entries;
    CollectEntries(registry, folders, entries);
    const BanPass pass = EnforceBans(registry, folders, entries);
    EXPECT_EQ(pass.deleted.size(), 3u);
    ASSERT_EQ(pass.refused.size(), 1u);
    EXPECT_EQ(pass.refused[0].entry.FileName, "evil.lnk");
    EXPECT_EQ(pass.refused[0].reason, "Access is denied.");
    EXPECT_TRUE(folders.Names(kUser).empty());
    EXPECT_TRUE(folders.recycled.empty());
    EXPECT_EQ(folders.Names(kUserOff), (std::vector<std::string>{"Evil.lnk", "Nag.lnk"}));
    EXPECT_FALSE(registry.GetRaw(kLocalMachine, kRunPath, "nag"));
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kBanPath, "Nag"));
}

class FolderActions : public ::testing::Test {
  protected:
    void SetUp() override {
        p.form.Form_Load("");
        p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
    }
    void Refresh() { p.form.OnCommand(Command::kRefresha); }
    void Choose(EntryAction action, RootKey root, std::string_view file, std::int16_t state) {
        p.Choose(action, {root, MakeKey(file, state)});
    }
    std::optional<std::string> Ban(RootKey root, std::string_view name) {
        const std::string text = p.registry.ReadStringValue(root, kBanPath, name);
        return text.empty() ? std::nullopt : std::optional<std::string>(text);
    }
    Program p;
};

TEST_F(FolderActions, EveryMoveFromEveryStateMovesTheSameFileAndWritesOrTakesAwayItsBan) {
    const std::pair<EntryAction, std::int16_t> moves[] = {{EntryAction::kEnable, kStateEnabled},
                                                          {EntryAction::kDisable, kStateDisabled},
                                                          {EntryAction::kBan, kStateBanned}};
    for (const std::int16_t from : {kStateBanned, kStateDisabled, kStateEnabled}) {
        for (const auto& [action, to] : moves) {
            const std::string name = "App" + std::to_string(from) + std::to_string(to);
            const std::string file = name + ".lnk";
            p.folders.PutShortcut(from == kStateEnabled ? kUser : kUserOff, file, "C:\\app.exe", "/min");
            if (from == kStateBanned) p.Seed(kCurrentUser, kBanPath, name, "C:\\app.exe /min");
            const FakeItem item = *p.folders.Find(from == kStateEnabled ? kUser : kUserOff, file);
            Refresh();
            Choose(action, kUserStartupFolder, file, from);
            const Folder where = to == kStateEnabled ? kUser : kUserOff;
            ASSERT_TRUE(p.folders.Find(where, file)) << from << "->" << to;
            EXPECT_EQ(*p.folders.Find(where, file), item);
            EXPECT_FALSE(p.folders.Find(to == kStateEnabled ? kUserOff : kUser, file)) << from << "->" << to;
            EXPECT_EQ(Ban(kCurrentUser, name),
                      to == kStateBanned ? std::optional<std::string>("C:\\app.exe /min") : std::nullopt)
                << from << "->" << to;
            EXPECT_TRUE(p.boxes.failures.empty()) << p.boxes.failures.front();
        }
    }
    // Enable also switches Windows' own record on.
    p.registry.SetRaw(kCurrentUser, kApprovals, "App33.lnk",
                      RawValue{kRegBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    Refresh();
    Choose(EntryAction::kEnable, kUserStartupFolder, "App33.lnk", kStateEnabled);
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kApprovals, "App33.lnk"),
              (RawValue{kRegBinary, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST_F(FolderActions, AMoveOntoAnItemOfTheSameNameAsksAndNoKeepsBoth) {
    p.folders.PutShortcut(kUser, "Tool.lnk", "C:\\new.exe", "");
    p.folders.PutShortcut(kUserOff, "TOOL.lnk", "C:\\old.exe", "");
    Refresh();
    p.boxes.answers = {false};
    Choose(EntryAction::kDisable, kUserStartupFolder, "Tool.lnk", kStateEnabled);
    ASSERT_EQ(p.boxes.questions.size(), 1u);
    EXPECT_EQ(p.boxes.questions[0].text,
              std::string(kUserOffPath) +
                  " already holds an item named \"Tool.lnk\":\n\n    C:\\old.exe\n\nReplace it "
                  "with \"Tool.lnk\" from " +
                  kStartupPath + ":\n\n    C:\\new.exe\n\nNo leaves both items as they are.");
    EXPECT_EQ(p.folders.Find(kUser, "Tool.lnk")->target, "C:\\new.exe");
    EXPECT_EQ(p.folders.Find(kUserOff, "Tool.lnk")->target, "C:\\old.exe");

    p.boxes.answers = {true};
    Choose(EntryAction::kDisable, kUserStartupFolder, "Tool.lnk", kStateEnabled);
    EXPECT_FALSE(p.folders.Find(kUser, "Tool.lnk"));
    EXPECT_EQ(p.folders.Find(kUserOff, "Tool.lnk")->target, "C:\\new.exe");
}

TEST_F(FolderActions, ARefusedStepLeavesTheItemAsItWasAndAllUsersChangesOfferTheAdministrator) {
    // Enabled under a ban that stands in another key, the item would be deleted for good at once.
    p.folders.PutShortcut(kUserOff, "Nag.lnk", "C:\\nag.exe", "");
    p.Seed(kLocalMachine, kBanPath, "nag", "C:\\nag.exe");
    Refresh();
    Choose(EntryAction::kEnable, kUserStartupFolder, "Nag.lnk", kStateDisabled);
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(
        p.boxes.failures[0].find("A ban on \"Nag\" stands in "
                                 "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Ban-"),
        std::string::npos)
        << p.boxes.failures[0];
    EXPECT_TRUE(p.folders.Find(kUserOff, "Nag.lnk"));

    // A ban the registry refuses puts the item back into its Startup folder.
    p.folders.PutShortcut(kUser, "Tool.lnk", "C:\\tool.exe", "");
    Refresh();
    p.registry.SetRefusal([](const Change& c) { return c.path == kBanPath; });
    Choose(EntryAction::kBan, kUserStartupFolder, "Tool.lnk", kStateEnabled);
    EXPECT_EQ(p.boxes.failures.size(), 2u);
    EXPECT_TRUE(p.folders.Find(kUser, "Tool.lnk"));

    // A banned item that cannot move back keeps its ban.
    p.registry.SetRefusal({});
    p.folders.PutShortcut(kUserOff, "Chat.lnk", "C:\\chat.exe", "");
    p.Seed(kCurrentUser, kBanPath, "Chat", "C:\\chat.exe");
    Refresh();
    p.folders.RefuseChangesIn(kUser);
    Choose(EntryAction::kEnable, kUserStartupFolder, "Chat.lnk", kStateBanned);
    EXPECT_EQ(p.boxes.failures.size(), 3u);
    EXPECT_EQ(Ban(kCurrentUser, "Chat"), "C:\\chat.exe");
    EXPECT_TRUE(p.folders.Find(kUserOff, "Chat.lnk"));

    // The folder of all users needs an administrator, and says so.
    p.folders.PutShortcut(kAllUsers, "Backup.lnk", "C:\\backup.exe", "");
    Refresh();
    p.folders.RefuseChangesIn(kAllUsersOff);
    p.boxes.answers = {true};
    Choose(EntryAction::kDisable, kAllUsersStartupFolder, "Backup.lnk", kStateEnabled);
    ASSERT_FALSE(p.boxes.questions.empty());
    EXPECT_NE(p.boxes.questions.back().text.find(
                  "of the Startup folder of all users.\n\nAccess is denied.\n\nItems "
                  "of the Startup folder of all users start for every user"),
              std::string::npos)
        << p.boxes.questions.back().text;
    EXPECT_EQ(p.process.restarts, 1);
}

TEST_F(FolderActions, DeleteRecyclesTheItemWithItsBanAndExecuteOpensTheFile) {
    p.folders.PutShortcut(kUserOff, "Nag.lnk", "C:\\nag.exe", "-q");
    p.Seed(kCurrentUser, kBanPath, "Nag", "C:\\nag.exe -q");
    p.folders.PutShortcut(kUser, "Sync.lnk", "C:\\sync.exe", "");
    Refresh();
    Choose(EntryAction::kDelete, kUserStartupFolder, "Nag.lnk", kStateBanned);
    ASSERT_EQ(p.folders.recycled.size(), 1u);
    EXPECT_EQ(p.folders.recycled[0].file_name, "Nag.lnk");
    EXPECT_EQ(Ban(kCurrentUser, "Nag"), std::nullopt);

    Choose(EntryAction::kExecute, kUserStartupFolder, "Sync.lnk", kStateEnabled);
    EXPECT_EQ(p.launcher.started,
              (std::vector<FakeLauncher::Start>{
                  {"open", std::string(kStartupPath) + "\\Sync.lnk", ShowCommand::kNormal}}));
}

TEST_F(FolderActions, AnUnreadableFolderIsToldOnceAndOnlyWhileTheWindowIsShown) {
    p.folders.unreadable = kAllUsersOff;
    p.form.Form_QueryUnload();
    p.form.Timer1_Timer();
    EXPECT_TRUE(p.boxes.failures.empty());
    p.form.OnCommand(Command::kShowa);
    p.form.Timer1_Timer();
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_EQ(p.boxes.failures[0],
              "Quorvel cannot list the startup items in \"C:\\ProgramData\\Quorvel\\Disabled Startup\", and "
              "does not "
              "show them.\n\nAccess is denied.");
}

}  // namespace
}  // namespace quorvel::testing
