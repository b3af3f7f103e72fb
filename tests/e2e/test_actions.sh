#!/usr/bin/env bash
# The entry menu driven like a user: right-click a row, choose, answer the confirmation. Then the
# options of the Option menu, each written to config.ini at once.
source "$(dirname "$0")/lib.sh"
e2e_begin

RUN='Software\Microsoft\Windows\CurrentVersion\Run'
reg_import <<EOF_REG
[HKEY_CURRENT_USER\\$RUN]
"Expand"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,\\
  6e,00,6f,00,74,00,65,00,70,00,61,00,64,00,2e,00,65,00,78,00,65,00,00,00
"Marker"="cmd /c echo ran> C:\\\\marker.txt"
"Updater"="C:\\\\upd\\\\upd.exe"
"App"="C:\\\\new\\\\app.exe"
[HKEY_CURRENT_USER\\$RUN-]
"App"="C:\\\\old\\\\app.exe --keep-me"
EOF_REG
EXPAND_HEX='hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,6e,00,6f,00,74,00,65,00,70,00,61,00,64,00,2e,00,65,00,78,00,65,00,00,00$'

start_quorvel
wait_window
config="$APP_DIR/config.ini"
expect_eq "config.ini of a first start" "$(printf ' 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n' | xxd -p)" "$(xxd -p "$config")"

# Disable keeps REG_EXPAND_SZ.
right_click_row Expand
shot entry-menu
choose_item 2
wait_until 10 reg_has "$HKCU_RUN_OFF" Expand || fail "Disable did not move Expand"
reg_has "$HKCU_RUN" Expand && fail "Disable left Expand in Run"
reg_text "$HKCU_RUN_OFF" | grep -q "^\"Expand\"=$EXPAND_HEX" || fail "Expand lost its type in Run-"
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Expand\t.*\tDisable\t2'" || fail "list does not show Expand disabled"

# Enable brings it back, still expandable.
right_click_row Expand
choose_item 1
wait_until 10 reg_has "$HKCU_RUN" Expand || fail "Enable did not bring Expand back"
reg_text "$HKCU_RUN" | grep -q "^\"Expand\"=$EXPAND_HEX" || fail "Expand lost its type in Run"
reg_has "$HKCU_RUN_OFF" Expand && fail "Enable left Expand in Run-"

# The keyboard opens the same menu for the selected row: Shift+F10, then Escape closes it unused.
read -r x y < <(driver row-point "$(row_of Updater)")
xdotool mousemove "$x" "$y" click 1
xdotool key shift+F10
wait_until 10 driver menu-open || fail "Shift+F10 did not open the entry menu"
shot keyboard-menu
driver keys $VK_ESCAPE
wait_until 10 bash -c "! wine '$DRIVER' menu-open >/dev/null 2>&1" || fail "Escape did not close the entry menu"
reg_has "$HKCU_RUN" Updater || fail "a menu closed unused changed the registry"

# Ban, chosen by its first letter, then Delete answered Cancel (nothing changes), then Delete answered OK
# (the ban is lifted).
right_click_row Updater
type_letter b
wait_until 10 reg_has "$HKCU_BAN" Updater || fail "Ban did not move Updater"
driver command BanVisible
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Updater\t.*\tBan\t1'" || fail "banned Updater not listed"
right_click_row Updater
choose_item 4
box=$(wait_msgbox)
expect_eq "delete confirmation" $'Delete\nAre you sure to want delete this StartUp ?' "$box"
shot confirmation
driver answer cancel
wait_until 10 bash -c "! wine '$DRIVER' msgbox >/dev/null 2>&1" || fail "the box stayed open"
reg_has "$HKCU_BAN" Updater || fail "Cancel deleted the ban"
right_click_row Updater
choose_item 4
wait_msgbox >/dev/null
driver answer ok
wait_until 10 bash -c "! wine reg query '$HKCU_BAN' /v Updater >/dev/null 2>&1" || fail "Delete kept the ban"
reg_add "$HKCU_RUN" Updater 'C:\upd\upd.exe'
driver tick
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Updater\t.*\tEnable\t3'" || fail "Updater not listed after tick"
reg_has "$HKCU_RUN" Updater || fail "the lifted ban still deleted Updater"

