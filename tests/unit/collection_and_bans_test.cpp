// Collection of the six keys, what the list shows, and ban enforcement.

#include "fakes/utf16.h"
#include "listview/draw_list.h"
#include "listview/list_colours.h"
#include "program_fixture.h"
#include "store/ban_enforcement.h"
#include "store/collection.h"

namespace quorvel::testing {
namespace {

class Collection : public ::testing::Test {
  protected:
    FakeRegistre registry;
    EntryTable entries;
};

TEST_F(Collection, FillsTheTableFromTheKeysInTheirOrder) {
    registry.SetString(kCurrentUser, kBanPath, "cu-ban", "6");
    registry.SetString(kCurrentUser, kRunDisabledPath, "cu-off", "5");
    registry.SetString(kCurrentUser, kRunPath, "cu-run", "4");
    registry.SetString(kLocalMachine32, kRunPath, "wow-run", "32");
    registry.SetString(kLocalMachine, kBanPath, "lm-ban", "3");
    registry.SetString(kLocalMachine, kRunDisabledPath, "lm-off", "2");
    registry.SetString(kLocalMachine, kRunPath, "lm-run-a", "1a");
    registry.SetString(kLocalMachine, kRunPath, "lm-run-b", "1b");

    CollectEntries(registry, entries);
    EXPECT_EQ(entries, (EntryTable{MakeEntry("lm-run-a", "1a", kStateEnabled, kLocalMachine),
                                   MakeEntry("lm-run-b", "1b", kStateEnabled, kLocalMachine),
                                   MakeEntry("lm-off", "2", kStateDisabled, kLocalMachine),
                                   MakeEntry("lm-ban", "3", kStateBanned, kLocalMachine),
                                   MakeEntry("wow-run", "32", kStateEnabled, kLocalMachine32),
                                   MakeEntry("cu-run", "4", kStateEnabled, kCurrentUser),
                                   MakeEntry("cu-off", "5", kStateDisabled, kCurrentUser),
                                   MakeEntry("cu-ban", "6", kStateBanned, kCurrentUser)}));
    // One pass per key, no value read on its own.
    EXPECT_EQ(registry.counters.lists, 9);
    EXPECT_EQ(registry.counters.reads, 0);

    // Where Windows is 32-bit, there is no such view to read.
    registry.has_32bit_view = false;
    CollectEntries(registry, entries);
    EXPECT_EQ(entries.size(), 7u);
    EXPECT_EQ(registry.counters.lists, 15);
}

TEST_F(Collection, MissingKeysEmptyDataAndOtherTypes) {
    registry.SetRaw(kCurrentUser, kRunPath, "empty", RawValue{kRegSz, {}});
    registry.SetRaw(kCurrentUser, kRunPath, "expand",
                    RawValue{kRegExpandSz, StringData("%SystemRoot%\\a.exe")});
    registry.SetRaw(kCurrentUser, kRunPath, "dword", RawValue{kRegDword, {1, 0, 0, 0}});
    registry.SetString(kCurrentUser, kRunPath, "Ünïcødé 日本 entry", "C:\\prix €.exe");
    entries.push_back(MakeEntry("stale", "from before", kStateEnabled, kLocalMachine));

    CollectEntries(registry, entries);
    EXPECT_EQ(
        entries,
        (EntryTable{MakeEntry("expand", "%SystemRoot%\\a.exe", kStateEnabled, kCurrentUser, kRegExpandSz),
                    MakeEntry("dword", "", kStateEnabled, kCurrentUser, kRegDword),
                    MakeEntry("Ünïcødé 日本 entry", "C:\\prix €.exe", kStateEnabled, kCurrentUser)}));
    // The value without data stays where it is, untouched.
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kRunPath, "empty").has_value());

    FakeRegistre nothing;
    CollectEntries(nothing, entries);
    EXPECT_TRUE(entries.empty());
}

TEST_F(Collection, ARecordWithoutBytesSwitchesNothingOff) {
    registry.SetString(kCurrentUser, kRunPath, "Chat", "chat.exe");
    registry.SetRaw(kCurrentUser,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run", "Chat",
                    RawValue{kRegBinary, {}});
    CollectEntries(registry, entries);
    EXPECT_EQ(entries, EntryTable{MakeEntry("Chat", "chat.exe", kStateEnabled, kCurrentUser)});
}

TEST_F(Collection, HoldsEveryEntryHoweverMany) {
    for (int i = 0; i < 1500; ++i)
        registry.SetString(kLocalMachine, kRunPath, "junk" + std::to_string(i), "x");
    registry.SetString(kCurrentUser, kBanPath, "last", "x");
    CollectEntries(registry, entries);
    ASSERT_EQ(entries.size(), 1501u);
    EXPECT_EQ(entries.back().Key, "last-1");
}

