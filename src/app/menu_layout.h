#pragma once
// The menus of both windows: captions, check marks as built, and the image each item carries.
// The Win32 layer builds the real menus from these tables.

#include <array>
#include <span>
#include <string_view>

#include "app/commands.h"
#include "platform/entry_action.h"
#include "words/words.h"

namespace quorvel {

// The program's image list, counted from 1. The first three are the state icons of states 1 to 3.
enum Image : int {
    kImageNone = 0,
    kImageBanned = 1,
    kImageDisabled,
    kImageEnabled,
    kImageRegistryEditor,
    kImageExitDelete,
    kImageDocument,
    kImageAbout,
    kImageWebSite,
    kImageExecute,
    kImageRefresh,
    kImageProgram,
};
inline constexpr int kImageCount = 11;

struct MenuItemLayout {
    Command command;
    std::string_view caption;
    bool checked_as_built = false;
    // For the entry menu's items: the code their click gives PopupChoice.
    EntryAction action = EntryAction::kNone;
};

struct MenuLayout {
    std::string_view caption;
    std::span<const MenuItemLayout> items;
};

inline constexpr std::array<MenuItemLayout, 6> kOptionItems{{
    {Command::kRefresha, words::kRefresh},
    {Command::kEnableVisible, words::kEnableVisible, true},
    {Command::kDisableVisible, words::kDisableVisible, true},
    {Command::kBanVisible, words::kBanVisible, false},
    {Command::kExitAfterCleaning, words::kExitAfterCleaning, false},
    {Command::kSortinga, words::kSortingByName, false},
}};
inline constexpr std::array<MenuItemLayout, 4> kToolItems{{
    {Command::kRegedit, words::kRegedit},
    {Command::kLoadStartUp, words::kLoadStartUp},
    {Command::kSaveStartUp, words::kSaveStartUp},
    {Command::kExit, words::kExit},
}};
inline constexpr std::array<MenuItemLayout, 3> kHelpItems{{
    {Command::kDocument, words::kDocument},
    {Command::kAbout, words::kAbout},
    {Command::kWebSite, words::kWebSite},
}};
inline constexpr std::array<MenuLayout, 3> kMenuBar{{
    {words::kOptionMenu, kOptionItems},
    {words::kToolMenu, kToolItems},
    {words::kHelpMenu, kHelpItems},
}};

// The hidden window's two pop-up menus.
inline constexpr std::array<MenuItemLayout, 5> kEntryMenuItems{{
    {Command::kEnable, words::kEnable, false, EntryAction::kEnable},
    {Command::kDisable, words::kDisable, false, EntryAction::kDisable},
    {Command::kBan, words::kBan, false, EntryAction::kBan},
    {Command::kDelet, words::kDelete, false, EntryAction::kDelete},
    {Command::kExecut, words::kExecute, false, EntryAction::kExecute},
}};
inline constexpr std::array<MenuItemLayout, 2> kTrayMenuItems{{
    {Command::kShowa, words::kShow},
    {Command::kTrayExit, words::kExit},
}};

// The images handed to the menu items at start, in the order in which they are handed out.
struct MenuBitmap {
    Command command;
    Image image;
};
inline constexpr std::array<MenuBitmap, 13> kMenuBitmaps{{
    {Command::kRegedit, kImageRegistryEditor},
    {Command::kExit, kImageExitDelete},
    {Command::kDocument, kImageDocument},
    {Command::kAbout, kImageAbout},
    {Command::kWebSite, kImageWebSite},
    {Command::kExecut, kImageExecute},
    {Command::kRefresha, kImageRefresh},
    {Command::kBan, kImageBanned},
    {Command::kDisable, kImageDisabled},
    {Command::kEnable, kImageEnabled},
    {Command::kShowa, kImageProgram},
    {Command::kTrayExit, kImageExitDelete},
    {Command::kDelet, kImageExitDelete},
}};

}  // namespace quorvel
