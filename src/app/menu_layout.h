#pragma once
// The menus of both windows: captions, check marks as built, and the image each item carries.
// The Win32 layer builds the real menus from these tables; nothing else spells a caption.

#include <array>
#include <span>
#include <string_view>

#include "app/commands.h"

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
};

struct MenuLayout {
    std::string_view caption;
    std::span<const MenuItemLayout> items;
};

inline constexpr std::array<MenuItemLayout, 6> kOptionItems{{
    {Command::kRefresha, "Refresh"},
    {Command::kEnableVisible, "Enable Visible", true},
    {Command::kDisableVisible, "Disable Visible", true},
    {Command::kBanVisible, "Ban Visible", false},
    {Command::kExitAfterCleaning, "Exit After Cleaning", false},
    {Command::kSortinga, "Sorting by Name", false},
}};
inline constexpr std::array<MenuItemLayout, 4> kToolItems{{
    {Command::kRegedit, "Regedit"},
    {Command::kLoadStartUp, "Load StartUp"},
    {Command::kSaveStartUp, "Save StartUp"},
    {Command::kExit, "Exit"},
}};
inline constexpr std::array<MenuItemLayout, 3> kHelpItems{{
    {Command::kDocument, "Document"},
    {Command::kAbout, "About"},
    {Command::kWebSite, "Web Site"},
}};
inline constexpr std::array<MenuLayout, 3> kMenuBar{{
    {"Option", kOptionItems},
    {"Tool", kToolItems},
    {"Help", kHelpItems},
}};

// The hidden window's two pop-up menus.
inline constexpr std::array<MenuItemLayout, 5> kEntryMenuItems{{
    {Command::kEnable, "Enable"},
    {Command::kDisable, "Disable"},
    {Command::kBan, "Ban"},
    {Command::kDelet, "Delete"},
    {Command::kExecut, "Execute"},
}};
inline constexpr std::array<MenuItemLayout, 2> kTrayMenuItems{{
    {Command::kShowa, "Show"},
    {Command::kTrayExit, "Exit"},
}};

// The images handed to the menu items at start, in the order in which they are handed out.
struct MenuBitmap {
    bool on_hidden_window;
    Command command;
    Image image;
};
inline constexpr std::array<MenuBitmap, 13> kMenuBitmaps{{
    {false, Command::kRegedit, kImageRegistryEditor},
    {false, Command::kExit, kImageExitDelete},
    {false, Command::kDocument, kImageDocument},
    {false, Command::kAbout, kImageAbout},
    {false, Command::kWebSite, kImageWebSite},
    {true, Command::kExecut, kImageExecute},
    {false, Command::kRefresha, kImageRefresh},
    {true, Command::kBan, kImageBanned},
    {true, Command::kDisable, kImageDisabled},
    {true, Command::kEnable, kImageEnabled},
    {true, Command::kShowa, kImageProgram},
    {true, Command::kTrayExit, kImageExitDelete},
    {true, Command::kDelet, kImageExitDelete},
}};

}  // namespace quorvel
