#include "cli/quorvelc.h"

#include <unordered_map>

#include "cli/invocation.h"
#include "cli/listing.h"
#include "listfiles/startup_list.h"
#include "listview/entry_actions.h"
#include "listview/restore.h"
#include "store/ban_enforcement.h"
#include "store/collection.h"
#include "store/program_facts.h"
#include "store/startup_approved.h"
#include "words/folder_words.h"
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

// A folder that cannot be read is said on standard error; what the others hold still counts.
EntryTable Collected(const QuorvelcPorts& ports) {
    EntryTable entries;
    for (const UnreadFolder& unread : CollectEntries(ports.registry, ports.folders, entries))
        ports.console.Err(
            words::CliFolderUnread(words::FolderUnread(ports.folders.PathOf(unread.folder), unread.reason)));
    return entries;
}

// Where the entry stands, as the list of an ambiguous name's places shows it: the key, or the item's path.
std::string PlaceOf(const StartupEntry& entry) {
    return IsFolderRoot(entry.Root) ? EntryKeyName(entry) + "\\" + words::Readable(entry.FileName)
                                    : EntryKeyName(entry);
}

int List(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports);
    // A command is looked at once and a file examined once, however many entries start them.
    FileFactsCache examined;
    std::unordered_map<std::string, ProgramFacts> by_command;
    std::vector<ProgramFacts> programs;
    programs.reserve(entries.size());
    for (const StartupEntry& entry : entries) {
        auto known = by_command.find(entry.Command);
        if (known == by_command.end()) {
            known = by_command
                        .emplace(entry.Command,
                                 FindProgramFacts(entry.Command, ports.search, ports.registry,
                                                  ports.file_facts, invocation.verify ? &examined : nullptr))
                        .first;
        }
        programs.push_back(known->second);
    }
    switch (invocation.format) {
        case ListFormat::kJson: ports.console.Out(ListJson(entries, programs)); break;
        case ListFormat::kCsv: ports.console.Out(ListCsv(entries, programs)); break;
        case ListFormat::kTable: ports.console.Out(ListTable(entries, programs)); break;
    }
    return kExitDone;
}

int Act(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports);
    const std::string wanted = ports.registry.FoldedName(invocation.name);
    const auto named = [&](const std::string& name, bool readable) {
        return !name.empty() && ports.registry.FoldedName(readable ? words::Readable(name) : name) == wanted;
    };
    std::vector<StartupEntry> matching;
    // A name as the registry has it, or else as `list` shows it: a NUL cannot be typed on a command line.
    // An item goes by its name and by its file name, which tells "Tool.lnk" from a file "Tool".
    for (const bool readable : {false, true}) {
        for (const StartupEntry& entry : entries) {
            if (!named(entry.Name, readable) && !named(entry.FileName, readable)) continue;
            if (invocation.root && OwningRoot(entry.Root) != *invocation.root) continue;
            if (invocation.family && IsFolderRoot(entry.Root) != (*invocation.family == Family::kFolder))
                continue;
            if (invocation.state && entry.State != *invocation.state) continue;
            matching.push_back(entry);
        }
        if (!matching.empty()) break;
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
            places += "  " + PlaceOf(entry) + "\n";
        ports.console.Err(words::CliAmbiguous(invocation.name, places));
        return kExitUsage;
    }
    const StartupEntry& entry = matching.front();
    ConsoleBoxes boxes(ports.console, invocation.replace);
    NoLauncher launcher;
    const ActionPorts action_ports{ports.registry, ports.folders, boxes, launcher, false};
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
    const EntryTable entries = Collected(ports);
    if (invocation.check) {
        const std::vector<StartupEntry> back = BannedValues(ports.registry, entries);
        for (const StartupEntry& entry : back)
            ports.console.Out(words::CliBannedBack(entry.Name, EntryKeyName(entry)));
        return back.empty() ? kExitDone : kExitRefused;
    }
    const BanPass pass = EnforceBans(ports.registry, ports.folders, entries);
    for (const StartupEntry& entry : pass.deleted)
        ports.console.Out(words::CliDeleted(entry.Name, EntryKeyName(entry)));
    for (const RefusedDeletion& refused : pass.refused)
        ports.console.Err(
            words::CliNotDeleted(refused.entry.Name, EntryKeyName(refused.entry), refused.reason));
    return pass.refused.empty() ? kExitDone : kExitRefused;
}

int Save(const Invocation& invocation, const QuorvelcPorts& ports) {
    const EntryTable entries = Collected(ports);
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
    // Entries this system cannot place are told and skipped; the others are placed by the rule the
    // window's actions on a loaded list follow.
    EntryTable placeable;
    bool skipped = false;
    for (const StartupEntry& entry : list.entries) {
        const bool known_state = !PathOfState(entry.State).empty();
        if (known_state && (ports.registry.HasRoot(entry.Root) || IsFolderRoot(entry.Root))) {
            placeable.push_back(entry);
            continue;
        }
        ports.console.Err(
            words::CliSkipped(entry.Name, known_state ? words::kCliUnknownRoot : words::kCliUnknownState));
        skipped = true;
    }
    ConsoleBoxes boxes(ports.console, true);
    NoLauncher launcher;
    const RestoreResult result = RestoreEntries(
        placeable, Collected(ports), {ports.registry, ports.folders, boxes, launcher, false},
        invocation.check, [&](const std::string& difference) { ports.console.Out(difference); });
    if (skipped || result.failed) return kExitRefused;
    return invocation.check && result.differences > 0 ? kExitRefused : kExitDone;
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
