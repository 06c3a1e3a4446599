#!/usr/bin/env bash
# Checks that every folder includes only the folders it may use, installs what is missing,
# then builds and runs the whole suite twice: the release build
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
# Each part's time, for keeping the whole run within CI's limit.
phase() { echo "== test.sh: $1 done at $((SECONDS / 60)) min $((SECONDS % 60)) s"; }
# Which folder may include which: cheap, so first.
tools/check-layers.py
scripts/deps.sh
scripts/cross-deps.sh
jobs=$(nproc)
phase "packages"

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"
phase "release build and tests"
tools/cross-sweep.sh 40
phase "clang, pinned, AArch64, i386 and Windows builds compared"
tools/windows-check.sh
phase "Windows tests under Wine"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize -j "$jobs"
phase "sanitizer build and tests"

# ThreadSanitizer on the threaded batch only: its one test program and what it links.
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j "$jobs"
phase "ThreadSanitizer"

tools/fuzz.sh "${FUZZ_SECONDS:-60}"
phase "fuzzing"
