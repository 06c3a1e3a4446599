#!/usr/bin/env python3
"""Plants one-line faults, one at a time, and reports which ones no test notices.

Usage: tools/mutate.py [--max N] [--seconds S] [--seed K] [--work DIR] [--jobs J] [--list]
                       [--no-sync] TARGET...
TARGET is a folder or file of the repository (terrain, finish/Patterns.cpp, 'app/Seed*').

The tracked and untracked-but-not-ignored files are copied to DIR/src (default
/tmp/orvane-mutate), built once there as a release build (Ninja, CMAKE_BUILD_TYPE=Release), and
every fault is planted in that copy only: the repository's own tree is never written. Each
fault: rebuild incrementally, run the unit test programs the rebuild changed (the ctest tests
other than e2e_*, run program by program, first failure ends it), then, if they pass and
orvane-cli changed, tests/e2e/golden.sh on the copy's build.

Faults: a comparison moved across its boundary (< and <=, > and >=, == and !=), + 1 and - 1
swapped, && and || swapped, a draw from the random source dropped (the statement removed, or
the call replaced by a value), an integer literal off by one (tables). At most N per target,
chosen in an order fixed by --seed, so a second run with the same sources plants the same
faults. Never part of CI: a run takes minutes per fault on a busy machine.
"""
import argparse
import fnmatch
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_EXT = (".cpp", ".h")
TEST_PROGRAMS = ["test_core", "test_canvas", "test_terrain", "test_finish", "test_weapons",
                 "test_app", "test_run"]
DRAWS = ("Rnd", "RndInt", "Chance")


# ---- copying and building ----------------------------------------------------------------

def repo_files():
    out = subprocess.run(["git", "-C", ROOT, "ls-files", "-z", "--cached", "--others",
                          "--exclude-standard"], check=True, stdout=subprocess.PIPE).stdout
    return [f for f in out.decode().split("\0") if f and os.path.isfile(os.path.join(ROOT, f))]


def sync_copy(src):
    """Brings the copy up to the repository's files; unchanged files keep their times, so the
    build stays incremental."""
    for rel in repo_files():
        a, b = os.path.join(ROOT, rel), os.path.join(src, rel)
        try:
            with open(a, "rb") as fa, open(b, "rb") as fb:
                if fa.read() == fb.read():
                    continue
        except FileNotFoundError:
            pass
        os.makedirs(os.path.dirname(b), exist_ok=True)
        shutil.copy2(a, b)
        os.utime(b)  # newer than any object built from an older copy


