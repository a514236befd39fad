#!/usr/bin/env bash
# Runs engine_test.mjs in Firefox or WebKit when the site, the browser and its driver are there;
# exit 77 (skipped) otherwise. WebKit gets an X server of its own (Xvfb), stopped at the end.
#   run_engine_test.sh firefox|webkit SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
engine=$1
site=$2
skip() { echo "skipped: $*"; exit 77; }
[ -f "$site/kippura-x.wasm" ] || skip "no site in $site: build it with cmake --preset web && cmake --build --preset web"
command -v node >/dev/null || skip "node is not installed"
# The browsers keep caches, crash reports and settings under the home folder: the tests give
# them one of their own and leave the user's alone.
home=$(mktemp -d)
cleanup() { rm -rf "$home"; }
trap cleanup EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share
case "$engine" in
    firefox)
        [ -x /usr/bin/firefox-esr ] || skip "firefox-esr is not installed"
        [ -d "$here/node_modules/puppeteer-core" ] ||
            skip "puppeteer-core is not installed: (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci)"
        node "$here/engine_test.mjs" "$@"
        ;;
    webkit)
        [ -x /usr/bin/WebKitWebDriver ] || skip "webkit2gtk-driver is not installed"
        [ -x /usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser ] || skip "libwebkit2gtk-4.1-0's MiniBrowser is not there"
        command -v Xvfb >/dev/null || skip "xvfb is not installed"
        display_file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
        xvfb=$!
        trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$display_file"; cleanup' EXIT
        for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
        [ -s "$display_file" ] || { echo "Xvfb did not start"; exit 1; }
        DISPLAY=:$(cat "$display_file") node "$here/engine_test.mjs" "$@"
        ;;
    *)
        echo "usage: run_engine_test.sh firefox|webkit SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR" >&2
        exit 2
        ;;
esac
