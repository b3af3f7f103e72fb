#include "platform/win32/list_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/dpi.h"
#include "platform/win32/text.h"

namespace quorvel::win32 {
namespace {

struct Column {
    const wchar_t* header;
    int width_at_96;
};
constexpr Column kColumns[] = {{L"Name", 200}, {L"Path", 300}, {L"Startup", 53}};
constexpr COLORREF kBackground = RGB(224, 224, 224);

// A NUL-terminated UTF-16 copy of UTF-8 text, on the stack when it is short: every rebuild of a long
// list converts four texts per row, and a heap copy costs several times the conversion.
class WideText {
  public:
    explicit WideText(std::string_view utf8) {
        // Every UTF-8 byte becomes at most one UTF-16 unit, invalid bytes included.
        if (utf8.size() < kInline) {
            const int length =
                utf8.empty() ? 0
                             : ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                     inline_, static_cast<int>(kInline));
            inline_[length] = L'\0';
            text_ = inline_;
        } else {
            heap_ = Widen(utf8);
            text_ = heap_.data();
        }
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    wchar_t* data() { return text_; }
    const wchar_t* c_str() const { return text_; }

  private:
    static constexpr size_t kInline = 256;
    wchar_t inline_[kInline];
    std::wstring heap_;
    wchar_t* text_;
};

}  // namespace

void ListView::Create(HWND parent) {
    // No sort header: the list has table order and name order, and name order is an option.
    list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                  LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              instance_, nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetBkColor(list_, kBackground);
    ListView_SetTextBkColor(list_, kBackground);
    ListView_SetTextColor(list_, ::GetSysColor(COLOR_WINDOWTEXT));
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kColumns[i].header);
        column.cx = kColumns[i].width_at_96;
        column.iSubItem = i;
        ListView_InsertColumn(list_, i, &column);
    }
}

void ListView::SetImageList(HIMAGELIST images) {
    ListView_SetImageList(list_, images, LVSIL_SMALL);
    ListView_SetImageList(list_, images, LVSIL_NORMAL);
}

void ListView::ApplyDpi(UINT dpi, HFONT font) {
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int i = 0; i < 3; ++i)
        ListView_SetColumnWidth(list_, i, Scale(kColumns[i].width_at_96, dpi));
}

void ListView::ShowRows(const std::vector<ListRow>& rows) {
    // The settings are read, and the list drawn empty, before the window is built.
    if (list_ == nullptr) return;
    // Rebuilt whole, but without flicker, and a reader of a long list keeps his place and selection.
    const int top = ListView_GetTopIndex(list_);
    const std::optional<EntryIdentity> selected = SelectedEntry();
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    identities_.clear();
    identities_.reserve(rows.size());
    ListView_SetItemCount(list_, static_cast<int>(rows.size()));
    int selected_index = -1;
    for (const ListRow& row : rows) {
        const int index = static_cast<int>(identities_.size());
        identities_.push_back(row.identity);
        WideText name(row.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = name.data();
        item.iImage = row.image - 1;
        item.lParam = index;
        ListView_InsertItem(list_, &item);
        WideText command(row.command);
        ListView_SetItemText(list_, index, 1, command.data());
        WideText word(row.state_word);
        ListView_SetItemText(list_, index, 2, word.data());
        if (selected && row.identity == *selected) selected_index = index;
    }
    if (selected_index >= 0) {
        ListView_SetItemState(list_, selected_index, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (top > 0 && !rows.empty()) {
        RECT first{};
        ListView_GetItemRect(list_, 0, &first, LVIR_BOUNDS);
        ListView_Scroll(list_, 0, top * (first.bottom - first.top));
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

std::optional<EntryIdentity> ListView::SelectedEntry() const {
    const int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (index < 0) return std::nullopt;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!ListView_GetItem(list_, &item) || item.lParam < 0 ||
        static_cast<size_t>(item.lParam) >= identities_.size()) {
        return std::nullopt;
    }
    return identities_[static_cast<size_t>(item.lParam)];
}

void SortRowsByName(std::vector<ListRow>& rows) {
    // Names compare as lstrcmpi compares them (the user's locale, letter case ignored). Each name's sort
    // key is made once, and keys compared byte by byte give exactly that order, without a locale-aware
    // comparison for each of the thousands of pairs a long list needs.
    std::vector<std::vector<BYTE>> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const WideText name(rows[i].name);
        const int size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                         name.c_str(), -1, nullptr, 0, nullptr, nullptr, 0);
        if (size <= 0) continue;
        keys[i].resize(static_cast<size_t>(size));
        ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.c_str(), -1,
                        reinterpret_cast<LPWSTR>(keys[i].data()), size, nullptr, nullptr, 0);
    }
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Byte by byte, unsigned; a key that is a prefix of another comes first.
    const auto before = [&keys](size_t a, size_t b) {
        const std::vector<BYTE>& x = keys[a];
        const std::vector<BYTE>& y = keys[b];
        for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
            if (x[i] != y[i]) return x[i] < y[i];
        }
        return x.size() < y.size();
    };
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<ListRow> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

void ListView::SortByName(std::vector<ListRow>& rows) const { SortRowsByName(rows); }

POINT ListView::SelectedItemAnchor() const {
    POINT point{0, 0};
    const int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    RECT rect{};
    if (index >= 0 && ListView_GetItemRect(list_, index, &rect, LVIR_LABEL)) {
        point = {rect.left, rect.bottom};
    }
    ::ClientToScreen(list_, &point);
    return point;
}

}  // namespace quorvel::win32
