#include "words/words.h"

#include "words/join.h"

namespace quorvel::words {

std::string Readable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string readable;
    readable.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (text[i] == '\0') {
            readable += "\u2400";
        } else if (byte(i) == 0xED && i + 2 < text.size() && byte(i + 1) >= 0xA0 && byte(i + 1) <= 0xBF &&
                   (byte(i + 2) & 0xC0) == 0x80) {
            const unsigned unit = 0xD000u | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
            readable += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                readable += kHex[(unit >> shift) & 0x0F];
            i += 2;
        } else {
            readable += text[i];
        }
    }
    return readable;
}

std::string Shortened(std::string_view raw, std::size_t most) {
    const std::string readable = Readable(raw);
    const std::string_view text = readable;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that is no UTF-8 continuation byte (10xxxxxx).
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters++ == most) return Join(text.substr(0, i), "\u2026");
    }
    return std::string(text);
}

std::string WindowRefused() { return "Quorvel cannot start: Windows refused to create its window."; }

std::string CouldNotChangeEntry(std::string_view verb, std::string_view name, std::string_view root,
                                std::string_view reason, std::string_view administrator_note) {
    return Join("Quorvel could not ", verb, " the startup entry ", Q(name), " of ", root, ".\n\n", reason,
                administrator_note);
}

std::string EntryNowInTwoKeys(std::string_view first_key, std::string_view second_key) {
    return Join("\n\nThe entry now stands in both ", first_key, " and ", second_key,
                "; remove one of them with the registry editor.");
}

std::string ExecuteQuestion(std::string_view name, std::string_view command) {
    return Join(kExecuteQuestion, "\n\n", Q(name), " starts:\n\n    ",
                command.empty() ? std::string("(empty)") : Shortened(command));
}

std::string CouldNotExecute(std::string_view name, std::string_view command, std::string_view reason) {
    return Join("Quorvel could not execute the command of ", Q(name), ":\n\n",
                command.empty() ? std::string("(empty)") : Shortened(command), "\n\n", reason);
}

std::string ReplaceValue(std::string_view target_key, std::string_view name, std::string_view existing,
                         std::string_view source, std::string_view command) {
    return Join(target_key, " already holds a value named ", Q(name), ":\n\n    ", Shortened(existing),
                "\n\nReplace it with ", Q(name), " from ", source, ":\n\n    ", Shortened(command),
                "\n\nNo leaves both values as they are.");
}

std::string DeleteOtherValue(std::string_view key, std::string_view name, std::string_view live,
                             std::string_view listed) {
    return Join(key, " holds a value named ", Q(name), ":\n\n    ", Shortened(live),
                "\n\nThe loaded startup list has ", Q(name), " there as:\n\n    ", Shortened(listed),
                "\n\nDelete the value in ", key, ", as the move would? No keeps it there.");
}

std::string NotText(unsigned long type) {
    return Join("(no text: a value of registry type ", std::to_string(type), ")");
}

std::string CouldNotStartRegistryEditor(std::string_view reason) {
    return Join("Could not start the registry editor (regedit): ", reason);
}

std::string CouldNotOpenWebPage(std::string_view page, std::string_view reason) {
    return Join("Could not open the web page ", page, ": ", reason);
}

std::string CaptionRunningAs(std::string_view account) {
    return Join(kProgram, " (running as ", account, ")");
}

std::string CouldNotRestartAsAdministrator(std::string_view reason) {
    return Join("Quorvel could not restart as an administrator: ", reason,
                "\n\nIt goes on running as it was.");
}

std::string ErrorNumber(unsigned long code) { return Join("Error ", std::to_string(code), "."); }

std::string OptionsNotSaved(std::string_view why) {
    return Join("Quorvel cannot save its options: ", why,
                "\n\nThe options as you set them hold until Quorvel ends.");
}

std::string SettingsUnreadable(std::string_view path) {
    return Join(Q(path), " is there but cannot be read, and is kept as it is.");
}

std::string SettingsUnwritable(std::string_view program_path, std::string_view user_path,
                               std::string_view reason) {
    if (user_path.empty()) return Join(Q(program_path), " cannot be written. ", reason);
    return Join("neither ", Q(program_path), " nor ", Q(user_path), " can be written. ", reason);
}

std::string CouldNotSaveList(std::string_view path, std::string_view reason) {
    return Join("Quorvel could not save the startup list ", Q(path), ".\n\n", reason,
                "\n\nAn older file of that name is unchanged.");
}

std::string ListTooLong(std::size_t entries, std::size_t most) {
    return Join("Quorvel cannot save ", std::to_string(entries),
                " startup entries in one list: a startup list file holds at most ", std::to_string(most),
                ".\n\nNothing was written.");
}

std::string LineBreakInList(std::string_view field, std::string_view name, std::string_view root) {
    return Join(
        "Quorvel cannot save this list: the ", field, " of the startup entry ", Q(name), " of ", root,
        " holds a line break, which a startup list file has no way to store.\n\nNothing was written.");
}

std::string DamagedList(std::string_view path, std::size_t line, std::string_view reason) {
    return Join("The startup list ", Q(path), " is damaged at line ", std::to_string(line), ": ", reason,
                ".\n\nThe list stays empty until the next refresh; the registry is unchanged.");
}

