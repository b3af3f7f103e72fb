#include "platform/win32/app/menus.h"

#include <commctrl.h>

#include "platform/win32/app/images.h"
#include "platform/win32/shared/dpi.h"
#include "platform/win32/shared/text.h"

namespace quorvel::win32 {
namespace {

UINT Id(Command command) { return static_cast<UINT>(command); }

// Sizes at 96 dpi: the gutter holds a check mark or an image, then the caption follows.
constexpr int kGutter = 26;
constexpr int kTextPaddingRight = 20;
constexpr int kMinimumHeight = 22;

void AppendItems(HMENU menu, std::span<const MenuItemLayout> items) {
    for (const MenuItemLayout& item : items) {
        const UINT flags = MF_OWNERDRAW | (item.checked_as_built ? MF_CHECKED : MF_UNCHECKED);
        // The item's table entry lives as long as the program and tells the painter its caption.
        ::AppendMenuW(menu, flags, Id(item.command), reinterpret_cast<const wchar_t*>(&item));
    }
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

const MenuItemLayout& LayoutOf(ULONG_PTR data) { return *reinterpret_cast<const MenuItemLayout*>(data); }

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

void MenuPainter::SetDpi(UINT dpi) {
    dpi_ = dpi;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        font_.reset(::CreateFontIndirectW(&metrics.lfMenuFont));
    } else {
        font_.reset(CreateUiFont(dpi));
    }
}

void MenuPainter::Measure(MEASUREITEMSTRUCT& item) const {
    const std::wstring caption = Widen(LayoutOf(item.itemData).caption);
    WindowDC screen(nullptr);
    SelectGuard font(screen.get(), font_.get());
    RECT text{};
    ::DrawTextW(screen.get(), caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    item.itemWidth = static_cast<UINT>(Scale(kGutter + kTextPaddingRight, dpi_) + (text.right - text.left));
    item.itemHeight =
        static_cast<UINT>(std::max(Scale(kMinimumHeight, dpi_), static_cast<int>(text.bottom) + 8));
}

void MenuPainter::Draw(const DRAWITEMSTRUCT& item, const ImageSet& images) const {
    const MenuItemLayout& layout = LayoutOf(item.itemData);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    ::FillRect(dc, &area, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

    const int gutter = Scale(kGutter, dpi_);
    const int middle = (area.top + area.bottom) / 2;
    const auto image = images_.find(layout.command);
    if (image != images_.end() && image->second != kImageNone) {
        const int size = images.Size();
        ImageList_Draw(images.List(), image->second - 1, dc, area.left + (gutter - size) / 2,
                       middle - size / 2, ILD_TRANSPARENT);
    } else if (checked) {
        // The system's own check-mark glyph, in the text colour of the item.
        LOGFONTW marlett{};
        marlett.lfHeight = -Scale(12, dpi_);
        marlett.lfCharSet = SYMBOL_CHARSET;
        wcscpy_s(marlett.lfFaceName, L"Marlett");
        UniqueHFont check_font(::CreateFontIndirectW(&marlett));
        SelectGuard font(dc, check_font.get());
        RECT box{area.left, area.top, area.left + gutter, area.bottom};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        ::DrawTextW(dc, L"a", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    SelectGuard font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor((item.itemState & ODS_GRAYED) != 0 ? COLOR_GRAYTEXT
                                     : selected                         ? COLOR_HIGHLIGHTTEXT
                                                                        : COLOR_MENUTEXT));
    RECT text{area.left + gutter + Scale(4, dpi_), area.top, area.right, area.bottom};
    const std::wstring caption = Widen(layout.caption);
    ::DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool MenuOptions::IsChecked(Option option) const {
    return (::GetMenuState(menu_, Id(CommandOf(option)), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuOptions::SetChecked(Option option, bool checked) {
    ::CheckMenuItem(menu_, Id(CommandOf(option)), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace quorvel::win32
