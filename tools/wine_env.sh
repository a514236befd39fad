# Sourced by the tests and tools that run the Windows build under Debian's wine64: a wine prefix
# of the Windows build's own (BUILD/wine, made on first use, about 11 s), and a wine server kept
# running meanwhile so that each start of a Windows program takes a fraction of a second.
# Nothing of wine's lands in the contributor's home folder: wine_prefix sets HOME and the XDG
# folders to BUILD/wine/home for the rest of the script, and wine's menu builder is off (it
# would put the installer's Start menu entry, its icons and menus into the desktop's menu).
#   source tools/wine_env.sh
#   wine_missing               succeeds, saying why, where wine cannot run here
#   wine_prefix BUILD          the prefix only: each program starts a server, which ends a few
#                              seconds after the last program (wineserver -w waits for that)
#   wine_start BUILD           the prefix and a server that stays; trap wine_stop EXIT. The
#                              server's desktop takes the display of the moment (DISPLAY): set it first
#   wine_run PROGRAM.exe ARGS  runs a Windows program (its exit status is wine_run's)
#   wine_stop                  ends the server (and every Windows program of the prefix)
wine_loader=/usr/lib/wine/wine64  # Debian's wine64; the `wine` wrapper is only recommended
wine_server=/usr/lib/wine/wineserver
# What a prefix is made with, written into its ready-mark: a prefix with another mark (or an empty
# one, as the first prefixes had) is made anew. 2: no menu builder, and the profile's Documents,
# Desktop and the like link into the prefix's own home instead of the real one.
wine_prefix_version=2

wine_missing() {
    if [ ! -x "$wine_loader" ] || [ ! -x "$wine_server" ]; then
        echo "no $wine_loader (Debian's wine64: tools/dev.sh test installs it)"
        return 0
    fi
    return 1
}

wine_prefix() {
    mkdir -p "$1"
    export WINEPREFIX=$(cd "$1" && pwd)/wine WINEARCH=win64 WINEDEBUG=-all
    # The prefix is made without Mono and Gecko, which wine would offer to download, and no
    # program starts the menu builder, which writes the desktop's menu entries into the home.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Whatever else wine or a program under it writes into the home goes into one of its own.
    # The profile folder (drive_c/users/NAME) still takes the user's name, which HOME does not
    # change. Set explicitly, the XDG folders win over HOME: they move with it.
    export HOME=$WINEPREFIX/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache \
        XDG_STATE_HOME=$HOME/.local/state
    (
        flock 9
        if [ "$(cat "$WINEPREFIX/.kx-ready" 2>/dev/null)" != "$wine_prefix_version" ]; then
            rm -rf "$WINEPREFIX"
            mkdir -p "$HOME"
            # No display while the prefix is made: no window asks anything.
            env -u DISPLAY "$wine_loader" wineboot --init >/dev/null 2>&1
            # With no window manager (Xvfb in the tests) wine draws the windows' frames itself,
            # and closing a window does not wait two seconds for a manager to answer.
            env -u DISPLAY "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            "$wine_server" -w
            echo "$wine_prefix_version" >"$WINEPREFIX/.kx-ready"
        fi
    ) 9>"$1/wine.lock"
}

wine_start() {
    wine_prefix "$1"
    # The server's services would hold the caller's output open: it gets /dev/null.
    "$wine_server" -p </dev/null >/dev/null 2>&1
}

wine_run() { "$wine_loader" "$@"; }

wine_stop() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    "$wine_server" -k >/dev/null 2>&1 || true
    "$wine_server" -w >/dev/null 2>&1 || true  # until the server and its programs are gone
}
