# Shared by every script that runs Windows code under Wine: one throwaway prefix and one virtual
# display per run, both ended by what started them, also when the run fails. Source it; do not run it.
#
#   wine_begin [--display]   copy the template prefix, start its server (and an Xvfb display)
#   wine_end                 end the program(s), the server and the display; remove the prefix
#
# QUORVEL_WINE_TEMPLATE names the template prefix (made by scripts/wine-template.sh).

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

WINE_PIDS=()
XVFB_PID=
WINE_RUN_DIR=

start_display() {
    local fdfile="$WINE_RUN_DIR/display"
    # -displayfd picks a free display number and tells us which once the server is ready.
    exec 5>"$fdfile"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    exec 5>&-
    local deadline=$((SECONDS + 20))
    while [ ! -s "$fdfile" ]; do
        [ $SECONDS -lt $deadline ] || { echo "Xvfb did not start" >&2; return 1; }
        sleep 0.05
    done
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
}

wine_begin() {
    local template=${QUORVEL_WINE_TEMPLATE:?QUORVEL_WINE_TEMPLATE is not set}
    [ -d "$template" ] || { echo "no Wine template prefix at $template" >&2; return 1; }
    WINE_RUN_DIR=$(mktemp -d "${QUORVEL_WINE_RUNS:-$(dirname "$template")}/run.XXXXXX")
    trap wine_end EXIT
    # Wine keeps its Recycle Bin (and the menu entries it makes) in the desktop's data folder: each run
    # gets its own, so that nothing a test recycles outlives it.
    export XDG_DATA_HOME="$WINE_RUN_DIR/data"
    trap 'exit 130' INT TERM
    if [ "${1:-}" = --display ]; then start_display; else unset DISPLAY; fi
    cp -a "$template" "$WINE_RUN_DIR/prefix"
    export WINEPREFIX="$WINE_RUN_DIR/prefix"
    # The persistent server must come before any other wine call; the warm-up makes later calls cheap.
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1 || true
}

# Starts a Windows program in the background and remembers its pid for wine_end.
wine_spawn() {
    wine "$@" >>"$WINE_RUN_DIR/programs.log" 2>&1 &
    WINE_PIDS+=($!)
    LAST_PID=$!
}

wine_end() {
    local rc=$?
    set +e
    local pid
    for pid in "${WINE_PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    [ -n "$WINE_RUN_DIR" ] && [ -z "${QUORVEL_KEEP_RUN:-}" ] && rm -rf "$WINE_RUN_DIR"
    trap - EXIT
    exit $rc
}

# Polls a command until it succeeds or the deadline (seconds) passes.
wait_until() {
    local timeout=$1
    shift
    local deadline=$((SECONDS + timeout))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}
