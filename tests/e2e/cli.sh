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

# Every unseeded map has a code that makes it again through --seed, byte for byte: a single
# map and a batch, in both modes, with the log, the JSON and the maps before it agreeing.
mkdir -p "$work/coded" "$work/recoded"
for mode in "" --wfw; do
    for count in 1 3; do
        rm -f "$work/coded/"* "$work/recoded/"*
        ORVANE_START_SEED=$count "$cli" $mode --json --count $count --out "$work/coded" \
            >"$work/codes.json" 2>"$work/codes.log"
        made=0
        while read -r name code; do
            "$cli" $mode --quiet --seed "$code" --out "$work/recoded"
            cmp -s "$work/coded/$name" "$work/recoded/${name%.png}+$code.png" && made=$((made + 1))
            grep -qx "seed: $code" "$work/codes.log" || made=-99
        done < <(python3 -c 'import json, sys
for line in sys.stdin:
    m = json.loads(line)
    assert m["seed"] is None and len(m["code"]) == 8, m
    print(m["file"], m["code"])' <"$work/codes.json")
        [[ $made -eq $count ]] && pass "${mode:-plain} --count $count: each code remakes its map" ||
            fail "${mode:-plain} --count $count: $made of $count codes remade their maps"
    done
done

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
# A seed that fails does not drop the rest of the command: the later maps are made, status 1.
mkdir -p "$work/rest"
msg=$("$cli" --quiet --seed "$long" --seed ok --count 2 --out "$work/rest" 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"too long"* && $(ls "$work/rest" | wc -l) -eq 3 &&
    -n $(ls "$work/rest" | grep '+ok\.png$') ]] && pass "maps after a failing seed are made" ||
    fail "after a failing seed: rc=$rc $msg files=$(ls "$work/rest")"
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
# A folder that takes no file is refused before anything is drawn, even for root.
msg=$("$cli" --out /proc 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"Cannot write in /proc"* && "$msg" != *"-- start"* ]] &&
    pass "folder that takes no file refused before drawing" || fail "/proc: rc=$rc $msg"
# Control characters in a path are escaped in messages: one message, one line, no escapes.
odd="$work/line"$'\n'"break"$'\e'"[31m"
mkdir -p "$odd"
msg=$("$cli" --out "$odd" 2>&1 && "$cli" --quiet --out "$odd/gone" 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"Maps go to $work/line\\nbreak\\x1b[31m (given with --out)"* &&
    "$msg" == *"does not exist: $work/line\\nbreak\\x1b[31m/gone"* &&
    $(grep -c '^break' <<<"$msg") -eq 0 ]] && ! LC_ALL=C grep -q $'\e' <<<"$msg" &&
    pass "control characters in paths escaped in messages" || fail "path in messages: rc=$rc $msg"

# Bad arguments: a message and status 2, and nothing made.
mkdir -p "$work/args"
msg=$("$cli" --quiet --bogus --out "$work/args" 2>&1); rc=$?
[[ $rc -eq 2 && -n "$msg" && -z $(ls -A "$work/args") ]] && pass "refused: --bogus" ||
    fail "--bogus: rc=$rc msg=$msg files=$(ls -A "$work/args")"
# A count is a plain decimal number, 1 to 100000: no sign, spaces, hexadecimal or exponent.
for count in 0 -3 x 0x2 ' 2' +2 '2 ' 1e2 100001 ''; do
    msg=$("$cli" --quiet --count "$count" --out "$work/args" 2>&1); rc=$?
    [[ $rc -eq 2 && "$msg" == *"--count"* && -z $(ls -A "$work/args") ]] &&
        pass "refused: --count '$count'" ||
        fail "--count '$count': rc=$rc msg=$msg files=$(ls -A "$work/args")"
    rm -f "$work/args"/*
done
# Threads change when a map is made, never its bytes; the number is checked like a count.
for threads in 0 17 x; do
    "$cli" --quiet --threads "$threads" --out "$work/args" 2>/dev/null
    [[ $? -eq 2 && -z $(ls -A "$work/args") ]] && pass "refused: --threads '$threads'" ||
        fail "--threads '$threads' accepted"
done
mkdir -p "$work/threads1" "$work/threads4"
ORVANE_START_SEED=5 "$cli" --quiet --count 3 --threads 1 --out "$work/threads1" &&
    ORVANE_START_SEED=5 "$cli" --quiet --count 3 --threads 4 --out "$work/threads4" &&
    diff -r "$work/threads1" "$work/threads4" >/dev/null && [[ $(ls "$work/threads1" | wc -l) -eq 3 ]] &&
    pass "--threads 1 and 4 save the same maps" || fail "--threads 1 and 4 differ"
"$cli" --quiet --count 010 --out "$work/args" && [[ $(ls "$work/args" | wc -l) -eq 10 ]] &&
    pass "--count 010 is ten maps" || fail "--count 010 made $(ls "$work/args" | wc -l) maps"
rm -f "$work/args"/*
# The start seed of timing runs is a decimal number 0 to 4294967295; anything else is refused.
for value in abc '' -1 4294967296 ' 7' 0x7; do
    msg=$(ORVANE_START_SEED="$value" "$cli" --quiet --out "$work/args" 2>&1); rc=$?
    [[ $rc -eq 2 && "$msg" == *ORVANE_START_SEED* && -z $(ls -A "$work/args") ]] &&
        pass "refused: ORVANE_START_SEED='$value'" ||
        fail "ORVANE_START_SEED='$value': rc=$rc msg=$msg files=$(ls -A "$work/args")"
    rm -f "$work/args"/*
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

# A report that cannot be written is no success: status 3, said on stderr; the map is saved.
for stdout in full closed; do
    mkdir -p "$work/lost-$stdout"
    if [[ $stdout == full ]]; then
        msg=$("$cli" --quiet --json --seed lost --out "$work/lost-$stdout" 2>&1 >/dev/full); rc=$?
    else
        msg=$("$cli" --quiet --json --seed lost --out "$work/lost-$stdout" 2>&1 >&-); rc=$?
    fi
    [[ $rc -eq 3 && "$msg" == *"could not be written"* && -n $(ls "$work/lost-$stdout") ]] &&
        pass "lost JSON report ($stdout stdout) exits 3" ||
        fail "lost JSON report ($stdout stdout): rc=$rc msg=$msg"
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
