// Times, inside one process, the program's collection, list drawing and periodic cleaning against the
// least the system itself needs for the same result, each pair interleaved so that both see the same
// machine. Every figure is a median over many runs (QueryPerformanceCounter).
//
// It reads and rewrites the real startup keys, so it runs only in a throwaway Wine prefix seeded by
// scripts/bench.sh, and only when told so with --scratch-registry. One tab-separated line per measurement:
//   row  LABEL  UNIT  RUNS  MEDIAN  MIN  MAX  FLOOR_MEDIAN  FLOOR_MIN  FLOOR_MAX  GOAL

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_list_files.h"
#include "fakes/fake_program_files.h"
#include "fakes/fake_shell.h"
#include "listview/draw_list.h"
#include "milliseconds.h"
#include "store/collection.h"
#include "store/startup_approved.h"
#include "win32/app/message_loop.h"
#include "win32/app/startup_watcher.h"
#include "win32/listview/list_view.h"
#include "win32/shared/handles.h"
#include "win32/shared/ids.h"
#include "win32/shared/message_pump.h"
#include "win32/shared/text.h"
#include "win32/store/registry_keys.h"
#include "win32/store/system_registre.h"
#include "win32/store/system_startup_folders.h"
#include "words/words.h"

namespace {

using namespace quorvel;
using namespace quorvel::win32;

constexpr int kListId = kView1Id;
constexpr size_t kBans = 100;

double Now() { return bench::Milliseconds(); }

template <typename Work>
double TimeMs(Work&& work) {
    const double start = Now();
    work();
    return Now() - start;
}

struct Samples {
    std::vector<double> ms;
    double Median() const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
    double Max() const { return *std::max_element(ms.begin(), ms.end()); }
};

void Report(const std::string& label, const Samples& subject, const Samples& floor, const char* goal) {
    std::printf("row\t%s\tms\t%zu\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%s\n", label.c_str(),
                subject.ms.size(), subject.Median(), subject.Min(), subject.Max(), floor.Median(),
                floor.Min(), floor.Max(), goal);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "bench_store: %s\n", why.c_str());
    std::exit(1);
}

// One way of doing the work: `before` and `after` run untimed around each timed run.
struct Arm {
    explicit Arm(
        std::function<void()> run_work, std::function<void()> run_before = [] {},
        std::function<void()> run_after = [] {})
        : run(std::move(run_work)), before(std::move(run_before)), after(std::move(run_after)) {}
    std::function<void()> run;
    std::function<void()> before;
    std::function<void()> after;
    Samples samples;
};

// Runs every arm once a round, each round starting with the next arm, so that all see the same machine
// and none always finds the caches another warmed. The first round warms up and is not counted.
void RoundRobin(int rounds, const std::vector<Arm*>& arms) {
    const int count = static_cast<int>(arms.size());
    for (int round = -1; round < rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            Arm& arm = *arms[static_cast<size_t>((round + 1 + k) % count)];
            arm.before();
            const double ms = TimeMs(arm.run);
            arm.after();
            if (round >= 0) arm.samples.ms.push_back(ms);
        }
    }
}

// Lets the windows paint what the last run changed, outside any timing.
void Pump() { PumpPendingMessages(); }

// One RegEnumValueW pass over the startup keys and the keys of Windows' startup settings, into
// buffers big enough for any value: names, types and data, and nothing done with them but counting the
// values of the startup keys.
class RawPass {
  public:
    RawPass() : name_(16384), data_(1 << 16) {
        for (const EntrySource& source : kEntrySources)
            keys_.push_back({source.root, source.path, true});
        for (const RootKey root : kRoots) {
            if (const auto approvals = ApprovalKeyOf(root))
                keys_.push_back({approvals->root, approvals->path, false});
        }
    }

    size_t Run() {
        size_t values = 0;
        for (const auto& [root, path, counted] : keys_) {
            UniqueHKey key;
            if (OpenKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) continue;
            for (DWORD index = 0;; ++index) {
                DWORD name_length = static_cast<DWORD>(name_.size());
                DWORD data_size = static_cast<DWORD>(data_.size());
                DWORD type = 0;
                if (::RegEnumValueW(key.get(), index, name_.data(), &name_length, nullptr, &type,
                                    data_.data(), &data_size) != ERROR_SUCCESS) {
                    break;
                }
                if (data_size > 0 && counted) ++values;
            }
        }
        return values;
    }

  private:
    struct Key {
        RootKey root;
        std::string_view path;
        bool counted;
    };
    std::vector<Key> keys_;
    std::vector<wchar_t> name_;
    std::vector<BYTE> data_;
};

