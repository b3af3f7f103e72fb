#!/usr/bin/env bash
# The notification-area icon and its menu, and the hidden logon start with "-auto".
source "$(dirname "$0")/lib.sh"
e2e_begin
config="$APP_DIR/config.ini"

# Remembers, in the background, whether the main window ever became visible.
watch_window() {
    rm -f "$WINE_RUN_DIR/shown"
    (while :; do
        wine "$DRIVER" visible >/dev/null 2>&1 && touch "$WINE_RUN_DIR/shown"
        sleep 0.05
    done) &
    WATCHER=$!
}
stop_watching() { kill "$WATCHER" 2>/dev/null; wait "$WATCHER" 2>/dev/null || true; }

# An automatic start with "Exit After Cleaning" cleans the keys and the Startup folders, rewrites the
# file and ends, unseen.
printf '1\r\n1\r\n1\r\n0\r\n0' >"$config"
reg_add "$HKCU_BAN" Nag 'C:\nag\nag.exe'
reg_add "$HKLM_RUN" Nag 'C:\nag\nag.exe'
startup_folders
driver shortcut "$COMMON_STARTUP_WIN\\nag.lnk" 'C:\nag\nag.exe' || fail "no shortcut"
watch_window
start_quorvel -auto
wait_ended "$QUORVEL_PID" 30
stop_watching
[ -e "$WINE_RUN_DIR/shown" ] && fail "the window was shown during an automatic start"
reg_has "$HKLM_RUN" Nag && fail "the automatic start did not delete the banned value"
[ -e "$COMMON_STARTUP/nag.lnk" ] && fail "the automatic start did not delete the banned shortcut"
expect_eq "config.ini rewritten" "$(printf ' 1 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n' | xxd -p)" "$(xxd -p "$config")"
reg_has "$HKLM_RUN" Quorvel || fail "the Run value was not written"
taskbar_shown && fail "something stayed in the notification area"

# Without it, the program stays hidden with its icon.
printf ' 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n' >"$config"
watch_window
start_quorvel -auto
wait_until 30 tray_icon || fail "no tray icon after an automatic start"
stop_watching
[ -e "$WINE_RUN_DIR/shown" ] && fail "the window was shown during an automatic start"
running "$QUORVEL_PID" || fail "the automatic start ended"
shot tray-icon

# Explorer starting again asks every program to add its icon anew; ours stays, once.
driver taskbar-created
tray_icon || fail "the icon was lost when the taskbar was created again"

# A click on the icon opens the tray menu; "Show" brings the window back and takes the icon away.
click_tray_icon 1
shot tray-menu
type_letter s
wait_window 10
wait_until 10 bash -c "! wine '$DRIVER' tray-icon >/dev/null 2>&1" || fail "the icon stayed after Show"
shot shown

# Close, Show, close again: one icon, never two. Shown again, a window minimised before it was
# closed comes back restored.
driver minimize
wait_until 10 driver iconic || fail "the window did not minimise"
driver close
wait_until 10 tray_icon || fail "no icon after closing"
click_tray_icon 3
choose_item 1
wait_window 10
driver iconic && fail "Show brought back a minimised window"
shot restored
driver close
wait_until 10 tray_icon || fail "no icon after closing again"
shot one-icon
# Only our icon sits in the notification area: the strip left of it is bare taskbar.
strip=$(convert "$ARTIFACTS/$TEST_NAME-one-icon.png" -crop 120x16+1140+1006 -format '%k' info:)
expect_eq "colours of the strip left of the icon" 1 "$strip"

# A shell that lost the icon and is made anew asks for it again: it is added again.
driver tray-delete || fail "the icon could not be taken away"
tray_icon && fail "the icon was still there"
driver taskbar-created
wait_until 10 tray_icon || fail "the icon was not added again for the new taskbar"

# Without its icon, a hidden Quorvel comes back when the user starts it again, but not for a second
# logon start (the machine's value and a user's copy); each second start ends.
driver tray-delete
wine_spawn "$APP_DIR/Quorvel.exe" -auto
wait_ended "$LAST_PID"
# Messages are handled in the order they were posted: once a Refresh that follows the second start's
# call has shown its row, that call has been answered. (Disabled, the probe is no news that would
# bring the icon back.)
reg_add "$HKCU_RUN_OFF" Probe 'C:\probe.exe'
driver command Refresha
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q '^Probe'" || fail "the Refresh after the -auto start did not run"
driver visible && fail "a second -auto start showed the window"
reg_delete "$HKCU_RUN_OFF" Probe
wine_spawn "$APP_DIR/Quorvel.exe"
wait_ended "$LAST_PID"
wait_window 10
running "$QUORVEL_PID" || fail "the first instance ended"
driver close
wait_until 10 tray_icon || fail "no icon after closing"

# "Exit" in the tray menu ends the program and the icon goes with it.
click_tray_icon 1
choose_item 2
wait_ended "$QUORVEL_PID" 15
wait_until 10 bash -c "! wine '$DRIVER' window-visible '' Shell_TrayWnd >/dev/null 2>&1" || fail "the icon outlived the program"

# The switch must be exactly "-auto": anything else is a normal start.
start_quorvel -AUTO
wait_window
exit_quorvel
echo "tray: all checks passed"
