// The least program that shows what Quorvel's window shows after start-up: a window of the same client
// size filled by a report-view list of Common Controls v6, five columns, the given number of rows,
// their texts given on demand. No menus, no images. Quorvel's start-up is set against it as well as
// against the bare window, to tell the cost of showing such a list from Quorvel's own.
//
//   bare_list ROWS          that many rows, and no registry
//   bare_list --read-keys   first one pass over the startup keys, reading every value's name, type and
//                           data, as Quorvel's start-up must; then one row per value found

#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "win32/shared/ids.h"

namespace {

// As Quorvel's, so that the same watcher finds it.
constexpr int kListId = quorvel::win32::kView1Id;

// One RegEnumValueW pass over each startup key, in both views of the machine, and over the keys of
// Windows' own startup settings; the number of startup values that hold data.
long ReadStartupKeys() {
    struct Key {
        HKEY root;
        REGSAM view;
        const wchar_t* path;
        bool counted;
    };
    constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr wchar_t kRunOff[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-";
    constexpr wchar_t kBan[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Ban-";
    constexpr wchar_t kApproved[] =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    constexpr wchar_t kApproved32[] =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
    const Key keys[] = {
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kRun, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kRunOff, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kBan, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kRun, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kRunOff, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kBan, true},
        {HKEY_CURRENT_USER, 0, kRun, true},
        {HKEY_CURRENT_USER, 0, kRunOff, true},
        {HKEY_CURRENT_USER, 0, kBan, true},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kApproved, false},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kApproved32, false},
        {HKEY_CURRENT_USER, 0, kApproved, false},
    };
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(1 << 16);
    long values = 0;
    for (const Key& source : keys) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(source.root, source.path, 0, KEY_QUERY_VALUE | source.view, &key) !=
            ERROR_SUCCESS)
            continue;
        for (DWORD index = 0;; ++index) {
            DWORD name_length = static_cast<DWORD>(name.size());
            DWORD data_size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            if (::RegEnumValueW(key, index, name.data(), &name_length, nullptr, &type, data.data(),
                                &data_size) != ERROR_SUCCESS) {
                break;
            }
            if (data_size > 0 && source.counted) ++values;
        }
        ::RegCloseKey(key);
    }
    return values;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NOTIFY:
            if (auto* info = reinterpret_cast<NMLVDISPINFOW*>(lparam);
                info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT) != 0) {
                wchar_t text[64];
                ::wsprintfW(text, L"Agent %d column %d", info->item.iItem, info->item.iSubItem);
                ::lstrcpynW(info->item.pszText, text, info->item.cchTextMax);
            }
            return 0;
        case WM_SIZE: {
            RECT client{};
            ::GetClientRect(window, &client);
            ::MoveWindow(::GetDlgItem(window, kListId), 0, 0, client.right, client.bottom, TRUE);
            return 0;
        }
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: return ::DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    const long rows =
        std::wcscmp(arguments, L"--read-keys") == 0 ? ReadStartupKeys() : std::wcstol(arguments, nullptr, 10);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"QuorvelBenchList";
    if (!::RegisterClassExW(&wc)) return 1;
    // Quorvel's client area: the room of its first three columns, and its Location and Publisher.
    RECT frame{0, 0, 622 + 150 + 270, 325};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"List", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                          CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                          frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    const HWND list = ::CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 622, 325, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    if (list == nullptr) return 1;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const wchar_t* headers[] = {L"Name", L"Path", L"Startup", L"Location", L"Publisher"};
    const int widths[] = {200, 300, 53, 150, 270};
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(headers[i]);
        column.cx = widths[i];
        ListView_InsertColumn(list, i, &column);
    }
    ListView_SetItemCountEx(list, static_cast<int>(rows), 0);
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
