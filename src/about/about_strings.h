#pragma once
// The words of the About box and of the Tools and Help commands.

#include <string_view>

namespace quorvel {

// Set by the build (QUORVEL_WEB_PAGE); shown in the About box and opened by Help > Web Site.
inline constexpr std::string_view kWebPage = QUORVEL_WEB_PAGE;

inline constexpr std::string_view kAboutCaption = "A Propos";
inline constexpr std::string_view kAboutTitle = "Quorvel 1.0";
inline constexpr std::string_view kAboutCredit = "By the Quorvel developers";
inline constexpr std::string_view kAboutOk = "OK";
inline constexpr std::string_view kAboutSysInfo = "&System Info...";

inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";

}  // namespace quorvel
