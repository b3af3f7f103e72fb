#!/usr/bin/env bash
# The layering of src/, checked on every test run. The folders are floors, read top to bottom:
#
#   win32                            the Windows adapters and both main.cpp files
#   app  cli                         the window's logic; the console companion
#   listview  listfiles  about       what the list shows and does; saved lists; the About box
#   store                            entries, collection, bans
#   platform                         the ports
#   words                            every word the user reads
#
# A folder includes its own floor's folder and the floors below it, never one above; folders on one
# floor never include each other; the ports include only ports, and words nothing of the program.
set -euo pipefail
src=$(cd "${1:-$(dirname "$0")/../src}" && pwd)
cd "$src"
status=0
complain() { echo "layout: $*" >&2; status=1; }

declare -A floor=([win32]=5 [app]=4 [cli]=4 [listview]=3 [listfiles]=3 [about]=3 [store]=2 [platform]=1 [words]=0)

# "from-folder to-folder" for every include of a project header.
edges=$(grep -rE --include='*.h' --include='*.cpp' '^#include "[a-z0-9_]+/' . |
    sed -E 's#^\./##; s#^([a-z0-9_]+)/[^:]*:[^"]*"([a-z0-9_]+)/.*#\1 \2#' | sort -u)

while read -r from to; do
    [ -z "$from" ] || [ "$from" = "$to" ] && continue
    if [ -z "${floor[$from]+x}" ]; then complain "$from/ is on no floor: add it to scripts/check-layout.sh"; continue; fi
    if [ -z "${floor[$to]+x}" ]; then complain "$from/ includes $to/, which is on no floor"; continue; fi
    if [ "$to" = win32 ]; then complain "$from/ includes the Windows layer"; continue; fi
    if [ "$from" = platform ]; then complain "a port in platform/ includes $to/"; continue; fi
    if [ "${floor[$to]}" -gt "${floor[$from]}" ]; then complain "$from/ includes $to/, a floor above it"; fi
    if [ "${floor[$to]}" -eq "${floor[$from]}" ]; then complain "$from/ and $to/ share a floor and must not include each other"; fi
done <<<"$edges"

# Windows headers belong to the top floor alone.
if hits=$(grep -rlE --include='*.h' --include='*.cpp' '^#include <(windows|winternl|shlobj|shellapi|commctrl)\.h>' . |
    grep -v '^\./win32/'); then
    complain "Windows headers outside win32/: $(echo $hits)"
fi
[ $status -eq 0 ] && echo "layout: $(wc -l <<<"$edges") folder dependencies, none against the layering"
exit $status
