#pragma once
// View1: the report-view list of entries.

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/list_control.h"

namespace quorvel::win32 {

// The widths of the Location and Publisher columns, after the three columns the list always had, at
// 96 dpi: the window opens that much wider, so that every column shows without a horizontal scroll bar.
// A publisher is as wide as "Name (signature not trusted)" needs: that mark must never be cut off.
inline constexpr int kLocationColumnWidth = 150;
inline constexpr int kPublisherColumnWidth = 270;

// Ascending name order as lstrcmpi gives it (the user's locale, letter case ignored), stable.
void SortRowsByName(std::vector<ListRow>& rows);

// The rows live here, not in the control: the control asks for the texts of the rows it paints
// (LVS_OWNERDATA), so that replacing a thousand rows costs one message instead of three thousand.
class ListView final : public ListControl {
  public:
    // Creates the control, a child of `parent`, which sizes it.
    ListView(HWND parent, int id, HINSTANCE instance);
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    void ShowRows(std::vector<ListRow> rows) override;
    void ReplaceGroups(SourceSet groups, std::vector<ListRow> rows, bool by_name) override;
    std::optional<EntryIdentity> SelectedEntry() const override;
    void ShowFacts(std::string_view stored_command, std::string_view publisher, bool missing) override;
    void SortByName(std::vector<ListRow>& rows) const override;

    HWND Handle() const { return list_; }
    void SetImageList(HIMAGELIST images);
    // Column widths and font for the window's DPI.
    void ApplyDpi(UINT dpi, HFONT font);
    // Background and text colours for the system's colours and contrast theme as they are now.
    void ApplyColours();
    // Where the entry menu opens for the keyboard: below the selected row, in screen coordinates.
    POINT SelectedItemAnchor() const;
    // The control's notifications to its parent, which the parent passes on; the result is the one
    // the parent returns. Answers the control's questions on texts, images and typed names, and greys
    // the rows whose program is missing.
    LRESULT OnNotify(NMHDR& header) const;

  private:
    // Selects the row of this entry again, wherever it now stands.
    void Reselect(const std::optional<EntryIdentity>& selected);
    // Scrolls back to the row that was on top, or as near as the list now allows.
    void KeepTop(int top);

    HWND list_ = nullptr;
    std::vector<ListRow> rows_;
};

}  // namespace quorvel::win32
