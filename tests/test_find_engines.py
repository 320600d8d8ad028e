"""DuckDB and Spark faces of the finder give what `find` and `redact` give."""
from __future__ import annotations

import pytest

import orvane_vardik as ov
from test_engines import spark  # noqa: F401  (the suite's local Spark session)

IBAN = "DE89 3704 0044 0532 0130 00"
TEXTS = [
    f"Pay to IBAN {IBAN} today.",
    "card (4111 1111 1111 1111) and GB29NWBK60161331926819; «ünï» 🙂",
    "日本 GB29 NWBK 6016 1331 9268 19\nsecond line 4111111111111111.",
    "nothing here: 2024-01-31, +49 30 1234567",
    "",
    None,
]


def as_rows(text):
    if text is None:
        return None
    return [{"id": m.id, "start": m.start, "end": m.end, "compact": m.compact, "valid": m.valid,
             "confidence": m.confidence} for m in ov.find(text)]


@pytest.fixture(scope="module")
def duck():
    duckdb = pytest.importorskip("duckdb")
    from orvane_vardik.engines import register_duckdb

    con = register_duckdb(duckdb.connect())
    con.execute("CREATE TABLE t (i INTEGER, txt VARCHAR)")
    con.executemany("INSERT INTO t VALUES (?, ?)", list(enumerate(TEXTS)))
    return con


def test_duckdb_find_and_redact_agree(duck):
    rows = duck.execute("SELECT txt, ov_find(txt), ov_redact(txt) FROM t ORDER BY i").fetchall()
    assert [r[1] for r in rows] == [as_rows(t) for t in TEXTS]
    assert [r[2] for r in rows] == [None if t is None else ov.redact(t) for t in TEXTS]


def test_duckdb_spans_slice_the_text(duck):
    rows = duck.execute("SELECT txt, m.id, m.start, m.end FROM (SELECT txt, unnest(ov_find(txt)) AS m FROM t)"
                        ).fetchall()
    assert rows and all(ov.validate(kind, txt[s:e]).valid for txt, kind, s, e in rows)


def test_spark_find_column_and_redact_columns(spark):  # noqa: F811
    from orvane_vardik.spark import find_column, redact_columns

    df = spark.createDataFrame([(i, t, t) for i, t in enumerate(TEXTS)], "i int, a string, b string").repartition(2)
    found = {r["i"]: r["a_found"] for r in find_column(df, "a").collect()}
    assert [None if found[i] is None else [m.asDict() for m in found[i]] for i in range(len(TEXTS))] \
        == [as_rows(t) for t in TEXTS]
    red = {r["i"]: (r["a"], r["b"]) for r in redact_columns(df, ["a"], ids="iban").collect()}
    assert [red[i] for i in range(len(TEXTS))] == [(None if t is None else ov.redact(t, "iban"), t) for t in TEXTS]


@pytest.mark.parametrize(("name", "args", "kw", "error"), [
    ("find_column", ("a",), {"ids": "no_such_id"}, KeyError),
    ("find_column", ("zz",), {}, ValueError),
    ("find_column", ("a",), {"min_confidence": "sure"}, ValueError),
    ("redact_columns", ("a",), {"countries": "QQ"}, ValueError),
    ("redact_columns", (["a", "zz"],), {}, ValueError),
])
def test_spark_bad_arguments_fail_in_the_driver(spark, name, args, kw, error):  # noqa: F811
    from orvane_vardik import spark as helpers

    df = spark.createDataFrame([(1, "x")], "i int, a string")
    with pytest.raises(error):
        getattr(helpers, name)(df, *args, **kw)