HWND CreateHost(HINSTANCE instance, const wchar_t* title, int x) {
    static const ATOM host_class = [instance] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"QuorvelBenchHost";
        return ::RegisterClassExW(&wc);
    }();
    if (host_class == 0) Fail("cannot register the host window class");
    const HWND host = ::CreateWindowExW(0, L"QuorvelBenchHost", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                        x, 0, 630, 600, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(host, SW_SHOWNOACTIVATE);
    return host;
}

void FillClient(HWND host, HWND child) {
    RECT client{};
    ::GetClientRect(host, &client);
    ::MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
}

// A report-view list with the program's five columns and nothing else.
HWND CreateBareList(HWND host, HINSTANCE instance) {
    const HWND list =
        ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0, host,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    const wchar_t* headers[] = {L"Name", L"Path", L"Startup", L"Location", L"Publisher"};
    const int widths[] = {200, 300, 53, 150, 270};
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(headers[i]);
        column.cx = widths[i];
        column.iSubItem = i;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    FillClient(host, list);
    return list;
}

struct WideRow {
    std::wstring name, command, word, location, publisher;
};

// Plain insertion, with the list's drawing held back meanwhile: left on, a shown list view under Wine
// updates itself after every insertion and takes seconds, not milliseconds, for a thousand rows.
void InsertBare(HWND list, std::vector<WideRow>& rows) {
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    int index = 0;
    for (WideRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = row.name.data();
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = row.command.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        sub.iSubItem = 2;
        sub.pszText = row.word.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        sub.iSubItem = 3;
        sub.pszText = row.location.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        sub.iSubItem = 4;
        sub.pszText = row.publisher.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        ++index;
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

int ItemCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

// The real registry, counting the work the program asks of it: one ListValues per key and pass.
class CountingRegistre final : public Registre {
  public:
    bool DeleteValue(RootKey root, std::string_view path, std::string_view name) override {
        const bool deleted = real_.DeleteValue(root, path, name);
        deletions += deleted ? 1 : 0;
        return deleted;
    }
    bool WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                          std::string_view text) override {
        return real_.WriteStringValue(root, path, name, text);
    }
    bool CreateKey(RootKey root, std::string_view path) override { return real_.CreateKey(root, path); }
    std::string ReadStringValue(RootKey root, std::string_view path, std::string_view name) override {
        return real_.ReadStringValue(root, path, name);
    }
    bool ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) override {
        return real_.ListValueNames(list, root, path);
    }
    bool ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) override {
        ++keys_read;
        return real_.ListValues(list, root, path);
    }
    bool ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) override {
        return real_.ListRawValues(list, root, path);
    }
    bool HasRoot(RootKey root) const override { return real_.HasRoot(root); }
    bool CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                   std::string_view name) override {
        return real_.CopyValue(root, from_path, to_path, name);
    }
    std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path,
                                              std::string_view name) override {
        return real_.ReadRawValue(root, path, name);
    }
    bool WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                       const RegistryValue& value) override {
        return real_.WriteRawValue(root, path, name, value);
    }
    std::string FoldedName(std::string_view name) const override { return real_.FoldedName(name); }
    std::string LastError() const override { return real_.LastError(); }

    // Startup keys read: a pass reads only the keys that changed.
    int keys_read = 0;
    int deletions = 0;

  private:
    SystemRegistre real_;
};

// The main window's timers, on a thread timer: the settling time before a pass is the program's own.
class TimedWindow final : public MainWindow {
  public:
    void Show() override {}
    void Hide() override {}
    void BindImageList() override {}
    void StartTrayTimer() override {}
    void StartSettleTimer() override {
        current_ = this;
        ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            if (current_ != nullptr && current_->form != nullptr) current_->form->Settle_Timer();
        });
    }
    Form1* form = nullptr;

  private:
    static inline TimedWindow* current_ = nullptr;
};

// Form1 over the real registry and Startup folders, its real watch and message loop, with the given list.
template <typename List>
struct Program {
    template <typename... ListArguments>
    explicit Program(ListArguments&&... list_arguments)
        : view(std::forward<ListArguments>(list_arguments)...) {
        // Everything listed, as the start-up measurement's config.ini has it.
        options.SetChecked(Option::kBanVisible, true);
        window.form = &form;
    }
    // Lets the program react to whatever happened until nothing more comes for half a second.
    void Settle() {
        while (loop.RunOnce(form, 500)) {
        }
    }
    CountingRegistre registry;
    SystemStartupFolders folders;
    StartupWatcher watch{folders};
    MessageLoop loop{watch};
    List view;
    testing::FakeOptions options;
    TimedWindow window;
    testing::FakeTray tray;
    testing::FakePopups popups;
    testing::FakeProcess process;
    testing::FakeLauncher launcher;
    testing::FakeBoxes boxes;
    testing::FakeAbout about;
    testing::FakeFiles files;
    testing::FakeFileDialogs dialogs;
    testing::FakeTextCodec codec;
    testing::FakeProgramFiles programs;
    Form1 form{{registry, watch, view, options, window, tray, popups, loop, process, launcher, boxes, about,
                files, dialogs, codec, folders, programs, programs}};
};

