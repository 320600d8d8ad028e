"""Columnar validation inside DuckDB queries and Polars expressions.

DuckDB: one call registers Arrow-vectorised SQL functions on a connection::

    import duckdb
    from orvane_vardik.engines import register_duckdb

    con = register_duckdb(duckdb.connect())
    con.sql("SELECT acct, ov_is_valid('iban', acct) FROM accounts")

registers ``ov_is_valid(id, value)`` (BOOLEAN), ``ov_validate`` (STRUCT of
valid, compact, code, message), ``ov_compact`` and ``ov_format`` (VARCHAR)
and ``ov_parse`` (STRUCT of birth_year, birth_month, birth_day, gender).
The id may be a constant or a column; each distinct id runs one kernel
call per batch.

Polars: :func:`polars_expr` turns an expression into one that validates
whole batches (``map_batches``)::

    import polars as pl
    from orvane_vardik.engines import polars_expr

    df.with_columns(ok=polars_expr("iban", pl.col("acct")))
"""
from __future__ import annotations

from typing import TYPE_CHECKING, Any

from . import columns

if TYPE_CHECKING:
    import duckdb
    import polars

__all__ = ["OPERATIONS", "register_duckdb", "polars_expr", "register_duckdb_iban_parts", "polars_iban_parts"]

OPERATIONS = ("is_valid", "validate", "compact", "format", "parse")

_DUCKDB_TYPES = {
    "is_valid": "BOOLEAN",
    "validate": "STRUCT(valid BOOLEAN, compact VARCHAR, code VARCHAR, message VARCHAR)",
    "compact": "VARCHAR",
    "format": "VARCHAR",
    "parse": "STRUCT(birth_year INTEGER, birth_month INTEGER, birth_day INTEGER, gender VARCHAR)",
}


def _arrow_type(op: str) -> Any:
    import pyarrow as pa

    if op == "is_valid":
        return pa.bool_()
    if op == "validate":
        return pa.struct([("valid", pa.bool_()), ("compact", pa.string()), ("code", pa.string()),
                          ("message", pa.string())])
    if op == "parse":
        return pa.struct([("birth_year", pa.int32()), ("birth_month", pa.int32()), ("birth_day", pa.int32()),
                          ("gender", pa.string())])
    return pa.string()


def _combined(a: Any) -> Any:
    import pyarrow as pa

    if isinstance(a, pa.ChunkedArray):
        return a.combine_chunks() if a.num_chunks != 1 else a.chunk(0)
    return a


def apply_by_id(op: str, ids: Any, values: Any) -> Any:
    """Runs operation ``op`` over ``values`` with the validator named on each row by ``ids``.

    Both are Arrow arrays of equal length. A single id (the usual case, a
    constant in SQL) is one kernel call; otherwise the rows are grouped by
    id, each group is one call, and the results are put back in row order.
    Rows whose id is null give null.

    Args:
        op: ``"is_valid"``, ``"validate"``, ``"compact"``, ``"format"`` or ``"parse"``.
        ids: Arrow string array (or chunked array) of validator ids.
        values: Arrow string array (or chunked array) of values.

    Returns:
        A pyarrow array of the operation's result type, one row per value.

    Raises:
        KeyError: an id is not a validator id.

    Example:
        >>> import pyarrow as pa
        >>> apply_by_id("is_valid", pa.array(["luhn", "iban"]), pa.array(["79927398713", "x"])).to_pylist()
        [True, False]
    """
    import pyarrow as pa
    import pyarrow.compute as pc

    fn = getattr(columns, op)
    result_type = _arrow_type(op)
    ids, values = _combined(ids), _combined(values)
    distinct = pc.unique(ids)
    if len(distinct) == 1 and distinct[0].is_valid:
        return pa.array(fn(distinct[0].as_py(), values)).cast(result_type)
    order = pc.sort_indices(ids)
    runs = pc.run_end_encode(ids.take(order))
    sorted_values = values.take(order)
    parts = []
    start = 0
    for end, vid in zip(runs.run_ends.to_pylist(), runs.values.to_pylist()):
        piece = sorted_values.slice(start, end - start)
        parts.append(pa.nulls(len(piece), result_type) if vid is None
                     else pa.array(fn(vid, piece)).cast(result_type))
        start = end
    if not parts:
        return pa.array([], result_type)
    return pa.concat_arrays(parts).take(pc.sort_indices(order))


