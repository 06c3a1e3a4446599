#!/usr/bin/env bash
# Where orvane-cli saves maps, end to end: --out first, then the folder remembered in the
# settings (a temporary XDG_CONFIG_HOME), then User/SavedLevels beside the program; with none
# it saves nothing and says how to choose one. A damaged settings file is reported once and
# ignored.
set -uo pipefail
build=${1:?build folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

export XDG_CONFIG_HOME="$work/config"
game="$work/game"
mkdir -p "$game/User/SavedLevels" "$work/remembered" "$work/out" "$work/installed" "$XDG_CONFIG_HOME"
cp "$build/orvane-cli" "$game/"
cp "$build/orvane-cli" "$work/installed/"
files() { ls "$1" | grep -c '\.png$'; }

"$game/orvane-cli" --seed beside 2>"$work/err.txt" && [[ $(files "$game/User/SavedLevels") -eq 1 ]] &&
    grep -qx "Maps go to $game/User/SavedLevels (beside the program)" "$work/err.txt" &&
    pass "beside the program" || fail "beside: $(cat "$work/err.txt")"

mkdir -p "$XDG_CONFIG_HOME/orvane"
printf '# settings\nmaps-folder=%s\n' "$work/remembered" >"$XDG_CONFIG_HOME/orvane/settings"
"$game/orvane-cli" --seed remembered 2>"$work/err.txt" && [[ $(files "$work/remembered") -eq 1 ]] &&
    [[ $(files "$game/User/SavedLevels") -eq 1 ]] &&
    grep -qx "Maps go to $work/remembered (remembered)" "$work/err.txt" &&
    pass "remembered folder before the one beside the program" || fail "remembered: $(cat "$work/err.txt")"

"$game/orvane-cli" --quiet --seed out --out "$work/out" 2>"$work/err.txt" &&
    [[ $(files "$work/out") -eq 1 && $(files "$work/remembered") -eq 1 && ! -s "$work/err.txt" ]] &&
    pass "--out before the remembered folder, silent with --quiet" || fail "--out: $(cat "$work/err.txt")"

rm "$XDG_CONFIG_HOME/orvane/settings"
"$work/installed/orvane-cli" --seed none 2>"$work/err.txt"; rc=$?
[[ $rc -ne 0 && $(ls -A "$work/installed") == orvane-cli ]] &&
    grep -q "No folder for maps" "$work/err.txt" && grep -q -- "--out DIR" "$work/err.txt" &&
    grep -q "Folder" "$work/err.txt" && pass "no folder: says how to choose one" ||
    fail "no folder: rc=$rc $(cat "$work/err.txt"); beside: $(ls -A "$work/installed")"

printf 'maps-folder=relative\n' >"$XDG_CONFIG_HOME/orvane/settings"
"$game/orvane-cli" --seed damaged --count 2 2>"$work/err.txt" && [[ $(files "$game/User/SavedLevels") -eq 4 ]] &&
    [[ $(grep -c "settings file .* is ignored" "$work/err.txt") -eq 1 ]] &&
    pass "damaged settings reported once and ignored" || fail "damaged: $(cat "$work/err.txt")"

echo "folders: $failures failed"
[[ $failures -eq 0 ]]
