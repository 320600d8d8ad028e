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
- ``gs1_128``: ``elements``, a list of ``{"ai", "name", "value"}`` in order;
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

from . import _describe

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing
if TYPE_CHECKING:
    from typing import Any

__all__ = ["describe", "load_table", "table_info", "TABLES"]

# The registry files the package reads: name -> the columns it needs.
TABLES: dict[str, tuple[str, ...]] = {
    "isbn-ranges": ("prefix", "group", "agency", "registrant_ranges"),
    "mobile-network-codes": ("mcc", "mnc", "country_code", "country", "operator", "brand"),
    "mac-vendors": ("prefixes", "vendor"),
    "isil-agencies": ("prefix", "country", "agency"),
}

_HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "_tables")

# name -> what table_info tells, for the tables loaded.
_loaded: dict[str, dict[str, Any]] = {}


def _source_lines(text: str) -> tuple[str | None, str | None]:
    """The source and snapshot date of a registry file: its "#" lines ahead
    of the header ("# snapshot: YYYY-MM-DD", or the registry's own "file
    date")."""
    source: list[str] = []
    snapshot = None
    for line in text.splitlines():
        if not line.startswith("#"):
            if line.strip():
                break
            continue
        if line.startswith("# snapshot:"):
            snapshot = line.partition(":")[2].strip()
        else:
            source.append(line.lstrip("# ").strip())
    if snapshot is None:
        for line in source:
            at = line.find("file date ")
            if at >= 0:
                snapshot = line[at + 10:].split("|")[0].strip()
    return " ".join(source) or None, snapshot


def load_table(name: str, path: str | os.PathLike[str] | None = None) -> dict[str, Any]:
    """Reads a registry table for ``describe``.

    ``path`` is a newer download of the registry's file in its format (a
    UTF-8 TSV whose header line names the columns of ``TABLES[name]``;
    ``#`` lines before it name the source and may give ``# snapshot:
    YYYY-MM-DD``), or ``None`` for the table shipped with the package. The
    new table replaces the old one for the whole process. Returns what
    ``table_info`` returns. ``format("isbn", ...)`` keeps the ranges the
    package was built with.

        >>> load_table("isil-agencies")["rows"] > 0
        True

    Raises KeyError for an unknown table name, OSError for a file that
    cannot be read and ValueError for one that is not such a table (the
    table in use is then kept).
    """
    if name not in TABLES:
        raise KeyError(f"unknown table {name!r}; the tables are {', '.join(TABLES)}")
    file = os.fspath(path) if path is not None else os.path.join(_HERE, name + ".tsv")
    with open(file, encoding="utf-8") as f:
        text = f.read()
    try:
        rows = _describe.load(name, text)
    except ValueError as exc:
        raise ValueError(f"{file}: {exc}") from None
    source, snapshot = _source_lines(text)
    info = {"name": name, "path": file, "source": source, "snapshot": snapshot, "rows": rows}
    _loaded[name] = info
    return dict(info)


def table_info(name: str) -> dict[str, Any]:
    """Where a table comes from: ``name``, ``path``, ``source`` (the
    registry's source line), ``snapshot`` (its date) and ``rows``; loads
    the table if it is not loaded yet.

        >>> table_info("isbn-ranges")["snapshot"]
        '2026-01-04'
    """
    if name not in _loaded:
        load_table(name)
    return dict(_loaded[name])


def _load_once(name: str) -> None:
    # Called by describe for a table it needs and does not hold yet.
    if name not in _loaded:
        load_table(name)


_describe.set_hooks(_load_once, None)

# The extension's function itself: no Python frame between the caller and
# the facts.
describe = _describe.describe
