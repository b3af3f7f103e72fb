// The machine's 32-bit view as a source like the others, Windows' own startup switches, and changes
// under HKEY_LOCAL_MACHINE without the right to make them.

#include "fakes/utf16.h"
#include "listfiles/startup_list.h"
#include "program_fixture.h"
#include "store/startup_approved.h"

namespace quorvel::testing {
namespace {

RawValue Record(std::uint8_t status) {
    RawValue record{kRegBinary, std::vector<std::uint8_t>(12, 0)};
    record.data[0] = status;
    record.data[4] = 0x5A;  // a time, as Windows writes with 03
    return record;
}

// What Windows writes when it switches an entry on: 02, then eleven zero bytes.
const RawValue kOnRecord{kRegBinary, {0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

class MachineView : public ::testing::Test {
  protected:
    void SetUp() override {
        p.options.checked[Option::kBanVisible] = true;
        p.form.Form_Load("");
    }
    void Refresh() { p.form.OnCommand(Command::kRefresha); }
    Program p;
};

TEST_F(MachineView, ThirtyTwoBitEntriesAreListedMovedInTheirViewAndBannedLikeAnyOther) {
    EXPECT_TRUE(p.registry.KeyExists(kLocalMachine32, kRunDisabledPath));
    EXPECT_TRUE(p.registry.KeyExists(kLocalMachine32, kBanPath));
    p.registry.SetRaw(kLocalMachine32, kRunPath, "Agent",
                      RawValue{kRegExpandSz, StringData("%ProgramFiles%\\a.exe")});
    p.Seed(kLocalMachine, kRunPath, "Agent", "C:\\64\\agent.exe");
    Refresh();
    EXPECT_EQ(p.view.rows[0].location, "Machine (32-bit)");
    EXPECT_EQ(p.view.rows[0].command, "%ProgramFiles%\\a.exe");

    p.Choose(EntryAction::kDisable, {kLocalMachine32, "Agent-3"});
    EXPECT_EQ(p.registry.GetRaw(kLocalMachine32, kRunDisabledPath, "Agent"),
              (RawValue{kRegExpandSz, StringData("%ProgramFiles%\\a.exe")}));
    EXPECT_FALSE(p.Has(kLocalMachine32, kRunPath, "Agent"));
    // The 64-bit twin is another value, left alone.
    EXPECT_TRUE(p.Has(kLocalMachine, kRunPath, "Agent"));
    EXPECT_FALSE(p.Has(kLocalMachine, kRunDisabledPath, "Agent"));

    // A ban under any root reaches the 32-bit view, in Run and in Run- alike.
    p.Seed(kCurrentUser, kBanPath, "Agent", "x");
    p.Seed(kLocalMachine32, kRunPath, "Agent", "back.exe");
    p.form.Timer1_Timer();
    EXPECT_FALSE(p.Has(kLocalMachine32, kRunPath, "Agent"));
    EXPECT_FALSE(p.Has(kLocalMachine32, kRunDisabledPath, "Agent"));
    EXPECT_FALSE(p.Has(kLocalMachine, kRunPath, "Agent"));
}

TEST_F(MachineView, AnEntryWindowsSwitchesOffIsShownAndSavedDisabledAndEnableSwitchesItOn) {
    p.Seed(kCurrentUser, kRunPath, "Chat", "chat.exe /min");
    p.registry.SetRaw(kCurrentUser, kApprovedRunPath, "Chat", Record(0x03));
    Refresh();
    EXPECT_EQ(p.view.Lines()[0], "Chat|chat.exe /min|Disable|2");
    EXPECT_EQ(p.view.rows[0].location, "User, switched off in Windows' Startup settings");
    const std::string saved = WriteStartupList(p.form.Entries(), p.codec).bytes;
    EXPECT_NE(saved.find("Chat\r\n-2147483647 \r\n 2 \r\nchat.exe /min"), std::string::npos);

    const RawValue value = *p.registry.GetRaw(kCurrentUser, kRunPath, "Chat");
    p.Choose(EntryAction::kEnable, {kCurrentUser, "Chat-3"});
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kRunPath, "Chat"), value);
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kApprovedRunPath, "Chat"), kOnRecord);
    EXPECT_EQ(p.view.Lines()[0], "Chat|chat.exe /min|Enable|3");

    // Disabled in Run- with a record that keeps it off: Enable moves it and switches it on. Disable
    // and the cleaning leave the records alone.
    p.registry.SetRaw(kLocalMachine, kApprovedRun32Path, "Tool", Record(0x07));
    p.Seed(kLocalMachine32, kRunPath, "Tool", "tool.exe");
    Refresh();
    p.Choose(EntryAction::kDisable, {kLocalMachine32, "Tool-3"});
    EXPECT_TRUE(p.Has(kLocalMachine32, kRunDisabledPath, "Tool"));
    p.form.Timer1_Timer();
    EXPECT_EQ(p.registry.GetRaw(kLocalMachine, kApprovedRun32Path, "Tool"), Record(0x07));
    p.Choose(EntryAction::kEnable, {kLocalMachine32, "Tool-2"});
    EXPECT_TRUE(p.Has(kLocalMachine32, kRunPath, "Tool"));
    EXPECT_EQ(p.registry.GetRaw(kLocalMachine, kApprovedRun32Path, "Tool"), kOnRecord);
}

