#!/usr/bin/env bash
# quorvelc under Wine, read the way a script reads it (standard output piped, exit codes): list --json
# parsed and compared with the registry, what each entry starts (and with --verify who published it),
# each action and its exit code, clean --check then clean, save then restore --check and restore. And
# what it is made of: system DLLs only.
source "$(dirname "$0")/lib.sh"
e2e_begin

CLI=$QUORVEL_WIN_BUILD/quorvelc.exe
# Runs quorvelc; its standard output in $OUT (bytes as written), standard error in $ERR, exit code in $CODE.
qc() {
    set +e
    wine "$CLI" "$@" >"$WINE_RUN_DIR/qc.out" 2>"$WINE_RUN_DIR/qc.err"
    CODE=$?
    set -e
    OUT=$(cat "$WINE_RUN_DIR/qc.out")
    ERR=$(cat "$WINE_RUN_DIR/qc.err")
}
expect_code() {  # CODE ARGS...
    local want=$1
    shift
    qc "$@"
    [ "$CODE" = "$want" ] || fail "quorvelc $* exited $CODE, expected $want: $OUT $ERR"
}

imports=$(x86_64-w64-mingw32-objdump -p "$CLI" | awk '/DLL Name:/ { print tolower($3) }' | sort -u | xargs)
expect_eq "quorvelc's imports" "advapi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll shlwapi.dll" "$imports"

RUN='Software\Microsoft\Windows\CurrentVersion\Run'
reg_import <<EOF_REG
[HKEY_LOCAL_MACHINE\\$RUN]
"Tool"="C:\\\\tools\\\\tool.exe /quiet"
"Twin"="C:\\\\machine\\\\twin.exe"
"Self"="\\"C:\\\\Program Files\\\\Quorvel\\\\Quorvel.exe\\" -auto"
[HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]
"Agent32"="\\"C:\\\\Program Files (x86)\\\\Agent\\\\agent.exe\\" --tray"
[HKEY_CURRENT_USER\\$RUN]
"Ünïcødé 日本 entry"="C:\\\\prix €\\\\run.exe"
"Twin"="C:\\\\user\\\\twin.exe"
"Nag"="C:\\\\nag\\\\nag.exe"
"Signed"="C:\\\\Signed\\\\untrusted.exe /tray"
[HKEY_CURRENT_USER\\$RUN-]
"Off"="off.exe"
EOF_REG
# A program signed with a certificate no one trusts.
mkdir -p "$WINEPREFIX/drive_c/Signed"
cp "$QUORVEL_WIN_BUILD/tests/signed/untrusted.exe" "$WINEPREFIX/drive_c/Signed/"

# A shortcut in the user's Startup folder, beside the keys.
startup_folders
driver shortcut "$STARTUP_WIN\\Sync.lnk" 'C:\Program Files\Sync\sync.exe' '--tray "two  blanks"' || fail "no shortcut"
cp "$STARTUP/Sync.lnk" "$WINE_RUN_DIR/sync.lnk"

# The JSON holds every value of the startup keys, exactly, as the registry exports them, and the
# shortcut where it stands.
expect_code 0 list --json
for key in "$HKLM_RUN" "$HKLM_RUN_OFF" "$HKLM_BAN" "$HKLM32_RUN" "$HKLM32_RUN_OFF" "$HKLM32_BAN" \
    "$HKCU_RUN" "$HKCU_RUN_OFF" "$HKCU_BAN"; do
    { reg_text "$key" || true; } | KEY=$key awk '/^"/ { print ENVIRON["KEY"] "\t" $0 }'
done >"$WINE_RUN_DIR/exported"
STARTUP_WIN="$STARTUP_WIN" python3 - "$WINE_RUN_DIR/qc.out" "$WINE_RUN_DIR/exported" <<'EOF_PY' || fail "the JSON does not match the registry"
import json, os, sys
everything = json.load(open(sys.argv[1], encoding="utf-8"))
items = [e for e in everything if e["view"] == "folder"]
assert [(e["name"], e["state"], e["root"], e["key"], e["type"], e["command"], e["file_name"]) for e in items] == [
    ("Sync", "enabled", "Startup", os.environ["STARTUP_WIN"], "shortcut",
     '"C:\\Program Files\\Sync\\sync.exe" --tray "two  blanks"', "Sync.lnk")], items
