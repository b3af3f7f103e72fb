#!/usr/bin/env bash
# Runs Quorvel's benchmarks under Wine in a throwaway prefix on a virtual display and prints one table:
# for each measurement the median, min and max of repeated runs, the median of its floor (the least the
# system needs for the same result, measured in the same run), their ratio, the goal and PASS or MISS.
#
#   scripts/bench.sh [WINDOWS_BUILD_DIR]      (default build/win; `make bench` builds it first)
#
# QUORVEL_BENCH_RUNS sets the repetitions of the start-up measurement (7), QUORVEL_BENCH_MEMORY_RUNS
# those of the memory one (3), QUORVEL_BENCH_COMPLETE_RUNS those of the rows filling in (3),
# QUORVEL_BENCH_LATENCY_RUNS those of a returning banned value (20), QUORVEL_BENCH_ACTION_RUNS the pairs
# of Disable and Enable (10); QUORVEL_BENCH_ONLY=latency measures the latencies alone. With
# QUORVEL_BENCH_STRICT=1 a missed goal fails the run (exit status 3).
# The template prefix is made if missing, as scripts/run.sh does.
set -euo pipefail
started=$SECONDS
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/win}" && pwd)
EXE=$build/Quorvel.exe
DRIVER=$build/tests/e2e/quorvel_driver.exe
BENCH=$build/bench
SIGNED=$build/tests/signed/untrusted.exe
for program in "$EXE" "$DRIVER" "$BENCH/bare_window.exe" "$BENCH/bare_list.exe" "$BENCH/wait_window.exe" \
    "$BENCH/bench_store.exe" "$BENCH/bench_folders.exe" "$BENCH/bench_file_facts.exe" "$SIGNED"; do
    [ -f "$program" ] || { echo "missing $program: build $build first (make bench does)" >&2; exit 1; }
done
RUNS=${QUORVEL_BENCH_RUNS:-7}
MEMORY_RUNS=${QUORVEL_BENCH_MEMORY_RUNS:-3}
COMPLETE_RUNS=${QUORVEL_BENCH_COMPLETE_RUNS:-3}
LATENCY_RUNS=${QUORVEL_BENCH_LATENCY_RUNS:-20}
everything() { [ "${QUORVEL_BENCH_ONLY:-}" != latency ]; }

template=${QUORVEL_WINE_TEMPLATE:-$root/build/native/wine/template}
"$here/wine-template.sh" "$template"
export QUORVEL_WINE_TEMPLATE=$template
source "$here/wine-lib.sh"

# The seeded values, spread over HKLM Run, Run-, Ban- and HKCU Run, Run-, Ban-.
SPREAD=(250 150 100 250 151 100)
ENTRIES=0
for n in "${SPREAD[@]}"; do ENTRIES=$((ENTRIES + n)); done
# Every seeded entry is listed (config.ini below shows banned ones too), and so is the program's own Run value.
ROWS=$((ENTRIES + 1))

