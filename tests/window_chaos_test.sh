#!/usr/bin/env bash
# The window under chaos, under Xvfb with openbox: for a while (a minute in the test command),
# random keys and key chords (Alt and Super ones too), focus taken away and given back, minimise
# and restore, resizes, fullscreen toggles, pauses, game overs whose box is closed by a key or by a
# click on OK, and at the end the window closed with the box open. The program must end cleanly
# with no sanitizer report and no key left down in the game (each key's last event in the trace
# is a key-up), and its recording must replay headless to its trace. No game controller takes
# part: neither the X server nor this machine (no /dev/uinput) can fake one.
# usage: window_chaos_test.sh GAME CLOSE_WINDOW PNG_PROBE SECONDS [SEED]; the seed of the random
# actions is printed, and KX_CHAOS_SEED=N or a fifth argument repeats a run.
set -euo pipefail
game=$1
close_window=$2
probe=$3
duration=$4
seed=${5:-${KX_CHAOS_SEED:-1406}}
test_name="window chaos test (seed $seed)"
source "$(dirname "$0")/xvfb_common.sh"
echo "window chaos test: seed $seed, $duration s (KX_CHAOS_SEED=$seed repeats the same actions)"
RANDOM=$seed  # only this shell draws numbers: no $RANDOM in a subshell
start_xvfb
start_openbox
open_other_window
trace=$work/trace.jsonl
game_limit=$((duration + 240))
open_game "$work/game.log" --seed "$seed" --trace "$trace" --record "$work/record.txt"
activate "$game_id"

