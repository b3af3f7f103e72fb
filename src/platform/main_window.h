#pragma once
// The main window as its logic needs it: shown or hidden, its image list, and its timers.

namespace quorvel {

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Gives the list its image list, so that rows carry their state icons.
    virtual void BindImageList() = 0;
    // Raises Settle_Timer once, a moment from now, so that a burst of registry changes settles first.
    virtual void StartSettleTimer() = 0;
    // Raises Tray_Timer once, a few seconds from now, for another try at adding the tray icon.
    virtual void StartTrayTimer() = 0;
};

}  // namespace quorvel
