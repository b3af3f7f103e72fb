#include "win32/shared/message_boxes.h"

#include "win32/shared/text.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

// A hidden owner would hide the box too; then the box stands on its own, in front.
HWND VisibleOwner(HWND owner) { return owner != nullptr && ::IsWindowVisible(owner) ? owner : nullptr; }

UINT OwnerFlags(HWND owner) { return owner == nullptr ? MB_TASKMODAL | MB_SETFOREGROUND : 0; }

}  // namespace

bool OwnedMessageBoxes::Confirm(std::string_view text, std::string_view title) {
    const HWND owner = VisibleOwner(owner_);
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                         MB_OKCANCEL | MB_DEFBUTTON1 | OwnerFlags(owner)) == IDOK;
}

bool OwnedMessageBoxes::AskYesNo(std::string_view text, std::string_view title) {
    const HWND owner = VisibleOwner(owner_);
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                         MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | OwnerFlags(owner)) == IDYES;
}

void OwnedMessageBoxes::Inform(std::string_view text) {
    const HWND owner = VisibleOwner(owner_);
    ::MessageBoxW(owner, Widen(text).c_str(), Widen(words::kProgram).c_str(), MB_OK | OwnerFlags(owner));
}

void OwnedMessageBoxes::Fail(std::string_view text) {
    const HWND owner = VisibleOwner(owner_);
    ::MessageBoxW(owner, Widen(text).c_str(), Widen(words::kProgram).c_str(),
                  MB_OK | MB_ICONERROR | OwnerFlags(owner));
}

}  // namespace quorvel::win32
