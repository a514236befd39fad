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

# start_xvfb FIRST_DISPLAY: a 1280 x 1024 screen on a display number from FIRST_DISPLAY up.
start_xvfb() {
    local display=":$(($1 + $$ % 90))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=$display
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    xwininfo -root >/dev/null 2>&1 || fail "Xvfb did not start"
}
