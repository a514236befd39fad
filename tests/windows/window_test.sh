#!/usr/bin/env bash
# kippura-x.exe's window under wine and Xvfb, driven with xdotool as a player would (no window
# manager: wine draws the window's frame and runs Win32's own loops for moving it):
#  0. a failure is told on standard error, or in a box when the game has no console; a bad --keys
#     in one line with status 2;
#  1. at the default scale the window fits the screen at the largest whole factor, and its client
#     area shows the headless title exactly, scaled; F11 and Alt+Enter toggle fullscreen on the
#     screen and back to the same window; Alt and Windows-key chords do not reach the
#     game, nor does Alt alone put the window into menu mode, nor F10; a key starts a game; Return
#     closes the game-over box and the title comes back; Alt+F4 ends the program with status 0;
#  2. dragging the window (Win32's modal move loop) neither stops the ticks nor loses the release
#     of a key let go of meanwhile; closing the window as the desktop does ends it with status 0;
#  3. after a replay hands the game over, the arrows move the chick; losing the keyboard lets go of
#     held keys and pauses until Return; closing ends with status 0.
# Every recording made in the window replays on Linux, headless, to the window's trace.
#   window_test.sh BUILD_WINDOWS LINUX_BINARY PNG_COMPARE PNG_PROBE X11_CLOSE
set -euo pipefail
test_name="Windows window test"
source "$(dirname "$0")/wine_common.sh" "$1"
game=$2  # the Linux program: check_replay replays the window's recordings with it
compare=$3
probe=$4
close_window=$5

start_xvfb
wine_start "$windows_build"  # after the display is up: wine's desktop takes its size
timeout -s KILL 60 "$wine_loader" "$exe" --headless --screenshot "$work/title.png"

keys() { timeout -s KILL 5 xdotool "$@"; }
has() { grep -q "$1" "$trace"; }
count() { grep -c "$1" "$trace" || true; }
ticks_now() { count '^{"ev":"tick"'; }
more_ticks_than() { [ "$(ticks_now)" -gt "$1" ]; }
ticks_of() { sed 's/.*"ticks":\([0-9]*\),.*/\1/'; }
# field NAME RECORD_PATTERN: the value of a state field in the first record matching the pattern.
field() { grep -m 1 "$2" "$trace" | sed "s/.*\"$1\":\\(-*[0-9]*\\).*/\\1/"; }
still_for() {
    local size
    size=$(file_size "$trace")
    sleep "$1"
    [ "$(file_size "$trace")" = "$size" ] || fail "$2"
}

# open_win LOG ARGS...: starts the game under wine and waits for its window; sets game_pid and
# game_id, and the window's outer place and size (x, y, w, h).
open_win() {
    local log=$1
    shift
    timeout -s KILL 90 "$wine_loader" "$exe" "$@" >"$log" 2>&1 &
    game_pid=$!
    pids+=("$game_pid")
    game_id=$(timeout -s KILL 30 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) ||
        fail "no game window: $(cat "$log")"
    eval "$(xwininfo -id "$game_id" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
                                            /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
}
# client SCALE: where the client area of a window showing the frame at SCALE lies on the screen
# (cx, cy): wine's frame has equal borders left, right and below, and the title bar on top.
client() {
    local border=$(((w - 392 * $1) / 2))
    local top=$((h - 286 * $1 - border))
    [ "$border" -ge 0 ] && [ "$border" -le 16 ] && [ "$top" -gt "$border" ] && [ "$top" -le 60 ] ||
        fail "a ${w}x${h} window does not hold a client area of $((392 * $1))x$((286 * $1)) in a frame"
    cx=$((x + border))
    cy=$((y + top))
}
# client_shot SCALE PNG: the client area as the screen shows it.
client_shot() {
    client "$1"
    timeout -s KILL 15 import -window root -crop "$((392 * $1))x$((286 * $1))+$cx+$cy" +repage "$2"
}
shows() { client_shot "$2" "$work/now.png" && "$compare" "$1" "$work/now.png" "$2" 2>/dev/null; }
# replays_on_linux TRACE RECORDING: the window's recording, with "\n" line ends as on Linux,
# replays headless on Linux to the window's trace.
replays_on_linux() {
    if grep -q $'\r' "$2"; then fail "the recording $2 has Windows' line ends"; fi
    check_replay "$1" "$2"
}
ended_with_0() {
    wait_game_exit 20
    [ "$game_status" -eq 0 ] || fail "$1 (status $game_status): $(cat "$2")"
}

