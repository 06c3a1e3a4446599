# Sourced by the window tools. wait_for_window: waits until the window is shown and sets `wid`.
wait_for_window() {
    for _ in $(seq 100); do
        wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1) && [[ -n "$wid" ]] && break
        sleep 0.1
    done
    [[ -n "$wid" ]] || { echo "the window did not appear" >&2; return 1; }
    sleep 0.5
}
