#!/usr/bin/env bash
# The layers as the docs list them, against the one table, cmake/layers.txt (bottom up), order
# too: docs/architecture.md's indented list after "The layers, top down" (one layer a line, its
# first word), and the backticked names of the README's sentence in "## The program" that says
# which folders "are the layers" (bottom up, in prose: up to its full stop the layers are its only
# backticked plain words). Fails showing the difference, a diff of the table and each list read
# bottom up.
set -euo pipefail
repo=$1
table=$(sed -n 's/^\([a-z_]*\):.*/\1/p' "$repo/cmake/layers.txt")
[ -n "$table" ] || { echo "cmake/layers.txt: no layers" >&2; exit 1; }

architecture=$(awk '/^The layers, top down/ { on = 1; next }
                    on && /^    [a-z]/ { print $1; seen = 1; next }
                    on && seen { exit }' "$repo/docs/architecture.md" | tac)
readme=$(awk '/^## The program$/ { on = 1; next } on && /^## / { exit } on' "$repo/README.md" | tr '\n' ' ' |
         sed -n 's/.*are the layers\([^.]*\)\..*/\1/p' | { grep -o '`[a-z_]*`' || true; } | tr -d '`')

status=0
check() {  # check NAME LIST
    if [ -z "$2" ]; then
        echo "$1: no list of the layers found" >&2
        status=1
    elif [ "$2" != "$table" ]; then
        echo "$1: its list of the layers differs from cmake/layers.txt (both bottom up):" >&2
        diff -u --label cmake/layers.txt --label "$1" <(echo "$table") <(echo "$2") | tail -n +3 >&2 || true
        status=1
    fi
}
check docs/architecture.md "$architecture"
check README.md "$readme"
[ "$status" -eq 0 ] && echo "layer docs: docs/architecture.md and README.md list the layers of cmake/layers.txt"
exit "$status"
