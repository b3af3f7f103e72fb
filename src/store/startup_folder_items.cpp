#include "store/startup_folder_items.h"

namespace quorvel {
namespace {

constexpr std::string_view kShortcutExtension = ".lnk";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string ItemEntryName(std::string_view file_name) {
    // A file named only ".lnk" keeps it: an empty name is the registry's unnamed value elsewhere.
    if (file_name.size() <= kShortcutExtension.size() || !IsShortcutFileName(file_name))
        return std::string(file_name);
    return std::string(file_name.substr(0, file_name.size() - kShortcutExtension.size()));
}

bool IsShortcutFileName(std::string_view file_name) {
    if (file_name.size() < kShortcutExtension.size()) return false;
    const std::string_view extension = file_name.substr(file_name.size() - kShortcutExtension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = extension[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kShortcutExtension[i]) return false;
    }
    return true;
}

bool IsItemFileName(std::string_view file_name) {
    if (file_name.empty() || file_name == "." || file_name == "..") return false;
    for (const char c : file_name) {
        // A separator would reach into another folder, a colon into a stream or another drive.
        if (c == '\\' || c == '/' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

StartupFolder StartupFolderOf(StartupFolder folder) {
    return IsAllUsers(folder) ? StartupFolder::kAllUsers : StartupFolder::kUser;
}

StartupFolder DisabledFolderOf(StartupFolder folder) {
    return IsAllUsers(folder) ? StartupFolder::kAllUsersDisabled : StartupFolder::kUserDisabled;
}

bool IsAllUsers(StartupFolder folder) {
    return folder == StartupFolder::kAllUsers || folder == StartupFolder::kAllUsersDisabled;
}

RootKey RootOfFolder(StartupFolder folder) {
    return IsAllUsers(folder) ? kAllUsersStartupFolder : kUserStartupFolder;
}

StartupFolder FolderOfEntry(RootKey root, std::int16_t state) {
    const StartupFolder family =
        root == kAllUsersStartupFolder ? StartupFolder::kAllUsers : StartupFolder::kUser;
    return state == kStateEnabled ? family : DisabledFolderOf(family);
}

StartupEntry ItemEntry(const FolderItem& item, StartupFolder folder, std::string folder_path) {
    const bool started = folder == StartupFolderOf(folder);
    StartupEntry entry = MakeEntry(item.file_name, ItemCommand(item),
                                   started ? kStateEnabled : kStateDisabled, RootOfFolder(folder));
    entry.Folder = std::move(folder_path);
    return entry;
}

std::string ItemCommand(const FolderItem& item) {
    const bool by_target = item.shortcut && !item.target.empty();
    const std::string_view program = by_target ? std::string_view(item.target) : std::string_view(item.path);
    std::string command;
    // A path cannot hold a quotation mark, so quoting it is never ambiguous.
    if (program.find_first_of(" \t") != std::string_view::npos) {
        command = '"';
        command += program;
        command += '"';
    } else {
        command = program;
    }
    if (by_target && !item.arguments.empty()) {
        command += ' ';
        command += item.arguments;
    }
    return command;
}

ShortcutParts SplitItemCommand(std::string_view command) {
    ShortcutParts parts;
    std::size_t rest = 0;
    if (command.starts_with('"')) {
        const std::size_t close = command.find('"', 1);
        if (close == std::string_view::npos) return {std::string(command.substr(1)), {}};
        parts.target = command.substr(1, close - 1);
        rest = close + 1;
    } else {
        rest = 0;
        while (rest < command.size() && !IsBlank(command[rest]))
            ++rest;
        parts.target = command.substr(0, rest);
    }
    // Exactly the one blank ItemCommand puts between them: the arguments' own blanks are theirs.
    if (rest < command.size() && IsBlank(command[rest])) ++rest;
    parts.arguments = command.substr(rest);
    return parts;
}

ApprovalKey ApprovalKeyOfFolder(StartupFolder folder) { return *ApprovalKeyOf(RootOfFolder(folder)); }

std::vector<std::string> ItemsSwitchedOff(Registre& registry, StartupFolder folder) {
    const ApprovalKey key = ApprovalKeyOfFolder(folder);
    std::vector<NamedValue> records;
    registry.ListRawValues(records, key.root, key.path);
    std::vector<std::string> off;
    for (NamedValue& record : records) {
        if (SwitchesOff(record.value)) off.push_back(std::move(record.name));
    }
    return off;
}

bool SwitchItemOn(Registre& registry, StartupFolder folder, std::string_view file_name) {
    const ApprovalKey key = ApprovalKeyOfFolder(folder);
    return registry.WriteRawValue(key.root, key.path, file_name, SwitchedOnRecord());
}

}  // namespace quorvel
