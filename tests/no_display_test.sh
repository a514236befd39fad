#!/usr/bin/env bash
# Started where no window can be shown (an SSH login, a script, a packager's smoke test): the
# game ends at once with status 1 and one line that suggests --headless, instead of drawing
# nowhere for ever. A driver asked for by name in SDL_VIDEODRIVER is still used as it is.
set -euo pipefail
game=$1
test_name="no display test"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$test_name: $*" >&2; exit 1; }

# What merely starting the program costs here and now (much more under a sanitizer on a busy
# machine): the refusals below must come within a second beyond it.
start=$(date +%s%N)
"$game" --version >/dev/null
startup_ms=$((($(date +%s%N) - start) / 1000000))

# ends_with_one_line WHAT EXPECTED_LINE_PATTERN ENV...: the game run in that environment ends
# with status 1 within a second, having printed exactly one line on stderr and none on stdout.
ends_with_one_line() {
    local what=$1 pattern=$2
    shift 2
    local start status ms
    start=$(date +%s%N)
    timeout -s KILL 10 env "$@" "$game" --seed 1 >"$work/out" 2>"$work/err" && status=0 || status=$?
    ms=$((($(date +%s%N) - start) / 1000000))
    [ "$status" -eq 1 ] || fail "$what: status $status (137: it never ended): $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] && [ -z "$(tail -c 1 "$work/err")" ] ||
        fail "$what: not exactly one line on stderr: $(cat -A "$work/err")"
    grep -Eq "$pattern" "$work/err" || fail "$what: unexpected line: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "$what: something on stdout: $(cat "$work/out")"
    [ "$ms" -le $((1000 + startup_ms)) ] || fail "$what: ended after $ms ms (--version: $startup_ms ms)"
    echo "$what: status 1 after $ms ms (--version: $startup_ms ms): $(cat "$work/err")"
}

refusal='^kippura-x: cannot open a window: .*; run with --headless to play a replay without a screen$'
# Without XDG_RUNTIME_DIR, libwayland's own complaint is what used to leak out.
ends_with_one_line "no display variables" "$refusal" -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR
free=99
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
ends_with_one_line "DISPLAY=:$free with no server" "^kippura-x: cannot open a window: .*DISPLAY=:$free\\).*--headless" -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
    DISPLAY=":$free"
ends_with_one_line "no display and no Japanese font" '^kippura-x: no Japanese font found' -u DISPLAY -u WAYLAND_DISPLAY \
    -u SDL_VIDEODRIVER FONTCONFIG_FILE="$(cd "$(dirname "$0")" && pwd)/no_fonts.conf"
ends_with_one_line "SDL_VIDEODRIVER naming no driver" '^kippura-x: cannot open a window with SDL_VIDEODRIVER=nosuch:' \
    -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=nosuch

# Asked for by name, the dummy driver is used: the game runs (drawing nowhere) until stopped.
timeout -s TERM 2 env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy "$game" --seed 1 >"$work/out" 2>"$work/err" &&
    status=0 || status=$?
[ "$status" -eq 124 ] || fail "SDL_VIDEODRIVER=dummy was not used (status $status): $(cat "$work/err")"
echo "no display test: passed"
