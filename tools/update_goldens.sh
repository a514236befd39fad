#!/usr/bin/env bash
# Rewrites the golden replays (tests/replays/NAME.trace.gz and NAME.expected) from the game as it
# is now, after a deliberate change of the game; then shows what changed, for review before
# committing: where each trace first differs, the last frames, and the readable summaries.
#   tools/update_goldens.sh [PRESET]     default: default
# A new golden: add tests/replays/NAME.txt (an input file) and run this.
# To read a diff of the compressed traces themselves:
#   git config diff.gzip.textconv "gzip -dc"     (tests/replays/.gitattributes names the driver)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target kippura-x kx_tests
KX_UPDATE_GOLDENS=1 "build/$preset/tests/kx_tests" --gtest_filter='GoldenReplays.*' |
    grep -E '^[A-Za-z0-9_]+: |^  |^\[  (PASSED|FAILED)'
git status --short tests/replays
git --no-pager diff --stat tests/replays
git --no-pager diff -- 'tests/replays/*.expected' | cut -c1-200
