#!/usr/bin/env bash
# Checks the Windows packages (called by tools/package_check.sh): builds them with the windows
# preset; checks the exe (a windowed program that needs no DLL beyond Windows' own, its icon,
# version and manifest) and the sizes; unpacks the zip and runs its game; then, under wine, installs
# the installer silently, checks what it installed (files, Start menu entry, the entry of the
# installed apps, recordings' file type .kxr), replays a golden and the whole game shipped with it
# with the installed game, uninstalls silently and checks that no file and no registry key of the
# game is left, and that the uninstaller leaves .kxr alone once another program has taken it. Last, that
# nothing changed in the home folder meanwhile (tools/home_check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
fail() { echo "windows package check: $*" >&2; exit 1; }
work=$(mktemp -d)
source tools/wine_env.sh
source tools/home_check.sh
trap 'wine_stop; rm -rf "$work"' EXIT
home_check_start "$work"

version=$(sed -n 's/^project(kippura-x VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build=build/windows
exe=$build/kippura-x.exe
zip=$build/packages/kippura-x-$version-windows-x64.zip
setup=$build/packages/kippura-x-$version-setup.exe
cmake --preset windows >/dev/null
cmake --build --preset windows --target windows_packages
for f in "$exe" "$zip" "$setup"; do [ -f "$f" ] || fail "the build made no $f"; done

# Goals: the exe at most 4 MB, the installer at most 2.5 MB.
size() { stat -c %s "$1"; }
echo "kippura-x.exe $(size "$exe") bytes, $(basename "$zip") $(size "$zip"), $(basename "$setup") $(size "$setup")"
[ "$(size "$exe")" -le 4000000 ] || fail "kippura-x.exe is larger than 4 MB"
[ "$(size "$setup")" -le 2500000 ] || fail "the installer is larger than 2.5 MB"

# A windowed program, 64-bit, whose DLLs are all Windows' own (no C++ run-time, no zlib1.dll).
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "kippura-x.exe is not a windowed (GUI) program"
grep -q '^Magic.*PE32+' <<<"$headers" || fail "kippura-x.exe is not a 64-bit program"
dlls=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr 'a-z' 'A-Z' | sort -u | tr '\n' ' ')
for dll in $dlls; do
    case $dll in
        KERNEL32.DLL | USER32.DLL | GDI32.DLL | MSVCRT.DLL | WINMM.DLL | IMM32.DLL) ;;
        *) fail "kippura-x.exe needs $dll, which Windows does not have" ;;
    esac
done
echo "windows package check: kippura-x.exe needs only $dlls"
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
[ "$(grep -c 'RT_ICON \*/' <<<"$resources")" -eq 8 ] || fail "the exe's icon does not have its eight sizes"
grep -q "FILEVERSION ${version//./, }, 0" <<<"$resources" || fail "the exe's version information is not $version"
grep -q 'PerMonitorV2' <<<"$resources" || fail "the exe's manifest does not ask for per-monitor DPI (v2)"
grep -q 'activeCodePage.*UTF-8' <<<"$resources" || fail "the exe's manifest does not make UTF-8 the code page"

