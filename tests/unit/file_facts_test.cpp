// Who made an entry's program, as the list says it, and the memory that spares verifying a file
// again while it stays the same.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvel
