#include "win32/app/this_process.h"

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winnetwk.h>

#include <vector>

#include "app/command_line.h"
#include "win32/shared/errors.h"
#include "win32/shared/ids.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {

bool ThisProcess::ClaimSingleInstance() {
    // Local\: one instance per logon session, so that each user of the machine may run one. Another
    // account's instance in this session refuses the name to this one (access denied) or shares it.
    instance_mutex_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Quorvel.SingleInstance"));
    if (instance_mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS) return true;
    // Not held: the name goes with the last instance that holds it.
    instance_mutex_.reset();
    return false;
}

bool ThisProcess::AwaitSingleInstance() {
    // As long as the wait for the predecessor's end: it ends right after it started this one.
    constexpr DWORD kLongestWait = 10000;
    constexpr DWORD kRetryInterval = 100;
    const ULONGLONG deadline = ::GetTickCount64() + kLongestWait;
    while (!ClaimSingleInstance()) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(kRetryInterval);
    }
    return true;
}

void ThisProcess::CallFirstInstance(bool automatic) {
    // The other instance's main window, which may be hidden: any window of that class but our own.
    const DWORD self = ::GetCurrentProcessId();
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kForm1Class, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, kForm1Class, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == self) continue;
        // The started program may bring itself to the front; so may the one it calls.
        ::AllowSetForegroundWindow(owner);
        ::PostMessageW(window, ::RegisterWindowMessageW(kSecondStartMessage), automatic ? 1 : 0, 0);
        return;
    }
}

void ThisProcess::WaitForEnd(std::uint32_t process_id) {
    // Bounded: a predecessor that hangs must not keep its successor from starting for ever; the
    // single-instance rule then decides.
    constexpr DWORD kLongestWait = 10000;
    const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, process_id));
    if (process) ::WaitForSingleObject(process.get(), kLongestWait);
}

bool ThisProcess::IsElevated() const {
    UniqueKernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        token.release();
        return false;
    }
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return ::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

namespace {

// The program's path as the elevated instance can reach it: a drive mapped for this logon does not
// exist for another account's logon, nor for the elevated one of the same user, so its share's name
// goes in its stead.
std::wstring ReachablePath(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || ::GetDriveTypeW(path.substr(0, 3).c_str()) != DRIVE_REMOTE)
        return path;
    static SystemLibrary mpr(L"mpr.dll");
    using Function = DWORD(WINAPI*)(LPCWSTR, DWORD, LPVOID, LPDWORD);
    const auto universal = mpr.Get<Function>("WNetGetUniversalNameW");
    if (universal == nullptr) return path;
    DWORD size = 1024;
    std::vector<BYTE> buffer(size);
    DWORD status = universal(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    if (status == ERROR_MORE_DATA) {
        buffer.resize(size);
        status = universal(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    }
    if (status != NO_ERROR) return path;
    return reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName;
}

}  // namespace

RestartResult ThisProcess::RestartAsAdministrator() {
    const std::wstring program = ReachablePath(ModulePath());
    const std::wstring arguments = Widen(RestartArguments(::GetCurrentProcessId()));
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof(start);
    // The failure is told in the program's own words, not in a box of the shell's.
    start.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    start.hwnd = window_;
    start.lpVerb = L"runas";
    start.lpFile = program.c_str();
    start.lpParameters = arguments.c_str();
    start.nShow = SW_SHOWNORMAL;
    using Function = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const auto execute = Shell32().Get<Function>("ShellExecuteExW");
    if (execute != nullptr && execute(&start)) return {true, false, {}};
    const DWORD error = execute != nullptr ? ::GetLastError() : ERROR_PROC_NOT_FOUND;
    return {false, error == ERROR_CANCELLED, DescribeError(error)};
}

void ThisProcess::EndProcess() { ::ExitProcess(0); }

std::wstring ThisProcess::ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ThisProcess::ProgramFolder() const {
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return Narrow(path);
}

std::string ThisProcess::UserFolder() const {
    using Find = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    using Free = void(WINAPI*)(LPVOID);
    const auto find = Shell32().Get<Find>("SHGetKnownFolderPath");
    const auto free = Ole32().Get<Free>("CoTaskMemFree");
    if (find == nullptr || free == nullptr) return {};
    PWSTR folder = nullptr;
    const HRESULT found = find(FOLDERID_LocalAppData, 0, nullptr, &folder);
    std::string path = SUCCEEDED(found) && folder != nullptr ? Narrow(folder) + "\\Quorvel" : std::string();
    free(folder);
    return path;
}

}  // namespace quorvel::win32