TEST_F(MachineView, EnableLeavesARecordThatIsOnAlreadyAsItWasAndNeedsNoRightToItsKey) {
    // On, with the time Windows noted when the user switched it on in its own settings.
    const RawValue on_since{kRegBinary, {0x06, 0, 0, 0, 0x5A, 0x10, 0xC3, 0x01, 0x9B, 0xD2, 0xDA, 0x01}};
    p.Seed(kCurrentUser, kRunDisabledPath, "Mail", "mail.exe");
    p.registry.SetRaw(kCurrentUser, kApprovedRunPath, "Mail", on_since);
    p.Seed(kLocalMachine, kRunDisabledPath, "Tool", "tool.exe");
    p.registry.SetRaw(kLocalMachine, kApprovedRunPath, "Tool", on_since);
    p.registry.SetRefusal(
        [](const Change& c) { return c.root == kLocalMachine && c.path == kApprovedRunPath; });
    Refresh();

    p.Choose(EntryAction::kEnable, {kCurrentUser, "Mail-2"});
    EXPECT_TRUE(p.Has(kCurrentUser, kRunPath, "Mail"));
    EXPECT_EQ(p.registry.GetRaw(kCurrentUser, kApprovedRunPath, "Mail"), on_since);
    p.Choose(EntryAction::kEnable, {kLocalMachine, "Tool-2"});
    EXPECT_TRUE(p.Has(kLocalMachine, kRunPath, "Tool"));
    EXPECT_EQ(p.registry.GetRaw(kLocalMachine, kApprovedRunPath, "Tool"), on_since);
    EXPECT_TRUE(p.boxes.questions.empty());
    EXPECT_TRUE(p.boxes.failures.empty());
}

TEST_F(MachineView, ADisabledEntryThatARecordSwitchesOffShowsOnlyWhereItLives) {
    // Run- keeps it from starting already: Windows' switch is no news about it.
    p.Seed(kCurrentUser, kRunDisabledPath, "Chat", "chat.exe");
    p.registry.SetRaw(kCurrentUser, kApprovedRunPath, "Chat", Record(0x03));
    Refresh();
    EXPECT_EQ(p.view.Lines()[0], "Chat|chat.exe|Disable|2");
    EXPECT_EQ(p.view.rows[0].location, "User");
}

TEST_F(MachineView, ARefusedMachineWideChangeOffersTheRestartAsAdministrator) {
    p.Seed(kLocalMachine, kRunPath, "Tool", "tool.exe");
    Refresh();
    p.registry.RefuseChangesUnder(kLocalMachine);
    p.boxes.answers = {false};
    p.Choose(EntryAction::kDisable, {kLocalMachine, "Tool-3"});
    ASSERT_EQ(p.boxes.questions.size(), 1u);
    EXPECT_NE(p.boxes.questions[0].text.find("Restart Quorvel as an administrator"), std::string::npos);
    EXPECT_EQ(p.process.restarts, 0);
    EXPECT_FALSE(p.process.ended);

    // A cancelled prompt leaves this instance as it was; a new instance takes over.
    p.process.restart = {false, true, {}};
    p.Choose(EntryAction::kDisable, {kLocalMachine, "Tool-3"});
    EXPECT_EQ(p.process.restarts, 1);
    EXPECT_FALSE(p.process.ended);
    EXPECT_TRUE(p.boxes.failures.empty());
    p.process.restart = {true, false, {}};
    p.Choose(EntryAction::kDisable, {kLocalMachine, "Tool-3"});
    EXPECT_EQ(p.process.restarts, 2);
    EXPECT_TRUE(p.process.ended);
}

TEST(Registration, ARefusedMachineWideRegistrationWritesTheUsersCopyAndALaterOneRemovesIt) {
    Program refused;
    refused.registry.RefuseChangesUnder(kLocalMachine);
    refused.form.Form_Load("-auto");
    const std::string command = "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto";
    EXPECT_EQ(refused.registry.ReadStringValue(kCurrentUser, kRunPath, "Quorvel"), command);
    EXPECT_TRUE(refused.boxes.failures.empty());

    refused.registry.SetRefusal(nullptr);
    refused.form.Form_Load("-auto");
    EXPECT_EQ(refused.registry.ReadStringValue(kLocalMachine, kRunPath, "Quorvel"), command);
    EXPECT_FALSE(refused.Has(kCurrentUser, kRunPath, "Quorvel"));

    // Refused again, but registered for every user already: no second copy to start twice at logon.
    refused.registry.RefuseChangesUnder(kLocalMachine);
    refused.form.Form_Load("-auto");
    EXPECT_FALSE(refused.Has(kCurrentUser, kRunPath, "Quorvel"));

    // A value of that name the user made with another text is not Quorvel's copy, and stays.
    Program own;
    own.Seed(kCurrentUser, kRunPath, "Quorvel", "C:\\elsewhere\\Quorvel.exe");
    own.form.Form_Load("");
    EXPECT_TRUE(own.Has(kCurrentUser, kRunPath, "Quorvel"));
}

TEST(Registration, AnInstanceStartedToTakeOverWaitsForTheOldOneAndShowsItsWindow) {
    Program p;
    EXPECT_EQ(p.form.Form_Load("-after 4242"), StartOutcome::kShown);
    EXPECT_EQ(p.process.waited_for, 4242u);
    // Only then is it the one instance: the old one has let go.
    EXPECT_TRUE(p.process.claimed_after_waiting);
    EXPECT_TRUE(p.window.visible);
}

}  // namespace
}  // namespace quorvel::testing
