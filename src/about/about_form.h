#pragma once
// frmAbout without its window: what the About box does when it loads, when its timer ticks and when
// its buttons and its web address are clicked. The window only draws and forwards.

#include "about/about_animation.h"
#include "platform/about_system.h"
#include "platform/message_box.h"
#include "platform/process_launcher.h"

namespace quorvel {

class frmAbout {
  public:
    frmAbout(AboutSystem& system, ProcessLauncher& launcher, MessageBoxes& boxes, RandomSource& random)
        : system_(system), launcher_(launcher), boxes_(boxes), random_(random) {}

    // Every showing of the box is a fresh load: new places and steps for the points.
    void Form_Load(PictureSize picture) { animation_.Place(random_, picture); }
    void Timer1_Timer(PictureSize picture) { animation_.Step(picture); }
    // What Picture1 shows now, in drawing order.
    PictureLines Picture1_Lines(PictureSize picture) const { return animation_.Lines(picture); }

    void cmdSysInfo_Click();
    void Label1_Click();

    const AboutAnimation& Animation() const { return animation_; }

  private:
    AboutSystem& system_;
    ProcessLauncher& launcher_;
    MessageBoxes& boxes_;
    RandomSource& random_;
    AboutAnimation animation_;
};

}  // namespace quorvel
