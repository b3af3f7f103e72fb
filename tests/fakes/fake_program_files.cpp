#include "fakes/fake_program_files.h"

#include "store/utf16_text.h"

namespace quorvel::testing {

void FakeProgramFiles::Put(std::string_view path, FileStamp stamp, FileDetails details) {
    files_[AsciiUpperCase(path)] = {stamp, std::move(details)};
}

void FakeProgramFiles::Remove(std::string_view path) { files_.erase(AsciiUpperCase(path)); }

bool FakeProgramFiles::IsFile(std::string_view path) { return files_.contains(AsciiUpperCase(path)); }

std::optional<FileStamp> FakeProgramFiles::Stamp(std::string_view path) {
    const auto file = files_.find(AsciiUpperCase(path));
    if (file == files_.end()) return std::nullopt;
    return file->second.stamp;
}

FileDetails FakeProgramFiles::Examine(std::string_view path) {
    examined.emplace_back(path);
    const auto file = files_.find(AsciiUpperCase(path));
    return file == files_.end() ? FileDetails{} : file->second.details;
}

}  // namespace quorvel::testing
