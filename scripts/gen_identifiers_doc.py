"""Write docs/identifiers.md, the reference of every identifier kind, from the
installed package's registry.

    python scripts/gen_identifiers_doc.py            # rewrite the page
    python scripts/gen_identifiers_doc.py --check    # status 1 if it is stale

The facts are those of `python -m orvane_vardik list --json` (one source for
both); examples are the registry's own, so the output is the same every run.
"""
from __future__ import annotations

import sys
from pathlib import Path
from typing import Any

from orvane_vardik._cmd_info import show
from orvane_vardik._cmd_list import all_facts

ROOT = Path(__file__).resolve().parent.parent
PAGE = ROOT / "docs" / "identifiers.md"
# Notes on where other libraries judge a kind differently, one file per set
# of kinds, appended to the page in name order.
DIFFERENCES = ROOT / "docs" / "differences"

COLUMNS = (
    ("id", "id"), ("name", "name"), ("local_name", "local name"), ("country", "country"),
    ("lengths", "lengths"), ("example", "example"), ("formatted", "formatted"),
    ("check", "check"), ("parses", "parses"), ("generates", "generates"),
)

INTRO = """\
# Identifier kinds

Every identifier kind that `orvane_vardik` knows, generated from its registry
by `scripts/gen_identifiers_doc.py` (do not edit by hand: a test fails when
this page and the registry differ). The same facts come from the command line:
`python -m orvane_vardik list [--country XX] [--json]` and
`python -m orvane_vardik info ID`.

- **id**: the name to pass to `validate`, `check`, `columns.validate`, the
  command line, ... Kinds marked *extended* are served by the package-level
  functions, columns, engines and the command line, not by the documented
  module `orvane_vardik._native`.
- **lengths**: the usual lengths of the compact form.
- **example** and **formatted**: the registry's first example, compact and in
  the kind's usual written form (`format`).
- **check**: what rejects a mistyped value beyond its shape: *check digit*
  (a check digit, character or checksum), *component rule* (a date, region or
  other field must be in range) or *shape only* (characters and length), as
  the text finder classifies the kind; *-* for a kind the finder does not
  scan (so not classified here).
- **parses**: `parse` reads a birth date (and sex) from it; **generates**:
  `generate` draws random valid values.
"""


def cell(value: Any, key: str) -> str:
    text = show(value, key)
    if key in ("id", "example", "formatted") and value is not None:
        text = f"`{text}`"
    return text.replace("|", "\\|")


def render() -> str:
    rows = all_facts()
    extended = sum(row["extended"] for row in rows)
    lines = [INTRO, f"{len(rows)} kinds: {len(rows) - extended} documented, {extended} extended.\n", ""]
    lines.append("| " + " | ".join(label for _, label in COLUMNS) + " |")
    lines.append("|" + "---|" * len(COLUMNS))
    for row in rows:
        cells = [cell(row[key], key) for key, _ in COLUMNS]
        if row["extended"]:
            cells[0] += " *extended*"
        lines.append("| " + " | ".join(cells) + " |")
    text = "\n".join(lines) + "\n"
    for notes in sorted(DIFFERENCES.glob("*.md")):
        text += "\n" + notes.read_text(encoding="utf-8")
    return text


def main(argv: list[str]) -> int:
    text = render()
    if "--check" in argv:
        current = PAGE.read_text(encoding="utf-8") if PAGE.exists() else ""
        if current != text:
            print(f"{PAGE} is out of date: run {Path(__file__).name}", file=sys.stderr)
            return 1
        return 0
    PAGE.parent.mkdir(exist_ok=True)
    PAGE.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
