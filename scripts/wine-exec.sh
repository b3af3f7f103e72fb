#!/usr/bin/env bash
# Runs one Windows console program (a test suite) under Wine in a fresh copy of the template prefix,
# and passes on its exit status. Used as CMake's cross-compiling emulator and by CTest.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-lib.sh"
wine_begin
set +e
wine "$@"
status=$?
set -e
exit $status
