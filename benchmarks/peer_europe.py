"""The European kinds next to python-stdnum, and their `validate` time.

For each kind python-stdnum also knows, the script prints how often the
two agree on
- the published examples (the registry's own);
- 1000 values of `orvane_vardik.sample` (python-stdnum should accept them);
- single-character changes of those values (each sample with one
  character replaced by another of its kind: digit by digit, letter by
  letter);
and lists the values where they disagree (a few per kind), so that each
difference can be traced to the issuer's rule.

Then nanoseconds per `validate` call of each kind (its first example,
compact), interleaved with a builtin call with two short str
(`operator.eq`) in the same rounds, and for scale two extended kinds that
came before these (`imei`, `iso11649`); each figure is the minimum over the
rounds of process CPU time. The target is a ratio of at most 3.

    python benchmarks/peer_europe.py
    python benchmarks/peer_europe.py --rounds 5 --number 50000
"""
from __future__ import annotations

import argparse
import importlib
import operator
import random
import string
import time
import timeit

import orvane_vardik as ov

KINDS = sorted("""
    be.eid be.ogm_vcs be.ssn ch.esr de.leitweg de.wkn es.cae es.ccc es.cups es.referenciacatastral
    eu.at_02 eu.banknote eu.eic eu.excise eu.oss fi.associationid fi.veronumero fo.vn fr.accise fr.rcs
    gb.upn nl.brin nl.identiteitskaartnummer nl.onderwijsnummer ro.onrc si.maticna sm.coe no.kontonr
""".split())


def peer(vid: str):
    """python-stdnum's module for the kind, or None."""
    try:
        return importlib.import_module("stdnum." + vid)
    except ImportError:
        return None


def peer_valid(module, value: str) -> bool:
    try:
        return bool(module.is_valid(value))
    except Exception:  # a peer's failure on odd input counts as a refusal
        return False


def mutations(value: str, rng: random.Random, n: int) -> list[str]:
    out = []
    for _ in range(n):
        i = rng.randrange(len(value))
        c = value[i]
        pool = string.digits if c.isdigit() else string.ascii_uppercase if c.isalpha() else None
        if pool is None:
            continue
        out.append(value[:i] + rng.choice(pool.replace(c, "")) + value[i + 1:])
    return out


def agreement() -> None:
    rng = random.Random(2026)
    print(f"{'id':<26} {'examples':>9} {'samples':>9} {'mutated':>9}  differences")
    for vid in KINDS:
        module = peer(vid)
        if module is None:
            print(f"{vid:<26} {'-':>9} {'-':>9} {'-':>9}  (python-stdnum has no such kind)")
            continue
        examples = list(ov.validator_metadata(vid).examples)
        samples = ov.sample(vid, 1000, seed=26)
        mutated = [m for s in samples for m in mutations(ov.compact(vid, s), rng, 1)]
        diffs: list[str] = []

        def rate(values: list[str]) -> str:
            same = 0
            for v in values:
                ours = ov.validate(vid, v).valid
                theirs = peer_valid(module, v)
                same += ours == theirs
                if ours != theirs and len(diffs) < 3:
                    diffs.append(f"{v!r}: ours {ours}, peer {theirs}")
            return f"{same}/{len(values)}"

        print(f"{vid:<26} {rate(examples):>9} {rate(samples):>9} {rate(mutated):>9}  {'; '.join(diffs)}")


def ns(stmt: str, env: dict[str, object], number: int) -> float:
    return timeit.Timer(stmt, globals=env, timer=time.process_time).timeit(number) / number * 1e9


def timing(rounds: int, number: int) -> None:
    env: dict[str, object] = {"eq": operator.eq, "a": "abc", "b": "abd", "validate": ov.validate}
    cases = [(vid, ov.compact(vid, ov.validator_metadata(vid).examples[0])) for vid in ["imei", "iso11649", *KINDS]]
    best: dict[str, float] = {}
    for _ in range(rounds):
        for vid, value in cases:
            env["vid"], env["value"] = vid, value
            for key, stmt in ((vid, "validate(vid, value)"), ("builtin", "eq(a, b)")):
                t = ns(stmt, env, number)
                best[key] = min(best.get(key, t), t)
    ref = best["builtin"]
    print(f"\nbuiltin operator.eq: {ref:.1f} ns (minimum of {rounds} rounds)")
    print(f"{'id':<26} {'ns':>7} {'ratio':>6}")
    worst = 0.0
    for vid, _ in cases:
        worst = max(worst, best[vid] / ref)
        print(f"{vid:<26} {best[vid]:7.1f} {best[vid] / ref:6.2f}")
    print(f"worst ratio: {worst:.2f} (target <= 3)")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--number", type=int, default=50_000)
    args = parser.parse_args()
    agreement()
    timing(args.rounds, args.number)


if __name__ == "__main__":
    main()
