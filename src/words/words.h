#pragma once
// Every word the user reads: window and menu captions, column headers, state words, questions and
// messages. Texts in quotation marks of the program's first design are kept exactly as they were.
// Nothing here knows the program's types, so that every folder may use it.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::words {

// The program's name: the main window's caption, the tray icon's tip, the title of its messages.
inline constexpr std::string_view kProgram = "Quorvel";
// The hidden window that owns the pop-up menus.
inline constexpr std::string_view kHiddenWindow = "Form2";

// Menus of the main window.
inline constexpr std::string_view kOptionMenu = "Option";
inline constexpr std::string_view kRefresh = "Refresh";
inline constexpr std::string_view kEnableVisible = "Enable Visible";
inline constexpr std::string_view kDisableVisible = "Disable Visible";
inline constexpr std::string_view kBanVisible = "Ban Visible";
inline constexpr std::string_view kExitAfterCleaning = "Exit After Cleaning";
inline constexpr std::string_view kSortingByName = "Sorting by Name";
inline constexpr std::string_view kToolMenu = "Tool";
inline constexpr std::string_view kRegedit = "Regedit";
inline constexpr std::string_view kLoadStartUp = "Load StartUp";
inline constexpr std::string_view kSaveStartUp = "Save StartUp";
inline constexpr std::string_view kExit = "Exit";
inline constexpr std::string_view kHelpMenu = "Help";
inline constexpr std::string_view kDocument = "Document";
inline constexpr std::string_view kAbout = "About";
inline constexpr std::string_view kWebSite = "Web Site";
// The entry menu and the tray menu.
inline constexpr std::string_view kEnable = "Enable";
inline constexpr std::string_view kDisable = "Disable";
inline constexpr std::string_view kBan = "Ban";
inline constexpr std::string_view kDelete = "Delete";
inline constexpr std::string_view kExecute = "Execute";
inline constexpr std::string_view kShow = "Show";

// The entry list's column headers, and the word for each state in its third column.
inline constexpr std::string_view kNameColumn = "Name";
inline constexpr std::string_view kPathColumn = "Path";
inline constexpr std::string_view kStartupColumn = "Startup";
inline constexpr std::string_view kEnabledWord = "Enable";
inline constexpr std::string_view kDisabledWord = "Disable";
inline constexpr std::string_view kBannedWord = "Ban";

// Root keys as users know them from the registry editor.
inline constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
inline constexpr std::string_view kLocalMachine32 = "HKEY_LOCAL_MACHINE (32-bit)";
inline constexpr std::string_view kUnknownRoot = "an unknown root key";
// The Startup folders where a message names the root of an entry.
inline constexpr std::string_view kUserStartupFolder = "the user's Startup folder";
inline constexpr std::string_view kAllUsersStartupFolder = "the Startup folder of all users";

// Where an entry lives, in the list's fourth column, and what is added there for an entry that
// Windows' own startup settings switch off.
inline constexpr std::string_view kLocationColumn = "Location";
inline constexpr std::string_view kUserLocation = "User";
inline constexpr std::string_view kMachineLocation = "Machine";
inline constexpr std::string_view kMachine32Location = "Machine (32-bit)";
inline constexpr std::string_view kUserFolderLocation = "Startup folder";
inline constexpr std::string_view kAllUsersFolderLocation = "Startup folder (all users)";
inline constexpr std::string_view kSwitchedOffNote = ", switched off in Windows' Startup settings";

// The entry menu's questions; each box is titled with its action's caption.
inline constexpr std::string_view kDeleteQuestion = "Are you sure to want delete this StartUp ?";
inline constexpr std::string_view kExecuteQuestion = "Are you sure to want execute this StartUp ?";
// The question, and below it the entry's name and the command that will run.
std::string ExecuteQuestion(std::string_view name, std::string_view command);

// The About box.
inline constexpr std::string_view kAboutCaption = "A Propos";
inline constexpr std::string_view kAboutTitle = "Quorvel 1.0";
inline constexpr std::string_view kAboutCredit = "By the Quorvel developers";
inline constexpr std::string_view kAboutOk = "OK";
inline constexpr std::string_view kAboutSysInfo = "&System Info...";
inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// A name or command as a person reads it. A registry name may hold what no screen shows: a NUL stands
// as U+2400, the symbol for NUL, and a surrogate without its partner (held as its own three bytes, see
// store/utf16_text.h) as a backslash, "u" and its number in four upper-case hex digits ("\uD800").
std::string Readable(std::string_view text);

// A name, command or path as a message quotes it: readable, at most this many characters, the rest left
// out behind an ellipsis, so that no box grows wider than the screen.
inline constexpr std::size_t kQuotedLength = 120;
std::string Shortened(std::string_view text, std::size_t most = kQuotedLength);

// What a failure message says, each naming what failed, why, and what helps where something does.
std::string WindowRefused();
// `verb` is the action in lower case ("disable"); `reason` the system's words; `administrator_note`
// empty, or one of the two below, where only an administrator may make the change.
std::string CouldNotChangeEntry(std::string_view verb, std::string_view name, std::string_view root,
                                std::string_view reason, std::string_view administrator_note);
