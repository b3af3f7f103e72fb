#!/usr/bin/env bash
# Tool > Save StartUp and Tool > Load StartUp through the system's own file dialogs: the saved
# bytes (ANSI, and UTF-8 with a mark when a name does not fit), the boxes of a load, the loaded list,
# entries restored from it (a REG_EXPAND_SZ keeping its type), Refresh, and Cancel in both dialogs.
source "$(dirname "$0")/lib.sh"
e2e_begin

LISTS="$WINEPREFIX/drive_c/lists"
mkdir -p "$LISTS"
reg_add "$HKLM_BAN" Nag 'nag.exe'
reg_add "$HKCU_RUN" 'Café' 'C:\upd\café.exe -q'
reg_add "$HKCU_RUN_OFF" Helper '"C:\Program Files\Helper\h.exe", /x'

# The dialogs open in the program's current folder.
pushd "$LISTS" >/dev/null
start_quorvel
popd >/dev/null
wait_window

# Opens a dialog with a menu command and waits until what is typed goes into its file name box.
open_dialog() {  # COMMAND TITLE
    driver command "$1"
    wait_until 10 driver window-typing "$2" || fail "the $2 dialog did not open ready for typing"
}
closed() { ! driver window-visible "$1"; }
# Types into the dialog's file name box; keys reach Wine's foreground window, which the dialog is.
type_path() {  # TITLE PATH [KEY]
    xdotool type --delay 15 "$2"
    xdotool key "${3:-Return}"
    wait_until 10 closed "$1" || fail "the $1 dialog did not close"
}
# The bytes of CR LF lines given in UTF-8, in the code page given.
crlf_lines() {  # CODEPAGE LINE...
    local codepage=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t "$codepage" | xxd -p | tr -d '\n'
}
bytes_of() { xxd -p "$1" | tr -d '\n'; }
fields() { rows | cut -f1,3 | tr '\t\n' '|;'; }

QUORVEL_CMD='"C:\Program Files\Quorvel\Quorvel.exe" -auto'
HELPER_CMD='"C:\Program Files\Helper\h.exe", /x'
# Newest first within a key, as the list shows an unsorted table; the ban is hidden.
registry_rows="Helper|Disable;Café|Enable;Quorvel|Enable;"
expect_eq "rows at start" "$registry_rows" "$(fields)"

# Cancel writes nothing, whatever was typed.
open_dialog SaveStartUp "Save StartUp"
type_path "Save StartUp" 'C:\lists\cancelled.stu' Escape

# Save: every entry in table order, the hidden ban too, in the ANSI code page.
open_dialog SaveStartUp "Save StartUp"
[ ! -e "$LISTS/cancelled.stu" ] || fail "a cancelled save wrote a file"
shot save-dialog-opened
xdotool type --delay 15 'C:\lists\saved.stu'
shot save-dialog
xdotool key Return
wait_until 10 closed "Save StartUp" || fail "the save dialog did not close"
wait_until 10 test -s "$LISTS/saved.stu" || fail "no file was saved"
acp=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP | tr -d '\r' |
    awk '$1 == "ACP" { print $3 }')
expect_eq "saved bytes (code page $acp)" \
    "$(crlf_lines "CP$acp" ' 4 ' Quorvel '-2147483646 ' ' 3 ' "$QUORVEL_CMD" Nag '-2147483646 ' ' 1 ' nag.exe \
        'Café' '-2147483647 ' ' 3 ' 'C:\upd\café.exe -q' Helper '-2147483647 ' ' 2 ' "$HELPER_CMD")" \
    "$(bytes_of "$LISTS/saved.stu")"

# A name outside the code page turns the whole file into UTF-8 behind a byte-order mark.
reg_add "$HKCU_BAN" '日本' 'nihon.exe'
driver command Refresha
open_dialog SaveStartUp "Save StartUp"
type_path "Save StartUp" 'C:\lists\unicode.stu'
wait_until 10 test -s "$LISTS/unicode.stu" || fail "no UTF-8 file was saved"
expect_eq "UTF-8 bytes" \
    "efbbbf$(crlf_lines UTF-8 ' 5 ' Quorvel '-2147483646 ' ' 3 ' "$QUORVEL_CMD" Nag '-2147483646 ' ' 1 ' nag.exe \
        'Café' '-2147483647 ' ' 3 ' 'C:\upd\café.exe -q' Helper '-2147483647 ' ' 2 ' "$HELPER_CMD" \
        '日本' '-2147483647 ' ' 1 ' nihon.exe)" \
    "$(bytes_of "$LISTS/unicode.stu")"

# Replacing a file asks first, and No keeps it.
before=$(bytes_of "$LISTS/saved.stu")
open_dialog SaveStartUp "Save StartUp"
xdotool type --delay 15 'C:\lists\saved.stu'
xdotool key Return
dialogs() { driver windows | grep -c $'^#32770\t' || true; }
asking() { [ "$(dialogs)" -ge 2 ]; }
answered() { [ "$(dialogs)" -eq 1 ]; }
wait_until 10 asking || fail "no question before replacing saved.stu: $(driver windows)"
shot replace-question
xdotool key n
wait_until 10 answered || fail "the question stayed open"
xdotool key Escape
wait_until 10 closed "Save StartUp" || fail "the save dialog did not close"
expect_eq "saved.stu after No" "$before" "$(bytes_of "$LISTS/saved.stu")"

