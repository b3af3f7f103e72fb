// The entry menu's actions as a user triggers them: right-click, choice, confirmation.

#include "fakes/utf16.h"
#include "program_fixture.h"

namespace quorvel::testing {
namespace {

constexpr EntryAction kEnable = EntryAction::kEnable, kDisable = EntryAction::kDisable,
                      kBan = EntryAction::kBan, kDelete = EntryAction::kDelete,
                      kExecute = EntryAction::kExecute;

class EntryActions : public ::testing::Test {
  protected:
    void SetUp() override {
        p.form.Form_Load("");
        p.registry.DeleteValue(kLocalMachine, kRunPath, "Quorvel");
    }
    void Start() { p.form.OnCommand(Command::kRefresha); }
    // Where the value of this name lives now under the root: its state keys, in state order.
    std::vector<std::int16_t> StatesOf(RootKey root, std::string_view name) {
        std::vector<std::int16_t> states;
        for (std::int16_t state : {kStateBanned, kStateDisabled, kStateEnabled}) {
            if (p.Has(root, PathOfState(state), name)) states.push_back(state);
        }
        return states;
    }
    Program p;
};

TEST_F(EntryActions, EveryMoveFromEveryStateKeepsNameRootAndCommand) {
    const std::pair<EntryAction, std::int16_t> moves[] = {
        {kEnable, kStateEnabled}, {kDisable, kStateDisabled}, {kBan, kStateBanned}};
    for (std::int16_t from : {kStateBanned, kStateDisabled, kStateEnabled}) {
        for (const auto& [into, to] : moves) {
            p.registry.DeleteTree(kCurrentUser, "SOFTWARE");
            p.Seed(kCurrentUser, PathOfState(from), "App", "C:\\app.exe /min");
            Start();
            const int lists = p.registry.counters.lists;
            p.Choose(into, {kCurrentUser, MakeKey("App", from)});
            EXPECT_EQ(StatesOf(kCurrentUser, "App"), std::vector<std::int16_t>{to}) << from << "->" << to;
            EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, PathOfState(to), "App"), "C:\\app.exe /min");
            // Moving onto its own state does nothing at all, not even a collection.
            EXPECT_EQ(p.registry.counters.lists > lists, from != to) << from << "->" << to;
            EXPECT_TRUE(p.boxes.failures.empty());
        }
    }
}

TEST_F(EntryActions, AMoveOntoANameTheTargetHoldsAsksFirstAndNoChangesNothing) {
    struct Move {
        EntryAction into;
        std::int16_t to;
        std::string_view asks;  // how the question begins: the key in the move's way
    };
    const Move moves[] = {{kEnable, kStateEnabled,
                           "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run already"},
                          {kDisable, kStateDisabled,
                           "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run- already"},
                          {kBan, kStateBanned,
                           "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Ban- already"}};
    for (std::int16_t from : {kStateBanned, kStateDisabled, kStateEnabled}) {
        for (const auto& [into, to, asks] : moves) {
            if (from == to) continue;
            p.registry.DeleteTree(kCurrentUser, "SOFTWARE");
            p.Seed(kCurrentUser, PathOfState(from), "app2", "C:\\new\\app.exe");
            Start();
            // The same name as the registry compares names, letter case aside, written meanwhile (a ban
            // on app2 would have deleted it from Run and Run- at the start).
            p.Seed(kCurrentUser, PathOfState(to), "APP2", "C:\\old\\app.exe --keep-me");
            p.boxes.questions.clear();
            p.boxes.answers = {false};
            const int lists = p.registry.counters.lists;
            p.Choose(into, {kCurrentUser, MakeKey("app2", from)});
            ASSERT_EQ(p.boxes.questions.size(), 1u) << from << "->" << to;
            const std::string& asked = p.boxes.questions[0].text;
            EXPECT_TRUE(asked.starts_with(asks)) << asked;
            EXPECT_NE(asked.find("C:\\old\\app.exe --keep-me"), std::string::npos) << asked;
            EXPECT_NE(asked.find("C:\\new\\app.exe"), std::string::npos) << asked;
            EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, PathOfState(to), "APP2"),
                      "C:\\old\\app.exe --keep-me");
            EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, PathOfState(from), "app2"),
                      "C:\\new\\app.exe");
            EXPECT_EQ(p.registry.counters.lists, lists);

            // Yes replaces it, and the entry leaves its key.
            p.boxes.answers = {true};
            p.Choose(into, {kCurrentUser, MakeKey("app2", from)});
            EXPECT_EQ(StatesOf(kCurrentUser, "app2"), std::vector<std::int16_t>{to}) << from << "->" << to;
            EXPECT_EQ(p.registry.ReadStringValue(kCurrentUser, PathOfState(to), "app2"), "C:\\new\\app.exe");
        }
    }
}

