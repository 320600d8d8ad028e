"""The personal and crosscut kinds next to the peer library python-stdnum,
and the time of their `validate` next to a builtin call.

Agreement: for each kind the peer also has (gs1_128, cfi, vat as the peer's
vatin, and eu.ecnumber, mended here) the verdicts of both on the kind's
examples, on 1000 generated values and on every single-character change
of the examples (digits and capitals), with the first disagreements
listed. The peer is called only; its verdict is an oracle, not a rule.

Time: nanoseconds per `validate` of each new kind's first example, and a
builtin call with two short str (`operator.eq`), timed in the same rounds,
interleaved; each figure is the minimum over the rounds of process CPU
time. The target is a ratio of at most 3.

    python benchmarks/peer_personal.py
    python benchmarks/peer_personal.py --rounds 9 --number 100000
"""
from __future__ import annotations

import argparse
import importlib
import operator
import string
import time
import timeit

import orvane_vardik as ov

PERSONAL = ["us.npi", "us.dea", "us.mbi", "au.medicare", "sg.nric", "tw.nid", "nz.nhi", "pl.idcard", "de.idcard"]
CROSSCUT = ["gs1_128", "cfi", "vat"]
PEERS = {"gs1_128": "stdnum.gs1_128", "cfi": "stdnum.cfi", "vat": "stdnum.vatin", "eu.ecnumber": "stdnum.eu.ecnumber"}


def mutations(value: str) -> list[str]:
    out = []
    for i, ch in enumerate(value):
        for c in string.digits + string.ascii_uppercase:
            if c != ch:
                out.append(value[:i] + c + value[i + 1:])
    return out


def agreement() -> None:
    print("agreement with python-stdnum (same verdict / values compared)")
    print(f"{'id':<12} {'examples':>10} {'samples':>12} {'mutations':>14}  first disagreements")
    for vid, module in PEERS.items():
        try:
            peer = importlib.import_module(module)
        except ImportError:
            print(f"{vid:<12} peer module {module} not installed")
            continue
        examples = [ov.compact(vid, e) for e in ov.validator_metadata(vid).examples if "\x1d" not in e]
        samples = [ov.generate(vid) for _ in range(1000)]
        changed = [m for e in examples for m in mutations(e)]
        cells, differ = [], []
        for group in (examples, samples, changed):
            same = 0
            for v in group:
                ours = ov.validate(vid, v).valid
                try:
                    theirs = bool(peer.is_valid(v))
                except Exception:  # the peer raising counts as a refusal
                    theirs = False
                same += ours == theirs
                if ours != theirs and len(differ) < 4:
                    differ.append(f"{v} ours={'valid' if ours else 'invalid'}")
            cells.append(f"{same}/{len(group)}")
        print(f"{vid:<12} {cells[0]:>10} {cells[1]:>12} {cells[2]:>14}  {'; '.join(differ)}")
    print("no peer module for:", ", ".join(PERSONAL))


def ns(stmt: str, env: dict[str, object], number: int) -> float:
    return timeit.Timer(stmt, globals=env, timer=time.process_time).timeit(number) / number * 1e9


# For scale: the documented EU VAT router over the same national kind, and
# GS1 numbers of one element.
REFERENCES = [("eu.vat", "DE136695976"), ("gs1_128", "(00)106141412345678908"), ("ean", "09501101530003")]


def timing(rounds: int, number: int) -> None:
    kinds = PERSONAL + CROSSCUT + ["eu.ecnumber"]
    cases = [(vid, ov.validator_metadata(vid).examples[0]) for vid in kinds] + REFERENCES
    env = {"eq": operator.eq, "a": "abc", "b": "abd", "validate": ov.validate}
    best: dict[str, float] = {}
    for _ in range(rounds):
        for vid, value in cases:
            env["vid"], env["value"] = vid, value
            for key, stmt in (((vid, value), "validate(vid, value)"), ("builtin", "eq(a, b)")):
                t = ns(stmt, env, number)
                best[key] = min(best.get(key, t), t)
    ref = best["builtin"]
    print(f"\nvalidate time; builtin operator.eq: {ref:.1f} ns (minimum of {rounds} rounds)")
    print(f"{'id':<12} {'example':<42} {'ns':>7} {'ratio':>6}")
    worst = 0.0
    for i, (vid, value) in enumerate(cases):
        t = best[(vid, value)]
        if i < len(kinds):
            worst = max(worst, t / ref)
        elif i == len(kinds):
            print("for scale:")
        print(f"{vid:<12} {value:<42} {t:7.1f} {t / ref:6.2f}")
    print(f"worst ratio of the new kinds: {worst:.2f} (target <= 3)")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--number", type=int, default=50_000)
    args = parser.parse_args()
    agreement()
    timing(args.rounds, args.number)


if __name__ == "__main__":
    main()
