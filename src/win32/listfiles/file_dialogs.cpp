#include "win32/listfiles/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "win32/shared/system_library.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

// Room for the longest path the system accepts, so that no chosen name is refused for its length.
constexpr DWORD kPathChars = 32768;

using ShowFileDialog = BOOL(WINAPI*)(LPOPENFILENAMEW);

SystemLibrary& Comdlg32() {
    static SystemLibrary library(L"comdlg32.dll");
    return library;
}

}  // namespace

std::optional<std::string> CommonFileDialogs::AskOpenPath(std::string_view title, std::string_view initial) {
    // The dialog itself says so when a typed name does not exist, and the user can correct it.
    return Ask(title, initial, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, false);
}

std::optional<std::string> CommonFileDialogs::AskSavePath(std::string_view title, std::string_view initial) {
    return Ask(title, initial, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, true);
}

std::optional<std::string> CommonFileDialogs::Ask(std::string_view title, std::string_view initial,
                                                  DWORD flags, bool save) {
    std::wstring file(kPathChars, L'\0');
    const std::wstring start = Widen(initial);
    std::copy_n(start.begin(), std::min<size_t>(start.size(), kPathChars - 1), file.begin());
    const std::wstring caption = Widen(title);

    // No filter list and no default extension: a name typed without one is used as typed.
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner_;
    request.lpstrFile = file.data();
    request.nMaxFile = kPathChars;
    request.lpstrTitle = caption.c_str();
    // The program's current folder stays where it was, whatever folder the user browsed to.
    request.Flags = flags | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;

    const auto show = Comdlg32().Get<ShowFileDialog>(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    const BOOL chosen = show != nullptr && show(&request);
    if (!chosen) return std::nullopt;
    file.resize(std::wcslen(file.c_str()));
    return Narrow(file);
}

}  // namespace quorvel::win32
