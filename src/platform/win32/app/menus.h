#pragma once
// Real menus built from the program's menu tables. The items of the pop-up menus are drawn by the
// program itself, with the image each was given at start-up beside its caption: bitmaps handed to
// the system's menus render with wrong colours and overlapping text on some systems.

#include <windows.h>

#include <map>
#include <span>

#include "app/menu_layout.h"
#include "platform/option_menu.h"
#include "platform/win32/shared/handles.h"

namespace quorvel::win32 {

class ImageSet;

// The main window's menu bar, as built (check marks included).
HMENU BuildMenuBar();
// A pop-up menu with the given items.
HMENU BuildPopupMenu(std::span<const MenuItemLayout> items);

// Measures and paints the owner-drawn items, and remembers which image each item was given.
class MenuPainter {
  public:
    void GiveImage(Command command, Image image) { images_[command] = image; }
    void SetDpi(UINT dpi);
    void Measure(MEASUREITEMSTRUCT& item) const;
    void Draw(const DRAWITEMSTRUCT& item, const ImageSet& images) const;

  private:
    std::map<Command, Image> images_;
    UINT dpi_ = 96;
    UniqueHFont font_;
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
