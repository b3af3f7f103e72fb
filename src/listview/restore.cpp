#include "listview/restore.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "listview/folder_actions.h"
#include "store/startup_folder_items.h"
#include "words/folder_words.h"
#include "words/words.h"

namespace quorvel {
namespace {

class Restorer {
  public:
    Restorer(const ActionPorts& ports, bool check, const std::function<void(const std::string&)>& tell)
        : ports_(ports), check_(check), tell_(tell) {}

    // `states` are the states the list gives the name under this root; a value of the name in a key of
    // another state is the one to move, and `moved` collects those that were.
    void Place(const StartupEntry& wanted, const std::vector<StartupEntry>& current,
               const std::set<std::int16_t>& states, std::set<std::int16_t>& moved) {
        const StartupEntry* in_place = nullptr;
        const StartupEntry* elsewhere = nullptr;
        for (const StartupEntry& entry : current) {
            if (entry.State == wanted.State && in_place == nullptr) in_place = &entry;
            if (states.contains(entry.State) || moved.contains(entry.State)) continue;
            // Of the values in other keys, the one with the list's command moves with its own type and data.
            if (elsewhere == nullptr ||
                (entry.Command == wanted.Command && elsewhere->Command != wanted.Command))
                elsewhere = &entry;
        }
        // Saved disabled because Windows' startup settings switched it off: standing so still, it matches.
        if (wanted.State == kStateDisabled && in_place == nullptr) {
            for (const StartupEntry& entry : current) {
                if (entry.State == kStateEnabled && entry.SwitchedOff && entry.Command == wanted.Command)
                    return;
            }
        }
        if (in_place == nullptr && elsewhere != nullptr) moved.insert(elsewhere->State);
        const std::string target = EntryKeyName(wanted);
        if (in_place != nullptr) {
            const bool same = in_place->Command == wanted.Command;
            // An entry the list has enabled must start, whatever Windows' settings said of the one there.
            const bool off = wanted.State == kStateEnabled && in_place->SwitchedOff;
            if (same && !off) return;
            // Another command is written over the value there, as a move from the list would write it.
            StartupEntry written = wanted;
            written.State = 0;
            Change(same ? words::CliSwitchedOff(wanted.Name, target)
                        : words::CliOtherCommand(wanted.Name, target, in_place->Command, wanted.Command),
                   [&] {
                       return same ? SwitchOnIfOff(wanted, ports_)
                                   : MoveEntry(written, wanted.State, false, ports_);
                   });
            return;
        }
        // With the list's command, the value itself moves, with its own type and data; with another, the
        // list's command is written and the value there deleted as the move out of that key.
        const bool same = elsewhere != nullptr && elsewhere->Command == wanted.Command;
        StartupEntry moving = same ? *elsewhere : wanted;
        if (!same) moving.State = elsewhere != nullptr ? elsewhere->State : 0;
        Change(elsewhere != nullptr ? words::CliElsewhere(wanted.Name, EntryKeyName(*elsewhere), target)
                                    : words::CliMissing(wanted.Name, target, wanted.Command),
               [&] { return MoveEntry(moving, wanted.State, same, ports_); });
    }

