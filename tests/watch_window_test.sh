#!/usr/bin/env bash
# Watching the whole-game replay in the window, under Xvfb with openbox: paused, each seek (a
# tenth, Home, End, 5 seconds back and on) and each step shows in the window exactly the headless
# screenshot of the tick its title names, with that tick's score; at 2x the title's tick runs on
# with the REPLAY mark. Escape while paused takes over: the player's keys play from that tick, P
# pauses, and the recording (the replay's events up to the take-over, then the player's) replays
# headless to the window's trace. Once a seek has passed the replay's last event, a key is the
# player's and the game runs on from there.
#   watch_window_test.sh GAME PNG_COMPARE PNG_PROBE REPLAY X11_CLOSE
set -euo pipefail
game=$1
compare=$2
probe=$3
replay=$4
close_window=$5
test_name="watch window test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
start_openbox

end=$(timeout -s KILL 30 "$game" --verify "$replay" | sed -n 's/^seed [0-9]*, \([0-9]*\) ticks,.*/\1/p')
[ -n "$end" ] || fail "--verify did not tell where the replay ends"
rate=64  # the default tick rate: a Left or Right is 320 ticks
keys() { timeout -s KILL 5 xdotool "$@"; }
title() { timeout -s KILL 5 xdotool getwindowname "$game_id"; }
title_starts() { [[ "$(title)" == "$1"* ]]; }
title_tick() { title | sed -n 's/^REPLAY [^|]* | tick \([0-9]*\) of .*/\1/p'; }
lines() { wc -l <"$trace"; }
has() { grep -q "$1" "$trace"; }
still_for() {
    local size
    size=$(file_size "$trace")
    sleep "$1"
    [ "$(file_size "$trace")" = "$size" ] || fail "$2"
}
end_game() {
    "$close_window" "$game_id"
    wait_game_exit 15
    [ "$game_status" -eq 0 ] || fail "the game did not end cleanly (status $game_status): $(cat "$1")"
    no_sanitizer_report "$1"
}
# at TICK WHAT: after WHAT the window is paused at TICK: its title says so with the score of the
# headless replay cut there, and it shows that replay's screenshot pixel for pixel (no mark).
at() {
    local t=$1
    timeout -s KILL 30 "$game" --headless --input "$replay" --ticks "$t" --screenshot "$work/at.png" \
        --trace "$work/at.jsonl"
    local score
    score=$(tail -n 1 "$work/at.jsonl" | sed 's/.*"score":\([0-9]*\).*/\1/')
    local want="REPLAY paused | tick $t of $end | score $score | "
    wait_until 5 title_starts "$want" || fail "after $2 the title is '$(title)', not '$want...'"
    [ "$(title_tick)" = "$t" ] || fail "after $2 the title's tick is not $t"
    wait_until 5 shows "$game_id" "$work/at.png" 1 ||
        fail "after $2 the window does not show the headless screenshot of tick $t"
}

# 1. Seeks and steps while paused, 2x, and a take-over while paused.
trace=$work/trace.jsonl
open_game "$work/game.log" --scale 1 --input "$replay" --trace "$trace" --record "$work/record.txt"
activate "$game_id"
wait_until 10 replay_mark "$game_id" 1 || fail "no REPLAY mark while the replay plays"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause: the title is '$(title)'"
paused=$(title_tick)
at "$paused" "Space"
keys key 5
half=$((end * 5 / 10))
at "$half" "5"
keys key period
at $((half + 1)) "a step"
keys key period
at $((half + 2)) "a second step"
keys key Left
at $((half + 2 - 5 * rate)) "Left"
keys key Right
at $((half + 2)) "Right"
keys key Home
at 0 "Home"
keys key period
at 1 "a step from the start"
keys key 4
seek=$((end * 4 / 10))
at "$seek" "4"
from=$(lines)  # the trace from here is the played game's, tick after tick
has '^{"ev":"key[a-z]*","code":190,' && fail "'.' reached the game"

# 2x: the title's tick runs on, with the mark, at twice the tick rate. It is paused again some
# 250 ticks on, where the player's keys below keep the chick alive for seconds.
keys key Up
keys key space
wait_until 5 title_starts "REPLAY 2x | " || fail "Up and Space did not play on at 2x: the title is '$(title)'"
replay_mark "$game_id" 1 || fail "no REPLAY mark while playing at 2x"
reached() { [ "$(title_tick)" -ge "$1" ] 2>/dev/null; }
wait_until 5 reached $((seek + 1)) || fail "at 2x the title's tick stayed at $seek"
first=$(title_tick) first_at=$EPOCHREALTIME
wait_until 10 reached $((seek + 233)) || fail "at 2x the title's tick did not reach $((seek + 233))"
second=$(title_tick) second_at=$EPOCHREALTIME
# Twice 64 ticks a second; the title follows four times a second.
per_second=$(awk -v t=$((second - first)) -v a="$first_at" -v b="$second_at" 'BEGIN { printf "%d", t / (b - a) }')
[ "$per_second" -ge 90 ] && [ "$per_second" -le 170 ] ||
    fail "at 2x the title's tick went from $first to $second at $per_second ticks a second"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause at 2x: the title is '$(title)'"
