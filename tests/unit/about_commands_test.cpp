#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "about/system_info.h"
#include "about/tool_help_commands.h"
#include "fakes/fake_registre.h"
#include "fakes/fake_shell.h"
#include "fakes/utf16.h"

namespace quorvel {
namespace {

using testing::FakeLauncher;
using testing::StringData;
using Launch = FakeLauncher::Start;

class FakeBoxes final : public MessageBoxes {
  public:
    bool Confirm(std::string_view, std::string_view) override { return true; }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void Inform(std::string_view text) override { informed.emplace_back(text); }
    void Fail(std::string_view text) override { failed.emplace_back(text); }

    std::vector<std::string> informed;
    std::vector<std::string> failed;
};

class FakeAboutSystem final : public AboutSystem {
  public:
    std::optional<RawKeyValue> ReadKeyValue(RootKey root, std::string_view path, std::string_view name,
                                            std::size_t capacity) override {
        reads.emplace_back(path);
        last_capacity = capacity;
        const auto found = values.find({root, std::string(path), std::string(name)});
        if (found == values.end()) return std::nullopt;
        return found->second;  // whole, however long: the size rule is the caller's to keep
    }
    bool OrdinaryFileExists(std::string_view path) override {
        probed.emplace_back(path);
        return files.contains(std::string(path));
    }

    void Set(std::string_view path, std::string_view name, std::uint32_t type,
             std::vector<std::uint8_t> data) {
        values[{kLocalMachine, std::string(path), std::string(name)}] = {type, std::move(data)};
    }

