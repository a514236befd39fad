#!/usr/bin/env bash
# Keys are never stuck, under Xvfb with openbox and keys typed as the X server's own input: a key
# let go while Alt is held still reaches the game, and when the window loses the keyboard (another
# window is activated, or the game's window is minimised) every key the game holds comes up at
# once; keys pressed with Alt or Super held stay out of the game. The recording replays headless
# to the window's trace.
set -euo pipefail
game=$1
close_window=$2
test_name="held keys test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
start_openbox
open_other_window
trace=$work/trace.jsonl

keys() { timeout -s KILL 5 xdotool "$@"; }
has() { grep -q "$1" "$trace"; }
count() { grep -c "$1" "$trace" || true; }
more_than() { [ "$(count "$1")" -gt "$2" ]; }
# A slow tick rate leaves the idle chick many seconds before it is hit: every step below happens
# in the first game's play.
open_game "$work/game.log" --scale 1 --seed 11 --tick-rate 8 --trace "$trace" --record "$work/record.txt"
activate "$game_id"
keys key space
wait_until 20 has '^{"ev":"tick","timer":1,' || fail "play did not begin"

# Down pressed, Alt pressed, Down released, Alt released: the game hears Down go up and the chick stops.
keys keydown Down
wait_until 10 has '^{"ev":"keydown","code":40,' || fail "Down did not reach the game"
keys keydown alt
keys keyup Down
keys keyup alt
wait_until 10 has '^{"ev":"keyup","code":40,' || fail "the release of Down with Alt held did not reach the game"
grep -q '^{"ev":"keyup","code":40,.*"jikidy":0,' "$trace" || fail "the chick did not stop when Down came up"
up_line=$(grep -n '^{"ev":"keyup","code":40,' "$trace" | cut -d: -f1)
stopped_at=$(sed -n "${up_line}p" "$trace" | sed 's/.*"jikiy":\([-0-9]*\),.*/\1/')
ticks_then=$(count '^{"ev":"tick","timer":1,')
wait_until 10 more_than '^{"ev":"tick","timer":1,' $((ticks_then + 2)) || fail "play stopped after Down"
tail -n "+$up_line" "$trace" | grep '^{"ev":"tick","timer":1,' | sed -n 1,3p >"$work/after_down.jsonl"
[ "$(grep -c "\"jikiy\":$stopped_at,\"jikidx\":0,\"jikidy\":0," "$work/after_down.jsonl")" -eq 3 ] ||
    fail "the chick kept moving after Down came up: $(cut -c1-120 "$work/after_down.jsonl")"

# Keys pressed with Alt or Super held belong to the desktop: Alt+Z and Super+Up stay out of the game.
keys keydown alt
keys key z
keys keyup alt
keys keydown super
keys key Up
keys keyup super
# Focus taken away while Right is held: the game hears Right come up, and pauses.
keys keydown Right
wait_until 10 has '^{"ev":"keydown","code":39,' || fail "Right did not reach the game"
activate "$other_id"
wait_until 10 has '^{"ev":"keyup","code":39,' || fail "Right did not come up in the game when the focus went away"
keys keyup Right  # into the other window: the game has nothing more to hear of it
activate "$game_id"
keys key p
wait_until 10 more_than '^{"ev":"tick","timer":1,' "$(count '^{"ev":"tick","timer":1,')" || fail "P did not resume"
# The window minimised while Down is held: Down comes up too.
keys keydown Down
wait_until 10 more_than '^{"ev":"keydown","code":40,' 1 || fail "Down did not reach the game the second time"
timeout -s KILL 5 xdotool windowminimize "$game_id"
wait_until 10 more_than '^{"ev":"keyup","code":40,' 1 || fail "Down did not come up when the window was minimised"
keys keyup Down
activate "$game_id"
keys key Return
wait_until 10 more_than '^{"ev":"tick","timer":1,' "$(count '^{"ev":"tick","timer":1,')" || fail "Return did not resume"

"$close_window" "$game_id"
wait_game_exit 15
[ "$game_status" -eq 0 ] || fail "the game did not end cleanly (status $game_status): $(cat "$work/game.log")"
no_sanitizer_report "$work/game.log"
has '^{"ev":"key[a-z]*","code":90,' && fail "Alt+Z reached the game"
has '^{"ev":"key[a-z]*","code":38,' && fail "Super+Up reached the game"
[ "$(count '^{"ev":"keyup","code":39,')" -eq 1 ] || fail "Right came up more than once"
has '^{"ev":"msgbox"' && fail "the game ended before the test was through; it cannot tell what it checked"
check_replay "$trace" "$work/record.txt"
echo "held keys test: passed"
