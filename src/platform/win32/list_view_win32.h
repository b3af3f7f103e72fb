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
    ListView(int id, HINSTANCE instance) : id_(id), instance_(instance) {}
    // Creates the control, a child of `parent`; the parent sizes it.
    void Create(HWND parent);

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
    int id_;
    HINSTANCE instance_;
    HWND list_ = nullptr;
    std::vector<EntryIdentity> identities_;  // one per row, found through the row's lParam
};

}  // namespace quorvel::win32
