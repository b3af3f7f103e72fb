#pragma once
// The main window's logic: it owns the entry table and conducts the start-up sequence, the periodic
// cleaning and every command. Each procedure is a short call into the folder that owns the behaviour;
// the Win32 window only translates messages into these calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/commands.h"
#include "app/live_watch.h"
#include "platform/about_box.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/list_control.h"
#include "platform/message_box.h"
#include "platform/option_menu.h"
#include "platform/process_launcher.h"
#include "platform/registre.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "store/startup_entry.h"

namespace quorvel {

struct Form1Ports {
    Registre& registry;
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
};

enum class StartOutcome { kEnded, kShown, kHidden };

// The mouse button released over the list, with the codes the list control reports.
enum class MouseButton : std::int16_t { kLeft = 1, kRight = 2, kMiddle = 4 };

class Form1 {
  public:
    explicit Form1(Form1Ports ports) : ports_(ports) {}

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
    // One of the startup keys changed, as the registry's change notification tells.
    void Registry_Change();
    void Settle_Timer();

    // The procedures other parts of the program call.
    void RefreshList();
    void DrawList();
    // Returns how many values it deleted.
    int DelectBanElement();
    // Shows a saved startup list in place of the registry's entries; writes nothing to the registry.
    void LoadStartUpf(std::string_view path);
    void SaveStartUpf(std::string_view path);

    const EntryTable& Entries() const { return entries_; }
    std::size_t EntryCount() const { return entries_.size(); }

    // The text registered in Run so that the program starts hidden at logon.
    std::string LogonCommand() const;

  private:
    StartOutcome EndProgram();
    void PeriodicCleaning();
    // The first collection, on a worker while the window is being built. False when the window could
    // not be built.
    bool ReadWhileTheWindowIsBuilt();
    // The start-up pass, on the table Form_Load has just read.
    void FirstCleaning();
    // The rest of a pass once its table is read and shown: deletions, and what follows from them.
    void EndPass();
    void ShowCollected();
    // Tells the user, while the window is hidden, of entries that newly appeared in a Run key.
    void AnnounceNewcomers();
    void RegisterAtLogon();
    void CreateSiblingKeys();
    void LoadSeting();
    void SaveSeting();
    void Refresha_Click();
    void Option_Click(Option option);
    std::string SettingsPath() const;
    void Showa_Click();
    void LoadStartUp_Click();
    void SaveStartUp_Click();
    // Notes the selected entry, opens the entry menu if asked, and carries out the choice.
    void EntryMenu(bool open_menu, bool at_pointer);
    // Carries out PopupChoice on the entry that was selected when the menu opened.
    void ActOnEntry(const EntryIdentity& selected);

    Form1Ports ports_;
    EntryTable entries_;
    // What config.ini holds, as last read or written; nothing until then.
    std::optional<std::string> settings_on_disk_;
    // The table holds a loaded list file rather than the registry, until the next collection.
    bool showing_list_file_ = false;
    CleaningScheduler scheduler_;
    NewcomerWatch newcomers_;
    std::int16_t PopupChoice = 0;
};

}  // namespace quorvel
