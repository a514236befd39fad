#!/usr/bin/env bash
# kippura-x.exe's keys by their place under wine, on five keyboard layouts of the X server (us,
# de, fr, dvorak, jp106), pressed as the keyboard itself sends them (XTest, by keycode): wine
# turns each X keycode into the PC scan code of its place and the character its layout prints on
# it, and the game must hear, on every layout, both Z keys (the one in Z's place and the one
# labelled Z) fire and the arrows steer; --help names the labels of the player's layout. Then
# --keys left-hand on the French keyboard: the keys in W A S D's places (Z Q S D there) steer and
# Space fires. What the game heard is read from its recording, which replays headless on Linux to
# the window's trace.
#   keyboard_layouts_test.sh BUILD_WINDOWS LINUX_BINARY X11_CLOSE X11_KEYS
set -euo pipefail
test_name="Windows keyboard layouts test"
source "$(dirname "$0")/wine_common.sh" "$1"
game=$2  # the Linux program: check_replay replays the window's recordings with it
close_window=$3
press=$4

# X keycodes of places: Z, Y, W, A, S, D, Slash, Space and the arrows.
key_z=52 key_y=29 key_w=25 key_a=38 key_s=39 key_d=40 key_slash=61 key_space=65
left=113 up=111 right=114 down=116

start_xvfb

# set_layout "SETXKBMAP ARGS" KEYSYM: the X server's layout, checked by the keysym it gives the
# key in Z's place, and a wine server started afresh. Each wine process reads the X keymap when
# it connects to the display, and the server's own (the desktop, the services) would stay from
# the layout before: none is left running.
set_layout() {
    layout=$1
    wine_stop
    # shellcheck disable=SC2086  # the layout's words are setxkbmap's arguments
    setxkbmap -display "$DISPLAY" $1
    local got
    got=$("$press" --label "$key_z")
    [ "$got" = "$2" ] ||
        fail "$layout did not take: keycode $key_z reads $got, not $2 ($(setxkbmap -display "$DISPLAY" -query | tr '\n' ' '))"
    wine_start "$windows_build"
}

