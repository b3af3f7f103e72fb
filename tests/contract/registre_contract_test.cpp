// The rules of the registry module, run against the fake natively and against the real registry
// under Wine. Everything happens below a scratch key that each test deletes first.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/registry_harness.h"
#include "fakes/utf16.h"

namespace quorvel::testing {
namespace {

constexpr std::string_view kScratch = "Software\\QuorvelContract";
constexpr std::string_view kKey = "Software\\QuorvelContract\\Run";
constexpr std::string_view kOther = "Software\\QuorvelContract\\Run-";

RawValue Bytes(std::uint32_t type, std::vector<std::uint8_t> data) { return RawValue{type, std::move(data)}; }

// A string value as the system stores it, from text the compiler encoded: UTF-16LE, then a NUL.
std::vector<std::uint8_t> Utf16Le(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : text)
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

class RegistreContract : public ::testing::Test {
  protected:
    void SetUp() override {
        harness_ = MakeRegistryHarness();
        harness_->DeleteTree(kCurrentUser, kScratch);
        ASSERT_FALSE(harness_->KeyExists(kCurrentUser, kScratch));
    }
    void TearDown() override { harness_->DeleteTree(kCurrentUser, kScratch); }

    Registre& registry() { return harness_->Subject(); }
    // Windows enumerates in creation order, Wine in name order; nothing may depend on either.
    std::vector<std::string> Names(std::string_view path = kKey) {
        std::vector<std::string> names;
        registry().ListValueNames(names, kCurrentUser, path);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<NamedText> Values(std::string_view path = kKey) {
        std::vector<NamedText> values;
        EXPECT_TRUE(registry().ListValues(values, kCurrentUser, path));
        std::sort(values.begin(), values.end(), [](auto& a, auto& b) { return a.name < b.name; });
        return values;
    }

    std::unique_ptr<RegistryHarness> harness_;
};

TEST_F(RegistreContract, TheMachinesTwoViewsKeepTheirValuesApartAndRawListingsKeepTypes) {
    if (!registry().HasRoot(kLocalMachine32)) GTEST_SKIP() << "a 32-bit system has one view";
    for (const RootKey root : {kLocalMachine, kLocalMachine32})
        harness_->DeleteTree(root, kScratch);
    ASSERT_TRUE(registry().WriteStringValue(kLocalMachine32, kKey, "Agent", "32.exe"));
    ASSERT_TRUE(registry().WriteStringValue(kLocalMachine, kKey, "Agent", "64.exe"));
    EXPECT_EQ(registry().ReadStringValue(kLocalMachine32, kKey, "Agent"), "32.exe");
    EXPECT_EQ(registry().ReadStringValue(kLocalMachine, kKey, "Agent"), "64.exe");
    harness_->SetRaw(kLocalMachine32, kKey, "Record", Bytes(kRegBinary, {3, 0, 0, 0}));
    harness_->SetRaw(kLocalMachine32, kKey, "Empty", Bytes(kRegBinary, {}));
    std::vector<NamedValue> values;
    ASSERT_TRUE(registry().ListRawValues(values, kLocalMachine32, kKey));
    std::sort(values.begin(), values.end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].name, "Agent");
    EXPECT_EQ(values[0].value, Bytes(kRegSz, StringData("32.exe")));
    EXPECT_EQ(values[1].name, "Empty");
    EXPECT_EQ(values[1].value, Bytes(kRegBinary, {}));
    EXPECT_EQ(values[2].value, Bytes(kRegBinary, {3, 0, 0, 0}));
    for (const RootKey root : {kLocalMachine, kLocalMachine32})
        harness_->DeleteTree(root, kScratch);
}

TEST_F(RegistreContract, TextOutsideTheAnsiCodePageRoundTripsUnchanged) {
    const std::string name = "Ünïcødé 日本 entry";
    const std::string command = "C:\\Tools\\prix €\\run.exe --sign=✓";
    ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, name, command));

    EXPECT_EQ(Names(), std::vector<std::string>{name});
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, name), command);
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, name),
              Bytes(kRegSz, Utf16Le(u"C:\\Tools\\prix \u20AC\\run.exe --sign=\u2713")));
}

