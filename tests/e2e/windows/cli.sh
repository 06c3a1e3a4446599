#!/usr/bin/env bash
# orvane-cli.exe under Wine: the same bytes as the Linux build for a seed, a Unicode seed, a batch
# and an unseeded map (ORVANE_START_SEED), a seeded map replacing its own file, an unseeded map
# never replacing one, folders given as Z:\ paths and with Unicode names, folders it cannot use,
# and the exit statuses. Usage: cli.sh MINGW_BUILD [LINUX_BUILD (default build/release)]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
build=${1:?mingw build folder}
linux=${2:-$repo/build/release}
exe="$build/orvane-cli.exe"
lcli="$linux/orvane-cli"
[[ -f "$exe" ]] || { echo "FAIL: no $exe"; exit 1; }
[[ -x "$lcli" ]] || { echo "FAIL: no Linux $lcli to compare with"; exit 1; }
. "$here/../harness.bash"
. "$here/wine.bash"
# An immutable folder must be made mutable again before it can be removed.
trap 'chattr -i "$work/readonly" 2>/dev/null; rm -rf "$work"' EXIT
# Wine turns the arguments into UTF-16 with the locale's character set.
export LC_ALL=C.UTF-8

# Counted in a file: many runs happen inside $(...).
wcli() {
    echo >>"$work/starts"
    wine_run "$exe" "$@"
}
# The Windows spelling of a Linux path: Wine shows the Linux root as drive Z:.
winpath() { local p=$1; echo "Z:${p//\//\\}"; }
# True when folders $1 and $2 hold the same file names with the same bytes.
same_maps() {
    [[ "$(ls -A "$1")" == "$(ls -A "$2")" && -n "$(ls -A "$1")" ]] || return 1
    local f
    for f in "$1"/*; do cmp -s "$f" "$2/${f##*/}" || return 1; done
}

# The Linux build's maps to compare with.
unicode='Ünïcode€'
mkdir -p "$work/linux/seeds" "$work/linux/batch" "$work/linux/start"
"$lcli" --quiet --seed hello --out "$work/linux/seeds" &&
    "$lcli" --quiet --seed "$unicode" --out "$work/linux/seeds" &&
    ORVANE_START_SEED=11 "$lcli" --quiet --count 3 --out "$work/linux/batch" &&
    ORVANE_START_SEED=7 "$lcli" --quiet --out "$work/linux/start" || fail "Linux reference runs"
hello=$(cd "$work/linux/seeds" && ls *+hello.png)
unicodeMap=$(cd "$work/linux/seeds" && ls *"+$unicode.png")
unseeded=$(ls "$work/linux/start")

# A seed, the folder given as a Windows path; again over a damaged copy: a seeded map replaces
# its own earlier file.
mkdir -p "$work/seeded"
wcli --quiet --seed hello --out "$(winpath "$work/seeded")"; rc=$?
if [[ $rc -eq 0 && "$(ls -A "$work/seeded")" == "$hello" ]] &&
    cmp -s "$work/seeded/$hello" "$work/linux/seeds/$hello"; then
    pass "seed hello: the Linux build's bytes ($hello), Z:\\ path"
else
    fail "seed hello: rc=$rc files=$(ls -A "$work/seeded") (Linux: $hello)"
fi
echo "not a map" >"$work/seeded/$hello"
wcli --quiet --seed hello --out "$work/seeded"; rc=$?
[[ $rc -eq 0 && "$(ls -A "$work/seeded")" == "$hello" ]] &&
    cmp -s "$work/seeded/$hello" "$work/linux/seeds/$hello" &&
    pass "a seeded map replaces its own file, Linux path" ||
    fail "seeded replace: rc=$rc files=$(ls -A "$work/seeded")"

# A Unicode seed into a folder named with Cyrillic letters and an emoji; the log line and the
# JSON name it right.
uni="$work/Карты 🗺"
mkdir -p "$uni"
wcli --json --seed "$unicode" --out "$uni" >"$work/uni.json" 2>"$work/uni.log"; rc=$?
[[ $rc -eq 0 && "$(ls -A "$uni")" == "$unicodeMap" ]] &&
    cmp -s "$uni/$unicodeMap" "$work/linux/seeds/$unicodeMap" &&
    pass "Unicode seed in a Unicode folder: the Linux build's bytes ($unicodeMap)" ||
    fail "Unicode seed: rc=$rc files=$(ls -A "$uni") (Linux: $unicodeMap) $(cat "$work/uni.log")"
