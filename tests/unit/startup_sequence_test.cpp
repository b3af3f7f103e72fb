// The start-up sequence, closing, and the end of the program.

#include "program_fixture.h"

namespace quorvel::testing {
namespace {

TEST(StartupSequence, RegistersQuotedAtLogonCreatesTheSiblingKeysAndShowsTheWindow) {
    Program p;
    EXPECT_EQ(p.form.Form_Load(""), StartOutcome::kShown);

    EXPECT_EQ(p.registry.ReadStringValue(kLocalMachine, kRunPath, "Quorvel"),
              "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto");
    for (RootKey root : {kLocalMachine, kCurrentUser}) {
        EXPECT_TRUE(p.registry.KeyExists(root, kRunDisabledPath));
        EXPECT_TRUE(p.registry.KeyExists(root, kBanPath));
    }
    // The Run key of the user is not created, only written to when something is enabled there.
    EXPECT_FALSE(p.registry.KeyExists(kCurrentUser, kRunPath));
    EXPECT_TRUE(p.window.images_bound);
    EXPECT_TRUE(p.popups.bitmaps_given);
    EXPECT_TRUE(p.window.visible);
    EXPECT_FALSE(p.tray.shown);
    // The program's own value is collected like any other entry.
    EXPECT_EQ(p.view.Names(), std::vector<std::string>{"Quorvel"});
}

// Started as an administrator from Ann's downloads, with the machine's value as an earlier start left it.
void StartFromDownloads(Program& p, std::string_view machine_value) {
    p.process.elevated = true;
    p.process.folder = "C:\\Users\\Ann\\Downloads";
    p.files.open_to_users.insert("C:\\Users\\Ann");
    p.Seed(kLocalMachine, kRunPath, "Quorvel", machine_value);
    p.form.Form_Load("");
}

TEST(StartupSequence, AsAdministratorFromAFolderUsersCanChangeItRegistersForTheUserAlone) {
    // The value an earlier start from there wrote for every user, in the older unquoted form, goes.
    Program p;
    StartFromDownloads(p, "C:\\users\\ann\\downloads\\Quorvel.exe -auto");
    EXPECT_FALSE(p.Has(kLocalMachine, kRunPath, "Quorvel"));
    EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, kRunPath, "Quorvel"),
              "\"C:\\Users\\Ann\\Downloads\\Quorvel.exe\" -auto");

    // The machine's value for a copy that only administrators can change stays as it is.
    Program q;
    StartFromDownloads(q, "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto");
    EXPECT_EQ(q.registry.ReadStringValue(kLocalMachine, kRunPath, "Quorvel"),
              "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto");
}

TEST(StartupSequence, ASecondInstanceEndsBeforeItReadsOrWritesAnything) {
    Program p;
    p.process.another_running = true;
    EXPECT_EQ(p.form.Form_Load(""), StartOutcome::kEnded);
    EXPECT_TRUE(p.process.ended);
    EXPECT_TRUE(p.process.called_first);
    EXPECT_FALSE(p.registry.KeyExists(kLocalMachine, kRunPath));
    EXPECT_EQ(p.registry.counters.lists, 0);
    EXPECT_FALSE(p.window.visible);
    EXPECT_EQ(p.view.redraws, 0);
}

TEST(StartupSequence, WithoutRightsOnTheMachineTheUserKeysAreStillMade) {
    Program p;
    p.registry.RefuseChangesUnder(kLocalMachine);
    EXPECT_EQ(p.form.Form_Load(""), StartOutcome::kShown);
    EXPECT_FALSE(p.registry.KeyExists(kLocalMachine, kBanPath));
    EXPECT_TRUE(p.registry.KeyExists(kCurrentUser, kBanPath));
    EXPECT_TRUE(p.boxes.failures.empty());
}

TEST(StartupSequence, TheOwnBanIsEnforcedRightAfterTheRegistration) {
    Program p;
    p.Seed(kLocalMachine, kBanPath, "Quorvel", "old");
    p.form.Form_Load("");
    EXPECT_FALSE(p.Has(kLocalMachine, kRunPath, "Quorvel"));
    EXPECT_TRUE(p.Has(kLocalMachine, kBanPath, "Quorvel"));
}

TEST(StartupSequence, AnAutomaticStartStaysHiddenInTheNotificationArea) {
    Program p;
    EXPECT_EQ(p.form.Form_Load("-auto"), StartOutcome::kHidden);
    EXPECT_FALSE(p.window.visible);
    EXPECT_TRUE(p.tray.shown);
    EXPECT_TRUE(p.popups.bitmaps_given);
    EXPECT_FALSE(p.process.ended);
}

TEST(StartupSequence, AnAutomaticStartEndsAfterCleaningWhenAskedToAndLeavesNoIcon) {
    Program p;
    p.options.checked[Option::kExitAfterCleaning] = true;
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kLocalMachine, kRunPath, "Nag", "nag.exe");
    EXPECT_EQ(p.form.Form_Load("-auto"), StartOutcome::kEnded);
    EXPECT_TRUE(p.process.ended);
    EXPECT_FALSE(p.Has(kLocalMachine, kRunPath, "Nag"));
    EXPECT_FALSE(p.tray.shown);
    EXPECT_FALSE(p.window.visible);
    EXPECT_FALSE(p.popups.bitmaps_given);
}

TEST(StartupSequence, ExitAfterCleaningMattersOnlyToAnAutomaticStart) {
    for (const char* arguments : {"", "-AUTO", "-auto ", "-auto x", " -auto"}) {
        Program p;
        p.options.checked[Option::kExitAfterCleaning] = true;
        EXPECT_EQ(p.form.Form_Load(arguments), StartOutcome::kShown) << '"' << arguments << '"';
        EXPECT_FALSE(p.process.ended);
    }
}

TEST(MainWindow, ClosingHidesIntoTheNotificationAreaAndExitEndsAtOnce) {
    Program p;
    p.form.Form_Load("");
    p.form.Form_QueryUnload();
    EXPECT_FALSE(p.window.visible);
    EXPECT_TRUE(p.tray.shown);
    EXPECT_FALSE(p.process.ended);

    p.form.OnCommand(Command::kExit);
    EXPECT_TRUE(p.process.ended);
    EXPECT_FALSE(p.tray.shown);
}

TEST(MainWindow, ToolAndHelpCommands) {
    Program p;
    p.form.Form_Load("");
    const int redraws = p.view.redraws;
    p.form.OnCommand(Command::kDocument);
    EXPECT_EQ(p.view.redraws, redraws);
    EXPECT_EQ(p.about.shown, 0);
    p.form.OnCommand(Command::kAbout);
    p.form.OnCommand(Command::kAbout);
    EXPECT_EQ(p.about.shown, 2);

    p.form.OnCommand(Command::kRegedit);
    p.form.OnCommand(Command::kWebSite);
    ASSERT_EQ(p.launcher.started.size(), 2u);
    EXPECT_EQ(p.launcher.started[0].how, "registry editor");
    EXPECT_EQ(p.launcher.started[1].how, "open");
    // Run as an administrator, the web page opens in the desktop user's browser, not in an elevated one.
    p.process.elevated = true;
    p.form.OnCommand(Command::kWebSite);
    EXPECT_EQ(p.launcher.started.back().how, "open as desktop user");
}

}  // namespace
}  // namespace quorvel::testing