# Execute starts the command, which leaves its marker.
right_click_row Marker
choose_item 5
expect_eq "execute confirmation" $'Execute\nAre you sure to want execute this StartUp ?\n\n"Marker" starts:\n\n    cmd /c echo ran> C:\\marker.txt' "$(wait_msgbox)"
driver answer ok
wait_until 20 test -f "$WINEPREFIX/drive_c/marker.txt" || fail "Execute did not run the command"
reg_has "$HKCU_RUN" Marker || fail "Execute changed the registry"

# A move onto a name its target already holds asks first: No keeps both values, Yes replaces.
right_click_row App
choose_item 1
box=$(wait_msgbox)
shot replace-question
grep -qF 'C:\old\app.exe --keep-me' <<<"$box" && grep -qF 'C:\new\app.exe' <<<"$box" ||
    fail "the question does not name both values: $box"
driver answer no
wait_until 10 bash -c "! wine '$DRIVER' msgbox >/dev/null 2>&1" || fail "the question stayed open"
reg_text "$HKCU_RUN" | grep -qF '"App"="C:\\new\\app.exe"' || fail "No changed the value in Run"
reg_has "$HKCU_RUN_OFF" App || fail "No changed the value in Run-"
right_click_row App
choose_item 1
wait_msgbox >/dev/null
driver answer yes
wait_until 10 bash -c "! wine reg query '$HKCU_RUN_OFF' /v App >/dev/null 2>&1" || fail "Yes did not move App"
reg_text "$HKCU_RUN" | grep -qF '"App"="C:\\old\\app.exe --keep-me"' || fail "Yes did not replace the value in Run"
wait_until 10 bash -c "[ \"\$(wine '$DRIVER' rows | grep -c \$'^App\t')\" = 1 ]" || fail "App is listed twice after the move"

# A 32-bit entry of the machine moves within its own view, its type and data as they were.
reg_add "$HKLM32_RUN" Agent32 '%SystemRoot%\agent32.exe' REG_EXPAND_SZ
value_line() { reg_text "$1" | grep "^\"$2\"="; }  # KEY NAME
before=$(value_line "$HKLM32_RUN" Agent32 | cut -d= -f2-)
driver command Refresha
wait_until 10 bash -c "wine '$DRIVER' locations | grep -q \$'^Agent32\tMachine (32-bit)\$'" || fail "Agent32 not listed as 32-bit"
right_click_row Agent32
choose_item 2
wait_until 10 reg_has "$HKLM32_RUN_OFF" Agent32 || fail "Disable did not move Agent32 into the 32-bit Run-"
reg_has "$HKLM32_RUN" Agent32 && fail "Disable left Agent32 in the 32-bit Run"
reg_has "$HKLM_RUN_OFF" Agent32 && fail "Disable moved Agent32 into the 64-bit view"
expect_eq "Agent32 in Run-" "$before" "$(value_line "$HKLM32_RUN_OFF" Agent32 | cut -d= -f2-)"
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Agent32\t.*\tDisable\t2'" || fail "Agent32 not listed disabled"
right_click_row Agent32
choose_item 1
wait_until 10 reg_has "$HKLM32_RUN" Agent32 || fail "Enable did not bring Agent32 back into the 32-bit Run"
expect_eq "Agent32 back in Run" "$before" "$(value_line "$HKLM32_RUN" Agent32 | cut -d= -f2-)"
reg_delete "$HKLM32_RUN" Agent32

# An entry that Windows' startup settings switch off is listed disabled; Enable switches it on in those
# settings and leaves its Run value as it was, to the byte.
reg_add "$HKCU_RUN" Chat 'C:\chat\chat.exe /min'
reg_add "$HKCU_APPROVED" Chat 030000005A00000000000000 REG_BINARY
chat=$(value_line "$HKCU_RUN" Chat)
driver command Refresha
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Chat\t.*\tDisable\t2'" || fail "Chat not listed disabled"
shot switched-off
right_click_row Chat
choose_item 1
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q \$'^Chat\t.*\tEnable\t3'" || fail "Chat not listed enabled"
expect_eq "Chat's record" '"Chat"=hex:02,00,00,00,00,00,00,00,00,00,00,00' "$(value_line "$HKCU_APPROVED" Chat)"
expect_eq "Chat's Run value" "$chat" "$(value_line "$HKCU_RUN" Chat)"
reg_delete "$HKCU_RUN" Chat
driver command Refresha

