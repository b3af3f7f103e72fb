#!/usr/bin/env bash
# Collection of the startup keys of both views, the list as a person sees it with Windows' own startup
# switches and with what each entry starts (a missing file greyed, who published the others), and bans
# enforced at start and at every tick of the cleaning timer, on names whatever their letter case and on
# names that are no valid text; and Quorvel idle once a pass has nothing left to do.
source "$(dirname "$0")/lib.sh"
e2e_begin

RUN='Software\Microsoft\Windows\CurrentVersion\Run'
reg_import <<EOF_REG
[HKEY_LOCAL_MACHINE\\$RUN]
"EVIL"="C:\\\\case\\\\variant.exe"
"Expand"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,\\
  6e,00,6f,00,74,00,65,00,70,00,61,00,64,00,2e,00,65,00,78,00,65,00,00,00
"Empty"=hex(1):

[HKEY_LOCAL_MACHINE\\$RUN-]
"OffLM"="C:\\\\off\\\\lm.exe /quiet"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Ban-]
"Nag"="C:\\\\nag\\\\nag.exe"

[HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]
"Agent32"="C:\\\\x86\\\\agent.exe"
"Nag"="C:\\\\nag\\\\nag32.exe"

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run]
"Chat"=hex:03,00,00,00,5a,00,00,00,00,00,00,00

[HKEY_CURRENT_USER\\$RUN]
"Chat"="C:\\\\chat\\\\chat.exe"
"Nag"="C:\\\\nag\\\\nag.exe"
"Signed"="\\"C:\\\\Signed\\\\untrusted.exe\\" /tray"
"Ünïcødé 日本 entry"="C:\\\\prix €\\\\run.exe"

[HKEY_CURRENT_USER\\$RUN-]
"Nag"="C:\\\\nag\\\\nag.exe -disabled"

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Ban-]
"BanCU"="C:\\\\ban\\\\cu.exe"
"Evil"="C:\\\\evil.exe"
EOF_REG
reg_has "$HKCU_RUN" Nag || fail "seeding failed"
# A program signed with a certificate no one trusts.
mkdir -p "$WINEPREFIX/drive_c/Signed"
cp "$QUORVEL_WIN_BUILD/tests/signed/untrusted.exe" "$WINEPREFIX/drive_c/Signed/"

start_quorvel
wait_window

# Banned under HKEY_LOCAL_MACHINE, deleted from Run and Run- of HKEY_CURRENT_USER and from the machine's
# 32-bit Run.
reg_has "$HKLM32_RUN" Nag && fail "banned Nag still in the 32-bit HKLM Run"
reg_has "$HKCU_RUN" Nag && fail "banned Nag still in HKCU Run"
reg_has "$HKCU_RUN_OFF" Nag && fail "banned Nag still in HKCU Run-"
reg_has "$HKLM_BAN" Nag || fail "the ban itself was deleted"
# Windows looks names up without their letter case, and so does a ban.
reg_has "$HKLM_RUN" EVIL && fail "EVIL, banned as Evil, was not deleted at start"
reg_has "$HKLM_RUN" Empty || fail "the value without data was deleted"

# Wine enumerates each key in name order; the list shows the table from its last entry up.
# Chat stands in Run, but Windows' startup settings switch it off: it is listed as disabled.
expected=$'Ünïcødé 日本 entry\tC:\\prix €\\run.exe\tEnable\t3
Signed\t"C:\\Signed\\untrusted.exe" /tray\tEnable\t3
Chat\tC:\\chat\\chat.exe\tDisable\t2
Agent32\tC:\\x86\\agent.exe\tEnable\t3
OffLM\tC:\\off\\lm.exe /quiet\tDisable\t2
Quorvel\t"C:\\Program Files\\Quorvel\\Quorvel.exe" -auto\tEnable\t3
Expand\t%SystemRoot%\\notepad.exe\tEnable\t3'
expect_eq "rows" "$expected" "$(rows)"
expect_eq "locations" "User
User
User, switched off in Windows' Startup settings
Machine (32-bit)
Machine
Machine
Machine" "$(driver locations | cut -f2)"

# Who published each entry's program fills in after the rows; a file signed by a signer no one trusts
# never reads as verified, and the company Quorvel.exe names is not verified either.
publishers=$'Ünïcødé 日本 entry\tFile not found
Signed\tQuorvel Test Signer (signature not trusted)
Chat\tFile not found
Agent32\tFile not found
OffLM\tFile not found
Quorvel\tQuorvel (not verified)
Expand\t'
wait_publishers() {
    wait_until 20 bash -c '[ "$(wine "$0" publishers 2>/dev/null | tr -d "\r")" = "$1" ]' "$DRIVER" "$publishers" ||
        expect_eq "publishers" "$publishers" "$(driver publishers)"
}
wait_publishers
shot list
# The rows of missing files are drawn grey, the others in the text colour: the darkest pixel of a row.
darkest() {
    local x y
    read -r x y < <(driver row-point "$(row_of "$1")")
    convert "$ARTIFACTS/$TEST_NAME-list.png" -crop "500x9+$((x - 90))+$((y - 4))" -colorspace gray \
        -format '%[fx:int(255*minima)]' info:
}
[ "$(darkest Signed)" -lt 64 ] || fail "the row of an existing file is not in the text colour: $(darkest Signed)"
[ "$(darkest Chat)" -ge 96 ] || fail "the row of a missing file is not grey: $(darkest Chat)"

