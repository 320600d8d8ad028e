"""The package's reference facts about each kind beyond its registry record:
its usual lengths, a one-line description and the issuer (the authority
that assigns the numbers).

They are data, in ``reference/*.tsv`` next to this module: UTF-8, a header
line ``id<TAB>lengths<TAB>issuer<TAB>description``, then one line per kind;
lengths are comma-separated integers or ranges ``a-b``, and an empty field leaves the
record's own value (``_native``'s documented metadata is never changed).
The files are read on first use, not at import.
"""
from __future__ import annotations

import os

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing
if TYPE_CHECKING:
    from typing import Any

COLUMNS = ("id", "lengths", "issuer", "description")
FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference")

# id -> (lengths or None, issuer or None, description or None)
_rows: dict[str, tuple[tuple[int, ...] | None, str | None, str | None]] | None = None


def _lengths(text: str) -> tuple[int, ...]:
    # "11", "8,11" or "7-16" (every length from 7 to 16).
    out: list[int] = []
    for part in text.split(","):
        low, dash, high = part.partition("-")
        out += range(int(low), int(high) + 1) if dash else [int(low)]
    return tuple(out)


def load(folder: str = FOLDER) -> dict[str, tuple[tuple[int, ...] | None, str | None, str | None]]:
    """Every row of every ``*.tsv`` of `folder`, by id.

    Raises ValueError naming the file and line for a malformed file or an id
    given twice."""
    rows: dict[str, tuple[tuple[int, ...] | None, str | None, str | None]] = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".tsv"):
            continue
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            lines = f.read().splitlines()
        if not lines or tuple(lines[0].split("\t")) != COLUMNS:
            raise ValueError(f"{name}: the first line must be the header {'<TAB>'.join(COLUMNS)}")
        for number, line in enumerate(lines[1:], 2):
            if not line.strip():
                continue
            fields = line.split("\t")
            if len(fields) != len(COLUMNS):
                raise ValueError(f"{name}:{number}: {len(fields)} fields, not {len(COLUMNS)}")
            id, lengths, issuer, description = (field.strip() for field in fields)
            if id in rows:
                raise ValueError(f"{name}:{number}: {id} is given twice")
            try:
                parsed = _lengths(lengths) if lengths else None
            except ValueError:
                raise ValueError(f"{name}:{number}: lengths must be integers or ranges a-b separated by commas: "
                                 f"{lengths!r}") from None
            if parsed is not None and any(n <= 0 for n in parsed):
                raise ValueError(f"{name}:{number}: lengths must be positive: {lengths!r}")
            rows[id] = (parsed, issuer or None, description or None)
    return rows


def facts(meta: Any) -> dict[str, Any]:
    """`lengths`, `issuer` and `description` of one kind: the reference's
    value where it gives one, else the record's (issuer: None)."""
    global _rows
    if _rows is None:
        _rows = load()
    lengths, issuer, description = _rows.get(meta.id, (None, None, None))
    return {
        "lengths": list(lengths) if lengths is not None else list(meta.lengths),
        "issuer": issuer,
        "description": description if description is not None else meta.description,
    }
