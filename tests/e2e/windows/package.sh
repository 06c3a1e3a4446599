#!/usr/bin/env bash
# The Windows packages (cpack in the MinGW build): the zip holds exactly the programs, README.txt
# and the licences, its programs carry the icon in every size and the version resource, and its
# orvane-cli.exe copied beside a game's User\SavedLevels saves there; the installer, under Wine
# in a new prefix, installs silently for the current user (programs that make the build tree's
# bytes, the Start-menu shortcut, the HKCU uninstall entry) and for everyone (Program Files,
# HKLM), side by side; each uninstaller removes all its install made and nothing else (not the
# other install, not a map, not the settings unless /RemoveSettings is given), and nothing at all
# while a program of it runs.
# Usage: package.sh MINGW_BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
build=$(realpath "${1:?mingw build folder}")
[[ -f "$build/orvane-cli.exe" && -f "$build/orvane.exe" ]] || { echo "FAIL: no programs in $build"; exit 1; }
. "$here/../harness.bash"
. "$here/wine.bash"
export LC_ALL=C.UTF-8
# A prefix of its own, so installs by earlier runs or other people are not seen; no menu entries
# on this machine for the shortcuts the installer makes.
export ORVANE_WINEPREFIX="$work/pfx"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
pfx=$ORVANE_WINEPREFIX
wineserver() { WINEPREFIX=$pfx /usr/lib/wine/wineserver "$@"; }
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wine() { wine_run "$@"; }
winpath() { local p=$1; echo "Z:${p//\//\\}"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'

started=$SECONDS
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.txt" 2>&1)
installer="$work/pack/Orvane-$version-win64.exe"
zip="$work/pack/Orvane-$version-win64.zip"
[[ -f "$installer" && -f "$zip" ]] && pass "cpack made $(basename "$installer") and $(basename "$zip")" ||
    { fail "cpack: $(tail -5 "$work/cpack.txt")"; exit 1; }

licences=(Orvane FLTK FreeType libimagequant libspng zlib MinGW-w64 GCC-runtime DejaVu-fonts)
files=(orvane.exe orvane-cli.exe README.txt licenses/)
for l in "${licences[@]}"; do files+=("licenses/$l.txt"); done
listed=$(unzip -Z1 "$zip" | sort)
[[ "$listed" == "$(printf '%s\n' "${files[@]}" | sort)" ]] && pass "zip holds exactly ${files[*]}" ||
    fail "zip holds: $(echo $listed)"

unzip -q "$zip" -d "$work/game"
# Each licence file is there with its text, with Windows line ends (Notepad).
phrases=("GNU GENERAL PUBLIC LICENSE" "Static linking of applications" "The FreeType Project LICENSE"
         "Kornel Lesi" "BSD 2-Clause" "Jean-loup Gailly and Mark Adler" "winpthreads"
         "GCC RUNTIME LIBRARY EXCEPTION" "Bitstream Vera")
missing=()
for i in "${!licences[@]}"; do
    f="$work/game/licenses/${licences[$i]}.txt"
    grep -qF "${phrases[$i]}" "$f" 2>/dev/null && [[ $(head -1 "$f") == *$'\r' ]] || missing+=("${licences[$i]}")
done
((${#missing[@]} == 0)) && pass "every licence file holds its licence, CR LF lines" ||
    fail "licence text missing or without CR LF: ${missing[*]}"
grep -q "^Orvane $version " "$work/game/README.txt" && pass "README.txt names version $version" ||
    fail "README.txt: $(head -1 "$work/game/README.txt")"

# The shipped (stripped) programs: the icon in the six sizes Windows asks for, the version.
for program in orvane orvane-cli; do
    exe="$work/game/$program.exe"
    wrestool -x -t14 "$exe" >"$work/icon.ico"  # icotool reads PNG entries only from a file
    sizes=$(icotool -l "$work/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
    [[ "$sizes" == "16 24 32 48 64 256 " ]] && pass "$program.exe: icon of 16 to 256 pixels" ||
        fail "$program.exe icon sizes: '$sizes'"
    info=$(wrestool -x --raw -t16 "$exe" | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
fixed = data.find(struct.pack("<I", 0xFEEF04BD))
ms, ls = struct.unpack("<II", data[fixed + 8:fixed + 16])
print("fixed=%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
text = data.decode("utf-16-le", "replace")
for key in ("FileVersion", "ProductVersion", "ProductName", "OriginalFilename"):
    start = text.find(key + "\0") + len(key) + 1
    while text[start] == "\0":
        start += 1
    print(key + "=" + text[start:text.find("\0", start)])
' 2>&1)
    expected="fixed=$version.0 FileVersion=$version ProductVersion=$version ProductName=Orvane OriginalFilename=$program.exe"
    [[ "$(echo $info)" == "$expected" ]] && pass "$program.exe: version resource $version" ||
        fail "$program.exe version resource: $(echo $info)"
done

# The build tree's program gives the reference (this also makes the prefix, about 20 s).
mkdir -p "$work/reference" "$work/maps"
wine "$build/orvane-cli.exe" --version >"$work/version.txt" 2>&1
wine "$build/orvane-cli.exe" --quiet --seed hello --out "$(winpath "$work/reference")"
reference=$(ls "$work/reference")
[[ -n "$reference" ]] || fail "the build tree's orvane-cli.exe made no map"

# The zip's programs copied into a game's folder: maps go to its User\SavedLevels, no settings.
mkdir -p "$work/game/User/SavedLevels"
wine "$work/game/orvane-cli.exe" --quiet --seed hello
[[ "$(ls "$work/game/User/SavedLevels")" == "$reference" ]] &&
    cmp -s "$work/game/User/SavedLevels/$reference" "$work/reference/$reference" &&
    pass "the zip's orvane-cli.exe saves into User\\SavedLevels beside it: the build tree's bytes" ||
    fail "zip's program in a game folder: $(ls -A "$work/game/User/SavedLevels" "$work/game")"

# Everything under the prefix's C: drive named after Orvane, but the settings folder.
orvane_files() { find "$pfx/drive_c" -iname '*orvane*' | grep -v '/AppData/Roaming/Orvane$' | sort; }
# The uninstall entry in hive $1, empty when there is none.
registry() {
    local out
    out=$(wine reg query "$1\\$uninstall_key" 2>/dev/null) && tr -d '\r' <<<"$out"
}
value() { sed -n "s/^ *$1 *REG_[A-Z]* *//p" <<<"$2"; }

# Installs with the given options; checks the files, programs, shortcut and uninstall entry.
# install_check MODE-OPTION FOLDER FOLDER-AS-WINDOWS-NAMES-IT SHORTCUT HIVE
install_check() {
    local option=$1 dir=$2 windir=$3 shortcut=$4 hive=$5 entry installed
    wine "$installer" /S "$option"; local rc=$?
    [[ $rc -eq 0 && -d "$dir" ]] && pass "$option: silent install into $windir" ||
        { fail "$option: install rc=$rc, no $dir"; return; }
    installed=$(find "$dir" -mindepth 1 \( -type d -printf '%P/\n' \) -o -printf '%P\n' | sort)
    [[ "$installed" == "$(printf '%s\n' "${files[@]}" Uninstall.exe | sort)" ]] &&
        pass "$option: the zip's files and Uninstall.exe installed" || fail "$option: installed $(echo $installed)"
    [[ "$(wine "$dir/orvane-cli.exe" --version 2>&1)" == "$(cat "$work/version.txt")" ]] &&
        pass "$option: installed orvane-cli.exe --version: $(tr -d '\r' <"$work/version.txt")" ||
        fail "$option: --version differs from the build tree's"
    rm -f "$work/maps/"*
    wine "$dir/orvane-cli.exe" --quiet --seed hello --out "$(winpath "$work/maps")"
    cmp -s "$work/maps/$reference" "$work/reference/$reference" &&
        pass "$option: installed orvane-cli.exe makes the build tree's bytes" || fail "$option: seeded map differs"
    [[ -f "$shortcut" ]] && grep -qaF "Orvane\\orvane.exe" "$shortcut" &&
        pass "$option: Start-menu shortcut to orvane.exe" || fail "$option: no shortcut $shortcut"
    entry=$(registry "$hive")
    [[ "$(value DisplayName "$entry")" == Orvane && "$(value DisplayVersion "$entry")" == "$version" &&
        "$(value Publisher "$entry")" == "The Orvane developers" &&
        "$(value InstallLocation "$entry")" == "$windir" &&
        "$(value DisplayIcon "$entry")" == "$windir\\orvane.exe,0" &&
        "$(value UninstallString "$entry")" == "\"$windir\\Uninstall.exe\"" ]] &&
        pass "$option: uninstall entry in $hive" || fail "$option: $hive entry: $entry"
}

# Runs the uninstaller silently and waits for the copy of it that does the work.
uninstall() {
    wine "$1\\Uninstall.exe" /S "${@:2}"
    wineserver -w
}

user=$(ls "$pfx/drive_c/users" | grep -vx Public | head -1)
home="$pfx/drive_c/users/$user"
settings="$home/AppData/Roaming/Orvane/settings"
mine="$home/AppData/Local/Programs/Orvane"
mine_win="C:\\users\\$user\\AppData\\Local\\Programs\\Orvane"
mine_lnk="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Orvane.lnk"
everyone="$pfx/drive_c/Program Files/Orvane"
everyone_win="C:\\Program Files\\Orvane"
everyone_lnk="$pfx/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvane.lnk"

install_check /CurrentUser "$mine" "$mine_win" "$mine_lnk" HKCU
[[ -z "$(registry HKLM)" ]] && pass "/CurrentUser: no entry for everyone" || fail "HKLM: $(registry HKLM)"
# The folder the window would remember: the uninstaller keeps it unless told.
mkdir -p "$(dirname "$settings")"
printf 'maps-folder=%s\n' "$(winpath "$work/maps")" >"$settings"
install_check /AllUsers "$everyone" "$everyone_win" "$everyone_lnk" HKLM

# Both installs side by side: removing the one for everyone leaves the current user's whole.
uninstall "$everyone_win"
left=$(orvane_files | grep -v -e "^$mine" -e "^$mine_lnk$")
[[ ! -e "$everyone" && -z "$left" && -z "$(registry HKLM)" ]] &&
    pass "/AllUsers: uninstalled: no file, shortcut or entry left" ||
    fail "/AllUsers: left after uninstall: $left $(registry HKLM)"
[[ -f "$mine/orvane.exe" && -f "$mine_lnk" && "$(value InstallLocation "$(registry HKCU)")" == "$mine_win" ]] &&
    [[ -f "$work/maps/$reference" && -f "$settings" ]] &&
    pass "/AllUsers: the current user's install, the map and the settings stay" ||
    fail "/AllUsers: uninstall took $(ls "$mine") / $(registry HKCU) / $(ls "$work/maps") / settings"

# A running program cannot be removed: the uninstaller ends and changes nothing. (Run in place
# with _?=, so that its status is seen.)
mkdir -p "$work/batch"
# (Not wine(): a batch ended by the server's kill below must never be started again.)
"$repo/tools/wine-run.sh" "$mine/orvane-cli.exe" --quiet --count 100000 --out "$(winpath "$work/batch")" &
batch=$!
for _ in $(seq 300); do [[ -n "$(ls "$work/batch")" ]] && break; sleep 0.2; done
wine "$mine_win\\Uninstall.exe" /S "_?=$mine_win"; rc=$?
[[ $rc -ne 0 && -f "$mine/orvane.exe" && -f "$mine/README.txt" && -f "$mine_lnk" && -n "$(registry HKCU)" ]] &&
    pass "uninstall while orvane-cli.exe runs: status $rc, nothing removed" ||
    fail "uninstall while running: status $rc, left $(ls "$mine") $(registry HKCU | head -2)"
wineserver -k  # ends the batch, the only program of this prefix
wait "$batch" 2>/dev/null

uninstall "$mine_win" /RemoveSettings
left=$(orvane_files)
[[ ! -e "$mine" && -z "$left" && -z "$(registry HKCU)" && ! -e "$(dirname "$settings")" ]] &&
    pass "/CurrentUser: uninstalled with /RemoveSettings: no file, shortcut, entry or settings left" ||
    fail "/CurrentUser: left after uninstall: $left $(registry HKCU) $(ls -A "$(dirname "$settings")" 2>&1)"
[[ -f "$work/maps/$reference" ]] && pass "the map stays" || fail "uninstall removed the map"

echo "windows packages: $failures failed ($((SECONDS - started)) s)"
[[ $failures -eq 0 ]]
