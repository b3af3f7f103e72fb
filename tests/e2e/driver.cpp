// Drives the real Quorvel window from another process, the way the end-to-end tests need it:
// finds its windows, reads the entry list, posts commands, and answers message boxes.
// Output is UTF-8; exit status 0 means the asked-for thing is true or done.

#include <windows.h>

#include <commctrl.h>
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "app/commands.h"
#include "win32/shared/ids.h"

namespace {

using quorvel::win32::kForm1Class;
using quorvel::win32::kTimer1Id;
using quorvel::win32::kTrayIconId;
using quorvel::win32::kView1Id;

// Command and control names are ASCII.
std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A menu command by its item's name ("Refresha", "Exit"); 0 for none.
int CommandId(const std::wstring& name) {
    const auto command = quorvel::CommandNamed(Ascii(name));
    return command ? static_cast<int>(*command) : 0;
}

// A control by its name ("View1", "cmdSysInfo"), or a number for the system's own controls.
int ControlId(const std::wstring& name) {
    for (const auto& control : quorvel::win32::kNamedControls) {
        if (control.name == Ascii(name)) return control.id;
    }
    return _wtoi(name.c_str());
}

void Write(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                          nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
                nullptr);
}

// The program's main window: the one shown, where a second instance has a hidden one of its own.
HWND MainWindow() {
    HWND any = nullptr;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kForm1Class, L"Quorvel"); window != nullptr;
         window = ::FindWindowExW(nullptr, window, kForm1Class, L"Quorvel")) {
        if (::IsWindowVisible(window)) return window;
        if (any == nullptr) any = window;
    }
    return any;
}

// How many main windows there are, shown or not: each instance makes one before it looks for another.
int MainWindowCount() {
    int count = 0;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kForm1Class, L"Quorvel"); window != nullptr;
         window = ::FindWindowExW(nullptr, window, kForm1Class, L"Quorvel"))
        ++count;
    return count;
}
HWND List(HWND main) { return ::GetDlgItem(main, kView1Id); }

// Memory in the program's own address space, for messages that carry pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        ::CloseHandle(process_);
    }
    void* Address() const { return address_; }
    void Put(const void* data, size_t size, size_t offset = 0) {
        ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Get(void* data, size_t size, size_t offset = 0) const {
        ::ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, data, size, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

std::wstring ItemText(HWND list, int item, int column) {
    constexpr size_t kChars = 4096;
    RemoteBuffer remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    LVITEMW request{};
    request.iSubItem = column;
    request.cchTextMax = kChars;
    request.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.Address()) + sizeof(LVITEMW));
    remote.Put(&request, sizeof(request));
    const auto length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                       reinterpret_cast<LPARAM>(remote.Address()));
    std::wstring text(static_cast<size_t>(length), L'\0');
    remote.Get(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    return text;
}

int ItemImage(HWND list, int item) {
    RemoteBuffer remote(list, sizeof(LVITEMW));
    LVITEMW request{};
    request.mask = LVIF_IMAGE;
    request.iItem = item;
    remote.Put(&request, sizeof(request));
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Address()));
    remote.Get(&request, sizeof(request));
    return request.iImage;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The program's visible top-level window of a class, if there is one.
