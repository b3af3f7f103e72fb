#include "app/facts_scheduler.h"

#include <unordered_set>

#include "words/publisher_words.h"

namespace quorvel {

bool FactsScheduler::TooLarge(const ProgramFacts& facts) {
    return !facts.details && facts.stamp && facts.stamp->size > kLargestExamined;
}

void FactsScheduler::Plan(std::vector<ListRow>& rows) {
    looks_.clear();
    examinations_.clear();
    std::unordered_set<std::string_view> planned;
    for (ListRow& row : rows) {
        Shown shown = ShownFor(row.stored_command);
        row.publisher = std::move(shown.publisher);
        row.missing = shown.missing;
        if (planned.insert(row.stored_command).second) looks_.push_back(row.stored_command);
    }
}

std::optional<std::string> FactsScheduler::Step() {
    if (!visible_) return std::nullopt;
    if (!looks_.empty()) {
        std::string command = std::move(looks_.front());
        looks_.pop_front();
        if (Look(command)) return command;
        return std::nullopt;
    }
    // A command looked at twice before its examination is queued twice: the second costs nothing.
    while (!examinations_.empty()) {
        const auto known = known_.find(examinations_.front());
        if (known != known_.end() && known->second.facts.stamp && !known->second.facts.details) break;
        examinations_.pop_front();
    }
    if (examinations_.empty()) return std::nullopt;
    // The first examination of a process would load the trust libraries and stores too: they come in
    // steps of their own, so that no step holds the loop up for more than one of them.
    if (!prepared_) {
        prepared_ = files_.Prepare();
        return std::nullopt;
    }
    std::string command = std::move(examinations_.front());
    examinations_.pop_front();
    if (Examine(command)) return command;
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

bool FactsScheduler::Look(const std::string& command) {
    if (known_.size() >= kMostCommands && !known_.contains(command)) known_.clear();
    Known& known = known_[command];
    const Shown before = ShownOf(known);
    // The file a command starts is found once; only a file that was not there is looked for again,
    // as a program installed meanwhile may now be found elsewhere on the search path.
    ProgramFacts now = known.looked && known.facts.Exists()
                           ? ProgramFacts{known.facts.file, files_.Stamp(known.facts.file), std::nullopt}
                           : FindProgramFacts(command, system_, registry_, files_, nullptr);
    if (now.stamp) {
        if (const FileDetails* details = examined_.Find(now.file, *now.stamp)) now.details = *details;
    }
    known.facts = std::move(now);
    known.looked = true;
    if (known.facts.Exists() && !known.facts.details && !TooLarge(known.facts))
        examinations_.push_back(command);
    return ShownOf(known) != before;
}

bool FactsScheduler::Examine(const std::string& command) {
    Known& known = known_.at(command);
    const Shown before = ShownOf(known);
    // Another command may start the same file, and had it examined since this one was looked at.
    const FileDetails* details = examined_.Find(known.facts.file, *known.facts.stamp);
    known.facts.details =
        details != nullptr ? *details : examined_.Examine(known.facts.file, *known.facts.stamp, files_);
    return ShownOf(known) != before;
}

}  // namespace quorvel
