#pragma once
// The five options are the check marks of the Option menu and live nowhere else: whoever needs one
// asks the menu.

namespace quorvel {

enum class Option { kExitAfterCleaning, kEnableVisible, kDisableVisible, kBanVisible, kSortinga };

class OptionMenu {
  public:
    virtual ~OptionMenu() = default;
    virtual bool IsChecked(Option option) const = 0;
    virtual void SetChecked(Option option, bool checked) = 0;
};

}  // namespace quorvel
