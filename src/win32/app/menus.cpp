#include "win32/app/menus.h"

#include <commctrl.h>

#include <vector>

#include "win32/app/images.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

UINT Id(Command command) { return static_cast<UINT>(command); }

void AppendItems(HMENU menu, std::span<const MenuItemLayout> items) {
    for (const MenuItemLayout& item : items) {
        const UINT flags = MF_STRING | (item.checked_as_built ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuW(menu, flags, Id(item.command), Widen(item.caption).c_str());
    }
}

// The menu, `menu` itself or one of its submenus, whose items include the command; nullptr for none.
HMENU MenuHolding(HMENU menu, UINT id) {
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (const HMENU submenu = ::GetSubMenu(menu, i)) {
            if (const HMENU holder = MenuHolding(submenu, id)) return holder;
        } else if (::GetMenuItemID(menu, i) == id) {
            return menu;
        }
    }
    return nullptr;
}

Command CommandOf(Option option) {
    switch (option) {
        case Option::kExitAfterCleaning: return Command::kExitAfterCleaning;
        case Option::kEnableVisible: return Command::kEnableVisible;
        case Option::kDisableVisible: return Command::kDisableVisible;
        case Option::kBanVisible: return Command::kBanVisible;
        case Option::kSortinga: return Command::kSortinga;
    }
    return Command::kNone;
}

}  // namespace

HMENU BuildMenuBar() {
    HMENU bar = ::CreateMenu();
    for (const MenuLayout& menu : kMenuBar) {
        HMENU popup = ::CreatePopupMenu();
        AppendItems(popup, menu.items);
        // The bar owns its pop-ups from here on and destroys them with itself.
        ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                      Widen(menu.caption).c_str());
    }
    return bar;
}

HMENU BuildPopupMenu(std::span<const MenuItemLayout> items) {
    HMENU menu = ::CreatePopupMenu();
    AppendItems(menu, items);
    return menu;
}

LRESULT ChooseByFirstLetter(HMENU menu, wchar_t letter) {
    const auto upper = [](wchar_t c) {
        return static_cast<wchar_t>(
            reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
    };
    const int count = ::GetMenuItemCount(menu);
    std::vector<int> matching;
    int highlighted = -1;
    for (int i = 0; i < count; ++i) {
        wchar_t first[2] = {};
        if (::GetMenuStringW(menu, static_cast<UINT>(i), first, 2, MF_BYPOSITION) > 0 &&
            upper(first[0]) == upper(letter)) {
            matching.push_back(i);
        }
        if ((::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) != 0) highlighted = i;
    }
    if (matching.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matching.size() == 1) return MAKELRESULT(matching.front(), MNC_EXECUTE);
    // Several share the letter: each press moves on to the next of them, as the system's own search does.
    for (const int i : matching) {
        if (i > highlighted) return MAKELRESULT(i, MNC_SELECT);
    }
    return MAKELRESULT(matching.front(), MNC_SELECT);
}

bool MenuImages::Give(HMENU menu, Command command, Image image) {
    const HMENU holder = MenuHolding(menu, Id(command));
    if (holder == nullptr) return false;
    images_[Id(command)] = image;
    // Every item of the menu makes room for an image, also those that have none: a menu whose items
    // differ there may be laid out too narrow for their captions.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = HBMMENU_CALLBACK;
    const int count = ::GetMenuItemCount(holder);
    for (int i = 0; i < count; ++i)
        ::SetMenuItemInfoW(holder, static_cast<UINT>(i), TRUE, &info);
    return true;
}

void MenuImages::Measure(MEASUREITEMSTRUCT& item, const ImageSet& images) const {
    // A little air on both sides of the image, in proportion to its size.
    item.itemWidth = static_cast<UINT>(images.Size() + images.Size() / 4);
    item.itemHeight = static_cast<UINT>(images.Size());
}

void MenuImages::Draw(const DRAWITEMSTRUCT& item, const ImageSet& images) const {
    const auto image = images_.find(item.itemID);
    if (image == images_.end() || image->second == kImageNone) return;
    const RECT& area = item.rcItem;
    const int size = images.Size();
    ImageList_Draw(images.List(), image->second - 1, item.hDC,
                   area.left + (area.right - area.left - size) / 2,
                   area.top + (area.bottom - area.top - size) / 2, ILD_TRANSPARENT);
}

bool MenuOptions::IsChecked(Option option) const {
    return (::GetMenuState(menu_, Id(CommandOf(option)), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuOptions::SetChecked(Option option, bool checked) {
    ::CheckMenuItem(menu_, Id(CommandOf(option)), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace quorvel::win32