def _duckdb_udf(op: str) -> Any:
    # Exactly two parameters and no annotations: DuckDB inspects both.
    def udf(ids, values):  # type: ignore[no-untyped-def]
        return apply_by_id(op, ids, values)

    return udf


def register_duckdb(connection: duckdb.DuckDBPyConnection | None = None, *,
                    prefix: str = "ov_") -> duckdb.DuckDBPyConnection:
    """Registers ``{prefix}is_valid``, ``{prefix}validate``, ``{prefix}compact``,
    ``{prefix}format`` and ``{prefix}parse`` as Arrow UDFs, ``{prefix}find``
    and ``{prefix}redact`` (see :func:`register_duckdb_find`) and
    ``{prefix}iban_parts`` (see :func:`register_duckdb_iban_parts`); returns the connection
    (a new in-memory one when none is given).

    Each function takes ``(id, value)``, both VARCHAR; the id may differ per
    row. Results: BOOLEAN, a STRUCT of valid/compact/code/message, VARCHAR,
    VARCHAR and a STRUCT of birth_year/birth_month/birth_day/gender.

    Args:
        connection: a DuckDB connection, or None for a new in-memory one.
        prefix: the prefix of the function names.

    Returns:
        The connection.

    Raises:
        ImportError: duckdb is not installed.
        duckdb.Error: a function of that name exists already on the connection.

    Example:
        >>> con = register_duckdb()
        >>> con.sql("SELECT ov_is_valid('iban', 'GB29NWBK60161331926819')").fetchall()
        [(True,)]
    """
    import duckdb

    con = connection if connection is not None else duckdb.connect()
    # The keyword values are plain strings, which every DuckDB release accepts.
    create: Any = con.create_function
    for op in OPERATIONS:
        create(f"{prefix}{op}", _duckdb_udf(op), ["VARCHAR", "VARCHAR"], duckdb.sqltype(_DUCKDB_TYPES[op]),
                            type="arrow", null_handling="special", side_effects=False)
    register_duckdb_find(con, prefix)
    register_duckdb_iban_parts(con, prefix)
    return con


def _polars_type(op: str) -> Any:
    import polars as pl

    if op == "is_valid":
        return pl.Boolean
    if op == "validate":
        return pl.Struct({"valid": pl.Boolean, "compact": pl.String, "code": pl.String, "message": pl.String})
    if op == "parse":
        return pl.Struct({"birth_year": pl.Int32, "birth_month": pl.Int32, "birth_day": pl.Int32,
                          "gender": pl.String})
    return pl.String


def polars_expr(id: str, expr: polars.Expr, op: str = "is_valid", *, threads: int | None = None) -> polars.Expr:
    """``expr`` (a string expression) mapped batch-wise through operation ``op``
    of validator ``id``; the result keeps the input's name.

    Args:
        id: a validator id.
        expr: a polars expression of strings.
        op: ``"is_valid"`` (default), ``"validate"``, ``"compact"``,
            ``"format"`` or ``"parse"``.
        threads: threads per batch (None: one).

    Returns:
        A polars expression of Boolean, Struct or String type.

    Raises:
        ValueError: ``op`` is not one of the operations.
        KeyError: ``id`` is not a validator id (when the expression runs).

    Example:
        >>> import polars as pl
        >>> pl.DataFrame({"iban": ["GB29NWBK60161331926819"]}).select(
        ...     polars_expr("iban", pl.col("iban"))).item()
        True
    """
    import polars as pl

    if op not in OPERATIONS:
        raise ValueError(f"unknown operation {op!r}; expected one of {', '.join(OPERATIONS)}")
    fn = getattr(columns, op)
    dtype = _polars_type(op)

    def run(s: pl.Series) -> pl.Series:
        return pl.Series(fn(id, s, threads=threads)).alias(s.name)

    return expr.map_batches(run, return_dtype=dtype)


# --- finding identifiers in text --------------------------------------------

