#!/usr/bin/env bash
# Runs a command in the committed tree on a bare Debian bookworm, as on a newcomer's machine: shows
# that the project's own files install everything that the command needs.
#   tools/fresh_machine.sh 'tools/dev.sh test'
#   DISPLAY=:0 tools/fresh_machine.sh 'tools/dev.sh play'     (the window on this machine's display)
# Needs root. The bare system (debootstrap --variant=minbase) is made once and kept in
# $KX_FRESH_CACHE (default /var/cache/kippura-x-fresh); each run works on a throw-away overlay of
# it, so the cache stays bare. The tree is HEAD as `git archive` gives it, so commit first. The
# command runs as root in /src, and its status is this script's. KX_FRESH_KEEP=1 keeps the run's
# files (its path is printed) to look at after a failure.
set -euo pipefail

mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security

usage() {
    echo "usage: tools/fresh_machine.sh 'COMMAND'" >&2
    exit 2
}

# The part in a private mount and PID namespace (see below): the mounts of the run vanish with it
# even if it is killed, and nothing it started outlives it.
inside() {  # RUN_DIR BARE_ROOT COMMAND
    # Not local: the EXIT trap runs after this function has returned.
    run=$1 bare=$2 command=$3
    root=$run/root
    finish() {
        local status=$?
        # What the command left running (servers, the game) holds the mounts: end it, by id. In
        # this PID namespace, /proc lists only the processes of this run; this shell is 1.
        local p
        for p in /proc/[0-9]*; do
            p=${p#/proc/}
            [ "$p" != 1 ] && kill -KILL "$p" 2>/dev/null || true
        done
        sleep 0.5
        if mountpoint -q "$root"; then
            umount -R "$root" 2>/dev/null || umount -R -l "$root"
        fi
        exit "$status"
    }
    trap finish EXIT
    # A signal ends the run; without a handler, the first process of a PID namespace ignores it.
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP

    mount -t overlay overlay -o "lowerdir=$bare,upperdir=$run/upper,workdir=$run/work" "$root"
    mkdir -p "$root/src"
    tar -xf "$run/tree.tar" -C "$root/src"
    # apt in the root reaches Debian with this machine's name servers.
    rm -f "$root/etc/resolv.conf"
    cat /etc/resolv.conf >"$root/etc/resolv.conf"
    # npm reaches its registry through this machine's network too: where that network signs TLS
    # with an authority of this machine's own (a proxy's), the root trusts it as this machine
    # does, once Debian's ca-certificates is installed there. A newcomer's machine needs none.
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        mkdir -p "$root/usr/local/share/ca-certificates"
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
    fi
    # No service that a package installs may start in the root: it would not be this run's to stop.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"

    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/tmp"

    local env=(HOME=/root TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
    # Node reads those authorities from the system's bundle only when told to, as here.
    [ -n "${NODE_EXTRA_CA_CERTS:-}" ] && env+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt)
    # The newcomer's terminal brings its locale (C.UTF-8 is on every bookworm; others fall back to C).
    local v
    for v in LANG LANGUAGE $(compgen -v LC_); do
        [ -n "${!v:-}" ] && env+=("$v=${!v}")
    done
    # The X display of this machine, for the game's window: its sockets, and its cookie if any.
    if [ -n "${DISPLAY:-}" ]; then
        env+=(DISPLAY="$DISPLAY")
        if [ -d /tmp/.X11-unix ]; then
            mkdir -p "$root/tmp/.X11-unix"
            mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        fi
        if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
            install -m 600 "$XAUTHORITY" "$root/root/.Xauthority"
            env+=(XAUTHORITY=/root/.Xauthority)
        fi
    fi

    chroot "$root" /usr/bin/env -i "${env[@]}" /bin/bash -c "cd /src && $command"
}

if [ "${1:-}" = --inside ]; then
    [ $# -eq 4 ] || usage
    inside "$2" "$3" "$4"
    exit 0
fi

[ $# -eq 1 ] && [ -n "$1" ] || usage
command=$1
[ "$(id -u)" -eq 0 ] || { echo "fresh_machine: needs root (debootstrap, mounts, chroot)" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
self=$repo/tools/fresh_machine.sh
cache=${KX_FRESH_CACHE:-/var/cache/kippura-x-fresh}
bare=$cache/bookworm-minbase
mkdir -p "$cache"

if ! command -v debootstrap >/dev/null; then
    echo "fresh_machine: installing debootstrap"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap debian-archive-keyring
fi

# The bare system, made once; the lock keeps two runs from making it at the same time.
exec 9>"$cache/lock"
flock 9
if [ ! -f "$bare.complete" ]; then
    echo "fresh_machine: making a bare bookworm in $bare (once)"
    started=$SECONDS
    rm -rf "$bare"
    debootstrap --variant=minbase bookworm "$bare" "$mirror"
    cat >"$bare/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
    rm -f "$bare"/var/cache/apt/archives/*.deb
    touch "$bare.complete"
    echo "fresh_machine: the bare bookworm took $((SECONDS - started)) s"
fi
flock -u 9

run=$(mktemp -d "$cache/run.XXXXXX")
remove_run() {
    # The run's mounts live in its own namespace only; should one show here, keep the files.
    if grep -q " $run/" /proc/self/mounts; then
        echo "fresh_machine: $run is still mounted here; left as it is" >&2
    elif [ "${KX_FRESH_KEEP:-0}" = 1 ]; then
        echo "fresh_machine: the run's files are in $run/upper (the changes to the bare system)"
    else
        rm -rf "$run"
    fi
}
trap remove_run EXIT
mkdir "$run/upper" "$run/work" "$run/root"
git -C "$repo" archive --format=tar -o "$run/tree.tar" HEAD
echo "fresh_machine: $(git -C "$repo" log -1 --format='%h %s' HEAD)"
echo "fresh_machine: running on a bare bookworm, as root in /src: $command"

status=0
started=$SECONDS
unshare --mount --propagation private --pid --fork --mount-proc --kill-child=TERM -- \
    "$self" --inside "$run" "$bare" "$command" || status=$?
echo "fresh_machine: '$command' exited with status $status after $((SECONDS - started)) s"
exit "$status"