inline constexpr std::string_view kMachineKeysNeedAdministrator =
    "\n\nEntries of HKEY_LOCAL_MACHINE belong to the whole machine; changing them needs Quorvel to run as an "
    "administrator.";
inline constexpr std::string_view kAllUsersFolderNeedsAdministrator =
    "\n\nItems of the Startup folder of all users start for every user; changing them needs Quorvel to run "
    "as an administrator.";
std::string EntryNowInTwoKeys(std::string_view first_key, std::string_view second_key);
// The target of a move already holds a value of the entry's name (as the registry compares names).
// `source` is where the entry comes from: a key, or kLoadedList.
std::string ReplaceValue(std::string_view target_key, std::string_view name, std::string_view existing,
                         std::string_view source, std::string_view command);
inline constexpr std::string_view kLoadedList = "the loaded startup list";
// A loaded list's entry moves out of a key that holds another command under its name now.
std::string DeleteOtherValue(std::string_view key, std::string_view name, std::string_view live,
                             std::string_view listed);
// The value an action was to act on is no longer where the list showed it.
inline constexpr std::string_view kEntryGone =
    "The value is no longer there: another program changed the key after Quorvel read it. The list now "
    "shows the keys as they are.";
// What a value that holds no text shows where its command would stand.
std::string NotText(unsigned long type);
std::string CouldNotExecute(std::string_view name, std::string_view command, std::string_view reason);
std::string CouldNotStartRegistryEditor(std::string_view reason);
std::string CouldNotOpenWebPage(std::string_view page, std::string_view reason);
inline constexpr std::string_view kEmptyCommandLine = "The command line is empty.";
// The desktop's shell took the request and started nothing.
inline constexpr std::string_view kDesktopShellStartedNothing = "The desktop's shell did not start it.";
// Why a window with administrator rights starts nothing of the user's.
inline constexpr std::string_view kNoDesktopShell =
    "Quorvel runs as an administrator, and no desktop shell of this session can start it as the user "
    "signed in at the desktop. Quorvel never starts it with its own administrator rights: run it from a "
    "Quorvel without them.";
// The main window's caption while it runs as another account than the desktop's.
std::string CaptionRunningAs(std::string_view account);
inline constexpr std::string_view kAnotherAccount = "another account";
inline constexpr std::string_view kRestartAsAdministrator =
    "\n\nRestart Quorvel as an administrator now? Windows asks for your consent; this window closes once "
    "the new one runs.";
std::string CouldNotRestartAsAdministrator(std::string_view reason);
std::string ErrorNumber(unsigned long code);

// The options of the Option menu, when config.ini takes them nowhere.
std::string OptionsNotSaved(std::string_view why);
std::string SettingsUnreadable(std::string_view path);
// `user_path` may be empty: the system names no folder of the user's own.
std::string SettingsUnwritable(std::string_view program_path, std::string_view user_path,
                               std::string_view reason);

// Saved startup lists.
std::string CouldNotSaveList(std::string_view path, std::string_view reason);
std::string ListTooLong(std::size_t entries, std::size_t most);
// `field` is kListName or kListCommand.
std::string LineBreakInList(std::string_view field, std::string_view name, std::string_view root);
std::string DamagedList(std::string_view path, std::size_t line, std::string_view reason);
inline constexpr std::string_view kListCount = "the entry count";
inline constexpr std::string_view kListIsUtf16 =
    "the file is UTF-16 (\"Unicode\") text, which a startup list never is; saved again as ANSI or UTF-8 "
    "text it can be loaded";
inline constexpr std::string_view kListName = "name";
inline constexpr std::string_view kListRoot = "root key";
inline constexpr std::string_view kListState = "state";
inline constexpr std::string_view kListCommand = "command";
// "the state of entry 3 of 5", entries counted from 1.
std::string ListField(std::string_view field, std::size_t entry, std::size_t count);
std::string ListEndsBefore(std::string_view field);
std::string ListEntriesBeyondCount(long long count);
std::string ListNotANumber(std::string_view quoted_line, std::string_view field);
std::string ListOutOfRange(std::string_view field, std::string_view number, long long low, long long high);

