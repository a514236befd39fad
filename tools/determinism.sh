#!/usr/bin/env bash
# The same input gives the same game on every compiler and build type: replays the same input
# files headless in several builds (one of them linked with -flto, which also checks that no type
# is defined twice in two ways) and checks that their traces, and the last frame, are
# byte-identical.
#   tools/determinism.sh [PRESET...]     default: default release asan clang-release release-lto windows
# Builds only kippura-x in each preset's build directory (reusing what is there); the windows
# preset's kippura-x.exe runs under wine (tools/wine_env.sh). The inputs:
# every tests/replays/*.txt, and three random key sequences of 20 000 ticks made here with fixed
# seeds (so every build gets the same files).
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default release asan clang-release release-lto windows)

# run PRESET ARGS...: that build's program.
run() {
    local preset=$1
    shift
    if [ "$preset" = windows ]; then "$wine_loader" build/windows/kippura-x.exe "$@"; else "build/$preset/kippura-x" "$@"; fi
}
# The sanitizer settings of the asan test preset, for the asan build's runs.
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

for p in "${presets[@]}"; do
    cmake --preset "$p" >/dev/null
    cmake --build --preset "$p" --target kippura-x
done

work=$(mktemp -d)
source tools/wine_env.sh
trap 'wine_stop; rm -rf "$work"' EXIT
if [[ " ${presets[*]} " == *" windows "* ]]; then
    if reason=$(wine_missing); then echo "determinism: $reason" >&2; exit 1; fi
    unset DISPLAY WAYLAND_DISPLAY
    wine_start build/windows
fi

# A random run: keys going down and up every few ticks, arrows and Z most of all, now and then
# any other key (which also starts the next game after a game over).
random_input() {  # SEED TICKS
    awk -v seed="$1" -v ticks="$2" 'BEGIN {
        srand(seed)
        print "seed " seed
        n = split("37 38 39 40 90 90 90 32", codes, " ")
        t = 0
        while (t < ticks) {
            t += int(rand() * 12)
            code = codes[1 + int(rand() * n)]
            if (rand() < 0.05) code = int(rand() * 65536)
            print t, (rand() < 0.6 ? "down" : "up"), code
        }
    }'
}

inputs=()
for seed in 1 2 3; do
    random_input "$seed" 20000 >"$work/random_$seed.txt"
    inputs+=("$work/random_$seed.txt")
done
shopt -s nullglob
inputs+=(tests/replays/*.txt)
shopt -u nullglob

status=0
for input in "${inputs[@]}"; do
    name=$(basename "$input" .txt)
    reference=""
    for p in "${presets[@]}"; do
        run "$p" --headless --input "$input" --trace "$work/$name.$p.trace" \
            --screenshot "$work/$name.$p.png"
        if [ -z "$reference" ]; then
            reference=$p
            lines=$(wc -l <"$work/$name.$p.trace")
            continue
        fi
        if ! cmp -s "$work/$name.$reference.trace" "$work/$name.$p.trace"; then
            echo "determinism: $name: the $p trace differs from the $reference trace; first difference:"
            diff "$work/$name.$reference.trace" "$work/$name.$p.trace" | head -n 4 | cut -c 1-600
            status=1
        elif ! cmp -s "$work/$name.$reference.png" "$work/$name.$p.png"; then
            echo "determinism: $name: the $p last frame differs from the $reference one"
            status=1
        fi
        rm -f "$work/$name.$p.trace"
    done
    rm -f "$work/$name.$reference.trace"
    [ $status -eq 0 ] && echo "determinism: $name: $lines trace lines, identical in ${presets[*]}"
done
[ $status -eq 0 ] || { echo "determinism: FAILED"; exit 1; }
echo "determinism: ${#inputs[@]} inputs, identical traces and frames in ${#presets[@]} builds"
