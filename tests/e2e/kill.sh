#!/usr/bin/env bash
# orvane-cli killed with SIGKILL at random moments and in the middle of saves (with unnamed and
# with named temporaries): the folder holds only valid maps and, once the next run ends, no
# temporary file. KILLS (default 4) kills at random moments and as many during saves.
set -uo pipefail
build=${1:?build folder}
kills=${KILLS:-4}
cli="$build/orvane-cli"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.bash"

g++ -shared -fPIC -O1 -o "$work/stall.so" "$here/stall_shim.cpp" -ldl || { fail "shim"; exit 1; }
out="$work/levels"
mkdir -p "$out"
# The shim is not instrumented; a sanitizer build accepts it preloaded before its runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

for ((i = 0; i < kills; i++)); do
    "$cli" --quiet --seed "r$i" --count 1000 --out "$out" &
    p=$!
    sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 0.1 + r / 32767 * 3.9 }')"
    kill -KILL "$p"
    wait "$p" 2>/dev/null
done

during=0
visible=0
for ((i = 0; i < kills; i++)); do
    # Even kills with unnamed temporaries, odd ones with named; seeded and unseeded saves.
    noTmpfile=()
    ((i % 2)) && noTmpfile=(ORVANE_NO_TMPFILE=1)
    seed=()
    ((i % 4 < 2)) && seed=(--seed "k$i")
    rm -f "$work/mark"
    env LD_PRELOAD="$work/stall.so" ORVANE_STALL_MS=5000 ORVANE_STALL_MARK="$work/mark" \
        "${noTmpfile[@]}" "$cli" --quiet "${seed[@]}" --count 1 --out "$out" &
    p=$!
    for ((t = 0; t < 600; t++)); do
        [[ -e "$work/mark" ]] && break
        sleep 0.1
    done
    if [[ -e "$work/mark" ]]; then
        sleep 0.2
        during=$((during + 1))
        visible=$((visible + $(ls -A "$out" | grep -c '\.tmp$')))
    fi
    kill -KILL "$p"
    wait "$p" 2>/dev/null
done
((during == kills)) && pass "$during kills during saves ($visible named temporaries seen)" ||
    fail "only $during of $kills kills landed during a save"

bad=$(ls -A "$out" | grep -v '\.png$' | grep -v '\.tmp$')
[[ -z "$bad" ]] || fail "unexpected files: $bad"
shopt -s nullglob
maps=("$out"/*.png)
if ((${#maps[@]} == 0)) || python3 "$here/check_level.py" "${maps[@]}" >"$work/check.txt"; then
    pass "${#maps[@]} maps left by $((2 * kills)) kills, all valid"
else
    fail "broken maps: $(grep -v ' ok$' "$work/check.txt")"
fi
"$cli" --quiet --out "$out" || fail "next run"
left=$(ls -A "$out" | grep -v '\.png$')
[[ -z "$left" ]] && pass "no temporary file after the next run" || fail "left behind: $left"

echo "kill: $failures failed"
[[ $failures -eq 0 ]]
