#pragma once
// The About box's System Info button: where the System Information tool is registered, and starting it.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/about_system.h"
#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/registre.h"

namespace quorvel {

inline constexpr std::string_view kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kSysInfoPathValue = "PATH";
inline constexpr std::string_view kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kSysInfoFolderValue = "MSINFO";
inline constexpr std::string_view kSysInfoProgram = "\\MSINFO32.EXE";

// Values whose data does not fit in this many bytes count as missing.
inline constexpr std::size_t kKeyValueCapacity = 1024;

// Reads a value as text. False, with `text` emptied, when the key or the value cannot be read.
// A string value gives its characters (without its terminating NUL); a number gives "&h" and its
// hexadecimal digits. A value of any other type counts as found but leaves `text` as it was.
bool GetKeyValue(AboutSystem& system, RootKey root, std::string_view path, std::string_view name,
                 std::string& text);

// Starts the System Information tool, or says that it is unavailable. Never waits for the tool.
void StartSysInfo(AboutSystem& system, ProcessLauncher& launcher, MessageBoxes& boxes);

}  // namespace quorvel