listed = [e for e in everything if e["view"] != "folder"]
def unescape(text):
    return text.replace('\\"', '"').replace("\\\\", "\\")
exported = set()
for line in open(sys.argv[2], encoding="utf-8"):
    key, value = line.rstrip("\n").split("\t", 1)
    name, data = value.split('"="', 1)
    key = key.replace("HKLM", "HKEY_LOCAL_MACHINE").replace("HKCU", "HKEY_CURRENT_USER").replace("Software", "SOFTWARE")
    exported.add((key, unescape(name[1:]), unescape(data[:-1])))
seen = {(e["key"], e["name"], e["command"]) for e in listed}
if seen != exported:
    print("only listed:", seen - exported, "only exported:", exported - seen)
    sys.exit(1)
agent = [e for e in listed if e["name"] == "Agent32"][0]
assert (agent["root"], agent["view"], agent["state"], agent["type"]) == ("HKEY_LOCAL_MACHINE", "32-bit", "enabled", "REG_SZ"), agent
assert any(e["name"] == "Ünïcødé 日本 entry" and e["command"] == "C:\\prix €\\run.exe" for e in listed)
EOF_PY

# What each entry starts and whether that file is there, always; who published it and whether its
# signature holds, only with --verify, as reading every file takes time.
expect_code 0 list --json --verify
python3 - "$WINE_RUN_DIR/qc.out" <<'EOF_PY' || fail "list --json --verify: wrong facts of the programs"
import json, sys
listed = {e["name"]: e for e in json.load(open(sys.argv[1], encoding="utf-8"))}
def facts(name):
    return tuple(listed[name][field] for field in ("file", "file_exists", "publisher", "signature"))
assert facts("Self") == ("C:\\Program Files\\Quorvel\\Quorvel.exe", True, "Quorvel (not verified)", "none"), facts("Self")
assert facts("Signed") == ("C:\\Signed\\untrusted.exe", True, "Quorvel Test Signer (signature not trusted)",
                           "not trusted"), facts("Signed")
assert facts("Tool") == ("C:\\tools\\tool.exe", False, "", "unknown"), facts("Tool")
EOF_PY
expect_code 0 list --csv
grep -qF $'file,file_exists,publisher,signature\r' <<<"$OUT" || fail "list --csv: no columns of the programs: $OUT"
grep -qF $',C:\\Signed\\untrusted.exe,true,not checked,not checked\r' <<<"$OUT" || fail "list --csv verified unasked: $OUT"
expect_code 0 list --verify
grep -qF 'Quorvel Test Signer (signature not trusted)' <<<"$OUT" || fail "the table shows no publisher: $OUT"

# Each action once, with its exit code.
expect_code 2 disable Nothing
expect_code 2 ban Twin
grep -qF 'HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' <<<"$ERR" || fail "the ambiguous name's places were not listed: $ERR"
expect_code 0 ban Twin --user
reg_has "$HKCU_BAN" Twin || fail "ban Twin --user did not ban it"
reg_has "$HKLM_RUN" Twin || fail "ban Twin --user touched the machine's Twin"
expect_code 0 delete Twin --machine
expect_code 0 disable Agent32 --32
reg_has "$HKLM32_RUN_OFF" Agent32 || fail "disable --32 did not move Agent32 within the 32-bit view"
expect_code 0 enable Off
reg_has "$HKCU_RUN" Off || fail "enable Off did not move it"
expect_code 0 delete Tool
reg_has "$HKLM_RUN" Tool && fail "delete Tool left it"
expect_code 2 frob

