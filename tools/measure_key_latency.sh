#!/usr/bin/env bash
# Measures how long a key takes to show: the key in Z's place pressed with XTest at random moments
# of the tick, in play, to the first pixels of the shot in the window (tools/key_latency), under
# Xvfb with openbox, at the default 64 ticks a second. The desktop's window, and the Windows
# build's under wine in the same run where it is built.
#   tools/measure_key_latency.sh [PRESSES]      (default 200; needs the release build and, for
#                                                Windows, the windows build)
set -euo pipefail
cd "$(dirname "$0")/.."
presses=${1:-200}
game=build/release/kippura-x
latency=build/release/tools/key_latency/kx_key_latency
[ -x "$game" ] && [ -x "$latency" ] ||
    { echo "measure_key_latency: build the release preset first (cmake --build --preset release)" >&2; exit 2; }
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do pkill -KILL -P "$p" 2>/dev/null || true; kill -KILL "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# -noreset: the keymap and the window manager stay whatever client comes and goes.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# measure NAME X Y COMMAND...: the game started by COMMAND, its client area at X, Y of its window.
measure() {
    local name=$1 x=$2 y=$3
    shift 3
    "$@" >"$work/$name.log" 2>&1 &
    pids+=($!)
    local id
    id=$(timeout -s KILL 60 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1)
    timeout -s KILL 10 xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    sleep 0.5
    echo "$name: $("$latency" "$id" "$presses" "$x" "$y")"
    kill -KILL "${pids[-1]}" 2>/dev/null || true
}

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1
measure "desktop (SDL) window" 0 0 "$game" --scale 1 --seed 3
kill -KILL "${pids[-2]}" 2>/dev/null || true  # openbox: wine draws its own frame

windows_build=build/windows
if [ -x /usr/lib/wine/wine64 ] && [ -f "$windows_build/kippura-x.exe" ]; then
    source tools/wine_env.sh
    wine_start "$windows_build"
    trap 'wine_stop; cleanup' EXIT
    # Wine's frame: equal borders left, right and below the client area, the title bar on top.
    "$wine_loader" "$windows_build/kippura-x.exe" --scale 1 --seed 3 >"$work/wine.log" 2>&1 &
    pids+=($!)
    id=$(timeout -s KILL 90 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1)
    eval "$(xwininfo -id "$id" | awk '/Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
    border=$(((w - 392) / 2))
    top=$((h - 286 - border))
    timeout -s KILL 10 xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    sleep 0.5
    echo "Windows window under wine: $("$latency" "$id" "$presses" "$border" "$top")"
fi
