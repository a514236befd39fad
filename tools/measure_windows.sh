#!/usr/bin/env bash
# The Windows build's figures beside the Linux build's, measured in the same run on this machine:
# the sizes of the exe and the installer; a headless replay of a million ticks; a whole recorded
# game replayed in the window at scale 2 under Xvfb (CPU of the game, of wine's server and of the
# X server; late ticks from --stats); and the start to the first frame, each with a wine server
# already running.
#   tools/measure_windows.sh [LINUX_BINARY] [PLAY_SECONDS] [STARTS]
# Default: build/release/kippura-x, 60 s, 5 starts. Needs build/windows (cmake --preset windows)
# and build/default/tests/kx_x11_close.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build/release/kippura-x}
seconds=${2:-60}
starts=${3:-5}
exe=build/windows/kippura-x.exe
setup=$(ls build/windows/packages/kippura-x-*-setup.exe)
close=build/default/tests/kx_x11_close
for f in "$linux" "$exe" "$setup" "$close"; do [ -f "$f" ] || { echo "measure_windows: no $f" >&2; exit 2; }; done
work=$(mktemp -d)
pids=()
source tools/wine_env.sh
cleanup() {
    wine_stop
    for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

echo "sizes: kippura-x.exe $(stat -c %s "$exe") bytes; $(basename "$setup") $(stat -c %s "$setup") bytes"

ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }
# best COUNT COMMAND...: the shortest wall time of COUNT runs, in ms (the least disturbed by
# whatever else the machine runs).
best() {
    local count=$1 t
    shift
    for _ in $(seq "$count"); do
        t=$(date +%s%N)
        "$@" >/dev/null
        ms_since "$t"
    done | sort -n | head -n 1
}

# An Xvfb screen on a free display number; the wine server starts on it (its desktop takes the
# screen's size) and stays for every run below.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
disown
pids+=("$xvfb_pid")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
wine_start build/windows
wine_run "$exe" --version >/dev/null  # the first program of a server starts wine's services

# Headless: a million ticks without a trace (a key every 40 ticks keeps starting new games), and
# the program's start alone, to tell the ticks from wine's start.
{ echo "seed 1"; for t in $(seq 0 40 1000000); do echo "$t down 32"; echo "$t up 32"; done; } >"$work/input.txt"
headless=(--headless --input "$work/input.txt" --ticks 1000000)
linux_run=$(best 5 "$linux" "${headless[@]}") linux_start=$(best 5 "$linux" --version)
wine_run_ms=$(best 5 "$wine_loader" "$exe" "${headless[@]}") wine_start_ms=$(best 5 "$wine_loader" "$exe" --version)
echo "headless 1,000,000 ticks, best of 5: Linux $linux_run ms (starting alone $linux_start ms);" \
    "wine $wine_run_ms ms (starting alone $wine_start_ms ms); per 100,000 ticks without the start:" \
    "Linux $(((linux_run - linux_start) / 10)) ms, wine $(((wine_run_ms - wine_start_ms) / 10)) ms"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, in 1/100 s
per_cent() { printf "%.2f" "$(echo "scale=4; ($2 - $1) * 100 / ($3 * $(getconf CLK_TCK))" | bc)"; }
# The game's window, looked for every 10 ms (xdotool's own --sync looks every half second).
window_of() {
    local id
    for _ in $(seq 3000); do
        id=$(xdotool search --onlyvisible --name 'ver1\.20' 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.01
    done
    return 1
}
close_window() {  # PID ID
    "$close" "$2" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
# This prefix's wine server (other prefixes may have their own).
server_pid=""
for p in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && server_pid=$p
done

# play NAME COMMAND...: CPU over the play seconds of a whole game replayed at scale 2, and --stats.
play() {
    local name=$1 pid id a b sa sb xa xb
    shift
    "$@" --scale 2 --stats --input tests/replays/full_game.txt >/dev/null 2>"$work/stats.txt" &
    pid=$!
    pids+=("$pid")
    id=$(window_of)
    sleep 2
    a=$(cpu_ticks "$pid") xa=$(cpu_ticks "$xvfb_pid") sa=$(cpu_ticks "$server_pid")
    sleep "$seconds"
    b=$(cpu_ticks "$pid") xb=$(cpu_ticks "$xvfb_pid") sb=$(cpu_ticks "$server_pid")
    close_window "$pid" "$id"
    echo "play at scale 2 over $seconds s, $name: game $(per_cent "$a" "$b" "$seconds")%," \
        "wine server $(per_cent "$sa" "$sb" "$seconds")%, X server $(per_cent "$xa" "$xb" "$seconds")% of one core"
    sed -n "s/^stats: /  $name: /p" "$work/stats.txt" | tr -d '\r'
}
play Linux "$linux"
play wine "$wine_loader" "$exe"

# The start to the first frame (the title), as each program's --stats tells it, and as seen from
# outside: from the command to the window on the screen.
first_frames() {  # NAME COMMAND...
    local name=$1 pid id t seen
    shift
    for _ in $(seq "$starts"); do
        t=$(date +%s%N)
        "$@" --stats >/dev/null 2>"$work/stats.txt" &
        pid=$!
        pids+=("$pid")
        id=$(window_of)
        seen=$(ms_since "$t")
        sleep 0.5
        close_window "$pid" "$id"
        echo "$(sed -n 's/.*first frame \([0-9.]*\) ms.*/\1/p' "$work/stats.txt") $seen"
    done >"$work/starts.txt"
    echo "start to first frame, $name ($starts starts): $(cut -d ' ' -f 1 "$work/starts.txt" | tr '\n' ' ')ms by --stats;" \
        "the window found on the screen after $(cut -d ' ' -f 2 "$work/starts.txt" | tr '\n' ' ')ms"
}
first_frames Linux "$linux"
first_frames wine "$wine_loader" "$exe"
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'); $("$wine_loader" --version)"