# The shortcut disabled and enabled from the console: out of the folder and back, byte for byte.
expect_code 0 disable Sync --folder
[ -e "$STARTUP/Sync.lnk" ] && fail "disable Sync --folder left it in the Startup folder"
cmp -s "$USER_OFF/Sync.lnk" "$WINE_RUN_DIR/sync.lnk" || fail "disable Sync --folder did not move it into $USER_OFF"
expect_code 0 enable Sync.lnk
cmp -s "$STARTUP/Sync.lnk" "$WINE_RUN_DIR/sync.lnk" || fail "enable Sync.lnk did not bring it back byte for byte"
# An item of all users' folder (Wine's user is an administrator) goes into the folder Quorvel makes for
# administrators alone, which the next collection trusts.
driver shortcut "$COMMON_STARTUP_WIN\\Backup.lnk" 'C:\backup\backup.exe' '/quiet' || fail "no shortcut"
expect_code 0 disable Backup --machine --folder
[ -e "$COMMON_OFF/Backup.lnk" ] || fail "disable Backup --machine --folder did not move it into $COMMON_OFF"
expect_code 0 list
[ -z "$ERR" ] || fail "the folder of all users' disabled items was not trusted: $ERR"
grep -q '^Backup  *disabled  *Startup folder (all users)  *shortcut' <<<"$OUT" || fail "Backup is not listed disabled: $OUT"
expect_code 0 enable Backup
[ -e "$COMMON_STARTUP/Backup.lnk" ] || fail "enable Backup did not bring it back"

# The detect-and-fix pair of the bans.
expect_code 0 ban Nag
expect_code 0 clean --check
reg_add "$HKLM32_RUN" Nag 'C:\nag\nag.exe'  # back, as a program that reinstalls itself writes it
expect_code 1 clean --check
grep -qF 'Nag' <<<"$OUT" || fail "clean --check did not name the value: $OUT"
reg_has "$HKLM32_RUN" Nag || fail "clean --check deleted something"
expect_code 0 clean
reg_has "$HKLM32_RUN" Nag && fail "clean left the banned value"

# And of a whole startup list.
mkdir -p "$WINEPREFIX/drive_c/lists"
expect_code 0 save 'C:\lists\all.stu'
[ -s "$WINEPREFIX/drive_c/lists/all.stu" ] || fail "save wrote no file"
expect_code 0 restore 'C:\lists\all.stu' --check
before=$(reg_text "$HKCU_RUN" | grep '^"Ünïcødé')
reg_delete "$HKCU_RUN" 'Ünïcødé 日本 entry'
expect_code 1 restore 'C:\lists\all.stu' --check
grep -qF 'Ünïcødé 日本 entry' <<<"$OUT" || fail "restore --check did not name the difference: $OUT"
rm "$STARTUP/Sync.lnk"
expect_code 1 restore 'C:\lists\all.stu' --check
grep -qF "$STARTUP_WIN: Sync: missing" <<<"$OUT" || fail "restore --check did not name the missing shortcut: $OUT"
expect_code 0 restore 'C:\lists\all.stu'
expect_eq "the restored value" "$before" "$(reg_text "$HKCU_RUN" | grep '^"Ünïcødé')"
expect_code 0 list --csv
grep -qF 'Sync,enabled,false,Startup,folder,'"$STARTUP_WIN"',shortcut,"""C:\Program Files\Sync\sync.exe"" --tray ""two  blanks""",Sync.lnk' <<<"$OUT" ||
    fail "the restored shortcut does not start the same target with the same arguments: $OUT"
expect_code 0 restore 'C:\lists\all.stu' --check
printf ' 2 \r\nA\r\n' >"$WINEPREFIX/drive_c/lists/cut.stu"
expect_code 2 restore 'C:\lists\cut.stu'
# A count that leaves entries out is damage too: a check must not call a damaged baseline compliant.
printf ' 0 \r\nA\r\n-2147483647 \r\n 3 \r\na.exe\r\nB\r\n-2147483647 \r\n 3 \r\nb.exe\r\n' \
    >"$WINEPREFIX/drive_c/lists/zero.stu"
expect_code 2 restore 'C:\lists\zero.stu' --check
grep -qF 'line 2' <<<"$ERR" || fail "restore --check did not say where the list is damaged: $ERR"

# Another program writes to the same Run key all the while (values added and deleted by index): every
# one of 300 moves still finds its entry once, and says so.
reg_add "$HKCU_RUN" Steady 'C:\steady\steady.exe'
wine_spawn "$DRIVER" churn 600
writer=$LAST_PID
for round in $(seq 150); do
    for verb in disable enable; do
        qc "$verb" Steady --user
        [ "$CODE" = 0 ] || fail "round $round: quorvelc $verb Steady exited $CODE: $OUT $ERR"
    done
done
kill "$writer"
wait "$writer" 2>/dev/null || true
reg_has "$HKCU_RUN" Steady || fail "Steady is not back in Run"
echo "cli: all checks passed"
