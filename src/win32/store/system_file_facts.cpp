#include "win32/store/system_file_facts.h"

#include <windows.h>
// The trust headers build on these two, in this order.
#include <wincrypt.h>

#include <mscat.h>
#include <softpub.h>
#include <wintrust.h>

#include <vector>

#include "win32/shared/handles.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

SystemLibrary& WinTrust() {
    static SystemLibrary library(L"wintrust.dll");
    return library;
}

SystemLibrary& Crypt32() {
    static SystemLibrary library(L"crypt32.dll");
    return library;
}

SystemLibrary& Version() {
    static SystemLibrary library(L"version.dll");
    return library;
}

// A path that reaches the boundary whole: a NUL would end it early there, and so name another file.
bool IsWhole(std::string_view path) { return !path.empty() && path.find('\0') == std::string_view::npos; }

std::uint64_t Joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

std::wstring_view TrimmedText(const wchar_t* text, std::size_t most) {
    std::wstring_view view(text, most);
    view = view.substr(0, view.find(L'\0'));
    while (!view.empty() && (view.front() == L' ' || view.front() == L'\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == L' ' || view.back() == L'\t'))
        view.remove_suffix(1);
    return view;
}

std::wstring Hex(const BYTE* bytes, std::size_t count, bool pair_of_words = false) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring hex;
    for (std::size_t i = 0; i < count; ++i) {
        // A translation is two little-endian words, written high digit first: 09 04 B0 04 is "040904B0".
        const BYTE byte = pair_of_words ? bytes[i ^ 1] : bytes[i];
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

// The company the version resource names: in the first language it lists, else in US English with
// the Unicode or the Western code page, where most files keep their only strings.
std::string CompanyName(const std::wstring& path) {
    const auto size_of = Version().Get<decltype(&::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    const auto read = Version().Get<decltype(&::GetFileVersionInfoW)>("GetFileVersionInfoW");
    const auto query = Version().Get<decltype(&::VerQueryValueW)>("VerQueryValueW");
    if (!size_of || !read || !query) return {};
    DWORD ignored = 0;
    const DWORD size = size_of(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!read(path.c_str(), 0, size, block.data())) return {};

    std::vector<std::wstring> languages;
    void* translations = nullptr;
    UINT length = 0;
    if (query(block.data(), L"\\VarFileInfo\\Translation", &translations, &length) && translations &&
        length >= 4) {
        languages.push_back(Hex(static_cast<const BYTE*>(translations), 4, true));
    }
    languages.insert(languages.end(), {L"040904B0", L"040904E4"});
    for (const std::wstring& language : languages) {
        const std::wstring key = L"\\StringFileInfo\\" + language + L"\\CompanyName";
        void* value = nullptr;
        UINT characters = 0;
        if (!query(block.data(), key.c_str(), &value, &characters) || !value || characters == 0) continue;
        const std::wstring_view company = TrimmedText(static_cast<const wchar_t*>(value), characters);
        if (!company.empty()) return Narrow(company);
    }
    return {};
}

// One WinVerifyTrust verification. The provider keeps its state (and the signer's certificates) until
// it is told to close it, which the destructor does whatever the outcome.
class TrustCheck {
  public:
    explicit TrustCheck(WINTRUST_FILE_INFO& file) : TrustCheck() {
        data_.dwUnionChoice = WTD_CHOICE_FILE;
        data_.pFile = &file;
    }
    explicit TrustCheck(WINTRUST_CATALOG_INFO& member) : TrustCheck() {
        data_.dwUnionChoice = WTD_CHOICE_CATALOG;
        data_.pCatalog = &member;
    }
    TrustCheck(const TrustCheck&) = delete;
    TrustCheck& operator=(const TrustCheck&) = delete;
    ~TrustCheck() {
        if (!verify_ || !ran_) return;
        data_.dwStateAction = WTD_STATEACTION_CLOSE;
        verify_(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }

    // The verdict, and the reason that goes with a missing signature.
    struct Outcome {
        LONG status;
        DWORD reason;
    };
    Outcome Run() {
        if (!verify_) return {TRUST_E_PROVIDER_UNKNOWN, 0};
        ran_ = true;
        // INVALID_HANDLE_VALUE: no one is there to ask.
        const LONG status = verify_(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
        return {status, ::GetLastError()};
    }

    // The subject name of the certificate that signed, trusted or not.
    std::string Signer() const {
        const auto name_of = Crypt32().Get<decltype(&::CertGetNameStringW)>("CertGetNameStringW");
        const CRYPT_PROVIDER_SGNR* signer = FirstSigner();
        if (!name_of || !signer || signer->csCertChain == 0 || !signer->pasCertChain ||
            !signer->pasCertChain[0].pCert)
            return {};
        const PCCERT_CONTEXT certificate = signer->pasCertChain[0].pCert;
        const DWORD size = name_of(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
        if (size <= 1) return {};
        std::wstring name(size, L'\0');
        name_of(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name.data(), size);
        return Narrow(TrimmedText(name.c_str(), name.size()));
    }

    // Whether the signer's chain holds on its own: intact signatures up to a root the machine trusts.
    // Windows' verdict implies it; Wine passes a signer whose root no one trusts, and this keeps such
    // a signature from ever reading as verified wherever the verdict is that lenient. An expired
    // certificate is no reason here: a timestamp keeps a signature made in its time valid.
    bool ChainHolds() const {
        constexpr DWORD kBroken = CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_NOT_SIGNATURE_VALID |
                                  CERT_TRUST_IS_REVOKED | CERT_TRUST_IS_CYCLIC | CERT_TRUST_IS_PARTIAL_CHAIN |
                                  CERT_TRUST_IS_EXPLICIT_DISTRUST;
        const CRYPT_PROVIDER_SGNR* signer = FirstSigner();
        return signer && signer->pChainContext &&
               (signer->pChainContext->TrustStatus.dwErrorStatus & kBroken) == 0;
    }

  private:
    TrustCheck() {
        data_.cbStruct = sizeof data_;
        data_.dwUIChoice = WTD_UI_NONE;
        // Nothing may wait on the network: no revocation lists, no certificates fetched.
        data_.fdwRevocationChecks = WTD_REVOKE_NONE;
        data_.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
        data_.dwStateAction = WTD_STATEACTION_VERIFY;
    }

    const CRYPT_PROVIDER_SGNR* FirstSigner() const {
        const auto provider_of =
            WinTrust().Get<decltype(&::WTHelperProvDataFromStateData)>("WTHelperProvDataFromStateData");
        const auto signer_of =
            WinTrust().Get<decltype(&::WTHelperGetProvSignerFromChain)>("WTHelperGetProvSignerFromChain");
        if (!provider_of || !signer_of || !data_.hWVTStateData) return nullptr;
        CRYPT_PROVIDER_DATA* provider = provider_of(data_.hWVTStateData);
        return provider ? signer_of(provider, 0, FALSE, 0) : nullptr;
    }

    decltype(&::WinVerifyTrust) verify_ = WinTrust().Get<decltype(&::WinVerifyTrust)>("WinVerifyTrust");
    GUID action_ = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_DATA data_{};
    bool ran_ = false;
};

// A file without a signature of its own comes back as "no signature" with a reason that says so; any
// other reason means a signature is there but could not be read, which is no trust either.
bool IsUnsigned(const TrustCheck::Outcome& outcome) {
    const auto none = [](LONG code) {
        return code == TRUST_E_NOSIGNATURE || code == TRUST_E_SUBJECT_FORM_UNKNOWN ||
               code == TRUST_E_PROVIDER_UNKNOWN;
    };
    if (outcome.status != TRUST_E_NOSIGNATURE) return none(outcome.status);
    return outcome.reason == ERROR_SUCCESS || none(static_cast<LONG>(outcome.reason));
}

// The system's catalogs of file hashes, which sign most of Windows' own files.
class CatalogAdmin {
  public:
    // SHA-256 or (with nullptr) SHA-1 hashes: catalogs of either kind are in use.
    explicit CatalogAdmin(const wchar_t* algorithm) {
        GUID subsystem = DRIVER_ACTION_VERIFY;
        const auto acquire2 =
            WinTrust().Get<decltype(&::CryptCATAdminAcquireContext2)>("CryptCATAdminAcquireContext2");
        const auto acquire =
            WinTrust().Get<decltype(&::CryptCATAdminAcquireContext)>("CryptCATAdminAcquireContext");
        if (acquire2 && acquire2(&handle_, &subsystem, algorithm, nullptr, 0)) return;
        handle_ = nullptr;
        if (!algorithm && acquire && acquire(&handle_, &subsystem, 0)) return;
        handle_ = nullptr;
    }
    CatalogAdmin(const CatalogAdmin&) = delete;
    CatalogAdmin& operator=(const CatalogAdmin&) = delete;
    ~CatalogAdmin() {
        const auto release =
            WinTrust().Get<decltype(&::CryptCATAdminReleaseContext)>("CryptCATAdminReleaseContext");
        if (handle_ && release) release(handle_, 0);
    }
    HCATADMIN get() const { return handle_; }

    // The file's Authenticode hash in this context's algorithm; empty where it cannot be had.
    std::vector<BYTE> Hash(HANDLE file) const {
        const auto hash2 = WinTrust().Get<decltype(&::CryptCATAdminCalcHashFromFileHandle2)>(
            "CryptCATAdminCalcHashFromFileHandle2");
        const auto hash1 = WinTrust().Get<decltype(&::CryptCATAdminCalcHashFromFileHandle)>(
            "CryptCATAdminCalcHashFromFileHandle");
        std::vector<BYTE> hash(64);
        DWORD size = static_cast<DWORD>(hash.size());
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        const BOOL done = hash2   ? hash2(handle_, file, &size, hash.data(), 0)
                          : hash1 ? hash1(file, &size, hash.data(), 0)
                                  : FALSE;
        hash.resize(done && size <= hash.size() ? size : 0);
        return hash;
    }

  private:
    HCATADMIN handle_ = nullptr;
};

// A catalog found for a hash, given back to its admin context at the end.
class CatalogMember {
  public:
    CatalogMember(const CatalogAdmin& admin, std::vector<BYTE>& hash) : admin_(admin) {
        const auto find =
            WinTrust().Get<decltype(&::CryptCATAdminEnumCatalogFromHash)>("CryptCATAdminEnumCatalogFromHash");
        if (find && !hash.empty())
            catalog_ = find(admin.get(), hash.data(), static_cast<DWORD>(hash.size()), 0, nullptr);
    }
    CatalogMember(const CatalogMember&) = delete;
    CatalogMember& operator=(const CatalogMember&) = delete;
    ~CatalogMember() {
        const auto release = WinTrust().Get<decltype(&::CryptCATAdminReleaseCatalogContext)>(
            "CryptCATAdminReleaseCatalogContext");
        if (catalog_ && release) release(admin_.get(), catalog_, 0);
    }
    // The catalog's file, or nothing when no catalog holds the hash.
    std::wstring CatalogFile() const {
        const auto info_of =
            WinTrust().Get<decltype(&::CryptCATCatalogInfoFromContext)>("CryptCATCatalogInfoFromContext");
        CATALOG_INFO info{};
        info.cbStruct = sizeof info;
        if (!catalog_ || !info_of || !info_of(catalog_, &info, 0)) return {};
        return std::wstring(TrimmedText(info.wszCatalogFile, MAX_PATH));
    }

  private:
    const CatalogAdmin& admin_;
    HCATINFO catalog_ = nullptr;
};

Signature VerifyInCatalog(const std::wstring& path, HANDLE file, std::string& signer) {
    for (const wchar_t* algorithm : {L"SHA256", static_cast<const wchar_t*>(nullptr)}) {
        const CatalogAdmin admin(algorithm);
        if (!admin.get()) continue;
        std::vector<BYTE> hash = admin.Hash(file);
        const CatalogMember member(admin, hash);
        const std::wstring catalog = member.CatalogFile();
        if (catalog.empty()) continue;
        const std::wstring tag = Hex(hash.data(), hash.size());
        WINTRUST_CATALOG_INFO info{};
        info.cbStruct = sizeof info;
        info.pcwszCatalogFilePath = catalog.c_str();
        info.pcwszMemberTag = tag.c_str();
        info.pcwszMemberFilePath = path.c_str();
        info.hMemberFile = file;
        info.pbCalculatedFileHash = hash.data();
        info.cbCalculatedFileHash = static_cast<DWORD>(hash.size());
        info.hCatAdmin = admin.get();
        TrustCheck check(info);
        const TrustCheck::Outcome outcome = check.Run();
        signer = check.Signer();
        return outcome.status == ERROR_SUCCESS && check.ChainHolds() ? Signature::kVerified
                                                                     : Signature::kNotTrusted;
    }
    return Signature::kNone;
}

Signature Verify(const std::wstring& path, HANDLE file, std::string& signer) {
    WINTRUST_FILE_INFO info{};
    info.cbStruct = sizeof info;
    info.pcwszFilePath = path.c_str();
    info.hFile = file;
    TrustCheck check(info);
    const TrustCheck::Outcome outcome = check.Run();
    if (outcome.status == ERROR_SUCCESS || !IsUnsigned(outcome)) {
        signer = check.Signer();
        return outcome.status == ERROR_SUCCESS && check.ChainHolds() ? Signature::kVerified
                                                                     : Signature::kNotTrusted;
    }
    return VerifyInCatalog(path, file, signer);
}

}  // namespace

bool SystemFileFacts::Prepare() {
    const auto open = Crypt32().Get<decltype(&::CertOpenStore)>("CertOpenStore");
    const auto close = Crypt32().Get<decltype(&::CertCloseStore)>("CertCloseStore");
    const auto open_roots = [&](DWORD where) {
        if (!open || !close) return;
        if (const HCERTSTORE roots = open(CERT_STORE_PROV_SYSTEM_W, 0, 0, where, L"Root")) close(roots, 0);
    };
    switch (prepared_++) {
        case 0:
            WinTrust().Get<decltype(&::WinVerifyTrust)>("WinVerifyTrust");
            Version().Get<decltype(&::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
            return false;
        case 1: open_roots(CERT_SYSTEM_STORE_CURRENT_USER); return false;
        case 2: open_roots(CERT_SYSTEM_STORE_LOCAL_MACHINE); return false;
        case 3: {
            // What the first verification of a process loads besides (hashing, the trust provider's
            // own state), loaded by one of the program's own file, whose answer is of no use.
            std::wstring self(MAX_PATH, L'\0');
            self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
            if (!self.empty() && self.size() < MAX_PATH) Examine(Narrow(self));
            return true;
        }
        default: return true;
    }
}

std::optional<FileStamp> SystemFileFacts::Stamp(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!IsWhole(path) || !::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return FileStamp{Joined(data.nFileSizeHigh, data.nFileSizeLow),
                     Joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

FileDetails SystemFileFacts::Examine(std::string_view path) {
    FileDetails details;
    if (!IsWhole(path)) return details;
    const std::wstring wide = Widen(path);
    // One handle for the signature's checks, its own and the catalogs', so that they all see the same
    // file; shared, so that whoever uses the file meanwhile is not hindered.
    const HANDLE opened =
        ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    const UniqueKernelHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    // A device name given as a program (COM1, CON, anywhere in a path) opens the device, whose reading
    // may wait for ever: only a file on a disk is read.
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK) return details;
    details.company = CompanyName(wide);
    details.signature = Verify(wide, file.get(), details.signer);
    return details;
}

}  // namespace quorvel::win32
