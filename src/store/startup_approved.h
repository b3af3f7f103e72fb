#pragma once
// Windows' own startup settings: since Windows 8 the system switches a Run entry off without moving
// it, by a record of the entry's name in a key of its own. A record is a REG_BINARY of 12 bytes, a
// status then a FILETIME; the entry is off when the lowest bit of the first byte is set (03 or 07,
// Windows writes 03 with the time), on when it is clear (02 or 06, Windows writes 02 and eleven zero
// bytes). No record means on. Quorvel reads the records at every collection and writes one only when
// the user enables an entry that a record keeps off.

#include <optional>
#include <string_view>

#include "platform/registre.h"
#include "store/startup_entry.h"

namespace quorvel {

inline constexpr std::string_view kApprovedRunPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr std::string_view kApprovedRun32Path =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
inline constexpr std::string_view kApprovedStartupFolderPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// Where the records for the Run key of a root stand: the user's and the machine's own Run keys each
// have theirs, and the machine's 32-bit Run key has Run32 in the machine's (64-bit) keys. A Startup
// folder's items have theirs in the root that owns the folder, named by the item's file name.
struct ApprovalKey {
    RootKey root;
    std::string_view path;
};
std::optional<ApprovalKey> ApprovalKeyOf(RootKey root);

bool SwitchesOff(const RegistryValue& record);
// The record Windows writes when it switches an entry on.
RegistryValue SwitchedOnRecord();

// Marks the entries of Run and Run- that a record switches off. Reads each key of records once.
void ReadApprovals(Registre& registry, EntryTable& entries);

// Switches the entry (a value, or a folder's item) on in Windows' startup settings. False, with the
// registry's reason, when refused.
bool SwitchOn(Registre& registry, const StartupEntry& entry);

}  // namespace quorvel