TEST(BanEnforcement, DeletesBannedNamesWhateverTheirCaseFromRunAndRunOfBothRootsOnly) {
    FakeRegistre registry;
    registry.SetString(kCurrentUser, kBanPath, "Nag", "nag.exe");
    registry.SetString(kLocalMachine, kRunDisabledPath, "Nag", "nag.exe");
    registry.SetString(kCurrentUser, kRunPath, "Nag", "nag.exe");
    registry.SetString(kCurrentUser, kRunPath, "Nag2", "other");
    // Windows starts "NAG" as it would "Nag": the registry looks names up without their case.
    registry.SetString(kLocalMachine, kRunPath, "NAG", "case variant");
    registry.SetString(kLocalMachine, kBanPath, "Crème", "creme.exe");
    registry.SetString(kLocalMachine, kRunPath, "CRÈME", "creme.exe");
    // Nothing is trimmed: a blank makes another name.
    registry.SetString(kLocalMachine, kRunPath, "Nag ", "another name");
    registry.SetString(kLocalMachine, kBanPath, "Gone", "nothing to delete");
    EntryTable entries;
    CollectEntries(registry, entries);

    EXPECT_EQ(EnforceBans(registry, entries).deleted.size(), 4u);
    EXPECT_EQ(registry.AllNames(kLocalMachine, kRunPath), std::vector<std::string>{"Nag "});
    EXPECT_TRUE(registry.AllNames(kLocalMachine, kRunDisabledPath).empty());
    EXPECT_EQ(registry.AllNames(kCurrentUser, kRunPath), std::vector<std::string>{"Nag2"});
    EXPECT_EQ(registry.AllNames(kCurrentUser, kBanPath), std::vector<std::string>{"Nag"});
    EXPECT_EQ(registry.AllNames(kLocalMachine, kBanPath), (std::vector<std::string>{"Crème", "Gone"}));
}

TEST(BanEnforcement, WithoutBansNothingIsDeletedAndRefusalsStaySilent) {
    FakeRegistre registry;
    registry.SetString(kLocalMachine, kRunPath, "A", "a");
    registry.SetString(kLocalMachine, kRunPath, "B", "b");
    registry.SetString(kCurrentUser, kBanPath, "B", "b");
    EntryTable entries;
    CollectEntries(registry, entries);
    registry.RefuseChangesUnder(kLocalMachine);
    EXPECT_EQ(EnforceBans(registry, entries).deleted.size(), 0u);
    EXPECT_EQ(registry.AllNames(kLocalMachine, kRunPath), (std::vector<std::string>{"A", "B"}));
}

TEST(BanEnforcement, ABanIsFoundAmongThousandsOfJunkValues) {
    FakeRegistre registry;
    for (int i = 0; i < 5000; ++i)
        registry.SetString(kLocalMachine, kRunPath, "junk" + std::to_string(i), "x");
    registry.SetString(kLocalMachine, kRunPath, "Nag", "nag.exe");
    registry.SetString(kCurrentUser, kBanPath, "Nag", "nag.exe");
    EntryTable entries;
    CollectEntries(registry, entries);
    EXPECT_EQ(EnforceBans(registry, entries).deleted.size(), 1u);
    EXPECT_FALSE(registry.GetRaw(kLocalMachine, kRunPath, "Nag").has_value());
    EXPECT_EQ(registry.AllNames(kLocalMachine, kRunPath).size(), 5000u);
}

std::vector<std::string> Names(const std::vector<ListRow>& rows) {
    std::vector<std::string> names;
    for (const ListRow& row : rows)
        names.push_back(row.name);
    return names;
}

TEST(DrawList, ShowsVisibleStatesInReverseTableOrderOrByName) {
    const EntryTable entries{
        MakeEntry("b", "", kStateEnabled, kLocalMachine), MakeEntry("c", "", kStateDisabled, kLocalMachine),
        MakeEntry("a", "", kStateEnabled, kCurrentUser), MakeEntry("B2", "", kStateBanned, kCurrentUser)};
    const Visibility all{true, true, true};
    EXPECT_EQ(Names(BuildRows(entries, all)), (std::vector<std::string>{"B2", "a", "c", "b"}));
    EXPECT_EQ(Names(BuildRows(entries, {true, true, false})), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(Names(BuildRows(entries, {false, false, true})), std::vector<std::string>{"B2"});
    EXPECT_TRUE(BuildRows(entries, {false, false, false}).empty());
    EXPECT_TRUE(BuildRows({}, all).empty());

    // Sorted by the list's own order, then unsorted again: the order before comes back.
    Program p;
    for (const StartupEntry& entry : entries)
        p.Seed(entry.Root, PathOfState(entry.State), entry.Name, "x");
    p.options.checked[Option::kBanVisible] = true;
    p.form.Form_Load("");
    p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
    p.form.OnCommand(Command::kRefresha);
    const std::vector<std::string> unsorted = p.view.Names();
    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"a", "b", "B2", "c"}));
    p.form.OnCommand(Command::kSortinga);
    EXPECT_EQ(p.view.Names(), unsorted);
}

