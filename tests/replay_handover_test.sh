#!/usr/bin/env bash
# A replay in the window hands over to the player, under Xvfb with openbox: while it runs, a red
# REPLAY mark shows and the keyboard is kept out (its game-over boxes close by themselves); once
# its events are played, the keyboard drives: the last box waits for the player, Return brings
# back the title and a key starts a new game. Escape ends a replay at once. The window's
# recording (the replayed keys and the player's) replays headless to the window's trace.
set -euo pipefail
game=$1
compare=$2
probe=$3
replay=$4
close_window=$5
test_name="replay handover test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
start_openbox
timeout -s KILL 15 "$game" --headless --screenshot "$work/title.png"

keys() { timeout -s KILL 5 xdotool "$@"; }
has() { grep -q "$1" "$trace"; }
more_than() { [ "$(grep -c "$1" "$trace" || true)" -gt "$2" ]; }
no_mark() { ! replay_mark "$1" "$2"; }
leaves_title() { ! shows "$game_id" "$work/title.png" 1; }
end_game() {
    "$close_window" "$game_id"
    wait_game_exit 15
    [ "$game_status" -eq 0 ] || fail "the game did not end cleanly (status $game_status): $(cat "$1")"
    no_sanitizer_report "$1"
}

# 1. The whole replay, fast: two games whose boxes close by themselves, and a third that the
# replay leaves while it runs.
trace=$work/trace1.jsonl
open_game "$work/game1.log" --scale 1 --tick-rate 1000 --input "$replay" --trace "$trace" --record "$work/record1.txt"
activate "$game_id"
wait_until 30 no_mark "$game_id" 1 || fail "the REPLAY mark did not go when the replay ended"
wait_until 30 box_shown "$game_id" 1 || fail "the third game did not end in a box"
sleep 1.5
box_shown "$game_id" 1 || fail "the box closed by itself after the replay had handed over"
[ "$(grep -c '^{"ev":"msgbox"' "$trace")" -eq 3 ] || fail "the replay did not play three games"
keys key Return
wait_until 10 shows "$game_id" "$work/title.png" 1 || fail "Return did not bring back the title after the replay"
openings=$(grep -c '^{"ev":"tick","timer":2,' "$trace")
keys key Right
wait_until 10 leaves_title || fail "a key did not start a new game after the replay"
wait_until 10 more_than '^{"ev":"tick","timer":2,' "$openings" || fail "the new game's opening did not run"
end_game "$work/game1.log"
# After the replay's last game over, the player's Right is the first key and opens a new game.
tail -n "+$(grep -n '^{"ev":"msgbox"' "$trace" | sed -n 3p | cut -d: -f1)" "$trace" | grep -E '^{"ev":"(keydown|tick)' |
    grep -v '^{"ev":"tick","timer":1,' | sed -n 1,2p | cut -d, -f1-2 >"$work/handover.txt"
printf '%s\n' '{"ev":"keydown","code":39' '{"ev":"tick","timer":2' >"$work/handover_expected.txt"
cmp "$work/handover_expected.txt" "$work/handover.txt" >&2 || fail "the new game did not start from the player's key"
check_replay "$trace" "$work/record1.txt"

# 2. Escape hands over at once (the replay at a slow rate, so that it is still in its first game).
trace=$work/trace2.jsonl
open_game "$work/game2.log" --scale 1 --tick-rate 16 --input "$replay" --trace "$trace" --record "$work/record2.txt"
activate "$game_id"
wait_until 10 replay_mark "$game_id" 1 || fail "no REPLAY mark during the replay"
keys key a
keys key Escape
wait_until 10 no_mark "$game_id" 1 || fail "the REPLAY mark did not go after Escape"
keys keydown Down
wait_until 10 has '^{"ev":"keydown","code":40,' || fail "the keyboard did not drive after Escape"
keys keyup Down
wait_until 30 box_shown "$game_id" 1 || fail "the first game did not end in a box"
sleep 1.5
box_shown "$game_id" 1 || fail "the box closed by itself after Escape had ended the replay"
keys key space
wait_until 10 shows "$game_id" "$work/title.png" 1 || fail "Space did not bring back the title"
end_game "$work/game2.log"
has '^{"ev":"key[a-z]*","code":65,' && fail "a key pressed during the replay reached the game"
has '^{"ev":"key[a-z]*","code":27,' && fail "Escape reached the game"
has '^{"ev":"key[a-z]*","code":39,' && fail "the replay went on after Escape"
has '^{"ev":"keyup","code":40,' || fail "Down did not come up in the game"
check_replay "$trace" "$work/record2.txt"
echo "replay handover test: passed"
