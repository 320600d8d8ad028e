"""The kinds of the Americas, Africa, Asia and Oceania next to python-stdnum.

For every kind python-stdnum also serves, prints how often the two agree on
- the kind's own published examples,
- python-stdnum's published examples (the `validate(...)` lines of its
  module documentation, read at run time: valid where it shows a result,
  invalid where it shows an exception),
- 1000 values drawn by `sample` (each must pass both),
- every single-character change (digit for digit, letter for letter) of the
  examples and of 50 samples.
Disagreements are listed (a few per kind); docs/identifiers.md says where
the issuer's documented rule is the reason.

Then the `validate` time of each kind on its first example, next to a
builtin call with two short str (`operator.eq`) timed in the same rounds,
interleaved; each figure is the minimum over the rounds of process CPU
time. The target is a ratio of at most 3.

    python benchmarks/peer_world.py
    python benchmarks/peer_world.py --rounds 9 --samples 1000
"""
from __future__ import annotations

import argparse
import importlib
import operator
import re
import string
import time
import timeit

import orvane_vardik as ov

KINDS = [
    "ca.bc_phn", "cr.cpj", "cr.cr", "do.cedula", "do.ncf", "dz.nif", "ec.ci", "gn.nifp", "id.nik", "il.hp",
    "in.epic", "in.vid", "it.aic", "ke.pin", "mu.nid", "mz.nuit", "om.vat", "pe.cui", "py.ruc", "ru.ogrn",
    "sn.ninea", "sv.nit", "th.moa", "th.pin", "tn.mf", "ua.rntrc", "us.atin", "us.ptin", "za.tin",
    "nz.bankaccount",
]

CALL = re.compile(r"^>>> validate\('([^']*)'\)")


def peer(vid: str):
    country, name = vid.split(".")
    try:
        return importlib.import_module(f"stdnum.{'in_' if country == 'in' else country}.{name}")
    except ImportError:
        return None


def published(module) -> list[tuple[str, bool]]:
    """(value, valid) for each validate line of the module's documentation."""
    lines = (module.__doc__ or "").splitlines()
    out = []
    for i, line in enumerate(lines):
        m = CALL.match(line.strip())
        if m and i + 1 < len(lines):
            out.append((m.group(1), not lines[i + 1].strip().startswith("Traceback")))
    return out


def changes(value: str):
    for i, c in enumerate(value):
        alphabet = string.digits if c.isdigit() else string.ascii_uppercase if c.isupper() else ""
        for d in alphabet:
            if d != c:
                yield value[:i] + d + value[i + 1:]


def ns(stmt: str, env: dict[str, object], number: int) -> float:
    return timeit.Timer(stmt, globals=env, timer=time.process_time).timeit(number) / number * 1e9


def agreement(vid, module, values, expect=None):
    """(agreeing, total, first disagreements)."""
    agree, seen, odd = 0, 0, []
    for value in values:
        ours = ov.validate(vid, value).valid
        theirs = module.is_valid(value) if expect is None else expect[value]
        seen += 1
        if ours == theirs:
            agree += 1
        elif len(odd) < 3:
            odd.append(f"{value}: ours {ours}, peer {theirs}")
    return agree, seen, odd


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--samples", type=int, default=1000)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--number", type=int, default=50_000)
    args = parser.parse_args()

    print(f"{'id':<15} {'examples':>9} {'peer docs':>10} {'samples':>10} {'changes':>14}")
    notes = []
    for vid in KINDS:
        module = peer(vid)
        if module is None:
            print(f"{vid:<15} (python-stdnum has no such kind)")
            continue
        examples = [ov.compact(vid, e) for e in ov.validator_metadata(vid).examples]
        row = []
        a, n, odd = agreement(vid, module, examples)
        row.append(f"{a}/{n}")
        notes += [f"{vid} example {o}" for o in odd]
        docs = published(module)
        a, n, odd = agreement(vid, module, [v for v, _ in docs], dict(docs))
        row.append(f"{a}/{n}")
        notes += [f"{vid} peer doc {o}" for o in odd]
        drawn = ov.sample(vid, args.samples)
        a, n, odd = agreement(vid, module, drawn)
        row.append(f"{a}/{n}")
        notes += [f"{vid} sample {o}" for o in odd]
        mutated = [m for v in examples + [ov.compact(vid, d) for d in drawn[:50]] for m in changes(v)]
        a, n, odd = agreement(vid, module, mutated)
        row.append(f"{a}/{n} {100 * a / max(n, 1):5.1f}%")
        notes += [f"{vid} change {o}" for o in odd]
        print(f"{vid:<15} {row[0]:>9} {row[1]:>10} {row[2]:>10} {row[3]:>14}")
    if notes:
        print("\ndisagreements (first few per kind and test):")
        for note in notes:
            print("  " + note)

    env = {"eq": operator.eq, "a": "abc", "b": "abd", "validate": ov.validate}
    best: dict[str, float] = {}
    for _ in range(args.rounds):
        for vid in KINDS:
            env["vid"], env["value"] = vid, ov.compact(vid, ov.validator_metadata(vid).examples[0])
            for key, stmt in ((vid, "validate(vid, value)"), ("builtin", "eq(a, b)")):
                t = ns(stmt, env, args.number)
                best[key] = min(best.get(key, t), t)
    ref = best["builtin"]
    print(f"\nbuiltin operator.eq: {ref:.1f} ns (minimum of {args.rounds} rounds)")
    print(f"{'id':<15} {'ns':>7} {'ratio':>6}")
    worst = 0.0
    for vid in KINDS:
        worst = max(worst, best[vid] / ref)
        print(f"{vid:<15} {best[vid]:7.1f} {best[vid] / ref:6.2f}")
    print(f"worst ratio: {worst:.2f} (target <= 3)")


if __name__ == "__main__":
    main()