fail() {
    echo "bench: $*" >&2
    exit 1
}
say() { echo "bench: $*" >&2; }
driver() { wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }
# Reaps an ended program and takes it off wine_end's list, so that a later process that happens to get
# its pid is never killed by mistake.
forget() {
    wait "$1" 2>/dev/null || true
    local kept=() pid
    for pid in "${WINE_PIDS[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
    WINE_PIDS=("${kept[@]}")
}
now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# Median, min and max of numbers, one a line.
stats() { sort -g | awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%s\t%s\t%s", m, v[1], v[NR] }'; }

# The table's rows: LABEL UNIT RUNS MEDIAN MIN MAX FLOOR_MEDIAN FLOOR_MIN FLOOR_MAX GOAL, where GOAL is a
# ratio, "max:N" for a limit on the median itself, "most:N" for one every run stays under, or "-" for none.
ROWS_FILE=
add_row() { printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" "$6" >>"$ROWS_FILE"; }

wine_begin --display
ROWS_FILE=$WINE_RUN_DIR/rows.tsv
: >"$WINE_RUN_DIR/store-rows.tsv" >"$WINE_RUN_DIR/file-facts-rows.tsv" >"$WINE_RUN_DIR/counts.tsv"
: >"$ROWS_FILE"

say "seeding $ENTRIES startup values in a throwaway prefix"
APP_DIR="$WINEPREFIX/drive_c/Program Files/Quorvel"
BARE_DIR="$WINEPREFIX/drive_c/Bench"
mkdir -p "$APP_DIR" "$BARE_DIR"
cp "$EXE" "$APP_DIR/Quorvel.exe"
cp "$BENCH/bare_window.exe" "$BENCH/bare_list.exe" "$BARE_DIR/"
# Options: exit after cleaning off; enabled, disabled and banned entries visible; not sorted.
printf ' 0 \r\n 1 \r\n 1 \r\n 1 \r\n 0 \r\n' >"$APP_DIR/config.ini"

awk -v spread="${SPREAD[*]}" 'BEGIN {
    split(spread, count, " ")
    split("HKEY_LOCAL_MACHINE HKEY_LOCAL_MACHINE HKEY_LOCAL_MACHINE HKEY_CURRENT_USER HKEY_CURRENT_USER HKEY_CURRENT_USER", hive, " ")
    split("Run Run- Ban- Run Run- Ban-", leaf, " ")
    split("Backup Cloud Driver Helper Launcher Monitor Notifier Sync Tray Updater Agent Service Scheduler Assistant Indexer Audio", word, " ")
    split("Tool Daemon Manager Center Client Host Utility", kind, " ")
    printf "Windows Registry Editor Version 5.00\r\n"
    n = 0
    for (k = 1; k <= 6; k++) {
        printf "\r\n[%s\\Software\\Microsoft\\Windows\\CurrentVersion\\%s]\r\n", hive[k], leaf[k]
        for (i = 1; i <= count[k]; i++) {
            n++
            # Unique names, so that no seeded ban matches a seeded Run value; in no particular order,
            # of several lengths, some beyond ASCII.
            name = sprintf("%s %s %05d", word[1 + (n * 37) % 16], kind[1 + (n * 11) % 7], (n * 7919) % 10007)
            if (n % 50 == 0) name = name " Ünïcødé 日本"
            printf "\"%s\"=\"\\\"C:\\\\Program Files\\\\Vendor %04d\\\\agent.exe\\\" /background /delay:%d\"\r\n", name, n, n % 90
        }
    }
}' | iconv -f UTF-8 -t UTF-16 >"$WINE_RUN_DIR/seed.reg"
wine reg import "$(winepath -w "$WINE_RUN_DIR/seed.reg" 2>/dev/null)" >/dev/null 2>&1 || fail "reg import failed"
# Each value starts a program that is there, as on most machines: every other one signed (by a signer
# no one trusts), the others naming their company, each a file of its own (links to the same bytes), so
# that each is examined.
cp "$SIGNED" "$BARE_DIR/signed.exe"
for n in $(seq "$ENTRIES"); do
    folder=$(printf '%s/drive_c/Program Files/Vendor %04d' "$WINEPREFIX" "$n")
    mkdir -p "$folder"
    if [ $((n % 2)) -eq 0 ]; then ln "$BARE_DIR/signed.exe" "$folder/agent.exe"; else ln "$APP_DIR/Quorvel.exe" "$folder/agent.exe"; fi
done

if everything; then
FACTS_RUNS=5
say "what each entry's program costs to find and to examine, $FACTS_RUNS processes"
: >"$WINE_RUN_DIR/file-facts.tsv"
for _ in $(seq "$FACTS_RUNS"); do
    wine "$BENCH/bench_file_facts.exe" 'C:\Bench\signed.exe' 'C:\Program Files\Quorvel\Quorvel.exe' \
        'C:\windows\notepad.exe' 2>/dev/null | tr -d '\r' >>"$WINE_RUN_DIR/file-facts.tsv" || fail "bench_file_facts failed"
done
# As rows of the table, without a floor: per measurement the median of the processes' medians, the least
# and the most of all (the steps done once per process are timed once in each).
awk -F'\t' '$1 == "row" {
        if (!($2 in n)) { order[++count] = $2; unit[$2] = $3; low[$2] = $6; high[$2] = $7 }
        values[$2, ++n[$2]] = $5
        if ($6 < low[$2]) low[$2] = $6
        if ($7 > high[$2]) high[$2] = $7
    }
    END {
        for (i = 1; i <= count; i++) {
            label = order[i]; k = n[label]
            for (a = 1; a <= k; a++) sorted[a] = values[label, a]
            for (a = 2; a <= k; a++) for (b = a; b > 1 && sorted[b - 1] > sorted[b]; b--) { t = sorted[b]; sorted[b] = sorted[b - 1]; sorted[b - 1] = t }
            median = k % 2 ? sorted[(k + 1) / 2] : (sorted[k / 2] + sorted[k / 2 + 1]) / 2
            printf "%s\t%s\t%d\t%s\t%s\t%s\t0\t0\t0\t-\n", label, unit[label], k, median, low[label], high[label]
        }
    }' "$WINE_RUN_DIR/file-facts.tsv" >"$WINE_RUN_DIR/file-facts-rows.tsv"

