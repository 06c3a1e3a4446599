# Sourced by the Windows end-to-end scripts (after harness.bash; needs $repo).
# wine_run PROGRAM.exe ARGS...: runs it under Wine (tools/wine-run.sh), stderr passed on. Wine
# has been seen to end a console program with status 1 and no word at all (once in CI: a batch
# of three maps under a fresh prefix, no file, nothing on stderr; not reproduced in 40 runs
# here). Orvane's programs never end with status 1 without saying why, so such a run is made
# once more, and the note says so.
wine_run() {
    local err rc
    err=$(mktemp)
    "$repo/tools/wine-run.sh" "$@" 2>"$err"
    rc=$?
    if [[ $rc -eq 1 && ! -s "$err" ]]; then
        echo "note: Wine ended ${1##*/} with status 1 without a word; running it once more" >&2
        "$repo/tools/wine-run.sh" "$@" 2>"$err"
        rc=$?
    fi
    cat "$err" >&2
    rm -f "$err"
    return $rc
}
