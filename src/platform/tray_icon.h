#pragma once
// The notification-area icon.

#include <string_view>

namespace quorvel {

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

}  // namespace quorvel
