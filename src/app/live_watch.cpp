#include "app/live_watch.h"

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

std::vector<StartupEntry> NewcomerWatch::Newcomers(const EntryTable& entries) {
    std::set<std::pair<RootKey, std::string>> now;
    std::vector<StartupEntry> newcomers;
    for (const StartupEntry& entry : entries) {
        if (entry.State != kStateEnabled) continue;
        std::pair<RootKey, std::string> place{entry.Root, registry_.FoldedName(StoredName(entry))};
        if (primed_ && !known_.contains(place)) newcomers.push_back(entry);
        now.insert(std::move(place));
    }
    // Forgetting what left means an entry that comes back is news again.
    known_ = std::move(now);
    primed_ = true;
    return newcomers;
}

}  // namespace quorvel
