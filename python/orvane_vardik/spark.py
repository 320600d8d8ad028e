"""Validation columns on Spark DataFrames, computed batch-wise in Arrow.

:func:`add_validation_columns` appends result columns through
``DataFrame.mapInArrow``: the executors hand each partition's Arrow record
batches to the columnar kernel, so no row becomes a Python object::

    from orvane_vardik.spark import add_validation_columns

    checked = add_validation_columns(df, "iban", "acct", fields=("valid", "code"))
    # columns: ..., acct, acct_valid (boolean), acct_code (string)

The executors' Python must be able to import ``orvane_vardik`` and
``pyarrow`` (set ``PYSPARK_PYTHON`` to an interpreter that has both).

Recipes for other shapes of job. A scalar ``pandas_udf`` (usable in
``select``, ``withColumn`` and SQL)::

    import pandas as pd
    import pyarrow as pa
    from pyspark.sql.functions import pandas_udf
    from orvane_vardik import columns

    @pandas_udf("boolean")
    def iban_ok(acct: pd.Series) -> pd.Series:
        return pa.array(columns.is_valid("iban", pa.array(acct, pa.string()))).to_pandas()

    df.withColumn("ok", iban_ok("acct"))

A hand-written ``mapInArrow`` (any set of result columns)::

    import pyarrow as pa
    from orvane_vardik import columns

    def check(batches):
        for b in batches:
            r = pa.array(columns.validate("iban", b.column("acct")))
            yield b.append_column("acct_code", r.field("code"))

    df.mapInArrow(check, "acct string, acct_code string")
"""
from __future__ import annotations

import functools
from collections.abc import Iterable, Iterator, Sequence
from typing import TYPE_CHECKING, Any

from ._api import validator_metadata

if TYPE_CHECKING:
    from pyspark.sql import DataFrame

__all__ = ["FIELDS", "add_validation_columns"]

# Result columns the helper can add, and their Spark types.
FIELDS = {"valid": "boolean", "compact": "string", "code": "string", "message": "string", "formatted": "string"}


def _result_columns(batches: Iterable[Any], id: str, column: str, fields: Sequence[str],
                    names: Sequence[str], threads: int | None) -> Iterator[Any]:
    import pyarrow as pa

    from orvane_vardik import columns

    structured = any(f in ("compact", "code", "message") for f in fields)
    for batch in batches:
        values = batch.column(column)
        checked = pa.array(columns.validate(id, values, threads=threads)) if structured else None
        added = []
        for f in fields:
            if f == "formatted":
                added.append(pa.array(columns.format(id, values, threads=threads)).cast(pa.string()))
            elif checked is not None:
                added.append(checked.field(f) if f == "valid" else checked.field(f).cast(pa.string()))
            else:
                added.append(pa.array(columns.is_valid(id, values, threads=threads)))
        yield pa.RecordBatch.from_arrays(list(batch.columns) + added, names=list(batch.schema.names) + list(names))


def add_validation_columns(df: DataFrame, id: str, column: str, *, fields: Sequence[str] = ("valid",),
                           prefix: str | None = None, threads: int | None = None) -> DataFrame:
    """``df`` with one new column per entry of ``fields``, named ``prefix + field``.

    ``fields`` are taken from ``valid`` (boolean), ``compact``, ``code``,
    ``message`` (the parts of a validation result, null where they do not
    apply) and ``formatted`` (the presentation form). ``prefix`` defaults to
    ``column + "_"``. Null values give null results. ``threads`` splits each
    Arrow batch over that many threads inside an executor task.

    Args:
        df: a Spark DataFrame.
        id: a validator id (documented or extended).
        column: the name of a string column of ``df``.
        fields: the result fields to add, in order.
        prefix: the prefix of the new columns' names.
        threads: threads per Arrow batch in each executor task.

    Returns:
        A new DataFrame: ``df``'s columns and the new ones.

    Raises:
        ValueError: ``fields`` is empty or names an unknown field, or
            ``column`` is not in ``df``.
        KeyError: ``id`` is not a validator id (raised on the driver).

    Example:
        >>> add_validation_columns(df, "iban", "iban", fields=("valid", "compact"))
        DataFrame[iban: string, iban_valid: boolean, iban_compact: string]
    """
    from pyspark.sql.types import BooleanType, StringType, StructField, StructType

    unknown = [f for f in fields if f not in FIELDS]
    if unknown or not fields:
        raise ValueError(f"fields must be a non-empty selection of {', '.join(FIELDS)}; got {list(fields)!r}")
    if column not in df.columns:
        raise ValueError(f"no column {column!r} in the DataFrame")
    validator_metadata(id)  # an unknown id fails here, not inside the executors
    prefix = f"{column}_" if prefix is None else prefix
    names = [prefix + f for f in fields]
    schema = StructType(list(df.schema.fields) + [
        StructField(n, BooleanType() if FIELDS[f] == "boolean" else StringType(), True)
        for n, f in zip(names, fields)])
    run: Any = functools.partial(_result_columns, id=id, column=column, fields=list(fields), names=names,
                                 threads=threads)
    return df.mapInArrow(run, schema)


