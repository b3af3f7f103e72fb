#pragma once
// The names and ids by which the program's windows, controls, timers and icon are known, declared once:
// the program uses them, and so does the end-to-end driver that finds its windows from outside.

#include <windows.h>

#include <array>
#include <string_view>

namespace quorvel::win32 {

inline constexpr wchar_t kForm1Class[] = L"QuorvelForm1";
inline constexpr wchar_t kForm2Class[] = L"QuorvelForm2";

// The main window's list, its timers, and its notification-area icon with the message the icon sends.
inline constexpr int kView1Id = 1001;
inline constexpr UINT_PTR kTimer1Id = 1;
inline constexpr UINT_PTR kSettleTimerId = 2;
inline constexpr UINT_PTR kTrayTimerId = 3;
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayMessage = WM_APP + 1;
// Registered by name: what a second start posts to the main window of the instance that runs already.
inline constexpr wchar_t kSecondStartMessage[] = L"Quorvel.SecondStart";

// The About box's controls, created in this order, which is also their tab order, and its timer.
inline constexpr int kAboutOkId = IDOK;  // cmdOK: also what Enter and Esc press
inline constexpr int kAboutIconId = 1101;
inline constexpr int kAboutSysInfoId = 1102;
inline constexpr int kAboutTitleId = 1103;
inline constexpr int kAboutCreditId = 1104;
inline constexpr int kAboutLinkId = 1105;
inline constexpr int kAboutPictureId = 1106;
inline constexpr UINT_PTR kAboutTimerId = 1;

// The controls by their names: the main window's list and the About box's controls.
struct NamedControl {
    std::string_view name;
    int id;
};
inline constexpr std::array<NamedControl, 8> kNamedControls{{
    {"View1", kView1Id},
    {"cmdOK", kAboutOkId},
    {"picIcon", kAboutIconId},
    {"cmdSysInfo", kAboutSysInfoId},
    {"lblTitle", kAboutTitleId},
    {"lblVersion", kAboutCreditId},
    {"Label1", kAboutLinkId},
    {"Picture1", kAboutPictureId},
}};

}  // namespace quorvel::win32
