#!/usr/bin/env bash
# Runs one Windows console program (a test suite) under Wine in a fresh copy of the template prefix,
# and passes on its exit status. Used as CMake's cross-compiling emulator and by CTest.
#
#   wine-exec.sh [--display] PROGRAM ARGS...     (--display: on a virtual display, for window tests)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-lib.sh"
if [ "${1:-}" = --display ]; then
    shift
    wine_begin --display
else
    wine_begin
fi
set +e
wine "$@"
status=$?
set -e
exit $status
