// Saving into a folder whose path is too long for the short form of paths, and what a failed save
// leaves behind: nothing.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/shared/disk_files.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((L"\\\\?\\" + folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

TEST(DiskFiles, SavesIntoAFolderOfAnyLengthAndNoFailureLeavesATemporaryFile) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring folder = std::wstring(temp) + L"quorvel-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring top = folder;
    DiskFiles files;

    // A folder whose path leaves room for the file's name under MAX_PATH, but not for a temporary one.
    const std::wstring tight = folder + std::wstring(240 - folder.size(), L'n') + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(tight.c_str(), nullptr));
    ASSERT_LT((tight + L"a.stu").size(), static_cast<size_t>(MAX_PATH));
    EXPECT_TRUE(files.ReplaceFile(Narrow(tight + L"a.stu"), " 0 \r\n")) << files.LastError();
    EXPECT_EQ(FilesIn(tight), std::vector<std::wstring>{L"a.stu"});
    ::DeleteFileW((tight + L"a.stu").c_str());
    ::RemoveDirectoryW(tight.c_str());

    for (wchar_t letter : {L'a', L'b', L'c'}) {
        folder += std::wstring(100, letter) + L"\\";
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    ASSERT_GE(folder.size(), 300u);

    const std::string list = Narrow(folder + L"saved.stu");
    ASSERT_TRUE(files.ReplaceFile(list, " 0 \r\n")) << files.LastError();
    EXPECT_EQ(files.ReadFile(list), std::optional<std::string>(" 0 \r\n"));
    ASSERT_TRUE(files.ReplaceFile(list, " 1 \r\n")) << files.LastError();
    EXPECT_EQ(files.ReadFile(list), std::optional<std::string>(" 1 \r\n"));

    // A folder in the file's place: the save fails with the system's reason and leaves nothing.
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder + L"taken.stu").c_str(), nullptr));
    EXPECT_FALSE(files.ReplaceFile(Narrow(folder + L"taken.stu"), " 0 \r\n"));
    EXPECT_FALSE(files.LastError().empty());
    EXPECT_EQ(FilesIn(folder), (std::vector<std::wstring>{L"saved.stu", L"taken.stu"}));

    ::RemoveDirectoryW((L"\\\\?\\" + folder + L"taken.stu").c_str());
    ::DeleteFileW((L"\\\\?\\" + folder + L"saved.stu").c_str());
    for (std::wstring path = folder; path.size() > top.size();
         path.resize(path.find_last_of(L'\\', path.size() - 2) + 1))
        ::RemoveDirectoryW((L"\\\\?\\" + path).c_str());
    ::RemoveDirectoryW(top.c_str());
}

}  // namespace
}  // namespace quorvel::win32
