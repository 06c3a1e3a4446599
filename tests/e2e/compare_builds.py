#!/usr/bin/env python3
"""Seeds travel: every build must make the same maps, byte for byte, as the reference build.

    compare_builds.py [--sweep N] REFERENCE_BUILD OTHER_BUILD...

Each build folder's orvane-cli makes the golden seeds (tests/e2e/golden.sh) and N sweep seeds
in both modes; a binary for another CPU runs under qemu-<cpu>-static, a Windows one
(orvane-cli.exe) under Wine (tools/wine-run.sh). The golden maps must match
golden-maps.sha256 on every build; every map must equal the reference's. For a map that
differs, the --json reports are compared first, so the first stage that went its own way is
named (terrain, decorations, weapons, finishing, size), then the PNG chunk holding the first
differing byte. Exits 1 on any difference.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent

# ELF e_machine values of the CPUs we build for; a binary the kernel cannot run itself (another
# CPU, or 32-bit x86 on a kernel without 32-bit support) runs under qemu-<cpu>-static.
MACHINES = {3: "i386", 62: "x86_64", 183: "aarch64"}

# The report's parts in the order the run makes them.
STAGES = [
    ("terrain", lambda r: {k: v for k, v in r["composition"].items() if k != "decorations"}),
    ("decorations", lambda r: r["composition"]["decorations"]),
    ("weapons", lambda r: r["weapons"]),
    ("finishing", lambda r: r["finishing"]),
    ("final size and name", lambda r: [r["width"], r["height"], r["area"], r["file"]]),
    ("file size", lambda r: r["bytes"]),
]


def golden_seeds():
    for line in (HERE / "golden.sh").read_text().splitlines():
        if line.startswith("seeds=("):
            return shlex.split(line[len("seeds=("):line.rindex(")")])[1::2]
    sys.exit("no seeds=(...) line in golden.sh")


def golden_sums():
    sums = {}
    for line in (HERE / "golden-maps.sha256").read_text(encoding="utf-8").splitlines():
        digest, name = line.split(None, 1)
        sums[name] = digest
    return sums


def command_for(binary):
    """(cpu, command prefix, environment, folder argument) for a build's orvane-cli."""
    with open(binary, "rb") as f:
        header = f.read(20)
    if header[:2] == b"MZ":
        # A Windows program runs under Wine, which sees the Linux root as drive Z:.
        wine = str(HERE.parent.parent / "tools" / "wine-run.sh")
        return "x86_64 Windows, Wine", [wine, str(binary)], {}, \
            lambda p: "Z:" + str(p).replace("/", "\\")
    cpu = MACHINES.get(struct.unpack_from("<H", header, 18)[0], "unknown")
    try:
        subprocess.run([str(binary), "--help"], capture_output=True, check=True)
        return cpu, [str(binary)], {}, str
    except (OSError, subprocess.CalledProcessError):
        pass
    qemu = f"qemu-{cpu}-static"
    if not shutil.which(qemu):
        sys.exit(f"cannot run the {cpu} binary {binary}: install qemu-user-static")
    # The loader and libraries are the multiarch packages' own (libc6:arm64, libc6:i386), never
    # the cross toolchain's copy under /usr/<triplet>: a loader from another glibc build than
    # the libc it loads corrupts the thread lists, and the first thread never starts.
    env = {"QEMU_LD_PREFIX": "/"}
    return f"{cpu}, qemu", [qemu, str(binary)], env, str


def cli_of(build):
    exe = Path(build) / "orvane-cli.exe"
    return exe if exe.exists() else Path(build) / "orvane-cli"


def make_maps(build, seeds, wfw, out, timeout):
    cpu, cmd, env, folder = command_for(cli_of(build))
    out.mkdir(parents=True)
    args = cmd + ["--quiet", "--json", "--out", folder(out)] + (["--wfw"] if wfw else [])
    for s in seeds:
        args += ["--seed", s]
    try:
        run = subprocess.run(args, env={**os.environ, **env}, capture_output=True, text=True,
                             encoding="utf-8", timeout=timeout)
    except subprocess.TimeoutExpired as e:
        done = len((e.stdout or b"").splitlines())
        sys.exit(f"{build} ({cpu}) wfw={wfw}: no end after {timeout} s; {done} maps made, "
                 f"stuck on seed {seeds[done]!r}")
    if run.returncode != 0:
        sys.exit(f"{build} failed ({run.returncode}): {run.stderr.strip()}")
    reports = [json.loads(line) for line in run.stdout.splitlines() if line.strip()]
    return cpu, {r["seed"]: r for r in reports}