# help_of ARGS...: the help with ARGS, its lines joined, in help; and in wine_took the name of the
# layout wine's X11 driver took the X server's for (from its keyboard log; empty: none named).
help_of() {
    WINEDEBUG=trace+keyboard timeout -s KILL 30 "$wine_loader" "$exe" "$@" --help >"$work/help.txt" 2>"$work/wine.log" ||
        fail "$layout: --help $* failed: $(cat "$work/help.txt" "$work/wine.log" | tail -n 5)"
    wine_took=$(sed -n 's/.*detected layout is "\(.*\)"$/\1/p' "$work/wine.log" | sed -n 1p)
    help=$(tr -s '\n ' '  ' <"$work/help.txt")
}
said() {
    local keys=${help##*The keys}
    [[ $help == *"$1"* ]] || fail "$layout: --help does not say \"$1\": ...${keys%%Quit*}"
}

# play_keys START KEY... -- ARGS...: a game with ARGS in a window, recording to $work/record.txt;
# the key START starts it (once it is through, the window has the keyboard), then the other keys
# are pressed and the window is closed as the desktop closes it.
play_keys() {
    local start=$1
    shift
    local keys=()
    while [ "$1" != -- ]; do
        keys+=("$1")
        shift
    done
    shift
    trace=$work/trace.jsonl
    rm -f "$work/record.txt" "$trace"
    # Slow ticks: the idle chick is hit only long after the keys are in.
    timeout -s KILL 90 "$wine_loader" "$exe" --scale 1 --seed 7 --tick-rate 16 --record "$work/record.txt" \
        --trace "$trace" "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
    pids+=("$game_pid")
    game_id=$(timeout -s KILL 30 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) ||
        fail "$layout: no game window: $(cat "$work/game.log")"
    wait_until 10 focused "$game_id" || fail "$layout: the game's window did not get the keyboard"
    "$press" "$start"
    wait_until 10 keyups_more_than 0 || fail "$layout: the key that starts a game did not reach it"
    "$press" "${keys[@]}"
    wait_until 10 keyups_more_than "${#keys[@]}" ||
        fail "$layout: not every key reached the game: $(grep '"ev":"key' "$trace" | cut -c 1-40)"
    "$close_window" "$game_id"
    wait_game_exit 20
    [ "$game_status" -eq 0 ] || fail "$layout: the game did not end cleanly (status $game_status): $(cat "$work/game.log")"
    if grep -q $'\r' "$work/record.txt"; then fail "the recording has Windows' line ends"; fi
    check_replay "$trace" "$work/record.txt"
}
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
keyups_more_than() { [ "$(grep -c '^{"ev":"keyup"' "$trace")" -gt "$1" ]; }
# heard: the codes of the key presses the game heard, in order, one line.
heard() { awk '$2 == "down" {printf "%s ", $3}' "$work/record.txt"; }

# LAYOUT | keysym of the key in Z's place | keycode of the key labelled Z | wine's name of the
# layout | what --help says of fire. fr comes last: the one-hand keys are pressed on it below.
for row in "us|z|$key_z|United States keyboard layout (phantom key version)|fire: KeyZ or" \
    "de|y|$key_y|German keyboard layout|fire: KeyZ (Y here) or" \
    "us -variant dvorak|semicolon|$key_slash|United States keyboard layout (dvorak)|fire: KeyZ (; here) or" \
    "-model jp106 -layout jp|z|$key_z|Japanese 106 keyboard layout|fire: KeyZ or" \
    "fr|w|$key_w|French keyboard layout|fire: KeyZ (W here) or"; do
    IFS='|' read -r layout_args z_place labelled_z wine_name fire_help <<<"$row"
    set_layout "$layout_args" "$z_place"
    [ "$("$press" --label "$labelled_z")" = z ] || fail "$layout: keycode $labelled_z is not labelled z"
    help_of
    play_keys "$key_a" "$key_z" "$labelled_z" "$left" "$up" "$right" "$down" --
    # The letter in A's place (65) started; both Z keys fire (90); the arrows are themselves.
    if [ -z "$wine_took" ] || [ "$wine_took" = "$wine_name" ]; then
        said "$fire_help the key labelled Z;"
        [ "$(heard)" = "65 90 90 37 38 39 40 " ] || fail "$layout: the game heard $(heard)"
        continue
    fi
    # Wine's X11 driver finds the layout by the characters the keycodes carry, wherever they lie
    # (their order only breaks a tie), and gives each key the scan code of its character's key on
    # the layout it found. Dvorak has the characters of a US keyboard, and wine's US table with
    # the 102nd key (< >, which every X keymap has) matches one more than its dvorak table: the
    # keys come with the places of their labels on a US keyboard, the key in Z's place, labelled
    # ;, as Semicolon's (186). Wine's doing, not the game's: what the game makes of it is pinned.
    [ "$layout|$wine_took" = "us -variant dvorak|United States keyboard layout (phantom key version)" ] ||
        fail "$layout: wine took it for \"$wine_took\""
    echo "$test_name: $layout: wine took it for \"$wine_took\": keys come by their labels' places"
    said "fire: KeyZ or the key labelled Z;"
    [ "$(heard)" = "65 186 90 37 38 39 40 " ] || fail "$layout: the game heard $(heard)"
done

# One hand on the French keyboard: W A S D's places steer and Space fires; the arrows and Z's
# place no longer steer or fire: they only start a game (255).
help_of --keys left-hand
said "up: KeyW (Z here); down: KeyS; left: KeyA (Q here); right: KeyD; fire: Space or"
play_keys "$key_a" "$key_w" "$key_a" "$key_s" "$key_d" "$key_space" "$up" "$key_z" -- --keys left-hand
[ "$(heard)" = "37 38 37 40 39 90 255 255 " ] || fail "left-hand on fr: the game heard $(heard)"
echo "$test_name: passed"
