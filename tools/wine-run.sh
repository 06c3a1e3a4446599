#!/usr/bin/env bash
# Runs a Windows program of the MinGW build under Wine: wine-run.sh PROGRAM.exe [ARGS...]
# The prefix is kept between runs (ORVANE_WINEPREFIX, default ~/.cache/orvane-wine): making one
# takes 10-20 s, a start in a made one about a second. Wine's own messages are off.
set -euo pipefail
export WINEPREFIX=${ORVANE_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/orvane-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # One process makes the prefix; others wait for it instead of making it at the same time.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || { "$wine" wineboot --init >/dev/null 2>&1 || true; /usr/lib/wine/wineserver -w 2>/dev/null || true; }
    exec 9>&-
fi
exec "$wine" "$@"
