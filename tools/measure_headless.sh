#!/usr/bin/env bash
# Times a headless replay of 100,000 ticks without a trace (a key every 40 ticks keeps starting
# new games after each game over), and runs the benchmarks of a tick and of a frame.
#   tools/measure_headless.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
input=$(mktemp)
trap 'rm -f "$input"' EXIT
{ echo "seed 1"; for t in $(seq 0 40 100000); do echo "$t down 32"; echo "$t up 32"; done; } >"$input"
last=$("$build/kippura-x" --headless --input "$input" --ticks 100000 --trace - | tail -n 1 | grep -o '"ticks":[0-9]*')
echo "(with a trace, for the count: $last)"
start=$(date +%s%N)
"$build/kippura-x" --headless --input "$input" --ticks 100000
end=$(date +%s%N)
echo "headless replay of 100000 ticks without a trace: $(( (end - start) / 1000000 )) ms"
"$build/bench/kx_bench" --benchmark_min_time=0.5
