#pragma once
// The program's one message loop: it waits for window messages and for the registry or the file system
// to report a change to a startup key or a Startup folder, on the one user-interface thread, and it is also
// what lets pending events run in the middle of a sequence.

#include <windows.h>

#include "platform/event_pump.h"
#include "win32/app/startup_watcher.h"

namespace quorvel {
class Form1;
}

namespace quorvel::win32 {

class MessageLoop final : public EventPump {
  public:
    explicit MessageLoop(StartupWatcher& watcher) : watcher_(watcher) {}

    void ProcessPendingEvents() override;

    // Runs until WM_QUIT and returns its exit code. Between inputs, it gives Form1 its idle moments.
    int Run(Form1& form);
    // Waits at most `timeout` ms for one wake-up and handles it: false when nothing came in time or
    // WM_QUIT came.
    bool RunOnce(Form1& form, DWORD timeout);

  private:
    // A message may open a loop of its own (a menu, a message box, a dialog) that waits for messages
    // only: while it runs, a timer looks at the watch's events in its stead.
    static void CALLBACK LookAtTheWatch(HWND, UINT, UINT_PTR, DWORD);

    StartupWatcher& watcher_;
    Form1* form_ = nullptr;
    int exit_code_ = 0;
    bool quit_ = false;
};

}  // namespace quorvel::win32
