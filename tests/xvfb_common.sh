# Sourced by the window tests: a scratch folder, a private Xvfb display, a window manager when a
# test wants one, the game's window and its trace, and the clean-up of everything a test started.
# Set test_name (and game, for open_game) first; add started processes to pids. KX_KEEP_WORK=1
# keeps the scratch folder (traces, recordings, screenshots) for a look after a failure.
# xwininfo and xdotool write the window's Japanese caption in the locale's character set: the
# tests read it in UTF-8 whatever locale (or none) the caller has.
export LC_ALL=C.UTF-8
# Without the X server and its tools the window tests cannot run here: skipped (77), saying why.
for tool in Xvfb xdotool xwininfo xprop import openbox xev; do
    if ! command -v "$tool" >/dev/null; then
        echo "${test_name:-window test}: skipped: no $tool here (tools/dev.sh test installs the X server and tools)"
        exit 77
    fi
done
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do
        kill -CONT "$p" 2>/dev/null || true
        pkill -KILL -P "$p" 2>/dev/null || true  # the game under `timeout`
        kill -KILL "$p" 2>/dev/null || true
    done
    if [ -n "${KX_KEEP_WORK:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() { echo "$test_name: $*" >&2; exit 1; }

# start_xvfb: a screen of screen_size (default 1280x1024) on a display number the server picks
# among the free ones, so that tests running side by side (other checkouts too) never share a
# screen. -noreset: the server does not start over (refusing connections for a moment) each time
# its last client leaves.
start_xvfb() {
    rm -f "$work/display"  # a test may start a second server
    Xvfb -displayfd 3 -screen 0 "${screen_size:-1280x1024}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    disown  # no "Killed" notice from the shell when the clean-up ends it
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    xwininfo -root >/dev/null 2>&1 || fail "Xvfb did not start"
}

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; false after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -le "$deadline" ] || return 1
        sleep 0.05
    done
}

# start_openbox: Debian's openbox with its own configuration manages the display from now on.
start_openbox() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    disown
    wait_until 15 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
    wait_until 15 wm_ready || fail "openbox did not start"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# open_other_window: a small window of another program (xev, which logs the keys it receives to
# $work/other.log); sets other_id. Under a window manager it takes the focus when it appears.
open_other_window() {
    timeout -s KILL 300 stdbuf -oL xev -name kx-other -geometry 200x100+10+10 -event keyboard >"$work/other.log" 2>&1 &
    pids+=($!)
    disown
    wait_until 15 grep -qs '^Outer window is' "$work/other.log" || fail "the other window did not open"
    other_id=$(($(sed -n 's/^Outer window is \(0x[0-9a-f]*\),.*/\1/p' "$work/other.log")))
}

# open_game LOG ARGS...: starts the game with ARGS (hard-killed after game_limit seconds) and
# waits for its window; sets game_pid and game_id. One game at a time.
open_game() {
    local log=$1
    shift
    timeout -s KILL "${game_limit:-60}" "$game" "$@" >"$log" 2>&1 &
    game_pid=$!
    pids+=("$game_pid")
    game_id=$(timeout -s KILL 15 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) ||
        fail "no game window: $(cat "$log")"
    [ -n "$game_id" ] || fail "no game window: $(cat "$log")"
}

# wait_game_exit SECONDS: waits for the game to end; sets game_status to its exit status (137:
# it hung and was killed). Not in a subshell: only this shell can wait for the game.
wait_game_exit() {
    timeout -s KILL "$1" tail --pid="$game_pid" -f /dev/null || true
    game_status=0
    wait "$game_pid" || game_status=$?
}

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# activate WINDOW: the window manager raises and focuses it.
activate() {
    timeout -s KILL 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    wait_until 10 focused "$1" || fail "window $1 did not get the focus"
}

shot() { timeout -s KILL 15 import -window "$1" "$2"; }
# shows WINDOW PNG SCALE: the window shows that frame at that scale.
shows() { shot "$1" "$work/now.png" && "$compare" "$2" "$work/now.png" "$3" 2>/dev/null; }

