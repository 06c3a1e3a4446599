#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build/fuzz (or FUZZ_BUILD_DIR) and
# runs each for half of SECONDS (default 60): the text inputs from tests/fuzz/corpus, the palette
# PNG writer from tests/fuzz/png-corpus. New inputs go to scratch copies.
# Usage: tools/fuzz.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${FUZZ_BUILD_DIR:-build/fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF -DORVANE_WINDOW=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$build" --target orvane_fuzz orvane_fuzz_png
text_seconds=$(((seconds + 1) / 2))
png_seconds=$((seconds - text_seconds))
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/text" "$scratch/png"
cp tests/fuzz/corpus/* "$scratch/text/"
cp tests/fuzz/png-corpus/* "$scratch/png/"
"$build"/tests/fuzz/orvane_fuzz -max_total_time="$text_seconds" -max_len=512 -timeout=10 \
    -print_final_stats=1 "$scratch/text"
if ((png_seconds > 0)); then
    "$build"/tests/fuzz/orvane_fuzz_png -max_total_time="$png_seconds" -max_len=4096 \
        -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 "$scratch/png"
fi
