#!/usr/bin/env bash
# At 200 % scale the window, its columns and its images are twice as large, drawn at that size.
source "$(dirname "$0")/lib.sh"
e2e_begin

wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 || fail "set DPI"
# A desktop wide enough for the window at this scale, as a screen at 200 % is (3840 x 2160 at 200 %
# holds 1920 x 1080 of ours); the display shows its top left corner.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1 || fail "set desktop"
# The scale is read when the server starts: start it anew.
wineserver -k
wineserver -w
wineserver -p
reg_add "$HKCU_RUN_OFF" Example 'C:\example\tool.exe'

start_quorvel
wait_window
read -r _ _ width height < <(driver control-rect Quorvel View1)
expect_eq "list size at 200 %" "1544 650" "$width $height"
expect_eq "column widths at 200 %" "400 600 106 300" "$(driver column-widths)"
driver menu-bar
driver keys 39 40
wait_until 5 driver menu-open || fail "the Tool menu did not open"
shot tool-menu
driver keys 27 27
exit_quorvel
echo "high dpi: all checks passed"
