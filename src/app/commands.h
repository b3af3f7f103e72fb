#pragma once
// The command id of every menu item, declared once: the menus the system draws carry them, Form1
// answers them, and the end-to-end driver finds them by their names.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

enum class Command : std::uint16_t {
    kNone = 0,
    // Option menu of the main window
    kRefresha = 100,
    kEnableVisible,
    kDisableVisible,
    kBanVisible,
    kExitAfterCleaning,
    kSortinga,
    // Tool menu
    kRegedit = 200,
    kLoadStartUp,
    kSaveStartUp,
    kExit,
    // Help menu
    kDocument = 300,
    kAbout,
    kWebSite,
    // Entry menu of the hidden window
    kEnable = 400,
    kDisable,
    kBan,
    kDelet,
    kExecut,
    // Tray menu of the hidden window
    kShowa = 500,
    kTrayExit,
};

// Each command by the name of its menu item (the tray menu's Exit is "TrayExit").
struct NamedCommand {
    Command command;
    std::string_view name;
};
inline constexpr std::array<NamedCommand, 20> kCommandNames{{
    {Command::kRefresha, "Refresha"},
    {Command::kEnableVisible, "EnableVisible"},
    {Command::kDisableVisible, "DisableVisible"},
    {Command::kBanVisible, "BanVisible"},
    {Command::kExitAfterCleaning, "ExitAfterCleaning"},
    {Command::kSortinga, "Sortinga"},
    {Command::kRegedit, "Regedit"},
    {Command::kLoadStartUp, "LoadStartUp"},
    {Command::kSaveStartUp, "SaveStartUp"},
    {Command::kExit, "Exit"},
    {Command::kDocument, "Document"},
    {Command::kAbout, "About"},
    {Command::kWebSite, "WebSite"},
    {Command::kEnable, "Enable"},
    {Command::kDisable, "Disable"},
    {Command::kBan, "Ban"},
    {Command::kDelet, "Delet"},
    {Command::kExecut, "Execut"},
    {Command::kShowa, "Showa"},
    {Command::kTrayExit, "TrayExit"},
}};

constexpr std::optional<Command> CommandNamed(std::string_view name) {
    for (const NamedCommand& named : kCommandNames) {
        if (named.name == name) return named.command;
    }
    return std::nullopt;
}

}  // namespace quorvel