TEST_F(RegistreContract, WritingCreatesMissingParentsAndReplacesAValueOfAnyType) {
    const std::string deep = std::string(kScratch) + "\\a\\b\\c";
    ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, deep, "x", "first"));
    EXPECT_TRUE(harness_->KeyExists(kCurrentUser, std::string(kScratch) + "\\a\\b"));

    harness_->SetRaw(kCurrentUser, kKey, "x", Bytes(kRegDword, {1, 0, 0, 0}));
    ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, "x", "second"));
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, "x"), Bytes(kRegSz, StringData("second")));
    EXPECT_EQ(Names(), std::vector<std::string>{"x"});
}

TEST_F(RegistreContract, ReadingListingAndDeletingNeverCreateAKey) {
    std::vector<std::string> names{"kept"};
    EXPECT_FALSE(registry().ListValueNames(names, kCurrentUser, kKey));
    EXPECT_EQ(names, std::vector<std::string>{"kept"});
    std::vector<NamedText> values;
    EXPECT_FALSE(registry().ListValues(values, kCurrentUser, kKey));
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "x"), "");
    // Nothing is left to delete, which is what the caller wanted.
    EXPECT_TRUE(registry().DeleteValue(kCurrentUser, kKey, "x"));
    EXPECT_FALSE(harness_->KeyExists(kCurrentUser, kKey));
}

TEST_F(RegistreContract, CreateKeyKeepsExistingValuesAndDeleteRemovesExactlyOne) {
    ASSERT_TRUE(registry().CreateKey(kCurrentUser, kKey));
    EXPECT_TRUE(harness_->KeyExists(kCurrentUser, kKey));
    EXPECT_TRUE(Names().empty());

    registry().WriteStringValue(kCurrentUser, kKey, "a", "1");
    registry().WriteStringValue(kCurrentUser, kKey, "b", "2");
    ASSERT_TRUE(registry().CreateKey(kCurrentUser, kKey));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));

    EXPECT_TRUE(registry().DeleteValue(kCurrentUser, kKey, "a"));
    EXPECT_TRUE(registry().DeleteValue(kCurrentUser, kKey, "missing"));
    EXPECT_EQ(Names(), std::vector<std::string>{"b"});
}

TEST_F(RegistreContract, ValuesWithoutDataAreNotListedButATerminatorAloneIs) {
    harness_->SetRaw(kCurrentUser, kKey, "empty sz", Bytes(kRegSz, {}));
    harness_->SetRaw(kCurrentUser, kKey, "empty binary", Bytes(kRegBinary, {}));
    harness_->SetRaw(kCurrentUser, kKey, "terminator", Bytes(kRegSz, {0, 0}));

    EXPECT_EQ(Names(), std::vector<std::string>{"terminator"});
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "terminator"), "");
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "empty sz"), "");
    EXPECT_TRUE(harness_->GetRaw(kCurrentUser, kKey, "empty sz").has_value());
}

TEST_F(RegistreContract, TheUnnamedValueIsListedUnderTheEmptyName) {
    harness_->SetRaw(kCurrentUser, kKey, "", Bytes(kRegSz, StringData("default.exe")));
    EXPECT_EQ(Names(), std::vector<std::string>{""});
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, ""), "default.exe");
}

TEST_F(RegistreContract, ExpandableTextReadsUnexpandedAndOtherTypesReadEmpty) {
    harness_->SetRaw(kCurrentUser, kKey, "expand",
                     Bytes(kRegExpandSz, StringData("%SystemRoot%\\tool.exe /q")));
    harness_->SetRaw(kCurrentUser, kKey, "dword", Bytes(kRegDword, {7, 0, 0, 0}));
    harness_->SetRaw(kCurrentUser, kKey, "binary", Bytes(kRegBinary, {'a', 0, 'b', 0, 0, 0}));

    EXPECT_EQ(Names(), (std::vector<std::string>{"binary", "dword", "expand"}));
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "expand"), "%SystemRoot%\\tool.exe /q");
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "dword"), "");
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "binary"), "");
}

