#!/usr/bin/env bash
# The layering of src/, checked on every test run: the portable folders never include the Windows
# layer, the ports (src/platform/*.h) include nothing but other ports, and no two folders include
# each other.
set -euo pipefail
src=$(cd "${1:-$(dirname "$0")/../src}" && pwd)
cd "$src"
status=0
complain() { echo "layout: $*" >&2; status=1; }

# "from-folder to-folder" for every include of a project header; the Windows layer counts as one folder.
edges=$(grep -rE --include='*.h' --include='*.cpp' '^#include "[a-z0-9_]+/' . |
    sed -E 's#^\./##; s#^platform/win32/[^:]*:#win32:#; s#^([a-z0-9_]+)/[^:]*:#\1:#' |
    sed -E 's#^([a-z0-9_]+):[^"]*"platform/win32/.*#\1 win32#; s#^([a-z0-9_]+):[^"]*"([a-z0-9_]+)/.*#\1 \2#' |
    sort -u)

while read -r from to; do
    [ "$from" = "$to" ] && continue
    if [ "$to" = win32 ]; then complain "$from/ includes the Windows layer"; fi
    if [ "$from" = platform ] && [ "$to" != platform ]; then complain "a port in platform/ includes $to/"; fi
    if grep -qx "$to $from" <<<"$edges"; then complain "$from/ and $to/ include each other"; fi
done <<<"$edges"
[ $status -eq 0 ] && echo "layout: $(wc -l <<<"$edges") folder dependencies, none against the layering"
exit $status
