#include "win32/store/system_startup_folders.h"

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include "store/startup_folder_items.h"
#include "win32/shared/disk_files.h"
#include "win32/shared/errors.h"
#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/folder_security.h"
#include "words/folder_words.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

// Under the roaming application data for the user, under the program data for all users.
constexpr std::wstring_view kOwnFolder = L"Quorvel\\Disabled Startup";
// A shortcut is a few kilobytes; a larger file ending in .lnk is started as a file, not read.
constexpr LONGLONG kLargestShortcut = 1 << 20;
// The most a command line holds, and so the most a target or arguments can usefully hold.
constexpr size_t kLongestText = 32768;

size_t Index(StartupFolder folder) { return static_cast<size_t>(folder); }

std::wstring KnownFolder(REFKNOWNFOLDERID id, DWORD flags, HRESULT& result) {
    PWSTR path = nullptr;
    result = ::SHGetKnownFolderPath(id, flags, nullptr, &path);
    std::wstring text = SUCCEEDED(result) && path != nullptr ? path : L"";
    ::CoTaskMemFree(path);
    return text;
}

const KNOWNFOLDERID& SystemFolderId(StartupFolder folder) {
    return IsAllUsers(folder) ? FOLDERID_CommonStartup : FOLDERID_Startup;
}

DWORD ErrorOf(HRESULT result) {
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result);
}

// The path in the form that reaches any file: no length limit, and a name with a trailing dot or blank,
// or one that is also a device's name, left as it is.
std::wstring Extended(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// The shell and the ordinary path rules drop a trailing dot or blank, and would act on another file.
bool EndsAsOnlyLongPathsKeep(std::string_view file_name) {
    return file_name.ends_with('.') || file_name.ends_with(' ');
}

std::wstring ParentOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsDesktopIni(std::wstring_view name) {
    constexpr std::wstring_view kDesktopIni = L"desktop.ini";
    return ::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), kDesktopIni.data(),
                                  static_cast<int>(kDesktopIni.size()), TRUE) == CSTR_EQUAL;
}

class FindHandle {
  public:
    explicit FindHandle(HANDLE search) : search_(search) {}
    ~FindHandle() {
        if (search_ != INVALID_HANDLE_VALUE) ::FindClose(search_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return search_; }

  private:
    HANDLE search_;
};

// Lets the shell recycle an item and stops it where it would delete the item for good instead (a
// folder on a drive without a Recycle Bin, a file too large for it), which no dialog would ask about.
class RecycleOnly final : public IFileOperationProgressSink {
  public:
    bool refused = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IFileOperationProgressSink) {
            *object = static_cast<IFileOperationProgressSink*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // It lives on the caller's stack for longer than the operation that holds it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem*) override {
        if ((flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) != 0) return S_OK;
        refused = true;
        return E_ABORT;
    }
    HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT,
                                          IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }
};

HRESULT RecycleWithFileOperation(const std::wstring& path, RecycleOnly& sink) {
    ComPtr<IFileOperation> operation;
    HRESULT result =
        ::CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(operation.put()));
    if (SUCCEEDED(result))
        result = operation->SetOperationFlags(FOF_NO_UI | FOF_ALLOWUNDO | FOFX_RECYCLEONDELETE);
    ComPtr<IShellItem> item;
    if (SUCCEEDED(result))
        result = ::SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(item.put()));
    DWORD cookie = 0;
    if (SUCCEEDED(result)) result = operation->Advise(&sink, &cookie);
    if (FAILED(result)) return result;
    result = operation->DeleteItem(item.get(), nullptr);
    if (SUCCEEDED(result)) result = operation->PerformOperations();
    operation->Unadvise(cookie);
    BOOL aborted = FALSE;
    if (SUCCEEDED(result) && SUCCEEDED(operation->GetAnyOperationsAborted(&aborted)) && aborted)
        result = E_ABORT;
    return result;
}

