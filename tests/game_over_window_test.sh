#!/usr/bin/env bash
# A game over in the real window under Xvfb: the modal "GAME OVER" box appears, nothing ticks
# while it is open, OK brings back the title, a key starts a second game; and closing the game
# window while the box is open ends the program cleanly.
set -euo pipefail
game=$1
compare=$2
close_window=$3
test_name="game-over window test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb 500
timeout -s KILL 15 "$game" --headless --screenshot "$work/title.png"

# Waits up to 30 s for the box and prints its window id.
find_box() {
    for _ in $(seq 300); do
        local id
        id=$(xwininfo -root -tree | awk '/"GAME OVER"/ {print $1; exit}')
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

start_game() {  # starts the game, presses a key; prints the game's pid and window id
    timeout -s KILL 30 "$game" --scale 1 --seed 11 --trace "$work/trace$1.jsonl" --record "$work/record$1.txt" \
        >"$work/game.log" 2>&1 &
    local pid=$!
    local id
    id=$(timeout -s KILL 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) || fail "no game window"
    sleep 0.3
    timeout -s KILL 5 xdotool key --window "$id" space
    echo "$pid $id"
}

# 1. Play into a game over (the idle chick is hit within a few seconds with this seed).
start_game 1 >"$work/started"; read -r pid id <"$work/started"
pids+=("$pid")
box=$(find_box) || fail "no game-over box appeared"
xwininfo -id "$box" | grep -q 'Width: 240' || fail "the box is not the expected size"
timeout -s KILL 15 import -window "$id" "$work/frozen1.png"
sleep 1
timeout -s KILL 15 import -window "$id" "$work/frozen2.png"
"$compare" "$work/frozen1.png" "$work/frozen2.png" || fail "the game moved while the box was open"
timeout -s KILL 5 xdotool key --window "$box" Return
sleep 0.5
xwininfo -root -tree | grep -q '"GAME OVER"' && fail "the box is still open after OK"
timeout -s KILL 15 import -window "$id" "$work/after.png"
"$compare" "$work/title.png" "$work/after.png" || fail "the title did not come back after OK"
# A second game starts from the title.
kill -0 "$pid" 2>/dev/null || { wait "$pid" && status=0 || status=$?; fail "the game ended after OK (status $status): $(cat "$work/game.log")"; }
timeout -s KILL 5 xdotool key --window "$id" Right
sleep 1
timeout -s KILL 15 import -window "$id" "$work/second.png"
"$compare" "$work/title.png" "$work/second.png" 2>/dev/null && fail "a key did not start a second game"
kill -0 "$pid" || fail "the game ended unexpectedly"
# Steering and firing as a player would; the trace shows what the game received.
timeout -s KILL 5 xdotool keydown --window "$id" Up
sleep 0.3
timeout -s KILL 5 xdotool keyup --window "$id" Up
timeout -s KILL 5 xdotool key --window "$id" z
sleep 0.3
"$close_window" "$id"
wait "$pid" || fail "the game did not end cleanly when its window was closed during play"
grep -q '^{"ev":"msgbox","title":"GAME OVER","text":"SCORE 0",' "$work/trace1.jsonl" || fail "no game-over record in the trace"
grep -q '^{"ev":"keydown","code":38,.*"jikidy":-7,' "$work/trace1.jsonl" || fail "Up did not steer"
grep -q '^{"ev":"keyup","code":38,.*"jikidy":0,' "$work/trace1.jsonl" || fail "releasing Up did not stop"
grep '^{"ev":"keydown","code":90,' "$work/trace1.jsonl" | grep -qv '"laserx":500,' || fail "Z did not fire"
# The recording of this game replays headless to the same trace, up to the window's last tick.
last_tick=$(grep '^{"ev":"tick"' "$work/trace1.jsonl" | tail -n 1 | sed 's/.*"ticks":\([0-9]*\),.*/\1/')
lines=$(grep -n '^{"ev":"tick"' "$work/trace1.jsonl" | tail -n 1 | cut -d: -f1)
head -n "$lines" "$work/trace1.jsonl" >"$work/window_trace.jsonl"
timeout -s KILL 30 "$game" --headless --input "$work/record1.txt" --ticks "$last_tick" --trace "$work/replayed.jsonl"
cmp -s "$work/window_trace.jsonl" "$work/replayed.jsonl" || fail "the recorded game did not replay to the same trace"


# 2. Closing the game window while the box is open ends the program cleanly.
start_game 2 >"$work/started"; read -r pid id <"$work/started"
pids+=("$pid")
find_box >/dev/null || fail "no game-over box appeared the second time"
"$close_window" "$id"
# The hard kill of start_game ends a program that does not stop (status 137).
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the program did not end cleanly when its window was closed (status $status): $(cat "$work/game.log")"
echo "game-over window test: passed"
