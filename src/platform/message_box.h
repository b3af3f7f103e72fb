#pragma once
// Modal message boxes of the program.

#include <string_view>

namespace quorvel {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // OK and Cancel, OK the default, no icon; true only for OK.
    virtual bool Confirm(std::string_view text, std::string_view title) = 0;
    // Yes and No, No the default, with the warning icon: a question whose Yes loses something. True only
    // for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view title) = 0;
    // A plain message with OK and no icon, titled "Quorvel".
    virtual void Inform(std::string_view text) = 0;
    // A failure the user asked about, with OK and the error icon, titled "Quorvel".
    virtual void Fail(std::string_view text) = 0;
};

}  // namespace quorvel
