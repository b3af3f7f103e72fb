// The entry list on the real list control: the control holds no rows of its own and asks for what it
// shows, so what a reader sees, where he is and what he selected must survive every rebuild.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "win32/listview/list_view.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

constexpr int kListId = 1001;
constexpr wchar_t kHostClass[] = L"QuorvelListViewTestHost";

// A hidden parent that passes the list's notifications on, as the main window does.
LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        if (auto* list = reinterpret_cast<ListView*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
            return list->OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = HostProcedure;
        wc.hInstance = instance;
        wc.lpszClassName = kHostClass;
        ::RegisterClassExW(&wc);
        host_ = ::CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 300, nullptr,
                                  nullptr, instance, nullptr);
        ASSERT_NE(host_, nullptr);
        list_ = std::make_unique<ListView>(host_, kListId, instance);
        ::SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list_.get()));
        ASSERT_NE(list_->Handle(), nullptr);
        ::MoveWindow(list_->Handle(), 0, 0, 600, 300, FALSE);
    }
    void TearDown() override {
        ::SetWindowLongPtrW(host_, GWLP_USERDATA, 0);
        if (host_ != nullptr) ::DestroyWindow(host_);
    }

    static ListRow Row(int n, std::string name, std::string command = "x.exe") {
        ListRow row;
        row.identity = EntryIdentity{kCurrentUser, std::to_string(n)};
        row.name = std::move(name);
        row.command = std::move(command);
        row.state_word = "Enable";
        row.image = 3;
        return row;
    }
    static std::vector<ListRow> Numbered(int count, int first = 0) {
        std::vector<ListRow> rows;
        for (int i = first; i < first + count; ++i)
            rows.push_back(Row(i, "Entry " + std::to_string(i)));
        return rows;
    }

    HWND Control() const { return list_->Handle(); }
    int Count() const { return ListView_GetItemCount(Control()); }
    std::string Text(int item, int column, int capacity = 512) const {
        std::wstring buffer(static_cast<size_t>(capacity), L'#');
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = buffer.data();
        request.cchTextMax = capacity;
        const auto length = ::SendMessageW(Control(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                           reinterpret_cast<LPARAM>(&request));
        return Narrow(std::wstring_view(request.pszText, static_cast<size_t>(length)));
    }
    int Image(int item) const {
        LVITEMW request{};
        request.mask = LVIF_IMAGE;
        request.iItem = item;
        ListView_GetItem(Control(), &request);
        return request.iImage;
    }
    void Select(int item) const {
        ListView_SetItemState(Control(), item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    HWND host_ = nullptr;
    std::unique_ptr<ListView> list_;
};

TEST_F(ListViewTest, ShowsEveryColumnAndImageOfTheRowsItWasGiven) {
    std::vector<ListRow> rows{Row(0, "Ünïcødé 日本", "\"C:\\Program Files\\A\\a.exe\" /quiet"), Row(1, "b")};
    rows[1].state_word = "Ban";
    rows[1].image = 1;
    list_->ShowRows(rows);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(Text(0, 0), "Ünïcødé 日本");
    EXPECT_EQ(Text(0, 1), "\"C:\\Program Files\\A\\a.exe\" /quiet");
    EXPECT_EQ(Text(0, 2), "Enable");
    EXPECT_EQ(Text(1, 2), "Ban");
    EXPECT_EQ(Image(0), 2);
    EXPECT_EQ(Image(1), 0);
    // A text longer than the asker's buffer is cut to fit, and terminated.
    list_->ShowRows({Row(0, std::string(300, 'n'))});
    EXPECT_EQ(Text(0, 0, 8), "nnnnnnn");
    list_->ShowRows({});
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(list_->SelectedEntry());
}

TEST_F(ListViewTest, ARebuildKeepsTheSelectedEntryWhereverItMovesAndTheReadersPlace) {
    list_->ShowRows(Numbered(200));
    Select(150);
    ListView_EnsureVisible(Control(), 150, FALSE);
    const int top = ListView_GetTopIndex(Control());
    ASSERT_GT(top, 100);

    // The selected entry moved down by one row: the same entry stays selected, the place stays.
    std::vector<ListRow> rows = Numbered(200);
    rows.insert(rows.begin(), Row(999, "New at the top"));
    list_->ShowRows(rows);
    ASSERT_TRUE(list_->SelectedEntry());
    EXPECT_EQ(list_->SelectedEntry()->key, "150");
    EXPECT_EQ(ListView_GetNextItem(Control(), -1, LVNI_SELECTED), 151);
    EXPECT_EQ(ListView_GetNextItem(Control(), -1, LVNI_FOCUSED), 151);
    EXPECT_EQ(ListView_GetTopIndex(Control()), top);

    // The entry is gone: nothing is selected rather than whatever row took its place.
    list_->ShowRows(Numbered(150));
    EXPECT_FALSE(list_->SelectedEntry());
    EXPECT_EQ(ListView_GetNextItem(Control(), -1, LVNI_SELECTED), -1);
    EXPECT_LE(ListView_GetTopIndex(Control()), 149);
}

TEST_F(ListViewTest, ReplacedGroupsGoWhereAFullListPutsThemAndTheSelectionFollowsItsEntry) {
    const auto row = [](int n, std::string name, size_t group) {
        ListRow made = Row(n, std::move(name));
        made.group = group;
        return made;
    };
    const auto names = [&] {
        std::vector<std::string> shown;
        for (int i = 0; i < Count(); ++i)
            shown.push_back(Text(i, 0));
        return shown;
    };
    // In name order; of two names that differ in letter case alone, the higher group's first.
    list_->ShowRows({row(0, "alpha", 1), row(1, "Beta", 2), row(2, "beta", 1), row(3, "delta", 2)});
    Select(3);
    list_->ReplaceGroups(SourceSet().set(1), {row(4, "Aardvark", 1), row(5, "BETA", 1), row(6, "charlie", 1)},
                         true);
    EXPECT_EQ(names(), (std::vector<std::string>{"Aardvark", "Beta", "BETA", "charlie", "delta"}));
    EXPECT_EQ(list_->SelectedEntry()->key, "3");
    EXPECT_EQ(ListView_GetNextItem(Control(), -1, LVNI_SELECTED), 4);

    // Unsorted: each group's rows together, the highest group on top.
    list_->ShowRows({row(0, "x", 3), row(1, "y", 2), row(2, "z", 1)});
    list_->ReplaceGroups(SourceSet().set(2), {row(3, "Zulu", 2), row(4, "Yak", 2)}, false);
    EXPECT_EQ(names(), (std::vector<std::string>{"x", "Zulu", "Yak", "z"}));
}

TEST_F(ListViewTest, TypingALetterMovesToTheNextRowWhoseNameStartsWithIt) {
    list_->ShowRows({Row(0, "Alpha"), Row(1, "beta"), Row(2, "Bravo"), Row(3, "alpine")});
    Select(0);
    ::SendMessageW(Control(), WM_CHAR, L'B', 1);  // a repeat count of one, as typing gives
    EXPECT_EQ(ListView_GetNextItem(Control(), -1, LVNI_SELECTED), 1);
    ASSERT_TRUE(list_->SelectedEntry());
    EXPECT_EQ(list_->SelectedEntry()->key, "1");
}

TEST_F(ListViewTest, TheSearchForATypedNameIgnoresCaseStartsWhereAskedAndWrapsOnlyWhenAsked) {
    list_->ShowRows({Row(0, "Alpha"), Row(1, "beta"), Row(2, "Bravo"), Row(3, "alpine")});
    // As the control asks its parent: the search includes the start row.
    const auto find = [&](const wchar_t* typed, int start, UINT flags) {
        NMLVFINDITEMW request{};
        request.hdr.hwndFrom = Control();
        request.hdr.idFrom = kListId;
        request.hdr.code = LVN_ODFINDITEMW;
        request.iStart = start;
        request.lvfi.flags = flags;
        request.lvfi.psz = typed;
        return static_cast<int>(list_->OnNotify(request.hdr));
    };
    EXPECT_EQ(find(L"B", 0, LVFI_PARTIAL | LVFI_WRAP), 1);
    EXPECT_EQ(find(L"b", 2, LVFI_PARTIAL | LVFI_WRAP), 2);
    EXPECT_EQ(find(L"ALP", 1, LVFI_PARTIAL | LVFI_WRAP), 3);
    EXPECT_EQ(find(L"alp", 4, LVFI_PARTIAL | LVFI_WRAP), 0);
    EXPECT_EQ(find(L"beta", 2, LVFI_PARTIAL), -1);
    EXPECT_EQ(find(L"bra", 0, LVFI_STRING | 0x0004 /* LVFI_SUBSTRING */), 2);
    // A whole-name search wants the whole name.
    EXPECT_EQ(find(L"alp", 0, LVFI_STRING), -1);
    EXPECT_EQ(find(L"BRAVO", 0, LVFI_STRING), 2);
    EXPECT_EQ(find(L"zulu", 0, LVFI_PARTIAL | LVFI_WRAP), -1);
    list_->ShowRows({});
    EXPECT_EQ(find(L"a", 0, LVFI_PARTIAL | LVFI_WRAP), -1);
}

}  // namespace
}  // namespace quorvel::win32