# --- finding identifiers in text columns ------------------------------------

FIND_SCHEMA = ("array<struct<id:string,start:bigint,end:bigint,compact:string,"
               "valid:boolean,confidence:string>>")


def _find_arrow_type() -> Any:
    import pyarrow as pa

    return pa.list_(pa.struct([("id", pa.string()), ("start", pa.int64()), ("end", pa.int64()),
                               ("compact", pa.string()), ("valid", pa.bool_()), ("confidence", pa.string())]))


def _found(batches: Iterable[Any], column: str, name: str, options: dict[str, Any]) -> Iterator[Any]:
    import pyarrow as pa

    from orvane_vardik import columns

    kind = _find_arrow_type()
    for batch in batches:
        found = pa.array(columns.find(batch.column(column), **options)).cast(kind)
        yield pa.RecordBatch.from_arrays(list(batch.columns) + [found], names=list(batch.schema.names) + [name])


def _redacted(batches: Iterable[Any], cols: Sequence[str], options: dict[str, Any]) -> Iterator[Any]:
    import pyarrow as pa

    from orvane_vardik import columns

    for batch in batches:
        arrays = [pa.array(columns.redact(a, **options)).cast(pa.string()) if n in cols else a
                  for n, a in zip(batch.schema.names, batch.columns)]
        yield pa.RecordBatch.from_arrays(arrays, names=list(batch.schema.names))


def _check_find_options(df: DataFrame, cols: Sequence[str], ids: Any, countries: Any,
                        min_confidence: str) -> None:
    # Unknown columns, ids, countries or confidence fail here, in the driver,
    # not inside the executors.
    from .finder import find

    for c in cols:
        if c not in df.columns:
            raise ValueError(f"no column {c!r} in the DataFrame")
    find("", ids, countries=countries, min_confidence=min_confidence)  # type: ignore[arg-type]


def _options(ids: Any, countries: Any, min_confidence: str, threads: int | None) -> dict[str, Any]:
    # Plain lists: the options travel to the executors pickled.
    def listed(v: Any) -> list[str] | None:
        return None if v is None else [v] if isinstance(v, str) else list(v)

    return {"ids": listed(ids), "countries": listed(countries), "min_confidence": min_confidence,
            "threads": threads}


def find_column(df: DataFrame, column: str, *, ids: str | Iterable[str] | None = None,
                countries: str | Iterable[str] | None = None, include_invalid: bool = False,
                min_confidence: str = "checksum", name: str | None = None,
                threads: int | None = None) -> DataFrame:
    """``df`` with a new column ``name`` (default ``column + "_found"``): the
    identifiers :func:`orvane_vardik.find` finds in each text, as
    ``array<struct<id, start, end, compact, valid, confidence>>`` (``start``
    and ``end`` are Python str indices, 0-based, end exclusive). A null text
    gives null. Runs through ``mapInArrow`` with ``columns.find`` per batch.
    """
    from pyspark.sql.types import StructType, _parse_datatype_string

    _check_find_options(df, [column], ids, countries, min_confidence)
    name = f"{column}_found" if name is None else name
    schema = StructType(list(df.schema.fields)).add(name, _parse_datatype_string(FIND_SCHEMA), True)
    options = _options(ids, countries, min_confidence, threads)
    options["include_invalid"] = include_invalid
    run: Any = functools.partial(_found, column=column, name=name, options=options)
    return df.mapInArrow(run, schema)


