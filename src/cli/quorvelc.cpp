#include "cli/quorvelc.h"

#include <map>
#include <set>

#include "cli/invocation.h"
#include "cli/listing.h"
#include "listfiles/startup_list.h"
#include "listview/entry_actions.h"
#include "store/ban_enforcement.h"
#include "store/collection.h"
#include "store/startup_approved.h"
#include "words/words.h"

namespace quorvel {
namespace {

// The entry actions' questions and messages, answered without a person: the command itself is the
// confirmation, a value in a move's way is replaced only by restore (whose work that is), and failures
// go to standard error.
class ConsoleBoxes final : public MessageBoxes {
  public:
    ConsoleBoxes(Console& console, bool replace) : console_(console), replace_(replace) {}
    bool Confirm(std::string_view, std::string_view) override { return true; }
    bool AskYesNo(std::string_view text, std::string_view) override {
        if (!replace_) {
            console_.Err(std::string(text) + std::string(words::kCliKept));
            declined_ = true;
        }
        return replace_;
    }
    void Inform(std::string_view text) override { console_.Err(std::string(text) + "\n"); }
    void Fail(std::string_view text) override {
        console_.Err(std::string(text) + "\n");
        failed_ = true;
    }
    // Whether something was refused or kept since the last look.
    bool Refused() {
        const bool refused = failed_ || declined_;
        failed_ = declined_ = false;
        return refused;
    }

  private:
    Console& console_;
    bool replace_;
    bool failed_ = false;
    bool declined_ = false;
};

// quorvelc starts no programs: Execute is the window's alone.
class NoLauncher final : public ProcessLauncher {
  public:
    LaunchResult StartCommandLine(std::string_view, ShowCommand) override { return {}; }
    LaunchResult Open(std::string_view, ShowCommand) override { return {}; }
    LaunchResult StartCommandLineAsDesktopUser(std::string_view, ShowCommand) override { return {}; }
    LaunchResult OpenAsDesktopUser(std::string_view, ShowCommand) override { return {}; }
    LaunchResult StartRegistryEditor() override { return {}; }
    std::string ExpandEnvironment(std::string_view text) override { return std::string(text); }
};

EntryTable Collected(Registre& registry) {
    EntryTable entries;
    CollectEntries(registry, entries);
    return entries;
}

int List(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports.registry);
    switch (invocation.format) {
        case ListFormat::kJson: ports.console.Out(ListJson(entries)); break;
        case ListFormat::kCsv: ports.console.Out(ListCsv(entries)); break;
        case ListFormat::kTable: ports.console.Out(ListTable(entries)); break;
    }
    return kExitDone;
}

int Act(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports.registry);
    std::vector<StartupEntry> matching;
    for (const StartupEntry& entry : entries) {
        if (FoldedName(entry.Name) != FoldedName(invocation.name)) continue;
        if (invocation.root && entry.Root != *invocation.root) continue;
        if (invocation.state && entry.State != *invocation.state) continue;
        matching.push_back(entry);
    }
    if (matching.empty()) {
        ports.console.Err(words::CliNoSuchEntry(invocation.name));
        return kExitUsage;
    }
    // A value of the name already in the key a move goes to is what is moved onto, not a second choice.
    const std::optional<std::int16_t> target = TargetStateOf(invocation.action);
    if (target && matching.size() > 1) {
        std::vector<StartupEntry> to_move = matching;
        std::erase_if(
            to_move, [&](const StartupEntry& entry) { return entry.State == *target && !entry.SwitchedOff; });
        if (to_move.empty()) {
            ports.console.Out(words::CliAlready(matching.front().Name, EntryKeyName(matching.front())));
            return kExitDone;
        }
        matching = std::move(to_move);
    }
    if (matching.size() > 1) {
        std::string places;
        for (const StartupEntry& entry : matching)
            places += "  " + EntryKeyName(entry) + "\n";
        ports.console.Err(words::CliAmbiguous(invocation.name, places));
        return kExitUsage;
    }
    const StartupEntry& entry = matching.front();
    ConsoleBoxes boxes(ports.console, invocation.replace);
    NoLauncher launcher;
    const ActionPorts action_ports{ports.registry, boxes, launcher, false};
    const ActionOutcome outcome = CarryOut(invocation.action, entry, true, action_ports);
    if (boxes.Refused()) return kExitRefused;
    if (outcome == ActionOutcome::kNothing) {
        ports.console.Out(words::CliAlready(entry.Name, EntryKeyName(entry)));
        return kExitDone;
    }
    // Enable of an entry that stands in Run already has switched it on in Windows' startup settings.
    std::string_view done = words::kCliDeleted;
    if (target) done = *target == entry.State ? words::kCliSwitchedOn : StateName(*target);
    ports.console.Out(words::CliDone(done, entry.Name, EntryKeyName(entry)));
    return kExitDone;
}

int Clean(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports.registry);
    if (invocation.check) {
        const std::vector<StartupEntry> back = BannedValues(entries);
        for (const StartupEntry& entry : back)
            ports.console.Out(words::CliBannedBack(entry.Name, EntryKeyName(entry)));
        return back.empty() ? kExitDone : kExitRefused;
    }
    const BanPass pass = EnforceBans(ports.registry, entries);
    for (const StartupEntry& entry : pass.deleted)
        ports.console.Out(words::CliDeleted(entry.Name, EntryKeyName(entry)));
    for (const RefusedDeletion& refused : pass.refused)
        ports.console.Err(
            words::CliNotDeleted(refused.entry.Name, EntryKeyName(refused.entry), refused.reason));
    return pass.refused.empty() ? kExitDone : kExitRefused;
}

