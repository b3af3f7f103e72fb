// quorvelc: its command line, its output formats, and its commands over the fake registry.

#include "cli/quorvelc.h"
#include "cli/invocation.h"
#include "cli/listing.h"
#include "fakes/fake_list_files.h"
#include "fakes/fake_program_files.h"
#include "fakes/fake_registre.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_startup_folders.h"
#include "fakes/utf16.h"
#include "program_fixture.h"
#include "store/startup_approved.h"

namespace quorvel::testing {
namespace {

// The exit codes scripts read: done or nothing to do; refused, kept, or found by a check; unusable.
constexpr int kDone = 0, kRefused = 1, kUsage = 2;

class FakeConsole final : public Console {
  public:
    void Out(std::string_view text) override { out += text; }
    void Err(std::string_view text) override { err += text; }
    std::string out;
    std::string err;
};

TEST(QuorvelcArguments, EveryCommandItsOptionsAndAClearErrorForAnythingElse) {
    const auto parse = [](std::vector<std::string> arguments) { return ParseInvocation(arguments); };
    EXPECT_EQ(parse({"list", "--csv"}).invocation->format, ListFormat::kCsv);
    const ParsedInvocation ban = parse({"ban", "--machine", "--32", "Agent"});
    ASSERT_TRUE(ban.invocation);
    EXPECT_EQ(ban.invocation->action, EntryAction::kBan);
    EXPECT_EQ(ban.invocation->root, kLocalMachine32);
    EXPECT_EQ(parse({"delete", "--", "-odd name"}).invocation->name, "-odd name");
    EXPECT_TRUE(parse({"restore", "C:\\l.stu", "--check"}).invocation->check);

    const std::vector<std::vector<std::string>> wrong{{},
                                                      {"frob"},
                                                      {"list", "--json", "--csv"},
                                                      {"list", "extra"},
                                                      {"enable"},
                                                      {"disable", "A", "B"},
                                                      {"ban", "A", "--user", "--32"},
                                                      {"clean", "--json"},
                                                      {"save"},
                                                      {"restore", "f", "--x"}};
    for (const std::vector<std::string>& arguments : wrong) {
        const ParsedInvocation parsed = parse(arguments);
        EXPECT_FALSE(parsed.invocation) << arguments.size();
        EXPECT_FALSE(parsed.error.empty());
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
    }
}

TEST(QuorvelcArguments, OptionsThatContradictEachOtherOrThatTheCommandDoesNotTakeAreRefused) {
    const auto error = [](std::vector<std::string> arguments) {
        const ParsedInvocation parsed = ParseInvocation(arguments);
        return parsed.invocation ? std::string("accepted") : parsed.error;
    };
    EXPECT_EQ(error({"enable", "A", "--enabled", "--disabled"}),
              "quorvelc: give one of --enabled, --disabled and --banned.");
    EXPECT_EQ(error({"save", "C:\\l.stu", "--check"}),
              "quorvelc: the option \"--check\" does not go with save.");
    EXPECT_EQ(error({"delete", "A", "--replace"}),
              "quorvelc: the option \"--replace\" does not go with delete.");
    EXPECT_EQ(error({"list", "--check"}), "quorvelc: the option \"--check\" does not go with list.");
    EXPECT_EQ(error({"clean", "--user"}), "quorvelc: the option \"--user\" does not go with clean.");
}

TEST(QuorvelcArguments, ALoneDashIsAName) {
    const ParsedInvocation parsed = ParseInvocation({"delete", "-"});
    ASSERT_TRUE(parsed.invocation) << parsed.error;
    EXPECT_EQ(parsed.invocation->name, "-");
}

TEST(QuorvelcFormats, JsonAndCsvQuoteWhatTheyMustAndNothingElse) {
    EXPECT_EQ(JsonString("a\"b\\c\x01\n日本 😀"), "\"a\\\"b\\\\c\\u0001\\n\\u65e5\\u672c \\ud83d\\ude00\"");
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("\"C:\\a b\\x.exe\" -x, -y"), "\"\"\"C:\\a b\\x.exe\"\" -x, -y\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");

