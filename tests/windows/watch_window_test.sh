#!/usr/bin/env bash
# Watching the whole-game replay in kippura-x.exe's window under wine and Xvfb (no window
# manager), as tests/watch_window_test.sh does in the SDL window: paused, each seek and step shows
# in the client area exactly the headless screenshot of the tick the title names, with that tick's
# score; 2x runs at twice the rate with the REPLAY mark; Escape while paused hands over, the
# player's keys play and P pauses; the recording starts with the replay's events and replays
# headless on Linux to the window's trace. End shows the game's last tick; past the replay's last
# event a key is the player's and the game runs on.
#   watch_window_test.sh BUILD_WINDOWS LINUX_BINARY PNG_COMPARE PNG_PROBE REPLAY
set -euo pipefail
test_name="Windows watch window test"
source "$(dirname "$0")/wine_common.sh" "$1"
game=$2  # the Linux program: the headless screenshots and replays to compare with
compare=$3
probe=$4
replay=$5

start_xvfb
wine_start "$windows_build"  # after the display is up: wine's desktop takes its size
end=$(timeout -s KILL 30 "$game" --verify "$replay" | sed -n 's/^seed [0-9]*, \([0-9]*\) ticks,.*/\1/p')
[ -n "$end" ] || fail "--verify did not tell where the replay ends"
rate=64  # the default tick rate: a Left or Right is 320 ticks

keys() { timeout -s KILL 5 xdotool "$@"; }
title() { timeout -s KILL 5 xdotool getwindowname "$game_id"; }
title_starts() { [[ "$(title)" == "$1"* ]]; }
title_tick() { title | sed -n 's/^REPLAY [^|]* | tick \([0-9]*\) of .*/\1/p'; }
reached() { [ "$(title_tick)" -ge "$1" ] 2>/dev/null; }
has() { grep -q "$1" "$trace"; }
still_for() {
    local size
    size=$(file_size "$trace")
    sleep "$1"
    [ "$(file_size "$trace")" = "$size" ] || fail "$2"
}
# open_win LOG ARGS...: starts the game under wine at scale 1 and waits for its window; sets
# game_pid and game_id, and where its client area lies on the screen (cx, cy): wine's frame has
# equal borders left, right and below, and the title bar on top.
open_win() {
    local log=$1
    shift
    timeout -s KILL 90 "$wine_loader" "$exe" --scale 1 "$@" >"$log" 2>&1 &
    game_pid=$!
    pids+=("$game_pid")
    game_id=$(timeout -s KILL 30 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) ||
        fail "no game window: $(cat "$log")"
    local x y w h
    eval "$(xwininfo -id "$game_id" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
                                            /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
    local border=$(((w - 392) / 2))
    local top=$((h - 286 - border))
    [ "$border" -ge 0 ] && [ "$border" -le 16 ] && [ "$top" -gt "$border" ] && [ "$top" -le 60 ] ||
        fail "a ${w}x${h} window does not hold a client area of 392x286 in a frame"
    cx=$((x + border))
    cy=$((y + top))
}
client_shot() { timeout -s KILL 15 import -window root -crop "392x286+$cx+$cy" +repage "$1"; }
shows() { client_shot "$work/now.png" && "$compare" "$1" "$work/now.png" 1 2>/dev/null; }
mark_shown() {
    client_shot "$work/mark_now.png" && [ "$("$probe" "$work/mark_now.png" 300 0 392 20 160 0 0)" -gt 50 ]
}
ended_with_0() {
    wait_game_exit 20
    [ "$game_status" -eq 0 ] || fail "$1 (status $game_status): $(cat "$2")"
}
# at TICK WHAT: after WHAT the window is paused at TICK: its title says so with the score of the
# headless replay cut there, and its client area shows that replay's screenshot exactly.
at() {
    local t=$1
    timeout -s KILL 30 "$game" --headless --input "$replay" --ticks "$t" --screenshot "$work/at.png" \
        --trace "$work/at.jsonl"
    local score
    score=$(tail -n 1 "$work/at.jsonl" | sed 's/.*"score":\([0-9]*\).*/\1/')
    local want="REPLAY paused | tick $t of $end | score $score | "
    wait_until 5 title_starts "$want" || fail "after $2 the title is '$(title)', not '$want...'"
    [ "$(title_tick)" = "$t" ] || fail "after $2 the title's tick is not $t"
    wait_until 5 shows "$work/at.png" || fail "after $2 the window does not show the headless screenshot of tick $t"
}

