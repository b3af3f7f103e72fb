#pragma once
// The About box, as the main window's Help menu shows it.

#include "platform/process_launcher.h"

namespace quorvel {

class AboutBox {
  public:
    virtual ~AboutBox() = default;
    // Shows a freshly loaded box and returns when the user has closed it. What the box starts (its web
    // address, the System Information tool), it starts through `launcher`.
    virtual void ShowModal(ProcessLauncher& launcher) = 0;
};

}  // namespace quorvel
