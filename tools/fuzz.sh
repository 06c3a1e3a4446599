#!/usr/bin/env bash
# Builds the libFuzzer target with clang (ASan + UBSan) in build/fuzz and runs it for SECONDS
# (default 60) from the corpus in tests/fuzz/corpus; new inputs go to a scratch copy.
# Usage: tools/fuzz.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF -DORVANE_WINDOW=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build/fuzz --target orvane_fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/* "$corpus/"
build/fuzz/tests/fuzz/orvane_fuzz -max_total_time="$seconds" -max_len=512 -timeout=10 \
    -print_final_stats=1 "$corpus"