# 1. Seeks and steps while paused, 2x, and a take-over while paused.
trace=$work/trace.jsonl
open_win "$work/game.log" --input "$replay" --trace "$trace" --record "$work/record.txt"
wait_until 15 mark_shown || fail "no REPLAY mark while the replay plays"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause: the title is '$(title)'"
at "$(title_tick)" "Space"
half=$((end * 5 / 10))
keys key 5
at "$half" "5"
keys key period
at $((half + 1)) "a step"
keys key Left
at $((half + 1 - 5 * rate)) "Left"
keys key Right
at $((half + 1)) "Right"
keys key Home
at 0 "Home"
keys key period
at 1 "a step from the start"
seek=$((end * 4 / 10))
keys key 4
at "$seek" "4"
from=$(wc -l <"$trace")  # the trace from here is the played game's, tick after tick

# 2x up to some 250 ticks on, where the player's keys below keep the chick alive for seconds.
keys key Up
keys key space
wait_until 5 title_starts "REPLAY 2x | " || fail "Up and Space did not play on at 2x: the title is '$(title)'"
mark_shown || fail "no REPLAY mark while playing at 2x"
wait_until 5 reached $((seek + 1)) || fail "at 2x the title's tick stayed at $seek"
first=$(title_tick) first_at=$EPOCHREALTIME
wait_until 10 reached $((seek + 233)) || fail "at 2x the title's tick did not reach $((seek + 233))"
second=$(title_tick) second_at=$EPOCHREALTIME
per_second=$(awk -v t=$((second - first)) -v a="$first_at" -v b="$second_at" 'BEGIN { printf "%d", t / (b - a) }')
[ "$per_second" -ge 90 ] && [ "$per_second" -le 170 ] ||
    fail "at 2x the title's tick went from $first to $second at $per_second ticks a second"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause at 2x: the title is '$(title)'"
taken=$(title_tick)
at "$taken" "Space at 2x"

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
mark_shown && fail "the REPLAY mark shows after the take-over"
has '^{"ev":"msgbox"' && fail "the game ended before the test was through; it cannot tell what it checked"
keys key p
sleep 0.2
still_for 1 "P did not pause the game after the take-over"
has '^{"ev":"key[a-z]*","code":27,' && fail "Escape reached the game"
has '^{"ev":"key[a-z]*","code":80,' && fail "P reached the game"
keys key alt+F4
ended_with_0 "Alt+F4 did not end the game cleanly" "$work/game.log"

# The recording, with Linux's line ends: the replay's events before the take-over tick, then none
# stamped before it; replayed headless on Linux, the window's trace from the last seek on.
if grep -q $'\r' "$work/record.txt"; then fail "the recording has Windows' line ends"; fi
grep -E '^[0-9]+ (down|up) ' "$replay" | awk -v t="$taken" '$1 < t' >"$work/replay_before.txt"
grep -E '^[0-9]+ (down|up) ' "$work/record.txt" | awk -v t="$taken" '$1 < t' >"$work/record_before.txt"
[ -s "$work/replay_before.txt" ] || fail "no replayed event before tick $taken"
cmp "$work/replay_before.txt" "$work/record_before.txt" >&2 ||
    fail "the recording does not start with the replay's events up to the take-over at $taken"
grep -q '^[0-9]* down 90$' "$work/record.txt" || fail "the player's z is not in the recording"
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
open_win "$work/game2.log" --input "$replay" --trace "$trace"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause the second run"
keys key End
at "$end" "End"
keys key alt+F4
ended_with_0 "Alt+F4 did not end the second run cleanly" "$work/game2.log"

# 3. Past the replay's last event a key is the player's: the game runs on from there.
trace=$work/trace3.jsonl
open_win "$work/game3.log" --input "$replay" --trace "$trace"
keys key space
wait_until 5 title_starts "REPLAY paused | " || fail "Space did not pause the third run"
nine=$((end * 9 / 10))
keys key 9
at "$nine" "9"
keys keydown Left
wait_until 5 title_starts "きっぷら" || fail "the title is not the game's after the player's first key: '$(title)'"
wait_until 5 has '^{"ev":"tick","timer":[0-9]*,"ticks":'"$((nine + 10))"',' ||
    fail "the game stood still after the player's first key past the replay's end"
keys keyup Left
keys key alt+F4
ended_with_0 "Alt+F4 did not end the third run cleanly" "$work/game3.log"
echo "$test_name: passed"
