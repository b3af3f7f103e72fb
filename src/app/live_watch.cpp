#include "app/live_watch.h"

#include "store/startup_folder_items.h"

namespace quorvel {

bool CleaningScheduler::Changed() {
    if (running_ || settling_) {
        again_ = again_ || running_;
        return false;
    }
    settling_ = true;
    return true;
}

bool CleaningScheduler::BeginPass() {
    if (running_) {
        again_ = true;
        return false;
    }
    running_ = true;
    return true;
}

bool CleaningScheduler::EndPass() {
    running_ = false;
    if (!again_ || settling_) return false;
    again_ = false;
    settling_ = true;
    return true;
}

std::vector<StartupEntry> NewcomerWatch::Newcomers(const EntryTable& entries, SourceSet read) {
    std::vector<StartupEntry> newcomers;
    for (std::size_t source = 0; source < kSourceCount; ++source) {
        if (!read[source]) continue;
        std::set<std::string> now;
        for (const StartupEntry& entry : EntriesOf(entries, source)) {
            if (entry.State != kStateEnabled) continue;
            std::string name = registry_.FoldedName(StoredName(entry));
            if (primed_ && !known_[source].contains(name)) newcomers.push_back(entry);
            now.insert(std::move(name));
        }
        // Forgetting what left means an entry that comes back is news again.
        known_[source] = std::move(now);
    }
    primed_ = true;
    return newcomers;
}

void NewcomerWatch::ExpectOwnWrite(RootKey root, std::string_view name) {
    const std::size_t source =
        IsFolderRoot(root) ? SourceOfFolder(FolderOfEntry(root, kStateEnabled)) : SourceOfKey(root, kRunPath);
    if (source < kSourceCount) known_[source].insert(registry_.FoldedName(name));
}

}  // namespace quorvel