say "collection, drawing and cleaning, in one process"
wine "$BENCH/bench_store.exe" --scratch-registry 2>"$WINE_RUN_DIR/bench_store.err" | tr -d '\r' >"$WINE_RUN_DIR/store.tsv" ||
    fail "bench_store failed: $(cat "$WINE_RUN_DIR/store.tsv" "$WINE_RUN_DIR/bench_store.err")"
grep -q "^row	collection of $ENTRIES entries" "$WINE_RUN_DIR/store.tsv" ||
    fail "the keys do not hold the $ENTRIES seeded values: $(head -1 "$WINE_RUN_DIR/store.tsv")"
awk -F'\t' '$1 == "row" {
    printf "%s\t%s\t%s\t%s\t%s\t%s\n", $2, $3, $4, $5 "\t" $6 "\t" $7, $8 "\t" $9 "\t" $10, $11 }' \
    "$WINE_RUN_DIR/store.tsv" >"$WINE_RUN_DIR/store-rows.tsv"
# The work one event costs: "count LABEL COUNT MOST".
awk -F'\t' '$1 == "count"' "$WINE_RUN_DIR/store.tsv" | cut -f2- >"$WINE_RUN_DIR/counts.tsv"
[ -s "$WINE_RUN_DIR/counts.tsv" ] || fail "bench_store counted no work per event"
fi

# Shortcuts in the user's Startup folder, as most machines have a few: they stay for the starts below.
FOLDER_ITEMS=20
say "collection of $FOLDER_ITEMS Startup folder shortcuts"
wine "$BENCH/bench_folders.exe" --seed "$FOLDER_ITEMS" >/dev/null 2>&1 || fail "bench_folders could not seed the Startup folder"
if everything; then
: >"$WINE_RUN_DIR/folders-first.tsv"
for _ in $(seq "$RUNS"); do
    wine "$BENCH/bench_folders.exe" --first 2>/dev/null | tr -d '\r' | awk -F'\t' '$1 == "first"' >>"$WINE_RUN_DIR/folders-first.tsv"
done
[ "$(wc -l <"$WINE_RUN_DIR/folders-first.tsv")" -eq "$RUNS" ] || fail "bench_folders --first failed"
# Made (COM, the folders' paths) and first collected in a new process: what a start of Quorvel pays.
add_row "first collection of $FOLDER_ITEMS Startup folder items" ms "$RUNS" \
    "$(awk -F'\t' '{ print $2 + $3 }' "$WINE_RUN_DIR/folders-first.tsv" | stats)" \
    "$(cut -f4 "$WINE_RUN_DIR/folders-first.tsv" | stats)" -
wine "$BENCH/bench_folders.exe" --repeated 2>/dev/null | tr -d '\r' | awk -F'\t' '$1 == "row" {
    printf "%s\t%s\t%s\t%s\t%s\t%s\n", $2, $3, $4, $5 "\t" $6 "\t" $7, $8 "\t" $9 "\t" $10, $11 }' >>"$WINE_RUN_DIR/store-rows.tsv"
fi

# Quorvel lists the shortcuts beside the keys' values; the least lists show the values alone.
QUORVEL_ROWS=$((ROWS + FOLDER_ITEMS))

