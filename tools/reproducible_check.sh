#!/usr/bin/env bash
# Checks that the packages are the same bytes from two builds of the same commit: copies the
# committed tree (git archive) into two folders of different names and depths, builds the
# packages in each with a different umask, locale, time zone and file times, one after the other,
# both with SOURCE_DATE_EPOCH taken from the commit (the second one only while configuring), and
# compares them with cmp; and that the second build's umask 077 gave no member another mode than
# rw-r--r-- or rwxr-xr-x. A package that differs is named, with a listing of its members from
# either build to show where. Nothing is built in the tree's own build folders. Outside a git
# checkout, the tree is copied as it is, and its newest file gives the time.
#   tools/reproducible_check.sh [--keep] [COMMIT]
# --keep leaves the two builds in the scratch folder; COMMIT (HEAD by default) is the one built.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "reproducible check: $*" >&2; exit 1; }
keep=false
rev=HEAD
for arg; do
    case $arg in
        --keep) keep=true ;;
        -*) fail "unknown option $arg (usage: tools/reproducible_check.sh [--keep] [COMMIT])" ;;
        *) rev=$arg ;;
    esac
done

if command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1; then
    commit=$(git rev-parse --verify --short "$rev^{commit}") || fail "$rev is not a commit of this checkout"
    epoch=$(git log -1 --format=%ct "$commit")
    version=$(git show "$commit:CMakeLists.txt" | sed -n 's/^project(kippura-x VERSION \([0-9.]*\).*/\1/p')
    export_tree() { git archive "$commit"; }
else
    # A tree without its history (a source tarball, or the copy of a commit that
    # tools/fresh_machine.sh unpacks): its files as they are, without the build folders and what the
    # tests write beside them; the time stamp is the newest file's, which in a tree unpacked from
    # `git archive` is the commit's.
    [ "$rev" = HEAD ] || fail "not a git checkout: only this tree can be built, not $rev"
    commit=tree
    skip=(-path ./build -o -path ./tests/web/node_modules -o -name __pycache__)
    epoch=$(find . \( "${skip[@]}" \) -prune -o -type f -printf '%T@\n' | sort -n | tail -n 1)
    epoch=${epoch%.*}
    version=$(sed -n 's/^project(kippura-x VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    export_tree() { tar -c --exclude=./build --exclude=./tests/web/node_modules --exclude=__pycache__ .; }
    echo "reproducible check: not a git checkout: building this tree as it is, its time $epoch (its newest file's)"
fi
[ -n "$version" ] || fail "no version in $commit's CMakeLists.txt"

# The packages, one a line: the preset, the targets that make it, and the package, relative to
# the preset's build folder. A .deb is made by cpack from the targets' build.
packages=(
    "release|kippura-x icons kx_compressed_docs|kippura-x_${version}_amd64.deb"
    "windows|windows_packages|packages/kippura-x-${version}-windows-x64.zip"
    "windows|windows_packages|packages/kippura-x-${version}-setup.exe"
    "portable|portable_package|packages/kippura-x-${version}-linux-x86_64.tar.gz"
    "web|web_zip|packages/kippura-x-${version}-web.zip"
)
# Only what the packages need: no tests, benchmarks, soak run or tools.
lean=(-DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCHMARKS=OFF -DKX_BUILD_SOAK=OFF -DKX_BUILD_TOOLS=OFF)

work=$(mktemp -d /tmp/kx-repro.XXXXXX)
if $keep; then echo "reproducible check: the builds stay in $work"; else trap 'rm -rf "$work"' EXIT; fi

# build NAME SOURCE UMASK LOCALE TZ WHEN: the packages of one copy, into $work/NAME-packages, with
# SOURCE_DATE_EPOCH set WHEN "always" or only while configuring ("configuring", as the README has
# packagers do).
build() {
    local name=$1 src=$2 mask=$3 locale=$4 zone=$5 when=$6 out=$work/$1-packages line preset targets file
    local built=" " log=$work/$name.log
    mkdir -p "$out"
    echo "reproducible check: build $name in $src (umask $mask, LC_ALL=$locale, TZ=$zone, SOURCE_DATE_EPOCH $when)"
    for line in "${packages[@]}"; do
        IFS='|' read -r preset targets file <<<"$line"
        if [[ $built != *" $preset "* ]]; then
            local start=$SECONDS
            (
                umask "$mask"
                cd "$src"
                export LC_ALL=$locale LANG=$locale TZ=$zone
                [ "$when" != always ] || export SOURCE_DATE_EPOCH=$epoch
                [ "$preset" != web ] || export NODE_PATH=/usr/share/nodejs
                read -r -a target_list <<<"$targets"
                # (no set -e in a subshell under ||: each step is chained)
                SOURCE_DATE_EPOCH=$epoch cmake --preset "$preset" "${lean[@]}" >>"$log" 2>&1 &&
                    cmake --build --preset "$preset" --target "${target_list[@]}" >>"$log" 2>&1 &&
                    if [[ $file == *.deb ]]; then cd "build/$preset" && cpack >>"$log" 2>&1; fi
            ) || { tail -n 40 "$log"; fail "build $name of the $preset preset failed (the end of its log above)"; }
            echo "reproducible check: build $name: the $preset preset in $((SECONDS - start)) s"
            built+="$preset "
        fi
        [ -f "$src/build/$preset/$file" ] || fail "build $name made no build/$preset/$file"
        cp "$src/build/$preset/$file" "$out/"
    done
}

# odd_modes FILE: the package's members whose modes are other than rw-r--r-- or rwxr-xr-x.
odd_modes() {
    case $1 in
        *.deb) ar tv "$1" | sed 's/^/-/'; dpkg-deb --fsys-tarfile "$1" | tar -tv ;;
        *.tar.gz) tar -tvzf "$1" ;;
        *.zip) cmake -E tar tvf "$1" ;;
    esac | grep -Ev '^[-d](rw-r--r--|rwxr-xr-x) ' || true
}

