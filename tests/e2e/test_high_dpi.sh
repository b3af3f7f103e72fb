#!/usr/bin/env bash
# At 200 % scale the window, its columns and its images are twice as large, drawn at that size. In a
# colour scheme with white text on black, the list takes the system's colours: its grey would not read.
source "$(dirname "$0")/lib.sh"
e2e_begin

wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 || fail "set DPI"
# A desktop wide enough for the window at this scale, as a screen at 200 % is (a 3840 x 2160 one holds
# the window twice over); the display shows its top left corner.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2560x1440 /f >/dev/null 2>&1 || fail "set desktop"
# The scale is read when the server starts: start it anew.
wineserver -k
wineserver -w
wineserver -p
reg_add "$HKCU_RUN_OFF" Example 'C:\example\tool.exe'

start_quorvel
wait_window
read -r _ _ width height < <(driver control-rect Quorvel View1)
expect_eq "list size at 200 %" "2084 650" "$width $height"
expect_eq "column widths at 200 %" "400 600 106 300 540" "$(driver column-widths)"
driver menu-bar
driver keys 39 40
wait_until 5 driver menu-open || fail "the Tool menu did not open"
shot tool-menu
driver keys 27 27
exit_quorvel

# Wine keeps a running program's system colours as they were at its start (it hears of the change, but
# reads the old colours): the scheme is set first and the program started in it.
driver set-colours 000000 FFFFFF || fail "the system's colours could not be set"
start_quorvel
wait_window
read -r x y width height < <(driver window-client-rect Quorvel View1)
# A point of the list below its rows: the background, whatever the rows hold.
point="$((x + width / 2)) $((y + height - 20))"
background() {
    shot dark-scheme
    convert "$ARTIFACTS/$TEST_NAME-dark-scheme.png" -crop "1x1+${point% *}+${point#* }" \
        -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
# The contrast ratio of white text on the colour, as WCAG defines it.
white_contrast() {
    awk -v rgb="$1" 'function lin(c) { c /= 255; return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
        BEGIN { split(rgb, v, " "); l = 0.2126 * lin(v[1]) + 0.7152 * lin(v[2]) + 0.0722 * lin(v[3]);
                printf "%.2f", 1.05 / (l + 0.05) }'
}
readable() { awk -v r="$(white_contrast "$(background)")" 'BEGIN { exit !(r >= 4.5) }'; }
wait_until 10 readable || fail "white text on the list's background $(background) has contrast $(white_contrast "$(background)")"
exit_quorvel
echo "high dpi: all checks passed"