# The zip: one folder with the exe, the README, the LICENSE and the whole game's replay, the texts
# with Windows' line ends, the replay as recorded (the game reads either line end).
folder=kippura-x-$version
replay=tests/replays/full_game.txt
listing="$folder/LICENSE.txt $folder/README.txt $folder/kippura-x.exe $folder/whole-game-replay.kxr "
[ "$(cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "$listing" ] ||
    fail "the zip does not hold exactly $listing: $(cmake -E tar tf "$zip")"
(cd "$work" && cmake -E tar xf "$repo/$zip")
cmp "$work/$folder/kippura-x.exe" "$exe" || fail "the zip's exe is not the one built"
cmp "$work/$folder/whole-game-replay.kxr" "$replay" || fail "the zip's whole-game-replay.kxr is not $replay"
grep -q $'\r$' "$work/$folder/README.txt" || fail "README.txt does not have Windows' line ends"
grep -q "kippura-x $version" "$work/$folder/README.txt" || fail "README.txt does not name version $version"

if reason=$(wine_missing); then fail "$reason"; fi
unset DISPLAY WAYLAND_DISPLAY  # the silent installer and the headless game show no window
# The server ends a few seconds after the last program: wineserver -w then waits for every
# program, the uninstaller's own copy included.
wine_prefix "$build"
[ "$(wine_run "$work/$folder/kippura-x.exe" --version)" = "kippura-x $version" ] ||
    fail "the zip's game does not say its version"

registry_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\kippura-x'
extension_key='HKCU\Software\Classes\.kxr'
progid_key='HKCU\Software\Classes\kippura-x.recording'
profile=$WINEPREFIX/drive_c/users/$(id -un)
installed=$profile/AppData/Local/Programs/kippura-x
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/kippura-x.lnk"
# A check that stopped half way leaves the game installed: start from a machine without it.
rm -rf "$installed" "$shortcut"
for key in "$registry_key" "$extension_key" "$progid_key"; do wine_run reg delete "$key" /f >/dev/null 2>&1 || true; done
before=$(cd "$profile" && find . -type f | sort)

wine_run "$setup" /S || fail "the installer failed"
"$wine_server" -w
for f in kippura-x.exe README.txt LICENSE.txt whole-game-replay.kxr uninstall.exe; do
    [ -f "$installed/$f" ] || fail "the installer did not put $f into %LOCALAPPDATA%\\Programs\\kippura-x"
done
cmp "$installed/kippura-x.exe" "$exe" || fail "the installed exe is not the one built"
cmp "$installed/whole-game-replay.kxr" "$replay" || fail "the installed whole-game-replay.kxr is not $replay"
[ -f "$shortcut" ] || fail "the installer made no Start menu entry"
entry=$(wine_run reg query "$registry_key") || fail "the game is not listed under the installed apps"
for value in "DisplayName.*kippura-x" "DisplayVersion.*$version" "DisplayIcon.*kippura-x.exe" \
             "UninstallString.*uninstall.exe" "QuietUninstallString.*/S" "EstimatedSize.*REG_DWORD"; do
    grep -q "$value" <<<"$entry" || fail "the installed apps' entry has no $value: $entry"
done
echo "windows package check: installed silently; the entry of the installed apps:"
echo "$entry" | tr -d '\r' | sed -n 's/^    /  /p'
# Recordings open with the game: .kxr names the ProgID, whose command replays the file.
# (reg query prints a value as NAME, TYPE, DATA; the default value's name is "(Default)".)
reg_value() {  # KEY [NAME]: the data of the value NAME, or of the key's default value
    local out which=(/ve)
    [ $# -lt 2 ] || which=(/v "$2")
    out=$(wine_run reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r') || return 1
    sed -n 's/^    .*    REG_[A-Z_]*    //p; s/^    .*    REG_[A-Z_]*$//p' <<<"$out" | head -n 1
}
[ "$(reg_value "$extension_key")" = kippura-x.recording ] ||
    fail "the installer did not give .kxr the ProgID kippura-x.recording: $(wine_run reg query "$extension_key" /s)"
wine_run reg query "$extension_key\OpenWithProgids" /v kippura-x.recording >/dev/null 2>&1 ||
    fail "the game is not among .kxr's programs to open with"
[ "$(reg_value "$progid_key")" = "kippura-x recording" ] || fail "the ProgID does not name the type kippura-x recording"
windows_installed=$(wine_run winepath -w "$installed" | tr -d '\r')
open_command=$(reg_value "$progid_key\shell\open\command") || fail "the ProgID has no command to open a recording"
[ "${open_command,,}" = "\"${windows_installed,,}\\kippura-x.exe\" --input \"%1\"" ] ||
    fail "a recording opens with $open_command, not the installed kippura-x.exe --input \"%1\""
[ "$(reg_value "$progid_key\DefaultIcon")" != "" ] || fail "the recordings' type has no icon"
echo "windows package check: .kxr opens with $open_command"

# The installed game replays a golden to its trace.
golden=tests/replays/game_over_and_again
wine_run "$installed/kippura-x.exe" --headless --input "$golden.txt" --trace "$work/installed.trace" ||
    fail "the installed game failed to replay $golden.txt"
zcat "$golden.trace.gz" | cmp - "$work/installed.trace" || fail "the installed game's trace differs from $golden's"
echo "windows package check: the installed game replayed $golden to its trace"
# The README's whole game: the installed copy, to the ending and THE END (full_game's trace).
wine_run "$installed/kippura-x.exe" --headless --input "$installed/whole-game-replay.kxr" --trace "$work/whole.trace" ||
    fail "the installed game failed to replay its whole-game-replay.kxr"
zcat "${replay%.txt}.trace.gz" | cmp - "$work/whole.trace" ||
    fail "the installed whole-game-replay.kxr does not replay to ${replay%.txt}'s trace"
grep -q 'ＴＨＥ ＥＮＤ' <(tail -n 1 "$work/whole.trace") || fail "the whole game's replay does not end on THE END"
echo "windows package check: the installed game replayed its whole-game-replay.kxr to THE END"

wine_run "$installed/uninstall.exe" /S || fail "the uninstaller failed"
"$wine_server" -w  # the uninstaller runs on from a copy of itself in %TEMP%
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
for key in "$registry_key" "$extension_key" "$progid_key"; do
    if wine_run reg query "$key" >/dev/null 2>&1; then fail "the uninstaller left $key"; fi
done
after=$(cd "$profile" && find . -type f | sort)
[ "$after" = "$before" ] || fail "the uninstaller left files: $(comm -13 <(echo "$before") <(echo "$after"))"
echo "windows package check: uninstalled silently, leaving no file and no registry key"

# Once another program has taken .kxr, the uninstaller leaves .kxr to it.
wine_run "$setup" /S || fail "the installer failed"
"$wine_server" -w
wine_run reg add "$extension_key" /ve /d Other.Program /f >/dev/null || fail "reg add failed"
wine_run "$installed/uninstall.exe" /S || fail "the uninstaller failed"
"$wine_server" -w
[ "$(reg_value "$extension_key")" = Other.Program ] || fail "the uninstaller took .kxr from another program"
if wine_run reg query "$progid_key" >/dev/null 2>&1; then fail "the uninstaller left $progid_key"; fi
wine_run reg delete "$extension_key" /f >/dev/null
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed")"
echo "windows package check: the uninstaller leaves .kxr to a program that has taken it since"

# Wine, its server and every program under it are done before the home folder is looked at.
wine_stop
home_check_end "windows package check" || fail "the check wrote into the home folder (above)"
