#include "win32/shared/disk_files.h"

#include <limits>
#include <optional>

#include "win32/shared/errors.h"
#include "win32/shared/handles.h"
#include "win32/shared/text.h"
#include "win32/store/folder_security.h"

namespace quorvel::win32 {
namespace {

// Files larger than this are no settings file and no startup list.
constexpr LONGLONG kLargestFile = 256 * 1024 * 1024;
// Tries at a temporary name of our own before the folder is taken to refuse new files.
constexpr int kTemporaryNameTries = 100;

// CreateFileW reports failure as INVALID_HANDLE_VALUE; the owner knows only null as "no handle".
UniqueKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// The path in the form that reaches the file system whatever its length: a path longer than MAX_PATH
// works only with the "\\?\" prefix, which in turn takes only a full path. Every path gets it, since
// the temporary file beside a short enough target may itself be too long.
std::optional<std::wstring> FullPath(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::nullopt;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::nullopt;
    full.resize(length);
    return full;
}

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.empty() || path.starts_with(L"\\\\?\\")) return path;
    const std::optional<std::wstring> resolved = FullPath(path);
    if (!resolved) return path;
    const std::wstring& full = *resolved;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace

std::optional<std::string> DiskFiles::ReadFile(std::string_view path) {
    const UniqueKernelHandle file =
        OpenFile(ExtendedPath(Widen(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) {
        Fail(ERROR_OPEN_FAILED);
        return std::nullopt;
    }
    if (size.QuadPart > kLargestFile) {
        Fail(ERROR_FILE_TOO_LARGE);
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        Fail(ERROR_READ_FAULT);
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

bool DiskFiles::Exists(std::string_view path) {
    if (::GetFileAttributesW(ExtendedPath(Widen(path)).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // A file that cannot even be looked at (a locked folder, no rights) is there for all we know.
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool DiskFiles::ReplaceFile(std::string_view path, std::string_view bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return Fail(ERROR_FILE_TOO_LARGE);
    const std::wstring target = ExtendedPath(Widen(path));
    // A fresh name of our own beside the target (same volume, so that the final move is one step);
    // a short one, so that it fits wherever the target's name fits, and made only if it is new.
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    std::wstring temporary;
    UniqueKernelHandle file;
    for (DWORD attempt = 0; !file && attempt < kTemporaryNameTries; ++attempt) {
        temporary = folder + L"qvl" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                    std::to_wstring(::GetTickCount() + attempt) + L".tmp";
        file = OpenFile(temporary, GENERIC_WRITE, 0, CREATE_NEW);
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS) return Fail(ERROR_CANNOT_MAKE);
    }
    if (!file) return Fail(ERROR_CANNOT_MAKE);
    DWORD written = 0;
    const bool complete =
        ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && ::FlushFileBuffers(file.get());
    if (!complete) Fail(ERROR_WRITE_FAULT);
    file.reset();
    if (complete && ::MoveFileExW(temporary.c_str(), target.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (complete) Fail(ERROR_ACCESS_DENIED);
    // Nothing of a failed save stays behind.
    ::DeleteFileW(temporary.c_str());
    return false;
}

bool DiskFiles::CreateFolder(std::string_view path) {
    const std::wstring folder = ExtendedPath(Widen(path));
    // Each missing folder from the top down; those already there are passed by.
    for (size_t slash = folder.find(L'\\', 4);; slash = folder.find(L'\\', slash + 1)) {
        const std::wstring part = folder.substr(0, slash);
        if (!::CreateDirectoryW(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS &&
            slash == std::wstring::npos) {
            return Fail(ERROR_CANNOT_MAKE);
        }
        if (slash == std::wstring::npos) break;
    }
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DiskFiles::OnlyAdministratorsCanChange(std::string_view path) {
    const std::optional<std::wstring> full = FullPath(Widen(path));
    return full && win32::OnlyAdministratorsCanChange(*full);
}

std::string DiskFiles::LastError() const { return DescribeError(last_error_); }

bool DiskFiles::Fail(DWORD otherwise) {
    // A failure the system gave no reason for still gets one.
    const DWORD error = ::GetLastError();
    last_error_ = error != ERROR_SUCCESS ? error : otherwise;
    return false;
}

}  // namespace quorvel::win32
