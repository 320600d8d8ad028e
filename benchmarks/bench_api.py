"""Package-level calls against the documented module's: ns per call.

`orvane_vardik.validate` (and compact, format) come from the package module
`_api`, built from the same sources as `_native` over every record,
documented and extended. This prints, for a few ids, the cost of the
package call next to the `_native` call and a builtin reference
(`operator.eq` on two short str), all timed in the same run with the rounds
interleaved, so a noisy neighbour slows all three alike. Every figure is the
minimum over the rounds of process CPU time.

Each module links its own copy of the validator core and of the module
code; the build puts both at the same offsets in the two modules, because
a copy placed elsewhere ran some operations up to 15 ns slower (a hot loop
straddling a cache line in one copy only). The empty-value rows measure the
call path alone.

    python benchmarks/bench_api.py            # about 20 s
    python benchmarks/bench_api.py --quick
"""
from __future__ import annotations

import argparse
import operator
import time
import timeit
from collections.abc import Sequence

import orvane_vardik as ov
from orvane_vardik import _native

# (operation, id, value): documented ids first, then extended ones. The two
# empty values make the validator's own work negligible: they show the cost
# of the call path alone (argument binding, lookup, result).
CASES = [
    ("validate", "luhn", ""),
    ("compact", "luhn", ""),
    ("validate", "luhn", "79927398713"),
    ("validate", "iban", "GB29NWBK60161331926819"),
    ("validate", "pl.pesel", "44051401359"),
    ("compact", "iban", "GB29 NWBK 6016 1331 9268 19"),
    ("format", "iban", "GB29NWBK60161331926819"),
    ("validate", "isbn", "978-0-306-40615-7"),
    ("compact", "isbn", "978-0-306-40615-7"),
    ("format", "isbn", "9780306406157"),
    ("validate", "ean", "4006381333931"),
]


def calibrated(stmt: str, env: dict[str, object], target_s: float) -> int:
    timer = timeit.Timer(stmt, globals=env, timer=time.process_time)
    number = 1
    while True:
        t = timer.timeit(number)
        if t >= target_s / 4 or number >= 1 << 22:
            break
        number *= 4
    return max(1, int(number * target_s / max(t, 1e-9)))


def interleaved(stmts: dict[str, str], env: dict[str, object], rounds: int, target_s: float) -> dict[str, float]:
    """Minimum ns per execution of each statement, measured round-robin."""
    numbers = {k: calibrated(s, env, target_s) for k, s in stmts.items()}
    timers = {k: timeit.Timer(s, globals=env, timer=time.process_time) for k, s in stmts.items()}
    best = {k: float("inf") for k in stmts}
    order = list(timers)
    for _ in range(rounds):
        for k in order:
            n = numbers[k]
            best[k] = min(best[k], timers[k].timeit(n) / n * 1e9)
        order.reverse()  # neither call always runs right after the other
    return best


def main(argv: Sequence[str] | None = None) -> None:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--quick", action="store_true", help="fewer and shorter rounds")
    ap.add_argument("--rounds", type=int, default=0, help="rounds per row (default 15, --quick 7)")
    args = ap.parse_args(argv)
    rounds, target_s = (7, 0.005) if args.quick else (15, 0.012)
    rounds = args.rounds or rounds
    known = set(ov.validator_ids())
    documented = set(_native.validator_ids())

    print(f"{'call':40s} {'package':>9s} {'_native':>9s} {'diff':>7s} {'builtin':>8s} {'pkg/builtin':>11s}")
    for op, vid, value in CASES:
        if vid not in known:
            print(f"{op}({vid!r}): not registered in this build")
            continue
        env: dict[str, object] = {"eq": operator.eq, "a": "luhn", "b": "79927398713", "i": vid, "v": value,
                                  "pkg": getattr(ov, op), "nat": getattr(_native, op)}
        stmts = {"builtin": "eq(a, b)", "pkg": "pkg(i, v)"}
        if vid in documented:
            stmts["nat"] = "nat(i, v)"
        ns = interleaved(stmts, env, rounds, target_s)
        nat = f"{ns['nat']:9.1f}" if "nat" in ns else f"{'-':>9s}"
        diff = f"{ns['pkg'] - ns['nat']:+7.1f}" if "nat" in ns else f"{'-':>7s}"
        label = f"{op}({vid!r}, {value!r})"
        print(f"{label[:40]:40s} {ns['pkg']:9.1f} {nat} {diff} {ns['builtin']:8.1f} {ns['pkg'] / ns['builtin']:10.2f}x")
    print("ns per call, minimum over interleaved rounds of process CPU time; "
          "diff = package - _native (extended ids: '-', _native rejects them)")


if __name__ == "__main__":
    main()
