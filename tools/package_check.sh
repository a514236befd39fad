#!/usr/bin/env bash
# Checks the game's Debian package without installing it: builds it from the release build, runs
# lintian on it, unpacks it into a scratch folder, checks what is in it, and starts the unpacked
# game headless (its version, a short replay that must reach its last tick, and the whole-game
# replay it installs, to the trace of the whole game); then, with the unpacked MIME type and desktop
# entries alone, that a desktop takes a recording (*.kxr, or the first line the game writes) for the
# game's file type and opens it with kippura-x --input FILE. Then the portable Linux tarball in a
# bare root, against the unpacked game (tools/portable_check.sh), and the Windows zip and installer
# (tools/windows_package_check.sh, under wine). Last, that nothing changed in the home folder
# meanwhile (tools/home_check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
fail() { echo "package check: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source tools/home_check.sh
home_check_start "$work"

id=org.kippurax.kippurax
version=$(sed -n 's/^project(kippura-x VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"

# appstreamcli exits 0 on pedantic notes, and a store shows every one of them: none is allowed.
validate_metainfo() {
    local out
    out=$(appstreamcli validate --pedantic --no-net "$1" 2>&1) || { echo "$out"; fail "$1 is not valid AppStream"; }
    if grep -qE '^[EWIP]: ' <<<"$out"; then echo "$out"; fail "appstreamcli has notes on $1"; fi
}
desktop-file-validate "data/$id.desktop"
desktop-file-validate "data/$id.replay.desktop"
grep -q '^StartupWMClass=kippura-x$' "data/$id.desktop" || fail "the desktop entry lost its StartupWMClass"
validate_metainfo "data/$id.metainfo.xml"

# A packager's machine may lack GoogleTest and Google Benchmark: the release build still
# configures, skipping just those, and never turns warnings into errors.
cmake --preset release -B "$work/bare-build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/bare-build.log" 2>&1 ||
    { cat "$work/bare-build.log"; fail "the release build does not configure without GoogleTest"; }
grep -q '^-- Skipping the tests (no GoogleTest.*) and the benchmarks (no Google Benchmark' "$work/bare-build.log" ||
    { cat "$work/bare-build.log"; fail "no line saying that the tests and benchmarks are skipped"; }
! grep -q "kx_tests" "$work/bare-build/build.ninja" || fail "the tests are configured without GoogleTest"

cmake --preset release >/dev/null
if grep -q -- '-Werror' build/release/compile_commands.json; then fail "the release build uses -Werror"; fi
# Only what the package holds; the rest of the release build is the tests' business.
cmake --build --preset release --target kippura-x icons kx_compressed_docs
(cd build/release && rm -f kippura-x_*.deb && cpack >/dev/null)
deb=build/release/kippura-x_${version}_amd64.deb
[ -f "$deb" ] || fail "cpack made no $deb"
echo "package: $deb"
dpkg-deb -f "$deb" Depends

# lintian as a distribution would run it: any error or warning fails the check.
lintian_status=0
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
grep -v '^running with root privileges' "$work/lintian.log" || true
if [ "$lintian_status" -ne 0 ] || grep -qE '^[EW]: ' "$work/lintian.log"; then
    fail "lintian has errors or warnings"
fi
echo "package check: lintian has no error and no warning"

root=$work/root
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/games/kippura-x" ] || fail "usr/games/kippura-x is not in the package"
[ ! -e "$root/usr/bin" ] || fail "the package has usr/bin: the game belongs in usr/games"
for f in "usr/share/applications/$id.desktop" "usr/share/applications/$id.replay.desktop" \
         "usr/share/mime/packages/$id.xml" "usr/share/metainfo/$id.metainfo.xml" \
         "usr/share/icons/hicolor/48x48/apps/$id.png" usr/share/man/man6/kippura-x.6.gz \
         usr/share/doc/kippura-x/copyright usr/share/doc/kippura-x/changelog.gz \
         usr/share/games/kippura-x/whole-game-replay.kxr; do
    [ -f "$root/$f" ] || fail "$f is not in the package"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -qx 'Exec=/usr/games/kippura-x' "$root/usr/share/applications/$id.desktop" ||
    fail "the desktop entry does not start /usr/games/kippura-x"
! grep -q '^MimeType=' "$root/usr/share/applications/$id.desktop" ||
    fail "the menu's desktop entry opens files: the one for recordings is $id.replay.desktop"
desktop-file-validate "$root/usr/share/applications/$id.replay.desktop"
for line in 'Exec=/usr/games/kippura-x --input %f' 'NoDisplay=true' 'MimeType=application/x-kippura-x-recording;'; do
    grep -qxF "$line" "$root/usr/share/applications/$id.replay.desktop" ||
        fail "the desktop entry for recordings has no line $line"
done
validate_metainfo "$root/usr/share/metainfo/$id.metainfo.xml"
head -n 1 "$root/usr/share/doc/kippura-x/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "the copyright file is not machine-readable"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
zcat "$root/usr/share/doc/kippura-x/changelog.gz" | head -n 1 | grep -q "^kippura-x ($version) " ||
    fail "data/changelog has no entry for $version at the top"

# The unpacked game finds all it needs on the machine (libraries, fonts) and nothing in the tree.
game=$root/usr/games/kippura-x
"$game" --version | grep -qF "$version" || fail "the packaged game does not say its version $version"
"$game" --version
last=$(cd "$work" && "$game" --headless --input "$repo/tests/replays/full_game.txt" --ticks 300 --trace - | tail -n 1)
case "$last" in
    *'"ticks":300,'*) echo "package check: the packaged game replayed 300 ticks" ;;
    *) fail "the packaged game did not replay the input" ;;
