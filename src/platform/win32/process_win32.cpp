#include "platform/win32/process_win32.h"

#include "platform/win32/text.h"

namespace quorvel::win32 {

bool ProcessWin32::ClaimSingleInstance() {
    // Local\: one instance per logon session, so that each user of the machine may run one.
    instance_mutex_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Quorvel.SingleInstance"));
    return instance_mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void ProcessWin32::EndProcess() { ::ExitProcess(0); }

std::wstring ProcessWin32::ModulePath() {
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

std::string ProcessWin32::ProgramFolder() const {
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return Narrow(path);
}

void ProcessWin32::ProcessPendingEvents() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Not ours to swallow: the main loop must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quorvel::win32
