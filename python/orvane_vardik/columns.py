"""Validate whole columns at once: Arrow arrays in, Arrow arrays out.

Every function takes a validator id and a column and returns a
:class:`Column` with one result per value, in order::

    >>> import pyarrow as pa
    >>> from orvane_vardik import columns
    >>> ok = columns.is_valid("iban", pa.array(["GB29NWBK60161331926819", "GB00", None]))
    >>> ok.to_pylist()
    [True, False, None]

A column is any object that offers the Arrow PyCapsule interface
(``__arrow_c_array__`` or ``__arrow_c_stream__``: pyarrow arrays and
chunked arrays, polars series, ...) holding ``utf8``, ``large_utf8`` or
``utf8_view`` strings, or dictionary-encoded strings (each dictionary entry
is checked once); or, for callers without Arrow, any iterable of ``str`` and
``None``. Nulls stay null in every result. Values that are not valid UTF-8
(only Arrow data can hold them) are invalid with ``INVALID_FORMAT`` and the
message "value is not valid UTF-8"; their compact and formatted forms are
null.

Results share their buffers with whoever imports them:
``pyarrow.array(result)``, ``polars.Series(result)`` and DuckDB (``SELECT *
FROM result``, or :func:`table` for several named columns) read them without
a copy. ``to_pylist()`` gives plain Python values.

The kernel runs without the interpreter lock; ``threads=n`` splits a long
column over ``n`` threads. Verdicts, codes and messages are those of
``orvane_vardik.validate`` for each value.
"""
from __future__ import annotations

from collections.abc import Iterable
from typing import TYPE_CHECKING, Any, Protocol, Union

from . import _columns
from ._columns import Column, Table
from ._find import FindColumn
from . import _find

if TYPE_CHECKING:
    from ._data import DataColumn

__all__ = ["Column", "Table", "is_valid", "validate", "compact", "format", "parse", "table",
           "iban_parts", "sample", "find", "redact"]


class ArrowArrayExportable(Protocol):
    def __arrow_c_array__(self, requested_schema: Any = None) -> tuple[Any, Any]: ...


class ArrowStreamExportable(Protocol):
    def __arrow_c_stream__(self, requested_schema: Any = None) -> Any: ...


ColumnLike = Union[ArrowArrayExportable, ArrowStreamExportable, Iterable[Union[str, None]]]


def is_valid(id: str, column: ColumnLike, *, threads: int | None = None) -> Column:
    """A ``bool`` column: whether each value is valid for validator ``id``.

    Args:
        id: a validator id (documented or extended).
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.
        threads: split a long column over this many threads (1 to 1024).

    Raises:
        KeyError: ``id`` is not a validator id.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` is out of range.

    Example:
        >>> is_valid("luhn", ["79927398713", "1", None]).to_pylist()
        [True, False, None]
    """
    return _columns.is_valid(id, column, threads=threads)


def validate(id: str, column: ColumnLike, *, threads: int | None = None) -> Column:
    """A struct column ``{valid: bool, compact: utf8, code: utf8, message: utf8}``.

    ``compact`` is null for invalid values, ``code`` and ``message`` for valid
    ones; the whole row is null where the value is null.

    Args:
        id: a validator id (documented or extended).
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.
        threads: split a long column over this many threads (1 to 1024).

    Raises:
        KeyError: ``id`` is not a validator id.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` is out of range.

    Example:
        >>> validate("luhn", ["79927398710"]).to_pylist()[0]["code"]
        'INVALID_CHECKSUM'
    """
    return _columns.validate(id, column, threads=threads)


def compact(id: str, column: ColumnLike, *, threads: int | None = None) -> Column:
    """A ``utf8`` column: the compact (normalised) form of each value.

    Args:
        id: a validator id (documented or extended).
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.
        threads: split a long column over this many threads (1 to 1024).

    Raises:
        KeyError: ``id`` is not a validator id.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` is out of range.

    Example:
        >>> compact("iban", ["gb29 nwbk 6016 1331 9268 19"]).to_pylist()
        ['GB29NWBK60161331926819']
    """
    return _columns.compact(id, column, threads=threads)


