#pragma once
// The system's own words for a failure.

#include <windows.h>

#include <string>

namespace quorvel::win32 {

// The system's description of an error code, without the trailing line break.
std::string DescribeError(DWORD code);

}  // namespace quorvel::win32
