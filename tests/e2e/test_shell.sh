#!/usr/bin/env bash
# The main window: start-up registration and keys, the window and its menus, one instance only,
# closing into the notification area, Exit, and a copy under another name.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_quorvel
wait_window
first=$QUORVEL_PID

expected='"\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto"'
value=$(reg_text "$HKLM_RUN" | sed -n 's/^"Quorvel"=//p')
expect_eq "registered logon command" "$expected" "$value"
for key in "$HKLM_RUN_OFF" "$HKLM_BAN" "$HKLM32_RUN_OFF" "$HKLM32_BAN" "$HKCU_RUN_OFF" "$HKCU_BAN"; do
    key_exists "$key" || fail "$key was not created"
done
expect_eq "rows of a fresh machine" $'Quorvel\t"C:\\Program Files\\Quorvel\\Quorvel.exe" -auto\tEnable\t3' "$(rows)"
# Every column shows without a horizontal scroll bar, with room for a vertical one.
read -r _ _ list_width _ < <(driver window-client-rect Quorvel View1)
columns=$(driver column-widths | tr ' ' '+')
[ $((columns + 17)) -le "$list_width" ] || fail "columns $columns do not fit the list's $list_width pixels"
shot window

# The Tool menu with its images, opened from the keyboard as F10, Right, Down would.
driver menu-bar
driver keys 39 40
wait_until 5 driver menu-open || fail "the Tool menu did not open"
shot tool-menu
driver keys 27 27

# A second instance ends at once and writes nothing: the deleted value stays deleted.
reg_delete "$HKLM_RUN" Quorvel
start_quorvel
second=$QUORVEL_PID
wait_ended "$second" 10
reg_has "$HKLM_RUN" Quorvel && fail "the second instance wrote its Run value"
running "$first" || fail "the first instance ended"
QUORVEL_PID=$first

# A restart as an administrator hands over: the new instance, told the old one's process, waits until
# that has ended, then starts and shows its window. Never two at work at once. Elevated with another
# account's credentials, it may not open the old instance to wait for it (as with the id of no process):
# it keeps trying for the one instance instead.
takes_over() {  # ARGUMENT...
    wine_spawn "$APP_DIR/Quorvel.exe" "$@"
    local successor=$LAST_PID
    wait_until 10 bash -c "[ \"\$(wine '$DRIVER' instances)\" = 2 ]" || fail "the successor ($*) made no window"
    wait_until 2 ended "$successor" && fail "the successor ($*) did not wait for the old instance"
    exit_quorvel
    wait_window 10
    running "$successor" || fail "the successor ($*) ended"
    QUORVEL_PID=$successor
}
takes_over -after "$(driver pid)"
takes_over -after 4000000

# Closing hides the window and leaves the program running; Exit ends it.
driver close
wait_until 10 bash -c "! wine '$DRIVER' visible >/dev/null 2>&1" || fail "the window did not hide on close"
running "$QUORVEL_PID" || fail "closing ended the program"
exit_quorvel

# A copy under another name, in a folder users can change, registers Quorvel.exe of its folder for this
# user alone: every user's logon keeps starting the installed one.
mkdir -p "$WINEPREFIX/drive_c/Tools"
cp "$EXE" "$WINEPREFIX/drive_c/Tools/Renamed.exe"
wine_spawn "$WINEPREFIX/drive_c/Tools/Renamed.exe"
QUORVEL_PID=$LAST_PID
wait_window
value=$(reg_text "$HKCU_RUN" | sed -n 's/^"Quorvel"=//p')
expect_eq "user's logon command of a renamed copy" '"\"C:\\Tools\\Quorvel.exe\" -auto"' "$value"
expect_eq "machine's logon command" "$expected" "$(reg_text "$HKLM_RUN" | sed -n 's/^"Quorvel"=//p')"
exit_quorvel
echo "shell: all checks passed"
