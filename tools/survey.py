#!/usr/bin/env python3
"""Makes many seeded maps with orvane-cli and reports what happened on them: file checks,
effect and pattern rates, decoration and weapon counters, stage timings.

Usage: tools/survey.py [--count N] [--wfw] [--prefix P] [--cli PATH] [--keep DIR]
Seeds are P1 .. PN (default prefix "survey"). Exits 1 when a saved file fails its checks."""
import argparse
import collections
import json
import os
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import check_level  # noqa: E402


def run_maps(cli, seeds, wfw, out):
    args = [cli, "--quiet", "--json", "--out", out]
    if wfw:
        args.append("--wfw")
    for seed in seeds:
        args += ["--seed", seed]
    result = subprocess.run(args, check=True, stdout=subprocess.PIPE, text=True)
    return [json.loads(line) for line in result.stdout.splitlines() if line.strip()]


def percent(n, total):
    return "%d/%d (%.1f %%)" % (n, total, 100.0 * n / total)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--wfw", action="store_true")
    parser.add_argument("--prefix", default="survey")
    parser.add_argument("--cli", default=os.path.join(ROOT, "build", "release", "orvane-cli"))
    parser.add_argument("--keep", help="keep the maps in this folder")
    opts = parser.parse_args()

    seeds = ["%s%d" % (opts.prefix, i) for i in range(1, opts.count + 1)]
    with tempfile.TemporaryDirectory() as tmp:
        out = opts.keep or tmp
        os.makedirs(out, exist_ok=True)
        maps = run_maps(opts.cli, seeds, opts.wfw, out)
        faults = 0
        for m in maps:
            problems = check_level.check(os.path.join(out, m["file"]))
            if problems:
                faults += 1
                print("  %s: %s" % (m["file"], "; ".join(problems)))
        if opts.wfw:
            bad_names = [m["file"] for m in maps if not m["file"].startswith("W_")]
            faults += len(bad_names)
            for name in bad_names:
                print("  not named W_: " + name)

    total = len(maps)
    print("\n%d maps, %d with faults" % (total, faults))

    with_effects = sum(1 for m in maps if m["finishing"]["effects"])
    effect_names = collections.Counter(e for m in maps for e in m["finishing"]["effects"])
    print("maps with effects: " + percent(with_effects, total))
    for name, n in sorted(effect_names.items()):
        print("  %-28s %d" % (name, n))
    with_patterns = sum(1 for m in maps if m["finishing"]["patterns"])
    pattern_names = collections.Counter(p for m in maps for p in m["finishing"]["patterns"])
    print("maps with cut patterns: " + percent(with_patterns, total))
    for name, n in sorted(pattern_names.items()):
        print("  %-28s %d" % (name, n))
    largest = max(m["finishing"]["paletteSizes"][-1] for m in maps)
    print("most colours after the last reduction: %d" % largest)

    comp = [m["composition"] for m in maps]
    for key in ("blobs", "holes", "links", "surfaces"):
        print("%-10s maps with any: %s, total %d" %
              (key, percent(sum(1 for c in comp if c[key]), total), sum(c[key] for c in comp)))
    for drawer in comp[0]["decorations"]:
        counts = [c["decorations"][drawer] for c in comp]
        print("  %-12s maps with any: %s, total %d" %
              (drawer, percent(sum(1 for n in counts if n), total), sum(counts)))

    if opts.wfw:
        weapons = [m["weapons"] for m in maps]
        print("spots reserved on %s maps, pictures on %s" %
              (percent(sum(1 for w in weapons if w["spotsReserved"]), total),
               percent(sum(1 for w in weapons if w["picturesDrawn"]), total)))
        print("spots %d, pictures %d" % (sum(w["spotsReserved"] for w in weapons),
                                         sum(w["picturesDrawn"] for w in weapons)))
        repeats = sum(1 for w in weapons for a, b in zip(w["chosen"], w["chosen"][1:]) if a == b)
        print("same weapon twice in a row within a map: %d" % repeats)
        freq = collections.Counter(n for w in weapons for n in w["chosen"])
        picks = sum(freq.values())
        print("weapon frequencies (number: picks, share):")
        row = []
        for number in sorted(freq):
            row.append("%2d:%4d %4.1f%%" % (number, freq[number], 100.0 * freq[number] / picks))
            if len(row) == 6:
                print("  " + "   ".join(row))
                row = []
        if row:
            print("  " + "   ".join(row))

    for stage in ("p1", "p2", "p3", "p4", "createMap", "save"):
        values = [m["ms"][stage] for m in maps]
        print("%-9s ms median %6.0f  worst %6d" % (stage, statistics.median(values), max(values)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
