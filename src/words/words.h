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

// Where an entry lives, in the list's fourth column, and what is added there for an entry that
// Windows' own startup settings switch off.
inline constexpr std::string_view kLocationColumn = "Location";
inline constexpr std::string_view kUserLocation = "User";
inline constexpr std::string_view kMachineLocation = "Machine";
inline constexpr std::string_view kMachine32Location = "Machine (32-bit)";
inline constexpr std::string_view kSwitchedOffNote = ", switched off in Windows' Startup settings";

// The entry menu's questions; each box is titled with its action's caption.
inline constexpr std::string_view kDeleteQuestion = "Are you sure to want delete this StartUp ?";
inline constexpr std::string_view kExecuteQuestion = "Are you sure to want execute this StartUp ?";

// The About box.
inline constexpr std::string_view kAboutCaption = "A Propos";
inline constexpr std::string_view kAboutTitle = "Quorvel 1.0";
inline constexpr std::string_view kAboutCredit = "By the Quorvel developers";
inline constexpr std::string_view kAboutOk = "OK";
inline constexpr std::string_view kAboutSysInfo = "&System Info...";
inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// A name, command or path as a message quotes it: at most this many characters, the rest left out
// behind an ellipsis, so that no box grows wider than the screen.
inline constexpr std::size_t kQuotedLength = 120;
std::string Shortened(std::string_view text, std::size_t most = kQuotedLength);

// What a failure message says, each naming what failed, why, and what helps where something does.
std::string WindowRefused();
// `verb` is the action in lower case ("disable"); `reason` the system's words.
std::string CouldNotChangeEntry(std::string_view verb, std::string_view name, std::string_view root,
                                std::string_view reason, bool machine_wide);
std::string EntryNowInTwoKeys(std::string_view first_key, std::string_view second_key);
// The target of a move already holds a value of the entry's name (as the registry compares names).
// `source` is where the entry comes from: a key, or kLoadedList.
std::string ReplaceValue(std::string_view target_key, std::string_view name, std::string_view existing,
                         std::string_view source, std::string_view command);
inline constexpr std::string_view kLoadedList = "the loaded startup list";
// What a value that holds no text shows where its command would stand.
std::string NotText(unsigned long type);
std::string CouldNotExecute(std::string_view name, std::string_view command, std::string_view reason);
std::string CouldNotStartRegistryEditor(std::string_view reason);
std::string CouldNotStartExplorer(std::string_view page, std::string_view reason);
std::string CouldNotOpenWebPage(std::string_view page, std::string_view reason);
inline constexpr std::string_view kEmptyCommandLine = "The command line is empty.";
inline constexpr std::string_view kRestartAsAdministrator =
    "\n\nRestart Quorvel as an administrator now? Windows asks for your consent; this window closes once "
    "the new one runs.";
std::string CouldNotRestartAsAdministrator(std::string_view reason);
std::string ErrorNumber(unsigned long code);

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
std::string ListNotANumber(std::string_view quoted_line, std::string_view field);
std::string ListOutOfRange(std::string_view field, std::string_view number, long long low, long long high);

// The balloon of the hidden program for entries that newly appeared in a Run key.
std::string NewEntryTitle(std::string_view name);
std::string NewEntriesTitle(std::size_t count);

}  // namespace quorvel::words
