"""Values per second of the command line over a file of valid Luhn numbers.

Writes a temporary file of N 16-digit numbers (default one million), then runs
`orvane-vardik luhn --file F` with `--only-invalid` (nothing to print), with
`--json` and with `--csv` (output to /dev/null), the output styles interleaved
round by round so that a change in the machine's load touches each alike, and
prints the best wall-clock time and the CPU time of that run.

    python benchmarks/cli_throughput.py            # 1,000,000 values, best of 5
    python benchmarks/cli_throughput.py --quick    # 200,000 values, best of 3
"""
from __future__ import annotations

import argparse
import os
import resource
import subprocess
import sys
import tempfile
import time

import orvane_vardik as ov


def timed(cmd: list[str]) -> tuple[float, float]:
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    with open(os.devnull, "wb") as sink:
        subprocess.run(cmd, stdout=sink, check=False)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main() -> None:
    ap = argparse.ArgumentParser()
    ap.add_argument("--quick", action="store_true")
    args = ap.parse_args()
    count = 200_000 if args.quick else 1_000_000
    repeat = 3 if args.quick else 5
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "luhn.txt")
        with open(path, "w") as f:
            f.write("".join(ov.luhn_generate(16) + "\n" for _ in range(count)))
        base = [sys.executable, "-m", "orvane_vardik", "luhn", "--file", path, "-q"]
        styles = (["--only-invalid"], ["--json"], ["--csv"])
        best: dict[int, tuple[float, float]] = {}
        for _ in range(repeat):
            for i, extra in enumerate(styles):
                best[i] = min(best.get(i, (float("inf"), 0.0)), timed(base + extra))
        for i, extra in enumerate(styles):
            wall, cpu = best[i]
            label = f"luhn --file ({count:,} valid values) {' '.join(extra)}"
            print(f"{label:58s} {wall:6.2f} s  {count / wall:>12,.0f} values/s"
                  f"  (CPU {cpu:.2f} s: {count / cpu:,.0f} values/s)")


if __name__ == "__main__":
    main()
