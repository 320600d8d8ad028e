"""The bank directory: iban_parts with bank fields against a builtin call,
and what reading the directory on first use costs.

    python benchmarks/bench_bank.py

iban_parts figures are the best of several runs, each measured interleaved
with ``operator.eq('ab', 'ac')`` (CPU time). The first-use figures come from
fresh interpreters: the time of the call that reads the directory (wall and
CPU, best of the runs) and the growth of the resident set it causes, next to
the bytes the directory reports holding.
"""
from __future__ import annotations

import argparse
import json
import operator
import subprocess
import sys
import time
import timeit

import orvane_vardik as ov

FIRST_USE = r"""
import json, os, time
def rss():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")
import orvane_vardik as ov
from orvane_vardik import _data
before = rss()
w0, c0 = time.perf_counter(), time.process_time()
info = _data.bank_directory_info()
w1, c1 = time.perf_counter(), time.process_time()
print(json.dumps({"wall": w1 - w0, "cpu": c1 - c0, "rss": rss() - before, "memory": info["memory"],
                  "rows": info["rows"]}))
"""


def per_call(stmt: str, names: dict[str, object], number: int) -> float:
    return timeit.timeit(stmt, globals=names, number=number, timer=time.process_time) / number * 1e9


def parts_figures(repeat: int, number: int) -> None:
    print("iban_parts per value with bank fields, against operator.eq('ab', 'ac') (ns; ratio of the minima)")
    names: dict[str, object] = {"f": ov.iban_parts, "eq": operator.eq, "v": "DE89370400440532013000"}
    cases = [
        ("iban_parts(v)", "f(v)"),
        ("iban_parts(v).bank_name", "f(v).bank_name"),
        ("iban_parts(v).bic", "f(v).bic"),
        ("iban_parts(v).national_check", "f(v).national_check"),
        ("parts, bank_name and bic", "p = f(v); p.bank_name; p.bic"),
    ]
    ov.iban_parts("DE89370400440532013000").bic  # the directory is read once, before timing
    for label, stmt in cases:
        got, ref = [], []
        for _ in range(repeat):
            got.append(per_call(stmt, names, number))
            ref.append(per_call("eq('ab', 'ac')", names, number))
        print(f"  {label:30s} {min(got):7.1f} ns   eq {min(ref):6.1f} ns   ratio {min(got) / min(ref):5.2f}")


def first_use_figures(runs: int) -> None:
    print(f"first use: reading the package's directory in a fresh interpreter (best of {runs})")
    results = []
    for _ in range(runs):
        out = subprocess.run([sys.executable, "-c", FIRST_USE], capture_output=True, text=True, check=True)
        results.append(json.loads(out.stdout))
    best = min(results, key=lambda r: r["wall"])
    print(f"  {best['rows']} rows: wall {min(r['wall'] for r in results) * 1e3:6.1f} ms, "
          f"CPU {min(r['cpu'] for r in results) * 1e3:6.1f} ms (median wall "
          f"{sorted(r['wall'] for r in results)[len(results) // 2] * 1e3:6.1f} ms)")
    print(f"  resident set growth {min(r['rss'] for r in results) / 2**20:5.2f} MiB (smallest), "
          f"directory holds {best['memory'] / 2**20:5.2f} MiB")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--number", type=int, default=200_000)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    parts_figures(args.repeat, args.number)
    first_use_figures(args.runs)


if __name__ == "__main__":
    main()
