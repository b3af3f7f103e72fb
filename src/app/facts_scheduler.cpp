#include "app/facts_scheduler.h"

#include "words/publisher_words.h"

namespace quorvel {

bool FactsScheduler::TooLarge(const ProgramFacts& facts) {
    return !facts.details && facts.stamp && facts.stamp->size > kLargestExamined;
}

bool FactsScheduler::Unexamined(const Known& known) {
    return known.facts.Exists() && !known.facts.details && !TooLarge(known.facts);
}

void FactsScheduler::Plan(std::vector<ListRow>& rows, bool afresh) {
    ++plan_;
    if (afresh) {
        looks_.clear();
        next_look_ = 0;
        examinations_.clear();
        next_examination_ = 0;
        // Only here, where nothing queued points into it.
        if (known_.size() > kMostCommands) known_.clear();
    }
    for (ListRow& row : rows) {
        Entry& entry = *known_.try_emplace(row.stored_command).first;
        Shown shown = ShownOf(entry.second);
        row.publisher = std::move(shown.publisher);
        row.missing = shown.missing;
        if (entry.second.plan == plan_) continue;
        entry.second.plan = plan_;
        looks_.push_back(&entry);
    }
}

std::optional<std::string> FactsScheduler::Step() {
    if (!visible_) return std::nullopt;
    if (next_look_ < looks_.size()) {
        Entry& entry = *looks_[next_look_++];
        if (Look(entry)) return entry.first;
        return std::nullopt;
    }
    // A command looked at again before its examination is queued twice, and one file may be started by
    // several commands: what another step examined meanwhile costs nothing.
    while (next_examination_ < examinations_.size()) {
        Known& known = examinations_[next_examination_]->second;
        if (Unexamined(known)) {
            if (const FileDetails* details = examined_.Find(known.facts.file, *known.facts.stamp)) {
                known.facts.details = *details;
                return examinations_[next_examination_++]->first;
            }
            break;
        }
        ++next_examination_;
    }
    if (next_examination_ == examinations_.size()) return std::nullopt;
    // The first examination of a process would load the trust libraries and stores too: they come in
    // steps of their own, so that no step holds the loop up for more than one of them.
    if (!prepared_) {
        prepared_ = files_.Prepare();
        return std::nullopt;
    }
    Entry& entry = *examinations_[next_examination_++];
    if (Examine(entry.second)) return entry.first;
    return std::nullopt;
}

FactsScheduler::Shown FactsScheduler::ShownFor(std::string_view command) const {
    const auto known = known_.find(std::string(command));
    return known == known_.end() ? Shown{} : ShownOf(known->second);
}

FactsScheduler::Shown FactsScheduler::ShownOf(const Known& known) {
    if (!known.looked) return {};
    if (TooLarge(known.facts)) return {std::string(words::kTooLarge), false};
    return {PublisherColumn(known.facts, {}), !known.facts.Exists() && !known.facts.unreached};
}

bool FactsScheduler::Look(Entry& entry) {
    Known& known = entry.second;
    const Shown before = ShownOf(known);
    // The file a command starts is found once; only a file that was not there is looked for again,
    // as a program installed meanwhile may now be found elsewhere on the search path.
    if (known.looked && known.facts.Exists()) {
        const std::optional<FileStamp> stamp = files_.Stamp(known.facts.file);
        if (stamp != known.facts.stamp) {
            known.facts.stamp = stamp;
            known.facts.details.reset();
        }
    } else {
        known.facts = FindProgramFacts(entry.first, system_, registry_, files_, nullptr);
    }
    if (known.facts.stamp && !known.facts.details) {
        if (const FileDetails* details = examined_.Find(known.facts.file, *known.facts.stamp))
            known.facts.details = *details;
    }
    known.looked = true;
    if (Unexamined(known)) examinations_.push_back(&entry);
    return ShownOf(known) != before;
}

bool FactsScheduler::Examine(Known& known) {
    const Shown before = ShownOf(known);
    known.facts.details = examined_.Examine(known.facts.file, *known.facts.stamp, files_);
    return ShownOf(known) != before;
}

}  // namespace quorvel
