#!/usr/bin/env bash
# The live watch: a banned entry written back by another program goes at once, bursts are handled
# while the window keeps answering, newcomers are announced while hidden, and idling costs nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin

# Writes a value as another program would and prints how long it took Quorvel to delete it.
write_back_latency() {  # ROOT PATH NAME [MOST_MS [--recreate]]
    local ms
    ms=$(driver write-back "$1" "$2" "$3" "${5:-}") || fail "$3 written into $1\\$2 was still there after 5 seconds"
    [ "$ms" -le "${4:-2000}" ] || fail "$3 written into $1\\$2 stayed for $ms ms"
    echo "$ms"
}
RUN_PATH='Software\Microsoft\Windows\CurrentVersion\Run'
OFF_PATH='Software\Microsoft\Windows\CurrentVersion\Run-'
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

BAN='Software\Microsoft\Windows\CurrentVersion\Ban-'
{
    echo "[HKEY_LOCAL_MACHINE\\$BAN]"
    echo '"Nag"="C:\\nag\\nag.exe"'
    echo "[HKEY_CURRENT_USER\\$BAN]"
    for i in $(seq -w 1 50); do echo "\"Junk$i\"=\"C:\\\\junk\\\\$i.exe\""; done
} | reg_import

start_quorvel
wait_window
echo "HKCU Run: deleted after $(write_back_latency HKCU "$RUN_PATH" Nag) ms"
echo "HKLM Run-: deleted after $(write_back_latency HKLM "$OFF_PATH" Nag) ms"
echo "HKLM 32-bit Run: deleted after $(write_back_latency HKLM32 "$RUN_PATH" Nag 1000) ms"
# A key deleted and created again with a banned name in it stays watched, however often and fast.
for round in 1 2 3 4 5; do
    echo "HKCU Run deleted and created again ($round): deleted after $(write_back_latency HKCU "$RUN_PATH" Nag 1000 --recreate) ms"
done
for round in 1 2 3; do
    echo "HKLM Run- deleted and created again ($round): deleted after $(write_back_latency HKLM "$OFF_PATH" Nag 1000 --recreate) ms"
done

# The Startup folder is watched like the keys: a new item is listed within a second, and a banned one
# dropped there is gone as fast, also once the folder was deleted and made again.
startup_folders
markers nag
ms=$(driver drop-listed "$STARTUP_WIN\\Newcomer.lnk" "$MARKERS_WIN\\newcomer.exe" Newcomer) ||
    fail "a new Startup folder item was not listed within 5 seconds"
echo "Startup folder: a new item listed after $ms ms"
[ "$ms" -le 1000 ] || fail "the new item took $ms ms to be listed"
rm -f "$STARTUP/Newcomer.lnk"
drop_latency() {
    local ms
    ms=$(driver drop-shortcut "$STARTUP_WIN\\Nag.lnk" "$MARKERS_WIN\\nag.exe") ||
        fail "the banned Nag.lnk dropped into the Startup folder was still there after 5 seconds"
    [ "$ms" -le 1000 ] || fail "the banned Nag.lnk stayed $ms ms"
    echo "$ms"
}
echo "Startup folder: a banned shortcut deleted after $(drop_latency) ms"
for round in 1 2 3; do
    wine cmd /c rmdir /s /q "$STARTUP_WIN" >/dev/null 2>&1 || fail "the Startup folder could not be deleted"
    # Wine finishes deleting a watched folder only once the watch lets go, at Quorvel's next pass, where
    # Windows tells the watch at once: a tick stands in for that pass.
    driver tick
    wait_until 10 wine cmd /c mkdir "$STARTUP_WIN" >/dev/null 2>&1 || fail "the Startup folder could not be made again"
    echo "Startup folder deleted and made again ($round): a banned shortcut deleted after $(drop_latency) ms"
done

# Fifty values at once, while a message sent to the window must come back within a second.
(
    while :; do
        wine "$DRIVER" ping 1000 >>"$WINE_RUN_DIR/pings" 2>/dev/null || echo "no answer" >>"$WINE_RUN_DIR/pings"
    done
) &
PINGER=$!
{
    echo "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]"
    for i in $(seq -w 1 50); do echo "\"Junk$i\"=\"C:\\\\junk\\\\$i.exe\""; done
} | reg_import
junk_left() { reg_text "$HKCU_RUN" | grep -c '^"Junk' || true; }
wait_until 10 bash -c "[ \"\$(wine reg query '$HKCU_RUN' 2>/dev/null | grep -c Junk)\" = 0 ]" ||
    fail "$(junk_left) of 50 banned values were still there after 10 seconds"
kill "$PINGER"
wait "$PINGER" 2>/dev/null || true
grep -q "no answer" "$WINE_RUN_DIR/pings" && fail "the window did not answer within a second during the burst"
echo "burst of 50: $(wc -l <"$WINE_RUN_DIR/pings") pings answered, slowest $(sort -n "$WINE_RUN_DIR/pings" | tail -1) ms"
exit_quorvel

# Hidden after a logon start: banned names still go at once, and a newcomer is announced.
start_quorvel -auto
wait_until 30 tray_icon || fail "no tray icon after an automatic start"
echo "hidden, HKCU Run: deleted after $(write_back_latency HKCU "$RUN_PATH" Nag) ms"
echo "hidden, HKLM 32-bit Run: deleted after $(write_back_latency HKLM32 "$RUN_PATH" Nag 1000) ms"
reg_add "$HKCU_RUN" Newcomer 'C:\new\newcomer.exe /tray'
wait_until 10 driver class-visible tooltips_class32 || fail "no balloon announced the new entry"
shot balloon
driver visible && fail "the announcement showed the window"

echo "hidden, Startup folder: a banned shortcut deleted after $(drop_latency) ms"

# Idle, the program sleeps until something changes: no CPU time over 30 seconds.
before=$(cpu_ticks "$QUORVEL_PID")
idle_until=$((SECONDS + 30))
while [ $SECONDS -lt $idle_until ]; do sleep 1; done
after=$(cpu_ticks "$QUORVEL_PID")
echo "CPU time over 30 idle seconds: $((after - before)) clock ticks"
[ $((after - before)) -le 1 ] || fail "the idle program used $((after - before)) clock ticks of CPU time"

# The session ends and the next logon starts Quorvel hidden again, from its own Run value, with what the
# Startup folder holds: the banned shortcut is not among them, and one dropped now goes again.
logon
started_at_logon nag && fail "the logon started the banned shortcut"
wait_until 30 tray_icon || fail "the logon did not start Quorvel hidden"
echo "hidden after the logon, Startup folder: a banned shortcut deleted after $(drop_latency) ms"
exit_quorvel
echo "live watch: all checks passed"