    EntryTable entries{MakeEntry("日本", "x.exe", kStateEnabled, kLocalMachine32, kRegExpandSz),
                       MakeEntry("Chat", "c.exe", kStateEnabled, kCurrentUser)};
    entries[1].SwitchedOff = true;
    // The first examined (a company, no signature), the second missing and not examined.
    const std::vector<ProgramFacts> programs{
        {"C:\\Tools\\x.exe", FileStamp{1, 2}, FileDetails{Signature::kNone, "", "X, Inc."}},
        {"c.exe", std::nullopt, std::nullopt}};
    EXPECT_EQ(ListCsv(entries, programs),
              "name,state,switched_off,root,view,key,type,command,file_name,file,file_exists,publisher,"
              "signature\r\n"
              "日本,enabled,false,HKEY_LOCAL_MACHINE,32-bit,"
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run,"
              "REG_EXPAND_SZ,x.exe,,C:\\Tools\\x.exe,true,\"X, Inc. (not verified)\",none\r\n"
              "Chat,enabled,true,HKEY_CURRENT_USER,shared,"
              "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run,REG_SZ,c.exe,"
              ",c.exe,false,not checked,not checked\r\n");
    // The table lines up by characters, not bytes, and says what a person needs of the program.
    const std::string table = ListTable(entries, programs);
    EXPECT_NE(table.find("X, Inc. (not verified)  x.exe"), std::string::npos) << table;
    EXPECT_NE(table.find("File not found          c.exe"), std::string::npos) << table;
    EXPECT_NE(table.find("日本    enabled"), std::string::npos) << table;
    EXPECT_NE(table.find("Chat  enabled"), std::string::npos) << table;