# Cancel of the load dialog leaves the list as it is and shows nothing.
open_dialog LoadStartUp "Load StartUp"
type_path "Load StartUp" 'C:\lists\saved.stu' Escape
expect_eq "rows after a cancelled load" "$registry_rows" "$(fields)"
driver msgbox >/dev/null && fail "a cancelled load showed a box"

# Load: the count, then name, command and "index last" of each entry, one box at a time.
reg_delete "$HKCU_RUN_OFF" Helper
open_dialog LoadStartUp "Load StartUp"
type_path "Load StartUp" 'C:\lists\saved.stu'
box_is() { [ "$(driver msgbox)" == "$1" ]; }
expected_boxes=(4 Quorvel "$QUORVEL_CMD" '0 3' Nag nag.exe '1 3' 'Café' 'C:\upd\café.exe -q' '2 3'
    Helper "$HELPER_CMD" '3 3')
fields_are() { [ "$(fields)" == "$1" ]; }
for text in "${expected_boxes[@]}"; do
    wait_until 10 box_is $'Quorvel\n'"$text" || fail "expected the box [$text], got [$(driver msgbox)]"
    if [ "$text" == 4 ]; then
        expect_eq "rows while the boxes show" "" "$(fields)"
        shot load-box
        # A tick while a box is open refills the list from the registry; the loaded list wins.
        driver tick
        wait_until 10 fields_are "Café|Enable;Quorvel|Enable;" || fail "the tick did not run: $(fields)"
    fi
    driver answer ok
done
no_box() { ! driver msgbox >/dev/null; }
wait_until 10 no_box || fail "a box too many: $(driver msgbox)"
expect_eq "rows of the loaded list" "Helper|Disable;Café|Enable;Quorvel|Enable;" "$(fields)"
reg_has "$HKCU_RUN_OFF" Helper && fail "loading wrote to the registry"

# An entry of the loaded list is restored from its command.
right_click_row Helper
choose_item 1
wait_until 10 reg_has "$HKCU_RUN" Helper || fail "Enable did not restore Helper"
reg_text "$HKCU_RUN" | grep -qF '"Helper"="\"C:\\Program Files\\Helper\\h.exe\", /x"' ||
    fail "Helper's command was not restored exactly: $(reg_text "$HKCU_RUN")"
driver command Refresha
wait_until 10 fields_are "Helper|Enable;Café|Enable;Quorvel|Enable;" ||
    fail "Refresh does not show the registry: $(fields)"

# Restored from a loaded list, a live value that holds the list's command keeps its own type and bytes:
# a REG_EXPAND_SZ stays one, so that Windows still expands it.
reg_add "$HKCU_RUN" Tool '%ProgramFiles%\Tool\tool.exe /tray' REG_EXPAND_SZ
tool=$(reg_text "$HKCU_RUN" | grep '^"Tool"=' | cut -d= -f2-)
printf ' 1 \r\nTool\r\n-2147483647 \r\n 3 \r\n%%ProgramFiles%%\\Tool\\tool.exe /tray\r\n' >"$LISTS/tool.stu"
# Loads a list through the dialog and answers its boxes, which must say what is given.
load_list() {  # PATH TEXT...
    open_dialog LoadStartUp "Load StartUp"
    type_path "Load StartUp" "$1"
    shift
    local text
    for text; do
        wait_until 10 box_is $'Quorvel\n'"$text" || fail "expected the box [$text], got [$(driver msgbox)]"
        driver answer ok
    done
}
load_list 'C:\lists\tool.stu' 1 Tool '%ProgramFiles%\Tool\tool.exe /tray' '0 0'
wait_until 10 fields_are "Tool|Enable;" || fail "the list with Tool was not loaded: $(fields)"
right_click_row Tool
choose_item 2
wait_until 10 reg_has "$HKCU_RUN_OFF" Tool || fail "Disable did not restore Tool into Run-"
expect_eq "Tool in Run-" "$tool" "$(reg_text "$HKCU_RUN_OFF" | grep '^"Tool"=' | cut -d= -f2-)"
grep -q '^hex(2):' <<<"$tool" || fail "Tool was not seeded as REG_EXPAND_SZ: $tool"
reg_has "$HKCU_RUN" Tool && fail "Tool stayed in Run"

# A loaded list's Startup folder item (its file name, the folder's own root value) is made again as a
# shortcut to the same target with the same arguments.
startup_folders
printf ' 1 \r\nSync.lnk\r\n-2147418111 \r\n 3 \r\n"C:\\Program Files\\Sync\\sync.exe" --tray\r\n' >"$LISTS/item.stu"
load_list 'C:\lists\item.stu' 1 Sync '"C:\Program Files\Sync\sync.exe" --tray' '0 0'
wait_until 10 fields_are "Sync|Enable;" || fail "the list with Sync was not loaded: $(fields)"
right_click_row Sync
choose_item 1
wait_until 10 test -e "$STARTUP/Sync.lnk" || fail "Enable did not make the shortcut again"
driver command Refresha
wait_until 10 has_row $'Sync\t"C:\\Program Files\\Sync\\sync.exe" --tray\tEnable\t3' ||
    fail "the shortcut made again does not start the same command: $(rows)"
exit_quorvel
echo "listfiles: all checks passed"