# What the chaos did, printed at the end.
declare -A done_count=()
declare -A held=()
note() { done_count[$1]=$((${done_count[$1]:-0} + 1)); }
# Chaos commands may fail (a window hidden, a window manager busy): that is part of the chaos.
x() { timeout -s KILL 10 xdotool "$@" >/dev/null 2>&1 || true; }
pick() {  # pick WORDS...: sets picked to one of them
    local words=("$@")
    picked=${words[RANDOM % ${#words[@]}]}
}
modifier_held() { [ -n "${held[alt]:-}" ] || [ -n "${held[super]:-}" ]; }

taps=(Left Right Up Down z space p Return Escape Pause a)
# With Alt or Super held: no Space (Alt+Space opens openbox's window menu, whose items include
# Close) and no Escape (Alt+Escape comes as a chord below).
taps_with_modifier=(Left Right Up Down z p Return a)
holdable=(Left Right Up Down z space Return p alt super)
alt_chords=(z Down Up p Return Tab Escape)  # Alt+Return toggles fullscreen; Tab and Escape move the focus
super_chords=(z Up Down d)                  # Super+D shows the desktop: every window minimised

# game_picture: a screenshot of the game's window and where its frame is in it; false while
# the window cannot be shot (minimised).
game_picture() { shot "$game_id" "$work/chaos.png" 2>/dev/null && placement "$work/chaos.png"; }
box_in_picture() { box_pixels "$work/chaos.png" "$factor" "$left" "$top" 2>/dev/null; }
paused_in_picture() {
    [ "$("$probe" "$work/chaos.png" "$left" "$top" $((left + 392 * factor)) $((top + 120 * factor)) max)" -le 63 ]
}
box_gone() { game_picture && ! box_in_picture; }
click_ok() { x mousemove --window "$game_id" $((left + 196 * factor)) $((top + 171 * factor)) click 1; }

tap() {
    if modifier_held; then pick "${taps_with_modifier[@]}"; else pick "${taps[@]}"; fi
    x key "$picked"
    note "tap $picked"
}
press() {
    pick "${holdable[@]}"
    [ -z "${held[$picked]:-}" ] || return 0
    modifier_held && [ "$picked" = space ] && return 0
    [ -n "${held[space]:-}" ] && [ "$picked" = alt ] && return 0
    x keydown "$picked"
    held[$picked]=1
    note "hold $picked"
}
release() {
    [ "${#held[@]}" -gt 0 ] || return 0
    pick "${!held[@]}"
    x keyup "$picked"
    unset "held[$picked]"
    note "release"
}
chord() {  # chord MODIFIER KEYS...
    local modifier=$1
    shift
    modifier_held && return 0
    [ -n "${held[space]:-}" ] && return 0
    pick "$@"
    x keydown "$modifier"
    x key "$picked"
    x keyup "$modifier"
    note "$modifier+$picked"
}
close_box() {
    game_picture && box_in_picture || return 0
    note "box seen"
    # With Alt held, Return would toggle fullscreen, Space open openbox's menu and a click move
    # the window: a player closing the box lets go of them first.
    for k in alt super; do
        if [ -n "${held[$k]:-}" ]; then
            x keyup "$k"
            unset "held[$k]"
        fi
    done
    x windowactivate --sync "$game_id"
    if [ $((RANDOM % 2)) -eq 0 ]; then
        pick Return space Escape
        x key "$picked"
        if wait_until 3 box_gone; then note "box closed by $picked"; fi
    else
        game_picture || return 0
        click_ok
        if wait_until 3 box_gone; then note "box closed by a click on OK"; fi
    fi
}
click_somewhere() {  # a click inside the game's window
    local w h
    read -r w h < <(xwininfo -id "$game_id" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w+0, h+0}')
    [ "$w" -gt 0 ] && [ "$h" -gt 0 ] || return 0
    x mousemove --window "$game_id" $((RANDOM % w)) $((RANDOM % h)) click 1
    note "click"
}

started=$SECONDS
while [ $((SECONDS - started)) -lt "$duration" ]; do
    r=$((RANDOM % 100))
    if [ "$r" -lt 22 ]; then
        tap
    elif [ "$r" -lt 34 ]; then
        if [ "${#held[@]}" -ge 3 ]; then release; else press; fi
    elif [ "$r" -lt 44 ]; then
        release
    elif [ "$r" -lt 49 ]; then
        chord alt "${alt_chords[@]}"
    elif [ "$r" -lt 52 ]; then
        chord super "${super_chords[@]}"
    elif [ "$r" -lt 57 ]; then
        x windowactivate "$other_id"
        note "focus away"
    elif [ "$r" -lt 67 ]; then
        x windowactivate --sync "$game_id"
        note "focus back"
        if [ $((RANDOM % 4)) -ne 0 ]; then x key p; fi
    elif [ "$r" -lt 69 ]; then
        x windowminimize "$game_id"
        note "minimise"
    elif [ "$r" -lt 72 ]; then
        x windowsize "$game_id" $((200 + RANDOM % 1000)) $((150 + RANDOM % 800))
        note "resize"
    elif [ "$r" -lt 75 ]; then
        x key F11
        note "F11"
    elif [ "$r" -lt 90 ]; then
        close_box
    elif [ "$r" -lt 94 ]; then
        click_somewhere
    else
        sleep "$((RANDOM % 2)).$((RANDOM % 10))"
        note "idle"
    fi
    sleep "0.0$((RANDOM % 10))"
done

# The end: every key let go, the window shown and focused, a box that is open now closed, and a
# new game played (the idle chick is soon hit) into a box that stays open as the window closes.
for k in "${!held[@]}"; do x keyup "$k"; done
held=()
activate "$game_id"
sleep 1  # a fullscreen toggle or a resize still under way settles before the frame is looked for
fresh=no
ended=no
for _ in $(seq 40); do
    if game_picture; then
        if box_in_picture; then
            [ "$fresh" = yes ] && ended=yes && break
            x key Return
            sleep 0.5
            continue
        fi
        if paused_in_picture; then
            x key p
            sleep 0.5
            continue
        fi
    else
        activate "$game_id"
        continue
    fi
    x key Right
    fresh=yes
    sleep 3
done
[ "$ended" = yes ] || fail "the last game did not end in a box"
"$close_window" "$game_id"
wait_game_exit 20
[ "$game_status" -eq 0 ] || fail "the game did not end cleanly when closed with the box open (status $game_status): $(tail -n 40 "$work/game.log")"
no_sanitizer_report "$work/game.log"

while read -r k; do printf '  %-28s %d\n' "$k" "${done_count[$k]}"; done < <(printf '%s\n' "${!done_count[@]}" | sort)
echo "  game overs in the trace: $(grep -c '^{"ev":"msgbox"' "$trace" || true), key events: $(grep -c '^{"ev":"key' "$trace" || true), ticks: $(grep -c '^{"ev":"tick"' "$trace" || true)"
# No key stuck: the last event of each key the game heard is its release.
stuck=$(grep -o '^{"ev":"key[a-z]*","code":[0-9]*' "$trace" | sed 's/{"ev":"key\([a-z]*\)","code":\([0-9]*\)/\2 \1/' |
    awk '{last[$1] = $2} END {for (c in last) if (last[c] == "down") printf "%s ", c}')
[ -z "$stuck" ] || fail "keys left down in the game (virtual key codes): $stuck"
check_replay "$trace" "$work/record.txt"
echo "window chaos test: passed"
