# Sourced by the window tests: a scratch folder, a private Xvfb display, and the clean-up of
# everything a test started. Set test_name first; add started processes to pids.
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do
        kill -CONT "$p" 2>/dev/null || true
        pkill -KILL -P "$p" 2>/dev/null || true  # the game under `timeout`
        kill -KILL "$p" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$test_name: $*" >&2; exit 1; }

# start_xvfb FIRST_DISPLAY [WIDTHxHEIGHT]: a screen, 1280 x 1024 unless given, on a display
# number from FIRST_DISPLAY up.
start_xvfb() {
    local display=":$(($1 + $$ % 90))"
    Xvfb "$display" -screen 0 "${2:-1280x1024}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=$display
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    xwininfo -root >/dev/null 2>&1 || fail "Xvfb did not start"
}

# start_window_manager: openbox on the current display, returning once it manages windows.
# Its pid is in wm_pid, for tests that stop it again.
start_window_manager() {
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    pids+=($wm_pid)
    # The work area is the last of the properties it sets on the root window when it starts.
    for _ in $(seq 150); do xprop -root _NET_WORKAREA 2>/dev/null | grep -q '=' && return; sleep 0.1; done
    fail "openbox did not start: $(cat "$work/openbox.log")"
}
