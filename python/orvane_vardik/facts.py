"""What a value means: the facts that registries give about a valid
identifier.

    >>> from orvane_vardik import describe
    >>> d = describe("isbn", "9780306406157")
    >>> d["group"], d["agency"], d["registrant"], d["formatted"]
    ('0', 'English language', '306', '978-0-306-40615-7')

``describe(id, value)`` validates the value and returns a dict of facts,
or ``None`` when the value is not valid for the id. Every dict has ``id``,
``compact`` and ``country`` (the issuing country's ISO 3166 code where the
kind or the value tells it, else ``None``); further keys by kind:

- ``isbn``: ``prefix`` (``978`` for an ISBN-10), ``group``, ``agency``,
  ``registrant``, ``publication``, ``check_digit``, ``formatted`` (the
  elements are ``None`` where the ranges do not place them);
- ``imsi``: ``mcc``, ``mnc``, ``country_name``, ``operator``, ``brand``;
- ``mac``: ``vendor``, ``block`` (the assigned prefix, as hex),
  ``multicast``, ``locally_administered`` (a locally administered address
  has no vendor);
- ``isil``: ``prefix``, ``agency``, ``country_name``;
- ``gs1_128``: ``elements``, as the kind's ``parse`` gives them;
- kinds that parse a birth date: ``birth_date`` (a ``datetime.date``) and
  ``gender`` (``"male"``, ``"female"`` or ``None``).

The registry tables ship with the package (their source and snapshot date
in ``table_info``) and are read on first use. ``load_table`` reads a newer
download of the same registry file in its place.

Bad input: a non-str id or value raises ``TypeError``; an unknown id raises
the registry's ``KeyError`` (with the closest ids in a note).
"""
from __future__ import annotations

import os

from . import _api

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing
if TYPE_CHECKING:
    from typing import Any, Callable

__all__ = ["describe", "load_table", "table_info", "TABLES"]

# The registry files the package reads: name -> the columns it needs.
TABLES: dict[str, tuple[str, ...]] = {
    "isbn-ranges": ("prefix", "group", "agency", "registrant_ranges"),
    "mobile-network-codes": ("mcc", "mnc", "country_code", "country", "operator", "brand"),
    "mac-vendors": ("prefixes", "vendor"),
    "isil-agencies": ("prefix", "country", "agency"),
}

_HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "_tables")

# name -> (info, index); filled on first use or by load_table.
_loaded: dict[str, tuple[dict[str, Any], Any]] = {}


# ---- reading the registry files --------------------------------------------------

def _read(path: str, name: str) -> tuple[dict[str, Any], list[dict[str, str]]]:
    """The rows of a registry TSV as dicts of the needed columns, and its
    source and snapshot lines."""
    source: list[str] = []
    snapshot = None
    header: list[str] | None = None
    rows: list[dict[str, str]] = []
    wanted = TABLES[name]
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if header is None:
                if line.startswith("# snapshot:"):
                    snapshot = line.partition(":")[2].strip()
                elif line.startswith("#"):
                    source.append(line.lstrip("# ").strip())
                elif line.strip():
                    header = line.split("\t")
                    missing = [c for c in wanted if c not in header]
                    if missing:
                        raise ValueError(f"{path}: not a {name} table: no column {', '.join(missing)}")
                    index = [header.index(c) for c in wanted]
                continue
            if not line.strip():
                continue
            fields = line.split("\t")
            fields += [""] * (len(header) - len(fields))
            rows.append({c: fields[i].strip() for c, i in zip(wanted, index)})
    if header is None:
        raise ValueError(f"{path}: not a {name} table: no header line")
    if snapshot is None:
        for line in source:
            at = line.find("file date ")
            if at >= 0:
                snapshot = line[at + 10:].split("|")[0].strip()
    info = {"name": name, "path": path, "source": " ".join(source) or None, "snapshot": snapshot, "rows": len(rows)}
    return info, rows


def _index_isbn(rows: list[dict[str, str]]) -> Any:
    """(prefix, group) -> (agency, starts, ends, widths) with the ranges as
    seven-digit bounds, sorted, for bisection; group "" holds the ranges of
    the group element."""
    table = {}
    for row in rows:
        ranges = []
        for part in filter(None, row["registrant_ranges"].split(",")):
            lo, _, hi = part.partition("-")
            if not (lo.isdigit() and hi.isdigit() and len(lo) == len(hi) <= 7):
                raise ValueError(f"isbn-ranges: bad range {part!r}")
            scale = 10 ** (7 - len(lo))
            ranges.append((int(lo) * scale, (int(hi) + 1) * scale - 1, len(lo)))
        ranges.sort()
        group = "" if row["group"] == "*" else row["group"]
        table[(row["prefix"], group)] = (
            row["agency"] or None, [r[0] for r in ranges], [r[1] for r in ranges], [r[2] for r in ranges])
    return table


