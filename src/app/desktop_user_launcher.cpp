#include "app/desktop_user_launcher.h"

namespace quorvel {

LaunchResult DesktopUserLauncher::StartCommandLine(std::string_view command_line, ShowCommand show) {
    if (process_.IsElevated()) return system_.StartCommandLineAsDesktopUser(command_line, show);
    return system_.StartCommandLine(command_line, show);
}

LaunchResult DesktopUserLauncher::Open(std::string_view target, ShowCommand show) {
    if (process_.IsElevated()) return system_.OpenAsDesktopUser(target, show);
    return system_.Open(target, show);
}

}  // namespace quorvel