TEST_F(RegistreContract, AnEmbeddedNulEndsTheText) {
    std::vector<std::uint8_t> data = StringData("abc");
    const std::vector<std::uint8_t> tail = StringData("def");
    data.insert(data.end(), tail.begin(), tail.end());
    harness_->SetRaw(kCurrentUser, kKey, "nul", Bytes(kRegSz, data));
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "nul"), "abc");
}

TEST_F(RegistreContract, LongNamesAndLongDataAreListedWhole) {
    const std::string name254(254, 'n');
    const std::string name300 = std::string(299, 'L') + "Z";
    const std::string long_command(2000, 'c');
    registry().WriteStringValue(kCurrentUser, kKey, name254, "short");
    registry().WriteStringValue(kCurrentUser, kKey, name300, long_command);

    EXPECT_EQ(Names(), (std::vector<std::string>{name300, name254}));
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, name300), long_command);
    EXPECT_EQ(Values(), (std::vector<NamedText>{{name300, long_command}, {name254, "short"}}));
}

TEST_F(RegistreContract, ListValuesAgreesWithListingThenReadingEachName) {
    harness_->SetRaw(kCurrentUser, kKey, "plain", Bytes(kRegSz, StringData("plain.exe")));
    harness_->SetRaw(kCurrentUser, kKey, "gone", Bytes(kRegSz, {}));
    harness_->SetRaw(kCurrentUser, kKey, "expand", Bytes(kRegExpandSz, StringData("%TEMP%\\e.exe")));
    harness_->SetRaw(kCurrentUser, kKey, "dword", Bytes(kRegDword, {1, 2, 3, 4}));
    harness_->SetRaw(kCurrentUser, kKey, "", Bytes(kRegSz, StringData("unnamed")));

    const std::vector<NamedText> one_pass = Values();
    std::vector<NamedText> two_steps;
    for (const std::string& name : Names()) {
        two_steps.push_back({name, registry().ReadStringValue(kCurrentUser, kKey, name)});
    }
    for (NamedText& value : two_steps)
        value.type = harness_->GetRaw(kCurrentUser, kKey, value.name)->type;
    EXPECT_EQ(one_pass, two_steps);
    EXPECT_EQ(one_pass.size(), 4u);
}

TEST_F(RegistreContract, CopyKeepsTheValuesOwnTypeAndRawData) {
    const RawValue expand = Bytes(kRegExpandSz, StringData("%ProgramFiles%\\App\\app.exe -tray"));
    const RawValue binary = Bytes(kRegBinary, {0xde, 0xad, 0xbe, 0xef, 0x00});
    harness_->SetRaw(kCurrentUser, kKey, "expand", expand);
    harness_->SetRaw(kCurrentUser, kKey, "binary", binary);
    harness_->SetRaw(kCurrentUser, kOther, "binary", Bytes(kRegSz, StringData("old")));

    ASSERT_TRUE(registry().CopyValue(kCurrentUser, kKey, kOther, "expand"));
    ASSERT_TRUE(registry().CopyValue(kCurrentUser, kKey, kOther, "binary"));
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kOther, "expand"), expand);
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kOther, "binary"), binary);
    // The source stays where it was.
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, "expand"), expand);

    EXPECT_FALSE(registry().CopyValue(kCurrentUser, kKey, kOther, "missing"));
    EXPECT_FALSE(registry().LastError().empty());
    EXPECT_FALSE(harness_->GetRaw(kCurrentUser, kOther, "missing").has_value());
}

TEST_F(RegistreContract, RawValuesRoundTripWithTheirTypeAndNothingIsMadeUpForMissingOnes) {
    const RawValue expand = Bytes(kRegExpandSz, StringData("%TEMP%\\x.exe"));
    ASSERT_TRUE(registry().WriteRawValue(kCurrentUser, kKey, "expand", expand));
    EXPECT_EQ(registry().ReadRawValue(kCurrentUser, kKey, "expand"), expand);
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, "expand"), expand);
    ASSERT_TRUE(registry().WriteRawValue(kCurrentUser, kKey, "empty", Bytes(kRegBinary, {})));
    EXPECT_EQ(registry().ReadRawValue(kCurrentUser, kKey, "empty"), Bytes(kRegBinary, {}));
    EXPECT_FALSE(registry().ReadRawValue(kCurrentUser, kKey, "missing").has_value());
    EXPECT_FALSE(registry().ReadRawValue(kCurrentUser, kOther, "missing").has_value());
    EXPECT_FALSE(harness_->KeyExists(kCurrentUser, kOther));
}