def _index_mcc(rows: list[dict[str, str]]) -> Any:
    return {row["mcc"] + row["mnc"]: row for row in rows}


def _index_mac(rows: list[dict[str, str]]) -> Any:
    """Block prefix (6, 7 or 9 hex digits) -> vendor, ranges expanded."""
    table: dict[str, str] = {}
    for row in rows:
        vendor = row["vendor"]
        for part in row["prefixes"].upper().split(","):
            lo, _, hi = part.strip().partition("-")
            if not hi:
                table[lo] = vendor
                continue
            width = len(lo)
            for v in range(int(lo, 16), min(int(hi, 16), int(lo, 16) + 0xFFFFF) + 1):
                table[f"{v:0{width}X}"] = vendor
    return table


def _index_isil(rows: list[dict[str, str]]) -> Any:
    return {row["prefix"].upper(): row for row in rows}


_INDEXERS: dict[str, Callable[[list[dict[str, str]]], Any]] = {
    "isbn-ranges": _index_isbn,
    "mobile-network-codes": _index_mcc,
    "mac-vendors": _index_mac,
    "isil-agencies": _index_isil,
}


def load_table(name: str, path: str | os.PathLike[str] | None = None) -> dict[str, Any]:
    """Reads a registry table for ``describe``: ``path`` is a newer download
    in the registry's format (the TSV with its header line; ``#`` lines
    before it name the source and may give ``# snapshot: YYYY-MM-DD``), or
    ``None`` for the table shipped with the package. Returns what
    ``table_info`` returns. The ISBN hyphenation of ``format`` keeps the
    ranges the package was built with.

    Raises KeyError for an unknown table name, OSError for a file that
    cannot be read and ValueError for one that is not such a table.
    """
    if name not in TABLES:
        raise KeyError(f"unknown table {name!r}; the tables are {', '.join(TABLES)}")
    file = os.fspath(path) if path is not None else os.path.join(_HERE, name + ".tsv")
    info, rows = _read(file, name)
    index = _INDEXERS[name](rows)
    _loaded[name] = (info, index)
    return dict(info)


def table_info(name: str) -> dict[str, Any]:
    """Where a table comes from: ``name``, ``path``, ``source`` (the
    registry's source line), ``snapshot`` (its date) and ``rows``; loads
    the table if it is not loaded yet."""
    if name not in _loaded:
        load_table(name)
    return dict(_loaded[name][0])


def _table(name: str) -> Any:
    got = _loaded.get(name)
    if got is None:
        load_table(name)
        got = _loaded[name]
    return got[1]


# ---- the facts of each kind -------------------------------------------------------

def _isbn(compact: str) -> dict[str, Any]:
    from bisect import bisect_right

    ten = len(compact) == 10
    digits = "978" + compact[:9] if ten else compact[:12]
    prefix, body = digits[:3], digits[3:]
    check = compact[-1]
    facts: dict[str, Any] = {"prefix": prefix, "group": None, "agency": None, "registrant": None,
                             "publication": None, "check_digit": check, "formatted": compact}
    table = _table("isbn-ranges")

    def width(entry: Any, text: str) -> int:
        v = int(text[:7].ljust(7, "0"))
        k = bisect_right(entry[1], v) - 1
        return entry[3][k] if k >= 0 and v <= entry[2][k] else 0

    groups = table.get((prefix, ""))
    gw = width(groups, body) if groups else 0
    if not gw:
        return facts
    group = body[:gw]
    entry = table.get((prefix, group))
    if entry is None:
        return facts
    facts["group"], facts["agency"] = group, entry[0]
    rest = body[gw:]
    rw = width(entry, rest)
    if rw and rw < len(rest):
        registrant, publication = rest[:rw], rest[rw:]
        facts["registrant"], facts["publication"] = registrant, publication
        head = "" if ten else prefix + "-"
        facts["formatted"] = f"{head}{group}-{registrant}-{publication}-{check}"
    return facts