    // A name that is no text (a NUL, a surrogate without its partner): exact in JSON, readable elsewhere.
    const EntryTable hidden{
        MakeEntry(std::string("Evil\0x\xED\xA0\x80", 9), "e.exe", kStateEnabled, kCurrentUser)};
    EXPECT_NE(ListJson(hidden, {}).find("\"name\": \"Evil\\u0000x\\ud800\""), std::string::npos)
        << ListJson(hidden, {});
    EXPECT_NE(ListCsv(hidden, {}).find("\r\nEvil\u2400x\\uD800,enabled"), std::string::npos)
        << ListCsv(hidden, {});
    EXPECT_TRUE(ListTable(hidden, {}).starts_with("NAME          STATE")) << ListTable(hidden, {});
    EXPECT_NE(ListTable(hidden, {}).find("\nEvil\u2400x\\uD800  enabled"), std::string::npos)
        << ListTable(hidden, {});
}

TEST(QuorvelcFormats, JsonHasOneObjectAnEntryAndSwitchedOffIsABoolean) {
    EntryTable entries{MakeEntry("日本", "x.exe", kStateEnabled, kLocalMachine32, kRegExpandSz),
                       MakeEntry("Chat", "\"C:\\c.exe\" /min", kStateDisabled, kCurrentUser)};
    entries[1].SwitchedOff = true;
    const std::vector<ProgramFacts> programs{
        {"x.exe", std::nullopt, std::nullopt, false},
        {"C:\\c.exe", FileStamp{1, 2}, FileDetails{Signature::kVerified, "Contoso", ""}, false}};
    EXPECT_EQ(
        ListJson(entries, programs),
        "[\n"
        "  {\"name\": \"\\u65e5\\u672c\", \"state\": \"enabled\", \"switched_off\": false, "
        "\"root\": \"HKEY_LOCAL_MACHINE\", \"view\": \"32-bit\", "
        "\"key\": "
        "\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\WOW6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run\", "
        "\"type\": \"REG_EXPAND_SZ\", \"command\": \"x.exe\", \"file_name\": \"\", \"file\": \"x.exe\", "
        "\"file_exists\": false, "
        "\"publisher\": \"not checked\", \"signature\": \"not checked\"},\n"
        "  {\"name\": \"Chat\", \"state\": \"disabled\", \"switched_off\": true, "
        "\"root\": \"HKEY_CURRENT_USER\", \"view\": \"shared\", "
        "\"key\": \"HKEY_CURRENT_USER\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run-\", "
        "\"type\": \"REG_SZ\", \"command\": \"\\\"C:\\\\c.exe\\\" /min\", \"file_name\": \"\", \"file\": "
        "\"C:\\\\c.exe\", "
        "\"file_exists\": true, \"publisher\": \"(Verified) Contoso\", \"signature\": \"verified\"}\n"
        "]\n");
    EXPECT_EQ(ListJson({}, {}), "[]\n");
}

TEST(QuorvelcFormats, TheLastControlCharacterIsEscapedAndACarriageReturnAloneQuotesACsvField) {
    EXPECT_EQ(JsonString("a\037b\177"), "\"a\\u001fb\\u007f\"");
    EXPECT_EQ(JsonString(" ~"), "\" ~\"");
    EXPECT_EQ(CsvField("old\rmac"), "\"old\rmac\"");
}

TEST(QuorvelcFormats, TheTableCallsADisabledEntryDisabledOnly) {
    // Run- keeps it from starting: whether Windows' settings switch it off too is no news to a reader.
    EntryTable entries{MakeEntry("Chat", "c.exe", kStateDisabled, kCurrentUser),
                       MakeEntry("Mail", "m.exe", kStateEnabled, kCurrentUser)};
    entries[0].SwitchedOff = true;
    entries[1].SwitchedOff = true;
    const std::vector<ProgramFacts> programs{{"c.exe", std::nullopt, std::nullopt, false},
                                             {"C:\\m.exe", FileStamp{1, 1}, std::nullopt, false}};
    EXPECT_EQ(ListTable(entries, programs),
              "NAME  STATE     LOCATION                        TYPE    PUBLISHER       COMMAND\n"
              "Chat  disabled  User                            REG_SZ  File not found  c.exe\n"
              "Mail  enabled   User (switched off by Windows)  REG_SZ  not checked     m.exe\n");
}

class Quorvelc : public ::testing::Test {
  protected:
    int Run(std::vector<std::string> arguments) {
        console.out.clear();
        console.err.clear();
        return RunQuorvelc(arguments, {registry, folders, files, codec, console, programs, programs});
    }
    FakeRegistre registry;
    FakeStartupFolders folders;
    FakeFiles files;
    FakeTextCodec codec;
    FakeConsole console;
    FakeProgramFiles programs;
};

TEST_F(Quorvelc, ListReadsEveryFileOnlyWhenAskedToVerify) {
    registry.SetString(kCurrentUser, kRunPath, "Tool", R"("C:\Tools\tool.exe" /tray)");
    programs.Put(R"(C:\Tools\tool.exe)", {1, 1}, {Signature::kVerified, "Contoso Ltd", "Contoso"});
    // A share that does not answer would hold a script up: only one that verifies waits for it.
    registry.SetString(kCurrentUser, kRunPath, "Shared", R"(\\server\tools\agent.exe)");
    programs.Put(R"(\\server\tools\agent.exe)", {1, 1}, {Signature::kNone, "", "Fabrikam"});
    EXPECT_EQ(Run({"list", "--json"}), kExitDone);
    EXPECT_NE(console.out.find(R"("file": "C:\\Tools\\tool.exe", "file_exists": true, )"
                               R"("publisher": "not checked", "signature": "not checked"})"),
              std::string::npos)
        << console.out;
    EXPECT_NE(console.out.find(R"("file_exists": null, "publisher": "not checked")"), std::string::npos)
        << console.out;
    EXPECT_TRUE(programs.examined.empty());
    EXPECT_EQ(Run({"list", "--json", "--verify"}), kExitDone);
    EXPECT_NE(console.out.find(R"("publisher": "(Verified) Contoso Ltd", "signature": "verified"})"),
              std::string::npos)
        << console.out;
    EXPECT_NE(console.out.find(R"x("file_exists": true, "publisher": "Fabrikam (not verified)")x"),
              std::string::npos)
        << console.out;
}

TEST_F(Quorvelc, ActionsAnswerWithTheirExitCodes) {
    registry.SetString(kCurrentUser, kRunPath, "App", "C:\\user\\app.exe");
    registry.SetString(kLocalMachine, kRunPath, "App", "C:\\machine\\app.exe");
    EXPECT_EQ(Run({"disable", "Nothing"}), kUsage);
    // Two of that name (letter case aside): refused, with both named; an option picks one.
    EXPECT_EQ(Run({"disable", "app"}), kUsage);
    EXPECT_NE(console.err.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\n"),
              std::string::npos);
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kRunPath, "App"));
    EXPECT_EQ(Run({"disable", "app", "--user"}), kDone);
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunDisabledPath, "App"), "C:\\user\\app.exe");
    EXPECT_EQ(Run({"disable", "App", "--user"}), kDone);
    EXPECT_NE(console.out.find("nothing to do"), std::string::npos);

    // The same name in two keys of one root: a move goes onto the value in its way only with --replace;
    // the key it stands in picks one of them.
    registry.SetString(kCurrentUser, kRunPath, "App", "C:\\newer\\app.exe");
    EXPECT_EQ(Run({"disable", "App", "--user"}), kRefused);
    EXPECT_NE(console.err.find("--replace"), std::string::npos);
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunDisabledPath, "App"), "C:\\user\\app.exe");
    EXPECT_EQ(Run({"disable", "App", "--user", "--replace"}), kDone);
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunDisabledPath, "App"), "C:\\newer\\app.exe");
    registry.SetString(kCurrentUser, kBanPath, "App", "b.exe");
    EXPECT_EQ(Run({"delete", "App", "--user"}), kUsage);
    EXPECT_EQ(Run({"delete", "App", "--user", "--banned"}), kDone);
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kRunDisabledPath, "App"));

    // A NUL cannot be typed: the name as list shows it picks the value.
    registry.SetString(kCurrentUser, kRunPath, std::string("Hid\0den", 7), "h.exe");
    EXPECT_EQ(Run({"disable", "hid\u2400DEN"}), kDone) << console.err;
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kRunDisabledPath, std::string("Hid\0den", 7)));

    registry.RefuseChangesUnder(kLocalMachine);
    EXPECT_EQ(Run({"delete", "App", "--machine"}), kRefused);
    EXPECT_NE(console.err.find("Access is denied."), std::string::npos) << console.err;
    EXPECT_TRUE(console.out.empty());
}

