#!/usr/bin/env bash
# Screenshot of the installed Windows program, started from its Start-menu shortcut, after one
# map: tools/window-installed-screenshot.sh OUT.png [INSTALLER.exe]
# Installs for the current user into a new Wine prefix (the installer defaults to one made now
# with cpack from build/mingw), remembers a maps folder as Folder… would, opens the shortcut in
# a Wine desktop of its own (which draws the title bar, with the window's icon, and a task bar)
# under Xvfb, presses Get Map and shoots that desktop once the map is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: window-installed-screenshot.sh OUT.png [INSTALLER.exe]}")
installer=${2:+$(realpath "$2")}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
work=$(mktemp -d)
export ORVANE_WINEPREFIX="$work/pfx" WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'WINEPREFIX=$ORVANE_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wine() { "$root/tools/wine-run.sh" "$@"; }
if [[ -z "$installer" ]]; then
    (cd "$work" && cpack --config "$root/build/mingw/CPackConfig.cmake" -G NSIS -B "$work/pack" >/dev/null)
    installer=$(ls "$work"/pack/Orvane-*-win64.exe)
fi
wine "$installer" /S /CurrentUser
user=$(ls "$ORVANE_WINEPREFIX/drive_c/users" | grep -vx Public | head -1)
levels="$work/game/User/SavedLevels"
config="$ORVANE_WINEPREFIX/drive_c/users/$user/AppData/Roaming/Orvane"
mkdir -p "$levels" "$config"
printf 'maps-folder=Z:%s\n' "${levels//\//\\}" >"$config/settings"

# "shell" is the desktop name for which Wine draws a task bar.
shortcut="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Orvane.lnk"
wine explorer /desktop=shell,800x300 start "$shortcut" &
wid=""
for _ in $(seq 300); do
    wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1) && [[ -n "$wid" ]] && break
    sleep 0.2
done
[[ -n "$wid" ]] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
# The window's frame is drawn by Wine around the 722x189 client area.
read -r width height < <(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
border=$(((width - 722) / 2))
top=$((height - 189 - border))
xdotool mousemove --window "$wid" $((border + 48)) $((top + 30)) click 1  # Get Map
for _ in $(seq 600); do
    ls "$levels" | grep -q '\.png$' && break
    sleep 0.2
done
ls "$levels" | grep -q '\.png$' || { echo "no map was saved" >&2; exit 1; }
sleep 2
xdotool mousemove --window "$wid" $((border + 200)) $((top + 122))  # the pointer off the pane
sleep 0.5
import -window "$(xdotool search --name "^shell - Wine desktop$" | head -1)" "$out"
echo "$out"
