#!/usr/bin/env bash
# A game over in the real window under Xvfb. The box is drawn inside the game's window at the
# game's scale (no second window), nothing runs while it is open, Z and the arrows leave it open,
# the release of Return or a click on OK closes it and brings back the title, a key then starts a
# second game, and closing the window with the box open ends the program cleanly. Under openbox,
# a game over while another program has the keyboard leaves the keyboard with that program and
# the box waits inside the game's window. Every recording replays headless to the window's trace.
set -euo pipefail
game=$1
compare=$2
close_window=$3
probe=$4
test_name="game-over window test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
timeout -s KILL 15 "$game" --headless --screenshot "$work/title.png"

play_ticks_in() { grep -c '^{"ev":"tick","timer":1,' "$1" || true; }
playing_past() { [ "$(play_ticks_in "$2")" -gt "$1" ]; }
leaves_title() { ! shows "$1" "$work/title.png" "$2"; }
ok_centre=(196 171)  # the OK button's middle in frame pixels
# The windows on the display, top-level or not: a box of its own would add one.
all_windows() { xwininfo -root -tree | grep -o '^ *0x[0-9a-f]*' | sort; }
# The program sends keys and clicks as the X server's own input (XTEST); without a window manager
# they go to the window under the pointer, which stays on the game's window.
point_at() { timeout -s KILL 5 xdotool mousemove --window "$game_id" "$1" "$2"; }
keys() { timeout -s KILL 5 xdotool "$@"; }
ended_cleanly() {
    wait_game_exit 15
    [ "$game_status" -eq 0 ] || fail "$1 (status $game_status): $(cat "$2")"
    no_sanitizer_report "$2"
}

# 1. Scale 1, no window manager: play into a game over (the idle chick is hit within a few seconds).
open_game "$work/game1.log" --scale 1 --seed 11 --trace "$work/trace1.jsonl" --record "$work/record1.txt"
wait_until 15 shows "$game_id" "$work/title.png" 1 || fail "the title did not show"
point_at 20 20
windows_before=$(all_windows)
keys key space
wait_until 30 box_shown "$game_id" 1 || fail "no game-over box appeared"
[ "$(all_windows)" = "$windows_before" ] || fail "the game over opened a window: $(xwininfo -root -tree)"
xdotool search --name 'GAME OVER' >/dev/null 2>&1 && fail "a window is named GAME OVER"
shot "$game_id" "$work/box1.png"
box_pixels "$work/box1.png" 1 || fail "the box at scale 1 is not drawn as expected"
size=$(file_size "$work/trace1.jsonl")
# Nothing moves while it is open, and Z, the arrows and the press of Return leave it open.
sleep 1
shows "$game_id" "$work/box1.png" 1 || fail "the game moved while the box was open"
keys key z Left Right Up Down
keys keydown Return
sleep 0.5
shows "$game_id" "$work/box1.png" 1 || fail "Z, an arrow or the press of Return changed the box"
[ "$(file_size "$work/trace1.jsonl")" = "$size" ] || fail "the game ran or heard keys while the box was open"
keys keyup Return
wait_until 10 shows "$game_id" "$work/title.png" 1 || fail "the title did not come back after Return"
# A second game starts from the title, steers and fires; its game over closes with a click on OK.
play_ticks=$(play_ticks_in "$work/trace1.jsonl")
keys key Right
wait_until 10 leaves_title "$game_id" 1 || fail "a key did not start a second game"
wait_until 15 playing_past "$play_ticks" "$work/trace1.jsonl" || fail "the second game did not reach play"
keys keydown Up
sleep 0.3
keys keyup Up
keys key z
wait_until 60 box_shown "$game_id" 1 || fail "no game-over box in the second game"
# A press on OK that is let go elsewhere does not close the box.
point_at "${ok_centre[@]}"
keys mousedown 1
sleep 0.2
point_at 20 20
keys mouseup 1
sleep 0.5
box_shown "$game_id" 1 || fail "the box closed on a press on OK released outside it"
point_at "${ok_centre[@]}"
keys click 1
wait_until 10 shows "$game_id" "$work/title.png" 1 || fail "the title did not come back after a click on OK"
"$close_window" "$game_id"
ended_cleanly "the game did not end cleanly when closed on the title" "$work/game1.log"
[ "$(grep -c '^{"ev":"msgbox","title":"GAME OVER","text":"SCORE [0-9]*",' "$work/trace1.jsonl")" -eq 2 ] ||
    fail "the trace does not have the two game overs"