TEST_F(EntryActions, AMoveKeepsTheValuesOwnType) {
    p.registry.SetRaw(kCurrentUser, kRunPath, "Exp",
                      RawValue{kRegExpandSz, StringData("%SystemRoot%\\x.exe")});
    Start();
    p.Choose(kDisable, {kCurrentUser, "Exp-3"});
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kRunDisabledPath, "Exp"),
              (RawValue{kRegExpandSz, StringData("%SystemRoot%\\x.exe")}));
    p.Choose(kEnable, {kCurrentUser, "Exp-2"});
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kRunPath, "Exp")->type, kRegExpandSz);
    EXPECT_EQ(StatesOf(kCurrentUser, "Exp"), std::vector<std::int16_t>{kStateEnabled});
}

TEST_F(EntryActions, ARefusedWriteLosesNothingAndTellsTheUserWhy) {
    p.process.elevated = true;  // nothing to offer: an administrator was refused
    p.Seed(kLocalMachine, kRunPath, "Tool", "tool.exe");
    Start();
    p.registry.RefuseChangesUnder(kLocalMachine);
    p.Choose(kBan, {kLocalMachine, "Tool-3"});
    EXPECT_EQ(StatesOf(kLocalMachine, "Tool"), std::vector<std::int16_t>{kStateEnabled});
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(p.boxes.failures[0].find("could not ban the startup entry \"Tool\" of HKEY_LOCAL_MACHINE"),
              std::string::npos);
    EXPECT_NE(p.boxes.failures[0].find("Access is denied."), std::string::npos);
    EXPECT_NE(p.boxes.failures[0].find("administrator"), std::string::npos);

    // A name of any length is quoted shortened, so that the box fits on the screen.
    const std::string huge(20000, 'x');
    p.Seed(kLocalMachine, kRunPath, huge, "huge.exe");
    Start();
    p.Choose(kBan, {kLocalMachine, MakeKey(huge, kStateEnabled)});
    ASSERT_EQ(p.boxes.failures.size(), 2u);
    EXPECT_LT(p.boxes.failures[1].size(), 500u);
    EXPECT_NE(p.boxes.failures[1].find(huge.substr(0, 100) + "\u2026"), std::string::npos);
}

TEST_F(EntryActions, ARefusedDeleteRemovesTheNewCopyAgain) {
    p.Seed(kCurrentUser, kRunPath, "Tool", "tool.exe");
    Start();
    p.registry.SetRefusal(
        [](const Change& c) { return c.kind == Change::Kind::kDelete && c.path == kRunPath; });
    p.Choose(kDisable, {kCurrentUser, "Tool-3"});
    EXPECT_EQ(StatesOf(kCurrentUser, "Tool"), std::vector<std::int16_t>{kStateEnabled});
    EXPECT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_EQ(p.view.Lines(), std::vector<std::string>{"Tool|tool.exe|Enable|3"});
}

TEST_F(EntryActions, AValueGoneSinceTheListWasReadIsToldAndNothingIsWritten) {
    p.Seed(kCurrentUser, kRunPath, "Tool", "tool.exe");
    p.Seed(kCurrentUser, kRunPath, "Other", "other.exe");
    Start();
    // Another program deletes each after the list was read.
    p.registry.DeleteValue(kCurrentUser, kRunPath, "Tool");
    p.Choose(kDisable, {kCurrentUser, "Tool-3"});
    p.registry.DeleteValue(kCurrentUser, kRunPath, "Other");
    p.Choose(kDelete, {kCurrentUser, "Other-3"});
    ASSERT_EQ(p.boxes.failures.size(), 2u);
    EXPECT_NE(p.boxes.failures[0].find("could not disable the startup entry \"Tool\""), std::string::npos);
    EXPECT_NE(p.boxes.failures[0].find("no longer there"), std::string::npos) << p.boxes.failures[0];
    EXPECT_NE(p.boxes.failures[1].find("could not delete the startup entry \"Other\""), std::string::npos);
    EXPECT_TRUE(StatesOf(kCurrentUser, "Tool").empty());
}

