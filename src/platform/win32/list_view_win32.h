#pragma once
// View1: the report-view list of entries.

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/list_control.h"

namespace quorvel::win32 {

// Ascending name order as lstrcmpi gives it (the user's locale, letter case ignored), stable.
void SortRowsByName(std::vector<ListRow>& rows);

class ListView final : public ListControl {
  public:
    // Creates the list as a child filling the parent's client area.
    ListView(HWND parent, int id, HINSTANCE instance);

    void ShowRows(const std::vector<ListRow>& rows) override;
    std::optional<EntryIdentity> SelectedEntry() const override;
    void SortByName(std::vector<ListRow>& rows) const override;

    HWND Handle() const { return list_; }
    void SetImageList(HIMAGELIST images);
    // Column widths and font for the window's DPI.
    void ApplyDpi(UINT dpi, HFONT font);
    // Where the entry menu opens for the keyboard: below the selected row, in screen coordinates.
    POINT SelectedItemAnchor() const;

  private:
    HWND list_;
    std::vector<EntryIdentity> identities_;  // one per row, found through the row's lParam
};

}  // namespace quorvel::win32