_FIND_SQL = ('STRUCT(id VARCHAR, "start" BIGINT, "end" BIGINT, compact VARCHAR, valid BOOLEAN, '
             "confidence VARCHAR)[]")


def _find_udf(texts):  # type: ignore[no-untyped-def]
    import pyarrow as pa

    kind = pa.list_(pa.struct([("id", pa.string()), ("start", pa.int64()), ("end", pa.int64()),
                               ("compact", pa.string()), ("valid", pa.bool_()), ("confidence", pa.string())]))
    return pa.array(columns.find(_combined(texts))).cast(kind)


def _redact_udf(texts):  # type: ignore[no-untyped-def]
    import pyarrow as pa

    return pa.array(columns.redact(_combined(texts))).cast(pa.string())


def register_duckdb_find(con: duckdb.DuckDBPyConnection, prefix: str = "ov_") -> None:
    """Registers ``{prefix}find(text)`` (a list of structs: id, start, end,
    compact, valid, confidence; start and end are 0-based character offsets,
    end exclusive, as Python str indices) and ``{prefix}redact(text)`` (the
    text with every match masked), both at the default settings of
    :func:`orvane_vardik.find`. Null texts give null."""
    import duckdb

    create: Any = con.create_function
    create(f"{prefix}find", _find_udf, ["VARCHAR"], duckdb.sqltype(_FIND_SQL),
           type="arrow", null_handling="special", side_effects=False)
    create(f"{prefix}redact", _redact_udf, ["VARCHAR"], duckdb.sqltype("VARCHAR"),
           type="arrow", null_handling="special", side_effects=False)


# --- the parts of IBANs, with their bank -------------------------------------

_IBAN_PARTS_FIELDS = (("country", "VARCHAR"), ("check_digits", "VARCHAR"), ("bban", "VARCHAR"),
                      ("bank_code", "VARCHAR"), ("branch_code", "VARCHAR"), ("account", "VARCHAR"),
                      ("bank_name", "VARCHAR"), ("bank_short_name", "VARCHAR"), ("bic", "VARCHAR"),
                      ("national_check", "BOOLEAN"))
_IBAN_PARTS_SQL = "STRUCT(" + ", ".join(f"{n} {t}" for n, t in _IBAN_PARTS_FIELDS) + ")"


def _iban_parts_udf(values):  # type: ignore[no-untyped-def]
    import pyarrow as pa

    return pa.array(columns.iban_parts(_combined(values)))


def register_duckdb_iban_parts(con: duckdb.DuckDBPyConnection, prefix: str = "ov_") -> None:
    """Registers ``{prefix}iban_parts(value)``: a STRUCT of country,
    check_digits, bban, bank_code, branch_code, account, bank_name,
    bank_short_name, bic (VARCHAR) and national_check (BOOLEAN), as
    :func:`orvane_vardik.columns.iban_parts` gives them; null where the value
    is null or not a valid IBAN.

    Example:
        >>> import duckdb
        >>> con = duckdb.connect()
        >>> register_duckdb_iban_parts(con)
        >>> con.sql("SELECT ov_iban_parts('DE89370400440532013000').bic").fetchall()
        [('COBADEFFXXX',)]
    """
    import duckdb

    create: Any = con.create_function
    create(f"{prefix}iban_parts", _iban_parts_udf, ["VARCHAR"], duckdb.sqltype(_IBAN_PARTS_SQL),
           type="arrow", null_handling="special", side_effects=False)


def polars_iban_parts(expr: polars.Expr) -> polars.Expr:
    """``expr`` (a string expression) mapped batch-wise to the struct of
    :func:`orvane_vardik.columns.iban_parts`; the result keeps the input's name.

    Example:
        >>> import polars as pl
        >>> pl.DataFrame({"iban": ["DE89370400440532013000"]}).select(
        ...     polars_iban_parts(pl.col("iban")).struct.field("bank_name")).item()
        'Commerzbank'
    """
    import polars as pl

    dtype = pl.Struct({n: (pl.Boolean if t == "BOOLEAN" else pl.String) for n, t in _IBAN_PARTS_FIELDS})

    def run(s: pl.Series) -> pl.Series:
        return pl.Series(columns.iban_parts(s)).alias(s.name)

    return expr.map_batches(run, return_dtype=dtype)
