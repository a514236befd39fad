#!/usr/bin/env bash
# Checks the game's Debian package without installing it: builds it from the release build, runs
# lintian on it, unpacks it into a scratch folder, checks what is in it, and starts the unpacked
# game headless (its version, a short replay that must reach its last tick, and the whole-game
# replay it installs, to the trace of the whole game). Then the Windows zip and installer
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
for f in "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
         "usr/share/icons/hicolor/48x48/apps/$id.png" usr/share/man/man6/kippura-x.6.gz \
         usr/share/doc/kippura-x/copyright usr/share/doc/kippura-x/changelog.gz \
         usr/share/games/kippura-x/whole-game-replay.txt; do
    [ -f "$root/$f" ] || fail "$f is not in the package"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -qx 'Exec=/usr/games/kippura-x' "$root/usr/share/applications/$id.desktop" ||
    fail "the desktop entry does not start /usr/games/kippura-x"
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
(cd "$work" && "$game" --headless --input "$root/usr/share/games/kippura-x/whole-game-replay.txt" --trace "$work/whole.trace")
zcat tests/replays/full_game.trace.gz | cmp - "$work/whole.trace" ||
    fail "the packaged whole-game replay does not replay the whole game"
echo "package check: the packaged whole-game replay plays the whole game to its ending"

# The Windows packages, the zip and the installer: built by the windows preset, checked under wine.
tools/windows_package_check.sh

home_check_end "package check" || fail "the check wrote into the home folder (above)"