TEST_F(Quorvelc, CleanCheckThenCleanAndSaveThenRestoreCheckThenRestore) {
    registry.SetString(kCurrentUser, kBanPath, "Nag", "nag.exe");
    registry.SetString(kLocalMachine32, kRunPath, "Nag", "back.exe");
    EXPECT_EQ(Run({"clean", "--check"}), kRefused);
    EXPECT_NE(console.out.find("WOW6432Node"), std::string::npos) << console.out;
    EXPECT_TRUE(registry.GetRaw(kLocalMachine32, kRunPath, "Nag"));
    EXPECT_EQ(Run({"clean"}), kDone);
    EXPECT_FALSE(registry.GetRaw(kLocalMachine32, kRunPath, "Nag"));
    EXPECT_EQ(Run({"clean", "--check"}), kDone);

    registry.SetRaw(kLocalMachine32, kRunPath, "Agent", RawValue{kRegExpandSz, StringData("%X%\\a.exe")});
    registry.SetString(kCurrentUser, kRunPath, "Chat", "chat.exe");
    registry.SetRaw(kCurrentUser,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run", "Chat",
                    RawValue{kRegBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(Run({"save", "C:\\lists\\all.stu"}), kDone);
    EXPECT_EQ(Run({"restore", "C:\\lists\\all.stu", "--check"}), kDone);

    // Changed behind the list's back: a 32-bit entry banned, one gone, a command changed.
    registry.DeleteValue(kLocalMachine32, kRunPath, "Agent");
    registry.SetRaw(kLocalMachine32, kBanPath, "Agent", RawValue{kRegExpandSz, StringData("%X%\\a.exe")});
    registry.DeleteValue(kCurrentUser, kBanPath, "Nag");
    registry.SetString(kCurrentUser, kRunPath, "Chat", "other.exe");
    EXPECT_EQ(Run({"restore", "C:\\lists\\all.stu", "--check"}), kRefused);
    EXPECT_EQ(std::count(console.out.begin(), console.out.end(), '\n'), 3) << console.out;
    EXPECT_EQ(Run({"restore", "C:\\lists\\all.stu"}), kDone) << console.err;
    EXPECT_EQ(registry.GetRaw(kLocalMachine32, kRunPath, "Agent"),
              (RawValue{kRegExpandSz, StringData("%X%\\a.exe")}));
    EXPECT_FALSE(registry.GetRaw(kLocalMachine32, kBanPath, "Agent"));
    EXPECT_TRUE(registry.GetRaw(kCurrentUser, kBanPath, "Nag"));
    // Chat was saved disabled, as Windows switched it off: restored, it stands in Run-.
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunDisabledPath, "Chat"), "chat.exe");
    EXPECT_EQ(Run({"restore", "C:\\lists\\all.stu", "--check"}), kDone) << console.out;

    // Enabled in the list, but in Run with another command and switched off by Windows: restored, it starts.
    registry.SetString(kCurrentUser, kRunPath, "Mail", "mail.exe");
    EXPECT_EQ(Run({"save", "C:\\lists\\mail.stu"}), kDone);
    registry.SetString(kCurrentUser, kRunPath, "Mail", "hijacked.exe");
    registry.SetRaw(kCurrentUser, kApprovedRunPath, "Mail",
                    RawValue{kRegBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(Run({"restore", "C:\\lists\\mail.stu"}), kDone) << console.err;
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunPath, "Mail"), "mail.exe");
    EXPECT_EQ(Run({"restore", "C:\\lists\\mail.stu", "--check"}), kDone) << console.out;

    files.files["C:\\lists\\bad.stu"] = " 2 \r\nA\r\nx\r\n";
    EXPECT_EQ(Run({"restore", "C:\\lists\\bad.stu"}), kUsage);
    EXPECT_NE(console.err.find("line 3"), std::string::npos) << console.err;
}

