#!/usr/bin/env bash
# The browser's program stays small: no C++ streams or locale in it (they bring about 100 KB of
# code, with the month and day names of the locale's time parsing), at most 460 KB in all. Exit 77
# (skipped) when the site is not built.
#   wasm_size_test.sh SITE_DIR
set -euo pipefail
wasm=$1/kippura-x.wasm
if [ ! -f "$wasm" ]; then
    echo "no site in $1: build it with cmake --preset web && cmake --build --preset web"
    exit 77
fi
limit=$((460 * 1024))
size=$(stat -c %s "$wasm")
status=0
for name in January Sunday; do
    if grep -q -a "$name" "$wasm"; then
        echo "$wasm holds \"$name\": the C++ streams or locale are linked into the program"
        status=1
    fi
done
if [ "$size" -gt "$limit" ]; then
    echo "$wasm is $size bytes, over the $limit allowed"
    status=1
fi
[ "$status" -eq 0 ] && echo "$wasm: $size bytes (at most $limit), no locale names"
exit "$status"
