#!/usr/bin/env bash
# The Windows programs under Wine: builds the MinGW-w64 preset, runs its unit tests (ctest, under
# Wine), then the end-to-end checks of orvane-cli.exe and orvane.exe against the Linux release
# build's orvane-cli, and the installer and zip (made with cpack) installed and removed. Runs
# every step even when one fails, so one run shows all that is wrong; exits non-zero when any
# step failed.
#   tools/windows-check.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
failed=()
step() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    if "$@"; then
        echo "== $name: ok ($((SECONDS - start)) s)"
    else
        echo "== $name: FAILED ($((SECONDS - start)) s)"
        failed+=("$name")
    fi
}

[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
# Several people build in build/mingw: one build at a time. -k 0: a target that fails to build
# does not keep the others (and their tests) from building.
step "mingw build" flock /tmp/mingw-build.lock cmake --build --preset mingw -j "$(nproc)" -- -k 0
# The maps the Windows programs make are compared with this build's.
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
step "release orvane-cli" cmake --build --preset release --target orvane-cli
step "unit tests under Wine" ctest --preset mingw -j "$(nproc)"
step "orvane-cli.exe" bash tests/e2e/windows/cli.sh build/mingw build/release
step "orvane.exe" bash tests/e2e/windows/window.sh build/mingw build/release
step "installer and zip" bash tests/e2e/windows/package.sh build/mingw

if [ ${#failed[@]} -gt 0 ]; then
    printf 'windows-check: failed: %s\n' "${failed[*]}"
    exit 1
fi
echo "windows-check: all passed"