def configure(src, build):
    if os.path.exists(os.path.join(build, "build.ninja")):
        return
    args = ["cmake", "-S", src, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"]
    vendor = os.path.normpath(os.path.join(ROOT, "..", "shared", "vendor"))
    if os.path.exists(os.path.join(vendor, "SHA256SUMS")):
        args.append("-DORVANE_DEPS_DIR=" + vendor)
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


def programs(build):
    return ["orvane-cli"] + [p for p in TEST_PROGRAMS
                             if os.path.exists(os.path.join(build, "tests", p))]


def build_targets(build, jobs, targets):
    r = subprocess.run(["ninja", "-C", build, "-j", str(jobs)] + targets,
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return r.returncode == 0, r.stdout


def stamps(build):
    out = {}
    for p in programs(build):
        path = os.path.join(build, p) if p == "orvane-cli" else os.path.join(build, "tests", p)
        out[p] = os.stat(path).st_mtime_ns
    return out


def run_unit(build, names, timeout):
    """Name of the first test program that fails, or None."""
    env = dict(os.environ, ORVANE_TEST_OUT=os.path.join(build, "test-out"))
    for name in names:
        try:
            r = subprocess.run([os.path.join(build, "tests", name), "--gtest_brief=1",
                                "--gtest_fail_fast=1"], cwd=os.path.join(build, "tests"),
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               timeout=timeout)
        except subprocess.TimeoutExpired:
            return name + " (timeout)"
        if r.returncode != 0:
            return name
    return None


def run_golden(src, build, timeout):
    try:
        r = subprocess.run(["bash", os.path.join(src, "tests", "e2e", "golden.sh"), build],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False
    return r.returncode == 0


# ---- finding faults -------------------------------------------------------------------------

def code_only(line):
    """The line with comments and string/char literals blanked, same length."""
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if c in "\"'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)[:n]


def call_end(code, start):
    """Index just past the parenthesis closing the one at `start`, or -1."""
    depth = 0
    for j in range(start, len(code)):
        if code[j] == "(":
            depth += 1
        elif code[j] == ")":
            depth -= 1
            if depth == 0:
                return j + 1
    return -1


RELATIONAL = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ",
              " != ": " == ", " && ": " || ", " || ": " && "}
ARITH = re.compile(r" ([+-]) 1\b(?![.\w])")
LITERAL = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|[0-9]+)(?![\w.'])")
DRAW_CALL = re.compile(r"\b[A-Za-z_]\w*(?:\.|->)(" + "|".join(DRAWS) + r")\(")
DRAW_VALUE = {"Rnd": "0.5f", "RndInt": "0", "Chance": "false"}


def line_faults(line):
    """(column, kind, new line) for each fault this line can take."""
    stripped = line.strip()
    if (not stripped or stripped.startswith("#") or stripped.startswith("//")
            or "assert(" in stripped or stripped.startswith("*")):
        return []
    code = code_only(line)
    found = []
    for op, new in RELATIONAL.items():
        for m in re.finditer(re.escape(op), code):
            kind = "logic" if op.strip() in ("&&", "||") else "compare"
            found.append((m.start() + 1, kind, "%s -> %s" % (op.strip(), new.strip()),
                          line[:m.start()] + new + line[m.end():]))
    for m in ARITH.finditer(code):
        sign = "-" if m.group(1) == "+" else "+"
        found.append((m.start() + 1, "plus-one", "%s 1 -> %s 1" % (m.group(1), sign),
                      line[:m.start()] + " %s 1" % sign + line[m.end():]))
    for m in DRAW_CALL.finditer(code):
        end = call_end(code, m.end() - 1)
        if end < 0:
            continue
        if code[:m.start()].strip() == "" and code[end:].strip() == ";":
            new = line[:m.start()] + "(void)0;" + line[end + 1:]
        elif code[:m.start()].strip() == "(void)" and code[end:].strip() == ";":
            new = line[:m.start()] + "0;" + line[end + 1:]
        else:
            new = line[:m.start()] + DRAW_VALUE[m.group(1)] + line[end:]
        found.append((m.start() + 1, "drop-draw", "drop %s" % line[m.start():end], new))
    if not stripped.startswith(("case ", "template")):
        for m in LITERAL.finditer(code):
            text = m.group(1)
            value = int(text, 16 if text[:2].lower() == "0x" else 10) + 1
            new_text = ("0x%0*X" % (len(text) - 2, value)) if text[:2].lower() == "0x" else str(value)
            found.append((m.start() + 1, "literal", "%s -> %s" % (text, new_text),
                          line[:m.start()] + new_text + line[m.end():]))
    return found


def target_files(target):
    files = []
    for rel in sorted(repo_files()):
        if not rel.endswith(SOURCE_EXT):
            continue
        if (rel == target or rel.startswith(target.rstrip("/") + "/")
                or fnmatch.fnmatch(rel, target)):
            files.append(rel)
    return files


def faults_of(target, seed, base):
    faults = []
    for rel in target_files(target):
        with open(os.path.join(base, rel), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            for col, kind, what, new in line_faults(line):
                # The order depends on the line's text, not its number: adding lines elsewhere
                # leaves the choice alone.
                key = hashlib.sha1(("%d|%s|%s|%d|%s" % (seed, rel, line, col, what)).encode())
                faults.append({"key": key.hexdigest(), "file": rel, "line": number, "col": col,
                               "kind": kind, "what": what, "new": new})
    # Kinds taken in turn, so a table's many literals do not crowd out the comparisons.
    faults.sort(key=lambda f: f["key"])
    by_kind = {}
    for f in faults:
        by_kind.setdefault(f["kind"], []).append(f)
    order = []
    while any(by_kind.values()):
        for kind in sorted(by_kind):
            if by_kind[kind]:
                order.append(by_kind[kind].pop(0))
    return order


# ---- planting ------------------------------------------------------------------------------

def plant(src, fault):
    path = os.path.join(src, fault["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    lines[fault["line"] - 1] = fault["new"]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return path, original


def restore(path, original):
    with open(path, "w", encoding="utf-8") as f:
        f.write(original)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("targets", nargs="+", metavar="TARGET")
    ap.add_argument("--max", type=int, default=20, help="faults per target (default 20)")
    ap.add_argument("--seconds", type=float, default=3600, help="stop planting after S s")
    ap.add_argument("--seed", type=int, default=1, help="order in which faults are chosen")
    ap.add_argument("--work", default="/tmp/orvane-mutate", help="scratch folder")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--test-timeout", type=float, default=120,
                    help="seconds a test program or the golden maps may take (a loop is a kill)")
    ap.add_argument("--list", action="store_true", help="list the chosen faults and stop")
    ap.add_argument("--no-sync", action="store_true",
                    help="keep the copy as it is (to measure an earlier state of the tests)")
    args = ap.parse_args()
    try:
        os.nice(19 - os.nice(0))  # a guest on a shared machine
    except OSError:
        pass

    work = os.path.abspath(args.work)
    if os.path.commonpath([work, ROOT]) == ROOT:
        sys.exit("--work must be outside the repository")
    src, build = os.path.join(work, "src"), os.path.join(work, "build")
    if not args.list:
        os.makedirs(src, exist_ok=True)
        if not (args.no_sync and os.path.isdir(os.path.join(src, "tests"))):
            sync_copy(src)

    # Faults are found in the copy, the sources they are planted in.
    chosen = []
    for target in args.targets:
        faults = faults_of(target, args.seed, ROOT if args.list else src)
        if not faults:
            sys.exit("no faults to plant in %s" % target)
        for f in faults[:args.max]:
            chosen.append(dict(f, target=target))
    if args.list:
        for f in chosen:
            print("%s:%d:%d  %-9s %s" % (f["file"], f["line"], f["col"], f["kind"], f["what"]))
        return
    configure(src, build)
    ok, log = build_targets(build, args.jobs, ["orvane-cli"] + TEST_PROGRAMS)
    if not ok:
        sys.exit("the unmutated copy does not build:\n" + log[-3000:])
    names = programs(build)
    failed = run_unit(build, names[1:], args.test_timeout)
    if failed or not run_golden(src, build, args.test_timeout):
        sys.exit("the unmutated copy fails its tests (%s)" % (failed or "golden maps"))
    print("unit test programs: %s" % " ".join(names[1:]), flush=True)

    # A stop (Ctrl-C, kill) puts the planted file back; a hard kill leaves it in the copy only,
    # and the next run's sync restores it.
    planted = {}

    def stop(signum, _frame):
        if planted:
            restore(*planted.popitem()[1])
        sys.exit(128 + signum)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    start, results = time.monotonic(), []
    for i, f in enumerate(chosen):
        if time.monotonic() - start > args.seconds:
            print("time is up after %d faults" % i, flush=True)
            break
        before = stamps(build)
        path, original = plant(src, f)
        planted[path] = (path, original)
        try:
            ok, _ = build_targets(build, args.jobs, names)
            if not ok:
                outcome = "not-compiled"
            else:
                after = stamps(build)
                changed = [n for n in names[1:] if after[n] != before[n]]
                failed = run_unit(build, changed, args.test_timeout)
                if failed:
                    outcome, f["by"] = "killed-unit", failed
                elif after["orvane-cli"] != before["orvane-cli"] and not run_golden(
                        src, build, args.test_timeout):
                    outcome = "killed-golden"
                else:
                    outcome = "survived"
        finally:
            restore(path, original)
            planted.pop(path, None)
        f["outcome"] = outcome
        results.append(f)
        print("[%d/%d %4.0fs] %-13s %s:%d  %s%s" % (
            i + 1, len(chosen), time.monotonic() - start, outcome, f["file"], f["line"],
            f["what"], "  (%s)" % f["by"] if "by" in f else ""), flush=True)
    build_targets(build, args.jobs, names)  # the copy's build back to the sources

    kinds = ["killed-unit", "killed-golden", "survived", "not-compiled"]
    print("\n%-22s %7s %11s %13s %8s %12s" % ("target", "planted", *kinds))
    for target in args.targets:
        rs = [r for r in results if r["target"] == target]
        print("%-22s %7d %11d %13d %8d %12d" % (target, len(rs),
                                               *[sum(r["outcome"] == k for r in rs) for k in kinds]))
    survivors = [r for r in results if r["outcome"] == "survived"]
    if survivors:
        print("\nsurvivors:")
        for r in survivors:
            print("  %s:%d:%d  %s" % (r["file"], r["line"], r["col"], r["what"]))
    with open(os.path.join(work, "results.json"), "w") as out:
        json.dump(results, out, indent=1)


if __name__ == "__main__":
    main()
