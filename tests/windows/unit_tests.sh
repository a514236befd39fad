#!/usr/bin/env bash
# The unit tests built for Windows (kx_windows_tests.exe: those that need neither SDL nor X, and
# the Windows front end's own) under wine.
#   unit_tests.sh BUILD_WINDOWS
set -euo pipefail
test_name="Windows unit tests"
source "$(dirname "$0")/wine_common.sh" "$1"
tests=$windows_build/tests/windows/kx_windows_tests.exe
[ -f "$tests" ] || skip "no $tests (cmake --preset windows && cmake --build --preset windows)"
unset DISPLAY WAYLAND_DISPLAY  # no window: the tests need no display
wine_start "$windows_build"
wine_run "$tests" --gtest_brief=1
