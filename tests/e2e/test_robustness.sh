#!/usr/bin/env bash
# Long use and a hostile neighbour: a thousand rebuilds of a full list leak nothing, and another
# program rewriting the Run key without pause neither hangs nor crashes Quorvel.
source "$(dirname "$0")/lib.sh"
e2e_begin

# 1000 entries plus Quorvel's own: 1001 rows.
{
    n=0
    for key in 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run' \
               'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run-' \
               'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Ban-' \
               'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run' \
               'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run-' \
               'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Ban-'; do
        echo "[$key]"
        for i in $(seq 1 167); do
            n=$((n + 1))
            if [ $n -le 1000 ]; then echo "\"Entry $n\"=\"C:\\\\Program Files\\\\Vendor $n\\\\tool.exe /background\""; fi
        done
    done
} | reg_import

printf ' 0 \r\n 1 \r\n 1 \r\n 1 \r\n 0 \r\n' >"$APP_DIR/config.ini"
start_quorvel
wait_window
expect_eq "rows" 1001 "$(driver count)"
memory() { awk '/^VmData/ { print $2 }' "/proc/$QUORVEL_PID/status"; }
# What each row's program is fills in while the window idles, and what it learns stays: measured before
# that ends, the memory would grow by what is still to come, however sound the rebuilds.
publishers_complete() {
    local rows
    rows=$(driver publishers) || return 1
    [ "$(grep -c . <<<"$rows")" -eq 1001 ] && ! awk -F'\t' '$2 == ""' <<<"$rows" | grep -q .
}
wait_until 120 publishers_complete || fail "the Publisher column did not fill in"

# "Sorting by Name" twice per round: each click rebuilds all 1001 rows.
driver repeat-command Sortinga 100
read -r gdi_before user_before kernel_before < <(driver gui-resources)
data_before=$(memory)
start=$SECONDS
driver repeat-command Sortinga 1000
expect_eq "rows after 1000 rebuilds" 1001 "$(driver count)"
read -r gdi_after user_after kernel_after < <(driver gui-resources)
data_after=$(memory)
echo "1000 rebuilds of 1001 rows in $((SECONDS - start)) s; GDI $gdi_before -> $gdi_after, USER $user_before -> $user_after," \
    "kernel handles $kernel_before -> $kernel_after, data $data_before -> $data_after kB"
[ "$gdi_after" -le "$gdi_before" ] || fail "GDI objects grew from $gdi_before to $gdi_after"
[ "$user_after" -le "$user_before" ] || fail "USER objects grew from $user_before to $user_after"
[ "$kernel_after" -le "$kernel_before" ] || fail "kernel handles grew from $kernel_before to $kernel_after"
[ $((data_after - data_before)) -le 256 ] || fail "memory grew by $((data_after - data_before)) kB"

# Another program rewrites HKCU Run for 15 seconds while Quorvel collects on every change and on ticks.
wine "$DRIVER" churn 15 >"$WINE_RUN_DIR/churn" 2>/dev/null &
CHURNER=$!
slowest=0
while running "$CHURNER"; do
    driver tick
    ms=$(driver ping 1000) || fail "Quorvel did not answer within a second while the Run key churned"
    [ "$ms" -gt "$slowest" ] && slowest=$ms
done
wait "$CHURNER"
running "$QUORVEL_PID" || fail "Quorvel ended while the Run key churned"
echo "$(cat "$WINE_RUN_DIR/churn") registry writes by another program; slowest answer $slowest ms"
exit_quorvel
echo "robustness: all checks passed"