taken=$(title_tick)
at "$taken" "Space at 2x"

# Escape while paused: the player's, playing from that tick at the normal speed.
keys key Escape
wait_until 5 title_starts "きっぷら" || fail "the title is not the game's after Escape: '$(title)'"
played=$(grep -c '^{"ev":"tick"' "$trace")
keys keydown Up
wait_until 5 has '^{"ev":"keydown","code":38,' || fail "Up did not reach the game after Escape"
sleep 0.3
keys keyup Up
keys keydown z
sleep 0.1
keys keyup z
keys keydown Right
sleep 0.3
keys keyup Right
wait_until 5 has '^{"ev":"keyup","code":39,' || fail "the player's Right did not come up in the game"
[ "$(grep -c '^{"ev":"tick"' "$trace")" -gt $((played + 20)) ] || fail "the game did not run on after the take-over"
replay_mark "$game_id" 1 && fail "the REPLAY mark shows after the take-over"
has '^{"ev":"msgbox"' && fail "the game ended before the test was through; it cannot tell what it checked"
keys key p
sleep 0.2
still_for 1 "P did not pause the game after the take-over"
has '^{"ev":"key[a-z]*","code":27,' && fail "Escape reached the game"
has '^{"ev":"key[a-z]*","code":80,' && fail "P reached the game"
end_game "$work/game.log"

# The recording: the replay's events before the take-over tick, then none stamped before it.
grep -E '^[0-9]+ (down|up) ' "$replay" | awk -v t="$taken" '$1 < t' >"$work/replay_before.txt"
grep -E '^[0-9]+ (down|up) ' "$work/record.txt" | awk -v t="$taken" '$1 < t' >"$work/record_before.txt"
[ -s "$work/replay_before.txt" ] || fail "no replayed event before tick $taken"
cmp "$work/replay_before.txt" "$work/record_before.txt" >&2 ||
    fail "the recording does not start with the replay's events up to the take-over at $taken"
grep -q '^[0-9]* down 90$' "$work/record.txt" || fail "the player's z is not in the recording"
# Replayed headless, it gives the window's trace from the last seek (ticks played one by one)
# through the take-over to the last tick.
last_line=$(grep -n '^{"ev":"tick"' "$trace" | tail -n 1 | cut -d: -f1)
last_tick=$(sed -n "${last_line}p" "$trace" | sed 's/.*"ticks":\([0-9]*\),.*/\1/')
sed -n "$((from + 1)),${last_line}p" "$trace" >"$work/window_part.jsonl"
timeout -s KILL 60 "$game" --headless --input "$work/record.txt" --ticks "$last_tick" --trace "$work/replayed.jsonl" ||
    fail "the headless replay of the recording failed"
start=$(grep -n '^{"ev":"tick","timer":[0-9]*,"ticks":'"$seek"',' "$work/replayed.jsonl" | head -n 1 | cut -d: -f1)
[ -n "$start" ] || fail "the headless replay has no tick $seek"
tail -n "+$((start + 1))" "$work/replayed.jsonl" >"$work/replayed_part.jsonl"
cmp "$work/window_part.jsonl" "$work/replayed_part.jsonl" >&2 ||
    fail "the recording did not replay to the window's trace from tick $seek to $last_tick"

# 2. End: the game's last tick, the staff roll ended.
trace=$work/trace2.jsonl
open_game "$work/game2.log" --scale 1 --input "$replay" --trace "$trace"
activate "$game_id"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause the second run"
keys key End
at "$end" "End"
end_game "$work/game2.log"

# 3. Past the replay's last event a key is the player's: the game runs on from there.
trace=$work/trace3.jsonl
open_game "$work/game3.log" --scale 1 --input "$replay" --trace "$trace" --record "$work/record3.txt"
activate "$game_id"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause the third run"
keys key 9
nine=$((end * 9 / 10))
at "$nine" "9"
keys keydown Left
wait_until 5 title_starts "きっぷら" || fail "the title is not the game's after the player's first key: '$(title)'"
wait_until 5 has '^{"ev":"tick","timer":[0-9]*,"ticks":'"$((nine + 10))"',' ||
    fail "the game stood still after the player's first key past the replay's end"
keys keyup Left
end_game "$work/game3.log"
grep -q "^$nine down 37\$" "$work/record3.txt" || fail "the player's Left is not in the recording at tick $nine"
echo "$test_name: passed"
