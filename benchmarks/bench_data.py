"""Data functions: iban_parts against a builtin call, sampling throughput,
and the cost per character of long grouped IBAN text.

    python benchmarks/bench_data.py
    python benchmarks/bench_data.py --rows 2000000 --repeat 7

Every figure is the best of several runs, measured interleaved with its
reference in the same run (the machine may be shared and noisy): iban_parts
as a ratio to ``operator.eq`` on two short str (CPU time), sampling in
values per second (CPU time of the drawing thread's process).
"""
from __future__ import annotations

import argparse
import operator
import time
import timeit

import orvane_vardik as ov
from orvane_vardik import columns


def per_call(stmt: str, names: dict[str, object], number: int) -> float:
    # CPU time of this process: on a loaded machine wall time also counts
    # the slices other processes ran in.
    return timeit.timeit(stmt, globals=names, number=number, timer=time.process_time) / number * 1e9


def iban_parts_figures(repeat: int, number: int) -> None:
    print("iban_parts per value, against operator.eq('ab', 'ac') (ns; ratio of the minima)")
    cases = [
        ("valid, compact", "GB29NWBK60161331926819"),
        ("valid, grouped lower case", "gb29 nwbk 6016 1331 9268 19"),
        ("invalid check digits", "GB00NWBK60161331926819"),
        ("not an IBAN", "hello"),
    ]
    names = {"f": ov.iban_parts, "eq": operator.eq}
    for label, value in cases:
        names["v"] = value
        parts, ref = [], []
        for _ in range(repeat):  # interleaved, so both see the same load
            parts.append(per_call("f(v)", names, number))
            ref.append(per_call("eq('ab', 'ac')", names, number))
        print(f"  {label:28s} {min(parts):7.1f} ns   eq {min(ref):6.1f} ns   ratio {min(parts) / min(ref):5.2f}")


def sample_figures(rows: int, repeat: int) -> None:
    print(f"columns.sample, {rows:,} values (best of {repeat}; million values per second)")
    for vid in ("luhn", "creditcard", "iban", "pl.pesel", "se.personnummer"):
        n = rows if vid not in ("pl.pesel", "se.personnummer") else rows // 10
        columns.sample(vid, 10, seed=0)  # the kind's structure is learned once per process
        best = float("inf")
        for r in range(repeat):
            t0 = time.process_time()
            columns.sample(vid, n, seed=r)
            best = min(best, time.process_time() - t0)
        print(f"  {vid:18s} {n / best / 1e6:6.2f} M/s")


def grouped_figures(repeat: int, number: int) -> None:
    print("validate('iban', grouped text): ns per character, and the marginal cost from 100 to 1000 bytes")
    names = {"v": ov.validate, "eq": operator.eq}
    times = {}
    for n in (64, 100, 400, 1000):
        names["s"] = ("gb29 nwbk 6016 1331 9268 19 " * 40)[:n]
        times[n] = min(per_call("v('iban', s)", names, number) for _ in range(repeat))
        print(f"  {n:5d} bytes: {times[n]:8.1f} ns  {times[n] / n:5.2f} ns/char")
    print(f"  marginal: {(times[1000] - times[100]) / 900:5.2f} ns/char")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--number", type=int, default=200_000)
    args = parser.parse_args()
    iban_parts_figures(args.repeat, args.number)
    sample_figures(args.rows, args.repeat)
    grouped_figures(args.repeat, args.number // 10)


if __name__ == "__main__":
    main()
