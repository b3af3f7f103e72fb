#include "platform/win32/app/message_loop.h"

#include "app/form1.h"
#include "platform/win32/shared/message_pump.h"

namespace quorvel::win32 {

void MessageLoop::ProcessPendingEvents() {
    // A WM_QUIT met here is the loop's to act on, once the sequence that let events run is over.
    if (const std::optional<int> code = PumpPendingMessages()) ::PostQuitMessage(*code);
}

int MessageLoop::Run(Form1& form) {
    while (!quit_)
        RunOnce(form, INFINITE);
    return exit_code_;
}

bool MessageLoop::RunOnce(Form1& form, DWORD timeout) {
    const DWORD woken = ::MsgWaitForMultipleObjectsEx(watcher_.Count(), watcher_.Events(), timeout,
                                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + watcher_.Count()) {
        watcher_.Fired(woken - WAIT_OBJECT_0);
        form.Registry_Change();
        return true;
    }
    if (woken != WAIT_OBJECT_0 + watcher_.Count()) return false;
    if (const std::optional<int> code = PumpPendingMessages()) {
        exit_code_ = *code;
        quit_ = true;
        return false;
    }
    return true;
}

}  // namespace quorvel::win32
