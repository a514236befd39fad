#!/usr/bin/env bash
# The size of the first window: the largest whole scale at which the window and the frame around
# it fit the screen, with openbox saying how big its frame is, and with no window manager (room
# left for a usual frame of 10 x 40 pixels).
set -euo pipefail
game=$1
test_name="window size test"
source "$(dirname "$0")/xvfb_common.sh"

size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# expect_first_window SCREEN EXPECTED HOW: the game's first window on the current display.
expect_first_window() {
    open_game "$work/game.log" --seed 1
    sleep 0.3
    local size
    size=$(size_of "$game_id")
    [ "$size" = "$2" ] || fail "on $1 ($3) the window opened at $size instead of $2"
    if [ "$3" = "openbox" ]; then  # the frame it drew around the window fits on the screen too
        local extents
        extents=$(xprop -id "$game_id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
        read -r l r t b <<<"$extents"
        [ $((${size%x*} + l + r)) -le "${1%x*}" ] && [ $((${size#*x} + t + b)) -le "${1#*x}" ] ||
            fail "on $1 the window and its frame ($extents) do not fit"
    fi
    pkill -KILL -P "$game_pid" 2>/dev/null || true  # the game under `timeout`
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
}

# 1280 x 890 holds 858 rows and openbox's 25-row frame, not the usual 40 rows.
for case in 1920x1080:1176x858:1176x858 1366x768:784x572:784x572 1280x890:1176x858:784x572; do
    IFS=: read -r screen with_wm without_wm <<<"$case"
    screen_size=$screen start_xvfb
    expect_first_window "$screen" "$without_wm" "no window manager"
    start_openbox
    expect_first_window "$screen" "$with_wm" "openbox"
done
echo "window size test: passed"
