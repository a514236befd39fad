#!/usr/bin/env bash
# The game in a real window under Xvfb: its caption, its size at the fitting scale and at
# --scale 1 and 2, the frames in the window equal to the headless frames of the same states
# (scale 2 is the same frame doubled), a key that starts the game, and the window's own keys
# (F11, Alt+Enter) kept from the game.
set -euo pipefail
game=$1
compare=$2
replay=$3
test_name="window test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb 100

timeout -s KILL 15 "$game" --headless --screenshot "$work/title_headless.png"
timeout -s KILL 60 "$game" --headless --input "$replay" --screenshot "$work/end_headless.png"

# Every window below is bounded by a hard kill, so that a stuck window fails instead of hanging.
open_window() {  # open_window ARGS...: starts the game, waits for its window, prints pid and id
    timeout -s KILL 60 "$game" "$@" >"$work/game.log" 2>&1 &
    local pid=$!
    local id
    id=$(timeout -s KILL 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) || fail "no window appeared"
    sleep 0.5
    echo "$pid $id"
}
close_game() { pkill -KILL -P "$1" 2>/dev/null || true; kill -KILL "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; sleep 0.3; }
size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# The fitting scale: with no window manager to say how big its frame is, the window leaves room
# for a usual one (10 x 40 pixels); 1176 x 858 and that fit in 1280 x 1024.
open_window --seed 5 >"$work/w"; read -r pid id <"$work/w"
[ "$(size_of "$id")" = "1176x858" ] || fail "the window did not open at scale 3 on a 1280 x 1024 display"
grep -qF '"きっぷら-Ｘ ver1.20": ("kippura-x" "kippura-x")' < <(xwininfo -root -tree) ||
    fail "wrong caption or window class: $(xwininfo -root -tree | grep ver1)"
timeout -s KILL 15 import -window "$id" "$work/title3.png"
"$compare" "$work/title_headless.png" "$work/title3.png" 3 || fail "the title at scale 3 is not the headless frame tripled"
close_game "$pid"

# F11 and Alt+Enter belong to the window: they must not reach the game, so the title stays, and
# the window shows it whole again when back from fullscreen. Fullscreen needs a window manager.
start_openbox
open_window --seed 5 >"$work/w"; read -r pid id <"$work/w"
timeout -s KILL 5 xdotool key --window "$id" F11 alt+Return F11 alt+Return
sleep 0.5
[ "$(size_of "$id")" = "1176x858" ] || fail "the window did not come back from fullscreen at its size"
timeout -s KILL 15 import -window "$id" "$work/title3.png"
"$compare" "$work/title_headless.png" "$work/title3.png" 3 || fail "the title after fullscreen is not the headless frame tripled"
close_game "$pid"

for scale in 1 2; do
    open_window --scale "$scale" >"$work/w"; read -r pid id <"$work/w"
    expected="$((392 * scale))x$((286 * scale))"
    [ "$(size_of "$id")" = "$expected" ] || fail "--scale $scale gave $(size_of "$id")"
    timeout -s KILL 15 import -window "$id" "$work/title_window.png"
    "$compare" "$work/title_headless.png" "$work/title_window.png" "$scale" ||
        fail "the title at scale $scale differs from the headless frame"
    # Any key leaves the title: the transition runs and play begins on its own.
    timeout -s KILL 5 xdotool key --window "$id" space
    sleep 1
    timeout -s KILL 15 import -window "$id" "$work/play_window.png"
    if "$compare" "$work/title_headless.png" "$work/play_window.png" "$scale" 2>/dev/null; then
        fail "the window still shows the title after a key press"
    fi
    kill -0 "$pid" 2>/dev/null || fail "the game ended unexpectedly: $(cat "$work/game.log")"
    close_game "$pid"

    # A whole recorded game replayed in real time (fast) ends on the same frame as headless.
    open_window --scale "$scale" --tick-rate 1000 --input "$replay" >"$work/w"; read -r pid id <"$work/w"
    for _ in $(seq 200); do
        timeout -s KILL 15 import -window "$id" "$work/end_window.png"
        "$compare" "$work/end_headless.png" "$work/end_window.png" "$scale" 2>/dev/null && break
        sleep 0.1
    done
    "$compare" "$work/end_headless.png" "$work/end_window.png" "$scale" ||
        fail "the replayed game at scale $scale did not end on the headless frame"
    close_game "$pid"
done
echo "window test: passed"