// The older shell call, for a system whose shell has no file operation object (Wine's answers "not
// implemented"). It cannot be stopped before a delete for good, so it is asked to warn instead.
DWORD RecycleWithShellCall(const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0');  // a list of paths, ended by an empty one
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | FOF_NO_UI | FOF_WANTNUKEWARNING);
    const int result = ::SHFileOperationW(&operation);
    if (result == 0 && operation.fAnyOperationsAborted) return ERROR_CANCELLED;
    return static_cast<DWORD>(result);
}

}  // namespace

SystemStartupFolders::SystemStartupFolders()
    : administrator_(AdministratorUser()), text_(kLongestText, L'\0') {
    // A folder that is not made yet still has its place.
    constexpr DWORD kFlags = KF_FLAG_DONT_VERIFY;
    HRESULT result = S_OK;
    paths_[Index(StartupFolder::kUser)] = KnownFolder(FOLDERID_Startup, kFlags, result);
    paths_[Index(StartupFolder::kAllUsers)] = KnownFolder(FOLDERID_CommonStartup, kFlags, result);
    const std::wstring roaming = KnownFolder(FOLDERID_RoamingAppData, kFlags, result);
    if (!roaming.empty())
        paths_[Index(StartupFolder::kUserDisabled)] = roaming + L"\\" + std::wstring(kOwnFolder);
    const std::wstring machine = KnownFolder(FOLDERID_ProgramData, kFlags, result);
    if (!machine.empty())
        paths_[Index(StartupFolder::kAllUsersDisabled)] = machine + L"\\" + std::wstring(kOwnFolder);
}

std::string SystemStartupFolders::PathOf(StartupFolder folder) const { return Narrow(Path(folder)); }

bool SystemStartupFolders::ListItems(std::vector<FolderItem>& items, StartupFolder folder) {
    const std::wstring& path = Path(folder);
    if (path.empty()) return Fail(ERROR_PATH_NOT_FOUND);
    if (!MayUse(folder)) return false;
    WIN32_FIND_DATAW found{};
    const FindHandle search(::FindFirstFileExW((Extended(path) + L"\\*").c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A folder not made yet holds nothing.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || Fail(error);
    }
    do {
        // Windows starts neither what sub-folders hold nor the folder's own settings file.
        const std::wstring_view name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || IsDesktopIni(name)) continue;
        FolderItem item;
        item.file_name = Narrow(name);
        item.path = Narrow(path + L"\\" + std::wstring(name));
        if (IsShortcutFileName(item.file_name))
            ReadShortcut(Extended(path) + L"\\" + std::wstring(name), item);
        items.push_back(std::move(item));
    } while (::FindNextFileW(search.get(), &found));
    const DWORD error = ::GetLastError();
    return error == ERROR_NO_MORE_FILES || Fail(error);
}

PlaceResult SystemStartupFolders::MoveItem(StartupFolder from, StartupFolder to, std::string_view file_name,
                                           bool replace) {
    const std::wstring source = ItemPath(from, file_name);
    const std::wstring target = ItemPath(to, file_name);
    if (source.empty() || target.empty()) return PlaceResult::kFailed;
    if (from == to) return PlaceResult::kPlaced;
    if (!MayUse(from) || !Prepare(to)) return PlaceResult::kFailed;
    // Renamed where both folders share a drive, copied and then deleted where they do not (a Startup
    // folder redirected to a server): either way the same bytes.
    DWORD flags = MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;
    if (replace) flags |= MOVEFILE_REPLACE_EXISTING;
    if (::MoveFileExW(source.c_str(), target.c_str(), flags)) return PlaceResult::kPlaced;
    const DWORD error = ::GetLastError();
    if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
        return PlaceResult::kNameTaken;
    return Failed(error);
}