def _imsi(compact: str) -> dict[str, Any]:
    table = _table("mobile-network-codes")
    row = table.get(compact[:6]) or table.get(compact[:5])
    if row is None:
        return {"mcc": compact[:3], "mnc": None, "country": None, "country_name": None, "operator": None,
                "brand": None}
    return {"mcc": row["mcc"], "mnc": row["mnc"], "country": row["country_code"].upper() or None,
            "country_name": row["country"] or None, "operator": row["operator"] or None,
            "brand": row["brand"] or None}


def _mac(compact: str) -> dict[str, Any]:
    first = int(compact[:2], 16)
    local = bool(first & 2)
    block = vendor = None
    if not local:
        table = _table("mac-vendors")
        for n in (9, 7, 6):
            vendor = table.get(compact[:n])
            if vendor is not None:
                block = compact[:n]
                break
    return {"vendor": vendor, "block": block, "multicast": bool(first & 1), "locally_administered": local}


def _isil(compact: str) -> dict[str, Any]:
    prefix = compact.partition("-")[0].upper()
    row = _table("isil-agencies").get(prefix)
    country = prefix if len(prefix) == 2 and prefix.isalpha() else None
    return {"prefix": prefix, "agency": row["agency"] if row else None,
            "country_name": (row["country"] or None) if row else None, "country": country}


def _elements(parsed: Any) -> Any:
    """The elements of a parsed GS1-128 value, whatever shape the kind's
    parse gives them (a mapping, a sequence of pairs, or an object with
    `elements`)."""
    elements = getattr(parsed, "elements", parsed)
    if isinstance(elements, dict):
        return dict(elements)
    try:
        return [tuple(e) if isinstance(e, (list, tuple)) else e for e in elements]
    except TypeError:
        return elements


def _gs1_128(compact: str) -> dict[str, Any]:
    # The kind parses its Application Identifiers itself.
    return {"elements": _elements(_api.parse("gs1_128", compact))}


# Two-letter prefixes of ISINs that name no country.
_ISIN_NOT_COUNTRY = frozenset({"XS", "EU", "XA", "XB", "XC", "XD", "QS", "QT"})

_KINDS: dict[str, Callable[[str], dict[str, Any]]] = {
    "isbn": _isbn,
    "imsi": _imsi,
    "mac": _mac,
    "isil": _isil,
    "gs1_128": _gs1_128,
}

# Kinds whose value names its country at a fixed place.
_COUNTRY_AT: dict[str, tuple[int, int]] = {"iban": (0, 2), "bic": (4, 6), "isin": (0, 2), "eu.vat": (0, 2)}
_VAT_PREFIX = {"EL": "GR", "XI": "GB"}

# id -> (country of the kind, parses, facts of the kind, country at)
_kinds: dict[str, tuple[str | None, bool, Any, Any]] = {}


def _kind(id: str) -> tuple[str | None, bool, Any, Any]:
    meta = _api.validator_metadata(id)  # the KeyError of an unknown id
    # The gs1_128 facts come from its parse: kept apart from birth data.
    parses = bool(meta.can_parse) and id not in _KINDS
    entry = (meta.country, parses, _KINDS.get(id), _COUNTRY_AT.get(id))
    _kinds[id] = entry
    return entry


def describe(id: str, value: str) -> dict[str, Any] | None:
    """The facts registries give about a valid value of validator ``id``:
    a dict (see the module's documentation for its keys), or ``None`` when
    the value is not valid.

        >>> describe("mac", "AC-DE-48-23-45-67")["locally_administered"]
        False
        >>> describe("isbn", "978-0-306-40615-8") is None
        True

    Raises TypeError for a non-str id or value and KeyError for an unknown
    id.
    """
    if type(id) is not str and not isinstance(id, str):
        raise TypeError(f"describe() argument 'id' must be str, not {type(id).__name__}")
    if type(value) is not str and not isinstance(value, str):
        raise TypeError(f"describe() argument 'value' must be str, not {type(value).__name__}")
    kind = _kinds.get(id) or _kind(id)
    result = _api.validate(id, value)
    if not result.valid:
        return None
    compact = result.compact
    country, parses, facts_of, at = kind
    if at is not None:
        code = compact[at[0]:at[1]]
        if id == "isin" and code in _ISIN_NOT_COUNTRY:
            code = None
        country = _VAT_PREFIX.get(code, code) if code else None
    out: dict[str, Any] = {"id": id, "compact": compact, "country": country}
    if facts_of is not None:
        out.update(facts_of(compact))
    if parses:
        p = _api.parse(id, compact)
        year = getattr(p, "birth_year", None)
        if year is not None:
            from datetime import date

            out["birth_date"] = date(year, p.birth_month, p.birth_day)
        out["gender"] = getattr(p, "gender", None)
    return out
