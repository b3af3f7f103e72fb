#include "win32/shared/process_starter.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "win32/shared/errors.h"
#include "win32/shared/handles.h"
#include "win32/shared/system_library.h"
#include "win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {

LaunchResult ProcessStarter::StartCommandLine(std::string_view command_line, ShowCommand show) {
    if (command_line.find_first_not_of(" \t") == std::string_view::npos) {
        return {false, std::string(words::kEmptyCommandLine)};
    }
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring writable = Widen(command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return {false, DescribeError(::GetLastError())};
    }
    // Nothing waits for the new process: its handles are released at once.
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle owned(process.hProcess);
    return {true, {}};
}

LaunchResult ProcessStarter::OpenWithDefaultProgram(std::string_view target) {
    const std::wstring wide = Widen(target);
    using Function = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto open = Shell32().Get<Function>("ShellExecuteW");
    const auto result = reinterpret_cast<INT_PTR>(
        open != nullptr ? open(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL) : nullptr);
    if (result > 32) return {true, {}};
    return {false, DescribeError(static_cast<DWORD>(::GetLastError()))};
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
