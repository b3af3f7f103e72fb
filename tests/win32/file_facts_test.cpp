// Real program files as the system reports them: an unsigned program, Quorvel.exe's version resource,
// a program signed by a signer the system does not trust, and a missing file; and the programs that
// commands name, found where this Windows keeps them.

#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "store/program_file.h"
#include "store/publisher.h"
#include "win32/shared/text.h"
#include "win32/store/system_file_facts.h"
#include "win32/store/system_program_search.h"
#include "win32/store/system_registre.h"

namespace quorvel::win32 {
namespace {

// A file beside this test program (build/win/tests), or below it.
std::wstring Beside(std::wstring_view name) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1) + std::wstring(name);
}

std::vector<char> Bytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(FileFacts, AnUnsignedProgramWithoutVersionResourceHasNoPublisher) {
    SystemFileFacts files;
    const FileDetails details = files.Examine(Narrow(Beside(L"win32_tests.exe")));
    EXPECT_EQ(details, (FileDetails{Signature::kNone, "", ""}));
    EXPECT_EQ(PublisherText(details), "");
}

TEST(FileFacts, QuorvelNamesItsCompanyWhichReadsAsNotVerified) {
    SystemFileFacts files;
    const FileDetails details = files.Examine(Narrow(Beside(L"..\\Quorvel.exe")));
    EXPECT_EQ(details, (FileDetails{Signature::kNone, "", "Quorvel"}));
    EXPECT_EQ(PublisherText(details), "Quorvel (not verified)");
}

// A certificate among the machine's trusted roots for as long as it lives. The store writes its
// certificates to where the system reads them from when it is closed, so it is opened for each change.
class TrustedRoot {
  public:
    explicit TrustedRoot(const std::vector<char>& certificate)
        : certificate_(::CertCreateCertificateContext(X509_ASN_ENCODING,
                                                      reinterpret_cast<const BYTE*>(certificate.data()),
                                                      static_cast<DWORD>(certificate.size()))) {
        const HCERTSTORE roots = MachineRoots();
        if (roots && certificate_)
            added_ = ::CertAddCertificateContextToStore(roots, certificate_, CERT_STORE_ADD_REPLACE_EXISTING,
                                                        nullptr);
        if (roots) ::CertCloseStore(roots, 0);
    }
    ~TrustedRoot() {
        const HCERTSTORE roots = MachineRoots();
        const PCCERT_CONTEXT added =
            roots && certificate_ ? ::CertFindCertificateInStore(roots, X509_ASN_ENCODING, 0,
                                                                 CERT_FIND_EXISTING, certificate_, nullptr)
                                  : nullptr;
        if (added) ::CertDeleteCertificateFromStore(added);
        if (roots) ::CertCloseStore(roots, 0);
        if (certificate_) ::CertFreeCertificateContext(certificate_);
    }
    TrustedRoot(const TrustedRoot&) = delete;
    TrustedRoot& operator=(const TrustedRoot&) = delete;
    explicit operator bool() const { return added_; }

  private:
    static HCERTSTORE MachineRoots() {
        return ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    }
    PCCERT_CONTEXT certificate_;
    bool added_ = false;
};

// The signer of "trusted.exe" is trusted for the whole run: Wine's chain engine reads the trusted roots
// once, when the process first builds a chain, so the certificate goes in before any test runs.
class TrustedSigner final : public ::testing::Environment {
  public:
    void SetUp() override { root = std::make_unique<TrustedRoot>(Bytes(Beside(L"signed\\trusted.cer"))); }
    void TearDown() override { root.reset(); }
    static inline std::unique_ptr<TrustedRoot> root;
};
::testing::Environment* const kTrustedSigner = ::testing::AddGlobalTestEnvironment(new TrustedSigner);

