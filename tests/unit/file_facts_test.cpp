// Who made an entry's program, as the list says it, the memory that spares verifying a file again
// while it stays the same, and the idle moments in which the list learns it.

#include <gtest/gtest.h>

#include "app/facts_scheduler.h"
#include "fakes/fake_program_files.h"
#include "program_fixture.h"
#include "store/file_facts_cache.h"
#include "store/publisher.h"

namespace quorvel {
namespace {

TEST(Publisher, OnlyASignatureTheSystemTrustsReadsAsVerified) {
    EXPECT_EQ(PublisherText({Signature::kVerified, "Contoso Ltd", "Someone Else"}), "(Verified) Contoso Ltd");
    EXPECT_EQ(PublisherText({Signature::kNone, "", "Contoso Ltd"}), "Contoso Ltd (not verified)");
    EXPECT_EQ(PublisherText({Signature::kUnknown, "", "Contoso Ltd"}), "Contoso Ltd (not verified)");
    EXPECT_EQ(PublisherText({Signature::kNotTrusted, "Test Signer", "Contoso Ltd"}),
              "Test Signer (signature not trusted)");
    EXPECT_EQ(PublisherText({Signature::kNotTrusted, "", ""}), "(signature not trusted)");
    EXPECT_EQ(PublisherText({Signature::kNone, "", ""}), "");
}

TEST(Publisher, AForgedNameNeverReadsAsVerified) {
    EXPECT_EQ(PublisherText({Signature::kNone, "", "(Verified) Microsoft Corporation"}),
              "Microsoft Corporation (not verified)");
    EXPECT_EQ(PublisherText({Signature::kNone, "", " ((VERIFIED)verified) Contoso "}),
              "Contoso (not verified)");
    EXPECT_EQ(PublisherText({Signature::kNotTrusted, "(Verified) Microsoft Windows", ""}),
              "Microsoft Windows (signature not trusted)");
    // A line break would push the mark out of sight; a right-to-left override would turn it around.
    EXPECT_EQ(PublisherText({Signature::kNone, "", "Contoso\r\n(Verified) Microsoft"}),
              "Contoso Microsoft (not verified)");
    EXPECT_EQ(PublisherText({Signature::kNone, "", "Contoso \xE2\x80\xAE"}), "Contoso (not verified)");
    EXPECT_EQ(PublisherText({Signature::kNone, "", "(Verified)"}), "");
}

class AnsweringFiles final : public FileFacts {
  public:
    std::optional<FileStamp> Stamp(std::string_view) override { return std::nullopt; }
    FileDetails Examine(std::string_view) override { return answer; }
    FileDetails answer;
};

TEST(FileFactsCache, AFileIsExaminedAgainOnlyOnceItChanged) {
    AnsweringFiles files;
    FileFactsCache cache;
    const FileStamp before{1024, 133500000000000000};
    EXPECT_EQ(cache.Find(R"(C:\Tools\a.exe)", before), nullptr);

    files.answer = {Signature::kVerified, "Contoso Ltd", ""};
    cache.Examine(R"(C:\Tools\a.exe)", before, files);
    files.answer = {Signature::kNone, "", "Forged"};
    ASSERT_NE(cache.Find(R"(C:\TOOLS\A.EXE)", before), nullptr);
    EXPECT_EQ(cache.Find(R"(C:\TOOLS\A.EXE)", before)->signer, "Contoso Ltd");

    EXPECT_EQ(cache.Find(R"(C:\Tools\a.exe)", {1024, 133500000000000001}), nullptr);
    EXPECT_EQ(cache.Find(R"(C:\Tools\a.exe)", {1025, 133500000000000000}), nullptr);
    EXPECT_EQ(cache.Examine(R"(C:\Tools\a.exe)", {1025, 133500000000000000}, files).company, "Forged");
    EXPECT_EQ(cache.Find(R"(C:\Tools\a.exe)", before), nullptr);
}

// The rows of these commands, top to bottom.
std::vector<ListRow> RowsOf(std::initializer_list<std::string_view> commands) {
    std::vector<ListRow> rows;
    for (const std::string_view command : commands) {
        rows.emplace_back();
        rows.back().stored_command = command;
    }
    return rows;
}

TEST(FactsScheduler, OneCommandAStepMissingFilesFirstAndEachFileExaminedOnce) {
    testing::FakeProgramFiles disk;
    testing::FakeRegistre registry;
    disk.Put(R"(C:\Tools\a.exe)", {100, 1}, {Signature::kNone, "", "Contoso"});
    FactsScheduler facts(disk, registry, disk);
    std::vector<ListRow> rows =
        RowsOf({R"("C:\Tools\a.exe" /tray)", R"(C:\Gone\b.exe -x)", R"(C:\Tools\a.exe /other)"});
    facts.Plan(rows, true);
    EXPECT_FALSE(facts.HasWork()) << "nothing while the list is not on the screen";
    facts.SetVisible(true);
    std::vector<std::string> steps;
    while (facts.HasWork())
        steps.push_back(facts.Step().value_or("-"));
    // Where each file is, row by row; then what the trust store needs, in two steps; then who made the
    // one file both commands start, examined once.
    EXPECT_EQ(steps, (std::vector<std::string>{"-", R"(C:\Gone\b.exe -x)", "-", "-", "-",
                                               R"("C:\Tools\a.exe" /tray)", R"(C:\Tools\a.exe /other)"}));
    EXPECT_EQ(disk.examined, std::vector<std::string>{R"(C:\Tools\a.exe)"});
    EXPECT_EQ(facts.ShownFor(R"(C:\Tools\a.exe /other)"),
              (FactsScheduler::Shown{"Contoso (not verified)", false}));
    EXPECT_EQ(facts.ShownFor(R"(C:\Gone\b.exe -x)"), (FactsScheduler::Shown{"File not found", true}));
}

TEST(FactsScheduler, ANewCollectionShowsWhatIsKnownAtOnceAndExaminesOnlyWhatChanged) {
    testing::FakeProgramFiles disk;
    testing::FakeRegistre registry;
    disk.Put(R"(C:\Tools\a.exe)", {100, 1}, {Signature::kNone, "", "Contoso"});
    disk.Put(R"(C:\Tools\b.exe)", {200, 1}, {Signature::kNone, "", "Fabrikam"});
    FactsScheduler facts(disk, registry, disk);
    facts.SetVisible(true);
    std::vector<ListRow> rows = RowsOf({R"(C:\Tools\a.exe)", R"(C:\Tools\b.exe)", R"(C:\Tools\c.exe)"});
    facts.Plan(rows, true);
    while (facts.HasWork())
        facts.Step();

    // a.exe is replaced by a signed one, c.exe installed; b.exe stays as it was.
    disk.Put(R"(C:\Tools\a.exe)", {101, 2}, {Signature::kVerified, "Contoso Ltd", "Contoso"});
    disk.Put(R"(C:\Tools\c.exe)", {300, 1}, {Signature::kNone, "", "Northwind"});
    rows = RowsOf({R"(C:\Tools\a.exe)", R"(C:\Tools\b.exe)", R"(C:\Tools\c.exe)"});
    facts.Plan(rows, true);
    EXPECT_EQ(rows[1].publisher, "Fabrikam (not verified)");
    EXPECT_TRUE(rows[2].missing);
    while (facts.HasWork())
        facts.Step();
    EXPECT_EQ(disk.examined, (std::vector<std::string>{R"(C:\Tools\a.exe)", R"(C:\Tools\b.exe)",
                                                       R"(C:\Tools\a.exe)", R"(C:\Tools\c.exe)"}));
    EXPECT_EQ(facts.ShownFor(R"(C:\Tools\a.exe)").publisher, "(Verified) Contoso Ltd");
    EXPECT_EQ(facts.ShownFor(R"(C:\Tools\c.exe)"),
              (FactsScheduler::Shown{"Northwind (not verified)", false}));
}

TEST(FactsScheduler, NeitherAShareNorAHugeFileHoldsTheWindowUp) {
    testing::FakeProgramFiles disk;
    testing::FakeRegistre registry;
    disk.Put(R"(\\server\tools\agent.exe)", {100, 1}, {Signature::kNone, "", "Contoso"});
    disk.Put(R"(C:\Images\disk.exe)", {4ull << 30, 1}, {Signature::kNone, "", "Contoso"});
    FactsScheduler facts(disk, registry, disk);
    facts.SetVisible(true);
    std::vector<ListRow> rows = RowsOf({R"(\\server\tools\agent.exe /s)", R"(C:\Images\disk.exe)"});
    facts.Plan(rows, true);
    while (facts.HasWork())
        facts.Step();
    EXPECT_EQ(facts.ShownFor(R"(\\server\tools\agent.exe /s)"),
              (FactsScheduler::Shown{"Not checked (network)", false}));
    EXPECT_EQ(facts.ShownFor(R"(C:\Images\disk.exe)"),
              (FactsScheduler::Shown{"Not checked (large file)", false}));
    EXPECT_TRUE(disk.examined.empty());
}

TEST(FactsAtStart, AHiddenLogonStartExaminesNothingUntilTheWindowIsShown) {
    testing::Program p;
    p.Seed(kCurrentUser, kRunPath, "Tool", R"("C:\Tools\tool.exe" /tray)");
    p.programs.Put(R"(C:\Tools\tool.exe)", {1, 1}, {Signature::kNotTrusted, "Test Signer", ""});
    ASSERT_EQ(p.form.Form_Load("-auto"), StartOutcome::kHidden);
    EXPECT_FALSE(p.form.Idle());
    p.form.Timer1_Timer();
    EXPECT_FALSE(p.form.Idle());
    EXPECT_TRUE(p.programs.examined.empty());

    p.form.OnCommand(Command::kShowa);
    while (p.form.Idle()) {
    }
    std::vector<std::string> shown;
    for (const ListRow& row : p.view.rows)
        shown.push_back(row.name + "|" + row.publisher + "|" + (row.missing ? "grey" : "black"));
    // Quorvel's own value names a file this made-up disk does not hold.
    EXPECT_EQ(shown, (std::vector<std::string>{"Tool|Test Signer (signature not trusted)|black",
                                               "Quorvel|File not found|grey"}));
}

}  // namespace
}  // namespace quorvel