# Names that are no valid text, as a hiding program writes them: "Hid", NUL, "den", and "Evil" with a
# surrogate without its partner. Shown readably; each action reaches exactly that value, and never a
# neighbour whose name a lossy conversion would make of it.
BAN='Software\Microsoft\Windows\CurrentVersion\Ban-'
nt_set HKCU "$RUN" 'Hid\u0000den' 'C:\hid\den.exe'
nt_set HKCU "$RUN" 'Evil\ud800' 'C:\evil\hidden.exe'
driver command Refresha
nul='Hid␀den' lone='Evil\uD800'
listed() { rows | cut -f1 | grep -qxF -- "$1"; }
unlisted() { ! listed "$1"; }
wait_until 10 listed "$nul" || fail "$nul is not listed: $(rows)"
rows | grep -qF "$lone"$'\tC:\\evil\\hidden.exe\tEnable' || fail "$lone is not listed: $(rows)"
shot hidden-names
neighbours() {  # none of these may ever appear
    local key name
    for key in "$RUN" "$RUN-" "$BAN"; do
        for name in Hid 'Evil\ufffd' Evil; do
            nt_get HKCU "$key" "$name" >/dev/null && fail "a neighbour $name appeared in $key"
        done
    done
    return 0
}
right_click_row "$lone"
choose_item 2
wait_until 10 nt_get HKCU "$RUN-" 'Evil\ud800' >/dev/null || fail "Disable did not move $lone"
nt_get HKCU "$RUN" 'Evil\ud800' >/dev/null && fail "Disable left $lone in Run"
right_click_row "$nul"
type_letter b
wait_until 10 nt_get HKCU "$BAN" 'Hid\u0000den' >/dev/null || fail "Ban did not move $nul"
nt_get HKCU "$RUN" 'Hid\u0000den' >/dev/null && fail "Ban left $nul in Run"
neighbours
for name in "$nul" "$lone"; do
    wait_until 10 listed "$name" || fail "$name is not listed after its move"
    right_click_row "$name"
    choose_item 4
    wait_msgbox >/dev/null
    driver answer ok
    wait_until 10 unlisted "$name" || fail "Delete kept $name"
done
nt_get HKCU "$BAN" 'Hid\u0000den' >/dev/null && fail "Delete kept $nul"
nt_get HKCU "$RUN-" 'Evil\ud800' >/dev/null && fail "Delete kept $lone"
neighbours