# A watcher (bench/wait_window.exe) starts first and says when it is ready; then the program is started as
# a user's shell would, and the watcher reports the moment the window was shown (and, for Quorvel, its list
# held every row). Launch and sighting are both wall-clock times, so neither process's exit is counted.
LAST_MS=
# With --complete among the watch's arguments, the watcher goes on until every row of that column holds
# text, sending the window a message every few milliseconds: COMPLETE_MS is then the time from the
# launch to the last row complete, LONGEST_MS the longest the window took to answer.
COMPLETE_MS=
LONGEST_MS=
timed_start() {  # CLASS TITLE WATCH_ARGS... -- PROGRAM ARGS...
    local watch=() fifo=$WINE_RUN_DIR/watch.fifo line seen complete launched watcher seconds=30
    while [ "$1" != -- ]; do watch+=("$1"); shift; done
    shift
    [[ " ${watch[*]} " == *" --complete "* ]] && seconds=120
    rm -f "$fifo"
    mkfifo "$fifo"
    wine "$BENCH/wait_window.exe" "${watch[0]}" "${watch[1]}" "$seconds" "${watch[@]:2}" >"$fifo" 2>/dev/null &
    watcher=$!
    WINE_PIDS+=("$watcher")
    exec 6<"$fifo"
    read -r -t 30 -u 6 line || line=
    [ "${line%$'\r'}" = ready ] || fail "the watcher did not start: $line"
    launched=$(now_us)
    wine_spawn "$@"
    read -r -t 40 -u 6 seen || fail "${watch[1]} was not shown within 30 seconds"
    if [ "$seconds" = 120 ]; then
        read -r -t 130 -u 6 complete || fail "the rows of ${watch[1]} were not complete within 120 seconds"
        complete=${complete%$'\r'}
        COMPLETE_MS=$(awk -v a="$launched" -v b="${complete%%$'\t'*}" 'BEGIN { printf "%.1f", (b - a) / 1000 }')
        LONGEST_MS=$(awk -v us="$(cut -f2 <<<"$complete")" 'BEGIN { printf "%.1f", us / 1000 }')
    fi
    exec 6<&-
    forget "$watcher"
    LAST_MS=$(awk -v a="$launched" -v b="${seen%$'\r'}" 'BEGIN { printf "%.1f", (b - a) / 1000 }')
}

# The same start, watched on until every row's Publisher holds text.
complete_start() {
    timed_start QuorvelForm1 Quorvel --rows "$QUORVEL_ROWS" --complete 4 --poll 5 -- "$APP_DIR/Quorvel.exe"
    local pid=$LAST_PID
    driver command Exit >/dev/null || fail "Exit could not be sent"
    wait_until 15 ended "$pid" || fail "Quorvel did not end after Exit"
    forget "$pid"
}

quorvel_start() {
    timed_start QuorvelForm1 Quorvel --rows "$QUORVEL_ROWS" -- "$APP_DIR/Quorvel.exe"
    local pid=$LAST_PID
    # The same condition, seen by the tests' driver.
    driver visible || fail "the driver does not see Quorvel's window"
    local count
    count=$(driver count) || fail "the driver cannot count the rows"
    [ "$count" = "$QUORVEL_ROWS" ] || fail "Quorvel lists $count rows, expected $QUORVEL_ROWS"
    driver command Exit >/dev/null || fail "Exit could not be sent"
    wait_until 15 ended "$pid" || fail "Quorvel did not end after Exit"
    forget "$pid"
}

bare_start() {
    timed_start QuorvelBenchBare Bare -- "$BARE_DIR/bare_window.exe"
    local pid=$LAST_PID
    kill "$pid"
    wait_until 15 ended "$pid" || fail "the bare window did not end"
    forget "$pid"
}

# The least program that shows the same number of rows in the same list control, seen the same way;
# with --read-keys it first reads the startup keys in one pass, as Quorvel's start-up must, and shows
# one row per value found.
list_start() {  # ROWS | --read-keys
    timed_start QuorvelBenchList List --rows "$ROWS" -- "$BARE_DIR/bare_list.exe" "$1"
    local pid=$LAST_PID
    kill "$pid"
    wait_until 15 ended "$pid" || fail "the bare list did not end"
    forget "$pid"
}

if everything; then
say "start to list shown, $RUNS runs each"
# One start of each first, untimed: the executables and Wine's own libraries come into the file cache.
quorvel_start
bare_start
list_start "$ROWS"
list_start --read-keys
: >"$WINE_RUN_DIR/start-q" >"$WINE_RUN_DIR/start-b" >"$WINE_RUN_DIR/start-l" >"$WINE_RUN_DIR/start-r"
# Each round starts the four in another order, so that none always follows the same one.
orders=("q b l r" "b l r q" "l r q b" "r q b l")
for i in $(seq "$RUNS"); do
    for who in ${orders[$((i % 4))]}; do
        case $who in
            q) quorvel_start && echo "$LAST_MS" >>"$WINE_RUN_DIR/start-q" ;;
            b) bare_start && echo "$LAST_MS" >>"$WINE_RUN_DIR/start-b" ;;
            l) list_start "$ROWS" && echo "$LAST_MS" >>"$WINE_RUN_DIR/start-l" ;;
            r) list_start --read-keys && echo "$LAST_MS" >>"$WINE_RUN_DIR/start-r" ;;
        esac
    done
