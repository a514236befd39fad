#!/usr/bin/env bash
# Runs a Chromium test script (web_test.py, mobile_test.py) when the site and the browser are
# there; exit 77 (skipped) otherwise.
#   run_web_test.sh SCRIPT SITE_DIR KIPPURA_X_BINARY REPLAYS_DIR
set -euo pipefail
script=$1
site=$2
if [ ! -f "$site/kippura-x.wasm" ]; then
    echo "no site in $site: build it with cmake --preset web && cmake --build --preset web"
    exit 77
fi
if [ ! -x /usr/bin/chromedriver ] || ! /usr/bin/python3 -c 'import selenium' 2>/dev/null; then
    echo "chromium-driver or python3-selenium is not installed"
    exit 77
fi
# Chromium keeps its crash reports and dconf its settings under the home folder whatever the
# profile: the tests give them one of their own and leave the user's alone.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share
/usr/bin/python3 "$(dirname "$0")/$script" "${@:2}"
