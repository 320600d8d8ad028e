"""Nanoseconds per call of the main operations, next to two references.

Both references are timed in the same run, on the same machine:

* builtin: a trivial builtin call with two short str (`operator.eq`);
* floor: the cheapest call into the extension that reads one str and
  returns a new object (`credit_card_detect_network("")`).

Every figure is the minimum over several rounds of process CPU time, so
it shows the cost of the call itself rather than the time the process
spent waiting on a shared machine.

    python benchmarks/bench.py                 # everything
    python benchmarks/bench.py --quick         # fewer and shorter rounds
    python benchmarks/bench.py --ids iban,lei  # only these ids in the per-id table
    python benchmarks/bench.py --no-ids        # skip the per-id table
"""
from __future__ import annotations

import argparse
import operator
import sys
import time
import timeit
from collections.abc import Callable, Sequence

import orvane_vardik as ov

# The legacy VAT numbers; the mixed loop uses those that are registered.
LEGACY_VAT_IDS = (
    "at.uid be.vat bg.vat cy.vat cz.dic de.vat dk.vat ee.vat es.vat fi.vat fr.tva gb.vat gr.vat hr.vat "
    "hu.vat ie.vat it.iva lt.vat lu.vat lv.vat mt.vat nl.vat no.mva pl.nip pt.vat ro.vat si.vat sk.dic"
).split()


class Timer:
    def __init__(self, rounds: int, target_s: float) -> None:
        self.rounds = rounds
        self.target_s = target_s

    def ns(self, stmt: str, env: dict[str, object]) -> float:
        """Minimum ns per execution of `stmt` (timed without a wrapper call)."""
        timer = timeit.Timer(stmt, globals=env, timer=time.process_time)
        number = 1
        while True:  # calibrate: one round should last about target_s
            t = timer.timeit(number)
            if t >= self.target_s / 4 or number >= 1 << 22:
                break
            number *= 4
        number = max(1, int(number * self.target_s / max(t, 1e-9)))
        return min(timer.repeat(repeat=self.rounds, number=number)) / number * 1e9

    def loop_ns(self, fn: Callable[[], object], count: int) -> float:
        """Minimum ns per element of a function that handles `count` elements."""
        return min(timeit.Timer(fn, timer=time.process_time).repeat(repeat=self.rounds, number=1)) / count * 1e9


