#!/usr/bin/env bash
# Measures the running game in a real window under Xvfb: CPU on the title screen and in play,
# resident memory, start-up time, tick cadence and frame pacing (from --stats).
#   tools/measure_window.sh [BINARY] [PLAY_SECONDS] [TICK_RATE]
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/release/kippura-x}
play_seconds=${2:-60}
tick_rate=${3:-64}
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

display=":$((300 + $$ % 300))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
close=build/default/tests/kx_x11_close
[ -x "$close" ] || close=build/release/tests/kx_x11_close

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, in 1/100 s
measure_cpu() {  # measure_cpu PID SECONDS: per cent of one core
    local a b
    a=$(cpu_ticks "$1"); sleep "$2"; b=$(cpu_ticks "$1")
    echo "scale=2; ($b - $a) * 100 / ($2 * $(getconf CLK_TCK))" | bc
}

# The title screen: nothing runs, the game sleeps until an event.
"$game" --stats >/dev/null 2>"$work/title_stats.txt" &
pid=$!; pids+=($pid)
id=$(timeout 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1)
sleep 1
echo "title screen: $(measure_cpu "$pid" 10)% of one core over 10 s"
echo "title screen: $(grep VmRSS /proc/$pid/status | tr -s ' ')"
"$close" "$id"; wait "$pid" || true
grep 'first frame' "$work/title_stats.txt" | sed 's/^stats: /title screen: /'

# Play: a recorded whole game replayed in real time at scale 2.
"$game" --scale 2 --stats --tick-rate "$tick_rate" --input tests/replays/full_game.txt >/dev/null 2>"$work/play_stats.txt" &
pid=$!; pids+=($pid)
id=$(timeout 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1)
sleep 2
echo "play: $(measure_cpu "$pid" "$play_seconds")% of one core over $play_seconds s (scale 2, $tick_rate ticks a second)"
echo "play: $(grep VmRSS /proc/$pid/status | tr -s ' ')"
"$close" "$id"; wait "$pid" || true
sed 's/^stats: /play: /' "$work/play_stats.txt"
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p')"
