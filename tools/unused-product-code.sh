#!/usr/bin/env bash
# Lists the product functions that neither program calls: code that only tests, benchmarks or
# tools reach, kept alive by them alone. Exits 1 when one is found that the allow-list
# (tools/unused-product-code.allow, one name a line with the reason beside it) does not explain.
#
# The two programs are built unoptimised, so no call is inlined away, with each function in a
# section of its own; the linker then drops every function no path from main reaches. A
# function of the product libraries missing from both programs is unused. Functions defined in
# headers are compiled only where called, so the linker never sees an unused one: for those, a
# name declared in a product header and written nowhere else in the product is reported too.
# Not seen: overrides that are never called (their vtable keeps them).
#
# Usage: tools/unused-product-code.sh [build folder]   (default build/unused; a few minutes
# the first time, since it is a build of its own)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/unused}
allow=$root/tools/unused-product-code.allow

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-O0 -ffunction-sections" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections -Wl,--print-gc-sections" >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
programs=(orvane-cli orvane)
for program in "${programs[@]}"; do
    # Linked again on purpose: the dropped sections are printed only while linking.
    rm -f "$build/$program"
    cmake --build "$build" -j "$(nproc)" --target "$program" >"$build/$program.gc"
done

found=$(mktemp)
trap 'rm -f "$found"' EXIT
{
    # Functions of namespace orvane (by their mangled names, so a std template that merely
    # takes an orvane type stays out) that a product library defines and neither program has.
    comm -23 <(nm --defined-only "$build"/liborvane_*.a | awk '$2 ~ /^[TW]$/ {print $3}' | sort -u) \
        <(nm --defined-only "${programs[@]/#/$build/}" | awk '{print $3}' | sort -u) |
        grep -E '^_ZNK?6orvane' | c++filt
    # Functions local to a file (their names repeat between files): dropped from both programs.
    for program in "${programs[@]}"; do
        sed -n "s/.*removing unused section '\.text\.\(_ZNK\?6orvane[^']*\)' in file '.*liborvane_.*\.a(\(.*\))'/\2 \1/p" \
            "$build/$program.gc" | sort -u
    done | sort | uniq -d | while read -r file symbol; do
        echo "$(c++filt "$symbol") [$file]"
    done | grep -F '(anonymous namespace)' || true
    # Header-only functions.
    python3 - "$root" <<'EOF'
import os, re, sys
root = sys.argv[1]
product = ["core", "pixels", "raster", "effects", "palette", "deflate", "png", "levelfile",
           "canvas", "map", "terrain", "weapons", "finish", "resources", "app"]
sources = {}
for folder in product:
    for path, _, names in os.walk(os.path.join(root, folder)):
        for name in names:
            if name.endswith((".h", ".cpp")):
                with open(os.path.join(path, name), encoding="utf-8") as f:
                    sources[name] = sources.get(name, "") + f.read()
text = "\n".join(sources.values())
declared = set()
for name, source in sources.items():
    if name.endswith(".h"):
        # A name followed by its parameters and then a body or a semicolon.
        declared.update(re.findall(r"\b([A-Z]\w*)\s*\([^;{}()]*\)\s*(?:const\s*)?[{;]", source))
for name in sorted(declared):
    if len(re.findall(r"(?<![\w~])" + name + r"\b", text)) == 1:
        print(f"orvane::{name} (header only)")
EOF
} | grep '^orvane::' | grep -vF '{lambda' | sort -u >"$found"

# The allow-list's names are the text before the first tab; the rest of a line is its reason.
unexplained=$(grep -vxFf <(cut -f1 "$allow" | grep -v '^#') "$found" || true)
sed 's/^/allowed: /' <(grep -xFf <(cut -f1 "$allow" | grep -v '^#') "$found" || true)
if [[ -n $unexplained ]]; then
    echo "Product functions that neither program uses:"
    echo "$unexplained"
    exit 1
fi
echo "ok: every product function is used by orvane or orvane-cli"
