# Sourced by the end-to-end scripts: a scratch folder removed on exit, and pass/fail counting.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
