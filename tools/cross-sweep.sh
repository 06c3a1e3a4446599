#!/usr/bin/env bash
# Seeds travel: builds orvane-cli natively (release), for AArch64 and for i386 (SSE2) with
# Debian's cross compilers, then makes the golden seeds and SEEDS sweep seeds (default 100)
# in both modes with each and compares the maps byte for byte (tests/e2e/compare_builds.py).
#   tools/cross-sweep.sh [SEEDS]
set -euo pipefail
seeds=${1:-100}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/cross-deps.sh
jobs=$(nproc)
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target orvane-cli
for preset in aarch64 i686; do
    [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
python3 tests/e2e/compare_builds.py --sweep "$seeds" build/release build/aarch64 build/i686
