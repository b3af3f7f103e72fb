#pragma once
// Fakes of the windowing side, recording what the program asked of it and answering as scripted.

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/about_box.h"
#include "platform/event_pump.h"
#include "platform/files.h"
#include "platform/key_watch.h"
#include "platform/list_control.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/option_menu.h"
#include "platform/popup_menus.h"
#include "platform/process_control.h"
#include "platform/process_launcher.h"
#include "platform/tray_icon.h"

namespace quorvel::testing {

class FakeList final : public ListControl {
  public:
    void ShowRows(std::vector<ListRow> shown) override {
        rows = std::move(shown);
        ++redraws;
    }
    // As the real list does it, names compared as SortByName compares them.
    void ReplaceGroups(SourceSet groups, std::vector<ListRow> replacing, bool by_name) override;
    std::optional<EntryIdentity> SelectedEntry() const override { return selected; }
    void ShowFacts(std::string_view stored_command, std::string_view publisher, bool missing) override {
        for (ListRow& row : rows) {
            if (row.stored_command != stored_command) continue;
            row.publisher = publisher;
            row.missing = missing;
        }
    }
    // Letters compare without case, as the list control compares them.
    void SortByName(std::vector<ListRow>& rows) const override;

    std::vector<std::string> Names() const;
    // "name|command|word|image" per row, top to bottom.
    std::vector<std::string> Lines() const;

    std::vector<ListRow> rows;
    std::optional<EntryIdentity> selected;
    int redraws = 0;
    // Every row handed over in place of others, in the order given.
    std::vector<ListRow> replaced;
};

class FakeOptions final : public OptionMenu {
  public:
    FakeOptions();  // the check marks as the menu is built
    bool IsChecked(Option option) const override { return checked.at(option); }
    void SetChecked(Option option, bool value) override { checked[option] = value; }
    std::map<Option, bool> checked;
};

class FakeWindow final : public MainWindow {
  public:
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void BindImageList() override { images_bound = true; }
    void StartSettleTimer() override { ++settle_timers; }
    void StartTrayTimer() override { ++tray_timers; }
    bool visible = false;
    bool images_bound = false;
    int settle_timers = 0;
    int tray_timers = 0;
};

// A notification area that may refuse adds, as one not ready yet at logon does.
class FakeTray final : public TrayIcon {
  public:
    bool Show() override {
        if (!shown && refused_adds > 0) {
            --refused_adds;
            return false;
        }
        shown = true;
        return true;
    }
    void Remove() override { shown = false; }
    bool IsShown() override { return shown; }
    void Forget() override { shown = false; }
    void Announce(std::string_view title, std::string_view text) override {
        announcements.push_back(std::string(title) + ": " + std::string(text));
    }
    bool shown = false;
    int refused_adds = 0;
    std::vector<std::string> announcements;
};

// The change notification, which the unit tests raise by calling Registry_Change themselves.
class FakeKeyWatch final : public KeyWatch {
  public:
    SourceSet Restart() override { return {}; }
};

class FakePopups final : public PopupMenus {
  public:
    void GiveMenuBitmaps() override { bitmaps_given = true; }
    EntryAction ShowEntryMenu(bool at_pointer) override;
    TrayChoice ShowTrayMenu() override;