# 0. A failure of a game started from a shell is one line on its standard error, with no box; one
# started as Explorer starts it (wine's start: no console, no standard streams) is told in a
# message box, which Return closes.
status=0
timeout -s KILL 30 "$wine_loader" "$exe" --trace /nonexistent/t.jsonl >"$work/fail.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -qx 'kippura-x: /nonexistent/t.jsonl: cannot write the trace file: No such file or directory' "$work/fail.log" ||
    fail "a failure did not give status 1 and its line (status $status): $(cat "$work/fail.log")"
xdotool search --name '^kippura-x$' >/dev/null 2>&1 && fail "a failure of a game started from a shell showed a box"
status=0
timeout -s KILL 30 "$wine_loader" "$exe" --keys fire=F11 >"$work/keys.log" 2>&1 || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/keys.log")" -eq 1 ] && grep -q '^kippura-x: .*"F11" .*belongs to the window' "$work/keys.log" ||
    fail "a bad --keys did not give status 2 and one line (status $status): $(cat "$work/keys.log")"
timeout -s KILL 60 "$wine_loader" start /wait /unix "$exe" --trace /nonexistent/t.jsonl >"$work/box.log" 2>&1 &
box_pid=$!
pids+=("$box_pid")
timeout -s KILL 30 xdotool search --sync --onlyvisible --name '^kippura-x$' >/dev/null ||
    fail "a failure of a game started as from Explorer showed no box: $(cat "$work/box.log")"
keys key Return
status=0
wait "$box_pid" || status=$?
[ "$status" -eq 1 ] || fail "the game did not end with status 1 after the error box (status $status)"

# 1. The default scale: 3 on a 1280 x 1024 screen (1176 x 858 and wine's frame fit).
trace=$work/trace1.jsonl
open_win "$work/game1.log" --seed 11 --trace "$trace" --record "$work/record1.txt"
wait_until 15 shows "$work/title.png" 3 || fail "the window does not show the headless title at scale 3"
# F11 and Alt+Enter: borderless fullscreen on the monitor (the frame at 3, centred, black bars),
# and back to the window as it was.
placed_at() { [ "$(xwininfo -id "$game_id" | awk '/Absolute upper-left|Width:|Height:/ {printf "%s ", $NF}')" = "$1" ]; }
windowed="$x $y $w $h "
keys key F11
wait_until 10 placed_at "0 0 1280 1024 " || fail "F11 did not make the window cover the screen"
fullscreen_shows() {
    timeout -s KILL 15 import -window root "$work/screen.png" &&
        timeout -s KILL 15 convert "$work/screen.png" -crop 1176x858+52+83 +repage "$work/now.png" &&
        "$compare" "$work/title.png" "$work/now.png" 3 2>/dev/null &&
        [ "$("$probe" "$work/screen.png" 0 0 1280 83 max)" -eq 0 ] && [ "$("$probe" "$work/screen.png" 0 0 52 1024 max)" -eq 0 ]
}
wait_until 10 fullscreen_shows || fail "fullscreen does not show the title at scale 3 between black bars"
keys key alt+Return
wait_until 10 placed_at "$windowed" || fail "Alt+Enter did not bring the window back to where it was"
wait_until 10 shows "$work/title.png" 3 || fail "the window does not show the title again after fullscreen"
keys key alt+z super+Right alt+Left
keys key alt
keys key space  # went to the menu if Alt alone had opened it
wait_until 10 has '^{"ev":"keydown","code":32,' || fail "space did not start the game after Alt alone"
grep -m 1 '^{"ev":"key' "$trace" | grep -q '^{"ev":"keydown","code":32,' ||
    fail "a chord with Alt or the Windows key reached the game: $(grep -m 1 '^{"ev":"key' "$trace" | cut -c 1-40)"
