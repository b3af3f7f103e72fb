#pragma once
// Each program file's details, remembered with the state the file was in when it was examined, so
// that a collection after a change verifies again only the files that changed. Kept for the whole
// run; thousands of files cost a few hundred kilobytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file_facts.h"

namespace quorvel {

class FileFactsCache {
  public:
    // The details remembered for the file in exactly this state, or nullptr. Cheap: a list can show
    // what is known at once and leave the rest to idle moments.
    const FileDetails* Find(std::string_view path, const FileStamp& stamp) const;
    // Examines the file (the expensive call) and remembers its details under this state.
    const FileDetails& Examine(std::string_view path, const FileStamp& stamp, FileFacts& files);

  private:
    // Past this many files (paths that came and went) the memory starts afresh.
    static constexpr std::size_t kMostFiles = 8192;
    struct Known {
        FileStamp stamp;
        FileDetails details;
    };
    // By path without letter case, as Windows finds files.
    std::unordered_map<std::string, Known> known_;
};

}  // namespace quorvel
