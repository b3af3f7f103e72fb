// The program's menus as the system holds them: every item gives its caption to whoever asks (a screen
// reader, the keyboard's letter search), also once it carries its image.

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "app/menu_layout.h"
#include "win32/app/form1_window.h"
#include "win32/app/form2_window.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

std::string Caption(HMENU menu, Command command) {
    wchar_t text[128] = {};
    const int length = ::GetMenuStringW(menu, static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
    return Narrow(std::wstring_view(text, static_cast<size_t>(length)));
}

void ExpectCaptions(HMENU menu, std::span<const MenuItemLayout> items) {
    for (const MenuItemLayout& item : items)
        EXPECT_EQ(Caption(menu, item.command), item.caption);
}

TEST(Menus, EveryItemOfBothWindowsGivesItsCaptionAlsoWithItsImage) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    Form1Window window(instance);
    ASSERT_NE(window.Handle(), nullptr);
    Form2Window popups(instance, window);
    popups.GiveMenuBitmaps();

    const HMENU bar = ::GetMenu(window.Handle());
    for (const MenuLayout& menu : kMenuBar)
        ExpectCaptions(bar, menu.items);
    ExpectCaptions(popups.EntryMenu(), kEntryMenuItems);
    ExpectCaptions(popups.TrayMenu(), kTrayMenuItems);

    // The images are drawn beside the captions, not in their place.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP | MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(popups.EntryMenu(), static_cast<UINT>(Command::kBan), FALSE, &info));
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
    EXPECT_EQ(info.fType & (MFT_OWNERDRAW | MFT_BITMAP), 0u);
}

}  // namespace
}  // namespace quorvel::win32
