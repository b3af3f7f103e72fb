#include "platform/win32/shared/disk_files.h"

#include "platform/win32/shared/errors.h"
#include "platform/win32/shared/handles.h"
#include "platform/win32/shared/text.h"

namespace quorvel::win32 {
namespace {

// CreateFileW reports failure as INVALID_HANDLE_VALUE; the owner knows only null as "no handle".
UniqueKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

std::optional<std::string> DiskFiles::ReadFile(std::string_view path) {
    const UniqueKernelHandle file =
        OpenFile(Widen(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 256 * 1024 * 1024) {
        Fail();
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        Fail();
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

bool DiskFiles::ReplaceFile(std::string_view path, std::string_view bytes) {
    const std::wstring target = Widen(path);
    // A fresh name beside the target (same volume, so the final move is one step), never a file the
    // user might already have.
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    wchar_t unique[MAX_PATH + 1] = {};
    if (folder.size() >= MAX_PATH - 14) {
        last_error_ = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (::GetTempFileNameW(folder.c_str(), L"qvl", 0, unique) == 0) return Fail();
    const std::wstring temporary = unique;
    {
        UniqueKernelHandle file = OpenFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (!file) return Fail();
        DWORD written = 0;
        const bool complete =
            ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && ::FlushFileBuffers(file.get());
        if (!complete) {
            Fail();
            file.reset();
            ::DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail();
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::string DiskFiles::LastError() const { return DescribeError(last_error_); }

bool DiskFiles::Fail() {
    last_error_ = ::GetLastError();
    return false;
}

}  // namespace quorvel::win32