keys key F10  # a key of the game's; its release must not open the menu either
wait_until 10 has '^{"ev":"keydown","code":121,' || fail "F10 did not reach the game"
# The idle chick is hit within a few seconds of play, unless the loop stopped in a menu.
wait_until 15 has '^{"ev":"msgbox","title":"GAME OVER"' || fail "no game over: the game stopped"
sleep 0.5
client_shot 3 "$work/box.png"
box_pixels "$work/box.png" 3 || fail "the game-over box is not drawn in the window"
keys key Return
wait_until 10 shows "$work/title.png" 3 || fail "Return did not close the box and bring back the title"
has '^{"ev":"key[a-z]*","code":13,' && fail "Return on the box reached the game"
keys key alt+F4
ended_with_0 "Alt+F4 did not end the game cleanly" "$work/game1.log"
replays_on_linux "$trace" "$work/record1.txt"

# 2. A drag of the window while the start-of-play transition runs (about two seconds of ticks),
# with Left, which started the game, let go of in the middle of it.
trace=$work/trace2.jsonl
open_win "$work/game2.log" --scale 2 --seed 11 --trace "$trace" --record "$work/record2.txt"
wait_until 15 shows "$work/title.png" 2 || fail "the window does not show the headless title at scale 2"
keys keydown Left
wait_until 10 has '^{"ev":"keydown","code":37,' || fail "Left did not start the game"
grab_x=$((x + w / 2)) grab_y=$((y + 10))  # on the title bar
keys mousemove "$grab_x" "$grab_y" mousedown 1
sleep 0.2
before=$(ticks_now)
for i in $(seq 12); do
    keys mousemove $((grab_x + 5 * i)) $((grab_y + 3 * i))
    sleep 0.05
    if [ "$i" = 6 ]; then keys keyup Left; fi
done
during=$(ticks_now)
keys mouseup 1
moved_x=$x
eval "$(xwininfo -id "$game_id" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}')"
[ "$x" -ne "$moved_x" ] || fail "the window did not move: the test did not drag it"
# Some 60 ticks are due in the second the drag takes.
[ $((during - before)) -ge 20 ] || fail "the ticks stopped while the window was dragged ($before, then $during)"
wait_until 5 has '^{"ev":"keyup","code":37,' || fail "the release of Left during the drag did not reach the game"
wait_until 15 has '^{"ev":"msgbox","title":"GAME OVER"' || fail "no game over after the drag"
"$close_window" "$game_id"
ended_with_0 "closing the window with the box open did not end the game cleanly" "$work/game2.log"
replays_on_linux "$trace" "$work/record2.txt"

# 3. A replay holds Down into play (which keeps the chick alive for a while) and hands over;
# slower ticks leave time for the steps below.
trace=$work/trace3.jsonl
printf 'seed 11\n0 down 32\n0 up 32\n131 down 40\n' >"$work/handover.txt"
open_other_window
open_win "$work/game3.log" --scale 2 --tick-rate 32 --input "$work/handover.txt" --trace "$trace" \
    --record "$work/record3.txt"
wait_until 20 has '^{"ev":"keydown","code":40,' || fail "the replay did not reach its last key"
keys keydown Left
wait_until 10 has '^{"ev":"keydown","code":37,.*"jikidx":-7,' || fail "Left did not steer"
sleep 0.4
keys keyup Left
wait_until 10 has '^{"ev":"keyup","code":37,.*"jikidx":0,' || fail "releasing Left did not stop the chick"
from=$(field jikix '^{"ev":"keydown","code":37,')
to=$(field jikix '^{"ev":"keyup","code":37,')
[ "$to" -lt "$from" ] || fail "the chick did not move left ($from, then $to)"
has '^{"ev":"msgbox"' && fail "the game ended before the test was through; it cannot tell what it checked"
keys windowfocus "$other_id"
wait_until 10 has '^{"ev":"keyup","code":40,' || fail "Down, held since the replay, did not come up without the focus"
still_for 1.5 "the game ran without the focus"
client_shot 2 "$work/paused.png"
[ "$("$probe" "$work/paused.png" 0 0 784 240 max)" -le 63 ] || fail "the paused frame is not dimmed"
# Back to the game with a click, as a player would: it waits for Return.
client 2
keys mousemove $((cx + 20)) $((cy + 20)) click 1
still_for 1 "the game ran again before Return was pressed"
paused_ticks=$(ticks_now)
keys key Return
wait_until 10 more_ticks_than "$paused_ticks" || fail "Return did not go on after the pause"
keys key alt+F4
ended_with_0 "Alt+F4 did not end the game cleanly after a pause" "$work/game3.log"
replays_on_linux "$trace" "$work/record3.txt"
echo "$test_name: passed"