bool SystemStartupFolders::RecycleItem(StartupFolder folder, std::string_view file_name) {
    const std::wstring path = ItemPath(folder, file_name);
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(::GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Fail(ERROR_FILE_NOT_FOUND);
    // The shell takes no "\\?\" paths.
    if (EndsAsOnlyLongPathsKeep(file_name)) return Fail(ERROR_INVALID_NAME);
    const std::wstring shell_path = Path(folder) + L"\\" + Widen(file_name);
    RecycleOnly sink;
    const HRESULT result = RecycleWithFileOperation(shell_path, sink);
    if (sink.refused) return FailWith(words::CouldNotRecycle(words::kNoRecycleBin));
    DWORD error = FAILED(result) ? ErrorOf(result) : ERROR_SUCCESS;
    bool shell_code = false;
    if (result == E_NOTIMPL || result == REGDB_E_CLASSNOTREG) {
        error = RecycleWithShellCall(shell_path);
        // That call's own codes start above the system's: they get a number, not some other error's text.
        shell_code = error >= 0x71;
    }
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    if (error == ERROR_SUCCESS) error = ERROR_CAN_NOT_COMPLETE;
    return FailWith(words::CouldNotRecycle(shell_code ? words::ErrorNumber(error) : DescribeError(error)));
}

bool SystemStartupFolders::DeleteItem(StartupFolder folder, std::string_view file_name) {
    const std::wstring path = ItemPath(folder, file_name);
    if (path.empty()) return false;
    if (::DeleteFileW(path.c_str())) return true;
    DWORD error = ::GetLastError();
    // An item made read-only to outlive its ban goes all the same.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY &&
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (::DeleteFileW(path.c_str())) return true;
        error = ::GetLastError();
        ::SetFileAttributesW(path.c_str(), attributes);
    }
    return Fail(error);
}

PlaceResult SystemStartupFolders::CreateShortcut(StartupFolder folder, std::string_view file_name,
                                                 std::string_view target, std::string_view arguments,
                                                 bool replace) {
    if (EndsAsOnlyLongPathsKeep(file_name)) return Failed(ERROR_INVALID_NAME);
    if (target.empty()) return Failed(ERROR_INVALID_PARAMETER);
    const std::wstring path = ItemPath(folder, file_name);
    if (path.empty() || !Prepare(folder)) return PlaceResult::kFailed;
    ComPtr<IShellLinkW> link;
    HRESULT result =
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.put()));
    const std::wstring wide_target = Widen(target);
    if (SUCCEEDED(result)) result = link->SetPath(wide_target.c_str());
    if (SUCCEEDED(result)) result = link->SetArguments(Widen(arguments).c_str());
    // As a shortcut the user makes: the program starts in its own folder, where some expect their files.
    const size_t slash = wide_target.find_last_of(L'\\');
    if (SUCCEEDED(result) && slash != std::wstring::npos)
        result = link->SetWorkingDirectory(wide_target.substr(0, slash).c_str());
    ComPtr<IPersistStream> persist;
    if (SUCCEEDED(result)) result = link->QueryInterface(IID_PPV_ARGS(persist.put()));
    ComPtr<IStream> stream(::SHCreateMemStream(nullptr, 0));
    if (SUCCEEDED(result) && !stream) result = E_OUTOFMEMORY;
    if (SUCCEEDED(result)) result = persist->Save(stream.get(), TRUE);
    ULARGE_INTEGER size{};
    if (SUCCEEDED(result)) result = stream->Seek({}, STREAM_SEEK_CUR, &size);
    if (SUCCEEDED(result) && size.QuadPart > static_cast<ULONGLONG>(kLargestShortcut)) result = E_UNEXPECTED;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    ULONG read = 0;
    if (SUCCEEDED(result)) result = stream->Seek({}, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(result)) result = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    if (SUCCEEDED(result) && read != bytes.size()) result = E_UNEXPECTED;
    if (FAILED(result)) return Failed(ErrorOf(result));

    if (replace) {
        // Written beside it and put in its place in one step: the old shortcut stays if anything fails.
        DiskFiles files;
        if (files.ReplaceFile(Narrow(Path(folder) + L"\\" + Widen(file_name)), bytes))
            return PlaceResult::kPlaced;
        FailWith(files.LastError());
        return PlaceResult::kFailed;
    }
    // Made only if the name is free, in the same step that takes it.
    UniqueKernelHandle file;
    {
        const HANDLE made = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return PlaceResult::kNameTaken;
            return Failed(error);
        }
        file.reset(made);
    }
    DWORD written = 0;
    if (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && ::FlushFileBuffers(file.get()))
        return PlaceResult::kPlaced;
    const DWORD error = ::GetLastError();
    file.reset();
    // Half a shortcut is no shortcut.
    ::DeleteFileW(path.c_str());
    return Failed(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
}

