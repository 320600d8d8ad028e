"""Nanoseconds per call of the main operations, next to a baseline.

The baseline is a trivial builtin call with two str arguments
(`operator.eq`), timed in the same run on the same machine.

    python benchmarks/bench.py            # full run
    python benchmarks/bench.py --quick    # fewer repetitions
"""
from __future__ import annotations

import argparse
import operator
import timeit

import orvane_vardik as ov


def per_call_ns(stmt, number: int, repeat: int) -> float:
    timer = timeit.Timer(stmt)
    return min(timer.repeat(repeat=repeat, number=number)) / number * 1e9


def main() -> None:
    ap = argparse.ArgumentParser()
    ap.add_argument("--quick", action="store_true")
    args = ap.parse_args()
    number = 50_000 if args.quick else 300_000
    repeat = 3 if args.quick else 7
    batch = 100_000
    many = 200_000 if args.quick else 1_000_000

    a, b = "luhn", "79927398713"
    eq = operator.eq
    base = per_call_ns(lambda: eq(a, b), number, repeat)
    print(f"{'baseline operator.eq(str, str)':58s} {base:8.1f} ns")

    validate, compact, fmt, validate_many = ov.validate, ov.compact, ov.format, ov.validate_many
    single = [
        ("validate('luhn', 11 digits)", lambda: validate("luhn", "79927398713")),
        ("validate('creditcard', 16 digits)", lambda: validate("creditcard", "4111111111111111")),
        ("validate('creditcard', spaced)", lambda: validate("creditcard", "4111 1111 1111 1111")),
        ("compact('creditcard', spaced)", lambda: compact("creditcard", "4111 1111 1111 1111")),
        ("format('creditcard', 16 digits)", lambda: fmt("creditcard", "4111111111111111")),
        ("validate('iban', compact)", lambda: validate("iban", "GB29NWBK60161331926819")),
        ("validate('iban', spaced)", lambda: validate("iban", "GB29 NWBK 6016 1331 9268 19")),
        ("validate('br.cpf', compact)", lambda: validate("br.cpf", "39053344705")),
        ("validate('crypto.eth', mixed case)",
         lambda: validate("crypto.eth", "0x5aAeb6053F3E94C9b9A09f33669435E7Ef1BeAed")),
        ("validate('crypto.btcbech32', ...)",
         lambda: validate("crypto.btcbech32", "bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4")),
    ]
    ids = set(ov.validator_ids())
    for label, fn in single:
        vid = label.split("'")[1]
        if vid not in ids:
            continue
        ns = per_call_ns(fn, number, repeat)
        print(f"{label:58s} {ns:8.1f} ns  ({ns / base:4.1f}x baseline)")

    def loop_ns(vid, values):
        def run():
            for v in values:
                validate(vid, v)

        return per_call_ns(run, 1, repeat) / len(values)

    def many_ns(vid, values):
        return per_call_ns(lambda: validate_many(vid, values), 1, repeat) / len(values)

    cards = [ov.luhn_generate(16) for _ in range(batch)]
    ns = loop_ns("luhn", cards)
    print(f"{'100k-element list, validate(luhn) in a loop, per value':58s} {ns:8.1f} ns  ({ns / base:4.1f}x baseline)")
    if "iban" in ids:
        ibans = [ov.generate("iban") for _ in range(batch)]
        ns = loop_ns("iban", ibans)
        print(f"{'100k-element list, validate(iban) in a loop, per value':58s} {ns:8.1f} ns  ({ns / base:4.1f}x baseline)")

    def listcomp_ns(vid, values):
        return per_call_ns(lambda: [validate(vid, v) for v in values], 1, repeat) / len(values)

    for vid in ("luhn", "br.cpf", "iban"):
        if vid not in ids:
            continue
        values = [ov.generate(vid) for _ in range(many)]
        batched = many_ns(vid, values)
        kept = listcomp_ns(vid, values)
        loop = loop_ns(vid, values)
        label = f"validate_many({vid}) over {many:,} values, per value"
        print(f"{label:58s} {batched:8.1f} ns  (list of validate: {kept:.1f} ns;"
              f" loop discarding results: {loop:.1f} ns)")


if __name__ == "__main__":
    main()
