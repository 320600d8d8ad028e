#!/usr/bin/env python3
"""Compile the bank directory shipped in the package.

Reads the public bank directory (a TSV with the columns country, bank_code,
bic, name, short_name, primary, de_check_method, source) and writes
python/orvane_vardik/_tables/banks.tsv: the same format, compacted for the
package:

- rows sorted by country and bank code (file order kept within a code);
- ``short_name`` left empty where it equals ``name``;
- the ``source`` column dropped (the loader does not use it);
- two comment lines first: where the registry published the data and the
  snapshot date, so that a lookup can tell how fresh it is.

Every row is checked as the package's loader checks it: a malformed row stops
the script with its line number.

Usage: scripts/gen_bank_directory.py [SOURCE.tsv] [--snapshot YYYY-MM-DD]
(the snapshot defaults to the source file's modification date, UTC).
"""
from __future__ import annotations

import argparse
import datetime as dt
import os
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = ROOT.parent.parent / "shared" / "data" / "banks.tsv"
OUT = ROOT / "python" / "orvane_vardik" / "_tables" / "banks.tsv"
SOURCE_LINE = ("central banks and clearing houses (Bundesbank, OeNB, NBB, SIX, NBP, National Bank of Ukraine, "
               "CNB, HNB, MNB, NBS, Bank of Slovenia and others), compiled in the open-source bank registry "
               "of the schwifty project (MIT licence)")
COLUMNS = ("country", "bank_code", "bic", "name", "short_name", "primary", "de_check_method")

COUNTRY = re.compile(r"[A-Z]{2}\Z")
CODE = re.compile(r"[0-9A-Z]{0,12}\Z")
BIC = re.compile(r"(?:[A-Z0-9]{4}[A-Z]{2}[A-Z0-9]{2}(?:[A-Z0-9]{3})?)?\Z")
METHOD = re.compile(r"(?:[0-9A-Z]{2})?\Z")


def fail(line: int, why: str) -> None:
    sys.exit(f"gen_bank_directory: line {line}: {why}")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", nargs="?", default=str(DEFAULT_SOURCE))
    parser.add_argument("--snapshot", help="snapshot date YYYY-MM-DD (default: the source's modification date)")
    parser.add_argument("--out", default=str(OUT))
    a = parser.parse_args()
    source = Path(a.source)
    snapshot = a.snapshot or dt.datetime.fromtimestamp(os.stat(source).st_mtime, dt.timezone.utc).date().isoformat()
    dt.date.fromisoformat(snapshot)

    rows = []
    header: list[str] | None = None
    with source.open(encoding="utf-8", newline="") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip("\r")
            if line.startswith("#") or not line:
                continue
            cells = line.split("\t")
            if header is None:
                header = cells
                missing = [c for c in COLUMNS if c not in header]
                if missing:
                    fail(number, f"the header has no column {missing[0]!r}")
                continue
            if len(cells) != len(header):
                fail(number, f"{len(cells)} fields, the header has {len(header)}")
            r = dict(zip(header, cells))
            if not COUNTRY.match(r["country"]):
                fail(number, f"country {r['country']!r} is not two upper-case letters")
            if not CODE.match(r["bank_code"]):
                fail(number, f"bank code {r['bank_code']!r} is not up to 12 digits or upper-case letters")
            if not BIC.match(r["bic"]):
                fail(number, f"{r['bic']!r} is not a BIC")
            if not r["name"]:
                fail(number, "the bank has no name")
            if r["primary"] not in ("", "0", "1"):
                fail(number, f"primary is {r['primary']!r}, not 0 or 1")
            if not METHOD.match(r["de_check_method"]):
                fail(number, f"check method {r['de_check_method']!r} is not two digits or letters")
            rows.append((r["country"], r["bank_code"], number, r))
    if header is None:
        fail(0, "no header line")
    rows.sort(key=lambda t: (t[0], t[1], t[2]))

    out = Path(a.out)
    out.parent.mkdir(parents=True, exist_ok=True)
    with out.open("w", encoding="utf-8", newline="\n") as f:
        f.write(f"# source: {SOURCE_LINE}\n")
        f.write(f"# snapshot: {snapshot}\n")
        f.write("\t".join(COLUMNS) + "\n")
        for _, _, _, r in rows:
            short = "" if r["short_name"] == r["name"] else r["short_name"]
            f.write("\t".join((r["country"], r["bank_code"], r["bic"], r["name"], short,
                               r["primary"], r["de_check_method"])) + "\n")
    print(f"{out}: {len(rows)} rows, snapshot {snapshot}, {out.stat().st_size} bytes")


if __name__ == "__main__":
    main()
