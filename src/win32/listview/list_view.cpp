#include "win32/listview/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "listview/list_colours.h"
#include "win32/shared/dpi.h"
#include "win32/shared/text.h"
#include "words/publisher_words.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

struct Column {
    std::string_view header;
    int width_at_96;
};
// The first three as they always were; where each entry lives and who made its program come after them.
constexpr Column kColumns[] = {{words::kNameColumn, 200},
                               {words::kPathColumn, 300},
                               {words::kStartupColumn, 53},
                               {words::kLocationColumn, kLocationColumnWidth},
                               {words::kPublisherColumn, kPublisherColumnWidth}};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

Rgb RgbOf(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }
COLORREF ColorOf(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// A NUL-terminated UTF-16 copy of UTF-8 text, on the stack when it is short: every painted cell asks
// for its text again, and a heap copy costs several times the conversion.
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

    const wchar_t* c_str() const { return text_; }

  private:
    static constexpr size_t kInline = 256;
    wchar_t inline_[kInline];
    std::wstring heap_;
    wchar_t* text_;
};

// The key that orders names as lstrcmpi orders them (the user's locale, letter case ignored).
std::vector<BYTE> NameSortKey(const std::string& name) {
    const WideText wide(name);
    std::vector<BYTE> key;
    const int size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, wide.c_str(),
                                     -1, nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0) return key;
    key.resize(static_cast<size_t>(size));
    ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, wide.c_str(), -1,
                    reinterpret_cast<LPWSTR>(key.data()), size, nullptr, nullptr, 0);
    return key;
}

int CompareKeys(const std::vector<BYTE>& x, const std::vector<BYTE>& y) {
    // Byte by byte, unsigned; a key that is a prefix of another comes first.
    for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    }
    return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

}  // namespace

ListView::ListView(HWND parent, int id, HINSTANCE instance) {
    // No sort header: the list has table order and name order, and name order is an option.
    list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                  LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_OWNERDATA,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                              nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ApplyColours();
    for (int i = 0; i < kColumnCount; ++i) {
        std::wstring header = Widen(kColumns[i].header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = header.data();
        column.cx = kColumns[i].width_at_96;
        column.iSubItem = i;
        ListView_InsertColumn(list_, i, &column);
    }
}

void ListView::ApplyColours() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    const bool high_contrast = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                               (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const ListColours colours = ChooseListColours(high_contrast, RgbOf(::GetSysColor(COLOR_WINDOW)),
                                                  RgbOf(::GetSysColor(COLOR_WINDOWTEXT)));
    ListView_SetBkColor(list_, ColorOf(colours.background));
    ListView_SetTextBkColor(list_, ColorOf(colours.background));
    ListView_SetTextColor(list_, ColorOf(colours.text));
    ::InvalidateRect(list_, nullptr, TRUE);
}

void ListView::SetImageList(HIMAGELIST images) {
    ListView_SetImageList(list_, images, LVSIL_SMALL);
    ListView_SetImageList(list_, images, LVSIL_NORMAL);
}

void ListView::ApplyDpi(UINT dpi, HFONT font) {
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int i = 0; i < kColumnCount; ++i)
        ListView_SetColumnWidth(list_, i, Scale(kColumns[i].width_at_96, dpi));
}

