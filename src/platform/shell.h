#pragma once
// The small services of the windowing system that the main window's logic needs.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    // Builds the window, hidden; false when the system refused it. Start-up calls it once, while the
    // first reading of the registry runs on another thread: nothing it does may touch the registry or
    // the entry table.
    virtual bool Create() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Gives the list its image list, so that rows carry their state icons.
    virtual void BindImageList() = 0;
    // Raises Settle_Timer once, a moment from now, so that a burst of registry changes settles first.
    virtual void StartSettleTimer() = 0;
};

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Showing an icon that is already shown leaves one icon.
    virtual void Show() = 0;
    virtual void Remove() = 0;
    virtual bool IsShown() const = 0;
    // A notification balloon from the icon, which takes no focus; clicking it raises Balloon_Click.
    virtual void Announce(std::string_view title, std::string_view text) = 0;
};

// What a pop-up menu of the hidden window returned.
enum class TrayChoice { kNone, kShow, kExit };

// The hidden window that owns the two pop-up menus.
class PopupMenus {
  public:
    virtual ~PopupMenus() = default;
    // Creates the hidden window if needed and hands the menu items their bitmaps.
    virtual void GiveMenuBitmaps() = 0;
    // Opens the entry menu at the pointer (or at the given point of the list for the keyboard) and
    // returns the chosen item's code: 1 Enable, 2 Disable, 3 Ban, 4 Delete, 5 Execute; 0 for none.
    virtual std::int16_t ShowEntryMenu(bool at_pointer) = 0;
    virtual TrayChoice ShowTrayMenu() = 0;
};

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Lets waiting events (paints, clicks, ticks) run, and comes back without waiting for more.
    virtual void ProcessPendingEvents() = 0;
};

class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    // True when this is the only running instance; claims the instance for this process.
    virtual bool ClaimSingleInstance() = 0;
    // Ends the process at once: no closing handler runs and nothing is saved.
    virtual void EndProcess() = 0;
    // The folder of the program's executable file, without a trailing backslash.
    virtual std::string ProgramFolder() const = 0;
};

}  // namespace quorvel