    std::map<std::tuple<RootKey, std::string, std::string>, RawKeyValue> values;
    std::set<std::string> files;
    std::vector<std::string> reads;
    std::vector<std::string> probed;
    std::size_t last_capacity = 0;
};

std::vector<std::uint8_t> Number(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// So many bytes of "aaa..." as UTF-16LE, without a terminator.
std::vector<std::uint8_t> Letters(std::size_t bytes) {
    std::vector<std::uint8_t> data(bytes, 0);
    for (std::size_t i = 0; i < bytes; i += 2)
        data[i] = 'a';
    return data;
}

constexpr std::string_view kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const std::string kToolInFolder = std::string(kFolder) + "\\MSINFO32.EXE";

class GetKeyValueTest : public ::testing::Test {
  protected:
    std::string Read(std::uint32_t type, std::vector<std::uint8_t> data, std::string text = "kept") {
        system.Set("K", "V", type, std::move(data));
        found = GetKeyValue(system, kLocalMachine, "K", "V", text);
        return text;
    }
    FakeAboutSystem system;
    bool found = false;
};

TEST_F(GetKeyValueTest, StringsLoseOneTerminatorAndArriveAsUtf8) {
    EXPECT_EQ(Read(kValueTypeString, StringData("C:\\Outils\\été\\msinfo32.exe")),
              "C:\\Outils\\été\\msinfo32.exe");
    EXPECT_TRUE(found);
    EXPECT_EQ(system.last_capacity, 1024u);
    EXPECT_EQ(Read(kValueTypeString, StringData("😀")), "😀");
    // Stored without a terminator, or with two, or with an odd byte at the end.
    EXPECT_EQ(Read(kValueTypeString, {'a', 0, 'b', 0}), "ab");
    EXPECT_EQ(Read(kValueTypeString, {'a', 0, 0, 0, 0, 0}), std::string("a\0", 2));
    EXPECT_EQ(Read(kValueTypeString, {'a', 0, 'b'}), "a");
    // A surrogate without its partner comes through as it is, for the path to reach the system unchanged.
    EXPECT_EQ(Read(kValueTypeString, {0xFF, 0xDB, 'x', 0}), "\xED\xAF\xBFx");
    EXPECT_EQ(Read(kValueTypeString, {}), "");
    EXPECT_TRUE(found);
}

TEST_F(GetKeyValueTest, NumbersReadAsAmpersandHAndUppercaseHex) {
    EXPECT_EQ(Read(kValueTypeNumber, Number(0x0001A2F0)), "&h1A2F0");
    EXPECT_EQ(Read(kValueTypeNumber, Number(0)), "&h0");
    EXPECT_EQ(Read(kValueTypeNumber, Number(0xFFFFFFFF)), "&hFFFFFFFF");
    EXPECT_EQ(Read(kValueTypeNumber, Number(10)), "&hA");
    EXPECT_TRUE(found);
}

TEST_F(GetKeyValueTest, OtherTypesAreFoundButLeaveTheTextAlone) {
    EXPECT_EQ(Read(testing::kRegExpandSz, StringData("%SystemRoot%\\x.exe")), "kept");
    EXPECT_TRUE(found);
    EXPECT_EQ(Read(testing::kRegBinary, {1, 2, 3}), "kept");
    EXPECT_TRUE(found);
}

TEST_F(GetKeyValueTest, MissingOrOversizedValuesEmptyTheText) {
    std::string text = "kept";
    EXPECT_FALSE(GetKeyValue(system, kLocalMachine, "Nowhere", "V", text));
    EXPECT_EQ(text, "");

    EXPECT_EQ(Read(kValueTypeString, Letters(1024)), std::string(512, 'a'));
    EXPECT_TRUE(found);
    EXPECT_EQ(Read(kValueTypeString, Letters(1026)), "");
    EXPECT_FALSE(found);
}

class StartSysInfoTest : public ::testing::Test {
  protected:
    void Start() { StartSysInfo(system, launcher, boxes); }
    void ExpectUnavailable() {
        EXPECT_TRUE(launcher.started.empty());
        EXPECT_EQ(boxes.informed, std::vector<std::string>{"System Information Is Unavailable At This Time"});
        EXPECT_TRUE(boxes.failed.empty());
    }
    FakeAboutSystem system;
    FakeLauncher launcher;
    FakeBoxes boxes;
};

TEST_F(StartSysInfoTest, TheRegisteredPathIsStartedAsItStands) {
    system.Set(kSysInfoPathKey, "PATH", kValueTypeString, StringData("D:\\Tools Dir\\msinfo32.exe"));
    system.Set(kSysInfoFolderKey, "MSINFO", kValueTypeString, StringData(kFolder));
    Start();
    EXPECT_EQ(
        launcher.started,
        (std::vector<Launch>{{"command line", "\"D:\\Tools Dir\\msinfo32.exe\"", ShowCommand::kNormal}}));
    EXPECT_EQ(system.reads, std::vector<std::string>{std::string(kSysInfoPathKey)});
    EXPECT_TRUE(system.probed.empty());
    EXPECT_TRUE(boxes.informed.empty());
}

TEST_F(StartSysInfoTest, AnExpandablePathIsFoundButEmptySoTheFolderIsNeverTried) {
    system.Set(kSysInfoPathKey, "PATH", testing::kRegExpandSz, StringData("%ProgramFiles%\\msinfo32.exe"));
    system.Set(kSysInfoFolderKey, "MSINFO", kValueTypeString, StringData(kFolder));
    system.files.insert(kToolInFolder);
    Start();
    ExpectUnavailable();
    EXPECT_EQ(system.reads.size(), 1u);
}

TEST_F(StartSysInfoTest, TheFolderCountsOnlyWithTheToolInIt) {
    system.Set(kSysInfoFolderKey, "MSINFO", kValueTypeString, StringData(kFolder));
    Start();
    ExpectUnavailable();
    EXPECT_EQ(system.probed, std::vector<std::string>{kToolInFolder});

    boxes.informed.clear();
    system.files.insert(kToolInFolder);
    Start();
    EXPECT_EQ(launcher.started,
              (std::vector<Launch>{{"command line", '"' + kToolInFolder + '"', ShowCommand::kNormal}}));
    EXPECT_TRUE(boxes.informed.empty());
}

TEST_F(StartSysInfoTest, AnOversizedPathCountsAsMissing) {
    system.Set(kSysInfoPathKey, "PATH", kValueTypeString, Letters(1100));
    system.Set(kSysInfoFolderKey, "MSINFO", kValueTypeString, StringData(kFolder));
    system.files.insert(kToolInFolder);
    Start();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].text, '"' + kToolInFolder + '"');
}

TEST_F(StartSysInfoTest, NothingRegisteredOrAFailedStartSaysUnavailableOnce) {
    Start();
    ExpectUnavailable();

    boxes.informed.clear();
    system.Set(kSysInfoPathKey, "PATH", kValueTypeString, StringData("C:\\gone\\msinfo32.exe"));
    launcher.failure = "The system cannot find the file specified.";
    Start();
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(boxes.informed, std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

class ToolHelpCommandsTest : public ::testing::Test {
  protected:
    FakeLauncher launcher;
    FakeBoxes boxes;
};

TEST_F(ToolHelpCommandsTest, TheRegistryEditorAndTheWebPageGoThroughTheShell) {
    Regedit_Click(launcher, boxes);
    WebSite_Click(launcher, boxes);
    Label1_Click(launcher, boxes);
    const std::string page(kWebPage);
    EXPECT_EQ(launcher.started, (std::vector<Launch>{{"registry editor", "", ShowCommand::kNormal},
                                                     {"open", page, ShowCommand::kMaximized},
                                                     {"open", page, ShowCommand::kNormal}}));
    EXPECT_TRUE(boxes.failed.empty());
}

TEST_F(ToolHelpCommandsTest, AFailedStartNamesTheProgramAndTheReasonAndARefusedConsentIsNoFailure) {
    launcher.consent_refused = true;
    Regedit_Click(launcher, boxes);
    EXPECT_TRUE(boxes.failed.empty());

    launcher.consent_refused = false;
    launcher.failure = "The file was not found.";
    Regedit_Click(launcher, boxes);
    Label1_Click(launcher, boxes);
    EXPECT_EQ(boxes.failed,
              (std::vector<std::string>{
                  "Could not start the registry editor (regedit): The file was not found.",
                  "Could not open the web page " + std::string(kWebPage) + ": The file was not found."}));
}

}  // namespace
}  // namespace quorvel
