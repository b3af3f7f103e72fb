#!/usr/bin/env bash
# The layout check must still fail when a portable folder reaches into the Windows layer: a copy of
# src/ with such an include planted in it, once as a project header and once as windows.h.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

plant() {
    rm -rf "$scratch/src"
    cp -r "$top/src" "$scratch/src"
    echo "$2" >>"$scratch/src/$1"
    if "$top/scripts/check-layout.sh" "$scratch/src" >/dev/null 2>&1; then
        echo "layout check passed with '$2' planted in $1" >&2
        exit 1
    fi
}
"$top/scripts/check-layout.sh" "$top/src" >/dev/null
plant store/collection.cpp '#include "win32/shared/text.h"'
plant listview/draw_list.cpp '#include <windows.h>'
plant store/collection.h '#include "app/form1.h"'
echo "layout check catches planted includes"