grep -qF "Maps go to $uni (given with --out)" "$work/uni.log" &&
    python3 - "$work/uni.json" "$unicodeMap" "$unicode" <<'PY' &&
import json, sys
m = json.loads(open(sys.argv[1], "rb").read().decode("utf-8"))
assert m["file"] == sys.argv[2] and m["seed"] == sys.argv[3], m
PY
    pass "log line and JSON name the Unicode folder, file and seed" ||
    fail "Unicode text: $(head -1 "$work/uni.log") / $(cut -c1-120 "$work/uni.json")"

# A batch from a fixed start seed: the Linux build's three maps.
mkdir -p "$work/batch"
ORVANE_START_SEED=11 wcli --quiet --count 3 --out "$work/batch"; rc=$?
[[ $rc -eq 0 ]] && same_maps "$work/batch" "$work/linux/batch" &&
    pass "batch of 3: the Linux build's maps ($(ls "$work/batch" | tr '\n' ' '))" ||
    fail "batch: rc=$rc $(ls -A "$work/batch") (Linux: $(ls "$work/linux/batch"))"

# An unseeded map whose name is taken takes _2 and leaves the file there as it was.
mkdir -p "$work/unseeded"
echo "the player's own file" >"$work/unseeded/$unseeded"
cp "$work/unseeded/$unseeded" "$work/planted"
ORVANE_START_SEED=7 wcli --quiet --out "$work/unseeded"; rc=$?
second=${unseeded%.png}_2.png
[[ $rc -eq 0 && $(ls -A "$work/unseeded" | wc -l) -eq 2 ]] &&
    cmp -s "$work/unseeded/$unseeded" "$work/planted" &&
    cmp -s "$work/unseeded/$second" "$work/linux/start/$unseeded" &&
    pass "unseeded map beside a file of its name takes $second, the file untouched" ||
    fail "unseeded collision: rc=$rc files=$(ls -A "$work/unseeded") (expected $second)"

# Folders it cannot use: status 1, the reason, and no file.
msg=$(wcli --quiet --out "$work/missing/User/SavedLevels" 2>&1); rc=$?
[[ $rc -eq 1 && "$msg" == *"does not exist"*"$work/missing"* && ! -e "$work/missing" ]] &&
    pass "missing folder: status 1" || fail "missing folder: rc=$rc $msg"
# Root writes into a chmod 555 folder under Wine as anywhere else; an immutable folder refuses
# root too.
mkdir -p "$work/readonly"
if [[ $(id -u) -ne 0 ]]; then
    chmod 555 "$work/readonly" && how="chmod 555"
else
    chattr +i "$work/readonly" 2>/dev/null && how="chattr +i"
fi
if [[ -n "${how:-}" ]] && ! touch "$work/readonly/probe" 2>/dev/null; then
    msg=$(wcli --quiet --seed ro --out "$work/readonly" 2>&1); rc=$?
    [[ $rc -eq 1 && "$msg" == *"$work/readonly"*"Access denied"* && -z $(ls -A "$work/readonly") ]] &&
        pass "read-only folder ($how): status 1, Access denied, no file" ||
        fail "read-only folder ($how): rc=$rc $msg $(ls -A "$work/readonly")"
else
    echo "skip: no way to make a folder read-only for this user here"
fi

# Bad arguments: status 2 and nothing made.
mkdir -p "$work/args"
for args in "--count 0" "--bogus"; do
    msg=$(wcli --quiet $args --out "$work/args" 2>&1); rc=$?
    [[ $rc -eq 2 && -n "$msg" && -z $(ls -A "$work/args") ]] && pass "refused with status 2: $args" ||
        fail "$args: rc=$rc msg=$msg files=$(ls -A "$work/args")"
done

leftovers=$(find "$work" -name '.orvane-*')
[[ -z "$leftovers" ]] && pass "no temporary file left" || fail "left behind: $leftovers"
python3 "$here/../check_level.py" "$work"/seeded/*.png "$uni"/*.png "$work"/batch/*.png \
    "$work/unseeded/$second" >/dev/null && pass "level files well formed" || fail "level files"

echo "windows cli: $failures failed ($(wc -l <"$work/starts") Wine starts)"
[[ $failures -eq 0 ]]
