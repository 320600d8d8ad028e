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

The "all ids" mode times validate of every registered id's first example
against the builtin, interleaved id by id, and summarises the ratios per set
(median, 90th percentile, worst id). With --against it also drives a second
build (another interpreter with its own install) round by round in the same
run, so two builds are compared under the same load:

    python benchmarks/bench.py --all-ids [--verbose] [--rounds 7]
    python benchmarks/bench.py --all-ids --against /path/to/other/python
"""
from __future__ import annotations

import argparse
import json
import operator
import statistics
import subprocess
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


# ---- all ids: per-set summary of validate against the builtin -------------

# The documented sets, by id. Ids of neither list belong to the additional
# sets, A-M or N-Z by the first letter of their country code.
CORE_IDS = frozenset(
    "at.businessid au.abn bic br.cpf creditcard crypto.btcbase58 crypto.btcbech32 crypto.eth crypto.wallet "
    "cz.bankaccount es.dni iban isin lei luhn us.ein".split()
)
LEGACY_IDS = frozenset(
    "at.tin at.uid au.acn be.nn be.vat bg.vat br.cnpj ch.uid cn.ric cy.vat cz.dic cz.rc de.idnr de.stnr de.svnr "
    "de.vat dk.cpr dk.vat ee.ik ee.vat es.cif es.nie es.nss es.vat fi.hetu fi.vat fi.ytunnus fr.nir fr.siren "
    "fr.siret fr.tva gb.nhs gb.nino gb.vat gr.vat hr.vat hu.vat ie.pps ie.vat it.codiceFiscale it.iva lt.asmens "
    "lt.vat lu.vat lv.vat mt.vat nl.vat no.mva no.orgnr pl.nip pl.pesel pt.cc pt.vat ro.cnp ro.vat "
    "se.personnummer si.vat sk.dic us.rtn".split()
)
SET_ORDER = ("core", "legacy", "a-m", "n-z", "all")


def set_of(vid: str) -> str:
    if vid in CORE_IDS:
        return "core"
    if vid in LEGACY_IDS:
        return "legacy"
    return "a-m" if vid[:1] <= "m" else "n-z"


class IdRounds:
    """Rounds of validate(id, first example) and eq(a, b), one id after the other.

    Each id is timed right after the builtin, so both see the same load; the
    minimum over the rounds is kept for each.
    """

    def __init__(self, ids: Sequence[str] | None, target_s: float) -> None:
        registered = ov.validator_ids()
        self.ids = [i for i in (ids or registered) if i in set(registered)]
        self.target_s = target_s
        env = {"eq": operator.eq, "a": "luhn", "b": "79927398713", "validate": ov.validate}
        self.eq = timeit.Timer("eq(a, b)", globals=env, timer=time.process_time)
        self.calls = {
            vid: timeit.Timer("validate(i, v)", timer=time.process_time,
                              globals={**env, "i": vid, "v": ov.validator_metadata(vid).examples[0]})
            for vid in self.ids
        }
        self.number: dict[str, int] = {}
        self.best: dict[str, float] = {}
        self.builtin = float("inf")

    def _number(self, key: str, timer: timeit.Timer) -> int:
        if key not in self.number:
            n = 1
            while (t := timer.timeit(n)) < self.target_s / 4 and n < 1 << 22:
                n *= 4
            self.number[key] = max(1, int(n * self.target_s / max(t, 1e-9)))
        return self.number[key]

    def round(self) -> dict[str, object]:
        n_eq = self._number("", self.eq)
        for vid in self.ids:
            self.builtin = min(self.builtin, self.eq.timeit(n_eq) / n_eq * 1e9)
            n = self._number(vid, self.calls[vid])
            ns = self.calls[vid].timeit(n) / n * 1e9
            self.best[vid] = min(self.best.get(vid, ns), ns)
        return {"builtin": self.builtin, "ns": self.best}


def worker(ids: Sequence[str] | None, target_s: float) -> None:
    """Runs one round per line read from stdin; prints the minima so far as JSON."""
    rounds = IdRounds(ids, target_s)
    for _ in sys.stdin:
        print(json.dumps(rounds.round()), flush=True)


def percentile(values: Sequence[float], q: float) -> float:
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, max(0, round(q * (len(ordered) - 1))))]


def summarise(label: str, result: dict, others: dict | None = None) -> None:
    builtin, ns = result["builtin"], result["ns"]
    print(f"\n# {label}: validate of the first example, x builtin ({builtin:.1f} ns)")
    print(f"{'set':8s} {'ids':>4s} {'median':>7s} {'p90':>7s}  worst id")
    for name in SET_ORDER:
        ids = [i for i in ns if name == "all" or set_of(i) == name]
        if not ids:
            continue
        ratios = [ns[i] / builtin for i in ids]
        worst = max(ids, key=lambda i: ns[i])
        outside = [i for i in ids if not i.startswith("crypto.")]
        note = ""
        if outside and worst.startswith("crypto."):
            w = max(outside, key=lambda i: ns[i])
            note = f"; outside crypto.*: {w} {ns[w] / builtin:.1f}x"
        print(f"{name:8s} {len(ids):4d} {statistics.median(ratios):6.2f}x {percentile(ratios, 0.9):6.2f}x  "
              f"{worst} {ns[worst] / builtin:.1f}x ({ns[worst]:.0f} ns){note}")


def all_ids(args: argparse.Namespace) -> None:
    ids = [i for i in args.ids.split(",") if i] or None
    target_s = 0.001 if args.quick else 0.003
    local = IdRounds(ids, target_s)
    other = None
    if args.against:
        cmd = [args.against, __file__, "--worker", "--ids", args.ids, "--target", str(target_s)]
        other = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    mine: dict = {}
    theirs: dict = {}
    for r in range(args.rounds):
        # Alternate which build goes first, so neither always meets a warmer machine.
        order = ("mine", "theirs") if r % 2 == 0 else ("theirs", "mine")
        for who in order:
            if who == "mine":
                mine = local.round()
            elif other is not None:
                assert other.stdin is not None and other.stdout is not None
                other.stdin.write("round\n")
                other.stdin.flush()
                theirs = json.loads(other.stdout.readline())
    if other is not None:
        assert other.stdin is not None
        other.stdin.close()
        other.wait()
    this_label = f"this build ({sys.executable})"
    summarise(this_label, mine)
    if theirs:
        summarise(f"other build ({args.against})", theirs)
    if args.verbose:
        print(f"\n# per id, x builtin (minimum of {args.rounds} rounds)")
        head = f"{'id':24s} {'set':7s} {'this':>7s} {'ns':>7s}"
        if theirs:
            head += f" {'other':>7s} {'ns':>7s} {'this/other':>10s}"
        print(head)
        for vid, ns in mine["ns"].items():
            line = f"{vid:24s} {set_of(vid):7s} {ns / mine['builtin']:6.2f}x {ns:7.1f}"
            if theirs and vid in theirs["ns"]:
                o = theirs["ns"][vid]
                line += f" {o / theirs['builtin']:6.2f}x {o:7.1f} {ns / mine['builtin'] / (o / theirs['builtin']):10.2f}"
            print(line)
    if theirs:
        slower = [
            (vid, (ns / mine["builtin"]) / (theirs["ns"][vid] / theirs["builtin"]))
            for vid, ns in mine["ns"].items() if vid in theirs["ns"]
        ]
        slower = [(vid, q) for vid, q in slower if q > 1.10]
        print(f"\nids more than 10% slower than the other build (ratio to builtin): "
              + (", ".join(f"{v} {q:.2f}" for v, q in sorted(slower, key=lambda x: -x[1])) or "none"))


def main(argv: Sequence[str] | None = None) -> None:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--quick", action="store_true", help="fewer and shorter rounds")
    ap.add_argument("--ids", default="", help="comma-separated ids for the per-id table (default: all)")
    ap.add_argument("--no-ids", action="store_true", help="skip the per-id table")
    ap.add_argument("--all-ids", action="store_true", help="per-set summary of every id against the builtin")
    ap.add_argument("--rounds", type=int, default=7, help="rounds of the all-ids mode (minimum kept)")
    ap.add_argument("--verbose", action="store_true", help="all-ids mode: per-id ratios")
    ap.add_argument("--against", default="", help="all-ids mode: python of a second build, timed in turn")
    ap.add_argument("--worker", action="store_true", help=argparse.SUPPRESS)
    ap.add_argument("--target", type=float, default=0.003, help=argparse.SUPPRESS)
    args = ap.parse_args(argv)
    if args.worker:
        worker([i for i in args.ids.split(",") if i] or None, args.target)
        return
    if args.all_ids:
        all_ids(args)
        return
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
