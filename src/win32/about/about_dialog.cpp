#include "win32/about/about_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "about/about_form.h"
#include "about/tool_help_commands.h"
#include "win32/res/resource_ids.h"
#include "win32/shared/dpi.h"
#include "win32/shared/handles.h"
#include "win32/shared/ids.h"
#include "win32/shared/message_boxes.h"
#include "win32/shared/text.h"
#include "win32/shared/window.h"
#include "words/words.h"

namespace quorvel::win32 {
namespace {

// The box is laid out in twips, 1440 to the inch, as it was designed.
constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 1935;

// Line1: an etched separator, the highlight (index 0) drawn first and the shadow (index 1) over it.
constexpr int kSeparatorY = 1440;
constexpr int kSeparatorRight = 5654;
constexpr int kHighlightLeft = 105;
constexpr int kShadowLeft = 90;
constexpr COLORREF kHighlightColor = RGB(255, 255, 255);
constexpr COLORREF kShadowColor = RGB(128, 128, 128);

// Label1 looks like a link in a browser of its day.
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr wchar_t kLinkFace[] = L"MS Sans Serif";
constexpr double kLinkPoints = 8.25;

constexpr COLORREF kTitleColor = RGB(0, 0, 0);
constexpr COLORREF kRedLine = RGB(255, 0, 0);
constexpr COLORREF kBlueLine = RGB(0, 0, 255);

constexpr UINT kTimerMilliseconds = 10;
// Texts that are longer than their designed width may grow up to this gap before Picture1.
constexpr int kTextGap = 60;

enum class ControlKind { kButton, kIcon, kLabel, kLink, kPicture };

struct ControlDesign {
    int id;
    ControlKind kind;
    TwipRect rect;
    std::string_view text;
};

constexpr TwipRect kIconRect{240, 360, 480, 480};
constexpr TwipRect kPictureRect{3360, 120, 2295, 1215};

// Creation order is the tab order: cmdOK, picIcon, cmdSysInfo, lblTitle, lblVersion, Label1, Picture1.
constexpr ControlDesign kControls[] = {
    {kAboutOkId, ControlKind::kButton, {3120, 1560, 1260, 345}, words::kAboutOk},
    {kAboutIconId, ControlKind::kIcon, kIconRect, {}},
    {kAboutSysInfoId, ControlKind::kButton, {4440, 1560, 1245, 345}, words::kAboutSysInfo},
    {kAboutTitleId, ControlKind::kLabel, {960, 360, 1485, 360}, words::kAboutTitle},
    {kAboutCreditId, ControlKind::kLabel, {960, 720, 1965, 225}, words::kAboutCredit},
    {kAboutLinkId, ControlKind::kLink, {960, 1080, 1455, 255}, kWebPage},
    {kAboutPictureId, ControlKind::kPicture, kPictureRect, {}},
};

int Pixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

void CreateControl(HWND dialog, HINSTANCE instance, const ControlDesign& design) {
    const wchar_t* window_class = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD extended = 0;
    switch (design.kind) {
        case ControlKind::kButton:
            window_class = L"BUTTON";
            style |= WS_TABSTOP | (design.id == kAboutOkId ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
            break;
        case ControlKind::kIcon: style |= SS_ICON | SS_REALSIZECONTROL; break;
        case ControlKind::kLabel: style |= SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS; break;
        case ControlKind::kLink:
            // An owner-drawn button: it takes the focus with Tab, Space follows it, and it draws as a link.
            window_class = L"BUTTON";
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        case ControlKind::kPicture:
            style |= SS_OWNERDRAW;
            extended |= WS_EX_CLIENTEDGE;
            break;
    }
    ::CreateWindowExW(extended, window_class, Widen(design.text).c_str(), style, 0, 0, 0, 0, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
}

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontFaceExists(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const WindowDC screen(nullptr);
    ::EnumFontFamiliesExW(screen.get(), &query, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

HFONT CreateLinkFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(kLinkPoints * dpi / 72.0));
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = TRUE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    if (FontFaceExists(kLinkFace)) {
        ::lstrcpynW(font.lfFaceName, kLinkFace, LF_FACESIZE);
    } else {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
            ::lstrcpynW(font.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
        }
    }
    return ::CreateFontIndirectW(&font);
}

// The icon image nearest to this size, scaled to it.
HICON LoadProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Where a span of `size` starts when centred on [low, high), kept inside [limit_low, limit_high) if it fits.
int CenteredStart(LONG low, LONG high, int size, LONG limit_low, LONG limit_high) {
    const int start = static_cast<int>((low + high - size) / 2);
    return std::max(static_cast<int>(limit_low), std::min(start, static_cast<int>(limit_high) - size));
}

int TextWidth(HWND control, HFONT font, const std::wstring& text) {
    const WindowDC dc(control);
    const SelectGuard select(dc.get(), font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

// Functions that older systems lack, looked up at run time so that the program still starts there.
template <typename Function>
Function FindUserFunction(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The dialog manager of newer systems rescales dialogs and their controls' fonts on its own when the
// DPI changes; this box does it itself, from its twips, so that pass is switched off where it exists.
void TakeOverDpiScaling(HWND dialog) {
    using SetDialogBehavior = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    using SetControlBehavior =
        BOOL(WINAPI*)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);
    if (const auto set_dialog = FindUserFunction<SetDialogBehavior>("SetDialogDpiChangeBehavior")) {
        set_dialog(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
    }
    if (const auto set_control = FindUserFunction<SetControlBehavior>("SetDialogControlDpiChangeBehavior")) {
        constexpr auto kOff = static_cast<DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS>(DCDC_DISABLE_FONT_UPDATE |
                                                                               DCDC_DISABLE_RELAYOUT);
        for (const ControlDesign& design : kControls)
            set_control(::GetDlgItem(dialog, design.id), kOff, kOff);
    }
}

// The box's frame, without a menu, from the client size at this DPI.
SIZE FrameSize(HWND dialog, UINT dpi) {
    RECT frame{0, 0, Pixels(kClientWidth, dpi), Pixels(kClientHeight, dpi)};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The in-memory template: a fixed, captioned dialog without controls; they are made at run time so that
// they can be placed in pixels from the twips they were designed in. A template in the resource script
// would place them in dialog units, which follow the dialog font's rounded size rather than the DPI: at
// 200 % on the test system such a box came out 11 pixels shorter than designed, its buttons 8 too high.
std::vector<WORD> DialogTemplate() {
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME | DS_SETFOREGROUND;
    std::vector<WORD> units(sizeof(header) / sizeof(WORD));
    std::memcpy(units.data(), &header, sizeof(header));
    units.push_back(0);  // no menu
    units.push_back(0);  // the standard dialog class
    for (const wchar_t c : Widen(words::kAboutCaption))
        units.push_back(static_cast<WORD>(c));
    units.push_back(0);
    return units;
}

// Keeps the main window from taking input while the box is open, and gives it back.
class InputBlock {
  public:
    explicit InputBlock(HWND window) : window_(window) {
        if (window_ != nullptr && ::IsWindowEnabled(window_)) {
            ::EnableWindow(window_, FALSE);
            blocked_ = true;
        }
    }
    ~InputBlock() { Release(); }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

    void Release() {
        if (blocked_) ::EnableWindow(window_, TRUE);
        blocked_ = false;
    }

  private:
    HWND window_;
    bool blocked_ = false;
};

// One showing of the box: created for ShowModal and gone when it returns.
class AboutShowing final : public WindowBase<AboutShowing> {
  public:
    AboutShowing(HINSTANCE instance, AboutSystem& system, ProcessLauncher& launcher, RandomSource& random,
                 HWND main_window, InputBlock& input_block, HWND& open_box)
        : instance_(instance),
          main_window_(main_window),
          input_block_(input_block),
          open_box_(open_box),
          form_(system, launcher, boxes_, random) {}

    // Shows the box and returns when it is closed.
    void Run(HWND owner) {
        const std::vector<WORD> layout = DialogTemplate();
        ::DialogBoxIndirectParamW(instance_, reinterpret_cast<const DLGTEMPLATE*>(layout.data()), owner,
                                  &DialogProcedure, reinterpret_cast<LPARAM>(this));
    }

  private:
    friend WindowBase<AboutShowing>;
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
        switch (message) {
            case WM_INITDIALOG: Form_Load(); return FALSE;  // the focus is already on cmdOK
            case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return TRUE;
            case WM_CLOSE: Close(); return TRUE;
            case WM_TIMER:
                if (wparam != kAboutTimerId) return FALSE;
                form_.Timer1_Timer(PictureSizeNow());
                ::InvalidateRect(Control(kAboutPictureId), nullptr, FALSE);
                return TRUE;
            case WM_PAINT: PaintSeparator(); return TRUE;
            case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            case WM_CTLCOLORSTATIC:
                return OnLabelColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
            case WM_SETCURSOR:
                if (reinterpret_cast<HWND>(wparam) != Control(kAboutLinkId) || LOWORD(lparam) != HTCLIENT) {
                    return FALSE;
                }
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return Result(TRUE);
            case WM_GETDPISCALEDSIZE: {
                *reinterpret_cast<SIZE*>(lparam) = FrameSize(window_, static_cast<UINT>(wparam));
                return Result(TRUE);
            }
            case WM_DPICHANGED: {
                const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
                Layout(HIWORD(wparam));
                ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return Result(0);
            }
            case WM_DESTROY:
                ::KillTimer(window_, kAboutTimerId);
                open_box_ = nullptr;
                return FALSE;
            default: return FALSE;
        }
    }

    INT_PTR Result(LRESULT result) {
        ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
        return TRUE;
    }

    HWND Control(int id) const { return ::GetDlgItem(window_, id); }

    void Form_Load() {
        open_box_ = window_;
        boxes_.SetOwner(window_);
        for (const ControlDesign& design : kControls)
            CreateControl(window_, instance_, design);
        TakeOverDpiScaling(window_);
        Layout(DpiOf(window_));
        Center();
        ::SetFocus(Control(kAboutOkId));
        form_.Form_Load(PictureSizeNow());
        ::SetTimer(window_, kAboutTimerId, kTimerMilliseconds, nullptr);
    }

    void OnCommand(int id, int notification) {
        if (notification != BN_CLICKED) return;
        switch (id) {
            case IDOK:
            case IDCANCEL:  // Esc, and the close box through the dialog manager
                Close();
                break;
            case kAboutSysInfoId: form_.cmdSysInfo_Click(); break;
            case kAboutLinkId: form_.Label1_Click(); break;
            default: break;
        }
    }

    void Close() {
        ::KillTimer(window_, kAboutTimerId);
        // Given back before the box goes, so that the main window is the one activated next.
        input_block_.Release();
        ::EndDialog(window_, IDOK);
    }

    // Everything that depends on the DPI: the frame, the controls, their fonts and the icons.
    void Layout(UINT dpi) {
        dpi_ = dpi;
        UniqueHFont ui_font(CreateUiFont(dpi));
        UniqueHFont link_font(CreateLinkFont(dpi));
        UniqueHIcon icon(LoadProgramIcon(instance_, Pixels(kIconRect.width, dpi)));
        UniqueHIcon small_icon(LoadProgramIcon(instance_, ::GetSystemMetricsForDpi(SM_CXSMICON, dpi)));

        const SIZE frame = FrameSize(window_, dpi);
        ::SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

        const int text_limit = Pixels(kPictureRect.left - kTextGap, dpi);
        for (const ControlDesign& design : kControls) {
            const HWND control = Control(design.id);
            const HFONT font = design.kind == ControlKind::kLink ? link_font.get() : ui_font.get();
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            const int left = Pixels(design.rect.left, dpi);
            int width = Pixels(design.rect.width, dpi);
            if (design.kind == ControlKind::kLabel || design.kind == ControlKind::kLink) {
                // A text longer than its designed width may grow towards Picture1 rather than be cut.
                const int needed = TextWidth(control, font, Widen(design.text)) + 2;
                width = std::max(width, std::min(needed, text_limit - left));
            }
            if (design.kind == ControlKind::kIcon) {
                ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
            }
            ::SetWindowPos(control, nullptr, left, Pixels(design.rect.top, dpi), width,
                           Pixels(design.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
        ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.get()));

        // The old fonts and icons are let go only now that nothing shows them any more.
        ui_font_ = std::move(ui_font);
        link_font_ = std::move(link_font);
        icon_ = std::move(icon);
        small_icon_ = std::move(small_icon);
        ::InvalidateRect(window_, nullptr, TRUE);
    }

    // Over the main window when it is on the screen, else in the middle of its monitor.
    void Center() {
        RECT box{};
        ::GetWindowRect(window_, &box);
        const HWND anchor_window =
            main_window_ != nullptr && ::IsWindowVisible(main_window_) && !::IsIconic(main_window_)
                ? main_window_
                : nullptr;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(anchor_window != nullptr ? anchor_window : main_window_,
                                              MONITOR_DEFAULTTOPRIMARY),
                          &monitor);
        RECT anchor = monitor.rcWork;
        if (anchor_window != nullptr) ::GetWindowRect(anchor_window, &anchor);
        const RECT& work = monitor.rcWork;
        const int left =
            CenteredStart(anchor.left, anchor.right, box.right - box.left, work.left, work.right);
        const int top = CenteredStart(anchor.top, anchor.bottom, box.bottom - box.top, work.top, work.bottom);
        ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    PictureSize PictureSizeNow() const {
        RECT inner{};
        ::GetClientRect(Control(kAboutPictureId), &inner);
        return {inner.right - inner.left, inner.bottom - inner.top};
    }

    void PaintSeparator() {
        const PaintGuard paint(window_);
        const int thickness = std::max(1, Scale(1, dpi_));
        const int top = Pixels(kSeparatorY, dpi_);
        const int right = Pixels(kSeparatorRight, dpi_);
        const UniqueHBrush highlight(::CreateSolidBrush(kHighlightColor));
        const UniqueHBrush shadow(::CreateSolidBrush(kShadowColor));
        const RECT highlight_line{Pixels(kHighlightLeft, dpi_), top, right, top + 2 * thickness};
        const RECT shadow_line{Pixels(kShadowLeft, dpi_), top, right, top + thickness};
        ::FillRect(paint.dc(), &highlight_line, highlight.get());
        ::FillRect(paint.dc(), &shadow_line, shadow.get());
    }

    INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item) {
        if (item.CtlID == static_cast<UINT>(kAboutPictureId)) {
            DrawPicture(item);
        } else if (item.CtlID == static_cast<UINT>(kAboutLinkId)) {
            DrawLink(item);
        } else {
            return FALSE;
        }
        return TRUE;
    }

    // Drawn off the screen and copied in one go, so the moving lines never flicker.
    void DrawPicture(const DRAWITEMSTRUCT& item) {
        const RECT& area = item.rcItem;
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        const UniqueMemoryDC memory(::CreateCompatibleDC(item.hDC));
        const UniqueHBitmap bitmap(::CreateCompatibleBitmap(item.hDC, width, height));
        if (!memory || !bitmap) return;
        const SelectGuard select_bitmap(memory.get(), bitmap.get());
        const RECT whole{0, 0, width, height};
        ::FillRect(memory.get(), &whole, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        const UniqueHPen red(::CreatePen(PS_SOLID, 1, kRedLine));
        const UniqueHPen blue(::CreatePen(PS_SOLID, 1, kBlueLine));
        for (const LineSegment& line : form_.Picture1_Lines(PictureSizeNow())) {
            const SelectGuard select_pen(memory.get(),
                                         line.color == LineColor::kRed ? red.get() : blue.get());
            ::MoveToEx(memory.get(), line.from.x, line.from.y, nullptr);
            ::LineTo(memory.get(), line.to.x, line.to.y);
        }
        ::BitBlt(item.hDC, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
    }

    // The text stands one pixel in from the edges, where the focus rectangle goes round it.
    void DrawLink(const DRAWITEMSTRUCT& item) {
        ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_3DFACE));
        const SelectGuard select_font(item.hDC, link_font_.get());
        ::SetTextColor(item.hDC, kLinkColor);
        ::SetBkMode(item.hDC, TRANSPARENT);
        const std::wstring text = Widen(kWebPage);
        constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
        RECT area = item.rcItem;
        ::InflateRect(&area, -1, -1);
        ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, kFormat);
        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, kFormat | DT_CALCRECT);
            ::InflateRect(&area, 1, 1);
            ::IntersectRect(&area, &area, &item.rcItem);
            ::DrawFocusRect(item.hDC, &area);
        }
    }

    INT_PTR OnLabelColor(HDC dc, HWND control) {
        const int id = ::GetDlgCtrlID(control);
        if (id != kAboutTitleId && id != kAboutCreditId) return FALSE;
        ::SetTextColor(dc, kTitleColor);
        ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_3DFACE));
    }

    HINSTANCE instance_;
    HWND main_window_;
    InputBlock& input_block_;
    HWND& open_box_;
    UINT dpi_ = kBaseDpi;
    OwnedMessageBoxes boxes_;
    frmAbout form_;
    UniqueHFont ui_font_;
    UniqueHFont link_font_;
    UniqueHIcon icon_;
    UniqueHIcon small_icon_;
};

}  // namespace

void AboutDialog::ShowModal(ProcessLauncher& launcher) {
    if (open_box_ != nullptr) {
        ::SetForegroundWindow(open_box_);
        return;
    }
    // Owned by a window that is never shown: the box gets no taskbar button of its own, yet it is not
    // tied to the main window (which may be hidden in the notification area).
    const UniqueWindow owner(
        ::CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
    InputBlock input_block(main_window_);
    AboutShowing showing(instance_, system_, launcher, random_, main_window_, input_block, open_box_);
    showing.Run(owner.get());
    open_box_ = nullptr;
    input_block.Release();
    if (main_window_ != nullptr && ::IsWindowVisible(main_window_)) ::SetForegroundWindow(main_window_);
}

}  // namespace quorvel::win32
