#include "win32/app/message_loop.h"

#include "app/form1.h"
#include "win32/shared/message_pump.h"

namespace quorvel::win32 {
namespace {

// How soon a change to a startup key or folder is seen while a menu, a box or a dialog is open.
constexpr UINT kNestedLoopLook = 250;
// The loop whose watch the timer looks at: there is one user-interface thread, and one loop on it.
MessageLoop* looking = nullptr;

}  // namespace

void MessageLoop::ProcessPendingEvents() {
    // A WM_QUIT met here is the loop's to act on, once the sequence that let events run is over.
    if (const std::optional<int> code = PumpPendingMessages()) ::PostQuitMessage(*code);
}

int MessageLoop::Run(Form1& form) {
    // Work kept for idle moments goes one piece at a time, and only while no input waits: input is
    // answered between any two pieces. With none left the loop waits for input alone.
    bool idle_work = true;
    while (!quit_) {
        if (RunOnce(form, idle_work ? 0 : INFINITE)) {
            idle_work = true;
        } else if (!quit_) {
            idle_work = form.Idle();
        }
    }
    return exit_code_;
}

bool MessageLoop::RunOnce(Form1& form, DWORD timeout) {
    const DWORD count = watcher_.Count();
    const DWORD woken =
        ::MsgWaitForMultipleObjectsEx(count, watcher_.Events(), timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count) {
        // The watch fired once; the pass this asks for starts it afresh.
        form.Registry_Change(watcher_.SourcesOf(woken - WAIT_OBJECT_0));
        return true;
    }
    if (woken != WAIT_OBJECT_0 + count) return false;
    form_ = &form;
    looking = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kNestedLoopLook, &LookAtTheWatch);
    const std::optional<int> code = PumpPendingMessages();
    if (timer != 0) ::KillTimer(nullptr, timer);
    looking = nullptr;
    if (code) {
        exit_code_ = *code;
        quit_ = true;
        return false;
    }
    return true;
}

void CALLBACK MessageLoop::LookAtTheWatch(HWND, UINT, UINT_PTR, DWORD) {
    if (looking == nullptr || looking->form_ == nullptr) return;
    const DWORD count = looking->watcher_.Count();
    if (count == 0) return;
    const DWORD fired = ::WaitForMultipleObjects(count, looking->watcher_.Events(), FALSE, 0);
    if (fired < WAIT_OBJECT_0 + count)
        looking->form_->Registry_Change(looking->watcher_.SourcesOf(fired - WAIT_OBJECT_0));
}

}  // namespace quorvel::win32