done
add_row "start to list shown, $QUORVEL_ROWS rows ($FOLDER_ITEMS of them Startup folder items)" ms "$RUNS" "$(stats <"$WINE_RUN_DIR/start-q")" \
    "$(stats <"$WINE_RUN_DIR/start-r")" 1.1
add_row "  (reference) against the bare window" ms "$RUNS" "$(stats <"$WINE_RUN_DIR/start-q")" \
    "$(stats <"$WINE_RUN_DIR/start-b")" -
add_row "  (reference) the least list of $ROWS rows" ms "$RUNS" "$(stats <"$WINE_RUN_DIR/start-l")" \
    "$(stats <"$WINE_RUN_DIR/start-b")" -
add_row "  (reference) the least list reading the keys" ms "$RUNS" "$(stats <"$WINE_RUN_DIR/start-r")" \
    "$(stats <"$WINE_RUN_DIR/start-b")" -

say "start until every row says who published its program, $COMPLETE_RUNS runs"
: >"$WINE_RUN_DIR/complete" >"$WINE_RUN_DIR/longest"
for i in $(seq "$COMPLETE_RUNS"); do
    complete_start
    echo "$COMPLETE_MS" >>"$WINE_RUN_DIR/complete"
    echo "$LONGEST_MS" >>"$WINE_RUN_DIR/longest"
done
add_row "start to last row complete, $QUORVEL_ROWS rows" ms "$COMPLETE_RUNS" "$(stats <"$WINE_RUN_DIR/complete")" "0	0	0" -
add_row "  longest wait for an answer meanwhile" ms "$COMPLETE_RUNS" "$(stats <"$WINE_RUN_DIR/longest")" "0	0	0" most:50

# Resident set (what Windows calls the working set) and anonymous resident memory (private bytes) of the
# Wine process, once its figures stopped moving.
memory_of() {  # PID -> "VmRSS_KB RssAnon_KB"
    local pid=$1 last= current deadline=$((SECONDS + 10))
    while [ $SECONDS -lt $deadline ]; do
        current=$(awk '/^VmRSS:/ { r = $2 } /^RssAnon:/ { a = $2 } END { print r, a }' "/proc/$pid/status")
        [ "$current" = "$last" ] && break
        last=$current
        sleep 0.2
    done
    echo "$current"
}

say "memory while hidden, $MEMORY_RUNS runs each"
: >"$WINE_RUN_DIR/mem-q" >"$WINE_RUN_DIR/mem-b"
for i in $(seq "$MEMORY_RUNS"); do
    wine_spawn "$APP_DIR/Quorvel.exe" -auto
    pid=$LAST_PID
    wait_until 30 driver tray-icon || fail "Quorvel -auto showed no notification-area icon"
    driver visible && fail "Quorvel -auto showed its window"
    memory_of "$pid" >>"$WINE_RUN_DIR/mem-q"
    driver command Exit >/dev/null || fail "Exit could not be sent"
    wait_until 15 ended "$pid" || fail "Quorvel did not end after Exit"
    forget "$pid"

    wine_spawn "$BARE_DIR/bare_window.exe" -hidden
    pid=$LAST_PID
    wine "$BENCH/wait_window.exe" QuorvelBenchBare Bare 30 --hidden >/dev/null 2>&1 ||
        driver all-windows | grep -q $'^QuorvelBenchBare\tBare\thidden' || fail "the hidden bare window did not appear"
    memory_of "$pid" >>"$WINE_RUN_DIR/mem-b"
    kill "$pid"
    wait_until 15 ended "$pid" || fail "the bare window did not end"
    forget "$pid"
done
mb() { awk -v c="$1" '{ printf "%.1f\n", $c / 1024 }'; }
add_row "memory hidden in the tray: working set" MB "$MEMORY_RUNS" "$(mb 1 <"$WINE_RUN_DIR/mem-q" | stats)" \
    "$(mb 1 <"$WINE_RUN_DIR/mem-b" | stats)" -
add_row "memory hidden in the tray: private" MB "$MEMORY_RUNS" "$(mb 2 <"$WINE_RUN_DIR/mem-q" | stats)" \
    "$(mb 2 <"$WINE_RUN_DIR/mem-b" | stats)" -
