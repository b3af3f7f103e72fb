# Shared by the end-to-end tests: the real Quorvel.exe in a fresh Wine prefix on its own virtual
# display, installed under "C:\Program Files\Quorvel" (a folder with a blank, as on real machines).
# Source it from a test; everything it starts is ended when the test exits, pass or fail.

set -euo pipefail
source "${QUORVEL_SOURCE:?}/scripts/wine-lib.sh"

TEST_NAME=$(basename "$0" .sh)
TEST_NAME=${TEST_NAME#test_}
EXE=${QUORVEL_WIN_BUILD:?}/Quorvel.exe
DRIVER=$QUORVEL_WIN_BUILD/tests/e2e/quorvel_driver.exe
ARTIFACTS=${QUORVEL_ARTIFACTS:-$QUORVEL_WIN_BUILD/artifacts}
mkdir -p "$ARTIFACTS"

HKLM_RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
HKLM_RUN_OFF='HKLM\Software\Microsoft\Windows\CurrentVersion\Run-'
HKLM_BAN='HKLM\Software\Microsoft\Windows\CurrentVersion\Ban-'
# The machine's keys as 32-bit programs see them, under the name 64-bit ones see them by.
HKLM32_RUN='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Run'
HKLM32_RUN_OFF='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Run-'
HKLM32_BAN='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Ban-'
HKCU_APPROVED='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
HKCU_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
HKCU_RUN_OFF='HKCU\Software\Microsoft\Windows\CurrentVersion\Run-'
HKCU_BAN='HKCU\Software\Microsoft\Windows\CurrentVersion\Ban-'

# Menu commands go to the driver by their items' names (src/app/commands.h): driver command Refresha.

fail() {
    echo "FAIL: $*" >&2
    shot "failure" || true
    exit 1
}

e2e_begin() {
    wine_begin --display
    APP_DIR="$WINEPREFIX/drive_c/Program Files/Quorvel"
    mkdir -p "$APP_DIR"
    cp "$EXE" "$APP_DIR/Quorvel.exe"
    APP_WIN='C:\Program Files\Quorvel\Quorvel.exe'
    QUORVEL_PID=
}

# Starts the installed program (or another executable) with the given arguments.
start_quorvel() {
    wine_spawn "$APP_DIR/Quorvel.exe" "$@"
    QUORVEL_PID=$LAST_PID
}

driver() { wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

wait_window() {
    driver wait-window "${1:-30}" || fail "Quorvel's window did not appear"
}

running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }

# Waits for the process to end by itself.
wait_ended() {
    wait_until "${2:-15}" ended "$1" || fail "process $1 did not end"
}

# Ends the program through its own "Exit" command.
exit_quorvel() {
    driver command Exit >/dev/null || true
    wait_ended "$QUORVEL_PID"
}

reg_add() {  # KEY NAME DATA [TYPE]
    wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1 || fail "reg add $1 $2"
}
reg_has() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
reg_delete() { wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true; }

# The key's values as UTF-8 .reg text (reg query is lossy outside ASCII), one value a line.
reg_text() {
    local file="$WINE_RUN_DIR/export.reg"
    rm -f "$file"
    wine reg export "$1" "$(winepath -w "$file" 2>/dev/null)" /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | sed '1s/^\xEF\xBB\xBF//' | sed -e ':a' -e '/\\$/N; s/\\\n *//; ta'
}

# The CPU time a process has used so far, in clock ticks (user and system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# A value through the native functions, which take counted names: NAME may hold \uXXXX for any UTF-16
# unit (a NUL, a surrogate without its partner). nt_get prints "TYPE HEXDATA", and fails for none.
nt_set() { driver nt-set "$@" >/dev/null || fail "nt-set $*"; }  # ROOT KEY NAME DATA [expand]
nt_get() { driver nt-get "$@"; }                                    # ROOT KEY NAME

shot() {
    import -window root "$ARTIFACTS/$TEST_NAME-$1.png"
}

# Rows of the list as "name<TAB>path<TAB>word<TAB>image".
rows() { driver rows; }
has_row() { rows | grep -qxF -- "$1"; }

expect_eq() {  # WHAT EXPECTED ACTUAL
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

# Imports registry text given in UTF-8 (the body after the header line), as a user's .reg file would.
reg_import() {
    local file="$WINE_RUN_DIR/import.reg"
    { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; sed 's/$/\r/'; } | iconv -f UTF-8 -t UTF-16 >"$file"
    wine reg import "$(winepath -w "$file" 2>/dev/null)" >/dev/null 2>&1 || fail "reg import"
}

# The index of the first row with this name, counted from 0.
row_of() {
    local index
    # Through the environment: awk would read backslashes in -v as escapes, and names may hold "\uD800".
    index=$(rows | NAME=$1 awk -F'\t' '$1 == ENVIRON["NAME"] { print NR - 1; exit }')
    [ -n "$index" ] || fail "no row named $1"
    echo "$index"
}

# Right-clicks the row with this name, as a user would, and waits for the entry menu.
right_click_row() {
    local x y
    read -r x y < <(driver row-point "$(row_of "$1")")
    xdotool mousemove "$x" "$y" click 1 click 3
    wait_until 10 driver menu-open || fail "the entry menu did not open on $1"
}

# Chooses the Nth item (from 1) of the open pop-up menu with the keyboard.
choose_item() {
    local keys=()
    for _ in $(seq "$1"); do keys+=(40); done
    driver keys "${keys[@]}" 13
    wait_until 10 bash -c "! wine '$DRIVER' menu-open >/dev/null 2>&1" || fail "the menu did not close"
}

# Types the first letter of an item's caption into the open menu, as a user choosing it by keyboard.
type_letter() {
    driver keys "$(printf '%d' "'${1^^}")"
    wait_until 10 bash -c "! wine '$DRIVER' menu-open >/dev/null 2>&1" || fail "typing $1 did not choose an item"
}

# Waits for a message box of the program and prints its title and text.
wait_msgbox() {
    wait_until 10 driver msgbox >/dev/null || fail "no message box appeared"
    driver msgbox
}

VK_DOWN=40 VK_RETURN=13 VK_ESCAPE=27

# The Startup folders, asked of the system as Quorvel asks for them: $STARTUP_WIN and $COMMON_STARTUP_WIN
# as Windows paths, $STARTUP and $COMMON_STARTUP in the prefix; $USER_OFF and $COMMON_OFF are Quorvel's
# folders of disabled items beside them, where its README says they are.
startup_folders() {
    STARTUP_WIN=$(driver known-folder startup) || fail "the system names no Startup folder"
    COMMON_STARTUP_WIN=$(driver known-folder common-startup) || fail "the system names no common Startup folder"
    STARTUP=$(winepath -u "$STARTUP_WIN" 2>/dev/null)
    COMMON_STARTUP=$(winepath -u "$COMMON_STARTUP_WIN" 2>/dev/null)
    USER_OFF="${STARTUP%/Microsoft/Windows/Start Menu/Programs/*}/Quorvel/Disabled Startup"
    COMMON_OFF="${COMMON_STARTUP%/Microsoft/Windows/Start Menu/Programs/*}/Quorvel/Disabled Startup"
}

# Stand-ins for programs, C:\markers\NAME.exe, each leaving NAME.exe.ran (its command line) when started.
MARKERS_WIN='C:\markers'
markers() {
    mkdir -p "$WINEPREFIX/drive_c/markers"
    local name
    for name; do cp "$QUORVEL_WIN_BUILD/tests/e2e/quorvel_marker.exe" "$WINEPREFIX/drive_c/markers/$name.exe"; done
}
ran() { [ -e "$WINEPREFIX/drive_c/markers/$1.exe.ran" ]; }

# A simulated logon: Wine's own logon processing starts every Run value and every file in the user's
# Startup folder, as Windows does. Once the witness item there has started, the folder has been gone
# through (call startup_folders first).
logon() {
    rm -f "$WINEPREFIX"/drive_c/markers/*.ran
    [ -e "$WINEPREFIX/drive_c/markers/witness.exe" ] || markers witness
    [ -e "$STARTUP/Witness.lnk" ] || driver shortcut "$STARTUP_WIN\Witness.lnk" "$MARKERS_WIN\witness.exe" ||
        fail "no witness shortcut"
    wine wineboot -e >/dev/null 2>&1 || fail "the simulated logon failed"
    wait_until 20 ran witness || fail "the simulated logon started nothing"
}
# Whether the logon started NAME: it has a few seconds more than the witness.
started_at_logon() { wait_until 3 ran "$1"; }

# The notification-area icon: whether ours is there, and a click on it (Wine's taskbar puts the
# only icon at the bottom right corner of its 1280 x 1024 desktop).
tray_icon() { driver tray-icon; }
taskbar_shown() { driver window-visible "" Shell_TrayWnd; }
click_tray_icon() {
    xdotool mousemove 1270 1014 click "${1:-1}"
    wait_until 10 driver menu-open || fail "the tray menu did not open"
}
