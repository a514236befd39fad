#!/usr/bin/env bash
# Checks the portable Linux tarball where its players run it: builds it (the portable preset),
# checks what its programs need of the system (libraries, the highest glibc version), then runs
# it in a bare root that holds only the C library, SDL2 and the X client libraries a desktop has,
# with their own dependencies: no fonts, no SDL_ttf, no fontconfig, no C++ library. There its game
# must replay the goldens to the same traces and frames, byte for byte, as the Debian package's
# game (DEB_GAME, unpacked by tools/package_check.sh) does here, answer the same to the same
# options, and open its window under Xvfb with the title drawn as the .deb's game draws it. Last,
# with SDL2 taken out of the root, its launcher must say so in one line, not the loader's error.
#   tools/portable_check.sh DEB_GAME
# The root is entered with chroot in a mount and PID namespace of its own (unshare; as root, or
# as a user mapped to root where user namespaces are allowed).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
[ $# -eq 1 ] && [ -x "$1" ] || { echo "usage: tools/portable_check.sh DEB_GAME (the .deb's unpacked game)" >&2; exit 2; }
deb_game=$1
test_name="portable check"
source tests/xvfb_common.sh  # work (a scratch folder, removed at the end), fail, start_xvfb

version=$(sed -n 's/^project(kippura-x VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake --preset portable >/dev/null
cmake --build --preset portable
tarball=build/portable/packages/kippura-x-$version-linux-x86_64.tar.gz
[ -f "$tarball" ] || fail "the portable build made no $tarball"
echo "package: $tarball"

# What the programs ask of the system: the launcher the C library alone, the game SDL2 and libX11
# besides, each glibc's version at most 2.34 (Ubuntu 22.04, RHEL 9).
mkdir "$work/unpacked"
tar -xzf "$tarball" -C "$work/unpacked"
folder=$work/unpacked/kippura-x-$version-linux-x86_64
for f in kippura-x libexec/kippura-x README LICENSE whole-game-replay.kxr share/man/man6/kippura-x.6.gz \
         share/applications/org.kippurax.kippurax.desktop share/metainfo/org.kippurax.kippurax.metainfo.xml \
         share/icons/hicolor/256x256/apps/org.kippurax.kippurax.png; do
    [ -e "$folder/$f" ] || fail "$f is not in the tarball"
done
needs() {  # needs PROGRAM ALLOWED...: its needed libraries are among ALLOWED; prints them
    local needed
    needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    for lib in $needed; do
        [[ " ${*:2} " == *" $lib "* ]] || fail "${1#"$folder/"} needs $lib, which a player's system may lack"
    done
    echo "package check: ${1#"$folder/"} needs $(echo $needed)"
}
needs "$folder/kippura-x" libc.so.6 ld-linux-x86-64.so.2
needs "$folder/libexec/kippura-x" libc.so.6 libm.so.6 libX11.so.6 libSDL2-2.0.so.0 ld-linux-x86-64.so.2
for program in kippura-x libexec/kippura-x; do
    highest=$(objdump -T "$folder/$program" | grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' | sort -uV | tail -n 1)
    echo "package check: $program needs glibc $highest"
    [ "$(printf '%s\n' "$highest" 2.34 | sort -V | tail -n 1)" = 2.34 ] || fail "$program needs glibc $highest, newer than 2.34"
    ! objdump -T "$folder/$program" | grep -qE 'GLIBCXX_|CXXABI_' || fail "$program needs the system's C++ library"
done

# The bare root: the files of those packages and of everything they depend on, as installed here,
# laid out as a merged /usr system with the loader's cache.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
declare -A root_packages=()
queue=(libc6 libsdl2-2.0-0 libx11-6 libxext6 libxcursor1 libxi6 libxrandr2 libxss1 libxfixes3 libxrender1
       libxinerama1 libxxf86vm1 libxkbcommon0)
while [ ${#queue[@]} -gt 0 ]; do
    p=${queue[0]}
    queue=("${queue[@]:1}")
    [ -z "${root_packages[$p]:-}" ] || continue
    installed "$p" || fail "$p is not installed here (tools/dev.sh test installs it)"
    root_packages[$p]=1
    IFS=',' read -ra wants <<<"$(dpkg-query -W -f='${Pre-Depends}, ${Depends}' "$p")"
    for want in "${wants[@]}"; do
        IFS='|' read -ra alternatives <<<"$want"
        for alternative in "${alternatives[@]}"; do
            name=$(sed 's/(.*//; s/:any//; s/[[:space:]]//g' <<<"$alternative")
            if [ -n "$name" ] && installed "$name"; then queue+=("$name"); break; fi
        done
    done
done
packages=$(printf '%s\n' "${!root_packages[@]}" | sort)
for p in $packages; do
    case $p in
        *font* | *ttf* | *freetype* | libstdc++*) fail "the bare root would hold $p" ;;
    esac
done
echo "package check: a bare root of $(wc -w <<<"$packages") packages: $(echo $packages)"
root=$work/root
mkdir -p "$root/usr/bin" "$root/usr/sbin" "$root/usr/lib" "$root/usr/lib64" "$root/proc" "$root/dev" "$root/tmp" "$root/out" \
    "$root/etc"
for d in bin sbin lib lib64; do ln -s "usr/$d" "$root/$d"; done
chmod 1777 "$root/tmp" "$root/out"
# Their files, without the documentation, which no program reads; what the packages put in /lib
# (and /bin, /sbin) goes under /usr, as on a merged system.
for p in $packages; do dpkg -L "$p"; done | grep -vE '^/usr/share/(doc|doc-base|man|lintian|bug)/' |
    while read -r f; do if [ -L "$f" ] || [ -f "$f" ]; then echo "${f#/}"; fi; done | sort -u >"$work/root.files"
tar -C / -cf - --no-recursion -T "$work/root.files" --transform 's,^\(bin\|sbin\|lib\|lib64\)/,usr/\1/,S' |
    tar -C "$root" -xf -
ldconfig -r "$root"
cp -a "$folder" "$root/opt-kippura-x"

# in-root PROGRAM ARGS...: runs a program of the root there, with a player's plain environment
# (and the display, once there is one). A script, so that `timeout` can start it too.
as_root=""
[ "$(id -u)" -eq 0 ] || as_root="--user --map-root-user"
in_root=$work/in-root
{
    echo '#!/bin/sh'
    echo 'exec env -i PATH=/usr/bin:/bin HOME=/tmp LANG=C.UTF-8 ${DISPLAY:+"DISPLAY=$DISPLAY"} \'
    echo "    unshare $as_root --mount --pid --fork --kill-child -- \\"
    echo "    sh -c 'mount -t proc proc \"\$0/proc\" && mount --rbind /dev \"\$0/dev\" && exec /usr/sbin/chroot \"\$0\" \"\$@\"' \"$root\" \"\$@\""
} >"$in_root"
chmod +x "$in_root"
# on_host PROGRAM ARGS...: the .deb's game, here, with the same plain environment.
mkdir "$work/home"
on_host() { env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 ${DISPLAY:+"DISPLAY=$DISPLAY"} "$@"; }
game=/opt-kippura-x/kippura-x

# The same answers to the same options.
for args in --version --help "--verify /opt-kippura-x/whole-game-replay.kxr"; do
    # shellcheck disable=SC2086
    "$in_root" $game $args >"$work/portable.out" 2>&1 || fail "kippura-x $args failed in the bare root: $(cat "$work/portable.out")"
    # shellcheck disable=SC2086
    on_host "$deb_game" ${args//\/opt-kippura-x/$folder} >"$work/deb.out" 2>&1 || fail "the .deb's kippura-x $args failed"
    cmp -s "$work/deb.out" "$work/portable.out" ||
        { diff "$work/deb.out" "$work/portable.out" || true; fail "kippura-x $args answers otherwise than the .deb's"; }
done
"$in_root" $game --input /no/such/file >"$work/portable.out" 2>&1 && fail "a missing input file was not refused"
grep -q '^kippura-x: /no/such/file: cannot open the input file' "$work/portable.out" ||
    fail "a missing input file was refused with: $(cat "$work/portable.out")"
echo "package check: the tarball's game starts in the bare root and answers as the .deb's does"

# The goldens, headless: the same traces and frames, byte for byte.
for replay in tests/replays/*.txt; do
    name=$(basename "$replay" .txt)
    cp "$replay" "$root/out/$name.txt"
    "$in_root" $game --headless --input "/out/$name.txt" --trace "/out/$name.trace" --screenshot "/out/$name.png" ||
        fail "the tarball's game failed to replay $replay in the bare root"
    (cd "$work" && on_host "$deb_game" --headless --input "$repo/$replay" --trace "$work/$name.trace" --screenshot "$work/$name.png")
    cmp "$work/$name.trace" "$root/out/$name.trace" || fail "$name: the trace differs from the .deb's game's"
    cmp "$work/$name.png" "$root/out/$name.png" || fail "$name: the last frame differs from the .deb's game's"
    echo "package check: $name: the same trace ($(wc -l <"$work/$name.trace") records) and last frame as the .deb's game"
done

# The window: the title as the .deb's game draws it. Both games' windows are 1,176 x 858 on this
# 1280 x 1024 screen, the frame at three times its size; each must come to show the .deb's game's
# headless title frame tripled, pixel for pixel.
(cd "$work" && on_host "$deb_game" --headless --seed 5 --screenshot "$work/title_headless.png")
convert "$work/title_headless.png" -filter point -resize 300% "$work/title_tripled.png"
start_xvfb
title_in_window() {  # title_in_window NAME PROGRAM...: waits until its window shows the title
    local name=$1
    shift
    timeout -s KILL 60 "$@" --seed 5 >"$work/$name.log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    local id
    id=$(timeout -s KILL 20 xdotool search --sync --onlyvisible --name 'ver1\.20' | head -n 1) ||
        fail "$name: no window appeared: $(cat "$work/$name.log")"
    local size differing=""
    size=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ "$size" = 1176x858 ] || fail "$name: the window is $size, not 1176x858"
    local deadline=$((SECONDS + 20))
    while [ "$SECONDS" -le "$deadline" ]; do
        timeout -s KILL 15 import -window "$id" "$work/$name.png"
        differing=$(compare -metric AE "$work/title_tripled.png" "$work/$name.png" null: 2>&1) || true
        [ "$differing" = 0 ] && break
        sleep 0.2
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ "$differing" = 0 ] || fail "$name: the window's title differs from the .deb's game's in $differing pixels"
}
title_in_window ".deb's game" env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" "$deb_game"
title_in_window "tarball's game" "$in_root" $game
echo "package check: the window opens in the bare root, 1176 x 858, the title drawn as the .deb's game draws it"

# Without SDL2 the launcher says so in one line (and the loader's own error never shows).
mkdir "$work/taken-out"
mv "$root"/usr/lib/x86_64-linux-gnu/libSDL2-2.0.so.0* "$work/taken-out/"
ldconfig -r "$root"
status=0
"$in_root" $game --version >"$work/missing.out" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "without SDL2 the launcher exited with $status, not 1: $(cat "$work/missing.out")"
[ "$(wc -l <"$work/missing.out")" -eq 1 ] || fail "without SDL2 the launcher said more than one line: $(cat "$work/missing.out")"
grep -q '^kippura-x needs SDL2, which this system lacks (libSDL2-2.0.so.0 was not found)' "$work/missing.out" ||
    fail "without SDL2 the launcher said: $(cat "$work/missing.out")"
echo "package check: without SDL2: $(cat "$work/missing.out")"
