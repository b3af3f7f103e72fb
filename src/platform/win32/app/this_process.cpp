#include "platform/win32/app/this_process.h"

#include "platform/win32/shared/ids.h"
#include "platform/win32/shared/text.h"

namespace quorvel::win32 {

bool ThisProcess::ClaimSingleInstance() {
    // Local\: one instance per logon session, so that each user of the machine may run one.
    instance_mutex_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Quorvel.SingleInstance"));
    return instance_mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void ThisProcess::CallFirstInstance() {
    // The other instance's main window, which may be hidden: any window of that class but our own.
    const DWORD self = ::GetCurrentProcessId();
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kForm1Class, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, kForm1Class, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == self) continue;
        // The started program may bring itself to the front; so may the one it calls.
        ::AllowSetForegroundWindow(owner);
        ::PostMessageW(window, ::RegisterWindowMessageW(kSecondStartMessage), 0, 0);
        return;
    }
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

}  // namespace quorvel::win32