# The game-over box, drawn by the game inside its frame, in frame pixels (needs probe): its title
# bar inside a one-pixel edge, and the text below.
bar=(97 94 295 114)
body=(97 114 295 159)
bar_colour=(0 84 166)

# box_pixels PNG SCALE [LEFT TOP]: the box at that scale (the frame's top left corner at LEFT,
# TOP), with white title text on its title bar and dark text in its body; otherwise says what is
# missing.
box_pixels() {
    local s=$2 l=${3:-0} t=${4:-0}
    local bar_px white text
    bar_px=$("$probe" "$1" $((l + bar[0] * s)) $((t + bar[1] * s)) $((l + bar[2] * s)) $((t + bar[3] * s)) "${bar_colour[@]}")
    white=$("$probe" "$1" $((l + bar[0] * s)) $((t + bar[1] * s)) $((l + bar[2] * s)) $((t + bar[3] * s)) 255 255 255)
    text=$("$probe" "$1" $((l + body[0] * s)) $((t + body[1] * s)) $((l + body[2] * s)) $((t + body[3] * s)) 0 0 0)
    # The bar fills most of its 198 x 20 pixels; the title's letters take about 200 of them.
    if [ "$bar_px" -ge $((3000 * s * s)) ] && [ "$white" -ge $((100 * s * s)) ] && [ "$text" -ge $((20 * s * s)) ]; then
        return 0
    fi
    echo "title bar pixels $bar_px, white title pixels $white, dark text pixels $text at scale $s" >&2
    return 1
}
# placement PNG: where a window of that picture's size shows the 392 x 286 frame (as the game
# places it: the largest whole scale that fits, centred); sets factor, left and top.
placement() {
    local w h
    read -r w h < <("$probe" "$1")
    factor=$((w / 392 < h / 286 ? w / 392 : h / 286))
    [ "$factor" -ge 1 ] || factor=1
    left=$(((w - 392 * factor) / 2))
    top=$(((h - 286 * factor) / 2))
    [ "$left" -ge 0 ] || left=0
    [ "$top" -ge 0 ] || top=0
}
# box_shown WINDOW SCALE: the window shows the game-over box.
box_shown() { shot "$1" "$work/box_now.png" && box_pixels "$work/box_now.png" "$2" 2>/dev/null; }
# replay_mark WINDOW SCALE: the red "REPLAY" mark in the frame's top right corner is shown.
replay_mark() {
    shot "$1" "$work/mark_now.png" &&
        [ "$("$probe" "$work/mark_now.png" $((300 * $2)) 0 $((392 * $2)) $((20 * $2)) 160 0 0)" -gt $((50 * $2 * $2)) ]
}
file_size() { stat -c %s "$1"; }

# check_replay TRACE RECORDING: the recording, replayed headless, gives the window's trace up to
# its last tick (key events after it belong to ticks that never ran).
check_replay() {
    local last_tick lines
    last_tick=$(grep '^{"ev":"tick"' "$1" | tail -n 1 | sed 's/.*"ticks":\([0-9]*\),.*/\1/')
    lines=$(grep -n '^{"ev":"tick"' "$1" | tail -n 1 | cut -d: -f1)
    [ -n "$last_tick" ] || fail "no tick in $1"
    head -n "$lines" "$1" >"$work/window_trace.jsonl"
    timeout -s KILL 120 "$game" --headless --input "$2" --ticks "$last_tick" --trace "$work/replayed.jsonl" ||
        fail "the headless replay of $2 failed"
    cmp "$work/window_trace.jsonl" "$work/replayed.jsonl" >&2 ||
        fail "the recording $2 did not replay to the window's trace"
}

# no_sanitizer_report LOG: nothing from AddressSanitizer, LeakSanitizer or UBSan in the log.
no_sanitizer_report() {
    if grep -qE 'Sanitizer|runtime error:' "$1"; then
        fail "sanitizer report: $(cat "$1")"
    fi
}
# Under `set -o pipefail` a reader that stops early (head, grep -q) can fail the whole pipeline
# when the writer gets SIGPIPE: the tests read whole streams (sed -n, grep -c) instead.
