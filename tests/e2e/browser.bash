# Sourced by the batch browser's tests (Linux and Wine): checks on a browser that shows a finished
# batch of 8. Needs $bid (the browser window), $log (the program's stderr, ORVANE_LOG=stderr),
# $levels, $trash (the freedesktop trash the maps must go to), and harness.bash.
e2e=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

log_lines() { tr -d '\r' <"$log"; }  # Windows ends its lines in CR LF
window_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}'; }
# The bar's buttons, by their left edge's distance: 18 pixels above the browser's bottom.
press() {
    local h
    read -r _ h < <(window_size "$bid")
    xdotool mousemove --window "$bid" "$1" $((h - 18)) click 1
    sleep 0.5
}
keep_all_x=40 throw_x=307 undo_x=418

# Every thumbnail shows its saved map; sets `thumbs` (name x y w h, one per map).
browser_thumbnails() {
    local w h name x y tw th shown=0
    read -r w h < <(window_size "$bid")
    xdotool mousemove --window "$bid" $((w - 30)) $((h - 60))  # no tool tip over a cell
    sleep 1
    import -window "$bid" "$work/grid.png"
    mapfile -t thumbs < <(log_lines | grep "^thumbnail: " | cut -d' ' -f2-)
    ((${#thumbs[@]} == 8)) && pass "8 thumbnails" || fail "${#thumbs[@]} thumbnails"
    for t in "${thumbs[@]}"; do
        read -r name x y tw th <<<"$t"
        python3 "$e2e/check_preview.py" "$work/grid.png" "$levels/$name" "$x" "$y" "$tw" "$th" \
            >/dev/null && shown=$((shown + 1))
    done
    ((shown == 8)) && pass "each thumbnail shows its saved map" || fail "$shown of 8 thumbnails match"
}

# Three maps marked with a right click each go to the trash, the rest (and every file the batch
# did not make) stay; undo brings them back. `info_path NAME` prints the Path= its .trashinfo
# must hold.
browser_throw_away() {
    local before thrown=() name x y infos=0 info files
    before=$(cd "$levels" && sha256sum -- * | sort)
    files=$(ls "$levels" | wc -l)
    for i in 1 3 6; do
        read -r name x y _ <<<"${thumbs[$i]}"
        thrown+=("$name")
        xdotool mousemove --window "$bid" $((x + 20)) $((y + 20)) click 3
        sleep 0.3
    done
    # "Keep all" then undo: the marks must come back as they were, or nothing is thrown away.
    press $keep_all_x
    press $undo_x
    press $throw_x
    wait_for '[[ $(ls "$trash/files" 2>/dev/null | wc -l) -eq 3 ]]' 20
    local in_trash expected
    in_trash=$(ls "$trash/files" 2>/dev/null | sort | tr '\n' ' ')
    expected=$(printf '%s\n' "${thrown[@]}" | sort | tr '\n' ' ')
    [[ "$in_trash" == "$expected" ]] && pass "the three marked maps are in the trash" ||
        fail "trash holds '$in_trash', expected '$expected'"
    for name in "${thrown[@]}"; do
        [[ ! -e "$levels/$name" ]] || fail "$name still in the folder"
        info="$trash/info/$name.trashinfo"
        [[ -f "$info" ]] && [[ "$(sed -n 1p "$info")" == "[Trash Info]" ]] &&
            grep -qxF "Path=$(info_path "$name")" "$info" &&
            grep -qE '^DeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}$' "$info" &&
            infos=$((infos + 1))
    done
    ((infos == 3)) && pass "each has its .trashinfo" ||
        fail "$infos good .trashinfo files: $(head -3 "$trash"/info/* 2>&1)"
    [[ $(ls "$levels" | wc -l) -eq $((files - 3)) ]] && pass "the rest stay" ||
        fail "left: $(ls "$levels")"

    press $undo_x
    wait_for '[[ $(ls "$levels" | wc -l) -eq $files ]]' 20
    [[ "$(cd "$levels" && sha256sum -- * | sort)" == "$before" ]] &&
        [[ -z "$(ls -A "$trash/files" 2>/dev/null)$(ls -A "$trash/info" 2>/dev/null)" ]] &&
        pass "undo brings them back, bytes and all, and empties the trash" ||
        fail "after undo: $(ls "$levels" | wc -l) files, trash: $(ls -R "$trash")"
}

# A double-click shows the third map large; Right steps to the fourth.
browser_large_view() {
    local name x y vid vw vh next
    read -r name x y _ <<<"${thumbs[2]}"
    xdotool mousemove --window "$bid" $((x + 20)) $((y + 20)) click --repeat 2 --delay 80 1
    wait_for 'vid=$(xdotool search --name "^Orvane: map$" 2>/dev/null | head -1); [[ -n "$vid" ]]' 20
    sleep 1
    read -r vw vh < <(window_size "$vid")
    import -window "$vid" "$work/large.png"
    log_lines | grep -qx "view: 3 of 8 $name" &&
        python3 "$e2e/check_preview.py" "$work/large.png" "$levels/$name" 0 0 "$vw" $((vh - 24)) \
            >/dev/null && pass "double-click shows $name large" ||
        fail "large view: $(log_lines | grep '^view:')"
    xdotool windowfocus --sync "$vid" key Right
    read -r next _ <<<"${thumbs[3]}"
    wait_for 'log_lines | grep -qx "view: 4 of 8 $next"' 10 && pass "Right steps to the next map" ||
        fail "after Right: $(log_lines | grep '^view:' | tail -1)"
    xdotool windowfocus --sync "$vid" key Escape
}