TEST_F(Quorvelc, ListsFolderItemsWhereTheyStandAndActsOnTheOneAFlagPicks) {
    folders.PutShortcut(StartupFolder::kUser, "Sync.lnk", "C:\\sync.exe", "--tray");
    registry.SetString(kCurrentUser, kRunPath, "Sync", "C:\\other\\sync.exe");
    EXPECT_EQ(Run({"list", "--json"}), kExitDone);
    const std::string json =
        "{\"name\": \"Sync\", \"state\": \"enabled\", \"switched_off\": false, \"root\": \"Startup\", "
        "\"view\": \"folder\", \"key\": "
        "\"C:\\\\Users\\\\user\\\\AppData\\\\Roaming\\\\Microsoft\\\\Windows\\\\Start "
        "Menu\\\\Programs\\\\Startup\", \"type\": \"shortcut\", \"command\": \"C:\\\\sync.exe --tray\", "
        "\"file_name\": \"Sync.lnk\", \"file\": \"C:\\\\sync.exe\", \"file_exists\": false, "
        "\"publisher\": \"not checked\", \"signature\": \"not checked\"}";
    EXPECT_NE(console.out.find(json), std::string::npos) << console.out;

    EXPECT_EQ(Run({"disable", "Sync"}), kExitUsage);
    EXPECT_NE(console.err.find("  C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
                               "Menu\\Programs\\Startup\\Sync.lnk\n"),
              std::string::npos)
        << console.err;
    EXPECT_EQ(Run({"disable", "Sync", "--folder", "--user"}), kExitDone);
    EXPECT_TRUE(folders.Find(StartupFolder::kUserDisabled, "Sync.lnk"));
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kRunPath, "Sync"), "C:\\other\\sync.exe");
    EXPECT_EQ(Run({"enable", "sync.LNK"}), kExitDone);
    EXPECT_TRUE(folders.Find(StartupFolder::kUser, "Sync.lnk"));
    EXPECT_EQ(Run({"ban", "Sync", "--folder", "--32"}), kExitUsage);
}

