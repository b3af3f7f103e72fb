#include "win32/shared/desktop_user.h"

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cwchar>
#include <vector>

#include "win32/shared/com.h"
#include "win32/shared/errors.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

DWORD SessionOf(DWORD process_id) {
    DWORD session = MAXDWORD;
    return ::ProcessIdToSessionId(process_id, &session) ? session : MAXDWORD;
}

// Where User Account Control is off, an administrator's desktop runs every program elevated, its shell
// and the logon's own starts included: an elevated shell then gives nothing the desktop lacks. Unknown
// counts as on.
bool AccountControlIsOn() {
    DWORD value = 1;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                       L"EnableLUA", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return true;
    }
    return value != 0;
}

UniqueKernelHandle TokenOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
    return UniqueKernelHandle(token);
}

// The process of this id, opened with `access`, when the desktop user's programs may hang from it or
// be started by it: in this session, and not elevated where User Account Control is on.
UniqueKernelHandle OpenShellProcess(DWORD process_id, DWORD access) {
    if (process_id == 0 || SessionOf(process_id) != SessionOf(::GetCurrentProcessId())) return {};
    UniqueKernelHandle process(::OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!process || !AccountControlIsOn()) return process;
    const UniqueKernelHandle token = TokenOf(process.get());
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!token || !::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) ||
        elevation.TokenIsElevated != 0) {
        return {};
    }
    return process;
}

DWORD ShellWindowProcess() {
    DWORD process_id = 0;
    if (const HWND shell = ::GetShellWindow()) ::GetWindowThreadProcessId(shell, &process_id);
    return process_id;
}

// The SID in a token's user information, in a buffer of its own.
std::vector<BYTE> UserOf(HANDLE token) {
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !::GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
    return user;
}

PSID SidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

// For calls that hand out an interface as void**.
template <typename Interface>
void** Out(ComPtr<Interface>& pointer) {
    return reinterpret_cast<void**>(pointer.put());
}

SystemLibrary& OleAut32() {
    static SystemLibrary library(L"oleaut32.dll");
    return library;
}

// The desktop's own shell, as a script on the desktop reaches it: through the desktop's folder view.
HRESULT DesktopShellDispatch(ComPtr<IShellDispatch2>& shell) {
    using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    const auto create = Ole32().Get<Create>("CoCreateInstance");
    if (create == nullptr) return E_NOINTERFACE;
    ComPtr<IShellWindows> windows;
    HRESULT result =
        create(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, Out(windows));
    if (FAILED(result)) return result;
    VARIANT desktop{};
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT none{};
    long window = 0;
    ComPtr<IDispatch> found;
    result = windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.put());
    if (result != S_OK || found.get() == nullptr) return FAILED(result) ? result : E_FAIL;
    // The shell that answers must be one the desktop user's programs may come from.
    DWORD process_id = 0;
    ::GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<LONG_PTR>(window)), &process_id);
    if (!OpenShellProcess(process_id, 0)) return E_ACCESSDENIED;
    ComPtr<IServiceProvider> provider;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folder_view;
    ComPtr<IDispatch> application;
    if (FAILED(result = found->QueryInterface(IID_IServiceProvider, Out(provider))) ||
        FAILED(result = provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, Out(browser))) ||
        FAILED(result = browser->QueryActiveShellView(view.put())) ||
        FAILED(result = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, Out(background))) ||
        FAILED(result = background->QueryInterface(IID_IShellFolderViewDual, Out(folder_view))) ||
        FAILED(result = folder_view->get_Application(application.put()))) {
        return result;
    }
    return application->QueryInterface(IID_IShellDispatch2, Out(shell));
}

}  // namespace

UniqueKernelHandle DesktopShellProcess(std::string& reason) {
    const DWORD shell = ShellWindowProcess();
    if (UniqueKernelHandle process = OpenShellProcess(shell, PROCESS_CREATE_PROCESS)) return process;
    // No shell window (a shell that is not Explorer, or one starting again): an Explorer of this session.
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        const UniqueKernelHandle owned(snapshot);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
             more = ::Process32NextW(snapshot, &entry)) {
            if (entry.th32ProcessID == shell || ::_wcsicmp(entry.szExeFile, L"explorer.exe") != 0) continue;
            if (UniqueKernelHandle process = OpenShellProcess(entry.th32ProcessID, PROCESS_CREATE_PROCESS))
                return process;
        }
    }
    reason = words::kNoDesktopShell;
    return {};
}

LaunchResult OpenThroughDesktopShell(std::string_view target, ShowCommand show) {
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using Uninitialize = void(WINAPI*)();
    using Allocate = BSTR(WINAPI*)(const OLECHAR*);
    using Free = void(WINAPI*)(BSTR);
    const auto initialize = Ole32().Get<Initialize>("CoInitializeEx");
    const auto uninitialize = Ole32().Get<Uninitialize>("CoUninitialize");
    const auto allocate = OleAut32().Get<Allocate>("SysAllocString");
    const auto free = OleAut32().Get<Free>("SysFreeString");
    if (initialize == nullptr || uninitialize == nullptr || allocate == nullptr || free == nullptr)
        return {false, false, std::string(words::kNoDesktopShell)};
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    LaunchResult launched{false, false, std::string(words::kNoDesktopShell)};
    {
        ComPtr<IShellDispatch2> shell;
        if (SUCCEEDED(DesktopShellDispatch(shell))) {
            const std::wstring wide = Widen(target);
            const BSTR file = allocate(wide.c_str());
            VARIANT none{};
            VARIANT show_command{};
            show_command.vt = VT_I4;
            show_command.lVal = static_cast<int>(show);
            const HRESULT result =
                file != nullptr ? shell->ShellExecute(file, none, none, none, show_command) : E_OUTOFMEMORY;
            free(file);
            // S_FALSE is a shell that could not start it (Wine's, for one): no success to report.
            launched = result == S_OK ? LaunchResult{true, false, {}}
                       : result == S_FALSE
                           ? LaunchResult{false, false, std::string(words::kDesktopShellStartedNothing)}
                           : LaunchResult{false, false, DescribeError(static_cast<DWORD>(result))};
        }
    }
    if (SUCCEEDED(initialized)) uninitialize();
    return launched;
}

std::optional<std::string> AccountOtherThanDesktops() {
    const DWORD shell = ShellWindowProcess();
    if (shell == 0) return std::nullopt;
    const UniqueKernelHandle own_token = TokenOf(::GetCurrentProcess());
    std::vector<BYTE> own = own_token ? UserOf(own_token.get()) : std::vector<BYTE>();
    if (own.empty()) return std::nullopt;
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shell));
    // A process of one's own account opens; the shell of another account's desktop does not.
    bool other = !process && ::GetLastError() == ERROR_ACCESS_DENIED;
    if (process) {
        const UniqueKernelHandle token = TokenOf(process.get());
        std::vector<BYTE> desktop = token ? UserOf(token.get()) : std::vector<BYTE>();
        other = !desktop.empty() && !::EqualSid(SidOf(own), SidOf(desktop));
    }
    if (!other) return std::nullopt;
    wchar_t name[256] = {};
    wchar_t domain[256] = {};
    DWORD name_size = 256;
    DWORD domain_size = 256;
    SID_NAME_USE use{};
    if (!::LookupAccountSidW(nullptr, SidOf(own), name, &name_size, domain, &domain_size, &use))
        return std::string(words::kAnotherAccount);
    return Narrow(std::wstring(domain) + L"\\" + name);
}

}  // namespace quorvel::win32
