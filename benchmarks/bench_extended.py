"""Nanoseconds per `validate` call of every extended id, next to a builtin.

For each extended id (every id the package serves that the documented
module does not) the first published example is validated in its compact
form (checked where it lies) and in a written form with separators
(compacted on the stack). The reference, a builtin call with two short str
(`operator.eq`), is timed in the same rounds, interleaved, with two
documented calls for scale (`_native.validate("isin", ...)` and the same
through the package function), and each figure
is the minimum over the rounds of process CPU time, so a noisy shared
machine inflates neither side. The target is a ratio of at most 3.

    python benchmarks/bench_extended.py            # all extended ids
    python benchmarks/bench_extended.py --rounds 9
"""
from __future__ import annotations

import argparse
import operator
import time
import timeit

import orvane_vardik as ov
from orvane_vardik import _native


def ns(stmt: str, env: dict[str, object], number: int) -> float:
    return timeit.Timer(stmt, globals=env, timer=time.process_time).timeit(number) / number * 1e9


def written(vid: str, compact: str) -> str:
    """The formatted form, or the compact text split by a blank if format adds nothing."""
    shown = ov.format(vid, compact)
    return shown if shown != compact else compact[:4] + " " + compact[4:]


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--number", type=int, default=200_000)
    args = parser.parse_args()

    ids = sorted(set(ov.validator_ids()) - set(_native.validator_ids()))
    cases = []
    for vid in ids:
        compact = ov.compact(vid, ov.validator_metadata(vid).examples[0])
        cases.append((vid, compact, written(vid, compact)))

    env = {"eq": operator.eq, "a": "abc", "b": "abd", "validate": ov.validate, "native": _native.validate,
           "isin": "US0378331005"}
    references = (("builtin", "eq(a, b)"), ("_native isin", "native('isin', isin)"),
                  ("package isin", "validate('isin', isin)"))
    best: dict[str, float] = {}
    for _ in range(args.rounds):
        for key, stmt in references:
            t = ns(stmt, env, args.number)
            best[key] = min(best.get(key, t), t)
        for vid, compact, shown in cases:
            for label, value in (("compact", compact), ("written", shown)):
                env["vid"], env["value"] = vid, value
                for key, stmt in ((f"{vid} {label}", "validate(vid, value)"), ("builtin", "eq(a, b)")):
                    t = ns(stmt, env, args.number)
                    best[key] = min(best.get(key, t), t)

    ref = best["builtin"]
    print(f"builtin operator.eq: {ref:.1f} ns (minimum of {args.rounds} rounds)")
    print(f"{'id':<14} {'form':<8} {'ns':>7} {'ratio':>6}")
    for key in ("_native isin", "package isin"):
        print(f"{key:<23} {best[key]:7.1f} {best[key] / ref:6.2f}")
    worst = 0.0
    for vid, _, _ in cases:
        for label in ("compact", "written"):
            t = best[f"{vid} {label}"]
            worst = max(worst, t / ref)
            print(f"{vid:<14} {label:<8} {t:7.1f} {t / ref:6.2f}")
    print(f"worst ratio: {worst:.2f} (target <= 3)")


if __name__ == "__main__":
    main()
