#!/usr/bin/env bash
# Set-up, build, play and test on a Debian machine.
#   tools/dev.sh play [game options]   install what the game needs, build the game alone, start it
#   tools/dev.sh check                 the contributor's quick check: the game's packages and
#                                      GoogleTest, the game and its unit and golden tests, the layers
#   tools/dev.sh test                  install everything, build, run every test
#   tools/dev.sh web                   install what is missing, build the browser site, serve it
set -euo pipefail
cd "$(dirname "$0")/.."

# The set-up installs Debian's packages: elsewhere, say so at once and where to look instead.
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    echo "tools/dev.sh: this is for Debian and Ubuntu (it installs with apt-get); on other systems see" \
         "\"Other Linux distributions\" in README.md" >&2
    exit 1
fi

# Building and running the game: the compiler and build tools, SDL's, X11's and zlib's headers,
# the Japanese font it cannot run without, and DejaVu, the usual sans-serif of its score line.
game_packages=(
    cmake ninja-build g++ pkg-config
    libsdl2-dev libsdl2-ttf-dev libfontconfig1-dev libx11-dev zlib1g-dev
    fonts-ipafont-gothic fonts-dejavu-core
)
# The quick check's tests besides: GoogleTest, and SDL_image to read the screenshots back.
check_packages=(libgtest-dev libgmock-dev libsdl2-image-dev)
# Everything else the test command runs: clang and its sanitizer and libFuzzer run-time (only
# recommended by clang, so missing with --no-install-recommends) for the fuzzers and the
# determinism check, clang-format and clang-tidy for the house rules, the benchmark library, the
# X server, tools and window manager of the window tests (XTest's headers for pressing keys by
# their place), and what the package check uses
# (dpkg-shlibdeps and file for CPack, lintian, the validators, and the desktop's MIME and desktop
# databases with xdg-mime and gio, which open a recording as a file manager does).
test_packages=(
    clang libclang-rt-dev clang-format clang-tidy
    libbenchmark-dev
    xvfb xauth xdotool x11-apps x11-utils libxtst-dev imagemagick openbox
    desktop-file-utils appstream dpkg-dev file lintian
    shared-mime-info xdg-utils libglib2.0-bin
)
# The browser build and its tests: Debian's emscripten and node, Debian's Python for the test
# scripts and the local web server, and the three engines players use: Chromium driven by
# Selenium, Firefox driven over WebDriver BiDi by puppeteer-core (from npm, pinned by
# tests/web/package-lock.json; it never downloads a browser), and WebKit, WebKitGTK's MiniBrowser
# driven by WebKitWebDriver under Xvfb.
web_packages=(emscripten nodejs python3)
web_test_packages=(chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0)
# The Windows build and its tests: the mingw-w64 cross compiler (the posix flavour has C++'s
# threads), zlib and GoogleTest's sources for it, nsis for the installer, and wine64 to run it all
# (without the recommended packages: the `wine` wrapper, fonts and 32-bit wine are not needed).
windows_packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest nsis wine64)

# Debian's npm, only where no npm is there: a node from elsewhere (NodeSource) brings its own, and
# Debian's package would conflict with it.
npm_if_missing() {
    command -v npm >/dev/null || install_missing npm
}

# The browser tests' npm packages, exactly as locked.
install_test_modules() {
    (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}

install_missing() {  # PACKAGE...
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

case "${1:-}" in
    play)
        install_missing "${game_packages[@]}"
        cmake --preset play >/dev/null
        cmake --build --preset play
        exec ./build/play/kippura-x "${@:2}"
        ;;
    check)
        install_missing "${game_packages[@]}" "${check_packages[@]}"
        cmake --preset check >/dev/null
        cmake --build --preset check
        ctest --preset check
        ;;
    test)
        install_missing "${game_packages[@]}" "${check_packages[@]}" "${test_packages[@]}" "${web_packages[@]}" \
            "${web_test_packages[@]}" "${windows_packages[@]}"
        npm_if_missing
        install_test_modules
        cmake --preset default >/dev/null
        cmake --build --preset default
        cmake --preset windows >/dev/null  # its compile commands, for the lint of the Windows front end
        cmake --preset portable >/dev/null  # and of the portable build's programs
        tools/lint.sh build/default
        cmake --preset web >/dev/null
        cmake --build --preset web  # the site that the browser tests (web_*) load
        cmake --build --preset windows  # kippura-x.exe and its unit tests, run under wine (windows_*)
        ctest --preset default  # every tier, the package check (tools/package_check.sh) included
        # Reliability (docs/reliability.md): the soak in the release build, the whole suite again
        # under AddressSanitizer and UBSan, each fuzzer for a minute, and the same traces from
        # six different builds (one linked with -flto, one for Windows and run under wine).
        cmake --preset release >/dev/null
        cmake --build --preset release --target kx_soak
        build/release/tests/soak/kx_soak --seconds 30 --quiet
        cmake --preset asan >/dev/null
        cmake --build --preset asan
        ctest --preset asan  # all but the browsers, wine and the packages, which run other builds than this one
        fuzz/run.sh 60
        tools/determinism.sh
        ;;
    web)
        # The native build renders the text table and the icons; emscripten builds the page.
        install_missing "${game_packages[@]}" "${web_packages[@]}"
        cmake --preset web >/dev/null
        cmake --build --preset web
        echo "kippura-x in the browser: http://127.0.0.1:8642/ (Ctrl+C stops the server)"
        exec /usr/bin/python3 -m http.server 8642 --bind 127.0.0.1 --directory build/web/site
        ;;
    *)
        echo "usage: tools/dev.sh play [game options] | tools/dev.sh check | tools/dev.sh test | tools/dev.sh web" >&2
        exit 2
        ;;
esac