fi

# Ban enforcement latency: a banned value written back (by the driver, which then watches it) until
# Quorvel has deleted it, while Quorvel sits hidden in the notification area.
say "ban enforcement latency, $LATENCY_RUNS trials"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Ban-' /v Returning /d 'C:\r\returning.exe' /f >/dev/null 2>&1 ||
    fail "could not ban the returning value"
ban_latency() {  # ROOT OUTPUT: the value comes back into ROOT's Run and Run- in turn
    local pid i key
    wine_spawn "$APP_DIR/Quorvel.exe" -auto
    pid=$LAST_PID
    wait_until 60 driver tray-icon || fail "Quorvel -auto showed no notification-area icon"
    : >"$2"
    for i in $(seq "$LATENCY_RUNS"); do
        key='Software\Microsoft\Windows\CurrentVersion\Run'
        [ $((i % 2)) -eq 0 ] && key="$key-"
        driver write-back "$1" "$key" Returning >>"$2" || fail "a returning banned value stayed 5 s"
    done
    driver command Exit >/dev/null || fail "Exit could not be sent"
    wait_until 15 ended "$pid" || fail "Quorvel did not end after Exit"
    forget "$pid"
}
ban_latency HKCU "$WINE_RUN_DIR/latency"

# One action of the user's, Disable then Enable of one entry of the machine's short Run key, until the
# list shows its new state, the window shown. Then both measurements again with 25,000 values more in
# other keys, as a hostile installer can write them in a second.
ACTION_RUNS=${QUORVEL_BENCH_ACTION_RUNS:-10}
TOGGLE_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$TOGGLE_KEY" /v Toggle /d 'C:\toggle\toggle.exe' /f >/dev/null 2>&1 || fail "could not add the Toggle value"
action_latency() {  # ROWS OUTPUT
    local pid
    wine_spawn "$APP_DIR/Quorvel.exe"
    pid=$LAST_PID
    wait_until 60 driver visible || fail "Quorvel showed no window"
    wait_until 60 bash -c "[ \"\$(wine '$DRIVER' count 2>/dev/null | tr -d '\r')\" -ge $1 ]" || fail "Quorvel did not list $1 rows"
    : >"$2"
    for _ in $(seq "$ACTION_RUNS"); do
        driver act Toggle 2 Disable >>"$2" || fail "Disable did not show within 5 s"
        driver act Toggle 1 Enable >>"$2" || fail "Enable did not show within 5 s"
    done
    driver command Exit >/dev/null || fail "Exit could not be sent"
    wait_until 15 ended "$pid" || fail "Quorvel did not end after Exit"
    forget "$pid"
}
say "one action until the list shows it, $ACTION_RUNS times Disable and Enable"
action_latency "$QUORVEL_ROWS" "$WINE_RUN_DIR/action"

say "flooding the user's Run with 20,000 values and the machine's 32-bit Run with 5,000"
awk 'BEGIN {
    printf "Windows Registry Editor Version 5.00\r\n"
    printf "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
    for (i = 1; i <= 20000; i++) printf "\"Flood %05d\"=\"C:\\\\flood\\\\user %05d.exe /quiet\"\r\n", i, i
    printf "\r\n[HKEY_LOCAL_MACHINE\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
    for (i = 1; i <= 5000; i++) printf "\"Flood32 %05d\"=\"C:\\\\flood\\\\machine %05d.exe\"\r\n", i, i
}' | iconv -f UTF-8 -t UTF-16 >"$WINE_RUN_DIR/flood.reg"
wine reg import "$(winepath -w "$WINE_RUN_DIR/flood.reg" 2>/dev/null)" >/dev/null 2>&1 || fail "reg import of the flood failed"
FLOOD_ROWS=$((QUORVEL_ROWS + 1 + 25000))

say "ban enforcement latency with 25,000 more values, $LATENCY_RUNS trials"
ban_latency HKLM "$WINE_RUN_DIR/flood-latency"

say "one action until the list shows it with 25,000 more values, $ACTION_RUNS times Disable and Enable"
action_latency "$FLOOD_ROWS" "$WINE_RUN_DIR/flood-action"

