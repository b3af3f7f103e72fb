#pragma once
// Command ids of every menu item, shared by the menus the system draws and the code that answers them.

#include <cstdint>

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
    // Entry menu of the hidden window; the codes of PopupChoice are these minus kEnable plus 1
    kEnable = 400,
    kDisable,
    kBan,
    kDelet,
    kExecut,
    // Tray menu of the hidden window
    kShowa = 500,
    kTrayExit,
};

}  // namespace quorvel
