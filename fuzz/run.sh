#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset) and runs each for a bounded time, all at once,
# starting from a copy of its seed corpus in fuzz/corpus/<target>/. The committed corpus is never
# written to.
#   fuzz/run.sh [SECONDS]        seconds per target, default 60
# A target that crashes, hangs or breaks a rule fails the run; the input that did it is kept in
# build/fuzz/runs/<target>/artifacts/ (replay it: build/fuzz/fuzz/<target> FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(input_script_fuzz link_fuzz game_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

pids=()
for target in "${targets[@]}"; do
    work=build/fuzz/runs/$target
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp fuzz/corpus/"$target"/* "$work/corpus/"
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1 &
    pids+=($!)
done

status=0
for k in "${!targets[@]}"; do
    target=${targets[$k]}
    work=build/fuzz/runs/$target
    if wait "${pids[$k]}"; then
        runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/log")
        rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$work/log")
        echo "fuzz: $target passed: $runs runs in $seconds s ($rate/s), corpus grew to $(ls "$work/corpus" | wc -l) inputs"
    else
        tail -n 60 "$work/log"
        echo "fuzz: $target FAILED; the input is in $work/artifacts/: $(ls "$work/artifacts")"
        status=1
    fi
done
exit $status