def main(argv: Sequence[str] | None = None) -> None:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--quick", action="store_true", help="fewer and shorter rounds")
    ap.add_argument("--ids", default="", help="comma-separated ids for the per-id table (default: all)")
    ap.add_argument("--no-ids", action="store_true", help="skip the per-id table")
    args = ap.parse_args(argv)
    timer = Timer(rounds=5 if args.quick else 9, target_s=0.004 if args.quick else 0.012)
    registered = ov.validator_ids()
    ids = set(registered)

    env: dict[str, object] = {
        "eq": operator.eq, "a": "luhn", "b": "79927398713",
        "validate": ov.validate, "parse": ov.parse, "generate": ov.generate,
        "detect": ov.credit_card_detect_network, "empty": "",
    }
    builtin = min(timer.ns("eq(a, b)", env) for _ in range(3))
    floor = min(timer.ns("detect(empty)", env) for _ in range(3))

    def show(label: str, ns: float, note: str = "") -> None:
        print(f"{label:58s} {ns:9.1f} ns {ns / builtin:6.1f}x builtin {ns / floor:5.1f}x floor{note}")

    print(f"{'builtin: operator.eq(str, str)':58s} {builtin:9.1f} ns")
    floor_label = 'floor: credit_card_detect_network("")'
    print(f"{floor_label:58s} {floor:9.1f} ns {floor / builtin:6.1f}x builtin")

    def call_ns(stmt: str, **values: object) -> float:
        return timer.ns(stmt, {**env, **values})

    def validity(vid: str, value: str) -> str:
        return "" if ov.validate(vid, value).valid else "  (invalid value)"

    # Calls of the performance table, with their keyword twins.
    print("\n# named calls")
    named = [
        ("luhn", "79927398713", "validate luhn"),
        ("creditcard", "4111111111111111", "validate creditcard, 16 digits"),
        ("iban", "GB29NWBK60161331926819", "validate iban, compact"),
        ("iban", "GB29 NWBK 6016 1331 9268 19", "validate iban, spaced"),
        ("isin", "US0378331005", "validate isin"),
        ("lei", "5493006MHB84DD0ZWV18", "validate lei"),
        ("br.cpf", "390.533.447-05", "validate br.cpf, punctuated"),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtpyT", "validate crypto.btcbase58"),
        ("crypto.btcbech32", "bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4", "validate crypto.btcbech32"),
        ("crypto.eth", "0x5aAeb6053F3E94C9b9A09f33669435E7Ef1BeAed", "validate crypto.eth, mixed case"),
        ("be.nn", "93.05.18-223.61", "validate be.nn, punctuated"),
        ("nl.bsn", None, "validate nl.bsn"),
        ("it.codiceFiscale", None, "validate it.codiceFiscale"),
        ("de.vat", None, "validate de.vat"),
        ("fr.tva", None, "validate fr.tva"),
        ("mx.curp", None, "validate mx.curp"),
        ("in.aadhaar", None, "validate in.aadhaar"),
        ("pa.ruc", None, "validate pa.ruc"),
    ]
    for vid, value, label in named:
        if vid not in ids:
            print(f"{label:58s} (skipped: {vid} not registered)")
            continue
        if value is None:
            value = ov.validator_metadata(vid).examples[0]
        pos = call_ns("validate(i, v)", i=vid, v=value)
        show(label, pos, validity(vid, value))
        if vid in ("luhn", "iban", "crypto.eth") and "spaced" not in label:
            kw = call_ns("validate(i, value=v)", i=vid, v=value)
            show(f"  same with value= as a keyword (+{kw - pos:.1f} ns)", kw)
    if "cz.rc" in ids:
        show("parse cz.rc", call_ns("parse(i, v)", i="cz.rc", v="7103192745"))
    else:
        print(f"{'parse cz.rc':58s} (skipped: cz.rc not registered)")
    if "eu.vat" in ids:
        for value in ("ATU13585627", "DE136695976", "FR40303265045", "NL004495445B01", "IE6388047V"):
            show(f"validate eu.vat {value}", call_ns("validate(i, v)", i="eu.vat", v=value),
                 validity("eu.vat", value))
    else:
        print(f"{'validate eu.vat':58s} (skipped: eu.vat not registered)")
    for vid in ("au.abn", "lei"):
        if vid in ids:
            show(f"generate {vid}", call_ns("generate(i)", i=vid))

    # A long list of values of mixed ids, as a batch job would see it.
    vat = [(vid, ov.validator_metadata(vid).examples[0]) for vid in LEGACY_VAT_IDS if vid in ids]
    if vat:
        work = [vat[i % len(vat)] for i in range(100_000)]
        validate = ov.validate

        def mixed() -> None:
            for vid, value in work:
                validate(vid, value)

        show(f"100k loop over {len(vat)} legacy VAT ids, per value", timer.loop_ns(mixed, len(work)))
    else:
        print(f"{'100k loop over the legacy VAT ids':58s} (skipped: none registered)")

    if "luhn" in ids:
        cards = [ov.luhn_generate(16) for _ in range(100_000)]
        show("validate_many(luhn) over 100k values, per value",
             timer.loop_ns(lambda: ov.validate_many("luhn", cards), len(cards)))

    if args.no_ids:
        return
    chosen = [i for i in args.ids.split(",") if i] or registered
    print(f"\n# every registered id ({len(registered)}), validate of its first example")
    for vid in chosen:
        if vid not in ids:
            print(f"{vid:58s} (not registered)")
            continue
        value = ov.validator_metadata(vid).examples[0]
        show(vid, call_ns("validate(i, v)", i=vid, v=value), validity(vid, value))
    sys.stdout.flush()


if __name__ == "__main__":
    main()