def redact_columns(df: DataFrame, cols: str | Sequence[str], *, ids: str | Iterable[str] | None = None,
                   countries: str | Iterable[str] | None = None, min_confidence: str = "component",
                   threads: int | None = None) -> DataFrame:
    """``df`` with each of the string columns ``cols`` replaced by its text as
    :func:`orvane_vardik.redact` returns it (every letter and digit of a
    match masked with ``*``, ``min_confidence`` ``"component"`` by default as
    there). Other columns pass unchanged; nulls stay null.
    """
    cols = [cols] if isinstance(cols, str) else list(cols)
    _check_find_options(df, cols, ids, countries, min_confidence)
    options = _options(ids, countries, min_confidence, threads)
    run: Any = functools.partial(_redacted, cols=cols, options=options)
    return df.mapInArrow(run, df.schema)


__all__ += ["find_column", "redact_columns"]


# --- the parts of IBANs, with their bank ------------------------------------

IBAN_PARTS_FIELDS = {"country": "string", "check_digits": "string", "bban": "string", "bank_code": "string",
                     "branch_code": "string", "account": "string", "bank_name": "string",
                     "bank_short_name": "string", "bic": "string", "national_check": "boolean"}


def _iban_parts_batches(batches: Iterable[Any], column: str, fields: Sequence[str],
                        names: Sequence[str]) -> Iterator[Any]:
    import pyarrow as pa

    from orvane_vardik import columns

    for batch in batches:
        parts = pa.array(columns.iban_parts(batch.column(column)))
        added = [parts.field(f) for f in fields]
        yield pa.RecordBatch.from_arrays(list(batch.columns) + added, names=list(batch.schema.names) + list(names))


def add_iban_parts_columns(df: DataFrame, column: str, *,
                           fields: Sequence[str] = ("country", "bank_code", "bank_name", "bic", "national_check"),
                           prefix: str | None = None) -> DataFrame:
    """``df`` with one new column per entry of ``fields`` of
    :func:`orvane_vardik.iban_parts` of ``column``, named ``prefix + field``
    (``prefix`` defaults to ``column + "_"``); null where the value is null or
    not a valid IBAN, and where the part does not apply.

    ``fields`` are taken from :data:`IBAN_PARTS_FIELDS` (``national_check``
    is boolean, the others strings).

    Raises:
        ValueError: ``fields`` is empty or names an unknown field, or
            ``column`` is not in ``df``.

    Example:
        >>> add_iban_parts_columns(df, "iban", fields=("bank_name", "bic"))
        DataFrame[iban: string, iban_bank_name: string, iban_bic: string]
    """
    from pyspark.sql.types import BooleanType, StringType, StructField, StructType

    unknown = [f for f in fields if f not in IBAN_PARTS_FIELDS]
    if unknown or not fields:
        raise ValueError(f"fields must be a non-empty selection of {', '.join(IBAN_PARTS_FIELDS)}; got {list(fields)!r}")
    if column not in df.columns:
        raise ValueError(f"no column {column!r} in the DataFrame")
    prefix = f"{column}_" if prefix is None else prefix
    names = [prefix + f for f in fields]
    schema = StructType(list(df.schema.fields) + [
        StructField(n, BooleanType() if IBAN_PARTS_FIELDS[f] == "boolean" else StringType(), True)
        for n, f in zip(names, fields)])
    run: Any = functools.partial(_iban_parts_batches, column=column, fields=list(fields), names=names)
    return df.mapInArrow(run, schema)


__all__ += ["IBAN_PARTS_FIELDS", "add_iban_parts_columns"]