TEST_F(RegistreContract, CopyCreatesTheTargetKey) {
    harness_->SetRaw(kCurrentUser, kKey, "x", Bytes(kRegSz, StringData("x.exe")));
    const std::string target = std::string(kScratch) + "\\New\\Ban-";
    ASSERT_TRUE(registry().CopyValue(kCurrentUser, kKey, target, "x"));
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, target, "x"), "x.exe");
}

TEST_F(RegistreContract, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    for (const char* name : {"zeta", "alpha", "Mid", "\xC3\xA9lan"})  // "élan"
        registry().WriteStringValue(kCurrentUser, kKey, name, name);
    registry().WriteStringValue(kCurrentUser, kKey, "ALPHA", "replaced");
    registry().WriteStringValue(kCurrentUser, kKey, "\xC3\x89LAN", "replaced too");  // "ÉLAN"
    EXPECT_EQ(Names(), (std::vector<std::string>{"Mid", "alpha", "zeta", "\xC3\xA9lan"}));
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "Alpha"), "replaced");
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "\xC3\x89lan"), "replaced too");

    // The folded forms agree: equal for one value, different for two. Nothing is trimmed.
    EXPECT_EQ(registry().FoldedName("alpha"), registry().FoldedName("ALPHA"));
    EXPECT_EQ(registry().FoldedName("\xC3\xA9lan"), registry().FoldedName("\xC3\x89LAN"));
    EXPECT_NE(registry().FoldedName("Elan"), registry().FoldedName("\xC3\x89lan"));
    EXPECT_NE(registry().FoldedName("alpha "), registry().FoldedName("alpha"));
    registry().WriteStringValue(kCurrentUser, kKey, "alpha ", "blank");
    registry().WriteStringValue(kCurrentUser, kKey, "Elan", "plain");
    EXPECT_EQ(Names().size(), 6u);
}

TEST_F(RegistreContract, TheFirstAndLastLettersFoldAndTheirNeighboursDoNot) {
    // Each pair is one value: the second write replaces the first, and the folded forms agree.
    const std::pair<std::string, std::string> same[] = {
        {"zip", "ZIP"},           {"quiz", "QUIZ"},         {"Apex", "apex"},
        {"zo\u00EB", "ZO\u00CB"}, {"\u00E0la", "\u00C0LA"}, {"\u00FEorn", "\u00DEORN"},
        {"\u00FFes", "\u0178ES"}};  // ÿ's capital is beyond Latin-1
    // Each pair is two values: the characters just outside the letters, and the sign amid Latin-1's.
    const std::pair<std::string, std::string> apart[] = {{"a`", "a@"}, {"a{", "a["}, {"\u00F7", "\u00D7"}};
    std::vector<std::string> names;
    for (const auto& [first, second] : same) {
        ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, first, "first"));
        ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, second, "second"));
        EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, first), "second") << first;
        EXPECT_EQ(registry().FoldedName(first), registry().FoldedName(second)) << first;
        names.push_back(first);
    }
    for (const auto& [one, other] : apart) {
        ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, one, "one"));
        ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kKey, other, "other"));
        EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, one), "one") << one;
        EXPECT_NE(registry().FoldedName(one), registry().FoldedName(other)) << one;
        names.insert(names.end(), {one, other});
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Names(), names);
}

