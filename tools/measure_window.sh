#!/usr/bin/env bash
# Measures the running game in a real window under Xvfb: CPU on the title screen and in play,
# resident memory, start-up time, tick cadence and frame pacing (from --stats).
#   tools/measure_window.sh [BINARY] [PLAY_SECONDS] [TICK_RATE]
# Or compares the CPU in play of several builds, taking turns in the same run, at scale 2 on a
# 1280 x 1024 screen and fullscreen on a 1920 x 1080 one (under openbox), for the game and for
# the X server that receives its frames:
#   tools/measure_window.sh --compare [--seconds N] [--rounds R] BINARY...
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

# start_x WIDTHxHEIGHT: an Xvfb screen on a free display number; its pid in xvfb_pid.
start_x() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    pids+=($xvfb_pid)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$work/display")"
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
}
close=build/default/tests/kx_x11_close
[ -x "$close" ] || close=build/release/tests/kx_x11_close
close_window() {  # close_window PID ID: as the desktop closes it, killed if it stays
    "$close" "$2" 2>/dev/null || true
    for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, in 1/100 s
per_cent() { printf "%.2f" "$(echo "scale=4; ($2 - $1) * 100 / ($3 * $(getconf CLK_TCK))" | bc)"; }
measure_cpu() {  # measure_cpu PID SECONDS: per cent of one core
    local a b
    a=$(cpu_ticks "$1"); sleep "$2"; b=$(cpu_ticks "$1")
    per_cent "$a" "$b" "$2"
}
window_of() { timeout 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1; }

compare() {
    local seconds=60 rounds=1
    while [ $# -gt 0 ]; do
        case $1 in
            --seconds) seconds=$2; shift 2 ;;
            --rounds) rounds=$2; shift 2 ;;
            *) break ;;
        esac
    done
    [ $# -ge 1 ] || { echo "measure_window: --compare needs at least one binary" >&2; exit 2; }
    echo "CPU in play, per cent of one core over $seconds s, a whole recorded game replayed at 64 ticks a second"
    printf '%-28s %-36s %8s %8s\n' setting binary game "X server"
    local setting screen args
    for setting in "scale 2:1280x1024:--scale 2" "fullscreen:1920x1080:--fullscreen"; do
        IFS=: read -r name screen args <<<"$setting"
        start_x "$screen"
        local wm=""
        if [ "$name" = fullscreen ]; then
            openbox >/dev/null 2>&1 &
            wm=$!
            pids+=($wm)
            for _ in $(seq 150); do xprop -root _NET_WORKAREA 2>/dev/null | grep -q '=' && break; sleep 0.1; done
        fi
        local round game
        for round in $(seq "$rounds"); do
            for game in "$@"; do
                # shellcheck disable=SC2086
                "$game" $args --input tests/replays/full_game.txt >/dev/null 2>&1 &
                local pid=$!
                pids+=($pid)
                local id size a b xa xb
                id=$(window_of)
                sleep 2
                size=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
                a=$(cpu_ticks "$pid"); xa=$(cpu_ticks "$xvfb_pid")
                sleep "$seconds"
                b=$(cpu_ticks "$pid"); xb=$(cpu_ticks "$xvfb_pid")
                printf '%-28s %-36s %7s%% %7s%%\n' "$name $size on $screen" "$game" \
                    "$(per_cent "$a" "$b" "$seconds")" "$(per_cent "$xa" "$xb" "$seconds")"
                close_window "$pid" "$id"
            done
        done
        [ -z "$wm" ] || kill -KILL "$wm" 2>/dev/null || true
        kill -KILL "$xvfb_pid" 2>/dev/null || true
    done
    echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p')"
}

if [ "${1:-}" = --compare ]; then
    shift
    compare "$@"
    exit 0
fi

game=${1:-build/release/kippura-x}
play_seconds=${2:-60}
tick_rate=${3:-64}
start_x 1280x1024

# The title screen: nothing runs, the game sleeps until an event.
"$game" --stats >/dev/null 2>"$work/title_stats.txt" &
pid=$!; pids+=($pid)
id=$(window_of)
sleep 1
echo "title screen: $(measure_cpu "$pid" 10)% of one core over 10 s"
echo "title screen: $(grep VmRSS /proc/$pid/status | tr -s ' ')"
"$close" "$id"; wait "$pid" || true
grep 'first frame' "$work/title_stats.txt" | sed 's/^stats: /title screen: /'

# Play: a recorded whole game replayed in real time at scale 2.
"$game" --scale 2 --stats --tick-rate "$tick_rate" --input tests/replays/full_game.txt >/dev/null 2>"$work/play_stats.txt" &
pid=$!; pids+=($pid)
id=$(window_of)
sleep 2
echo "play: $(measure_cpu "$pid" "$play_seconds")% of one core over $play_seconds s (scale 2, $tick_rate ticks a second)"
echo "play: $(grep VmRSS /proc/$pid/status | tr -s ' ')"
"$close" "$id"; wait "$pid" || true
sed 's/^stats: /play: /' "$work/play_stats.txt"
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p')"
