#include "platform/win32/message_box_win32.h"

#include "platform/win32/text.h"

namespace quorvel::win32 {
namespace {

constexpr wchar_t kProgramTitle[] = L"Quorvel";

// A hidden owner would hide the box too; then the box stands on its own, in front.
HWND VisibleOwner(HWND owner) { return owner != nullptr && ::IsWindowVisible(owner) ? owner : nullptr; }

UINT OwnerFlags(HWND owner) { return owner == nullptr ? MB_TASKMODAL | MB_SETFOREGROUND : 0; }

}  // namespace

bool Win32MessageBoxes::Confirm(std::string_view text, std::string_view title) {
    const HWND owner = VisibleOwner(owner_);
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                         MB_OKCANCEL | MB_DEFBUTTON1 | OwnerFlags(owner)) == IDOK;
}

void Win32MessageBoxes::Inform(std::string_view text) {
    const HWND owner = VisibleOwner(owner_);
    ::MessageBoxW(owner, Widen(text).c_str(), kProgramTitle, MB_OK | OwnerFlags(owner));
}

void Win32MessageBoxes::Fail(std::string_view text) {
    const HWND owner = VisibleOwner(owner_);
    ::MessageBoxW(owner, Widen(text).c_str(), kProgramTitle, MB_OK | MB_ICONERROR | OwnerFlags(owner));
}

}  // namespace quorvel::win32
