#!/usr/bin/env bash
# Runs web_test.py when the site and the browser are there; exit 77 (skipped) otherwise.
set -euo pipefail
site=$1
if [ ! -f "$site/kippura-x.wasm" ]; then
    echo "no site in $site: build it with cmake --preset web && cmake --build --preset web"
    exit 77
fi
if [ ! -x /usr/bin/chromedriver ] || ! /usr/bin/python3 -c 'import selenium' 2>/dev/null; then
    echo "chromium-driver or python3-selenium is not installed"
    exit 77
fi
exec /usr/bin/python3 "$(dirname "$0")/web_test.py" "$@"
