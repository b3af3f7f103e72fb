#include <gtest/gtest.h>

#include "app/live_watch.h"
#include "fakes/fake_registre.h"

namespace quorvel {
namespace {

TEST(CleaningScheduler, ABurstOfChangesBecomesOnePass) {
    CleaningScheduler scheduler;
    EXPECT_TRUE(scheduler.Changed());
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(scheduler.Changed());
    scheduler.Settled();
    ASSERT_TRUE(scheduler.BeginPass());
    EXPECT_FALSE(scheduler.EndPass());
    // Quiet afterwards: the next change starts a new settling time.
    EXPECT_TRUE(scheduler.Changed());
}

TEST(CleaningScheduler, APassNeverRunsInsideAnotherButChangesMeanwhileGetOneMore) {
    CleaningScheduler scheduler;
    ASSERT_TRUE(scheduler.BeginPass());
    EXPECT_FALSE(scheduler.BeginPass());  // a tick dispatched while the pass lets events run
    EXPECT_FALSE(scheduler.Changed());    // the pass's own deletions
    EXPECT_FALSE(scheduler.Changed());
    EXPECT_TRUE(scheduler.EndPass());  // exactly one more, after settling
    scheduler.Settled();
    ASSERT_TRUE(scheduler.BeginPass());
    // That pass deleted nothing, so nothing changed: the chain ends here.
    EXPECT_FALSE(scheduler.EndPass());
}

TEST(CleaningScheduler, ChangesWhileSettlingDoNotAskForAnExtraPass) {
    CleaningScheduler scheduler;
    EXPECT_TRUE(scheduler.Changed());
    EXPECT_FALSE(scheduler.Changed());
    scheduler.Settled();
    ASSERT_TRUE(scheduler.BeginPass());
    EXPECT_FALSE(scheduler.EndPass());
}

TEST(NewcomerWatch, OnlyEntriesNewToARunKeyAndNotWrittenByUsAreNews) {
    testing::FakeRegistre registry;
    NewcomerWatch watch(registry);
    // Tables in the order a collection gives: the machine's keys first, each root's Run, Run-, Ban-.
    EntryTable table{MakeEntry("Old", "old.exe", kStateEnabled, kCurrentUser),
                     MakeEntry("Off", "off.exe", kStateDisabled, kCurrentUser)};
    EXPECT_TRUE(watch.Newcomers(table).empty());  // the first collection only learns

    table = {MakeEntry("Old", "twin.exe", kStateEnabled, kLocalMachine),
             MakeEntry("Old", "old.exe", kStateEnabled, kCurrentUser),
             MakeEntry("New", "new.exe", kStateEnabled, kCurrentUser),
             MakeEntry("Mine", "mine.exe", kStateEnabled, kCurrentUser),
             MakeEntry("Off", "off.exe", kStateDisabled, kCurrentUser),
             MakeEntry("Banned", "b.exe", kStateBanned, kCurrentUser)};
    watch.ExpectOwnWrite(kCurrentUser, "Mine");
    const std::vector<StartupEntry> news = watch.Newcomers(table);
    ASSERT_EQ(news.size(), 2u);
    EXPECT_EQ(news[0].Root, kLocalMachine);
    EXPECT_EQ(news[1].Name, "New");
    EXPECT_TRUE(watch.Newcomers(table).empty());

    // Gone and back again is news again.
    table.erase(table.begin() + 2);
    EXPECT_TRUE(watch.Newcomers(table).empty());
    table.insert(table.begin() + 2, MakeEntry("New", "new.exe", kStateEnabled, kCurrentUser));
    EXPECT_EQ(watch.Newcomers(table).size(), 1u);
}

}  // namespace
}  // namespace quorvel
