#pragma once
// The main window's logic: it owns the entry table and conducts the start-up sequence, the periodic
// cleaning and every command. Each procedure is a short call into the folder that owns the behaviour;
// the Win32 window only translates messages into these calls.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/commands.h"
#include "app/desktop_user_launcher.h"
#include "app/facts_scheduler.h"
#include "app/live_watch.h"
#include "listview/draw_list.h"
#include "platform/about_box.h"
#include "platform/entry_action.h"
#include "platform/event_pump.h"
#include "platform/file_dialog.h"
#include "platform/file_facts.h"
#include "platform/files.h"
#include "platform/key_watch.h"
#include "platform/list_control.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/option_menu.h"
#include "platform/popup_menus.h"
#include "platform/process_control.h"
#include "platform/process_launcher.h"
#include "platform/program_search.h"
#include "platform/registre.h"
#include "platform/startup_folders.h"
#include "platform/text_codec.h"
#include "platform/tray_icon.h"
#include "store/ban_enforcement.h"
#include "store/collection.h"
#include "store/startup_entry.h"

namespace quorvel {

struct Form1Ports {
    Registre& registry;
    KeyWatch& watch;
    ListControl& view;
    OptionMenu& options;
    MainWindow& window;
    TrayIcon& tray;
    PopupMenus& popups;
    EventPump& events;
    ProcessControl& process;
    ProcessLauncher& launcher;
    MessageBoxes& boxes;
    AboutBox& about;
    FileSystem& files;
    FileDialogs& dialogs;
    TextCodec& codec;
    StartupFolders& folders;
    ProgramSearch& search;
    FileFacts& file_facts;
};

enum class StartOutcome { kEnded, kShown, kHidden };

// The mouse button released over the list.
enum class MouseButton { kLeft, kRight };

class Form1 {
  public:
    explicit Form1(Form1Ports ports);

    // Events of the window, named after what raises them.
    StartOutcome Form_Load(std::string_view arguments);
    void Form_QueryUnload();
    void Timer1_Timer();
    void OnCommand(Command command);
    void View1_MouseUp(MouseButton button);
    // The keyboard's context-menu key or Shift+F10 on the list.
    void View1_ContextKey();
    void TaskbarIcon_MouseUp();
    void Balloon_Click();
    void Tray_Timer();
    // The shell made a new notification area, which holds no icon of ours.
    void Taskbar_Created();
    // The program was started again while this instance runs; `automatic` for a start with "-auto".
    void Second_Start(bool automatic);
    // Some of the startup keys or folders changed, as the change notifications tell; a change that
    // cannot be told apart reads everything again.
    void Registry_Change(SourceSet changed = AllSources());
    void Settle_Timer();
    // The message loop found no input waiting: one piece of the work kept for such moments. False when
    // none is left, so that the loop may wait for input again.
    bool Idle();

    // The procedures other parts of the program call.
    void RefreshList();
    void DrawList();
    // Reads again only these keys and folders, and replaces their rows alone where the list allows it.
    void RefreshSources(SourceSet sources);
    void DrawSources(SourceSet sources);
    BanPass DelectBanElement();
    // Shows a saved startup list in place of the registry's entries; writes nothing to the registry.
    void LoadStartUpf(std::string_view path);
    void SaveStartUpf(std::string_view path);

    const EntryTable& Entries() const { return entries_; }

    // The name and text registered in Run so that the program starts hidden at logon.
    static constexpr std::string_view kRunValueName = "Quorvel";
    std::string LogonCommand() const;
    // The file that command starts.
    std::string LogonProgram() const;

  private:
    // How often the tray icon is tried before the program gives up until the shell starts again.
    static constexpr int kTrayTries = 36;

    StartOutcome EndProgram();
    // The icon is wanted exactly while the window is hidden; a refused add is tried again.
    void ShowTrayIcon();
    // True when the icon is there now.
    bool TryTrayIcon();
    void RemoveTrayIcon();
    void PeriodicCleaning(SourceSet sources = AllSources());
    // The rest of a pass once its table is read and shown: deletions, and what follows from them.
    void EndPass();
    // Reads the keys again after Quorvel changed them itself; a banned value found back there that no
    // deletion was refused for asks for one more pass per event.
    void ReadBackOwnChanges(SourceSet changed);
    // Asks for a cleaning pass once the changes have settled.
    void ScheduleCleaning();
    // Tells the user, while the window is hidden, of entries that newly appeared in a Run key.
    void AnnounceNewcomers();
    Visibility ShownStates() const;
    // Says, once each and only while the window is shown, which folders could not be read.
    void TellUnreadFolders();
    // Whether the window is on the screen: both the folder messages and the idle look at each row's
    // program wait for it, so the two always learn it together here.
    void SetWindowShown(bool shown);
    void RegisterAtLogon();
    void CreateSiblingKeys();
    void LoadSeting();
    // False when the options could be saved nowhere.
    bool SaveSeting();
    void Refresha_Click();
    void Option_Click(Option option);
    std::string SettingsPath() const;
    // config.ini of the user's own folder; empty where the system names none.
    std::string UserSettingsPath() const;
    void Showa_Click();
    void LoadStartUp_Click();
    void SaveStartUp_Click();
    // Notes the selected entry, opens the entry menu if asked, and carries out the choice.
    void EntryMenu(bool open_menu, bool at_pointer);
    // Carries out PopupChoice on the entry that was selected when the menu opened.
    void ActOnEntry(const EntryIdentity& selected);
    // Hands over to an instance with an administrator's rights; stays as it was when there is none.
    void RestartAsAdministrator();

    // Declared before ports_, whose launcher it is: whatever Form1 starts goes through it.
    DesktopUserLauncher launcher_;
    Form1Ports ports_;
    EntryTable entries_;
    // Changes notified since the last pass took them, for the pass the settling timer starts.
    SourceSet pending_;
    // What was read since the newcomers were last looked for.
    SourceSet read_since_announced_;
    // The list shows the rows of a collected table, so that a place read again replaces its own rows.
    bool rows_by_source_ = false;
    // What config.ini holds, as last read or written; nothing until then.
    std::optional<std::string> settings_on_disk_;
    // config.ini is there but could not be read: the options run on the built marks and it stays as it is.
    bool settings_unreadable_ = false;
    // Where the options are read from and saved to: beside the program, or in the user's own folder.
    std::string settings_path_;
    // The user has been told that the options could not be saved.
    bool told_unsaved_ = false;
    // The table holds a loaded list file rather than the registry, until the next collection.
    bool showing_list_file_ = false;
    // Banned values the last pass could not delete: finding them again is no news.
    std::size_t refused_bans_ = 0;
    // Since the last tick or registry change, a pass already ran again for banned values found back.
    bool retried_ = false;
    bool tray_wanted_ = false;
    // The window is on the screen: messages about the folders wait until then.
    bool window_shown_ = false;
    // Folders the last collection could not read, and those the user has been told of.
    std::vector<UnreadFolder> unread_folders_;
    std::set<StartupFolder> told_folders_;
    int tray_tries_ = 0;
    CleaningScheduler scheduler_;
    // What each row's program is, found out while the user has nothing for the program to do.
    FactsScheduler facts_;
    NewcomerWatch newcomers_;
    EntryAction PopupChoice = EntryAction::kNone;
};

}  // namespace quorvel