// Copies of a test program signed with certificates made at build time.
TEST(FileFacts, OnlyASignerTheSystemTrustsIsVerified) {
    SystemFileFacts files;
    const FileDetails untrusted = files.Examine(Narrow(Beside(L"signed\\untrusted.exe")));
    EXPECT_EQ(untrusted, (FileDetails{Signature::kNotTrusted, "Quorvel Test Signer", ""}));
    EXPECT_EQ(PublisherText(untrusted), "Quorvel Test Signer (signature not trusted)");

    ASSERT_TRUE(TrustedSigner::root && *TrustedSigner::root);
    EXPECT_EQ(PublisherText(files.Examine(Narrow(Beside(L"signed\\trusted.exe")))),
              "(Verified) Quorvel Trusted Test Signer");
    // Its file changed after signing is no longer what was signed.
    const std::wstring changed = Beside(L"signed\\changed.exe");
    std::vector<char> bytes = Bytes(Beside(L"signed\\trusted.exe"));
    ASSERT_GT(bytes.size(), 0x500u);
    bytes[0x480] = static_cast<char>(bytes[0x480] ^ 0x5A);
    std::ofstream(changed.c_str(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(files.Examine(Narrow(changed)).signature, Signature::kNotTrusted);
    ::DeleteFileW(changed.c_str());
}

TEST(FileFacts, AMissingFileOrAFolderHasNoStampAndNoDetails) {
    SystemFileFacts files;
    EXPECT_EQ(files.Stamp(Narrow(Beside(L"no such program.exe"))), std::nullopt);
    EXPECT_EQ(files.Examine(Narrow(Beside(L"no such program.exe"))), FileDetails{});
    EXPECT_EQ(files.Stamp(Narrow(Beside(L"signed"))), std::nullopt);
    // A device is no file to read, wherever its name stands.
    EXPECT_EQ(files.Examine(R"(C:\windows\NUL)"), FileDetails{});
}

TEST(FileFacts, AStampIsTheSizeAndTheTimeOfTheLastChange) {
    const std::wstring path = Beside(L"stamped.bin");
    {
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, "12345", 5, &written, nullptr);
        // Created 2020-06-07, read 2022-03-04, changed 2024-01-02 03:04:05 UTC.
        const FILETIME created{0xEC401700, 0x01D63CA2};
        const FILETIME read{0x8E2E8980, 0x01D82F85};
        const FILETIME changed{0x5848C080, 0x01DA3D28};
        ::SetFileTime(file, &created, &read, &changed);
        ::CloseHandle(file);
    }
    EXPECT_EQ(SystemFileFacts().Stamp(Narrow(path)), (FileStamp{5, 133486382450000000}));
    ::DeleteFileW(path.c_str());
}

TEST(ProgramSearch, CommandsFindTheProgramsWhereThisWindowsKeepsThem) {
    SystemProgramSearch system;
    SystemRegistre registry;
    EXPECT_EQ(FindProgramFile("notepad /p", system, registry),
              (ProgramFile{R"(C:\windows\system32\notepad.exe)", true}));
    EXPECT_EQ(
        FindProgramFile(R"(rundll32.exe %SystemRoot%\system32\shell32.dll,Control_RunDLL)", system, registry),
        (ProgramFile{R"(C:\windows\system32\shell32.dll)", true}));
    EXPECT_EQ(FindProgramFile("regedit.exe", system, registry),
              (ProgramFile{R"(C:\windows\regedit.exe)", true}));
    EXPECT_EQ(FindProgramFile(R"("%windir%\no such program.exe" /x)", system, registry),
              (ProgramFile{R"(C:\windows\no such program.exe)", false}));
}

TEST(ProgramSearch, SharesAndDevicesAreAnotherMachinesAndLocalPathsAreNot) {
    SystemProgramSearch system;
    for (const std::string_view path : {R"(\\server\tools\agent.exe)", R"(\\?\UNC\server\tools\agent.exe)",
                                        R"(//server/tools/agent.exe)", R"(\\.\pipe\agent)"})
        EXPECT_TRUE(system.IsRemote(path)) << path;
    for (const std::string_view path :
         {R"(C:\windows\notepad.exe)", R"(\\?\C:\windows\notepad.exe)", R"(notepad.exe)", R"(c:notepad.exe)"})
        EXPECT_FALSE(system.IsRemote(path)) << path;
}

}  // namespace
}  // namespace quorvel::win32