# A shortcut in the user's Startup folder, as installers leave them: listed with its target and
# arguments. Disable takes the file out of the folder, and the next logon does not start it; Enable puts
# the same bytes back, and the next logon starts it; Execute opens it; Delete sends it to the Recycle Bin.
startup_folders
markers item
driver shortcut "$STARTUP_WIN\\Item.lnk" "$MARKERS_WIN\\item.exe" '--from "the Startup folder"' || fail "no shortcut"
cp "$STARTUP/Item.lnk" "$WINE_RUN_DIR/item.lnk"
# The session ends, which ends Quorvel, and the next logon starts what the folder and the keys hold;
# without its own Run value Quorvel does not start hidden then, and the user starts it again.
next_logon() {
    exit_quorvel
    reg_delete "$HKLM_RUN" Quorvel
    reg_delete "$HKCU_RUN" Quorvel
    logon
    start_quorvel
    wait_window
}
item_row=$'Item\tC:\\markers\\item.exe --from "the Startup folder"\t'
driver command Refresha
wait_until 10 has_row "${item_row}Enable"$'\t3' || fail "the shortcut is not listed with its target: $(rows)"
driver locations | grep -qxF $'Item\tStartup folder' || fail "the shortcut's location: $(driver locations)"
next_logon
started_at_logon item || fail "the logon did not start the shortcut"
right_click_row Item
choose_item 2
wait_until 10 test -e "$USER_OFF/Item.lnk" || fail "Disable did not move the shortcut into $USER_OFF"
[ -e "$STARTUP/Item.lnk" ] && fail "Disable left the shortcut in the Startup folder"
wait_until 10 has_row "${item_row}Disable"$'\t2' || fail "the list does not show the shortcut disabled"
shot startup-item-disabled
next_logon
started_at_logon item && fail "the logon started the disabled shortcut"
right_click_row Item
choose_item 1
wait_until 10 test -e "$STARTUP/Item.lnk" || fail "Enable did not bring the shortcut back"
cmp -s "$STARTUP/Item.lnk" "$WINE_RUN_DIR/item.lnk" || fail "the shortcut did not come back byte for byte"
[ -e "$USER_OFF/Item.lnk" ] && fail "Enable left a copy in $USER_OFF"
next_logon
started_at_logon item || fail "the logon did not start the enabled shortcut"
grep -qF -- '--from "the Startup folder"' "$WINEPREFIX/drive_c/markers/item.exe.ran" || fail "started without its arguments"
right_click_row Item
choose_item 4
wait_msgbox >/dev/null
driver answer ok
wait_until 10 bash -c "[ ! -e '$STARTUP/Item.lnk' ]" || fail "Delete kept the shortcut"
cmp -s "$XDG_DATA_HOME/Trash/files/Item.lnk" "$WINE_RUN_DIR/item.lnk" || fail "the deleted shortcut is not in the Recycle Bin"
# Execute opens an item as Explorer would: here a script, run by the program its kind belongs to.
printf '@echo ran> C:\\markers\\script.ran\r\n' >"$STARTUP/Script.bat"
driver command Refresha
wait_until 10 bash -c "wine '$DRIVER' rows | grep -q '^Script.bat'" || fail "the script is not listed"
right_click_row Script.bat
choose_item 5
wait_msgbox >/dev/null
driver answer ok
wait_until 10 test -e "$WINEPREFIX/drive_c/markers/script.ran" || fail "Execute did not open the script"
rm -f "$STARTUP/Witness.lnk" "$STARTUP/Script.bat"
driver command Refresha
wait_until 10 bash -c "! wine '$DRIVER' rows | grep -q '^Witness'" || fail "the witness stayed listed"

# Each option click rewrites config.ini, and the list follows.
settings() { xxd -p "$config"; }
line() { printf ' %s \r\n' "$@" | xxd -p; }
expect_eq "after Ban Visible" "$(line 0 1 1 1 0)" "$(settings)"
# The menu bar by keyboard: F10's menu mode, Down opens Option, S chooses "Sorting by Name".
driver menu-bar
driver keys $VK_DOWN
wait_until 10 driver menu-open || fail "Down did not open the Option menu"
shot option-menu
type_letter s
wait_until 10 bash -c "[ \"\$(xxd -p '$config')\" = '$(line 0 1 1 1 1)' ]" || fail "sorting was not saved"
expect_eq "sorted names" "App Expand Marker Quorvel Updater" "$(rows | cut -f1 | xargs)"
driver command Sortinga
wait_until 10 bash -c "[ \"\$(xxd -p '$config')\" = '$(line 0 1 1 1 0)' ]" || fail "unsorting was not saved"
expect_eq "unsorted names" "Updater Marker Expand App Quorvel" "$(rows | cut -f1 | xargs)"
driver command EnableVisible
wait_until 10 bash -c "[ \"\$(xxd -p '$config')\" = '$(line 0 0 1 1 0)' ]" || fail "Enable Visible was not saved"
expect_eq "rows with enabled entries hidden" "" "$(rows)"
driver command ExitAfterCleaning
wait_until 10 bash -c "[ \"\$(xxd -p '$config')\" = '$(line 1 0 1 1 0)' ]" || fail "Exit After Cleaning was not saved"
exit_quorvel
echo "actions: all checks passed"
