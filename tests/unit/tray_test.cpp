// The notification-area icon: shown exactly while the window is hidden, and its menu.

#include "program_fixture.h"

namespace quorvel::testing {
namespace {

TEST(Tray, ShowBringsTheWindowBackRemovesTheIconThenCleansAndCollects) {
    Program p;
    p.form.Form_Load("-auto");
    ASSERT_TRUE(p.tray.shown);
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    // What the user sees first is the list of the last collection, with the icon already gone.
    bool icon_gone_before_cleaning = false;
    p.events.pending = [&] { icon_gone_before_cleaning = p.window.visible && !p.tray.shown; };
    p.popups.tray_choice = TrayChoice::kShow;
    p.form.TaskbarIcon_MouseUp();
    EXPECT_TRUE(icon_gone_before_cleaning);
    EXPECT_TRUE(p.window.visible);
    EXPECT_FALSE(p.tray.shown);
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Nag"));
    EXPECT_EQ(p.view.Names(), std::vector<std::string>{"Quorvel"});
}

TEST(Tray, IconShownExactlyWhileHiddenAndNeverTwice) {
    Program p;
    p.form.Form_Load("");
    EXPECT_FALSE(p.tray.shown);
    p.popups.tray_choice = TrayChoice::kShow;
    for (int round = 0; round < 3; ++round) {
        p.form.Form_QueryUnload();
        EXPECT_FALSE(p.window.visible);
        EXPECT_TRUE(p.tray.shown);
        p.form.Form_QueryUnload();  // a second close request while hidden changes nothing
        p.form.TaskbarIcon_MouseUp();
        EXPECT_TRUE(p.window.visible);
        EXPECT_FALSE(p.tray.shown);
    }
}

TEST(Tray, ExitEndsAtOnceWithoutSavingAndNoChoiceDoesNothing) {
    Program p;
    p.form.Form_Load("-auto");
    const int writes = p.files.writes;
    p.popups.tray_choice = TrayChoice::kNone;
    p.form.TaskbarIcon_MouseUp();
    EXPECT_FALSE(p.process.ended);
    EXPECT_FALSE(p.window.visible);

    p.popups.tray_choice = TrayChoice::kExit;
    p.form.TaskbarIcon_MouseUp();
    EXPECT_TRUE(p.process.ended);
    EXPECT_FALSE(p.tray.shown);
    EXPECT_EQ(p.files.writes, writes);
}

TEST(Tray, ARefusedIconIsTriedAgainAndAddedOnceTheShellTakesIt) {
    Program p;
    p.tray.refused_adds = 2;
    p.form.Form_Load("-auto");
    EXPECT_FALSE(p.tray.shown);
    EXPECT_EQ(p.window.tray_timers, 1);
    p.form.Tray_Timer();
    EXPECT_FALSE(p.tray.shown);
    p.form.Tray_Timer();
    EXPECT_TRUE(p.tray.shown);
    // Shown, it asks for no more tries; a tick of the old timer changes nothing.
    EXPECT_EQ(p.window.tray_timers, 2);
    p.form.Tray_Timer();
    EXPECT_EQ(p.window.tray_timers, 2);

    // A new taskbar has forgotten the icon: it is added again, and tried again when refused.
    p.tray.refused_adds = 1;
    p.form.Taskbar_Created();
    EXPECT_FALSE(p.tray.shown);
    p.form.Tray_Timer();
    EXPECT_TRUE(p.tray.shown);

    // A shown window wants no icon, whatever the taskbar does.
    p.popups.tray_choice = TrayChoice::kShow;
    p.form.TaskbarIcon_MouseUp();
    p.form.Taskbar_Created();
    EXPECT_FALSE(p.tray.shown);
}

TEST(Tray, TriesAreBoundedAndASecondStartBringsBackAProgramWithoutItsIcon) {
    Program p;
    p.tray.refused_adds = 1000;
    p.form.Form_Load("-auto");
    for (int tick = 0; tick < 100; ++tick)
        p.form.Tray_Timer();
    EXPECT_LT(p.window.tray_timers, 100);
    EXPECT_FALSE(p.tray.shown);
    EXPECT_FALSE(p.window.visible);

    // A second logon start is nobody asking for the window.
    p.form.Second_Start(true);
    EXPECT_FALSE(p.window.visible);
    p.form.Second_Start(false);
    EXPECT_TRUE(p.window.visible);
    // With its icon, a hidden program stays hidden when started again: the icon is the way back.
    Program q;
    q.form.Form_Load("-auto");
    q.form.Second_Start(false);
    EXPECT_FALSE(q.window.visible);
}

}  // namespace
}  // namespace quorvel::testing
