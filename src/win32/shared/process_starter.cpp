#include "win32/shared/process_starter.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <vector>

#include "win32/shared/desktop_user.h"
#include "win32/shared/errors.h"
#include "win32/shared/handles.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

// The user's own environment, fresh from the user's profile, for a program started as that user: the
// one of an administrator's process would name the administrator's folders.
class UserEnvironment {
  public:
    explicit UserEnvironment(HANDLE process) {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(process, TOKEN_QUERY | TOKEN_DUPLICATE, &token)) return;
        const UniqueKernelHandle owned(token);
        using Create = BOOL(WINAPI*)(LPVOID*, HANDLE, BOOL);
        const auto create = UserEnv().Get<Create>("CreateEnvironmentBlock");
        if (create == nullptr || !create(&block_, token, FALSE)) block_ = nullptr;
    }
    ~UserEnvironment() {
        using Destroy = BOOL(WINAPI*)(LPVOID);
        if (block_ != nullptr) UserEnv().Get<Destroy>("DestroyEnvironmentBlock")(block_);
    }
    UserEnvironment(const UserEnvironment&) = delete;
    UserEnvironment& operator=(const UserEnvironment&) = delete;
    // Nothing where it could not be made: the new process then takes this one's.
    void* get() const { return block_; }

  private:
    static SystemLibrary& UserEnv() {
        static SystemLibrary library(L"userenv.dll");
        return library;
    }
    void* block_ = nullptr;
};

// The attribute list that names a new process's parent, deleted with it.
class ParentAttribute {
  public:
    explicit ParentAttribute(HANDLE parent) : parent_(parent) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(size);
        const auto list = List();
        if (size == 0 || !::InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
        initialized_ = true;
        ready_ = ::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent_,
                                             sizeof(parent_), nullptr, nullptr) != FALSE;
    }
    ~ParentAttribute() {
        if (initialized_) ::DeleteProcThreadAttributeList(List());
    }
    ParentAttribute(const ParentAttribute&) = delete;
    ParentAttribute& operator=(const ParentAttribute&) = delete;
    bool ready() const { return ready_; }
    LPPROC_THREAD_ATTRIBUTE_LIST List() {
        return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    }

  private:
    HANDLE parent_;  // the attribute points here until the list is deleted
    std::vector<BYTE> storage_;
    bool initialized_ = false;
    bool ready_ = false;
};

// A new process for the command line; with `parent`, as that process's child, with its rights and its
// user's environment.
LaunchResult CreateProcessFor(std::string_view command_line, ShowCommand show, HANDLE parent) {
    if (command_line.find_first_not_of(" \t") == std::string_view::npos) {
        return {false, false, std::string(words::kEmptyCommandLine)};
    }
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring writable = Widen(command_line);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = static_cast<WORD>(show);
    DWORD flags = 0;
    std::optional<ParentAttribute> attribute;
    std::optional<UserEnvironment> environment;
    if (parent != nullptr) {
        attribute.emplace(parent);
        if (!attribute->ready()) return {false, false, DescribeError(::GetLastError())};
        startup.lpAttributeList = attribute->List();
        environment.emplace(parent);
        flags = EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT;
    }
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, flags,
                          environment ? environment->get() : nullptr, nullptr, &startup.StartupInfo,
                          &process)) {
        return {false, false, DescribeError(::GetLastError())};
    }
    // Nothing waits for the new process: its handles are released at once.
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle owned(process.hProcess);
    return {true, false, {}};
}

}  // namespace

LaunchResult ProcessStarter::StartCommandLine(std::string_view command_line, ShowCommand show) {
    return CreateProcessFor(command_line, show, nullptr);
}

LaunchResult ProcessStarter::StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) {
    std::string reason;
    const UniqueKernelHandle shell = DesktopShellProcess(reason);
    if (!shell) return {false, false, reason};
    return CreateProcessFor(command_line, show, shell.get());
}

LaunchResult ProcessStarter::Open(std::string_view target, ShowCommand show) {
    return Execute(Widen(target), show);
}

LaunchResult ProcessStarter::OpenAsDesktopUser(std::string_view target, ShowCommand show) {
    return OpenThroughDesktopShell(target, show);
}

LaunchResult ProcessStarter::StartRegistryEditor() {
    // By its full path: the editor of the system, not whatever a search of the folders finds first.
    std::wstring folder(MAX_PATH, L'\0');
    const UINT length = ::GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size()) return {false, false, DescribeError(::GetLastError())};
    folder.resize(length);
    return Execute(folder + L"\\regedit.exe", ShowCommand::kNormal);
}

LaunchResult ProcessStarter::Execute(const std::wstring& file, ShowCommand show) const {
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof(start);
    // The failure is told in the program's own words, not in a box of the shell's.
    start.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    start.hwnd = owner_;
    start.lpFile = file.c_str();
    start.nShow = static_cast<int>(show);
    using Function = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const auto execute = Shell32().Get<Function>("ShellExecuteExW");
    if (execute != nullptr && execute(&start)) return {true, false, {}};
    const DWORD error = execute != nullptr ? ::GetLastError() : ERROR_PROC_NOT_FOUND;
    // A consent the user refused to give: Windows' own question said all there is to say.
    return {false, error == ERROR_CANCELLED, DescribeError(error)};
}

std::string ProcessStarter::ExpandEnvironment(std::string_view text) {
    const std::wstring wide = Widen(text);
    DWORD needed = ::ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) return std::string(text);
    std::vector<wchar_t> buffer(needed);
    needed = ::ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), needed);
    if (needed == 0 || needed > buffer.size()) return std::string(text);
    return Narrow(std::wstring_view(buffer.data(), needed - 1));
}

}  // namespace quorvel::win32