esac
# The whole-game replay that the README and the manual page name shows the whole game.
(cd "$work" && "$game" --headless --input "$root/usr/share/games/kippura-x/whole-game-replay.kxr" --trace "$work/whole.trace")
zcat tests/replays/full_game.trace.gz | cmp - "$work/whole.trace" ||
    fail "the packaged whole-game replay does not replay the whole game"
echo "package check: the packaged whole-game replay plays the whole game to its ending"

# Recordings open like documents. A desktop of the packaged MIME type and desktop entries alone, as
# dpkg's triggers would make it on installing (update-mime-database, update-desktop-database),
# first in XDG_DATA_DIRS; the entry for recordings starts a stand-in for /usr/games/kippura-x that
# writes down its arguments. GNOME's way (gio) answers xdg-mime and opens the file, as in GNOME,
# Xfce, MATE and Cinnamon; no session bus, and nothing read or written in the home folder.
desk=$work/desktop
mkdir -p "$desk/share/mime/packages" "$desk/share/applications" "$desk/bin" "$desk/home" "$desk/config"
cp "$root/usr/share/mime/packages/$id.xml" "$desk/share/mime/packages/"
cp "$root/usr/share/applications/$id.desktop" "$desk/share/applications/"
sed 's|^Exec=/usr/games/kippura-x |Exec='"$desk"'/bin/kippura-x |' "$root/usr/share/applications/$id.replay.desktop" \
    >"$desk/share/applications/$id.replay.desktop"
grep -q "^Exec=$desk/bin/kippura-x --input %f\$" "$desk/share/applications/$id.replay.desktop" ||
    fail "no stand-in for the program in the desktop entry for recordings"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/launched.tmp" && mv "%s/launched.tmp" "%s/launched"\n' \
    "$desk" "$desk" "$desk" >"$desk/bin/kippura-x"
chmod +x "$desk/bin/kippura-x"
desktop_env() {
    env -i PATH=/usr/bin:/bin HOME="$desk/home" XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS="$desk/share:/usr/share" \
        XDG_DATA_HOME="$desk/home/data" XDG_CONFIG_HOME="$desk/config" XDG_CONFIG_DIRS="$desk/config" \
        XDG_CACHE_HOME="$desk/home/cache" DBUS_SESSION_BUS_ADDRESS="unix:path=$desk/no-bus" GIO_USE_VFS=local "$@"
}
desktop_env update-mime-database "$desk/share/mime"
desktop_env update-desktop-database "$desk/share/applications"
recording="$desk/a recorded game.kxr"
cp "$root/usr/share/games/kippura-x/whole-game-replay.kxr" "$recording"
printf '# kippura-x recording\nseed 1\n0 down 32\n0 up 32\n' >"$desk/named-otherwise"  # as --record writes it
for f in "$root/usr/share/games/kippura-x/whole-game-replay.kxr" "$recording" "$desk/named-otherwise"; do
    type=$(desktop_env xdg-mime query filetype "$f") || fail "xdg-mime failed on $f"
    [ "$type" = application/x-kippura-x-recording ] || fail "xdg-mime takes $f for $type, not a recording"
done
# Any other text stays text: a replay of the tests, named .txt and starting with its own comment.
type=$(desktop_env xdg-mime query filetype "$repo/tests/replays/full_game.txt") || fail "xdg-mime failed on full_game.txt"
[ "$type" = text/plain ] || fail "xdg-mime takes tests/replays/full_game.txt for $type, not text/plain"
echo "package check: xdg-mime takes *.kxr, and a file that starts as recordings do, for application/x-kippura-x-recording"
desktop_env gio open "$recording" || fail "gio open failed on a recording"
for _ in $(seq 100); do [ -e "$desk/launched" ] && break; sleep 0.1; done
[ -e "$desk/launched" ] || fail "opening a recording did not start the game"
[ "$(cat "$desk/launched")" = "$(printf '%s\n' --input "$recording")" ] ||
    fail "opening a recording started the game with: $(tr '\n' ' ' <"$desk/launched"), not --input $recording"
echo "package check: opening a recording starts kippura-x --input on it"

# The portable Linux tarball, run in a bare root against the unpacked .deb's game.
tools/portable_check.sh "$game"

# The Windows packages, the zip and the installer: built by the windows preset, checked under wine.
tools/windows_package_check.sh

home_check_end "package check" || fail "the check wrote into the home folder (above)"
