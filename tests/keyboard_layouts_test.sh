#!/usr/bin/env bash
# Keys by their place in the real window, on five keyboard layouts of the X server (us, de, fr,
# dvorak, jp106), pressed as the keyboard itself sends them (XTest, by keycode): on each, a letter
# key starts a game, the key in Z's place and the key labelled Z both fire, and the arrows steer.
# Then --keys left-hand on a French keyboard: the keys in W A S D's places steer (Z Q S D there)
# and Space fires. What the game heard is read from the recording, which replays headless to the
# window's trace.
set -euo pipefail
game=$1
close_window=$2
press=$3
test_name="keyboard layouts test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb
start_openbox

# X keycodes of places: the left-hand letter row, Z, Y, W, A, S, D, Slash, Space and the arrows.
key_z=52 key_y=29 key_w=25 key_a=38 key_s=39 key_d=40 key_slash=61 key_space=65
left=113 up=111 right=114 down=116

# play_keys LOG ARGS...: a game with ARGS that records to $work/record.txt; the first key starts
# it, the rest are pressed once play has begun.
play_keys() {
    local log=$1 start=$2
    shift 2
    local keys=()
    while [ "$1" != -- ]; do keys+=("$1"); shift; done
    shift
    rm -f "$work/record.txt" "$work/trace.jsonl"
    # Slow ticks: the idle chick is hit only after some 8 s of play, long after the keys are in.
    open_game "$log" --scale 1 --seed 7 --tick-rate 16 --record "$work/record.txt" --trace "$work/trace.jsonl" "$@"
    activate "$game_id"
    "$press" "$start"
    wait_until 20 grep -q '^{"ev":"tick","timer":1,' "$work/trace.jsonl" || fail "$layout: play did not begin"
    "$press" "${keys[@]}"
    wait_until 10 keyups_more_than "${#keys[@]}" ||
        fail "$layout: not every key reached the game: $(grep '"ev":"key' "$work/trace.jsonl" | cut -c1-40)"
    "$close_window" "$game_id"
    wait_game_exit 15
    [ "$game_status" -eq 0 ] || fail "$layout: the game did not end cleanly (status $game_status): $(cat "$log")"
    no_sanitizer_report "$log"
}
keyups_more_than() { [ "$(grep -c '^{"ev":"keyup"' "$work/trace.jsonl")" -gt "$1" ]; }

# heard: the codes of the key presses the game heard, in order, one line.
heard() { awk '$2 == "down" {printf "%s ", $3}' "$work/record.txt"; }

set_layout() {  # LAYOUT: setxkbmap's arguments, then the keysym the layout must give keycode 52
    layout=$1
    # shellcheck disable=SC2086  # the layout's words are setxkbmap's arguments
    setxkbmap -display "$DISPLAY" $1
    local got
    got=$("$press" --label "$key_z")
    [ "$got" = "$2" ] || fail "$layout did not take: keycode $key_z reads $got, not $2 ($(setxkbmap -query | tr '\n' ' '))"
}

# LAYOUT | keysym of the key in Z's place | keycode of the key labelled Z
for row in "us|z|$key_z" "de|y|$key_y" "fr|w|$key_w" "us -variant dvorak|semicolon|$key_slash" \
    "-model jp106 -layout jp|z|$key_z"; do
    IFS='|' read -r layout_args z_place labelled_z <<<"$row"
    set_layout "$layout_args" "$z_place"
    [ "$("$press" --label "$labelled_z")" = z ] || fail "$layout: keycode $labelled_z is not labelled z"
    play_keys "$work/game.log" "$key_a" "$key_z" "$labelled_z" "$left" "$up" "$right" "$down" --
    # The letter that started, then both Z keys as fire (90) and the arrows as themselves.
    got=$(heard)
    [ "${got#* }" = "90 90 37 38 39 40 " ] || fail "$layout: the game heard $got"
    check_replay "$work/trace.jsonl" "$work/record.txt"
done

# One hand: W A S D's places steer and Space fires, on the French keyboard too (Z Q S D there).
set_layout fr w
play_keys "$work/left.log" "$key_a" "$key_w" "$key_a" "$key_s" "$key_d" "$key_space" "$up" "$key_z" -- --keys left-hand
got=$(heard)
# The arrows and Z no longer steer or fire: they only start a game (255).
[ "${got#* }" = "38 37 40 39 90 255 255 " ] || fail "left-hand on fr: the game heard $got"
check_replay "$work/trace.jsonl" "$work/record.txt"
echo "keyboard layouts test: passed"
