#include <gtest/gtest.h>

#include "store/startup_entry.h"

namespace quorvel {
namespace {

TEST(StartupEntry, KeyStateWordAndPathFollowTheState) {
    const StartupEntry banned = MakeEntry("Updater", "u.exe", kStateBanned, kCurrentUser);
    EXPECT_EQ(banned.Key, "Updater-1");
    EXPECT_EQ(StateWord(banned.State), "Ban");
    EXPECT_EQ(PathOfState(banned.State), kBanPath);
    EXPECT_EQ(MakeKey("x", kStateDisabled), "x-2");
    EXPECT_EQ(MakeKey("", kStateEnabled), "-3");
    EXPECT_EQ(StateWord(7), "");
    EXPECT_EQ(PathOfState(0), "");
}

TEST(StartupEntry, RootsKeepTheValuesThatSavedListsStore) {
    EXPECT_EQ(kLocalMachine, -2147483646);
    EXPECT_EQ(kCurrentUser, -2147483647);
}

TEST(StartupEntry, TwinsUnderBothRootsShareAKeyButNotAnIdentity) {
    const EntryTable table{MakeEntry("Tool", "a.exe", kStateEnabled, kLocalMachine),
                           MakeEntry("Tool", "b.exe", kStateEnabled, kCurrentUser)};
    ASSERT_EQ(table[0].Key, table[1].Key);
    EXPECT_EQ(FindEntry(table, table[0].Identity())->Command, "a.exe");
    EXPECT_EQ(FindEntry(table, table[1].Identity())->Command, "b.exe");
    EXPECT_EQ(FindEntry(table, {kLocalMachine, "Tool-2"}), nullptr);
}

TEST(StartupEntry, TheLastOfRepeatedIdentitiesWins) {
    const EntryTable table{MakeEntry("x", "first", kStateEnabled, kCurrentUser),
                           MakeEntry("x", "second", kStateEnabled, kCurrentUser)};
    EXPECT_EQ(FindEntry(table, {kCurrentUser, "x-3"})->Command, "second");
}

}  // namespace
}  // namespace quorvel
