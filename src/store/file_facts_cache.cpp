#include "store/file_facts_cache.h"

#include "store/utf16_text.h"

namespace quorvel {

const FileDetails* FileFactsCache::Find(std::string_view path, const FileStamp& stamp) const {
    const auto known = known_.find(AsciiUpperCase(path));
    return known != known_.end() && known->second.stamp == stamp ? &known->second.details : nullptr;
}

const FileDetails& FileFactsCache::Examine(std::string_view path, const FileStamp& stamp, FileFacts& files) {
    std::string key = AsciiUpperCase(path);
    if (known_.size() >= kMostFiles && !known_.contains(key)) known_.clear();
    Known& known = known_[std::move(key)];
    known = {stamp, files.Examine(path)};
    return known.details;
}

}  // namespace quorvel
