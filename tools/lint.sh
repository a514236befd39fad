#!/usr/bin/env bash
# The house rules on the game's sources: the committed .clang-format, and clang-tidy with the
# committed .clang-tidy, against the compile commands of a build (default: build/default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
[ -f "$build/compile_commands.json" ] || { echo "lint: no $build/compile_commands.json (configure first)" >&2; exit 2; }
# The sources are found in the tree rather than asked of git: the tree may be an unpacked archive.
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror
echo "lint: clang-format: clean"
# Only the files the build compiles (the web front end has its own build).
find src -name '*.cpp' -not -path 'src/web/*' | sort | xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint: clang-tidy: clean"
