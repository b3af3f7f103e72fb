#!/usr/bin/env bash
# The About box: its moving picture, OK and Esc, System Info by either registry value and its failure
# message; then Tool > Regedit. Programs that Quorvel starts are stand-ins that leave a marker file.
source "$(dirname "$0")/lib.sh"
e2e_begin

ABOUT='A Propos'
MARKER_EXE=$QUORVEL_WIN_BUILD/tests/e2e/quorvel_marker.exe
SYSINFO_KEY='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
SYSINFO_FOLDER_KEY='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
UNAVAILABLE='System Information Is Unavailable At This Time'

# Clicks a button (by its control name) of a window by posting what the click would send.
press() {  # TITLE CONTROL [CLASS]
    driver window-command "$@" || fail "no window $1 to press button $2 in"
}
menu_command() { driver command "$1" || fail "could not send menu command $1"; }
about_open() { driver window-visible "$ABOUT"; }
about_closed() { ! about_open; }
open_about() {
    menu_command About
    wait_until 10 about_open || fail "Help > About did not open the box"
}
msgbox_open() { driver window-visible Quorvel '#32770'; }
msgbox_closed() { ! msgbox_open; }

# Pixels that differ between two pictures of the same size.
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
is_zero() { awk -v n="$1" 'BEGIN { exit !(n == 0) }'; }
crop() {  # PICTURE "X Y W H" OUT
    local x y w h
    read -r x y w h <<<"$2"
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$3"
}
pictures_differ() { ! is_zero "$(differing_pixels "$1" "$2")"; }

# Clicks a window at a point given in hundredths of its width and height, which makes it Wine's
# foreground window, the one keys go to. (A click on a caption would start a move that eats them.)
click_window() {  # TITLE X% Y%
    local x y w h
    read -r x y w h < <(driver window-rect "$1") || fail "no window $1 to click"
    xdotool mousemove $((x + w * $2 / 100)) $((y + h * $3 / 100)) click 1
}

start_quorvel
wait_window

# The picture moves inside Picture1 and nowhere else in the box.
open_about
box=$(driver window-rect "$ABOUT") || fail "no rectangle for the About box"
area=$(driver window-client-rect "$ABOUT" Picture1) || fail "no rectangle for Picture1"
first=$ARTIFACTS/$TEST_NAME-about-1.png
second=$ARTIFACTS/$TEST_NAME-about-2.png
has_lines() {
    local colours
    colours=$(convert "$1" -format %c histogram:info:) || fail "no colours of $1"
    grep -q '#FF0000' <<<"$colours" && grep -q '#0000FF' <<<"$colours"
}
# Shown is not yet drawn: the first shot is one whose picture has lines and has moved since the shot
# before. The timer that moves it only runs when nothing in the box is left to paint.
import -window root "$WINE_RUN_DIR/shot-0.png"
crop "$WINE_RUN_DIR/shot-0.png" "$area" "$WINE_RUN_DIR/area-0.png"
drawn() {
    shot about-1
    crop "$first" "$area" "$WINE_RUN_DIR/area-1.png"
    has_lines "$WINE_RUN_DIR/area-1.png" && pictures_differ "$WINE_RUN_DIR/area-0.png" "$WINE_RUN_DIR/area-1.png" ||
        { mv "$WINE_RUN_DIR/area-1.png" "$WINE_RUN_DIR/area-0.png"; return 1; }
}
wait_until 10 drawn || fail "the About box did not finish drawing its picture (see $first)"
area_moved() {
    shot about-2
    crop "$second" "$area" "$WINE_RUN_DIR/area-2.png"
    pictures_differ "$WINE_RUN_DIR/area-1.png" "$WINE_RUN_DIR/area-2.png"
}
wait_until 10 area_moved || fail "the picture did not move (see $first and $second)"
has_lines "$WINE_RUN_DIR/area-2.png" || fail "the picture lost its lines (see $second)"
read -r bx by bw bh <<<"$box"
read -r ax ay aw ah <<<"$area"
((ax >= bx && ay >= by && ax + aw <= bx + bw && ay + ah <= by + bh)) || fail "Picture1 ($area) is not inside the box ($box)"
mask="rectangle $((ax - bx)),$((ay - by)) $((ax - bx + aw - 1)),$((ay - by + ah - 1))"
rest_of_box() {  # SHOT OUT: the box with Picture1 blacked out
    crop "$1" "$box" "$2"
    convert "$2" -fill black -draw "$mask" "$2"
}
rest_of_box "$first" "$WINE_RUN_DIR/rest-1.png"
rest_of_box "$second" "$WINE_RUN_DIR/rest-2.png"
rest=$(differing_pixels "$WINE_RUN_DIR/rest-1.png" "$WINE_RUN_DIR/rest-2.png")
is_zero "$rest" || fail "$rest pixels changed outside the picture (see $first and $second)"