TEST_F(EntryActions, TwinsUnderBothRootsAreActedOnSeparately) {
    p.Seed(kLocalMachine, kRunPath, "Twin", "machine.exe");
    p.Seed(kCurrentUser, kRunPath, "Twin", "user.exe");
    Start();
    EXPECT_EQ(p.view.Names(), (std::vector<std::string>{"Twin", "Twin"}));
    p.Choose(kDisable, {kLocalMachine, "Twin-3"});
    EXPECT_EQ(StatesOf(kLocalMachine, "Twin"), std::vector<std::int16_t>{kStateDisabled});
    EXPECT_EQ(StatesOf(kCurrentUser, "Twin"), std::vector<std::int16_t>{kStateEnabled});
    EXPECT_EQ(p.registry.ReadStringValue(kLocalMachine, kRunDisabledPath, "Twin"), "machine.exe");
}

TEST_F(EntryActions, TheEntryIsTheOneSelectedWhenTheMenuOpenedEvenIfATickRebuildsTheTable) {
    p.Seed(kCurrentUser, kRunPath, "A", "a.exe");
    p.Seed(kCurrentUser, kRunPath, "B", "b.exe");
    Start();
    p.popups.while_open = [&] {
        p.Seed(kCurrentUser, kRunPath, "0-first", "new.exe");
        p.form.Timer1_Timer();
    };
    p.Choose(kDisable, {kCurrentUser, "B-3"});
    EXPECT_EQ(StatesOf(kCurrentUser, "B"), std::vector<std::int16_t>{kStateDisabled});
    EXPECT_EQ(StatesOf(kCurrentUser, "A"), std::vector<std::int16_t>{kStateEnabled});
}

TEST_F(EntryActions, NoSelectionOrNoChoiceOrAnotherButtonDoesNothing) {
    p.Seed(kCurrentUser, kRunPath, "A", "a.exe");
    Start();
    const int lists = p.registry.counters.lists;
    p.view.selected.reset();
    p.popups.entry_choice = kDelete;
    p.form.View1_MouseUp(MouseButton::kRight);
    EXPECT_EQ(p.popups.entry_menus_opened, 0);

    p.Choose(EntryAction::kNone, {kCurrentUser, "A-3"});
    EXPECT_EQ(p.popups.entry_menus_opened, 1);

    p.view.selected = EntryIdentity{kCurrentUser, "A-3"};
    p.form.View1_MouseUp(MouseButton::kLeft);
    EXPECT_EQ(p.popups.entry_menus_opened, 1);
    EXPECT_TRUE(p.boxes.questions.empty());
    EXPECT_EQ(p.registry.counters.lists, lists);
    EXPECT_TRUE(p.Has(kCurrentUser, kRunPath, "A"));
}

TEST_F(EntryActions, DeleteAsksFirstAndCancelChangesNothing) {
    p.Seed(kCurrentUser, kBanPath, "Nag", "nag.exe");
    Start();
    p.boxes.answers = {false};
    const int lists = p.registry.counters.lists;
    p.Choose(kDelete, {kCurrentUser, "Nag-1"});
    const std::vector<FakeBoxes::Question> asked{{"Are you sure to want delete this StartUp ?", "Delete"}};
    EXPECT_EQ(p.boxes.questions, asked);
    EXPECT_TRUE(p.Has(kCurrentUser, kBanPath, "Nag"));
    EXPECT_EQ(p.registry.counters.lists, lists);

    // Deleting a banned entry lifts the ban: the name may come back and stay.
    p.Choose(kDelete, {kCurrentUser, "Nag-1"});
    EXPECT_FALSE(p.Has(kCurrentUser, kBanPath, "Nag"));
    p.Seed(kCurrentUser, kRunPath, "Nag", "nag.exe");
    p.form.Timer1_Timer();
    EXPECT_TRUE(p.Has(kCurrentUser, kRunPath, "Nag"));
}

TEST_F(EntryActions, DeleteUsesTheEntryAsItWasWhenTheBoxOpened) {
    p.Seed(kCurrentUser, kRunPath, "A", "a.exe");
    Start();
    p.boxes.while_open = [&] {
        p.registry.DeleteValue(kCurrentUser, kRunPath, "A");
        p.Seed(kCurrentUser, kRunDisabledPath, "A", "a.exe");
        p.form.Timer1_Timer();
    };
    p.Choose(kDelete, {kCurrentUser, "A-3"});
    // The entry acted on was the enabled one; the disabled value another program made stays.
    EXPECT_TRUE(p.Has(kCurrentUser, kRunDisabledPath, "A"));
}