void ListView::ShowRows(std::vector<ListRow> rows) {
    // Replaced whole, but without flicker, and a reader of a long list keeps his place and selection.
    const int top = ListView_GetTopIndex(list_);
    const std::optional<EntryIdentity> selected = SelectedEntry();
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    rows_ = std::move(rows);
    // Without LVSICF_NOINVALIDATEALL the control repaints every row: any of them may have changed.
    ListView_SetItemCountEx(list_, static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    Reselect(selected);
    KeepTop(top);
}

void ListView::ReplaceGroups(SourceSet groups, std::vector<ListRow> rows, bool by_name) {
    const int top = ListView_GetTopIndex(list_);
    const std::optional<EntryIdentity> selected = SelectedEntry();
    const size_t old_count = rows_.size();
    // The first row that changed or moved: those above it stay as they were.
    size_t first = rows_.size();
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (groups[rows_[i].group]) {
            first = i;
            break;
        }
    }
    std::erase_if(rows_, [&](const ListRow& row) { return groups[row.group]; });
    for (ListRow& row : rows) {
        std::vector<ListRow>::iterator at;
        if (by_name) {
            // Where a full sort puts it: after every row of a smaller name, and of the same name but a
            // higher group, as the rows of a full list come in descending groups before the sort.
            const std::vector<BYTE> key = NameSortKey(row.name);
            at = std::partition_point(rows_.begin(), rows_.end(), [&](const ListRow& shown) {
                const int order = CompareKeys(NameSortKey(shown.name), key);
                return order < 0 || (order == 0 && shown.group >= row.group);
            });
        } else {
            at = std::partition_point(rows_.begin(), rows_.end(),
                                      [&](const ListRow& shown) { return shown.group >= row.group; });
        }
        first = std::min(first, static_cast<size_t>(at - rows_.begin()));
        rows_.insert(at, std::move(row));
    }
    const int count = static_cast<int>(rows_.size());
    if (rows_.size() != old_count)
        ListView_SetItemCountEx(list_, count, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (selected) {
        // The control keeps the selection by place: the entry may have moved, or gone.
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Reselect(selected);
    }
    // Only what is on the screen is painted: the rest paints when it is scrolled into view.
    const int shown_first = std::max(static_cast<int>(first), top);
    const int shown_last = std::min(count - 1, top + ListView_GetCountPerPage(list_));
    if (shown_first <= shown_last) ListView_RedrawItems(list_, shown_first, shown_last);
    KeepTop(top);
}

void ListView::Reselect(const std::optional<EntryIdentity>& selected) {
    if (!selected) return;
    const auto at = std::find_if(rows_.begin(), rows_.end(),
                                 [&](const ListRow& row) { return row.identity == *selected; });
    if (at != rows_.end()) {
        ListView_SetItemState(list_, static_cast<int>(at - rows_.begin()), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void ListView::KeepTop(int top) {
    // Setting the count and the focus can still move the list, by a row or below a shrunk end.
    const int count = static_cast<int>(rows_.size());
    const int now_top = ListView_GetTopIndex(list_);
    const int wanted_top = std::min(top, std::max(count - 1, 0));
    if (count > 0 && now_top != wanted_top) {
        RECT first{};
        ListView_GetItemRect(list_, 0, &first, LVIR_BOUNDS);
        ListView_Scroll(list_, 0, (wanted_top - now_top) * (first.bottom - first.top));
    }
}

void ListView::ShowFacts(std::string_view stored_command, std::string_view publisher, bool missing) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        ListRow& row = rows_[i];
        if (row.stored_command != stored_command || (row.publisher == publisher && row.missing == missing))
            continue;
        row.publisher = publisher;
        row.missing = missing;
        const int index = static_cast<int>(i);
        ListView_RedrawItems(list_, index, index);
    }
}

std::optional<EntryIdentity> ListView::SelectedEntry() const {
    const int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return std::nullopt;
    return rows_[static_cast<size_t>(index)].identity;
}

namespace {

// Copies as much of the text as the control's buffer holds, always terminated, never half a character.
void CopyText(std::string_view utf8, LPWSTR buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    const WideText text(utf8);
    size_t length = std::min(std::wcslen(text.c_str()), static_cast<size_t>(capacity - 1));
    if (length > 0 && IS_HIGH_SURROGATE(text.c_str()[length - 1])) --length;
    std::copy_n(text.c_str(), length, buffer);
    buffer[length] = L'\0';
}

// Whether a row's name starts with (or, for an exact search, is) what the user typed, letter case
// ignored as the control's own search ignores it.
bool NameMatches(std::string_view name, const wchar_t* typed, bool whole) {
    const WideText wide(name);
    const int typed_length = static_cast<int>(std::wcslen(typed));
    const int name_length = static_cast<int>(std::wcslen(wide.c_str()));
    if (whole ? name_length != typed_length : name_length < typed_length) return false;
    return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, wide.c_str(), typed_length, typed,
                             typed_length, nullptr, nullptr, 0) == CSTR_EQUAL;
}

}  // namespace

LRESULT ListView::OnNotify(NMHDR& header) const {
    if (header.hwndFrom != list_) return 0;
    if (header.code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size()) {
            if ((item.mask & LVIF_TEXT) != 0) CopyText({}, item.pszText, item.cchTextMax);
            return 0;
        }
        const ListRow& row = rows_[static_cast<size_t>(item.iItem)];
        if ((item.mask & LVIF_TEXT) != 0) {
            const std::string_view texts[] = {row.name, row.command, row.state_word, row.location,
                                              row.publisher};
            const bool known = item.iSubItem >= 0 && item.iSubItem < kColumnCount;
            CopyText(known ? texts[item.iSubItem] : std::string_view{}, item.pszText, item.cchTextMax);
        }
        if ((item.mask & LVIF_IMAGE) != 0) item.iImage = row.image - 1;
        return 0;
    }
    if (header.code == NM_CUSTOMDRAW) {
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
        // A dead entry reads as unavailable, in the system's own colour for that (a contrast theme's
        // too); a selected row keeps the selection's colours, which must stay readable.
        const auto index = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
        if (index < rows_.size() && rows_[index].missing &&
            ListView_GetItemState(list_, static_cast<int>(index), LVIS_SELECTED) == 0) {
            draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
            return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    }
    if (header.code == LVN_ODFINDITEMW) {
        // Typing in the list jumps to the next row whose name starts with what was typed.
        const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
        // LVFI_SUBSTRING (0x0004, missing from some headers) means the same as LVFI_PARTIAL.
        constexpr UINT kPrefix = LVFI_PARTIAL | 0x0004;
        if ((find.lvfi.flags & (LVFI_STRING | kPrefix)) == 0 || find.lvfi.psz == nullptr) return -1;
        const bool whole = (find.lvfi.flags & kPrefix) == 0;
        const int count = static_cast<int>(rows_.size());
        if (count == 0) return -1;
        const int start = std::clamp(find.iStart, 0, count);
        const int span = (find.lvfi.flags & LVFI_WRAP) != 0 ? count : count - start;
        for (int step = 0; step < span; ++step) {
            const int index = (start + step) % count;
            if (NameMatches(rows_[static_cast<size_t>(index)].name, find.lvfi.psz, whole)) return index;
        }
        return -1;
    }
    return 0;
}

void SortRowsByName(std::vector<ListRow>& rows) {
    // Names compare as lstrcmpi compares them (the user's locale, letter case ignored). Each name's sort
    // key is made once, and keys compared byte by byte give exactly that order, without a locale-aware
    // comparison for each of the thousands of pairs a long list needs.
    std::vector<std::vector<BYTE>> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys[i] = NameSortKey(rows[i].name);
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto before = [&keys](size_t a, size_t b) { return CompareKeys(keys[a], keys[b]) < 0; };
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