TEST(DrawList, RowsCarryWordsIconsAndTheRootQualifiedIdentity) {
    const EntryTable entries{MakeEntry("Tool", "C:\\lm.exe", kStateEnabled, kLocalMachine),
                             MakeEntry("Tool", "", kStateBanned, kLocalMachine),
                             MakeEntry("Tool", "C:\\cu.exe", kStateEnabled, kCurrentUser),
                             MakeEntry("odd", "x", 7, kCurrentUser)};
    const std::vector<ListRow> rows = BuildRows(entries, {true, true, true});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].identity, (EntryIdentity{kCurrentUser, "Tool-3"}));
    EXPECT_EQ(rows[0].command, "C:\\cu.exe");
    EXPECT_EQ(rows[1].state_word, "Ban");
    EXPECT_EQ(rows[1].image, kStateBanned);
    EXPECT_EQ(rows[1].command, "");
    EXPECT_EQ(rows[2].identity, (EntryIdentity{kLocalMachine, "Tool-3"}));
    EXPECT_EQ(rows[2].state_word, "Enable");

    // What no screen shows is shown readably: a NUL as U+2400, a surrogate without its partner by number.
    const std::string hidden("Evil\0x\xED\xA0\x80", 9);
    const std::vector<ListRow> shown = BuildRows(
        {MakeEntry(hidden, "C:\\\xED\xB3\xBF.exe", kStateEnabled, kCurrentUser)}, {true, true, true});
    EXPECT_EQ(shown[0].name, "Evil\u2400x\\uD800");
    EXPECT_EQ(shown[0].command, "C:\\\\uDCFF.exe");
    EXPECT_EQ(shown[0].identity.key, hidden + "-3");
}

TEST(DrawList, TheGreyBackgroundOnlyWhileTheSystemsTextReadsOnIt) {
    constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kNavy{0, 0, 128}, kYellow{255, 255, 0};
    EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kBlack, kListGrey), 15.91, 0.01);
    EXPECT_NEAR(ContrastRatio(kWhite, kListGrey), 1.32, 0.01);
    // The usual theme: black text on the list's own grey.
    EXPECT_EQ(ChooseListColours(false, kWhite, kBlack), (ListColours{kListGrey, kBlack}));
    // White text (a dark or contrast colour scheme) would vanish on grey: the system's window colours.
    EXPECT_EQ(ChooseListColours(false, kBlack, kWhite), (ListColours{kBlack, kWhite}));
    // A contrast theme's colours are the user's, even where its text would read on grey.
    EXPECT_EQ(ChooseListColours(true, kYellow, kNavy), (ListColours{kYellow, kNavy}));
}

TEST(PeriodicCleaning, EnforcesOnAFreshTableAndShowsWhatTheDeletionsLeft) {
    Program p;
    p.form.Form_Load("");
    // Another program writes a banned name back while Quorvel runs.
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kLocalMachine, kRunPath, "Nag", "nag.exe");
    p.options.checked[Option::kBanVisible] = true;
    p.form.Timer1_Timer();
    EXPECT_FALSE(p.Has(kLocalMachine, kRunPath, "Nag"));
    EXPECT_EQ(p.view.Lines(), (std::vector<std::string>{
                                  "Nag|nag.exe|Ban|1",
                                  "Quorvel|\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto|Enable|3"}));
    EXPECT_GE(p.events.runs, 2);
}

TEST(PeriodicCleaning, APassThatDeletesNothingReadsTheRegistryOnce) {
    Program p;
    p.form.Form_Load("");
    const int lists = p.registry.counters.lists;
    p.form.Timer1_Timer();
    EXPECT_EQ(p.registry.counters.lists - lists, static_cast<int>(kEntrySources.size()));
    EXPECT_GE(p.events.runs, 2);
}

TEST(PeriodicCleaning, RefreshLeavesNoDeletedValueListed) {
    Program p;
    p.form.Form_Load("");
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    p.form.OnCommand(Command::kRefresha);
    EXPECT_FALSE(p.Has(kCurrentUser, kRunPath, "Nag"));
    EXPECT_EQ(p.view.Names(), std::vector<std::string>{"Quorvel"});
}

}  // namespace
}  // namespace quorvel::testing
