#!/usr/bin/env bash
# Seeds travel: builds orvane-cli natively (release), with clang++, with every library from the
# pinned sources, for AArch64 and i386 (SSE2) with Debian's cross compilers and for 64-bit
# Windows with MinGW-w64, then makes the golden seeds and SEEDS sweep seeds (default 100) in
# both modes with each (qemu for the other CPUs, Wine for Windows) and compares the maps byte
# for byte with the release build's (tests/e2e/compare_builds.py).
#   tools/cross-sweep.sh [SEEDS]
set -euo pipefail
seeds=${1:-100}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/cross-deps.sh
jobs=$(nproc)
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target orvane-cli
for preset in aarch64 i686 clang pinned mingw; do
    [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
    # Windows: only orvane-cli here; tools/windows-check.sh builds and tests the rest.
    cmake --build --preset "$preset" -j "$jobs" $([ "$preset" = mingw ] && echo --target orvane-cli)
done
python3 tests/e2e/compare_builds.py --sweep "$seeds" build/release build/clang build/pinned \
    build/aarch64 build/i686 build/mingw
