"""Differential check of the bank fields of iban_parts against the peer library.

Compares, for IBANs of the bank directory's countries (the registry examples
and sampled IBANs, as drawn and with one BBAN digit changed and the IBAN
check digits recomputed):

- ``bank_name`` and ``bic`` with the peer's ``bank_name`` and ``bic``;
- ``national_check`` with the peer's ``validate(validate_bban=True)``
  wherever ours gives True or False;
- ``iban_from_account`` round-tripping through ``iban_parts``.

Prints agreement rates per field and country, and each kind of difference
with an example. Run: python benchmarks/bank_differential.py [N]
"""
from __future__ import annotations

import collections
import csv
import sys
import warnings
from pathlib import Path

import orvane_vardik as ov
from orvane_vardik import _data

try:
    from schwifty import IBAN
except ImportError:  # pragma: no cover
    sys.exit("the peer library is not installed")

DATA = Path(__file__).resolve().parents[2] / "shared" / "data"
if not DATA.exists():
    DATA = Path("/work/shared/data")


def peer(iban: str):
    """The peer's bank name, BIC and national check (None where it warns that it has none)."""
    try:
        p = IBAN(iban)
    except Exception:
        return None
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        try:
            ok = p.validate(validate_bban=True)
        except Exception:
            ok = False
    if any("national check" in str(w.message) for w in caught):
        ok = None
    return p.bank_name, (str(p.bic) if p.bic is not None else None), ok


def blanks(s: str | None) -> str | None:
    return " ".join(s.split()) if s is not None else None


def in_directory(iban: str, field: str, value: str | None) -> bool:
    """Whether the peer's value is one our directory holds for the bank code (a choice between
    rows, not a difference of data)."""
    parts = ov.iban_parts(iban)
    code = parts.bban[:len(ov.iban_parts(iban).bank_code)] if parts.country != "SI" else parts.bban[:5]
    if parts.country in ("IT", "SM"):
        code = parts.bank_code
    rows = _data.bank_rows(parts.country, code)
    if field == "bank_name":
        return any(blanks(r[3]) == blanks(value) for r in rows)
    return any(r[2] == value for r in rows)


def mutate(iban: str, k: int) -> str | None:
    """One digit of the BBAN after the bank code changed, IBAN check digits recomputed."""
    parts = ov.iban_parts(iban)
    bban = list(parts.bban)
    digits = [i for i, ch in enumerate(bban) if ch.isdigit() and i >= len(parts.bban) - len(parts.account)]
    if not digits:
        return None
    i = digits[k % len(digits)]
    bban[i] = str((int(bban[i]) + 1 + k % 9) % 10)
    bban_s = "".join(bban)
    num = int("".join(str(int(ch, 36)) for ch in bban_s + parts.country + "00"))
    return f"{parts.country}{98 - num % 97:02d}{bban_s}"


def main() -> None:
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
    countries = sorted({row["country"] for row in csv.DictReader(
        (line for line in open(DATA / "banks.tsv", encoding="utf-8") if not line.startswith("#")),
        delimiter="\t")})
    examples = []
    for line in open(DATA / "iban-structure.tsv", encoding="utf-8"):
        cells = line.rstrip("\n").split("\t")
        if line.startswith("#") or cells[0] == "country":
            continue
        if cells[0] in countries and cells[-1]:
            examples.append(cells[-1])
    per = max(1, n // len(countries))
    samples = []
    for k, c in enumerate(countries):
        samples += ov.sample("iban", per, seed=1000 + k, country=c)
    print(f"{len(countries)} countries; {len(examples)} registry examples; {len(samples)} samples "
          f"({per} per country); directory snapshot {_data.bank_directory_info()['snapshot']}")

    field_total = collections.Counter()
    field_same = collections.Counter()
    diffs: dict[tuple[str, str], list[str]] = collections.defaultdict(list)
    nat_total = nat_same = 0
    nat_by_country = collections.Counter()
    peer_rejects = collections.Counter()
    round_trip_bad = []

    def compare(iban: str, origin: str) -> None:
        nonlocal nat_total, nat_same
        ours = ov.iban_parts(iban)
        theirs = peer(iban)
        if ours is None or theirs is None:
            diffs[("parse", ours.country if ours else iban[:2])].append(iban)
            return
        name, bic, ok = theirs
        if origin != "mutated":
            for field, a, b in (("bank_name", ours.bank_name, name), ("bic", ours.bic, bic)):
                field_total[field] += 1
                if a == b:
                    field_same[field] += 1
                    field_same[field + " (blanks folded)"] += 1
                elif field == "bank_name" and blanks(a) == blanks(b):
                    field_same[field + " (blanks folded)"] += 1
                    diffs[(field + ": the peer keeps blanks or line breaks", ours.country)].append(
                        f"{iban}: ours {a!r}, peer {b!r}")
                else:
                    why = ("another row of the same bank code" if b is not None and in_directory(iban, field, b)
                           else "not in the directory file for this code (the peer's own data)")
                    diffs[(f"{field}: {why}", ours.country)].append(f"{iban}: ours {a!r}, peer {b!r}")
        nc = ours.national_check
        if nc is not None and ok is None:
            diffs[("national_check: the peer has no check", ours.country)].append(iban)
        elif nc is not None:
            peer_rejects[ours.country] += ok is False
            nat_total += 1
            if nc == ok:
                nat_same += 1
            else:
                nat_by_country[ours.country] += 1
                method = ""
                if ours.country == "DE":
                    rows = _data.bank_rows("DE", ours.bank_code)
                    method = f" method {rows[0][6]}" if rows else ""
                diffs[("national_check", ours.country)].append(
                    f"{iban} ({origin}{method}): ours {nc}, peer {ok}")
        if origin != "mutated":
            try:
                built = _data.iban_from_account(ours.country, ours.bank_code, ours.account, ours.branch_code,
                                                strict=False)
            except ValueError as e:
                built = f"ValueError: {e}"
            if built != ours.iban and (nc is not False):
                round_trip_bad.append(f"{iban} -> {built}")

    for x in examples:
        compare(x, "example")
    for k, x in enumerate(samples):
        compare(x, "sample")
        m = mutate(x, k)
        if m:
            compare(m, "mutated")

    for field in ("bank_name", "bank_name (blanks folded)", "bic"):
        t, s = field_total[field.split()[0]], field_same[field]
        print(f"{field}: {s}/{t} equal ({100 * s / t:.2f}%)")
    print(f"national_check vs peer validate_bban (where ours checks, samples and mutated): "
          f"{nat_same}/{nat_total} agree ({100 * nat_same / max(nat_total, 1):.2f}%)")
    print(f"iban_from_account round trips: {len(samples) + len(examples) - len(round_trip_bad)}"
          f"/{len(samples) + len(examples)}")
    for x in round_trip_bad[:10]:
        print("  round trip:", x)
    blind = sorted(c for c in nat_by_country if peer_rejects[c] == 0)
    if blind:
        n_blind = sum(nat_by_country[c] for c in blind)
        print(f"  of which {n_blind} in {', '.join(blind)}, where the peer rejected no BBAN at all "
              f"(it does not check them): {nat_same}/{nat_total - n_blind} agree where both check")
    print("differences by field and country (count, first examples):")
    for (field, country), items in sorted(diffs.items(), key=lambda kv: -len(kv[1])):
        print(f"  {country} {field}: {len(items)}")
        for item in items[:3]:
            print(f"      {item}")


if __name__ == "__main__":
    main()