HWND VisibleWindowOfClass(DWORD pid, const wchar_t* class_name) {
    struct Search {
        DWORD pid;
        const wchar_t* class_name;
        HWND found;
    } search{pid, class_name, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            wchar_t cls[64] = {};
            ::GetClassNameW(window, cls, 64);
            if (std::wcscmp(cls, s->class_name) == 0 && ::IsWindowVisible(window) &&
                ProcessOf(window) == s->pid) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The visible message box of the program, if one is open.
HWND MessageBoxWindow(DWORD pid) { return VisibleWindowOfClass(pid, L"#32770"); }

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A visible top-level window of any process, by title (and class when given).
HWND FindVisible(const std::wstring& title, const std::wstring& class_name) {
    const HWND window = ::FindWindowW(class_name.empty() ? nullptr : class_name.c_str(), title.c_str());
    return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

// A value name given on the command line, where \uXXXX stands for one UTF-16 unit: a NUL, or a
// surrogate without its partner, which no command line can carry.
std::wstring EscapedName(const std::wstring& text) {
    std::wstring name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, L"\\u") == 0 && i + 6 <= text.size()) {
            name += static_cast<wchar_t>(std::wcstoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 5;
        } else {
            name += text[i];
        }
    }
    return name;
}

// The native registry functions, which take counted names: the driver arranges and looks at values
// whose names the documented functions cannot pass, by its own means and not by the program's.
struct NativeRegistry {
    using Set = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
    using Query = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
    Set set = nullptr;
    Query query = nullptr;
    NativeRegistry() {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        set = reinterpret_cast<Set>(reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "NtSetValueKey")));
        query =
            reinterpret_cast<Query>(reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "NtQueryValueKey")));
    }
};

// HKCU, HKLM or HKLM32 (the machine's keys as 32-bit programs see them) and a path below it.
HKEY OpenForValues(const std::wstring& root, const std::wstring& path) {
    const HKEY hive = root.starts_with(L"HKLM") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const REGSAM view = root == L"HKLM32" ? KEY_WOW64_32KEY : root == L"HKLM" ? KEY_WOW64_64KEY : 0;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE | view, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Makes a shortcut at `path` as a user's installer would, through the shell's own object.
bool MakeShortcut(const std::wstring& path, const std::wstring& target, const std::wstring& arguments) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool made = SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                             reinterpret_cast<void**>(&link))) &&
                SUCCEEDED(link->SetPath(target.c_str())) &&
                SUCCEEDED(link->SetArguments(arguments.c_str())) &&
                SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                SUCCEEDED(file->Save(path.c_str(), TRUE));
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    ::CoUninitialize();
    return made;
}

// Makes a shortcut with nothing to pass it, then waits (at most 5 s) until `seen` says the program
// reacted; prints the milliseconds in between. 1 when nothing happened in time, 2 for no shortcut.
template <typename Seen>
int DropShortcut(const std::wstring& path, const std::wstring& target, Seen seen) {
    LARGE_INTEGER frequency{}, start{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!MakeShortcut(path, target, L"")) return 2;
    for (;;) {
        ::QueryPerformanceCounter(&now);
        const double ms = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                          static_cast<double>(frequency.QuadPart);
        if (seen()) {
            Write(std::to_wstring(static_cast<int>(ms + 0.5)) + L"\n");
            return 0;
        }
        if (ms > 5000) return 1;
        ::Sleep(1);
    }
}

