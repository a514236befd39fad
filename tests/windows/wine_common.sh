# Sourced by the tests of the Windows build under wine, after setting test_name, with the Windows
# build folder: skips the test (status 77, saying why) where wine or the build is missing, and
# brings xvfb_common.sh's scratch folder, fail() and clean-up, which now also ends the wine server.
#   source "$(dirname "$0")/wine_common.sh" BUILD_WINDOWS
windows_build=$1
exe=$windows_build/kippura-x.exe
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb_common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine_env.sh"
trap 'wine_stop; cleanup' EXIT
skip() {
    echo "$test_name: skipped: $*"
    exit 77
}
if reason=$(wine_missing); then skip "$reason"; fi
[ -f "$exe" ] || skip "no $exe (cmake --preset windows && cmake --build --preset windows)"
