#!/usr/bin/env bash
# A start-up failure of the game started from a desktop menu, under Xvfb: besides the line on
# stderr, an error box titled "kippura-x" says the same, and the program ends with its status (1,
# or 2 for a bad input file) once the box is closed. A mistake on the command line, and a
# --headless run, get the line alone.
set -euo pipefail
game=$1
test_name="fatal error box test"
source "$(dirname "$0")/xvfb_common.sh"
start_xvfb 700
unset SDL_VIDEODRIVER
no_fonts="$(cd "$(dirname "$0")" && pwd)/no_fonts.conf"
expected="kippura-x: no Japanese font found; install one: fonts-ipafont-gothic (Debian, Ubuntu), google-noto-sans-cjk-fonts (Fedora), noto-fonts-cjk (Arch), noto-sans-cjk-fonts (openSUSE)"

# Waits up to 10 s for the box and prints its window id.
find_box() {
    for _ in $(seq 100); do
        local id
        id=$(xwininfo -root -tree | awk '/"kippura-x"/ {print $1; exit}')
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}
no_box() { ! xwininfo -root -tree | grep -q '"kippura-x"'; }

# The game started as from a menu fails with the line, then the box, which waits for the user;
# closing it ends the program with STATUS.
box_then_status() {  # box_then_status STATUS LINE ENV-AND-ARGS...
    local want=$1 line=$2
    shift 2
    timeout -s KILL 30 env "$@" >"$work/out" 2>"$work/err" &
    pid=$!
    pids+=("$pid")
    box=$(find_box) || fail "no error box appeared: $(cat "$work/err")"
    [ "$(cat "$work/err")" = "$line" ] || fail "the line is not the expected one: $(cat -A "$work/err")"
    timeout -s KILL 15 import -window "$box" "$work/box.png" || fail "cannot take a picture of the box"
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the program ended while its box was still open"
    timeout -s KILL 5 xdotool key --window "$box" Return
    timeout -s KILL 5 tail --pid="$pid" -f /dev/null || fail "the program did not end when its box was closed"
    wait "$pid" && status=0 || status=$?
    [ "$status" -eq "$want" ] || fail "status $status after the box was closed"
    [ "$(cat "$work/err")" = "$line" ] || fail "more than the one line on stderr: $(cat -A "$work/err")"
    no_box || fail "the box is still there"
    echo "box closed with Return: status $want, one line"
}

# 1. No Japanese font.
box_then_status 1 "$expected" FONTCONFIG_FILE="$no_fonts" "$game"
# 2. A bad input file, as a recording opened from the file manager would give it.
printf 'seed 1\n0 down 32\n5 sideways 39\n' >"$work/bad.txt"
box_then_status 2 "kippura-x: $work/bad.txt:3: expected: TICKS down CODE, TICKS up CODE or seed N" \
    "$game" --input "$work/bad.txt"

# 3. The same failure in a --headless run, and a mistake on the command line: no box, at once.
line_only() {  # line_only STATUS ARGS...
    local want=$1
    shift
    timeout -s KILL 10 env FONTCONFIG_FILE="$no_fonts" "$game" "$@" >"$work/out" 2>"$work/err" && status=0 ||
        status=$?
    [ "$status" -eq "$want" ] || fail "$*: status $status (137: it waited, for a box?): $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$*: not one line: $(cat -A "$work/err")"
    no_box || fail "$*: an error box appeared"
}
line_only 1 --headless
line_only 2 --scale 0
echo "fatal error box test: passed"