    // `listed` are the folders the list has an item of this file name in; an item in the family's other
    // folder is the one to move, unless the list has one there too.
    void PlaceItem(StartupEntry wanted, const std::vector<StartupEntry>& current,
                   const std::set<StartupFolder>& listed) {
        if (!IsItemFileName(wanted.FileName)) {
            // A name from a file is no path: nothing is done outside the folders.
            ports_.boxes.Fail(words::NoItemFileName(wanted.FileName));
            result_.failed = true;
            return;
        }
        const StartupFolder folder = FolderOfEntry(wanted.Root, wanted.State);
        wanted.Folder = ports_.folders.PathOf(folder);
        const StartupEntry* here = nullptr;
        const StartupEntry* other = nullptr;
        for (const StartupEntry& entry : current) {
            const StartupFolder at = FolderOfEntry(entry.Root, entry.State);
            if (at == folder && here == nullptr) here = &entry;
            if (at != folder && !listed.contains(at) && other == nullptr) other = &entry;
        }
        // A file other than a shortcut is saved as its path, which is another on every machine: its name
        // is all that can match.
        const bool rebuildable = CanRebuild(wanted, ports_.registry);
        const auto same = [&](const StartupEntry& entry) {
            return !rebuildable || entry.Command == wanted.Command;
        };
        // Saved disabled because Windows' startup settings switched it off: standing so still, it matches.
        if (wanted.State == kStateDisabled && here == nullptr && other != nullptr &&
            other->State == kStateEnabled && other->SwitchedOff && same(*other))
            return;
        const std::string target = EntryKeyName(wanted);
        const StartupEntry* found = here != nullptr ? here : other;
        if (found == nullptr) {
            Change(words::CliMissing(wanted.Name, target, wanted.Command),
                   [&] { return RebuildItemEntry(wanted, ports_); });
            return;
        }
        if (found->State != wanted.State) {
            const std::string difference =
                found == here ? words::CliBanned(wanted.Name, target, found->State == kStateBanned)
                              : words::CliElsewhere(wanted.Name, EntryKeyName(*found), target);
            if (!Change(difference, [&] { return MoveItemEntry(*found, wanted.State, ports_); })) return;
        } else if (wanted.State == kStateEnabled && found->SwitchedOff) {
            Change(words::CliSwitchedOff(wanted.Name, target), [&] { return SwitchOnIfOff(*found, ports_); });
        }
        if (!same(*found)) {
            Change(words::CliOtherCommand(wanted.Name, target, found->Command, wanted.Command),
                   [&] { return RebuildItemEntry(wanted, ports_); });
        }
    }

    const RestoreResult& Result() const { return result_; }

  private:
    // Counts and tells the difference and, unless only checking, fixes it: true when what follows may
    // build on it.
    template <typename Fix>
    bool Change(const std::string& difference, Fix&& fix) {
        ++result_.differences;
        if (tell_) tell_(difference);
        if (check_) return true;
        const MoveResult fixed = fix();
        result_.failed = result_.failed || fixed != MoveResult::kMoved;
        result_.restart_as_administrator =
            result_.restart_as_administrator || fixed == MoveResult::kRestartAsAdministrator;
        return fixed == MoveResult::kMoved;
    }

    const ActionPorts& ports_;
    bool check_;
    const std::function<void(const std::string&)>& tell_;
    RestoreResult result_;
};

}  // namespace

RestoreResult RestoreEntries(const EntryTable& wanted, const EntryTable& live, const ActionPorts& ports,
                             bool check, const std::function<void(const std::string&)>& tell) {
    // Root and name (an item's file name), as the registry tells names apart, to what the list wants and
    // what stands there.
    using Place = std::pair<RootKey, std::string>;
    std::map<Place, std::vector<StartupEntry>> wanted_at;
    std::map<Place, std::vector<StartupEntry>> current;
    for (const StartupEntry& entry : wanted)
        wanted_at[{entry.Root, ports.registry.FoldedName(StoredName(entry))}].push_back(entry);
    for (const StartupEntry& entry : live)
        current[{entry.Root, ports.registry.FoldedName(StoredName(entry))}].push_back(entry);
    Restorer restorer(ports, check, tell);
    for (const auto& [place, entries_wanted] : wanted_at) {
        const std::vector<StartupEntry>& there = current[place];
        if (IsFolderRoot(place.first)) {
            std::set<StartupFolder> listed;
            for (const StartupEntry& entry : entries_wanted)
                listed.insert(FolderOfEntry(entry.Root, entry.State));
            for (const StartupEntry& entry : entries_wanted)
                restorer.PlaceItem(entry, there, listed);
            continue;
        }
        std::set<std::int16_t> states;
        for (const StartupEntry& entry : entries_wanted)
            states.insert(entry.State);
        std::set<std::int16_t> moved;
        for (const StartupEntry& entry : entries_wanted)
            restorer.Place(entry, there, states, moved);
    }
    return restorer.Result();
}

}  // namespace quorvel