    bool bitmaps_given = false;
    int entry_menus_opened = 0;
    bool last_at_pointer = false;
    EntryAction entry_choice = EntryAction::kNone;
    TrayChoice tray_choice = TrayChoice::kNone;
    // Runs while the menu is open, as a timer tick or another program might.
    std::function<void()> while_open;
};

class FakeEvents final : public EventPump {
  public:
    void ProcessPendingEvents() override {
        ++runs;
        if (pending) pending();
    }
    int runs = 0;
    std::function<void()> pending;
};

class FakeProcess final : public ProcessControl {
  public:
    bool ClaimSingleInstance() override {
        claimed_after_waiting = waited_for.has_value();
        return !another_running;
    }
    bool AwaitSingleInstance() override { return ClaimSingleInstance(); }
    void CallFirstInstance(bool) override { called_first = true; }
    void WaitForEnd(std::uint32_t process_id) override { waited_for = process_id; }
    bool IsElevated() const override { return elevated; }
    RestartResult RestartAsAdministrator() override {
        ++restarts;
        return restart;
    }
    void EndProcess() override { ended = true; }
    std::string ProgramFolder() const override { return folder; }
    std::string UserFolder() const override { return user_folder; }
    bool another_running = false;
    bool called_first = false;
    std::optional<std::uint32_t> waited_for;
    bool claimed_after_waiting = false;
    bool elevated = false;
    int restarts = 0;
    RestartResult restart{true, false, {}};  // the new instance starts, unless scripted otherwise
    bool ended = false;
    std::string folder = "C:\\Program Files\\Quorvel";
    std::string user_folder = "C:\\Users\\Ann\\AppData\\Local\\Quorvel";
};

// Records every start by the way it was asked for; the system's own rights or the desktop user's.
class FakeLauncher final : public ProcessLauncher {
  public:
    LaunchResult StartCommandLine(std::string_view command_line, ShowCommand show) override;
    LaunchResult Open(std::string_view target, ShowCommand show) override;
    LaunchResult StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) override;
    LaunchResult OpenAsDesktopUser(std::string_view target, ShowCommand show) override;
    LaunchResult StartRegistryEditor() override;
    std::string ExpandEnvironment(std::string_view text) override;

    struct Start {
        std::string how;  // "command line", "open", "... as desktop user", "registry editor"
        std::string text;
        ShowCommand show = ShowCommand::kNormal;
        bool operator==(const Start&) const = default;
    };
    std::vector<Start> started;
    std::string failure;           // when set, nothing starts and this is the reason
    std::string desktop_failure;   // when set, nothing starts as the desktop user, for this reason
    bool consent_refused = false;  // the user says no to Windows' question for the registry editor

  private:
    LaunchResult Record(std::string how, std::string_view text, ShowCommand show, const std::string& failed);
};

class FakeBoxes final : public MessageBoxes {
  public:
    bool Confirm(std::string_view text, std::string_view title) override;
    // Asked and answered like Confirm: Yes unless scripted otherwise.
    bool AskYesNo(std::string_view text, std::string_view title) override { return Confirm(text, title); }
    void Inform(std::string_view text) override {
        informed.emplace_back(text);
        if (while_informing) while_informing();
    }
    void Fail(std::string_view text) override { failures.emplace_back(text); }

    struct Question {
        std::string text;
        std::string title;
        bool operator==(const Question&) const = default;
    };
    std::vector<Question> questions;
    std::deque<bool> answers;  // OK unless scripted otherwise
    std::function<void()> while_open;
    // Runs while a plain message is shown, as a timer tick might.
    std::function<void()> while_informing;
    std::vector<std::string> informed;
    std::vector<std::string> failures;
};

class FakeFiles final : public FileSystem {
  public:
    std::optional<std::string> ReadFile(std::string_view path) override {
        auto it = files.find(std::string(path));
        if (it == files.end() || unreadable.contains(it->first)) return std::nullopt;
        return it->second;
    }
    bool Exists(std::string_view path) override { return files.contains(std::string(path)); }
    bool ReplaceFile(std::string_view path, std::string_view bytes) override {
        if (Refuses(path)) return false;
        files[std::string(path)] = std::string(bytes);
        ++writes;
        return true;
    }
    bool CreateFolder(std::string_view path) override { return !Refuses(path); }
    // False for a path in a folder of open_to_users, or one of those itself.
    bool OnlyAdministratorsCanChange(std::string_view path) override;
    std::string LastError() const override { return "Access is denied."; }

    std::map<std::string, std::string> files;
    // Present, but locked or without read rights.
    std::set<std::string> unreadable;
    bool read_only = false;
    // Folders that refuse every write into them, as the program's folder under Program Files does for a
    // user without administrator rights.
    std::set<std::string> refusing_folders;
    // Folders that other accounts than administrators may change.
    std::set<std::string> open_to_users;
    int writes = 0;

  private:
    bool Refuses(std::string_view path) const;
};

class FakeAbout final : public AboutBox {
  public:
    void ShowModal(ProcessLauncher&) override { ++shown; }
    int shown = 0;
};

}  // namespace quorvel::testing