std::string SystemStartupFolders::LastError() const {
    return last_reason_.empty() ? DescribeError(last_error_) : last_reason_;
}

std::wstring SystemStartupFolders::ItemPath(StartupFolder folder, std::string_view file_name) {
    if (!IsItemFileName(file_name)) {
        Fail(ERROR_INVALID_NAME);
        return {};
    }
    if (Path(folder).empty()) {
        Fail(ERROR_PATH_NOT_FOUND);
        return {};
    }
    return Extended(Path(folder)) + L"\\" + Widen(file_name);
}

bool SystemStartupFolders::MayUse(StartupFolder folder) {
    if (folder != StartupFolder::kAllUsersDisabled) return true;
    // Quorvel's own folder and the one that holds it: whoever could change the outer one could put
    // another folder in the inner one's place.
    for (const std::wstring& level : {ParentOf(Path(folder)), Path(folder)}) {
        DWORD error = ERROR_SUCCESS;
        switch (CheckFolder(level, Administrator(), error)) {
            case FolderTrust::kTrusted: continue;
            case FolderTrust::kMissing: return true;
            case FolderTrust::kUntrusted: return FailWith(words::FolderNotTrusted(Narrow(level)));
            case FolderTrust::kUnreadable: return Fail(error);
        }
    }
    return true;
}

bool SystemStartupFolders::Prepare(StartupFolder folder) {
    const std::wstring& path = Path(folder);
    if (folder == StartupFolder::kUser || folder == StartupFolder::kAllUsers) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return true;
        // The system makes its own folders, with what belongs in them.
        HRESULT result = S_OK;
        KnownFolder(SystemFolderId(folder), KF_FLAG_CREATE, result);
        return SUCCEEDED(result) || Fail(ErrorOf(result));
    }
    for (const std::wstring& level : {ParentOf(path), path}) {
        if (folder == StartupFolder::kUserDisabled) {
            if (!::CreateDirectoryW(level.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
                return Fail(::GetLastError());
            continue;
        }
        DWORD error = ERROR_SUCCESS;
        switch (PrepareAdministratorsFolder(level, Administrator(), error)) {
            case PrepareResult::kReady: continue;
            case PrepareResult::kNeedsAdministrator:
                return FailWith(words::FolderNeedsAdministrator(Narrow(level)));
            case PrepareResult::kUntrusted: return FailWith(words::FolderNotTrusted(Narrow(level)));
            case PrepareResult::kFailed: return Fail(error);
        }
    }
    return true;
}

bool SystemStartupFolders::ReadShortcut(const std::wstring& path, FolderItem& item) {
    const HANDLE opened =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const UniqueKernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestShortcut) return false;
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return false;
    // Read from memory rather than from its path: the path may be longer than the shell takes, or end in
    // a blank or dot that the shell would drop.
    const ComPtr<IStream> stream(::SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistStream> persist;
    if (!stream ||
        FAILED(
            ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.put()))) ||
        FAILED(link->QueryInterface(IID_PPV_ARGS(persist.put()))) || FAILED(persist->Load(stream.get())))
        return false;
    // The path as the shortcut holds it, %NAME% references unexpanded, like a REG_EXPAND_SZ command.
    text_[0] = L'\0';
    if (FAILED(link->GetPath(text_.data(), static_cast<int>(text_.size()), nullptr, SLGP_RAWPATH)))
        return false;
    std::string target = Narrow(text_.c_str());
    text_[0] = L'\0';
    if (FAILED(link->GetArguments(text_.data(), static_cast<int>(text_.size())))) return false;
    item.shortcut = true;
    item.target = std::move(target);
    item.arguments = Narrow(text_.c_str());
    return true;
}

bool SystemStartupFolders::Fail(DWORD error) {
    last_error_ = error;
    last_reason_.clear();
    return false;
}

bool SystemStartupFolders::FailWith(std::string reason) {
    last_reason_ = std::move(reason);
    return false;
}

}  // namespace quorvel::win32