def png_chunks(data):
    pos, chunks = 8, []
    while pos + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        chunks.append((pos, pos + 12 + length, kind.decode("latin-1")))
        pos += 12 + length
    return chunks


def first_difference(ref, other, ref_dir, other_dir):
    for stage, part in STAGES:
        if part(ref) != part(other):
            return f"{stage}: {json.dumps(part(ref))} vs {json.dumps(part(other))}"
    a = (ref_dir / ref["file"]).read_bytes()
    b = (other_dir / other["file"]).read_bytes()
    if a == b:
        return None
    offset = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    chunk = next((k for s, e, k in png_chunks(a) if s <= offset < e), "end")
    return f"same report, bytes differ from offset {offset} (chunk {chunk})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("reference")
    parser.add_argument("others", nargs="+")
    parser.add_argument("--sweep", type=int, default=40, help="sweep seeds per mode")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--timeout", type=int, default=1200, help="seconds per orvane-cli run")
    opts = parser.parse_args()

    seeds = golden_seeds() + [f"sweep-{i:04d}" for i in range(1, opts.sweep + 1)]
    builds = [opts.reference] + opts.others
    work = Path(tempfile.mkdtemp(prefix="orvane-compare-"))
    start = time.monotonic()
    try:
        # One process per build, mode and share of the seeds, so both cores stay busy.
        shares = max(1, opts.jobs // len(builds))
        jobs = {}
        with concurrent.futures.ThreadPoolExecutor(opts.jobs) as pool:
            for b, build in enumerate(builds):
                for wfw in (False, True):
                    for k in range(shares):
                        out = work / f"{b}-{int(wfw)}-{k}"
                        jobs[(b, wfw, k)] = (out, pool.submit(make_maps, build, seeds[k::shares],
                                                              wfw, out, opts.timeout))
        maps = {}  # (build, wfw, seed) -> (report, folder)
        cpus = {}
        for (b, wfw, _), (out, job) in jobs.items():
            cpus[b], reports = job.result()
            for seed, report in reports.items():
                maps[(b, wfw, seed)] = (report, out)

        failures = []
        sums = golden_sums()
        for b, build in enumerate(builds):
            for wfw in (False, True):
                for seed in seeds:
                    if (b, wfw, seed) not in maps:
                        failures.append(f"{build}: no map for seed {seed!r} wfw={wfw}")
                        continue
                    report, folder = maps[(b, wfw, seed)]
                    if seed in seeds[:len(golden_seeds())]:
                        digest = hashlib.sha256((folder / report["file"]).read_bytes()).hexdigest()
                        if sums.get(report["file"]) != digest:
                            failures.append(f"{build} ({cpus[b]}): golden map {report['file']} "
                                            "differs from golden-maps.sha256")
                    if b == 0 or (0, wfw, seed) not in maps:
                        continue
                    ref, ref_folder = maps[(0, wfw, seed)]
                    diff = first_difference(ref, report, ref_folder, folder)
                    if diff:
                        failures.append(f"{build} ({cpus[b]}) seed {seed!r} "
                                        f"{'wfw' if wfw else 'plain'}: first differs in {diff}")
        count = len(seeds) * 2
        names = ", ".join(f"{build} ({cpus[b]})" for b, build in enumerate(builds))
        print(f"compared {count} maps per build ({len(seeds)} seeds x 2 modes, "
              f"{len(golden_seeds())} golden) on {names} in {time.monotonic() - start:.0f} s")
        for f in failures:
            print("FAIL:", f)
        if failures:
            return 1
        print(f"ok: {count * (len(builds) - 1)} maps identical to {opts.reference}'s, "
              "golden maps as recorded")
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
