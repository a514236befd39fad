#!/usr/bin/env bash
# The game in a real window under Xvfb: its caption and client size, the title frame equal to
# the headless frame of the same state, and a key press that starts the game.
set -euo pipefail
game=$1
compare=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "window test: $*" >&2; exit 1; }

display=":$((100 + $$ % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
xwininfo -root >/dev/null 2>&1 || fail "Xvfb did not start"

# Every step below is bounded by a hard kill, so that a stuck window fails instead of hanging.
timeout -s KILL 60 "$game" --seed 5 >"$work/game.log" 2>&1 &
pids+=($!)
id=$(timeout -s KILL 15 xdotool search --sync --name 'ver1\.20' | head -n 1) || fail "no window appeared"

info=$(xwininfo -id "$id")
grep -qF '"きっぷら-Ｘ ver1.20"' <<<"$info" || fail "wrong caption: $info"
grep -q 'Width: 392' <<<"$info" || fail "client width is not 392: $info"
grep -q 'Height: 286' <<<"$info" || fail "client height is not 286: $info"

sleep 0.5
timeout -s KILL 15 import -window "$id" "$work/title_window.png"
timeout -s KILL 15 "$game" --headless --seed 5 --screenshot "$work/title_headless.png"
"$compare" "$work/title_headless.png" "$work/title_window.png" || fail "the title in the window differs from the headless frame"

# Any key leaves the title: the transition runs and play begins on its own.
timeout -s KILL 5 xdotool key --window "$id" space
sleep 1.5
timeout -s KILL 15 import -window "$id" "$work/play_window.png"
if "$compare" "$work/title_headless.png" "$work/play_window.png" 2>/dev/null; then
    fail "the window still shows the title after a key press"
fi
kill -0 "${pids[1]}" 2>/dev/null || fail "the game ended unexpectedly: $(cat "$work/game.log")"
echo "window test: passed"