TEST_F(RegistreContract, NamesThatAreNoValidTextRoundTripExactlyAndNeverReachANeighbour) {
    // "Evil" with a surrogate that lacks its partner (U+D800), and "Evil", NUL, "x": names a hiding
    // program may write. Their neighbours are what a lossy conversion would make of them.
    const std::string surrogate = "Evil\xED\xA0\x80";
    const std::string nul("Evil\0x", 6);
    const std::string replaced = "Evil\xEF\xBF\xBD";  // U+FFFD
    harness_->SetRaw(kCurrentUser, kKey, "Evil", Bytes(kRegSz, StringData("cut")));
    harness_->SetRaw(kCurrentUser, kKey, replaced, Bytes(kRegSz, StringData("replaced")));
    const RawValue expand = Bytes(kRegExpandSz, StringData("%TEMP%\\evil.exe"));
    for (const std::string& name : {surrogate, nul}) {
        SCOPED_TRACE(::testing::PrintToString(name));
        ASSERT_TRUE(registry().WriteRawValue(kCurrentUser, kKey, name, expand));
        EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, name), expand);
        EXPECT_EQ(registry().ReadRawValue(kCurrentUser, kKey, name), expand);
        EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, name), "%TEMP%\\evil.exe");
        ASSERT_TRUE(registry().CopyValue(kCurrentUser, kKey, kOther, name));
        EXPECT_EQ(harness_->GetRaw(kCurrentUser, kOther, name), expand);
        ASSERT_TRUE(registry().WriteStringValue(kCurrentUser, kOther, name, "C:\\plain.exe"));
        EXPECT_EQ(harness_->GetRaw(kCurrentUser, kOther, name), Bytes(kRegSz, StringData("C:\\plain.exe")));
        EXPECT_NE(registry().FoldedName(name), registry().FoldedName("Evil"));
        EXPECT_NE(registry().FoldedName(name), registry().FoldedName(replaced));
    }
    std::vector<std::string> all{"Evil", nul, replaced, surrogate};
    std::sort(all.begin(), all.end());
    EXPECT_EQ(Names(), all);
    std::vector<std::string> copies{nul, surrogate};
    std::sort(copies.begin(), copies.end());
    EXPECT_EQ(Names(kOther), copies);
    for (const std::string& name : {surrogate, nul}) {
        EXPECT_TRUE(registry().DeleteValue(kCurrentUser, kKey, name));
        EXPECT_TRUE(registry().DeleteValue(kCurrentUser, kOther, name));
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"Evil", replaced}));
    EXPECT_TRUE(Names(kOther).empty());
    EXPECT_EQ(harness_->GetRaw(kCurrentUser, kKey, "Evil"), Bytes(kRegSz, StringData("cut")));
}

TEST_F(RegistreContract, ARootThatIsNoPredefinedKeyFailsEveryOperation) {
    constexpr RootKey bogus = 12345;
    EXPECT_FALSE(registry().WriteStringValue(bogus, kKey, "x", "y"));
    EXPECT_FALSE(registry().CreateKey(bogus, kKey));
    EXPECT_FALSE(registry().DeleteValue(bogus, kKey, "x"));
    EXPECT_EQ(registry().ReadStringValue(bogus, kKey, "x"), "");
    std::vector<std::string> names;
    EXPECT_FALSE(registry().ListValueNames(names, bogus, kKey));
}

TEST_F(RegistreContract, RefusedChangesAreReportedAndChangeNothing) {
    harness_->SetRaw(kCurrentUser, kKey, "x", Bytes(kRegSz, StringData("x.exe")));
    if (!harness_->RefuseChangesUnder(kCurrentUser)) GTEST_SKIP() << "the real registry grants us everything";

    EXPECT_FALSE(registry().WriteStringValue(kCurrentUser, kKey, "y", "y.exe"));
    EXPECT_FALSE(registry().DeleteValue(kCurrentUser, kKey, "x"));
    EXPECT_FALSE(registry().CopyValue(kCurrentUser, kKey, kOther, "x"));
    EXPECT_FALSE(registry().CreateKey(kCurrentUser, kOther));
    EXPECT_EQ(registry().LastError(), "Access is denied.");
    EXPECT_EQ(Names(), std::vector<std::string>{"x"});
    EXPECT_FALSE(harness_->KeyExists(kCurrentUser, kOther));
    // Reading still works for a user who may not write.
    EXPECT_EQ(registry().ReadStringValue(kCurrentUser, kKey, "x"), "x.exe");
}

}  // namespace
}  // namespace quorvel::testing
