#!/usr/bin/env bash
# Every golden and five autopilot games, replayed headless by kippura-x.exe under wine: the
# traces and the last frames are the Linux build's, byte for byte. A trace written to standard
# output is the same bytes as one written to a file, and --help is Linux's (no "\r\n" for "\n").
#   replays_test.sh BUILD_WINDOWS LINUX_BINARY AUTOPILOT REPLAYS_FOLDER
set -euo pipefail
test_name="Windows replays"
source "$(dirname "$0")/wine_common.sh" "$1"
linux=$2
autopilot=$3
replays=$4
unset DISPLAY WAYLAND_DISPLAY
wine_start "$windows_build"

inputs=("$replays"/*.txt)
# Seed 1 is the full_game golden's; five more whole games of the autopilot's.
for seed in 2 3 4 5 6; do
    timeout -s KILL 120 "$autopilot" --seed "$seed" --out "$work/pilot_$seed.txt" 2>/dev/null
    inputs+=("$work/pilot_$seed.txt")
done

for input in "${inputs[@]}"; do
    name=$(basename "$input" .txt)
    timeout -s KILL 120 "$linux" --headless --input "$input" --trace "$work/$name.linux.trace" \
        --screenshot "$work/$name.linux.png"
    timeout -s KILL 120 "$wine_loader" "$exe" --headless --input "$input" --trace "$work/$name.windows.trace" \
        --screenshot "$work/$name.windows.png" || fail "$name: kippura-x.exe failed"
    cmp "$work/$name.linux.trace" "$work/$name.windows.trace" >&2 || fail "$name: the trace differs from Linux's"
    cmp "$work/$name.linux.png" "$work/$name.windows.png" >&2 || fail "$name: the last frame differs from Linux's"
    echo "$name: $(wc -l <"$work/$name.windows.trace") records and the last frame equal Linux's"
done

# The help and the version on standard output, with "\n" line ends.
timeout -s KILL 30 "$wine_loader" "$exe" --version >"$work/version.txt"
grep -qx 'kippura-x [0-9.]*' "$work/version.txt" || fail "--version said: $(cat "$work/version.txt")"
timeout -s KILL 30 "$wine_loader" "$exe" --help >"$work/help.txt"
"$linux" --help | cmp - "$work/help.txt" >&2 || fail "--help differs from Linux's"

input=${inputs[0]}
timeout -s KILL 120 "$wine_loader" "$exe" --headless --input "$input" --trace - >"$work/stdout.trace"
cmp "$work/stdout.trace" "$work/$(basename "$input" .txt).linux.trace" >&2 ||
    fail "the trace on standard output differs from the file"
echo "$test_name: passed"
