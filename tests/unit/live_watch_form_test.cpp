// The main window's side of the live watch: passes on registry changes, and announcements.

#include "program_fixture.h"

namespace quorvel::testing {
namespace {

TEST(LiveWatch, AChangeSettlesThenCleansOnceAndATickInsideThePassIsNoSecondPass) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    p.form.Registry_Change();
    p.form.Registry_Change();
    EXPECT_EQ(p.window.settle_timers, 1);

    int nested_passes = 0;
    p.events.pending = [&] {
        const int lists = p.registry.counters.lists;
        p.form.Timer1_Timer();
        nested_passes += p.registry.counters.lists > lists ? 1 : 0;
        p.form.Registry_Change();  // the pass's own deletion, as the watcher reports it
    };
    p.form.Settle_Timer();
    EXPECT_EQ(nested_passes, 0);
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Nag"));
    // Changes during the pass bring exactly one more pass, which changes nothing.
    EXPECT_EQ(p.window.settle_timers, 2);
    p.events.pending = nullptr;
    const int deletes = p.registry.counters.deletes;
    p.form.Settle_Timer();
    EXPECT_EQ(p.registry.counters.deletes, deletes);
    EXPECT_EQ(p.window.settle_timers, 2);
}

TEST(LiveWatch, ANotifiedKeyIsReadAloneOnlyItsRowsAreReplacedAndTheBansOfUnreadKeysStillHold) {
    Program p;
    p.Seed(kLocalMachine, kBanPath, "Evil", "evil.exe");
    p.Seed(kLocalMachine, kRunPath, "Tool", "tool.exe");
    p.Seed(kCurrentUser, kRunPath, "Sync", "sync.exe");
    p.form.Form_Load("");
    const int redraws = p.view.redraws;
    p.Seed(kCurrentUser, kRunPath, "EVIL", "evil.exe");
    p.Seed(kCurrentUser, kRunPath, "Late", "late.exe");
    const int lists = p.registry.counters.lists;
    p.form.Registry_Change(SourceSet().set(SourceOfKey(kCurrentUser, kRunPath)));
    p.form.Settle_Timer();
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "EVIL"));
    // The key once, and once more after the deletion.
    EXPECT_EQ(p.registry.counters.lists - lists, 2);
    EXPECT_EQ(p.view.redraws, redraws);
    for (const ListRow& row : p.view.replaced)
        EXPECT_EQ(row.identity.root, kCurrentUser) << row.name;
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"Late", "Sync", "Quorvel", "Tool"}));
}

TEST(LiveWatch, OwnDeletionsAreReadBackOnceAndAValueWrittenBackMeanwhileAsksForAnotherPass) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    // Written back by a program that watches its value, before Quorvel has read the keys again.
    p.events.pending = [&] { p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe"); };
    const int settle_timers = p.window.settle_timers;
    p.form.Timer1_Timer();
    EXPECT_EQ(p.window.settle_timers, settle_timers + 1);
    p.events.pending = nullptr;
    p.form.Settle_Timer();
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Nag"));
    EXPECT_EQ(p.window.settle_timers, settle_timers + 1);

    // A deletion the system refuses is no reason for another pass: it stays until a later one.
    p.Seed(kLocalMachine, kRunPath, "Nag", "nag.exe");
    p.registry.RefuseChangesUnder(kLocalMachine);
    p.form.Timer1_Timer();
    EXPECT_TRUE(p.Has(kLocalMachine, kRunPath, "Nag"));
    EXPECT_EQ(p.window.settle_timers, settle_timers + 1);
}

TEST(LiveWatch, ABannedValueTheSystemKeepsStaysListedForTheNextPassBesideOnesDeleted) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    p.Seed(kLocalMachine, kRunPath, "NAG", "nag.exe");
    p.registry.RefuseChangesUnder(kLocalMachine);
    const int settle_timers = p.window.settle_timers;
    p.form.Timer1_Timer();
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Nag"));
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"NAG", "Quorvel"}));
    EXPECT_EQ(p.window.settle_timers, settle_timers);

    p.registry.SetRefusal(nullptr);
    p.form.Timer1_Timer();
    EXPECT_EQ(p.view.Names(), std::vector<std::string>{"Quorvel"});
}

TEST(LiveWatch, AValueNoDeletionRemovesIsTriedOnceMorePerEventAndNeverInALoop) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    // Back after every deletion, before the watch is armed again: no notification tells of it.
    p.events.pending = [&] { p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe"); };
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    for (const bool tick : {true, false}) {
        const int settle_timers = p.window.settle_timers;
        if (tick) {
            p.form.Timer1_Timer();
        } else {
            p.form.Registry_Change();
            p.form.Settle_Timer();
        }
        // One more pass is asked for, and that pass asks for none: the next event or tick tries again.
        EXPECT_EQ(p.window.settle_timers, settle_timers + (tick ? 1 : 2));
        const int deletes = p.registry.counters.deletes;
        p.form.Settle_Timer();
        EXPECT_EQ(p.registry.counters.deletes, deletes + 1);
        EXPECT_EQ(p.window.settle_timers, settle_timers + (tick ? 1 : 2));
    }
}

TEST(LiveWatch, WhileHiddenANewEntryIsAnnouncedButNotOursNorABannedOne) {
    Program p;
    p.form.Form_Load("-auto");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.form.Timer1_Timer();
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    p.Seed(kLocalMachine, kRunPath, "Updater", "C:\\upd\\upd.exe /silent");
    p.form.Registry_Change();
    p.form.Settle_Timer();
    EXPECT_EQ(p.tray.announcements,
              std::vector<std::string>{"New startup entry: Updater: C:\\upd\\upd.exe /silent"});
    // Seen once is no news the next time.
    p.form.Timer1_Timer();
    EXPECT_EQ(p.tray.announcements.size(), 1u);

    p.Seed(kCurrentUser, kRunPath, "A", "a.exe");
    p.Seed(kCurrentUser, kRunPath, "B", "b.exe");
    p.form.Timer1_Timer();
    EXPECT_EQ(p.tray.announcements.back(), "2 new startup entries: A, B");

    // Clicking the balloon shows the window.
    p.form.Balloon_Click();
    EXPECT_TRUE(p.window.visible);
    EXPECT_FALSE(p.tray.shown);
}

TEST(LiveWatch, WhileVisibleTheListShowsNewcomersAndNothingIsAnnounced) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kRunPath, "Fresh", "fresh.exe");
    p.form.Registry_Change();
    p.form.Settle_Timer();
    EXPECT_TRUE(p.tray.announcements.empty());
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"Fresh", "Quorvel"}));
    // An entry the user enables is no news once the window is hidden either.
    p.Seed(kCurrentUser, kRunDisabledPath, "Mine", "mine.exe");
    p.form.Timer1_Timer();
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Mine-2"});
    p.form.Form_QueryUnload();
    p.form.Timer1_Timer();
    EXPECT_TRUE(p.tray.announcements.empty());
}

}  // namespace
}  // namespace quorvel::testing
