#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite twice: the release build
# (unit, property and end-to-end tests, benchmarks built) and the sanitizer build
# (AddressSanitizer, UndefinedBehaviorSanitizer, libstdc++ assertions); in between, orvane-cli
# built with clang++, with every library from the pinned sources, cross-built for AArch64 and
# i386 (run under qemu) and for Windows (run under Wine) must make the release build's maps,
# and the Windows programs pass their unit and end-to-end tests under Wine. Then
# ThreadSanitizer on the threaded batch; last, the text inputs are fuzzed for a bounded time
# (libFuzzer with clang, FUZZ_SECONDS, default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/cross-deps.sh
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"
tools/cross-sweep.sh 40
tools/windows-check.sh

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize -j "$jobs"

# ThreadSanitizer on the threaded batch only: its one test program and what it links.
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j "$jobs"

tools/fuzz.sh "${FUZZ_SECONDS:-60}"
