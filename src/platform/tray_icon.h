#pragma once
// The notification-area icon.

#include <string_view>

namespace quorvel {

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Adds the icon to the notification area, or finds it still there; false when the shell refused it
    // or did not answer in time. Showing an icon that is already shown leaves one icon.
    virtual bool Show() = 0;
    virtual void Remove() = 0;
    // Whether the notification area holds the icon now; a shell that lost it without a word is asked.
    virtual bool IsShown() = 0;
    // The notification area was made anew (the shell started again) and holds no icon of ours.
    virtual void Forget() = 0;
    // A notification balloon from the icon, which takes no focus; clicking it raises Balloon_Click.
    virtual void Announce(std::string_view title, std::string_view text) = 0;
};

}  // namespace quorvel
