#!/usr/bin/env bash
# The house rules on the game's sources: the layers' include table below, the committed
# .clang-format, and clang-tidy with the committed .clang-tidy against the compile commands of a
# build (default: build/default).
#   tools/lint.sh [BUILD]     everything
#   tools/lint.sh --layers    only the include table (quick; also a ctest test)
set -euo pipefail
cd "$(dirname "$0")/.."

# The layers' table, bottom up: each layer and the layers it may include besides itself. The one
# table, which CMake checks every layer library's links against too (cmake/layers.cmake).
layer_file=cmake/layers.txt
layer_table=$(grep -v '^#' "$layer_file")

check_layers() {
    local status=0 folder
    for folder in src/*/; do
        folder=${folder%/}
        grep -q "^${folder#src/}:" <<<"$layer_table" ||
            { echo "$folder: a folder that is not in the layer table $layer_file"; status=1; }
    done
    # The table itself is a stack: each row is a folder and names only the rows before it, so no
    # two layers may include each other.
    awk -v file="$layer_file" '
        /^[^:]+:/ {
            layer = $1; sub(/:$/, "", layer)
            if (system("test -d src/" layer) != 0) {
                printf "%s: %s: a layer with no folder src/%s\n", file, layer, layer; bad = 1
            }
            for (i = 2; i <= NF; ++i)
                if (!($i in seen)) {
                    printf "%s: %s: %s is not a layer of an earlier row (the rows go bottom up)\n", file, layer, $i
                    bad = 1
                }
            seen[layer] = 1
        }
        END { exit bad }' <<<"$layer_table" || status=1
    # Every quoted include of every source under src/, checked against the table.
    find src -name '*.cpp' -o -name '*.h' | sort | xargs grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
        awk -v table="$layer_table" '
            BEGIN {
                n = split(table, rows, "\n")
                for (r = 1; r <= n; ++r) {
                    if (split(rows[r], parts, ":") < 2) continue
                    allowed[parts[1]] = " " parts[1] " " parts[2] " "
                    gsub(/  +/, " ", allowed[parts[1]])
                    below[parts[1]] = parts[2]
                    gsub(/^ +| +$/, "", below[parts[1]])
                    gsub(/ +/, ", ", below[parts[1]])
                }
            }
            {
                file = $0; sub(/:.*/, "", file)
                line = $0; sub(/^[^:]*:/, "", line); sub(/:.*/, "", line)
                split(file, path, "/"); layer = path[2]
                header = $0; sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
                if (header ~ /\.\.\//) {
                    printf "%s:%s: #include \"%s\": no \"../\" includes; name headers from src/ (\"%s/...\")\n", file, line, header, layer
                    bad = 1; next
                }
                if (split(header, parts, "/") < 2) {
                    printf "%s:%s: #include \"%s\": name headers from src/, with their layer (\"%s/%s\")\n", file, line, header, layer, header
                    bad = 1; next
                }
                target = parts[1]
                if (!(layer in allowed) || index(allowed[layer], " " target " ") == 0) {
                    printf "%s:%s: #include \"%s\": %s may include only %s (a layer includes only the layers below it)\n", file, line, header, layer, (below[layer] == "" ? "itself" : below[layer])
                    bad = 1
                }
            }
            END { exit bad }' || status=1
    return $status
}

if [ "${1:-}" = "--layers" ]; then
    check_layers
    echo "lint: layers: clean"
    exit 0
fi

build=${1:-build/default}
[ -f "$build/compile_commands.json" ] || { echo "lint: no $build/compile_commands.json (configure first)" >&2; exit 2; }
check_layers
echo "lint: layers: clean"
# The sources are found in the tree rather than asked of git: the tree may be an unpacked archive.
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror
echo "lint: clang-format: clean"
# Every source under src/ with the compile commands of the build that compiles it: the browser
# front end's calls are built natively too; the Windows front end and its main() only by the
# windows preset, for which clang is told mingw's target and where its C++ library is.
windows_sources() { find src/windows src/app/windows_main.cpp -name '*.cpp' | sort; }
# The portable build's own programs are compiled in build/portable only.
portable_sources() { printf '%s\n' src/app/portable_main.cpp src/app/portable_launcher.cpp src/app/older_glibc.cpp; }
find src -name '*.cpp' | sort | grep -vxF -f <(windows_sources) | grep -vxF -f <(portable_sources) |
    xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint: clang-tidy: clean"
if [ -f build/portable/compile_commands.json ]; then
    portable_sources | xargs clang-tidy -p build/portable --quiet 2>/dev/null
    echo "lint: clang-tidy of the portable build's programs: clean"
else
    echo "lint: clang-tidy left out the portable build's programs: no build/portable (cmake --preset portable)"
fi
if [ -f build/windows/compile_commands.json ]; then
    mingw_cxx=$(find /usr/lib/gcc/x86_64-w64-mingw32 -maxdepth 3 -path '*-posix/include/c++' | head -n 1)
    windows_sources | xargs -P "$(nproc)" -n 4 clang-tidy -p build/windows --quiet --extra-arg=--target=x86_64-w64-mingw32 \
        --extra-arg=-isystem"$mingw_cxx" --extra-arg=-isystem"$mingw_cxx/x86_64-w64-mingw32" \
        --extra-arg=-isystem"$mingw_cxx/backward" 2>/dev/null
    echo "lint: clang-tidy of the Windows front end: clean"
else
    echo "lint: clang-tidy left out the Windows front end: no build/windows (cmake --preset windows)"
fi
