#!/usr/bin/env bash
# Makes the template Wine prefix that every test run copies: initialised once, with fonts and a
# virtual desktop (so windows get title bars and keyboard focus without a window manager).
set -euo pipefail
target=${1:?usage: wine-template.sh DIR}
[ -f "$target/.ready" ] && exit 0

mkdir -p "$(dirname "$target")"
# Wine wants an absolute prefix path.
target="$(cd "$(dirname "$target")" && pwd)/$(basename "$target")"
work=$(mktemp -d "$(dirname "$target")/template.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 WINEPREFIX="$work/prefix"
XVFB_PID=
cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
exec 5>&-
for _ in $(seq 400); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '\n' <"$work/display")"

# Wine says "could not load kernel32.dll" for several causes (a full disk, a Wine installed in part, too
# little memory): what it printed is followed by what tells them apart.
failed() {
    cat "$work/wineboot.log" >&2
    {
        df -h "$work"
        free -m
        uname -a
        wine --version
        ls -l /usr/lib/wine/ /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernel32.dll
    } >&2 2>&1 || true
}
# One more try on a fresh prefix, in case what failed was passing.
if ! wine wineboot -i >"$work/wineboot.log" 2>&1; then
    failed
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    echo "wine-template: trying once more" >&2
    wine wineboot -i >"$work/wineboot.log" 2>&1 || { failed; exit 1; }
fi
# Wine copies each of its own DLLs into system32 (630 MB), and every test run copies the prefix again.
# A link to Wine's file loads the same DLL, so the template keeps links where the copy is unchanged.
builtins=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
for file in "$WINEPREFIX"/drive_c/windows/system32/*; do
    name=${file##*/}
    if [ -f "$file" ] && [ ! -L "$file" ] && cmp -s "$file" "$builtins/$name"; then
        ln -sf "$builtins/$name" "$file"
    fi
done
# This Wine build does not find its own fonts; without them caption buttons render as letters.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
if [ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ]; then
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'WenQuanYi Micro Hei (TrueType)' \
        /d wqy-microhei.ttc /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
wineserver -k; wineserver -w

rm -rf "$target"
mv "$WINEPREFIX" "$target"
touch "$target/.ready"
