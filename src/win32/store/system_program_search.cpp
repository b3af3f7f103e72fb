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

bool SystemProgramSearch::IsRemote(std::string_view path) {
    char drive = 0;
    if (path.starts_with("\\\\") || path.starts_with("//")) {
        // \\?\C:\... is a local path written the long way; \\server\..., \\?\UNC\... and the devices
        // of \\.\ (a pipe may keep a caller waiting too) are not.
        if (!path.starts_with("\\\\?\\") || path.size() < 6 || path[5] != ':') return true;
        drive = path[4];
    } else if (path.size() >= 2 && path[1] == ':') {
        drive = path[0];
    } else {
        return false;
    }
    // A drive letter mapped to a share is the share. Asked again after a second, so that a drive
    // mapped meanwhile is soon known as one.
    const char letter = drive >= 'a' && drive <= 'z' ? static_cast<char>(drive - 'a' + 'A') : drive;
    if (letter < 'A' || letter > 'Z') return false;
    DriveAnswer& answer = drives_[static_cast<std::size_t>(letter - 'A')];
    const std::uint64_t now = ::GetTickCount64();
    if (answer.asked == 0 || now - answer.asked > 1000) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        answer = {now, ::GetDriveTypeW(root) == DRIVE_REMOTE};
    }
    return answer.remote;
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
