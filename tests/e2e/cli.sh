#!/usr/bin/env bash
# orvane-cli end to end: determinism, seed cleaning, level files on disk, JSON, and the
# failures that must leave no file behind.
set -uo pipefail
build=${1:?build folder}
cli="$build/orvane-cli"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.bash"

mkdir -p "$work/a" "$work/b" "$work/c"
"$cli" --quiet --seed hello --out "$work/a" || fail "seed hello run"
"$cli" --quiet --seed hello --out "$work/b" || fail "second seed hello run"
fa=$(ls "$work/a"); fb=$(ls "$work/b")
if [[ "$fa" == "$fb" && "$fa" == *+hello.png ]] && cmp -s "$work/a/$fa" "$work/b/$fb"; then
    pass "same seed, same bytes ($fa)"
else
    fail "seed hello gave '$fa' and '$fb'"
fi

"$cli" --quiet --seed 'a:b' --out "$work/c" && "$cli" --quiet --seed ab --out "$work/c" ||
    fail "a:b / ab runs"
if [[ $(ls "$work/c" | wc -l) -eq 1 && $(ls "$work/c") == *+ab.png ]]; then
    pass "a:b and ab give one map and name"
else
    fail "a:b and ab: $(ls "$work/c")"
fi

# A seed gives the same map whatever was made before it: the weapon chooser's memory of its last
# pick must not carry into a seeded walk-for-weapons map.
mkdir -p "$work/chain" "$work/alone"
"$cli" --quiet --wfw --seed s10 --seed s11 --out "$work/chain" &&
    "$cli" --quiet --wfw --seed s10 --seed s13 --out "$work/chain" &&
    "$cli" --quiet --wfw --seed s11 --out "$work/alone" &&
    "$cli" --quiet --wfw --seed s13 --out "$work/alone" || fail "chained seed runs"
same=0
for f in $(ls "$work/alone"); do cmp -s "$work/alone/$f" "$work/chain/$f" && same=$((same + 1)); done
[[ $same -eq 2 ]] && pass "seeded maps independent of the maps before them" ||
    fail "seeded maps depend on earlier maps: $(ls "$work/chain") vs $(ls "$work/alone")"

# Control characters never reach a file name.
mkdir -p "$work/ctrl"
"$cli" --quiet --seed $'a\nb\e[31m\x7f' --out "$work/ctrl" || fail "control-character seed run"
name=$(ls "$work/ctrl")
[[ "$name" == *"+ab[31m.png" ]] && ! LC_ALL=C grep -q '[[:cntrl:]]' <<<"$name" &&
    pass "control characters removed from the seed" || fail "control characters: $(ls "$work/ctrl" | od -c | head -3)"

mkdir -p "$work/empty"
msg=$("$cli" --seed '???' --out "$work/empty" 2>&1); rc=$?
if [[ $rc -ne 0 && "$msg" == *"Empty seed"* && -z $(ls "$work/empty") ]]; then
    pass "empty seed"
else
    fail "empty seed: rc=$rc msg=$msg files=$(ls "$work/empty")"
fi

mkdir -p "$work/json"
"$cli" --json --wfw --seed x1 --seed x2 --count 2 --out "$work/json" >"$work/json.txt" 2>"$work/log.txt" ||
    fail "json run"
if python3 - "$work/json.txt" "$work/json" <<'PY'
import json, os, sys
lines = open(sys.argv[1]).read().splitlines()
maps = [json.loads(l) for l in lines]
assert len(maps) == 4, len(maps)
for m in maps:
    assert m["file"].startswith("W_"), m["file"]
    assert os.path.exists(os.path.join(sys.argv[2], m["file"]))
    assert set(m["ms"]) >= {"p1", "p2", "p3", "p4", "createMap"}
    assert m["width"] % 8 == 0 or m["width"] == 640
assert maps[0]["seed"] == "x1" and maps[2]["seed"] is None
PY
then pass "json objects"; else fail "json objects"; fi
grep -q -- "-- start: " "$work/log.txt" && grep -q "^p4: " "$work/log.txt" &&
    grep -q "^createMap: " "$work/log.txt" && grep -q -- "^-- end" "$work/log.txt" &&
    pass "log lines on stderr" || fail "log lines: $(head -5 "$work/log.txt")"

