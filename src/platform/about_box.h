#pragma once
// The About box, as the main window's Help menu shows it.

namespace quorvel {

class AboutBox {
  public:
    virtual ~AboutBox() = default;
    // Shows a freshly loaded box and returns when the user has closed it.
    virtual void ShowModal() = 0;
};

}  // namespace quorvel
