#pragma once
// Real menus built from the program's menu tables. The system draws each item with its caption, so
// that screen readers announce it and a typed first letter chooses it; the images handed out at
// start-up are drawn by the program beside the caption, from the image list of the window's DPI.

#include <windows.h>

#include <map>
#include <span>

#include "app/menu_layout.h"
#include "platform/option_menu.h"

namespace quorvel::win32 {

class ImageSet;

// The main window's menu bar, as built (check marks included).
HMENU BuildMenuBar();
// A pop-up menu with the given items.
HMENU BuildPopupMenu(std::span<const MenuItemLayout> items);

// The answer to WM_MENUCHAR: the item of `menu` whose caption starts with the typed letter, chosen
// when it is the only one and selected in turn when several share the letter. Captions carry no
// '&' of their own, and not every system falls back to their first letters.
LRESULT ChooseByFirstLetter(HMENU menu, wchar_t letter);

// Gives the items their images and draws them when the system asks.
class MenuImages {
  public:
    // Gives the item of `menu` (or of one of its submenus) an image that its owner window draws.
    // False when no item of the menu has that command.
    bool Give(HMENU menu, Command command, Image image);
    // The size of an item's image, at the DPI of the images.
    void Measure(MEASUREITEMSTRUCT& item, const ImageSet& images) const;
    void Draw(const DRAWITEMSTRUCT& item, const ImageSet& images) const;

  private:
    std::map<UINT, Image> images_;
};

// The Option menu's check marks, which are the options themselves.
class MenuOptions final : public OptionMenu {
  public:
    explicit MenuOptions(HMENU menu_bar) : menu_(menu_bar) {}
    HMENU MenuBar() const { return menu_; }
    bool IsChecked(Option option) const override;
    void SetChecked(Option option, bool checked) override;

  private:
    HMENU menu_;
};

}  // namespace quorvel::win32
