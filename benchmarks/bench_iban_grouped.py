"""IBAN as people write it (groups of four) against the compact form.

Times `validate("iban", ...)` of the same account written grouped, grouped
in lower case, with hyphens, and compact, next to a builtin call
(`operator.eq` on two short str), rounds interleaved so that a busy machine
slows all alike; each figure is the minimum over the rounds of process CPU
time. The ratio to the compact form is the figure to watch: grouped input
of ordinary length should cost little more than compact input.

    python benchmarks/bench_iban_grouped.py            # about 10 s
    python benchmarks/bench_iban_grouped.py --quick
"""
from __future__ import annotations

import argparse
import operator
import time
import timeit

import orvane_vardik as ov

CASES = {
    "compact": "GB29NWBK60161331926819",
    "grouped": "GB29 NWBK 6016 1331 9268 19",
    "grouped lower": "gb29 nwbk 6016 1331 9268 19",
    "hyphens": "GB29-NWBK-6016-1331-9268-19",
    "grouped DE": "DE89 3704 0044 0532 0130 00",
    "compact DE": "DE89370400440532013000",
}


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--rounds", type=int, default=0)
    args = parser.parse_args()
    rounds = args.rounds or (5 if args.quick else 15)
    target_s = 0.01 if args.quick else 0.03

    env: dict[str, object] = {"validate": ov.validate, "eq": operator.eq, "a": "iban", "b": "GB29"}
    timers = {"builtin": timeit.Timer("eq(a, b)", globals=env, timer=time.process_time)}
    for label, value in CASES.items():
        assert ov.validate("iban", value).valid, value
        timers[label] = timeit.Timer("validate('iban', v)", globals={**env, "v": value}, timer=time.process_time)
    numbers = {}
    for label, t in timers.items():
        n = 1
        while (s := t.timeit(n)) < target_s / 4 and n < 1 << 22:
            n *= 4
        numbers[label] = max(1, int(n * target_s / max(s, 1e-9)))
    best = {label: float("inf") for label in timers}
    for _ in range(rounds):
        for label, t in timers.items():
            best[label] = min(best[label], t.timeit(numbers[label]) / numbers[label] * 1e9)

    print(f"{'validate iban':16s} {'ns':>7s} {'x builtin':>10s} {'x compact':>10s}")
    for label in timers:
        compact = best["compact DE"] if label.endswith("DE") else best["compact"]
        print(f"{label:16s} {best[label]:7.1f} {best[label] / best['builtin']:9.2f}x {best[label] / compact:9.2f}x")


if __name__ == "__main__":
    main()
