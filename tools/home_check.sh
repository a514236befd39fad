# Sourced by the package checks: a check must leave the contributor's home folder as it found
# it (wine's menu builder once put the installer's Start menu entry into the desktop's menu).
#   home_check_start DIR   before the run: notes the home folder ($HOME of the moment) and the
#                          time, in a stamp file in DIR (the caller's scratch folder, not the home)
#   home_check_end NAME    after it: lists every file and folder under that home made, changed or
#                          emptied of an entry meanwhile, and fails (NAME says whose run it was)
# Everything counts. A program of the contributor's own that writes into the home meanwhile (a
# browser, say) makes the check fail too; KX_HOME_CHECK_IGNORE then names what it wrote, paths
# under the home separated by ':' (".config/chromium:.cache/dconf"): each path, what is under it
# and the folders above it are left out.
home_check_start() {
    home_check_home=$HOME
    home_check_stamp=$1/home-check.stamp
    touch "$home_check_stamp"
}

# Succeeds when PATH is an ignored path, under one, or a folder above one.
home_check_ignored() {
    local ignored entries
    IFS=: read -ra entries <<<"${KX_HOME_CHECK_IGNORE:-}"
    for ignored in "${entries[@]}"; do
        [ -n "$ignored" ] || continue  # an empty entry would be the whole home
        ignored=$home_check_home/${ignored%/}
        case $ignored/ in "$1"/*) return 0 ;; esac
        case $1 in "$ignored"/*) return 0 ;; esac
    done
    return 1
}

home_check_end() {
    local path changed=()
    # The status-change time: it moves with every write, and a file restored with an old
    # modification time (as unpackers do) still shows. A folder whose entry was made or removed
    # shows too. Folders the user cannot read are not the check's business.
    while IFS= read -r path; do
        home_check_ignored "$path" || changed+=("$path")
    done < <(find "$home_check_home" -cnewer "$home_check_stamp" 2>/dev/null | LC_ALL=C sort)
    if [ ${#changed[@]} -gt 0 ]; then
        echo "$1: the run changed these under $home_check_home:" >&2
        printf '  %s\n' "${changed[@]}" >&2
        echo "$1: (a program of your own wrote some? KX_HOME_CHECK_IGNORE in tools/home_check.sh)" >&2
        return 1
    fi
    echo "$1: nothing changed under $home_check_home${KX_HOME_CHECK_IGNORE:+ (leaving out $KX_HOME_CHECK_IGNORE)}"
}
