#include "win32/listfiles/ansi_code_page.h"

#include <windows.h>

#include <limits>

#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

bool FitsInt(size_t size) { return size <= static_cast<size_t>(std::numeric_limits<int>::max()); }

// Unlike Widen, refuses malformed UTF-8 instead of putting U+FFFD in its place.
std::optional<std::wstring> WidenExactly(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    if (!FitsInt(utf8.size())) return std::nullopt;
    const int length = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace

std::optional<std::string> AnsiCodePage::ToAnsi(std::string_view utf8) const {
    const std::optional<std::wstring> wide = WidenExactly(utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    // A system whose ANSI code page is UTF-8 holds every character; that code page takes no flags and
    // no default-character report.
    if (::GetACP() == CP_UTF8) return std::string(utf8);
    const int length = static_cast<int>(wide->size());
    BOOL used_default = FALSE;
    const int needed = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, nullptr, 0,
                                             nullptr, &used_default);
    if (needed <= 0 || used_default) return std::nullopt;
    std::string ansi(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, ansi.data(), needed, nullptr,
                          &used_default);
    if (used_default) return std::nullopt;
    return ansi;
}

std::string AnsiCodePage::FromAnsi(std::string_view bytes) const {
    if (bytes.empty() || !FitsInt(bytes.size())) return {};
    const int length = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), needed);
    return Narrow(wide);
}

}  // namespace quorvel::win32
