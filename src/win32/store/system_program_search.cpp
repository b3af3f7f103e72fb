#include "win32/store/system_program_search.h"

#include <windows.h>

#include <algorithm>

#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

// A folder the system names, without its terminating character.
template <typename Ask>
std::string SystemFolder(Ask ask) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ask(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::string() : Narrow(std::wstring_view(folder, length));
}

}  // namespace

bool SystemProgramSearch::IsFile(std::string_view path) {
    // A NUL would end the path early at the boundary, and so find another file.
    if (path.empty() || path.find('\0') != std::string_view::npos) return false;
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> SystemProgramSearch::SearchFolders() {
    std::vector<std::string> folders;
    const std::string system = SystemFolder(::GetSystemDirectoryW);
    const std::string windows = SystemFolder(::GetWindowsDirectoryW);
    if (!system.empty()) folders.push_back(system);
    if (!windows.empty()) {
        folders.push_back(windows + "\\System");
        folders.push_back(windows);
    }
    const DWORD size = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::GetEnvironmentVariableW(L"PATH", path.data(), size);
    path.resize(length < size ? length : 0);
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(L';', start), path.size());
        std::wstring_view folder = std::wstring_view(path).substr(start, end - start);
        // PATH may quote a folder: "C:\Program Files\Tool";C:\Bin
        while (!folder.empty() && (folder.front() == L'"' || folder.front() == L' '))
            folder.remove_prefix(1);
        while (!folder.empty() && (folder.back() == L'"' || folder.back() == L' '))
            folder.remove_suffix(1);
        if (!folder.empty()) folders.push_back(Narrow(folder));
        start = end + 1;
    }
    return folders;
}

std::string SystemProgramSearch::ExpandVariables(std::string_view text) {
    const std::wstring wide = Widen(text);
    if (wide.empty() || wide.find(L'%') == std::wstring::npos) return std::string(text);
    const DWORD needed = ::ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    const DWORD length = needed == 0 ? 0 : ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
    // Too long to expand (the system stops at 32K characters): as written, like a value it cannot read.
    if (length == 0 || length > needed) return std::string(text);
    expanded.resize(length - 1);
    return Narrow(expanded);
}

}  // namespace quorvel::win32