# A banned name written back is gone again (at once, through the registry's change notification, or at
# the latest with the next tick of the cleaning timer), and the list follows.
reg_add "$HKCU_RUN" Nag 'C:\nag\nag.exe'
reg_add "$HKLM_RUN_OFF" Nag 'C:\nag\nag.exe'
driver tick
wait_until 10 bash -c "! wine reg query '$HKCU_RUN' /v Nag >/dev/null 2>&1" || fail "Nag came back and stayed"
reg_has "$HKLM_RUN_OFF" Nag && fail "Nag came back into HKLM Run- and stayed"
expect_eq "rows after the tick" "$expected" "$(rows)"
# Written back in another letter case while Quorvel runs: gone within a second.
ms=$(driver write-back HKLM 'Software\Microsoft\Windows\CurrentVersion\Run' EVIL) || fail "EVIL came back and stayed"
[ "$ms" -le 1000 ] || fail "EVIL stayed $ms ms"

# What Quorvel costs while nothing happens: the CPU time of 10 idle seconds.
idle_ticks() {
    local before
    before=$(cpu_ticks "$QUORVEL_PID")
    sleep 10
    echo $(($(cpu_ticks "$QUORVEL_PID") - before))
}
quiet=$(idle_ticks)
exit_quorvel

# A banned name that is no valid text, "Evil" and a surrogate without its partner: deleted at start, it
# leaves Quorvel as idle as before. Read with lossy names, it was never found and its cleaning ran on
# and on.
nt_set HKCU "$RUN" 'Evil\ud800' 'C:\evil\hidden.exe'
nt_set HKCU 'Software\Microsoft\Windows\CurrentVersion\Ban-' 'Evil\ud800' 'C:\evil\hidden.exe'
start_quorvel
wait_window
nt_get HKCU "$RUN" 'Evil\ud800' >/dev/null && fail "the banned Evil\uD800 stayed in Run"
nt_get HKCU 'Software\Microsoft\Windows\CurrentVersion\Ban-' 'Evil\ud800' >/dev/null || fail "its ban was deleted"
nt_get HKCU "$RUN" 'Evil\ufffd' >/dev/null && fail "a neighbour of Evil\uD800 was written"
wait_publishers
busy=$(idle_ticks)
echo "CPU ticks over 10 idle seconds: $quiet, with a banned Evil\uD800 deleted at start: $busy"
[ "$busy" -le $((quiet + 10)) ] || fail "Quorvel is busy after the pass: $busy ticks against $quiet"

exit_quorvel

# The Startup folders beside the keys: a shortcut by its target and arguments, any other file by its path,
# neither desktop.ini nor what a sub-folder holds; an item Windows' settings switch off is listed
# disabled, and one of a banned name (banned under another root, in another letter case) is deleted.
startup_folders
driver shortcut "$STARTUP_WIN\\Sync Tool.lnk" 'C:\Program Files\Sync\sync.exe' '--tray "two  blanks"' ||
    fail "no shortcut"
printf '@echo off\r\n' >"$STARTUP/run.bat"
printf '[.ShellClassInfo]\r\n' >"$STARTUP/desktop.ini"
mkdir -p "$STARTUP/Sub"
cp "$STARTUP/Sync Tool.lnk" "$STARTUP/Sub/Inner.lnk"
driver shortcut "$COMMON_STARTUP_WIN\\NAG.lnk" 'C:\nag\nag.exe' || fail "no shortcut"
reg_add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\StartupFolder' run.bat \
    030000005A00000000000000 REG_BINARY
start_quorvel
wait_window
[ -e "$COMMON_STARTUP/NAG.lnk" ] && fail "the banned NAG.lnk stayed in the Startup folder of all users"
[ -e "$STARTUP/desktop.ini" ] || fail "desktop.ini was touched"
has_row $'Sync Tool\t"C:\\Program Files\\Sync\\sync.exe" --tray "two  blanks"\tEnable\t3' ||
    fail "the shortcut is not listed by its target and arguments: $(rows)"
has_row "run.bat"$'\t'"\"$STARTUP_WIN\\run.bat\""$'\tDisable\t2' || fail "run.bat is not listed: $(rows)"
driver locations | grep -qxF $'run.bat\tStartup folder, switched off in Windows\' Startup settings' ||
    fail "run.bat's location: $(driver locations)"
rows | grep -q '^desktop.ini\|^Inner\|^NAG' && fail "listed what Windows does not start: $(rows)"
shot startup-folder
exit_quorvel
echo "collection: all checks passed"
