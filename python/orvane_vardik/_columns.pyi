from collections.abc import Iterable
from typing import Any, final

@final
class Column:
    """A result column in Arrow layout; pass it to pyarrow, polars or DuckDB, or call to_pylist().

    Returned by the functions of this module; its buffers are shared, not
    copied, with whoever imports it (``pyarrow.array(col)``,
    ``polars.Series(col)``, DuckDB).

    Example:
        >>> is_valid("luhn", ["79927398713", None]).to_pylist()
        [True, None]
    """
    @property
    def null_count(self) -> int:
        """The number of null rows."""
    def __len__(self) -> int:
        """The number of rows."""
    def to_pylist(self) -> list[Any]:
        """The rows as Python values (None for nulls, dicts for struct rows).

        Example:
            >>> compact("iban", ["gb29 nwbk 6016 1331 9268 19"]).to_pylist()
            ['GB29NWBK60161331926819']
        """
    def __arrow_c_schema__(self) -> object:
        """The column's Arrow type as a PyCapsule named ``arrow_schema``."""
    def __arrow_c_array__(self, requested_schema: object | None = None) -> tuple[object, object]:
        """The column as (schema, array) PyCapsules of the Arrow C Data Interface.

        Args:
            requested_schema: ignored; the column's own type is exported.
        """
    def __arrow_c_stream__(self, requested_schema: object | None = None) -> object:
        """The column as a one-batch Arrow C stream (a PyCapsule named ``arrow_array_stream``).

        Args:
            requested_schema: ignored; the column's own type is exported.
        """

@final
class Table:
    """Named result columns as one Arrow record batch (a table for DuckDB).

    Built by ``table``; DuckDB scans it (``SELECT * FROM t``), pyarrow reads
    it with ``pyarrow.table(t)``.
    """
    def __len__(self) -> int:
        """The number of rows."""
    def __arrow_c_schema__(self) -> object:
        """The struct type of the record batch as a PyCapsule."""
    def __arrow_c_array__(self, requested_schema: object | None = None) -> tuple[object, object]:
        """The record batch as (schema, array) PyCapsules.

        Args:
            requested_schema: ignored.
        """
    def __arrow_c_stream__(self, requested_schema: object | None = None) -> object:
        """The record batch as a one-batch Arrow C stream PyCapsule.

        Args:
            requested_schema: ignored.
        """

def is_valid(id: str, column: object | Iterable[str | None], *, threads: int | None = None) -> Column:
    """Whether each value is valid for validator ``id``.

    Args:
        id: a validator id (documented or extended).
        column: an Arrow array or stream of strings (PyCapsule interface:
            pyarrow, polars, ...) or an iterable of str and None.
        threads: split a long column over this many threads (1 to 1024;
            None: one).

    Returns:
        A ``bool`` column; null where the value is null.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` out of range, or a failing Arrow stream.

    Example:
        >>> is_valid("luhn", ["79927398713", "1", None]).to_pylist()
        [True, False, None]
    """
def validate(id: str, column: object | Iterable[str | None], *, threads: int | None = None) -> Column:
    """Validate each value: verdict, compact form, code and message.

    Args:
        id: a validator id (documented or extended).
        column: an Arrow array or stream of strings (PyCapsule interface:
            pyarrow, polars, ...) or an iterable of str and None.
        threads: split a long column over this many threads (1 to 1024;
            None: one).

    Returns:
        A struct column ``{valid: bool, compact, code, message: utf8}``;
        ``compact`` null when invalid, ``code`` and ``message`` null when valid,
        the row null where the value is null.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` out of range, or a failing Arrow stream.

    Example:
        >>> validate("luhn", ["79927398710"]).to_pylist()[0]["code"]
        'INVALID_CHECKSUM'
    """
def compact(id: str, column: object | Iterable[str | None], *, threads: int | None = None) -> Column:
    """The compact form of each value, as ``orvane_vardik.compact`` gives it.

    Args:
        id: a validator id (documented or extended).
        column: an Arrow array or stream of strings (PyCapsule interface:
            pyarrow, polars, ...) or an iterable of str and None.
        threads: split a long column over this many threads (1 to 1024;
            None: one).

    Returns:
        A ``utf8`` column; null where the value is null or not UTF-8.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` out of range, or a failing Arrow stream.

    Example:
        >>> compact("iban", ["gb29 nwbk 6016 1331 9268 19"]).to_pylist()
        ['GB29NWBK60161331926819']
    """
def format(id: str, column: object | Iterable[str | None], *, threads: int | None = None) -> Column:
    """The formatted form of each value, as ``orvane_vardik.format`` gives it.

    Args:
        id: a validator id (documented or extended).
        column: an Arrow array or stream of strings (PyCapsule interface:
            pyarrow, polars, ...) or an iterable of str and None.
        threads: split a long column over this many threads (1 to 1024;
            None: one).

    Returns:
        A ``utf8`` column; null where the value is null or not UTF-8.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` out of range, or a failing Arrow stream.

    Example:
        >>> format("iban", ["GB29NWBK60161331926819"]).to_pylist()
        ['GB29 NWBK 6016 1331 9268 19']
    """
def parse(id: str, column: object | Iterable[str | None], *, threads: int | None = None) -> Column:
    """The birth data of each value, as ``orvane_vardik.parse`` gives it.

    Args:
        id: a validator id (documented or extended).
        column: an Arrow array or stream of strings (PyCapsule interface:
            pyarrow, polars, ...) or an iterable of str and None.
        threads: split a long column over this many threads (1 to 1024;
            None: one).

    Returns:
        A struct column ``{birth_year, birth_month, birth_day: int32,
        gender: utf8}``; the row null where the value has no birth data.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: the column holds no strings, or a value is neither str
            nor None.
        ValueError: ``threads`` out of range, or a failing Arrow stream.

    Example:
        >>> parse("ee.ik", ["36805280109"]).to_pylist()[0]["birth_year"]
        1968
    """
def table(names: list[str], columns: list[Column]) -> Table:
    """Named result columns of equal length as one Arrow record batch.

    Args:
        names: the column names, one per column.
        columns: results of this module's functions.

    Returns:
        A ``Table``.

    Raises:
        TypeError: a name is not a str or a column is not a result column.
        ValueError: the columns differ in length.

    Example:
        >>> len(table(["ok"], [is_valid("luhn", ["79927398713"])]))
        1
    """
