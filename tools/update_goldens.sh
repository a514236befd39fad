#!/usr/bin/env bash
# Rewrites the golden replays (tests/replays/NAME.trace.gz and NAME.expected) from the game as it
# is now, after a deliberate change of the game; then shows what changed, for review before
# committing: where each trace first differs, the last frames, and the readable summaries.
#   tools/update_goldens.sh [--rerecord] [--accept-less] [PRESET]     default preset: default
# Each NAME.txt says what its run must reach ("# reaches: the ending, 5 bosses beaten, 0 game
# overs"); a golden that would reach less is refused and left as it was, unless --accept-less,
# which writes the new reach into NAME.txt. --rerecord first plays the inputs again with the
# autopilot, for every NAME.txt with a line "# autopilot: ARGS" (its comment lines are kept).
# A new golden: add tests/replays/NAME.txt (an input file) and run this.
# To read a diff of the compressed traces themselves:
#   git config diff.gzip.textconv "gzip -dc"     (tests/replays/.gitattributes names the driver)
set -euo pipefail
cd "$(dirname "$0")/.."
rerecord=0 preset=default
unset KX_ACCEPT_LESS
for arg in "$@"; do
    case "$arg" in
        --rerecord) rerecord=1 ;;
        --accept-less) export KX_ACCEPT_LESS=1 ;;
        -*) echo "usage: tools/update_goldens.sh [--rerecord] [--accept-less] [PRESET]" >&2; exit 2 ;;
        *) preset=$arg ;;
    esac
done
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target kippura-x kx_program_tests autopilot

if [ $rerecord -eq 1 ]; then
    for input in tests/replays/*.txt; do
        args=$(sed -n 's/^# autopilot: //p' "$input")
        [ -n "$args" ] || { echo "$(basename "$input"): no \"# autopilot:\" line, kept as it is"; continue; }
        # shellcheck disable=SC2086 # the line holds the autopilot's arguments
        events=$("build/$preset/tools/autopilot/autopilot" $args | grep -v '^#')
        { grep '^#' "$input"; printf '%s\n' "$events"; } >"$input.new"
        mv "$input.new" "$input"
        echo "$(basename "$input"): played again by autopilot $args"
    done
fi

status=0
KX_UPDATE_GOLDENS=1 "build/$preset/tests/kx_program_tests" --gtest_filter='GoldenReplays.*' >"build/$preset/goldens.log" 2>&1 ||
    status=$?
grep -E '^[A-Za-z0-9_]+: |^  |^\[  (PASSED|FAILED)|refused' "build/$preset/goldens.log" || true
git status --short tests/replays
git --no-pager diff --stat tests/replays
git --no-pager diff -- 'tests/replays/*.expected' | cut -c1-200
exit $status