int Save(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports.registry);
    const WrittenList written = WriteStartupList(entries, ports.codec);
    if (!written.refusal.empty()) {
        ports.console.Err(written.refusal + "\n");
        return kExitRefused;
    }
    if (!ports.files.ReplaceFile(invocation.file, written.bytes)) {
        ports.console.Err(words::CouldNotSaveList(invocation.file, ports.files.LastError()) + "\n");
        return kExitRefused;
    }
    ports.console.Out(words::CliSaved(entries.size(), invocation.file));
    return kExitDone;
}

// Making the registry match one entry of a saved list: its value stands in the key of its state, with
// its command, under its root. A value of its name in another key of the root is moved there, as the
// window's actions move it (with its own type and data when the command is the same, and switched on in
// Windows' startup settings when it goes into Run); values the list does not name are left alone.
class Restorer {
  public:
    Restorer(const QuorvelcPorts& ports, bool check)
        : ports_(ports), check_(check), boxes_(ports.console, true) {}

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
            Change(same ? words::CliSwitchedOff(wanted.Name, target)
                        : words::CliOtherCommand(wanted.Name, target, in_place->Command, wanted.Command),
                   [&] {
                       const bool written =
                           same || ports_.registry.WriteStringValue(wanted.Root, PathOfState(wanted.State),
                                                                    wanted.Name, wanted.Command);
                       return (written && (!off || SwitchOn(ports_.registry, *in_place))) || Refuse(wanted);
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
               [&] { return Moved(MoveEntry(moving, wanted.State, same, Ports())); });
    }

    void Skip(const StartupEntry& entry, std::string_view reason) {
        ports_.console.Err(words::CliSkipped(entry.Name, reason));
        failed_ = true;
    }

    int ExitCode() const {
        if (failed_) return kExitRefused;
        return check_ && differences_ > 0 ? kExitRefused : kExitDone;
    }

  private:
    ActionPorts Ports() { return {ports_.registry, boxes_, launcher_, false}; }

    template <typename Fix>
    void Change(const std::string& difference, Fix&& fix) {
        ++differences_;
        ports_.console.Out(difference);
        if (!check_ && !fix()) failed_ = true;
    }

    bool Moved(MoveResult result) { return result == MoveResult::kMoved && !boxes_.Refused(); }

    bool Refuse(const StartupEntry& entry) {
        ports_.console.Err(words::CliRefused(entry.Name, ports_.registry.LastError()));
        return false;
    }

    const QuorvelcPorts& ports_;
    bool check_;
    ConsoleBoxes boxes_;
    NoLauncher launcher_;
    int differences_ = 0;
    bool failed_ = false;
};

int Restore(const Invocation& invocation, const QuorvelcPorts& ports) {
    const std::optional<std::string> bytes = ports.files.ReadFile(invocation.file);
    if (!bytes) {
        ports.console.Err(words::CliCannotRead(invocation.file, ports.files.LastError()));
        return kExitUsage;
    }
    const StartupList list = ReadStartupList(*bytes, ports.codec);
    if (list.damage) {
        ports.console.Err(words::CliDamagedList(invocation.file, list.damage->line, list.damage->reason));
        return kExitUsage;
    }
    const EntryTable entries = Collected(ports.registry);
    // Root and name, as the registry tells names apart, to what the list wants and what stands there.
    using Place = std::pair<RootKey, std::string>;
    std::map<Place, std::vector<StartupEntry>> wanted;
    std::map<Place, std::vector<StartupEntry>> current;
    Restorer restorer(ports, invocation.check);
    for (const StartupEntry& entry : list.entries) {
        if (!ports.registry.HasRoot(entry.Root) || PathOfState(entry.State).empty()) {
            restorer.Skip(
                entry, PathOfState(entry.State).empty() ? words::kCliUnknownState : words::kCliUnknownRoot);
            continue;
        }
        wanted[{entry.Root, FoldedName(entry.Name)}].push_back(entry);
    }
    for (const StartupEntry& entry : entries)
        current[{entry.Root, FoldedName(entry.Name)}].push_back(entry);
    for (const auto& [place, entries_wanted] : wanted) {
        const std::vector<StartupEntry>& there = current[place];
        std::set<std::int16_t> states;
        for (const StartupEntry& entry : entries_wanted)
            states.insert(entry.State);
        std::set<std::int16_t> moved;
        for (const StartupEntry& entry : entries_wanted)
            restorer.Place(entry, there, states, moved);
    }
    return restorer.ExitCode();
}

}  // namespace

int RunQuorvelc(const std::vector<std::string>& arguments, const QuorvelcPorts& ports) {
    const ParsedInvocation parsed = ParseInvocation(arguments);
    if (!parsed.invocation) {
        ports.console.Err(parsed.error + "\n" + std::string(words::kCliTryHelp));
        return kExitUsage;
    }
    const Invocation& invocation = *parsed.invocation;
    switch (invocation.verb) {
        case Verb::kHelp: ports.console.Out(words::kCliUsage); return kExitDone;
        case Verb::kVersion: ports.console.Out(words::CliVersion()); return kExitDone;
        case Verb::kList: return List(invocation, ports);
        case Verb::kAct: return Act(invocation, ports);
        case Verb::kClean: return Clean(invocation, ports);
        case Verb::kSave: return Save(invocation, ports);
        case Verb::kRestore: return Restore(invocation, ports);
    }
    return kExitUsage;
}

}  // namespace quorvel