// Writes a value as another program would, behind Quorvel's back.
void WriteAsAnotherProgram(RootKey root, std::string_view path, std::string_view name) {
    UniqueHKey key;
    if (CreateOrOpenKey(root, path, KEY_SET_VALUE, key) != ERROR_SUCCESS)
        Fail("cannot open " + std::string(path));
    const std::wstring data = L"C:\\Bench\\came back.exe";
    ::RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void ReportCount(const std::string& label, int count, int most) {
    std::printf("count\t%s\t%d\t%d\n", label.c_str(), count, most);
    std::fflush(stdout);
}

// Names that stand in a Ban- key, taken alternately from both roots, with the root they are banned under.
std::vector<std::pair<RootKey, std::string>> BannedNames(Registre& registry, size_t wanted) {
    std::vector<std::string> machine, user;
    registry.ListValueNames(machine, kLocalMachine, kBanPath);
    registry.ListValueNames(user, kCurrentUser, kBanPath);
    std::vector<std::pair<RootKey, std::string>> names;
    for (size_t i = 0; names.size() < wanted && (i < machine.size() || i < user.size()); ++i) {
        if (i < machine.size()) names.emplace_back(kLocalMachine, machine[i]);
        if (i < user.size() && names.size() < wanted) names.emplace_back(kCurrentUser, user[i]);
    }
    if (names.size() < wanted) Fail("the Ban- keys hold fewer than " + std::to_string(wanted) + " names");
    return names;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || std::wcscmp(argv[1], L"--scratch-registry") != 0) {
        std::fputs(
            "bench_store rewrites the startup keys: run it only in a throwaway prefix, with "
            "--scratch-registry (scripts/bench.sh does).\n",
            stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);

    const HWND program_host = CreateHost(instance, L"Quorvel list", 0);
    const HWND bare_host = CreateHost(instance, L"Bare list", 640);
    Program<ListView> program(program_host, kListId, instance);
    FillClient(program_host, program.view.Handle());
    const HWND bare = CreateBareList(bare_host, instance);
    Pump();

    // Collection: the program's CollectEntries against one raw enumeration pass.
    {
        EntryTable entries;
        RawPass raw;
        size_t raw_values = 0;
        Arm program_arm{[&] { CollectEntries(program.registry, entries); }};
        Arm floor_arm{[&] { raw_values = raw.Run(); }};
        RoundRobin(41, {&program_arm, &floor_arm});
        if (entries.size() != raw_values) {
            Fail("collection found " + std::to_string(entries.size()) + " entries where the keys hold " +
                 std::to_string(raw_values) + " values with data");
        }
        Report("collection of " + std::to_string(entries.size()) + " entries", program_arm.samples,
               floor_arm.samples, "1.5");
    }

    // Drawing: the program's DrawList (its rows and its list control) against plain insertion of the same
    // rows, in table order, into a bare list view. Both lists start empty each time.
    program.form.RefreshList();
    const int shown = ItemCount(program.view.Handle());
    std::vector<WideRow> wide_rows;
    for (const ListRow& row : BuildRows(program.form.Entries(), {true, true, true})) {
        wide_rows.push_back({Widen(row.name), Widen(row.command), Widen(row.state_word), Widen(row.location),
                             Widen(row.publisher)});
    }
    if (static_cast<size_t>(shown) != wide_rows.size() || shown == 0)
        Fail("the program's list shows " + std::to_string(shown) + " rows of " +
             std::to_string(wide_rows.size()));
    {
        const auto empty_both = [&] {
            program.view.ShowRows({});
            ::SendMessageW(bare, LVM_DELETEALLITEMS, 0, 0);
            Pump();
        };
        const auto expect_rows = [&](HWND list) {
            return [&, list] {
                if (ItemCount(list) != shown) Fail("a drawing run left the wrong number of rows");
            };
        };
        Arm unsorted{[&] { program.form.DrawList(); },
                     [&] {
                         empty_both();
                         program.options.SetChecked(Option::kSortinga, false);
                     },
                     expect_rows(program.view.Handle())};
        Arm sorted{[&] { program.form.DrawList(); },
                   [&] {
                       empty_both();
                       program.options.SetChecked(Option::kSortinga, true);
                   },
                   expect_rows(program.view.Handle())};
        Arm floor_arm{[&] { InsertBare(bare, wide_rows); }, empty_both, expect_rows(bare)};
        RoundRobin(31, {&unsorted, &sorted, &floor_arm});
        const std::string rows = std::string("DrawList of ") + std::to_string(shown) + " rows, ";
        Report(rows + "unsorted", unsorted.samples, floor_arm.samples, "1.3");
        Report(rows + "sorted", sorted.samples, floor_arm.samples, "1.3");
    }
    program.options.SetChecked(Option::kSortinga, false);

    // Cleaning: one periodic cleaning (collect, enforce, pending events, collect) that finds banned names
    // back in Run, against one RefreshList of the same keys.
    {
        const auto banned = BannedNames(program.registry, kBans);
        const auto seed = [&] {
            for (const auto& [root, name] : banned) {
                if (!program.registry.WriteStringValue(root, kRunPath, name, "C:\\Bench\\came back.exe"))
                    Fail("cannot seed " + name + ": " + program.registry.LastError());
            }
            Pump();
        };
        // After each cleaning neither the registry nor the list it drew may hold a banned name in Run.
        const auto check = [&] {
            std::vector<std::string> run_names;
            for (const RootKey root : {kLocalMachine, kCurrentUser})
                program.registry.ListValueNames(run_names, root, kRunPath);
            for (const StartupEntry& entry : program.form.Entries()) {
                if (entry.State == kStateEnabled) run_names.push_back(entry.Name);
            }
            for (const auto& [root, name] : banned) {
                if (std::find(run_names.begin(), run_names.end(), name) != run_names.end())
                    Fail("the banned name " + name + " survived a cleaning");
            }
        };
        Arm cleaning{[&] { program.form.Timer1_Timer(); }, seed, check};
        Arm refresh{[&] { program.form.RefreshList(); }, seed};
        RoundRobin(15, {&cleaning, &refresh});
        Report("periodic cleaning, " + std::to_string(kBans) + " bans back in Run", cleaning.samples,
               refresh.samples, "3");
        // The keys as they were given: what runs next finds no banned name waiting in Run.
        for (const auto& [root, name] : banned)
            program.registry.DeleteValue(root, kRunPath, name);
    }
    // The work one event costs, counted: keys read and deletions after a banned value came back, and keys
    // read after each entry action, with the program's own watch, loop and settling time.
    {
        Program<testing::FakeList> watched;
        watched.form.RefreshList();
        watched.watch.Restart();
        watched.Settle();
        const auto [root, name] = BannedNames(watched.registry, 1)[0];
        watched.registry.keys_read = watched.registry.deletions = 0;
        WriteAsAnotherProgram(root, kRunPath, name);
        watched.Settle();
        if (watched.registry.ReadRawValue(root, kRunPath, name)) Fail("the returned ban " + name + " stayed");
        // The key it came back into, once for the pass and once after the deletion.
        ReportCount("startup keys read after one banned value came back", watched.registry.keys_read, 2);
        ReportCount("deletions after one banned value came back", watched.registry.deletions, 1);

        constexpr char kActed[] = "Bench acted on";
        watched.registry.WriteStringValue(kCurrentUser, kRunPath, kActed, "C:\\Bench\\acted.exe");
        watched.Settle();
        struct Acting {
            EntryAction action;
            std::int16_t from;
            std::string_view word;
        };
        constexpr Acting actions[] = {{EntryAction::kDisable, kStateEnabled, words::kDisable},
                                      {EntryAction::kEnable, kStateDisabled, words::kEnable},
                                      {EntryAction::kBan, kStateEnabled, words::kBan},
                                      {EntryAction::kDelete, kStateBanned, words::kDelete}};
        for (const auto& [action, from, word] : actions) {
            watched.registry.keys_read = 0;
            watched.view.selected = EntryIdentity{kCurrentUser, MakeKey(kActed, from)};
            watched.popups.entry_choice = action;
            watched.form.View1_MouseUp(MouseButton::kRight);
            watched.Settle();
            // The three keys of the entry's root.
            ReportCount("startup keys read after " + std::string(word), watched.registry.keys_read, 3);
        }
        if (watched.registry.ReadRawValue(kCurrentUser, kBanPath, kActed))
            Fail("Delete left the entry acted on");
    }
    ::DestroyWindow(bare_host);
    ::DestroyWindow(program_host);
    return 0;
}