grep -q '^{"ev":"key[a-z]*","code":13,' "$work/trace1.jsonl" && fail "Return on the box reached the game"
grep -q '^{"ev":"keydown","code":38,.*"jikidy":-7,' "$work/trace1.jsonl" || fail "Up did not steer"
grep -q '^{"ev":"keyup","code":38,.*"jikidy":0,' "$work/trace1.jsonl" || fail "releasing Up did not stop"
[ "$(grep '^{"ev":"keydown","code":90,' "$work/trace1.jsonl" | grep -vc '"laserx":500,')" -gt 0 ] || fail "Z did not fire"
check_replay "$work/trace1.jsonl" "$work/record1.txt"

# 2. Scale 3: the same box, three times the size, where the game's frame is; OK at its scaled
# place; and the window closed while the box is open.
open_game "$work/game3.log" --scale 3 --seed 11 --trace "$work/trace3.jsonl" --record "$work/record3.txt"
wait_until 15 shows "$game_id" "$work/title.png" 3 || fail "the title did not show at scale 3"
point_at 20 20
keys key space
wait_until 30 box_shown "$game_id" 3 || fail "no game-over box appeared at scale 3"
shot "$game_id" "$work/box3.png"
box_pixels "$work/box3.png" 3 || fail "the box at scale 3 is not drawn as expected"
"$compare" "$work/box1.png" "$work/box3.png" 3 || fail "the frame with the box at scale 3 is not the one at scale 1 tripled"
point_at $((ok_centre[0] * 3)) $((ok_centre[1] * 3))
keys click 1
wait_until 10 shows "$game_id" "$work/title.png" 3 || fail "the title did not come back after a click on OK at scale 3"
point_at 20 20
keys key Right
wait_until 60 box_shown "$game_id" 3 || fail "no game-over box in the second game at scale 3"
"$close_window" "$game_id"
ended_cleanly "the game did not end cleanly when closed with the box open" "$work/game3.log"
check_replay "$work/trace3.jsonl" "$work/record3.txt"

# 3. Under openbox, another program has the keyboard when the game ends (the game keeps playing
# without the focus here, and slowly, so that the focus has moved well before the game over).
start_openbox
open_other_window
open_game "$work/game5.log" --scale 1 --seed 11 --tick-rate 16 --no-pause-on-focus-loss \
    --trace "$work/trace5.jsonl" --record "$work/record5.txt"
activate "$game_id"
keys key space
activate "$other_id"
box_shown "$game_id" 1 && fail "the game was over before the focus moved; the test cannot tell who keeps it"
wait_until 30 box_shown "$game_id" 1 || fail "no game-over box appeared while another window had the focus"
for _ in $(seq 10); do
    focused "$other_id" || fail "the game over took the focus from the other window"
    sleep 0.1
done
size=$(file_size "$work/trace5.jsonl")
keys key x
wait_until 10 grep -q 'keysym 0x78, x' "$work/other.log" || fail "the other window did not get the key typed into it"
[ "$(file_size "$work/trace5.jsonl")" = "$size" ] || fail "the game heard a key typed into the other window"
box_shown "$game_id" 1 || fail "the box did not wait inside the game's window"
activate "$game_id"
box_shown "$game_id" 1 || fail "the box was gone when the game got the focus back"
keys key Return
wait_until 10 shows "$game_id" "$work/title.png" 1 || fail "the title did not come back after Return under openbox"
"$close_window" "$game_id"
ended_cleanly "the game did not end cleanly under openbox" "$work/game5.log"
check_replay "$work/trace5.jsonl" "$work/record5.txt"
echo "game-over window test: passed"