int Usage() {
    Write(
        L"usage: quorvel_driver wait-window SECONDS | visible | pid | rows | locations | publishers |\n"
        L"       column-widths | count | row-point N |\n"
        L"       select N | command NAME | close | tick | keys VK... | menu-bar | menu-open | msgbox |\n"
        L"       answer ok|cancel|yes|no | windows | window-visible TITLE [CLASS] | window-typing TITLE "
        L"[CLASS] |\n"
        L"       window-rect TITLE [CLASS] |\n"
        L"       window-client-rect TITLE CONTROL | window-text TITLE CLASS CONTROL |\n"
        L"       window-command TITLE CONTROL [CLASS] |\n"
        L"       nt-set HKCU|HKLM|HKLM32 KEY NAME DATA [expand] | nt-get HKCU|HKLM|HKLM32 KEY NAME |\n"
        L"       known-folder startup|common-startup | shortcut PATH TARGET [ARGUMENTS] |\n"
        L"       drop-shortcut PATH TARGET | drop-listed PATH TARGET NAME\n"
        L"NAME is a menu item's name (Refresha, Exit, ...); CONTROL a control's name (View1, cmdSysInfo, "
        L"...)\n"
        L"or number; a value NAME may hold \\uXXXX for any UTF-16 unit.\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring verb = argv[1];
    const auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };

    if (verb == L"all-windows") {
        // Every top-level window and the children of the taskbar, for finding one's way in a shell.
        ::EnumWindows(
            [](HWND window, LPARAM) -> BOOL {
                wchar_t cls[128] = {};
                ::GetClassNameW(window, cls, 128);
                RECT rect{};
                ::GetWindowRect(window, &rect);
                Write(std::wstring(cls) + L"\t" + WindowText(window) + L"\t" +
                      (::IsWindowVisible(window) ? L"visible" : L"hidden") + L"\t" +
                      std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
                      std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom) + L"\n");
                ::EnumChildWindows(
                    window,
                    [](HWND child, LPARAM) -> BOOL {
                        wchar_t child_class[128] = {};
                        ::GetClassNameW(child, child_class, 128);
                        RECT box{};
                        ::GetWindowRect(child, &box);
                        Write(L"  child\t" + std::wstring(child_class) + L"\t" + WindowText(child) + L"\t" +
                              (::IsWindowVisible(child) ? L"visible" : L"hidden") + L"\t" +
                              std::to_wstring(box.left) + L"," + std::to_wstring(box.top) + L"," +
                              std::to_wstring(box.right) + L"," + std::to_wstring(box.bottom) + L"\n");
                        return TRUE;
                    },
                    0);
                return TRUE;
            },
            0);
        return 0;
    }
    if (verb == L"write-back") {
        // Writes a value the way a returning program would, then waits (at most 5 s) until something
        // deletes it; prints the milliseconds in between. Needs no Quorvel window of its own. With
        // --recreate the key is deleted first and created anew, with the value, as an attacker would.
        // HKLM32: the machine's keys as 32-bit programs see them.
        const HKEY root = arg(2).starts_with(L"HKLM") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        const REGSAM view = arg(2) == L"HKLM32" ? KEY_WOW64_32KEY : 0;
        if (arg(5) == L"--recreate") {
            HKEY doomed = nullptr;
            if (::RegOpenKeyExW(root, arg(3).c_str(), 0, DELETE | KEY_ALL_ACCESS | view, &doomed) ==
                ERROR_SUCCESS) {
                ::RegDeleteTreeW(doomed, nullptr);
                ::RegCloseKey(doomed);
            }
            ::RegDeleteKeyExW(root, arg(3).c_str(), view, 0);
        }
        HKEY key = nullptr;
        if (::RegCreateKeyExW(root, arg(3).c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE | view,
                              nullptr, &key, nullptr) != ERROR_SUCCESS)
            return 2;
        const std::wstring data = L"C:\\returning\\program.exe";
        LARGE_INTEGER frequency{}, start{}, now{};
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        ::RegSetValueExW(key, arg(4).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        for (;;) {
            ::QueryPerformanceCounter(&now);
            const double ms = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                              static_cast<double>(frequency.QuadPart);
            if (::RegQueryValueExW(key, arg(4).c_str(), nullptr, nullptr, nullptr, nullptr) ==
                ERROR_FILE_NOT_FOUND) {
                ::RegCloseKey(key);
                Write(std::to_wstring(static_cast<int>(ms + 0.5)) + L"\n");
                return 0;
            }
            if (ms > 5000) {
                ::RegCloseKey(key);
                return 1;
            }
            ::Sleep(1);
        }
    }
    if (verb == L"known-folder") {
        // Where the system keeps a Startup folder, as Quorvel asks for it.
        PWSTR path = nullptr;
        const KNOWNFOLDERID& id = arg(2) == L"common-startup" ? FOLDERID_CommonStartup : FOLDERID_Startup;
        if (FAILED(::SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path))) return 1;
        Write(std::wstring(path) + L"\n");
        ::CoTaskMemFree(path);
        return 0;
    }
    if (verb == L"shortcut") return MakeShortcut(arg(2), arg(3), arg(4)) ? 0 : 1;
    if (verb == L"drop-shortcut") {
        // Drops a shortcut as a returning program would, then waits until something deletes it.
        return DropShortcut(arg(2), arg(3),
                            [&] { return ::GetFileAttributesW(arg(2).c_str()) == INVALID_FILE_ATTRIBUTES; });
    }
    if (verb == L"nt-set" || verb == L"nt-get") {
        // nt-set ROOT KEY NAME DATA [expand]: writes a string value; nt-get ROOT KEY NAME prints the
        // value's type and data in hex ("2 2500..."), exit status 1 when there is none.
        const HKEY key = OpenForValues(arg(2), arg(3));
        if (key == nullptr) return 2;
        std::wstring name = EscapedName(arg(4));
        const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
        UNICODE_STRING counted{bytes, bytes, name.data()};
        const NativeRegistry native;
        NTSTATUS status = 0;
        if (verb == L"nt-set") {
            const std::wstring data = arg(5);
            status = native.set(key, &counted, 0, arg(6) == L"expand" ? REG_EXPAND_SZ : REG_SZ, data.c_str(),
                                static_cast<ULONG>((data.size() + 1) * sizeof(wchar_t)));
        } else {
            std::vector<BYTE> buffer(65536);
            ULONG size = 0;
            // KEY_VALUE_PARTIAL_INFORMATION: title index, type and data size, then the data.
            status = native.query(key, &counted, 2, buffer.data(), static_cast<ULONG>(buffer.size()), &size);
            if (status >= 0) {
                ULONG head[3];
                std::memcpy(head, buffer.data(), sizeof(head));
                std::wstring text = std::to_wstring(head[1]) + L" ";
                for (ULONG i = 0; i < head[2]; ++i) {
                    wchar_t hex[3];
                    std::swprintf(hex, 3, L"%02x", buffer[sizeof(head) + i]);
                    text += hex;
                }
                Write(text + L"\n");
            }
        }
        ::RegCloseKey(key);
        return status >= 0 ? 0 : 1;
    }
    if (verb == L"churn") {
        // Rewrites values of HKCU Run without pause for the given seconds, like a busy installer.
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return 2;
        const DWORD until = ::GetTickCount() + static_cast<DWORD>(_wtoi(arg(2).c_str()) * 1000);
        long writes = 0;
        while (static_cast<LONG>(::GetTickCount() - until) < 0) {
            const std::wstring name = L"Churn " + std::to_wstring(writes % 40);
            const std::wstring data = L"C:\\churn\\" + std::to_wstring(writes) + L".exe";
            if (writes % 3 == 2) {
                ::RegDeleteValueW(key, name.c_str());
            } else {
                ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
            }
            ++writes;
        }
        ::RegCloseKey(key);
        Write(std::to_wstring(writes) + L"\n");
        return 0;
    }
    if (verb == L"class-visible") {
        // Whether any process shows a top-level window of this class (a balloon is a tooltip window).
        struct Search {
            std::wstring class_name;
            bool found;
        } search{arg(2), false};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<Search*>(context);
                wchar_t cls[128] = {};
                ::GetClassNameW(window, cls, 128);
                if (s->class_name == cls && ::IsWindowVisible(window)) s->found = true;
                return !s->found;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found ? 0 : 1;
    }
    if (verb == L"set-colours") {
        // The system's window and window-text colours, as RRGGBB, for every program of the desktop.
        const auto colour = [](const std::wstring& hex) {
            const unsigned long value = std::wcstoul(hex.c_str(), nullptr, 16);
            return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
        };
        const INT elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
        const COLORREF colours[] = {colour(arg(2)), colour(arg(3))};
        return ::SetSysColors(2, elements, colours) ? 0 : 1;
    }
    // Verbs about any window, by title: whether it is shown, where, and posting it a command.
    if (verb == L"window-visible") return FindVisible(arg(2), arg(3)) != nullptr ? 0 : 1;
    if (verb == L"window-typing") {
        // Keys sent now reach an edit box of this window: it is the foreground window, and the focus
        // of its thread is in an edit box (a dialog shows before it places the focus).
        const HWND window = FindVisible(arg(2), arg(3));
        if (window == nullptr || ::GetForegroundWindow() != window) return 1;
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ||
            info.hwndFocus == nullptr)
            return 1;
        wchar_t cls[32] = {};
        ::GetClassNameW(info.hwndFocus, cls, 32);
        return ::lstrcmpiW(cls, L"Edit") == 0 ? 0 : 1;
    }
    if (verb == L"window-rect") {
        const HWND window = FindVisible(arg(2), arg(3));
        RECT rect{};
        if (window == nullptr || !::GetWindowRect(window, &rect)) return 1;
        Write(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
              std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top) +
              L"\n");
        return 0;
    }
    if (verb == L"window-client-rect" || verb == L"control-rect") {
        // Child control CONTROL of the window, in screen coordinates: its client area, or (control-rect)
        // the whole of it, scroll bars included.
        const HWND window = FindVisible(arg(2), L"");
        const HWND child = window != nullptr ? ::GetDlgItem(window, ControlId(arg(3))) : nullptr;
        RECT rect{};
        if (child == nullptr) return 1;
        if (verb == L"control-rect") {
            if (!::GetWindowRect(child, &rect)) return 1;
        } else {
            if (!::GetClientRect(child, &rect)) return 1;
            ::MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        }
        Write(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
              std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top) +
              L"\n");
        return 0;
    }
    if (verb == L"window-text") {
        // The text of child control ID of the window with this title and class.
        const HWND window = FindVisible(arg(2), arg(3));
        const HWND child = window != nullptr ? ::GetDlgItem(window, ControlId(arg(4))) : nullptr;
        if (child == nullptr) return 1;
        Write(WindowText(child) + L"\n");
        return 0;
    }
    if (verb == L"window-command") {
        const HWND window = FindVisible(arg(2), arg(4));
        if (window == nullptr) return 1;
        return ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ControlId(arg(3)), BN_CLICKED), 0) ? 0 : 1;
    }

    if (verb == L"instances") {
        Write(std::to_wstring(MainWindowCount()) + L"\n");
        return 0;
    }
    if (verb == L"wait-window") {
        const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(_wtoi(arg(2).c_str()) * 1000);
        for (;;) {
            const HWND main = MainWindow();
            if (main != nullptr && ::IsWindowVisible(main)) return 0;
            if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return 1;
            ::Sleep(50);
        }
    }
    const HWND main = MainWindow();
    if (main == nullptr) {
        ::OutputDebugStringW(L"no Quorvel window\n");
        return 3;
    }
    const HWND list = List(main);
    if (verb == L"drop-listed") {
        // Drops a shortcut into a folder, then waits until the list shows a row of that name.
        return DropShortcut(arg(2), arg(3), [&] {
            const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                if (ItemText(list, i, 0) == arg(4)) return true;
            }
            return false;
        });
    }
    if (verb == L"visible") return ::IsWindowVisible(main) ? 0 : 1;
    if (verb == L"iconic") return ::IsIconic(main) ? 0 : 1;
    if (verb == L"minimize") return ::PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
    if (verb == L"tray-icon" || verb == L"tray-delete") {
        // tray-icon asks the notification area to change nothing about our icon, which it agrees to only
        // if the icon is there; tray-delete takes the icon away as a shell that lost it would, without a
        // word to the program.
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof(icon);
        icon.hWnd = main;
        icon.uID = kTrayIconId;
        return ::Shell_NotifyIconW(verb == L"tray-icon" ? NIM_MODIFY : NIM_DELETE, &icon) ? 0 : 1;
    }
    if (verb == L"pid") {
        Write(std::to_wstring(ProcessOf(main)) + L"\n");
        return 0;
    }
    if (verb == L"column-widths") {
        const HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
        const auto columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < columns; ++column)
            Write(std::to_wstring(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) +
                  (column + 1 < columns ? L" " : L"\n"));
        return 0;
    }
    if (verb == L"count") {
        Write(std::to_wstring(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) + L"\n");
        return 0;
    }
    if (verb == L"rows") {
        // One line per row: name, path, state word and image number (counted from 1), tab-separated.
        const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            Write(ItemText(list, i, 0) + L"\t" + ItemText(list, i, 1) + L"\t" + ItemText(list, i, 2) + L"\t" +
                  std::to_wstring(ItemImage(list, i) + 1) + L"\n");
        }
        return 0;
    }
    if (verb == L"locations" || verb == L"publishers") {
        // One line per row: name and the Location (or Publisher) column, tab-separated.
        const int column = verb == L"locations" ? 3 : 4;
        const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            Write(ItemText(list, i, 0) + L"\t" + ItemText(list, i, column) + L"\n");
        return 0;
    }
    if (verb == L"row-point") {
        // The middle of row N's name, in screen coordinates, for a real mouse click.
        RemoteBuffer remote(list, sizeof(RECT));
        RECT rect{LVIR_LABEL, 0, 0, 0};
        remote.Put(&rect, sizeof(rect));
        ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(_wtoi(arg(2).c_str())),
                       reinterpret_cast<LPARAM>(remote.Address()));
        remote.Get(&rect, sizeof(rect));
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::MapWindowPoints(list, nullptr, &point, 1);
        Write(std::to_wstring(point.x) + L" " + std::to_wstring(point.y) + L"\n");
        return 0;
    }
    if (verb == L"menu-point") {
        // The middle of item N (from 1) of the menu bar, in screen coordinates.
        MENUBARINFO info{};
        info.cbSize = sizeof(info);
        if (!::GetMenuBarInfo(main, OBJID_MENU, _wtoi(arg(2).c_str()), &info)) return 1;
        Write(std::to_wstring((info.rcBar.left + info.rcBar.right) / 2) + L" " +
              std::to_wstring((info.rcBar.top + info.rcBar.bottom) / 2) + L"\n");
        return 0;
    }
    if (verb == L"menu-bar") {
        // Enters the menu bar as F10 would; "keys" then moves through it.
        return ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0) ? 0 : 1;
    }
    if (verb == L"select") {
        RemoteBuffer remote(list, sizeof(LVITEMW));
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        remote.Put(&state, sizeof(state));
        return ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(_wtoi(arg(2).c_str())),
                              reinterpret_cast<LPARAM>(remote.Address()))
                   ? 0
                   : 1;
    }
    if (verb == L"command") {
        const int id = CommandId(arg(2));
        return id != 0 && ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 2;
    }
    if (verb == L"close") return ::PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"ping") {
        // Whether the program answers a sent message within the given milliseconds; prints how long it took.
        const DWORD start = ::GetTickCount();
        DWORD_PTR result = 0;
        const UINT limit = static_cast<UINT>(_wtoi(arg(2).c_str()));
        if (!::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit, &result)) return 1;
        Write(std::to_wstring(::GetTickCount() - start) + L"\n");
        return 0;
    }
    if (verb == L"gui-resources") {
        // The program's GDI, USER and kernel object counts, which a leak makes grow.
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(main));
        if (process == nullptr) return 1;
        DWORD kernel = 0;
        ::GetProcessHandleCount(process, &kernel);
        Write(std::to_wstring(::GetGuiResources(process, GR_GDIOBJECTS)) + L" " +
              std::to_wstring(::GetGuiResources(process, GR_USEROBJECTS)) + L" " + std::to_wstring(kernel) +
              L"\n");
        ::CloseHandle(process);
        return 0;
    }
    if (verb == L"repeat-command") {
        // Sends the same menu command N times, each handled before the next is sent.
        const int id = CommandId(arg(2));
        if (id == 0) return 2;
        const int times = _wtoi(arg(3).c_str());
        for (int i = 0; i < times; ++i)
            ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return 0;
    }
    if (verb == L"taskbar-created") {
        // What every program with an icon hears when Explorer starts again; sent, so that the
        // program has answered it when this returns.
        ::SendMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        return 0;
    }
    if (verb == L"act") {
        // act NAME ITEM STATE: chooses item ITEM (from 1) of the entry menu on the row NAME, then waits
        // (at most 5 s) until that row says STATE; prints the milliseconds from the choice on. The row is
        // found by the list's own search, as typing its name would find it: from the start, then (while
        // waiting) from a thousand rows above where it was, since an action moves a row that far at most.
        const std::wstring name = arg(2);
        RemoteBuffer search(list, sizeof(LVFINDINFOW) + (name.size() + 1) * sizeof(wchar_t));
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz =
            reinterpret_cast<const wchar_t*>(static_cast<char*>(search.Address()) + sizeof(LVFINDINFOW));
        search.Put(&find, sizeof(find));
        search.Put(name.c_str(), (name.size() + 1) * sizeof(wchar_t), sizeof(LVFINDINFOW));
        const auto find_row = [&](int after) {
            return static_cast<int>(::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(after),
                                                   reinterpret_cast<LPARAM>(search.Address())));
        };
        const int row = find_row(-1);
        const int from = std::max(row - 1000, -1);
        const auto row_of = [&](const std::wstring&) { return find_row(from); };
        if (row < 0) return 2;
        RemoteBuffer remote(list, sizeof(LVITEMW));
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        remote.Put(&state, sizeof(state));
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(remote.Address()));
        ::PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
        const DWORD opening = ::GetTickCount();
        while (VisibleWindowOfClass(ProcessOf(main), L"#32768") == nullptr) {
            if (::GetTickCount() - opening > 5000) return 1;
            ::Sleep(5);
        }
        LARGE_INTEGER frequency{}, start{}, now{};
        ::QueryPerformanceFrequency(&frequency);
        for (int i = _wtoi(arg(3).c_str()); i > 0; --i) {
            ::PostMessageW(main, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(main, WM_KEYUP, VK_DOWN, 0);
        }
        ::QueryPerformanceCounter(&start);
        ::PostMessageW(main, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(main, WM_KEYUP, VK_RETURN, 0);
        for (;;) {
            const int now_row = row_of(arg(2));
            ::QueryPerformanceCounter(&now);
            const double ms = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
                              static_cast<double>(frequency.QuadPart);
            if (now_row >= 0 && ItemText(list, now_row, 2) == arg(4)) {
                Write(std::to_wstring(static_cast<int>(ms + 0.5)) + L"\n");
                return 0;
            }
            if (ms > 5000) return 1;
            ::Sleep(1);
        }
    }
    if (verb == L"tick") return ::PostMessageW(main, WM_TIMER, kTimer1Id, 0) ? 0 : 1;
    if (verb == L"keys") {
        // Keys for an open pop-up menu, which listens on the program's thread whatever has the focus.
        for (int i = 2; i < argc; ++i) {
            const auto key = static_cast<WPARAM>(_wtoi(argv[i]));
            ::PostMessageW(main, WM_KEYDOWN, key, 0);
            ::PostMessageW(main, WM_KEYUP, key, 0);
        }
        return 0;
    }
    if (verb == L"menu-open") return VisibleWindowOfClass(ProcessOf(main), L"#32768") != nullptr ? 0 : 1;
    if (verb == L"msgbox") {
        const HWND box = MessageBoxWindow(ProcessOf(main));
        if (box == nullptr) return 1;
        Write(WindowText(box) + L"\n" + WindowText(::GetDlgItem(box, 0xFFFF)) + L"\n");
        return 0;
    }
    if (verb == L"answer") {
        const HWND box = MessageBoxWindow(ProcessOf(main));
        if (box == nullptr) return 1;
        const WPARAM id = arg(2) == L"cancel" ? IDCANCEL
                          : arg(2) == L"yes"  ? IDYES
                          : arg(2) == L"no"   ? IDNO
                                              : IDOK;
        return ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
    }
    if (verb == L"windows") {
        // The program's visible top-level windows, by class and title.
        struct Search {
            DWORD pid;
        } search{ProcessOf(main)};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                if (::IsWindowVisible(window) &&
                    ProcessOf(window) == reinterpret_cast<Search*>(context)->pid) {
                    wchar_t cls[64] = {};
                    ::GetClassNameW(window, cls, 64);
                    Write(std::wstring(cls) + L"\t" + WindowText(window) + L"\n");
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return 0;
    }
    return Usage();
}