def format(id: str, column: ColumnLike, *, threads: int | None = None) -> Column:  # noqa: A001
    """A ``utf8`` column: the presentation form of each value.

    Args:
        id: a validator id (documented or extended).
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.
        threads: split a long column over this many threads (1 to 1024).

    Raises:
        KeyError: ``id`` is not a validator id.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` is out of range.

    Example:
        >>> format("iban", ["GB29NWBK60161331926819"]).to_pylist()
        ['GB29 NWBK 6016 1331 9268 19']
    """
    return _columns.format(id, column, threads=threads)


def parse(id: str, column: ColumnLike, *, threads: int | None = None) -> Column:
    """A struct column ``{birth_year, birth_month, birth_day: int32, gender: utf8}``.

    The row is null where the value encodes no birth data (or the validator
    parses nothing); ``gender`` is null where it is unknown.

    Args:
        id: a validator id (documented or extended).
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.
        threads: split a long column over this many threads (1 to 1024).

    Raises:
        KeyError: ``id`` is not a validator id.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` is out of range.

    Example:
        >>> parse("ee.ik", ["36805280109"]).to_pylist()[0]["gender"]
        'male'
    """
    return _columns.parse(id, column, threads=threads)


def table(**columns: Column) -> Table:
    """Named result columns of equal length as one Arrow record batch.

    DuckDB scans it as a table (``SELECT * FROM t``); pyarrow reads it with
    ``pyarrow.table(t)``.

    Args:
        columns: name=column pairs, each a result of this module.

    Raises:
        TypeError: a value is not a result column.
        ValueError: the columns differ in length.

    Example:
        >>> import duckdb
        >>> t = table(ok=is_valid("luhn", ["79927398713"]))
        >>> duckdb.sql("SELECT ok FROM t").fetchall()
        [(True,)]
    """
    return _columns.table(list(columns), list(columns.values()))


def iban_parts(column: ColumnLike) -> DataColumn:
    """A struct column ``{country, check_digits, bban, bank_code, branch_code,
    account, bank_name, bank_short_name, bic: utf8; national_check: bool}``.

    The parts of each value as :func:`orvane_vardik.iban_parts` gives them;
    the row is null where the value is null or not a valid IBAN,
    ``branch_code`` where the country has no branch identifier, the bank
    fields where the bank directory has none, ``national_check`` where the
    country has no national check digits.
    """
    from . import _data

    return _data.iban_parts_column(column)


def sample(id: str, n: int, *, seed: int | None = None, country: str | None = None) -> DataColumn:
    """A ``utf8`` column of ``n`` valid values of validator ``id``.

    The values are those :func:`orvane_vardik.sample` gives for the same
    arguments, drawn without the interpreter lock and handed over without a
    copy.
    """
    from . import _data

    return _data.sample_column(id, n, seed, country)


def find(
    column: ColumnLike,
    ids: str | Iterable[str] | None = None,
    *,
    countries: str | Iterable[str] | None = None,
    include_invalid: bool = False,
    min_confidence: str = "checksum",
    threads: int | None = None,
) -> FindColumn:
    """A ``list<struct<id, start, end, compact, valid, confidence>>`` column:
    the matches of :func:`orvane_vardik.find` in each text (``start`` and
    ``end`` are str indices, int64). Null and non-UTF-8 rows give null."""
    from .finder import _names

    return _find.find_column(column, _names(ids, "ids"), _names(countries, "countries"), include_invalid, min_confidence, threads)


def redact(
    column: ColumnLike,
    ids: str | Iterable[str] | None = None,
    *,
    countries: str | Iterable[str] | None = None,
    min_confidence: str = "component",
    threads: int | None = None,
) -> FindColumn:
    """A ``large_utf8`` column: each text as :func:`orvane_vardik.redact`
    returns it with the default mask (and, as it, ``min_confidence``
    ``"component"`` by default; ``"checksum"`` is the strict one). Null and
    non-UTF-8 rows give null."""
    from .finder import _names

    return _find.redact_column(column, _names(ids, "ids"), _names(countries, "countries"), min_confidence, threads)
