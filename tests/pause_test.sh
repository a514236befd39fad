#!/usr/bin/env bash
# The pause, under Xvfb with openbox: focus taken away during play stops the game (the frame
# dimmed, no tick) until the focus is back and P is pressed, with no burst of missed ticks after
# it; P pauses and Return goes on; a minimised window pauses too. The recording replays headless to
# the window's trace. With --no-pause-on-focus-loss the game plays on without the focus.
set -euo pipefail
game=$1
close_window=$2
probe=$3
test_name="pause test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
start_openbox
open_other_window
trace=$work/trace.jsonl
rate=12  # slow: the idle chick is hit after 136 ticks, and the steps below need a few seconds of play

keys() { timeout -s KILL 5 xdotool "$@"; }
has() { grep -q "$1" "$trace"; }
count() { grep -c "$1" "$trace" || true; }
more_than() { [ "$(count "$1")" -gt "$2" ]; }
play_ticks() { count '^{"ev":"tick","timer":1,'; }
ticks_resume() { wait_until 10 more_than '^{"ev":"tick","timer":1,' "$(play_ticks)" || fail "$1"; }
ticks_of() { sed 's/.*"ticks":\([0-9]*\),.*/\1/'; }
# still_for SECONDS WHY: the trace does not grow for that long: no tick runs.
still_for() {
    local size
    size=$(file_size "$trace")
    sleep "$1"
    [ "$(file_size "$trace")" = "$size" ] || fail "$2"
}
# The paused frame: dimmed to a quarter of its light, with one line of white text in the middle.
dimmed() {
    shot "$game_id" "$work/paused.png"
    [ "$("$probe" "$work/paused.png" 0 0 392 120 max)" -le 63 ] || fail "the paused frame is not dimmed"
    [ "$("$probe" "$work/paused.png" 0 120 392 166 255 255 255)" -ge 100 ] || fail "the paused frame has no line saying so"
}

open_game "$work/game.log" --scale 1 --seed 11 --tick-rate "$rate" --trace "$trace" --record "$work/record.txt"
activate "$game_id"
keys key space
wait_until 20 has '^{"ev":"tick","timer":1,' || fail "play did not begin"

# Focus taken away while Right is held: Right comes up (marking the moment in the trace) and
# nothing runs until the focus is back and P is pressed.
keys keydown Right
wait_until 10 has '^{"ev":"keydown","code":39,' || fail "Right did not reach the game"
activate "$other_id"
wait_until 10 has '^{"ev":"keyup","code":39,' || fail "Right did not come up when the focus went away"
keys keyup Right
paused_at=$(grep '^{"ev":"keyup","code":39,' "$trace" | ticks_of)
still_for 1.5 "the game ran without the focus"
activate "$game_id"
still_for 1.5 "the game ran again before P was pressed"
dimmed
keys key p
keys keydown Down
wait_until 10 has '^{"ev":"keydown","code":40,' || fail "Down did not reach the game after P"
keys keyup Down
resumed_at=$(grep '^{"ev":"keydown","code":40,' "$trace" | ticks_of)
# Three seconds without the focus would be 36 ticks: the game goes on from where it stopped.
[ $((resumed_at - paused_at)) -lt $((rate)) ] ||
    fail "ticks ran during the pause or in a burst after it ($paused_at, then $resumed_at)"

# P pauses, Return goes on.
ticks_resume "play did not go on after Down"
keys key p
still_for 1.5 "P did not pause"
dimmed
keys key Return
ticks_resume "Return did not go on"
# Minimised, the game pauses; shown again, it waits for P.
timeout -s KILL 5 xdotool windowminimize "$game_id"
sleep 0.5
still_for 1.5 "the game ran while minimised"
activate "$game_id"
still_for 1 "the game ran again before P was pressed after being minimised"
keys key p
ticks_resume "P did not go on after the window was restored"

has '^{"ev":"msgbox"' && fail "the game ended before the test was through; it cannot tell what it checked"
has '^{"ev":"key[a-z]*","code":80,' && fail "P reached the game during play"
has '^{"ev":"key[a-z]*","code":13,' && fail "Return reached the game during the pause"
"$close_window" "$game_id"
wait_game_exit 15
[ "$game_status" -eq 0 ] || fail "the game did not end cleanly (status $game_status): $(cat "$work/game.log")"
no_sanitizer_report "$work/game.log"
check_replay "$trace" "$work/record.txt"

# Without the pause on focus loss the game plays on without the focus.
trace=$work/trace2.jsonl
open_game "$work/game2.log" --scale 1 --seed 11 --tick-rate "$rate" --no-pause-on-focus-loss --trace "$trace"
activate "$game_id"
keys key space
wait_until 20 has '^{"ev":"tick","timer":1,' || fail "play did not begin with --no-pause-on-focus-loss"
activate "$other_id"
ticks_resume "the game stopped without the focus despite --no-pause-on-focus-loss"
ticks_resume "the game stopped without the focus despite --no-pause-on-focus-loss"
"$close_window" "$game_id"
wait_game_exit 15
[ "$game_status" -eq 0 ] || fail "the game did not end cleanly (status $game_status): $(cat "$work/game2.log")"
echo "pause test: passed"