std::string ListField(std::string_view field, std::size_t entry, std::size_t count) {
    return Join("the ", field, " of entry ", std::to_string(entry), " of ", std::to_string(count));
}

std::string ListEndsBefore(std::string_view field) { return Join("the file ends before ", field); }

std::string ListEntriesBeyondCount(long long count) {
    return Join("the entry count on the first line is ", std::to_string(count), ", but more entries follow");
}

std::string ListNotANumber(std::string_view quoted_line, std::string_view field) {
    return Join(quoted_line, " stands where ", field, " should be, and is not a whole number");
}

std::string ListOutOfRange(std::string_view field, std::string_view number, long long low, long long high) {
    return Join(field, " is ", number, ", outside the range ", std::to_string(low), " to ",
                std::to_string(high));
}

std::string CliVersion() { return Join("quorvelc ", QUORVEL_VERSION, "\n"); }
std::string CliNoCommand() { return "quorvelc: no command given."; }
std::string CliUnknownCommand(std::string_view command) {
    return Join("quorvelc: there is no command ", Q(command), ".");
}
std::string CliUnknownOption(std::string_view option, std::string_view command) {
    return Join("quorvelc: the option ", Q(option), " does not go with ", command, ".");
}
std::string CliMissingOperand(std::string_view command, std::string_view what) {
    return Join("quorvelc ", command, " needs a ", what, ".");
}
std::string CliExtraOperand(std::string_view command, std::string_view operand) {
    return Join("quorvelc ", command, " takes nothing more, but was given ", Q(operand), ".");
}
std::string CliOneState() { return "quorvelc: give one of --enabled, --disabled and --banned."; }
std::string CliRegistryOrFolder() {
    return "quorvelc: --registry names the Run keys' values, --folder the Startup folders' items: give one "
           "of "
           "them.";
}
std::string CliFolderHasNoView() {
    return "quorvelc: --32 names a view of the registry, which the Startup folders do not have.";
}
std::string CliFolderUnread(std::string_view message) { return Join("quorvelc: ", message, "\n"); }
std::string CliOneFormat() { return "quorvelc list takes one format: --json or --csv."; }
std::string CliUserOrMachine() {
    return "quorvelc: --user names the user's keys, --machine and --32 the machine's: give one of them.";
}
std::string CliNoSuchEntry(std::string_view name) {
    return Join("quorvelc: no startup entry is named ", Q(name), ".\n");
}
std::string CliAmbiguous(std::string_view name, std::string_view places) {
    return Join("quorvelc: several startup entries are named ", Q(name),
                "; --user, --machine or --32, --registry or --folder, and --enabled, --disabled or --banned "
                "pick one:\n",
                places);
}
std::string CliAlready(std::string_view name, std::string_view key) {
    return Join(key, ": ", Readable(name), ": nothing to do\n");
}
std::string CliDone(std::string_view done, std::string_view name, std::string_view key) {
    return Join(key, ": ", Readable(name), ": ", done, "\n");
}
std::string CliBannedBack(std::string_view name, std::string_view key) {
    return Join(key, ": ", Readable(name), ": banned, would be deleted\n");
}
std::string CliDeleted(std::string_view name, std::string_view key) {
    return Join(key, ": ", Readable(name), ": banned, deleted\n");
}
std::string CliNotDeleted(std::string_view name, std::string_view key, std::string_view reason) {
    return Join("quorvelc: could not delete ", Q(name), " from ", key, ": ", reason, "\n");
}
std::string CliSaved(std::size_t entries, std::string_view file) {
    return Join("saved ", std::to_string(entries), " startup entries to ", file, "\n");
}
std::string CliCannotRead(std::string_view file, std::string_view reason) {
    return Join("quorvelc: cannot read ", Q(file), ": ", reason, "\n");
}
std::string CliDamagedList(std::string_view file, std::size_t line, std::string_view reason) {
    return Join("quorvelc: the startup list ", Q(file), " is damaged at line ", std::to_string(line), ": ",
                reason, ".\n");
}
std::string CliSkipped(std::string_view name, std::string_view reason) {
    return Join("quorvelc: skipped ", Q(name), ": ", reason, ".\n");
}
std::string CliMissing(std::string_view name, std::string_view key, std::string_view command) {
    return Join(key, ": ", Readable(name), ": missing, the list has ", Readable(command), "\n");
}
std::string CliElsewhere(std::string_view name, std::string_view where, std::string_view key) {
    return Join(key, ": ", Readable(name), ": stands in ", where, " instead\n");
}
std::string CliOtherCommand(std::string_view name, std::string_view key, std::string_view is,
                            std::string_view should_be) {
    return Join(key, ": ", Readable(name), ": is ", Readable(is), ", the list has ", Readable(should_be),
                "\n");
}
std::string CliSwitchedOff(std::string_view name, std::string_view key) {
    return Join(key, ": ", Readable(name), ": switched off in Windows' Startup settings\n");
}

std::string CliBanned(std::string_view name, std::string_view folder, bool banned_now) {
    return Join(folder, ": ", Readable(name),
                banned_now ? ": banned, the list has it disabled\n" : ": disabled, the list has it banned\n");
}

std::string NewEntryTitle(std::string_view name) { return Join("New startup entry: ", Shortened(name)); }

std::string NewEntriesTitle(std::size_t count) { return Join(std::to_string(count), " new startup entries"); }

}  // namespace quorvel::words
