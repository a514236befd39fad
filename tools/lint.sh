#!/usr/bin/env bash
# The house rules on the game's sources: the committed .clang-format, and clang-tidy with the
# committed .clang-tidy, against the compile commands of a build (default: build/default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
[ -f "$build/compile_commands.json" ] || { echo "lint: no $build/compile_commands.json (configure first)" >&2; exit 2; }
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'tools/*.cpp' 'tools/*.h' |
    xargs clang-format --dry-run -Werror
echo "lint: clang-format: clean"
# Only the files the build compiles (the web front end has its own build).
git ls-files 'src/*.cpp' | grep -v '^src/web/' | xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint: clang-tidy: clean"
