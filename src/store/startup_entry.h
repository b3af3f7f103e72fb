#pragma once
// The in-memory picture of what starts at logon: one StartupEntry per value found in the Run, Run- and
// Ban- keys of both roots, and per item of the Startup folders and of Quorvel's folders of disabled
// items beside them. The table grows with the registry: a fixed capacity would let junk values in the
// first keys push the bans out of view, and so switch them off.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/list_control.h"
#include "platform/registre.h"

namespace quorvel {

inline constexpr std::string_view kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunDisabledPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-";
inline constexpr std::string_view kBanPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Ban-";

// State codes, as stored in saved startup lists.
inline constexpr std::int16_t kStateBanned = 1;
inline constexpr std::int16_t kStateDisabled = 2;
inline constexpr std::int16_t kStateEnabled = 3;

// Where a state's values live; empty for a code that is no state.
std::string_view PathOfState(std::int16_t state);
// "Enable", "Disable", "Ban"; empty for a code that is no state.
std::string_view StateWord(std::int16_t state);
// The entry's key: its name followed by "-" and the state code ("Name-3").
std::string MakeKey(std::string_view name, std::int16_t state);

struct StartupEntry {
    std::string Name;
    // An item of a Startup folder: its file name ("Tool.lnk", where Name is "Tool"), which tells it apart
    // from a file named "Tool"; empty for a value of a key.
    std::string FileName;
    // The folder the item was found in; empty for a value, and for an item of a loaded list.
    std::string Folder;
    std::string Key;
    std::string Command;
    std::int16_t State = 0;
    RootKey Root = 0;
    // The value's registry type; REG_EXPAND_SZ holds %NAME% references to expand before it runs.
    std::uint32_t Type = kValueTypeString;
    // Windows' own startup settings hold a record that switches the entry off (see startup_approved.h).
    bool SwitchedOff = false;
    // The entry's place in the loaded list it comes from, from 1; 0 for one read from the registry.
    std::size_t ListPosition = 0;

    EntryIdentity Identity() const { return {Root, Key, ListPosition}; }
    // The same entry, whatever place a list gave it: telling rows apart is the identity's work.
    bool operator==(const StartupEntry& other) const {
        return Name == other.Name && FileName == other.FileName && Key == other.Key &&
               Command == other.Command && State == other.State && Root == other.Root && Type == other.Type &&
               SwitchedOff == other.SwitchedOff;
    }
};

// Under a Startup folder's root, `name` is the item's file name, as a saved list stores it too.
StartupEntry MakeEntry(std::string name, std::string command, std::int16_t state, RootKey root,
                       std::uint32_t type = kValueTypeString);

// Whether the root is a Startup folder's rather than the registry's.
bool IsFolderRoot(RootKey root);
// The registry root whose Ban- key and records belong to the entry's root: a folder's, or the root itself.
RootKey OwningRoot(RootKey root);
// The name the entry's own store knows it by: the value's name, or the item's file name.
const std::string& StoredName(const StartupEntry& entry);

// The state the entry is shown and saved with: an entry of Run that Windows' startup settings switch
// off does not start, so it counts as disabled, wherever its value stands.
std::int16_t ShownState(const StartupEntry& entry);

// The roots, in the order in which the table is filled; the 32-bit view only where the system has it.
inline constexpr std::array<RootKey, 3> kRoots{kLocalMachine, kLocalMachine32, kCurrentUser};

// The startup keys, in the order in which the table is filled.
struct EntrySource {
    RootKey root;
    std::string_view path;
    std::int16_t state;
};
inline constexpr std::array<EntrySource, 9> kEntrySources{{
    {kLocalMachine, kRunPath, kStateEnabled},
    {kLocalMachine, kRunDisabledPath, kStateDisabled},
    {kLocalMachine, kBanPath, kStateBanned},
    {kLocalMachine32, kRunPath, kStateEnabled},
    {kLocalMachine32, kRunDisabledPath, kStateDisabled},
    {kLocalMachine32, kBanPath, kStateBanned},
    {kCurrentUser, kRunPath, kStateEnabled},
    {kCurrentUser, kRunDisabledPath, kStateDisabled},
    {kCurrentUser, kBanPath, kStateBanned},
}};

using EntryTable = std::vector<StartupEntry>;

// A root's name as users know it from the registry editor.
std::string_view RootName(RootKey root);
// A key's full name as the registry editor shows it: "HKEY_CURRENT_USER\\SOFTWARE\\...\\Run-", and
// for the 32-bit view "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\...". Under a folder's root, the
// path is the folder's and names it alone.
std::string KeyName(RootKey root, std::string_view path);
// The full name of the key the entry's value stands in, or the folder its item stands in.
std::string EntryKeyName(const StartupEntry& entry);
// Where an entry lives, in the list's words: "User", "Machine", "Machine (32-bit)", "Startup folder".
std::string_view LocationWord(RootKey root);
// Whether a change under the root needs the right to change the whole machine.
bool IsMachineWide(RootKey root);

// The last entry with this identity, or nullptr.
const StartupEntry* FindEntry(const EntryTable& entries, const EntryIdentity& identity);

}  // namespace quorvel
