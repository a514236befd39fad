#!/usr/bin/env bash
# What a desktop does to the window, under Xvfb: hidden and shown again (as minimized and
# restored), focus moving away, and a stall of three seconds (the process stopped): the game
# keeps running, and after the stall it drops the missed ticks instead of running them in a burst.
# Then the window taken away by another program (destroyed, or its client killed): the game ends
# at once with status 1 and one line, not Xlib's screenful.
set -euo pipefail
game=$1
close_window=$2
replay=$3
destroy_window=$4
test_name="desktop events test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb 900

"$game" --scale 1 --stats --input "$replay" >/dev/null 2>"$work/stats.txt" &
pid=$!
pids+=("$pid")
id=$(timeout -s KILL 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) || fail "no window appeared"
sleep 1
timeout -s KILL 5 xdotool windowunmap "$id"
sleep 0.5
timeout -s KILL 5 xdotool windowmap "$id"
timeout -s KILL 5 xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ {print $4}')" || true
sleep 0.5
kill -STOP "$pid"
sleep 3
kill -CONT "$pid"
sleep 1.5
kill -0 "$pid" 2>/dev/null || fail "the game did not survive"
"$close_window" "$id"
timeout -s KILL 10 tail --pid="$pid" -f /dev/null || fail "the game did not end when closed"
wait "$pid" || fail "the game ended with an error: $(cat "$work/stats.txt")"

cat "$work/stats.txt"
dropped=$(sed -n 's/.*ticks dropped after stalls: \([0-9]*\).*/\1/p' "$work/stats.txt")
late=$(sed -n 's/.*late ticks (over one period): \([0-9]*\);.*/\1/p' "$work/stats.txt")
[ -n "$dropped" ] && [ "$dropped" -ge 150 ] || fail "the stall's missed ticks were not dropped ($dropped)"
# Only the few catch-up ticks right after the stall are late.
[ -n "$late" ] && [ "$late" -le 6 ] || fail "$late ticks were late"

# ends_with_one_line WHAT PATTERN COMMAND...: starts a game, plays a moment, runs COMMAND with the
# window's id appended, and expects status 1 within a second with one line on stderr.
ends_with_one_line() {
    local what=$1 pattern=$2
    shift 2
    "$game" --scale 1 --seed 5 >/dev/null 2>"$work/err" &
    local pid=$!
    pids+=("$pid")
    local id
    id=$(timeout -s KILL 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) || fail "no window appeared"
    sleep 0.3
    timeout -s KILL 5 xdotool key --window "$id" space
    sleep 0.5
    local start ms status
    start=$(date +%s%N)
    "$@" "$id" >/dev/null
    for _ in $(seq 500); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
    ms=$((($(date +%s%N) - start) / 1000000))
    kill -0 "$pid" 2>/dev/null && fail "$what: the game did not end"
    wait "$pid" && status=0 || status=$?
    [ "$status" -eq 1 ] || fail "$what: status $status: $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: not one line on stderr: $(cat -A "$work/err")"
    grep -Eq "$pattern" "$work/err" || fail "$what: unexpected line: $(cat "$work/err")"
    [ "$ms" -le 1000 ] || fail "$what: ended after $ms ms"
    echo "$what: status 1 after $ms ms: $(cat "$work/err")"
}
ends_with_one_line "window destroyed" '^kippura-x: the display refused a request \(BadDrawable' "$destroy_window"
ends_with_one_line "client killed" '^kippura-x: lost the connection to the display$' xkill -id
echo "desktop events test: passed"