if python3 "$here/check_level.py" "$work"/a/*.png "$work"/c/*.png "$work"/json/*.png; then
    pass "level files well formed"
else
    fail "level files"
fi
if pngcheck -v "$work/a/$fa" >"$work/pngcheck.txt" 2>&1 &&
    grep "^ *chunk " "$work/pngcheck.txt" | sed -n 2p | grep -q "chunk waLV"; then
    pass "pngcheck accepts and lists waLV after IHDR"
else
    fail "pngcheck: $(head -8 "$work/pngcheck.txt")"
fi
# Without the 53 inserted bytes the file is the plain export, a valid PNG of its own.
python3 -c "
import sys; d = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write(d[:33] + d[86:])" \
    "$work/a/$fa" "$work/plain.png"
pngcheck -q "$work/plain.png" && pass "file is the export plus 53 bytes" || fail "stripped export"

# Failures: a clear message, a non-zero exit, and no file.
msg=$("$cli" --quiet --out "$work/missing/User/SavedLevels" 2>&1); rc=$?
[[ $rc -ne 0 && "$msg" == *"does not exist"*"$work/missing"* ]] && pass "missing folder" ||
    fail "missing folder: rc=$rc $msg"
mkdir -p "$work/long"
long=$(printf 'x%.0s' {1..300})
msg=$("$cli" --quiet --seed "$long" --out "$work/long" 2>&1); rc=$?
[[ $rc -ne 0 && "$msg" == *"too long"* && -z $(ls -A "$work/long") ]] && pass "too-long seed" ||
    fail "too-long seed: rc=$rc $msg"
mkdir -p "$work/readonly"
chmod 555 "$work/readonly"
chmod 755 "$work"
runas=()
[[ $(id -u) -eq 0 ]] && runas=(setpriv --reuid=65534 --regid=65534 --clear-groups)
msg=$("${runas[@]}" "$cli" --quiet --seed ro --out "$work/readonly" 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"Permission denied"* && -z $(ls -A "$work/readonly") ]] && pass "read-only folder" ||
    fail "read-only folder: rc=$rc $msg $(ls -A "$work/readonly")"
# A folder that exists but cannot be reached is not reported as missing.
mkdir -p "$work/locked/User/SavedLevels"
chmod 000 "$work/locked"
msg=$("${runas[@]}" "$cli" --quiet --out "$work/locked/User/SavedLevels" 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"Permission denied"* && "$msg" != *"does not exist"* ]] &&
    pass "unreachable folder gives the real reason" || fail "unreachable folder: rc=$rc $msg"
chmod 755 "$work/locked"

# Bad arguments: a message and status 2, and nothing made.
mkdir -p "$work/args"
for args in "--bogus" "--count 0" "--count -3" "--count x"; do
    msg=$("$cli" --quiet $args --out "$work/args" 2>&1); rc=$?
    [[ $rc -eq 2 && -n "$msg" && -z $(ls -A "$work/args") ]] && pass "refused: $args" ||
        fail "$args: rc=$rc msg=$msg files=$(ls -A "$work/args")"
done
msg=$("$cli" --quiet --out "" 2>&1); rc=$?
[[ $rc -eq 2 && "$msg" == *"--out"* && -z $(ls -A "$work/args") ]] && pass "refused: --out ''" ||
    fail "--out '': rc=$rc msg=$msg"

# SIGINT and SIGTERM end the run after the map being made, with 128 + the signal number.
for sig in INT:130 TERM:143; do
    mkdir -p "$work/sig$sig"
    "$cli" --quiet --count 200 --out "$work/sig$sig" &
    p=$!
    sleep 1
    kill -"${sig%%:*}" "$p"
    wait "$p"; rc=$?
    [[ $rc -eq ${sig##*:} ]] && python3 "$here/check_level.py" "$work/sig$sig"/*.png >/dev/null &&
        [[ -z $(ls -A "$work/sig$sig" | grep -v '\.png$') ]] &&
        pass "SIG${sig%%:*} exits ${sig##*:}" || fail "SIG${sig%%:*}: rc=$rc $(ls -A "$work/sig$sig")"
done

# --json output is valid UTF-8 JSON whatever bytes the seed holds.
mkdir -p "$work/utf8"
"$cli" --quiet --json --seed $'caf\xe9 \xc3' --out "$work/utf8" >"$work/utf8.txt" || fail "latin-1 seed run"
python3 -c '
import json, sys
m = json.loads(open(sys.argv[1], "rb").read().decode("utf-8"))
assert m["seed"] == "caf\ufffd \ufffd", m["seed"]
' "$work/utf8.txt" && pass "JSON is valid UTF-8" || fail "JSON not valid UTF-8: $(od -c "$work/utf8.txt" | head -3)"

echo "cli: $failures failed"
[[ $failures -eq 0 ]]