add_row "ban enforcement latency (Run, Run-)" ms "$LATENCY_RUNS" "$(stats <"$WINE_RUN_DIR/latency")" "0	0	0" max:250
add_row "  the same, 25,000 values in other keys" ms "$LATENCY_RUNS" "$(stats <"$WINE_RUN_DIR/flood-latency")" "0	0	0" max:100
add_row "one action shown in the list (Disable, Enable)" ms "$((2 * ACTION_RUNS))" "$(stats <"$WINE_RUN_DIR/action")" "0	0	0" max:100
add_row "  the same, 25,000 values in other keys" ms "$((2 * ACTION_RUNS))" "$(stats <"$WINE_RUN_DIR/flood-action")" "0	0	0" max:100

size_kb=$(awk -v b="$(stat -c %s "$EXE")" 'BEGIN { printf "%.0f", b / 1024 }')
bare_kb=$(awk -v b="$(stat -c %s "$BENCH/bare_window.exe")" 'BEGIN { printf "%.0f", b / 1024 }')
add_row "Quorvel.exe size" KB 1 "$size_kb	$size_kb	$size_kb" "$bare_kb	$bare_kb	$bare_kb" max:1024
imports=$(x86_64-w64-mingw32-objdump -p "$EXE" | awk '/DLL Name:/ { print $3 }' | tr 'A-Z' 'a-z' | sort -u)
foreign=$(grep -vxE '(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|ole32|oleaut32|shlwapi|uxtheme|version|msvcrt|ucrtbase|ntdll|api-ms-win-[a-z0-9-]+)\.dll' \
    <<<"$imports" || true)

echo
echo "Quorvel benchmarks: $(nproc) x $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo), $(wine --version 2>/dev/null)"
echo "median of the runs; floor = the least the system needs for the same result, measured in the same run"
cat "$WINE_RUN_DIR/store-rows.tsv" "$ROWS_FILE" "$WINE_RUN_DIR/file-facts-rows.tsv" | awk -F'\t' '
    function num(x) { return x + 0 }
    BEGIN {
        printf "%-44s %4s %10s %10s %10s %10s %6s %8s  %s\n", "measurement", "runs", "median", "min", "max", "floor", "ratio", "goal", "result"
        bad = 0
    }
    {
        unit = $2; ratio = num($7) > 0 ? num($4) / num($7) : 0
        if ($10 ~ /^max:/) { limit = substr($10, 5); goal = "<=" limit " " unit; ok = num($4) <= num(limit) }
        else if ($10 ~ /^most:/) { limit = substr($10, 6); goal = "all<" limit; ok = num($6) < num(limit) }
        else if ($10 == "-") { goal = "-"; ok = -1 }
        else { goal = "<=" $10; ok = ratio <= num($10) }
        result = ok < 0 ? "report" : (ok ? "PASS" : "MISS")
        if (ok == 0) bad++
        printf "%-44s %4s %10s %10s %10s %10s %6.2f %8s  %s\n", $1, $3, sprintf("%.1f %s", $4, unit), sprintf("%.1f %s", $5, unit), sprintf("%.1f %s", $6, unit), sprintf("%.1f %s", $7, unit), ratio, goal, result
    }
    END { exit bad > 0 }' && all_met=1 || all_met=0
echo
echo "work per event (counted in bench_store, with the program's own watch, message loop and settling time)"
awk -F'\t' '
    BEGIN { printf "%-52s %6s %6s  %s\n", "event", "count", "most", "result"; bad = 0 }
    { ok = $2 + 0 <= $3 + 0; if (!ok) bad++; printf "%-52s %6s %6s  %s\n", $1, $2, $3, ok ? "PASS" : "MISS" }
    END { exit bad > 0 }' "$WINE_RUN_DIR/counts.tsv" && counts_met=1 || counts_met=0
echo
echo "Quorvel.exe imports: $(tr '\n' ' ' <<<"$imports")-> $([ -z "$foreign" ] && echo "system DLLs only: PASS" || echo "not a system DLL: $(tr '\n' ' ' <<<"$foreign")MISS")"
echo "start-up floor: bare_list.exe --read-keys (one pass over the startup keys, then a v6 list of as many" \
    "rows); references: bare_window.exe and bare_list.exe without the reading; size floor: bare_window.exe;" \
    "memory floor: bare_window.exe -hidden; bench took $((SECONDS - started)) s"
if [ "$all_met" != 1 ] || [ "$counts_met" != 1 ] || [ -n "$foreign" ]; then
    echo "some goals were missed"
    [ "${QUORVEL_BENCH_STRICT:-0}" != 1 ] || exit 3
fi
