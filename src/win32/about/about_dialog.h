#pragma once
// frmAbout on the screen: a fixed dialog built from an in-memory template, with its own controls
// laid out in twips and scaled to the monitor's DPI. All behaviour lives in about/about_form.h.

#include <windows.h>

#include "about/about_animation.h"
#include "platform/about_box.h"
#include "platform/process_launcher.h"
#include "win32/about/system_info_locator.h"

namespace quorvel::win32 {

class AboutDialog final : public AboutBox {
  public:
    // While the box is open, `main_window` (when given) takes no input; its timers keep running.
    AboutDialog(HINSTANCE instance, HWND main_window) : instance_(instance), main_window_(main_window) {}

    // Loads the box afresh and returns once it is closed. While it is open, a second call only
    // brings it to the front.
    void ShowModal(ProcessLauncher& launcher) override;

  private:
    HINSTANCE instance_;
    HWND main_window_;
    SystemInfoLocator system_;
    // Lives as long as the program's About box, so each showing continues the same sequence.
    FixedSeedRandom random_;
    HWND open_box_ = nullptr;
};

}  // namespace quorvel::win32
