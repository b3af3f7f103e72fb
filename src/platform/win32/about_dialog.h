#pragma once
// frmAbout on the screen: a fixed dialog built from an in-memory template, with its own controls
// laid out in twips and scaled to the monitor's DPI. All behaviour lives in about/about_form.h.

#include <windows.h>

#include "about/about_animation.h"
#include "platform/about_box.h"
#include "platform/process_launcher.h"
#include "platform/win32/about_system_win32.h"

namespace quorvel::win32 {

// The box's controls, created in this order, which is also their tab order.
inline constexpr int kAboutOkId = IDOK;       // cmdOK: also what Enter and Esc press
inline constexpr int kAboutIconId = 1101;     // picIcon
inline constexpr int kAboutSysInfoId = 1102;  // cmdSysInfo
inline constexpr int kAboutTitleId = 1103;    // lblTitle
inline constexpr int kAboutCreditId = 1104;   // lblVersion
inline constexpr int kAboutLinkId = 1105;     // Label1
inline constexpr int kAboutPictureId = 1106;  // Picture1

inline constexpr UINT_PTR kAboutTimerId = 1;  // Timer1, on the box's own window

class Win32AboutBox final : public AboutBox {
  public:
    // While the box is open, `main_window` (when given) takes no input; its timers keep running.
    Win32AboutBox(HINSTANCE instance, ProcessLauncher& launcher, HWND main_window = nullptr)
        : instance_(instance), launcher_(launcher), main_window_(main_window) {}
    void SetMainWindow(HWND main_window) { main_window_ = main_window; }

    // Loads the box afresh and returns once it is closed. While it is open, a second call only
    // brings it to the front.
    void ShowModal() override;

  private:
    HINSTANCE instance_;
    ProcessLauncher& launcher_;
    HWND main_window_;
    Win32AboutSystem system_;
    // Lives as long as the program's About box, so each showing continues the same sequence.
    FixedSeedRandom random_;
    HWND open_box_ = nullptr;
};

}  // namespace quorvel::win32