# members FILE: what a package holds, with its members' modes, owners, times and checksums.
members() {
    local dir
    dir=$(mktemp -d "$work/members.XXXXXX")
    case $1 in
        *.deb)
            ar tv "$1"
            dpkg-deb -I "$1"
            dpkg-deb --fsys-tarfile "$1" | tar -tv --full-time
            dpkg-deb -x "$1" "$dir" ;;
        *.zip)  # (zipinfo, where unzip is installed, also shows each entry's extra fields)
            cmake -E tar tvf "$1"
            if command -v zipinfo >/dev/null; then zipinfo -v "$1" | grep -v '^Archive:'; fi
            (cd "$dir" && cmake -E tar xf "$1") ;;
        *.tar.gz)
            tar -tvzf "$1" --full-time
            tar -xzf "$1" -C "$dir" ;;
        *.exe)  # an installer: its header (nsis packs the rest in one compressed block)
            x86_64-w64-mingw32-objdump -p "$1" | sed -n '2,30p' ;;
    esac
    (cd "$dir" && find . -type f -exec md5sum {} + | sort -k 2)
}

tree_a=$work/a/kippura-x
tree_b=$work/second/copy/of/the/game-$commit
mkdir -p "$tree_a" "$tree_b"
export_tree | tar -x -C "$tree_a"
# The second copy's files get the time of unpacking, not the commit's, and modes under umask 077.
(umask 077 && export_tree | tar -x -m --no-same-permissions -C "$tree_b")

start=$(date +%s)
build a "$tree_a" 022 C.UTF-8 UTC always
build b "$tree_b" 077 C KXT-14 configuring  # 14 hours east of UTC, as on Kiritimati (no tzdata needed)
echo "reproducible check: built twice in $(($(date +%s) - start)) s"

differ=0
for line in "${packages[@]}"; do
    file=$(basename "${line##*|}")
    if cmp "$work/a-packages/$file" "$work/b-packages/$file"; then
        echo "reproducible check: $file is the same bytes from both builds ($(stat -c %s "$work/a-packages/$file") bytes)"
    else
        differ=1
        echo "reproducible check: $file differs between the two builds; its members (< first build, > second):" >&2
        diff <(members "$work/a-packages/$file" 2>&1) <(members "$work/b-packages/$file" 2>&1) >&2 || true
    fi
done
# The umask of the second build (077) reached no mode in its packages.
for line in "${packages[@]}"; do
    file=$(basename "${line##*|}")
    odd=$(odd_modes "$work/b-packages/$file")
    [ -z "$odd" ] || { differ=1; echo "$odd" >&2; echo "reproducible check: $file has members of other modes than rw-r--r-- and rwxr-xr-x (above)" >&2; }
done
[ "$differ" -eq 0 ] || fail "the packages above are not the same bytes from two builds of $commit"
echo "reproducible check: every package is the same bytes from two builds of $commit"