TEST_F(Quorvelc, ASavedFolderItemComesBackAsAShortcutToTheSameTargetAndAGoneFileIsRefused) {
    folders.PutShortcut(StartupFolder::kUser, "Sync.lnk", "C:\\Program Files\\Sync\\sync.exe", "--tray  -x");
    folders.PutShortcut(StartupFolder::kUserDisabled, "Off.lnk", "C:\\off.exe", "");
    folders.Put(StartupFolder::kUser, "run.bat", "@echo off");
    ASSERT_EQ(Run({"save", "C:\\l.stu"}), kExitDone);
    const std::string& saved = files.files["C:\\l.stu"];
    EXPECT_NE(
        saved.find("Sync.lnk\r\n-2147418111 \r\n 3 \r\n\"C:\\Program Files\\Sync\\sync.exe\" --tray  -x\r\n"),
        std::string::npos)
        << saved;

    ASSERT_TRUE(folders.DeleteItem(StartupFolder::kUser, "Sync.lnk"));
    ASSERT_TRUE(folders.DeleteItem(StartupFolder::kUserDisabled, "Off.lnk"));
    ASSERT_TRUE(folders.DeleteItem(StartupFolder::kUser, "run.bat"));
    EXPECT_EQ(Run({"restore", "C:\\l.stu"}), kExitRefused);
    ASSERT_TRUE(folders.Find(StartupFolder::kUser, "Sync.lnk"));
    EXPECT_EQ(folders.Find(StartupFolder::kUser, "Sync.lnk")->target, "C:\\Program Files\\Sync\\sync.exe");
    EXPECT_EQ(folders.Find(StartupFolder::kUser, "Sync.lnk")->arguments, "--tray  -x");
    EXPECT_TRUE(folders.Find(StartupFolder::kUserDisabled, "Off.lnk"));
    EXPECT_FALSE(folders.Find(StartupFolder::kUser, "run.bat"));
    EXPECT_NE(console.err.find("The list holds only the path of \"run.bat\""), std::string::npos)
        << console.err;

    // A name from a file that reaches out of the folder touches nothing.
    files.files["C:\\evil.stu"] = " 1 \r\n..\\..\\evil.lnk\r\n-2147418111 \r\n 3 \r\nC:\\evil.exe\r\n";
    EXPECT_EQ(Run({"restore", "C:\\evil.stu"}), kExitRefused);
    EXPECT_EQ(folders.Names(StartupFolder::kUser), std::vector<std::string>{"Sync.lnk"});
}

TEST_F(Quorvelc, CleanSaysWhichBannedValueTheSystemKeptAndExitsOne) {
    registry.SetString(kCurrentUser, kBanPath, "Nag", "nag.exe");
    registry.SetString(kCurrentUser, kRunPath, "Nag", "nag.exe");
    registry.SetString(kLocalMachine, kRunPath, "NAG", "nag.exe");
    registry.RefuseChangesUnder(kLocalMachine);
    EXPECT_EQ(Run({"clean"}), kRefused);
    EXPECT_EQ(console.out,
              "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run: Nag: banned, deleted\n");
    EXPECT_EQ(console.err,
              "quorvelc: could not delete \"NAG\" from "
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run: Access is denied.\n");
    EXPECT_TRUE(registry.GetRaw(kLocalMachine, kRunPath, "NAG"));
}

}  // namespace
}  // namespace quorvel::testing
