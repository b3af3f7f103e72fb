#pragma once
// The hidden window that owns the two pop-up menus: the entry menu and the tray menu.

#include "platform/entry_action.h"

namespace quorvel {

// What the tray menu returned.
enum class TrayChoice { kNone, kShow, kExit };

class PopupMenus {
  public:
    virtual ~PopupMenus() = default;
    // Creates the hidden window if needed and hands the menu items their bitmaps.
    virtual void GiveMenuBitmaps() = 0;
    // Opens the entry menu at the pointer (or below the selected row, for the keyboard) and returns
    // the action of the chosen item; kNone when the menu closed without a choice.
    virtual EntryAction ShowEntryMenu(bool at_pointer) = 0;
    virtual TrayChoice ShowTrayMenu() = 0;
};

}  // namespace quorvel
