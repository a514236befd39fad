#!/usr/bin/env bash
# Checks the installable game: validates the desktop entry and the AppStream metainfo, builds the
# Debian package from the release build, installs it on this machine, and starts the installed
# game headless (its version, and a short replay that must reach its last tick).
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

desktop-file-validate data/org.kippurax.KippuraX.desktop
appstreamcli validate --no-net data/org.kippurax.KippuraX.metainfo.xml
grep -q '^StartupWMClass=kippura-x$' data/org.kippurax.KippuraX.desktop

cmake --preset release >/dev/null
cmake --build --preset release
(cd build/release && rm -f kippura-x_*.deb && cpack >/dev/null)
deb=$(ls build/release/kippura-x_*.deb)
echo "package: $deb"
dpkg-deb -f "$deb" Depends
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "./$deb" >/dev/null

installed=/usr/bin/kippura-x
[ -x "$installed" ] || { echo "package check: $installed is not installed" >&2; exit 1; }
for f in /usr/share/applications/org.kippurax.KippuraX.desktop /usr/share/metainfo/org.kippurax.KippuraX.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/org.kippurax.KippuraX.png /usr/share/man/man6/kippura-x.6; do
    [ -f "$f" ] || { echo "package check: $f is missing" >&2; exit 1; }
done
"$installed" --version
last=$("$installed" --headless --input tests/replays/full_game.txt --ticks 300 --trace - | tail -n 1)
case "$last" in
    *'"ticks":300,'*) echo "package check: the installed game replayed 300 ticks" ;;
    *) echo "package check: the installed game did not replay the input" >&2; exit 1 ;;
esac