# OK closes the box, and the main window takes a user's clicks again.
press "$ABOUT" cmdOK
wait_until 10 about_closed || fail "OK did not close the About box"
right_click_row Quorvel
driver keys $VK_ESCAPE || fail "could not send Esc to the entry menu"
wait_until 10 bash -c "! wine '$DRIVER' menu-open >/dev/null 2>&1" || fail "the entry menu did not close"
rows | grep -q $'^Quorvel\t' || fail "the list lost its rows after the About box"

# Esc, pressed on the keyboard at once, closes it too: the box comes up in front, with the keys.
open_about
xdotool key Escape
wait_until 10 about_closed || fail "Esc did not close the About box"
driver visible || fail "the main window is not shown after Esc"

# System Info starts the program the first value names, as one quoted path even with blanks in it.
mkdir -p "$WINEPREFIX/drive_c/System Tools" "$WINEPREFIX/drive_c/Shared Tools/MSInfo" \
    "$WINEPREFIX/drive_c/Shared Tools/Empty"
cp "$MARKER_EXE" "$WINEPREFIX/drive_c/System Tools/msinfo check.exe"
cp "$MARKER_EXE" "$WINEPREFIX/drive_c/Shared Tools/MSInfo/MSINFO32.EXE"
reg_add "$SYSINFO_KEY" PATH 'C:\System Tools\msinfo check.exe'
reg_add "$SYSINFO_FOLDER_KEY" MSINFO 'C:\Shared Tools\Empty'
open_about
press "$ABOUT" cmdSysInfo
ran="$WINEPREFIX/drive_c/System Tools/msinfo check.exe.ran"
wait_until 20 test -f "$ran" || fail "System Info did not start the PATH program"
expect_eq "command line of the PATH program" '"C:\System Tools\msinfo check.exe"' "$(tr -d '\r\n' <"$ran")"
about_open || fail "the About box closed after System Info"
msgbox_closed || fail "a message box came with a started System Info: $(driver window-text Quorvel '#32770' 65535)"

# Without the first value, the folder of the second one is used when MSINFO32.EXE is in it.
reg_delete "$SYSINFO_KEY" PATH
reg_add "$SYSINFO_FOLDER_KEY" MSINFO 'C:\Shared Tools\MSInfo'
press "$ABOUT" cmdSysInfo
ran="$WINEPREFIX/drive_c/Shared Tools/MSInfo/MSINFO32.EXE.ran"
wait_until 20 test -f "$ran" || fail "System Info did not start MSINFO32.EXE of the folder"
expect_eq "command line of the folder's program" '"C:\Shared Tools\MSInfo\MSINFO32.EXE"' "$(tr -d '\r\n' <"$ran")"

# A folder without it leads nowhere: the box says so, and the About box stays.
reg_add "$SYSINFO_FOLDER_KEY" MSINFO 'C:\Shared Tools\Empty'
press "$ABOUT" cmdSysInfo
wait_until 10 msgbox_open || fail "System Info showed no message when nothing leads to the tool"
shot sysinfo-unavailable
expect_eq "System Info failure text" "$UNAVAILABLE" "$(driver window-text Quorvel '#32770' 65535)"
press Quorvel 1 '#32770'
wait_until 10 msgbox_closed || fail "OK did not close the System Info message"
about_open || fail "the About box closed with the System Info message"
press "$ABOUT" cmdOK
wait_until 10 about_closed || fail "OK did not close the About box after System Info"

# Tool > Regedit starts the registry editor; a close request from the keyboard ends it.
menu_command Regedit
wait_until 20 driver window-visible "Registry Editor" || fail "Tool > Regedit showed no registry editor"
shot regedit
click_window "Registry Editor" 75 50  # the empty list of values
xdotool key alt+F4
regedit_closed() { ! driver window-visible "Registry Editor"; }
wait_until 10 regedit_closed || fail "the registry editor did not close"

exit_quorvel
echo "about: all checks passed"
