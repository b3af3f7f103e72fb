#!/usr/bin/env bash
# Starts Quorvel under Wine. On a desktop it runs on $DISPLAY until it is ended; without one it runs
# on a virtual display just long enough to save a screenshot of its window into the build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build=$(dirname "$exe")
template=$build/wine/template
"$here/wine-template.sh" "$template"

export QUORVEL_WINE_TEMPLATE=$template
source "$here/wine-lib.sh"

if [ -n "${DISPLAY:-}" ]; then
    # A prefix of its own that lives on between runs, like a user's machine.
    export WINEPREFIX=$build/wine/run-prefix
    [ -d "$WINEPREFIX" ] || cp -a "$template" "$WINEPREFIX"
    echo "Quorvel runs on $DISPLAY (Wine prefix $WINEPREFIX)."
    exec wine "$exe"
fi

wine_begin --display
wine_spawn "$exe"
if ! timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' >/dev/null; then
    echo "Quorvel's window did not appear within 30 seconds" >&2
    exit 1
fi
sleep 1 # let the first paint finish before the picture is taken
shot=$build/run-screenshot.png
import -window root "$shot"
echo "No display here: Quorvel ran on a virtual display; its window is in $shot"
