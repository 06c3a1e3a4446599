# Sourced by the end-to-end scripts: a scratch folder removed on exit, pass/fail counting, and
# waiting for a condition.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# Waits up to $2 seconds for command $1 to succeed.
wait_for() {
    local deadline=$((SECONDS + $2))
    until eval "$1"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.2
    done
}