// quorvelc, the console companion. Messages for people end with a line break; they go to standard
// error, what scripts read to standard output.
inline constexpr std::string_view kCliUsage =
    "quorvelc: the startup entries of the Run keys and the Startup folders, for scripts and for many\n"
    "machines.\n"
    "\n"
    "  quorvelc list [--json | --csv] [--verify]\n"
    "  quorvelc enable | disable | ban NAME [--user | --machine] [--32] [--registry | --folder]\n"
    "                                       [--enabled | --disabled | --banned] [--replace]\n"
    "  quorvelc delete NAME [--user | --machine] [--32] [--registry | --folder]\n"
    "                       [--enabled | --disabled | --banned]\n"
    "  quorvelc clean [--check]\n"
    "  quorvelc save FILE\n"
    "  quorvelc restore FILE [--check]\n"
    "  quorvelc --help | --version\n"
    "\n"
    "list       every entry: name, state, whether Windows' startup settings switch it off, root, view,\n"
    "           key, value type and command, a Startup folder item's file name, the file an entry starts\n"
    "           and whether that exists; a table, one JSON array, or CSV with a header line; --verify adds\n"
    "           who published the file and whether its signature is verified, which reads every file\n"
    "           (otherwise they say \"not checked\"). An item's root is Startup (the user's folder) or\n"
    "           Common Startup (all users'), its view \"folder\", its key the folder it stands in\n"
    "enable ... the window's action on the entry of that name (an item's name, or its file name); --user,\n"
    "           --machine and --32 (the machine's 32-bit view), --registry (Run values) and --folder\n"
    "           (Startup folder items, --user the user's, --machine all users'), and --enabled,\n"
    "           --disabled and --banned (the key or folder it stands in) pick one of several; a value or\n"
    "           item of that name where it goes stays, unless --replace; ban deletes nothing else: clean\n"
    "           deletes the name where else it stands. Disabled and banned items are kept in\n"
    "           %APPDATA%\\Quorvel\\Disabled Startup and %ProgramData%\\Quorvel\\Disabled Startup\n"
    "clean      one ban-enforcement pass; --check only lists the banned values and items that came back\n"
    "save       the whole startup list as a .stu file, replaced in one step\n"
    "restore    makes the registry and the Startup folders match a saved list (entries it does not\n"
    "           name are left alone; a shortcut is made again, another file cannot be); --check only\n"
    "           lists the differences\n"
    "\n"
    "Exit codes: 0 done, or nothing to do; 1 refused by the system, a value kept in a move's way, or\n"
    "--check found something; 2 no such entry, an ambiguous name, bad usage, or a damaged file.\n";
inline constexpr std::string_view kCliTryHelp = "quorvelc --help lists the commands.\n";
inline constexpr std::string_view kCliName = "name";
inline constexpr std::string_view kCliFile = "file";
inline constexpr std::string_view kCliUnknownState = "its state is none of enabled, disabled and banned";
inline constexpr std::string_view kCliUnknownRoot = "its root key is none that this system has";
inline constexpr std::string_view kCliKept = "\nNothing was changed; --replace replaces that value.\n";
inline constexpr std::string_view kSwitchedOffShort = " (switched off by Windows)";
inline constexpr std::string_view kCliNameHeader = "NAME";
inline constexpr std::string_view kCliStateHeader = "STATE";
inline constexpr std::string_view kCliLocationHeader = "LOCATION";
inline constexpr std::string_view kCliTypeHeader = "TYPE";
inline constexpr std::string_view kCliCommandHeader = "COMMAND";
inline constexpr std::string_view kCliDeleted = "deleted";
inline constexpr std::string_view kCliSwitchedOn = "switched on in Windows' Startup settings";
std::string CliVersion();
std::string CliNoCommand();
std::string CliUnknownCommand(std::string_view command);
std::string CliUnknownOption(std::string_view option, std::string_view command);
std::string CliMissingOperand(std::string_view command, std::string_view what);
std::string CliExtraOperand(std::string_view command, std::string_view operand);
std::string CliOneFormat();
std::string CliUserOrMachine();
std::string CliOneState();
std::string CliRegistryOrFolder();
std::string CliFolderHasNoView();
// A folder could not be listed: its items are left out of what follows.
std::string CliFolderUnread(std::string_view message);
std::string CliNoSuchEntry(std::string_view name);
std::string CliAmbiguous(std::string_view name, std::string_view places);
std::string CliAlready(std::string_view name, std::string_view key);
// `done` is what happened, in the past tense: "disabled", "deleted".
std::string CliDone(std::string_view done, std::string_view name, std::string_view key);
std::string CliBannedBack(std::string_view name, std::string_view key);
std::string CliDeleted(std::string_view name, std::string_view key);
std::string CliNotDeleted(std::string_view name, std::string_view key, std::string_view reason);
std::string CliSaved(std::size_t entries, std::string_view file);
std::string CliCannotRead(std::string_view file, std::string_view reason);
std::string CliDamagedList(std::string_view file, std::size_t line, std::string_view reason);
std::string CliSkipped(std::string_view name, std::string_view reason);
// The differences restore finds, one line each.
std::string CliMissing(std::string_view name, std::string_view key, std::string_view command);
std::string CliElsewhere(std::string_view name, std::string_view where, std::string_view key);
std::string CliOtherCommand(std::string_view name, std::string_view key, std::string_view is,
                            std::string_view should_be);
std::string CliSwitchedOff(std::string_view name, std::string_view key);
// An item stands in Quorvel's folder banned where the list has it disabled, or the other way round.
std::string CliBanned(std::string_view name, std::string_view folder, bool banned_now);

// The balloon of the hidden program for entries that newly appeared in a Run key.
std::string NewEntryTitle(std::string_view name);
std::string NewEntriesTitle(std::size_t count);

}  // namespace quorvel::words
