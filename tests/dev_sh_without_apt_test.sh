#!/usr/bin/env bash
# tools/dev.sh on a system without apt (Fedora, Arch, ...): one line pointing to the README's
# section for that system, status 1, and nothing run.
set -euo pipefail
repo=$1
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
# The commands a bare system has, apt's and dpkg's left out.
for tool in bash dirname cmake ninja; do
    if command -v "$tool" >/dev/null; then ln -s "$(command -v "$tool")" "$bin/$tool"; fi
done
for command in play test web; do
    status=0
    out=$(env PATH="$bin" bash "$repo/tools/dev.sh" "$command" 2>&1) || status=$?
    [ "$status" -eq 1 ] || { echo "dev.sh $command without apt: status $status: $out" >&2; exit 1; }
    [ "$(wc -l <<<"$out")" -eq 1 ] || { echo "dev.sh $command without apt: not one line: $out" >&2; exit 1; }
    grep -q 'README.md' <<<"$out" || { echo "dev.sh $command without apt: no pointer to the README: $out" >&2; exit 1; }
    section=$(sed -n 's/.*see "\(.*\)" in README.md$/\1/p' <<<"$out")
    grep -q "^#* $section\$" "$repo/README.md" ||
        { echo "dev.sh points to a section \"$section\" that README.md does not have" >&2; exit 1; }
done
echo "dev.sh without apt: $out"