TEST_F(EntryActions, ExecuteStartsTheCommandMinimisedAndChangesNoKey) {
    p.Seed(kCurrentUser, kBanPath, "Banned", "C:\\b.exe -x");
    p.registry.SetRaw(kCurrentUser, kRunPath, "Exp",
                      RawValue{kRegExpandSz, StringData("%SystemRoot%\\e.exe")});
    Start();
    p.Choose(kExecute, {kCurrentUser, "Banned-1"});
    p.Choose(kExecute, {kCurrentUser, "Exp-3"});
    // The question names the entry and the command as it will run, expanded.
    EXPECT_EQ(p.boxes.questions.back(),
              (FakeBoxes::Question{"Are you sure to want execute this StartUp ?\n\n\"Exp\" starts:\n\n"
                                   "    C:\\Windows\\e.exe",
                                   "Execute"}));
    EXPECT_EQ(p.launcher.started, (std::vector<FakeLauncher::Start>{
                                      {"command line", "C:\\b.exe -x", ShowCommand::kMinimized},
                                      {"command line", "C:\\Windows\\e.exe", ShowCommand::kMinimized}}));
    EXPECT_TRUE(p.Has(kCurrentUser, kBanPath, "Banned"));

    // A NUL in the name, which would end the box's text there, cannot hide the command.
    const std::string hiding("Up\0date", 7);
    p.Seed(kCurrentUser, kRunPath, hiding, "C:\\planted.exe");
    Start();
    p.Choose(kExecute, {kCurrentUser, hiding + "-3"});
    EXPECT_EQ(
        p.boxes.questions.back().text,
        "Are you sure to want execute this StartUp ?\n\n\"Up\u2400date\" starts:\n\n    C:\\planted.exe");
}

TEST_F(EntryActions, WithAdministratorRightsExecuteStartsAsTheDesktopUserOrNotAtAll) {
    p.Seed(kCurrentUser, kRunPath, "Planted", "C:\\Users\\Ann\\planted.exe");
    Start();
    p.process.elevated = true;
    p.Choose(kExecute, {kCurrentUser, "Planted-3"});
    EXPECT_EQ(p.launcher.started,
              (std::vector<FakeLauncher::Start>{
                  {"command line as desktop user", "C:\\Users\\Ann\\planted.exe", ShowCommand::kMinimized}}));

    // Without a desktop shell to start it, it is refused: never started with the window's own rights.
    p.launcher.desktop_failure = "No desktop shell runs for the user signed in.";
    p.Choose(kExecute, {kCurrentUser, "Planted-3"});
    EXPECT_EQ(p.launcher.started.size(), 1u);
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(p.boxes.failures[0].find("No desktop shell runs for the user signed in."), std::string::npos);
}

TEST_F(EntryActions, ExecuteThatCannotStartSaysWhichCommandAndWhyAndStillCollects) {
    p.registry.SetRaw(kCurrentUser, kRunPath, "Odd", RawValue{kRegDword, {1, 0, 0, 0}});
    Start();
    p.launcher.failure = "The system cannot find the file specified.";
    const int lists = p.registry.counters.lists;
    p.Choose(kExecute, {kCurrentUser, "Odd-3"});
    ASSERT_EQ(p.boxes.failures.size(), 1u);
    EXPECT_NE(p.boxes.failures[0].find("\"Odd\""), std::string::npos);
    EXPECT_NE(p.boxes.failures[0].find("cannot find the file"), std::string::npos);
    EXPECT_GT(p.registry.counters.lists, lists);
}

TEST_F(EntryActions, TheKeyboardOpensTheMenuForTheSelectedRow) {
    p.Seed(kCurrentUser, kRunPath, "A", "a.exe");
    Start();
    p.view.selected = EntryIdentity{kCurrentUser, "A-3"};
    p.popups.entry_choice = kDisable;
    p.form.View1_ContextKey();
    EXPECT_FALSE(p.popups.last_at_pointer);
    EXPECT_EQ(StatesOf(kCurrentUser, "A"), std::vector<std::int16_t>{kStateDisabled});
}

}  // namespace
}  // namespace quorvel::testing
