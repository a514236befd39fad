#!/usr/bin/env bash
# What a desktop does to the window, under Xvfb: hidden and shown again (as minimized and
# restored), focus moving away, and a stall of three seconds (the process stopped): the game
# keeps running, and after the stall it drops the missed ticks instead of running them in a burst.
set -euo pipefail
game=$1
close_window=$2
replay=$3
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
echo "desktop events test: passed"
