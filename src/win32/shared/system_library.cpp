#include "win32/shared/system_library.h"

namespace quorvel::win32 {

SystemLibrary& Shell32() {
    static SystemLibrary library(L"shell32.dll");
    return library;
}

SystemLibrary& Ole32() {
    static SystemLibrary library(L"ole32.dll");
    return library;
}

}  // namespace quorvel::win32
