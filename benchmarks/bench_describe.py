"""Nanoseconds per `describe` call and per check-digit function, next to a builtin.

`describe` is timed on a typical value of each kind it has facts for (ISBN,
IMSI, MAC, ISIL, a kind that parses birth data, a kind with only its
country), with `validate` of the same value for scale; the check-digit
functions on a payload of their usual length, calculate and validate. The
reference, a builtin call with two short str (`operator.eq`), runs in the
same rounds, interleaved; each figure is the minimum over the rounds of
process CPU time, so a noisy shared machine inflates neither side. The
target for `describe` is at most 2 microseconds.

Also prints the import time of the package, and of `describe` and
`checkdigits` on first use (minimum over fresh interpreters).

    python benchmarks/bench_describe.py
    python benchmarks/bench_describe.py --rounds 9 --number 100000
"""
from __future__ import annotations

import argparse
import operator
import subprocess
import sys
import time
import timeit

import orvane_vardik as ov
from orvane_vardik import checkdigits as cd

DESCRIBE = [
    ("isbn", "978-0-306-40615-7"),
    ("imsi", "234150999999999"),
    ("mac", "00:00:0C:12:34:56"),
    ("isil", "DK-710100"),
    ("ee.ik", "36805280109"),
    ("iban", "GB29NWBK60161331926819"),
    ("de.idnr", "36574261809"),
]

CHECKDIGITS = [
    ("luhn", "411111111111111", {}),
    ("verhoeff", "12345678901", {}),
    ("damm", "12345678901", {}),
    ("mod11_10", "13669597", {}),
    ("mod11_2", "000000021825009", {}),
    ("mod37_2", "G123498654321", {}),
    ("mod37_36", "A12425GABC1234002", {}),
    ("mod97_10", "NWBK60161331926819GB", {}),
    ("gs1", "400638133393", {}),
    ("weighted", "030640615", {"weights": [10, 9, 8, 7, 6, 5, 4, 3, 2], "mapping": "0X987654321"}),
]


def ns(stmt: str, env: dict[str, object], number: int) -> float:
    return timeit.Timer(stmt, globals=env, timer=time.process_time).timeit(number) / number * 1e9


def import_ms(code: str, runs: int) -> float:
    best = float("inf")
    for _ in range(runs):
        out = subprocess.run([sys.executable, "-X", "importtime", "-c", code], capture_output=True, text=True)
        # The outermost package line: its cumulative time holds the rest.
        total = 0
        for line in out.stderr.splitlines():
            parts = line.split("|")
            if len(parts) == 3 and parts[2].strip().startswith("orvane_vardik"):
                total = max(total, int(parts[1]))
        best = min(best, total / 1000)
    return best


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--number", type=int, default=100_000)
    parser.add_argument("--imports", type=int, default=15, help="fresh interpreters per import figure")
    args = parser.parse_args()

    env: dict[str, object] = {"eq": operator.eq, "a": "abc", "b": "abd", "describe": ov.describe,
                              "validate": ov.validate}
    for vid, value in DESCRIBE:
        ov.describe(vid, value)  # tables loaded before timing
    cases = [("builtin eq(a, b)", "eq(a, b)", {})]
    for vid, value in DESCRIBE:
        cases.append((f"describe {vid}", "describe(vid, value)", {"vid": vid, "value": value}))
        cases.append((f"validate {vid}", "validate(vid, value)", {"vid": vid, "value": value}))
    for name, payload, options in CHECKDIGITS:
        calc, valid = getattr(cd, f"{name}_calculate"), getattr(cd, f"{name}_validate")
        value = payload + calc(payload, **options)
        cases.append((f"{name}_calculate", "calc(payload, **options)",
                      {"calc": calc, "payload": payload, "options": options}))
        cases.append((f"{name}_validate", "valid(value, **options)",
                      {"valid": valid, "value": value, "options": options}))
    best: dict[str, float] = {}
    for _ in range(args.rounds):
        for label, stmt, extra in cases:
            env.update(extra)
            t = ns(stmt, env, args.number)
            best[label] = min(best.get(label, t), t)
    ref = best["builtin eq(a, b)"]
    print(f"{'call':<24} {'ns':>8} {'x builtin':>10}")
    for label, _, _ in cases:
        print(f"{label:<24} {best[label]:8.1f} {best[label] / ref:10.2f}")
    worst = max(best[f"describe {vid}"] for vid, _ in DESCRIBE)
    print(f"\nslowest describe: {worst:.0f} ns (target: at most 2000 ns)")

    base = import_ms("import orvane_vardik", args.imports)
    print(f"\nimport orvane_vardik: {base:.2f} ms")
    print(f"  + first describe (facts and its extension): "
          f"{import_ms('import orvane_vardik.facts', args.imports) - base:.2f} ms")
    print(f"  + checkdigits: {import_ms('import orvane_vardik.checkdigits', args.imports) - base:.2f} ms")


if __name__ == "__main__":
    main()
