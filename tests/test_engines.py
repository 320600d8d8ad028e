"""The engine integrations on real engines: DuckDB, Polars and a local Spark session."""
import os
import re
import shutil
import sys
from pathlib import Path

import pytest

import orvane_vardik as ov

pa = pytest.importorskip("pyarrow")
from orvane_vardik import columns  # noqa: E402

README = Path(__file__).resolve().parent.parent / "README.md"
ROWS = [("iban", "GB29 NWBK 6016 1331 9268 19"), ("iban", "GB29NWBK60161331926818"), ("luhn", "79927398713"),
        ("luhn", None), (None, "79927398713"), ("cz.rc", "7103192745"), ("iban", "")]


def expected_validate(vid, value):
    if vid is None or value is None:
        return None
    r = ov.validate(vid, value)
    return {"valid": r.valid, "compact": r.compact, "code": r.error and r.error.code,
            "message": r.error and r.error.message}


# DuckDB ------------------------------------------------------------------------


@pytest.fixture(scope="module")
def duck():
    duckdb = pytest.importorskip("duckdb")
    from orvane_vardik.engines import register_duckdb

    con = register_duckdb(duckdb.connect())
    con.execute("CREATE TABLE ids (kind VARCHAR, value VARCHAR)")
    con.executemany("INSERT INTO ids VALUES (?, ?)", ROWS)
    yield con
    con.close()


def test_duckdb_functions_follow_the_row_id(duck):
    got = duck.sql("SELECT kind, value, ov_is_valid(kind, value), ov_validate(kind, value), "
                   "ov_compact(kind, value), ov_parse(kind, value) FROM ids").fetchall()
    for kind, value, ok, res, comp, parsed in got:
        exp = expected_validate(kind, value)
        assert res == exp
        assert ok == (exp and exp["valid"])
        assert comp == (None if exp is None else ov.compact(kind, value))
        p = None if exp is None else ov.parse(kind, value)
        assert parsed == (p and {"birth_year": p.birth_year, "birth_month": p.birth_month,
                                 "birth_day": p.birth_day, "gender": p.gender})


def test_duckdb_constant_id_and_result_scan(duck):
    got = duck.sql("SELECT ov_format('iban', value) FROM ids WHERE kind = 'iban' ORDER BY value").fetchall()
    assert ("GB29 NWBK 6016 1331 9268 19",) in got
    with pytest.raises(Exception, match="unknown validator id: IBAN"):
        duck.sql("SELECT ov_is_valid('IBAN', value) FROM ids").fetchall()
    checked = columns.validate("luhn", ["79927398713", None, "1"])    # scanned in place, no copy
    assert duck.sql("SELECT valid, code FROM checked").fetchall() == [(True, None), (None, None),
                                                                       (False, "INVALID_CHECKSUM")]
    t = columns.table(ok=columns.is_valid("luhn", ["18", "19"]))
    assert duck.sql("SELECT count(*) FROM t WHERE ok").fetchall() == [(1,)]


# Polars ------------------------------------------------------------------------


@pytest.mark.parametrize("dtype", ["String", "Categorical"])
def test_polars_expressions(dtype):
    pl = pytest.importorskip("polars")
    from orvane_vardik.engines import polars_expr

    values = [v for _, v in ROWS] * 3
    df = pl.DataFrame({"acct": values}, schema={"acct": getattr(pl, dtype)})
    out = df.with_columns(
        ok=polars_expr("iban", pl.col("acct")),
        checked=polars_expr("iban", pl.col("acct"), "validate"),
        pretty=polars_expr("iban", pl.col("acct"), "format"),
    )
    assert out["ok"].to_list() == [None if v is None else ov.validate("iban", v).valid for v in values]
    assert out["checked"].to_list() == [expected_validate("iban", v) for v in values]
    assert out["pretty"].to_list() == [None if v is None else ov.format("iban", v) for v in values]
    assert pl.Series(columns.is_valid("luhn", ["18", None])).to_list() == [True, None]


# Spark -------------------------------------------------------------------------


@pytest.fixture(scope="module")
def spark():
    why = "the Spark tests need the 'spark' extra: pip install '.[spark]'"
    pytest.importorskip("pyspark", reason=why)
    pytest.importorskip("pandas", reason=why)
    if shutil.which("java") is None and not os.environ.get("JAVA_HOME"):
        pytest.skip("Spark needs Java, and none was found")
    # Loopback only, and the workers run this interpreter (they import pyarrow).
    os.environ["SPARK_LOCAL_IP"] = "127.0.0.1"
    os.environ["PYSPARK_PYTHON"] = sys.executable
    os.environ["PYSPARK_DRIVER_PYTHON"] = sys.executable
    from pyspark.sql import SparkSession

    session = (SparkSession.builder.master("local[2]").appName("orvane_vardik-tests")
               .config("spark.ui.enabled", "false")
               .config("spark.driver.host", "127.0.0.1")
               .config("spark.driver.bindAddress", "127.0.0.1")
               .config("spark.sql.shuffle.partitions", "2")
               .config("spark.sql.execution.arrow.pyspark.enabled", "true")
               .getOrCreate())
    session.sparkContext.setLogLevel("ERROR")
    yield session
    session.stop()


def spark_values(n):
    good = [ov.generate("iban") for _ in range(500)]
    pool = good + ["GB29NWBK60161331926818", "GB00", "", "DE89 3704 0044 0532 0130 00", None]
    return [pool[(i * 7919) % len(pool)] for i in range(n)]


def test_spark_helper_matches_single_calls(spark):
    import pandas as pd

    from orvane_vardik.spark import add_validation_columns

    values = spark_values(100_000)
    df = spark.createDataFrame(pd.DataFrame({"acct": values}), "acct string").repartition(2)
    out = add_validation_columns(df, "iban", "acct", fields=("valid", "code", "message", "formatted"))
    assert out.columns == ["acct", "acct_valid", "acct_code", "acct_message", "acct_formatted"]
    got = out.toArrow()
    assert got.num_rows == len(values)
    exp = {}
    for v in set(values):
        if v is not None:
            r = ov.validate("iban", v)
            exp[v] = (r.valid, r.error and r.error.code, r.error and r.error.message, ov.format("iban", v))
    for row in got.to_pylist():
        v = row["acct"]
        assert (row["acct_valid"], row["acct_code"], row["acct_message"], row["acct_formatted"]) == \
            exp.get(v, (None, None, None, None))
    with pytest.raises(KeyError, match="unknown validator id"):
        add_validation_columns(df, "IBAN", "acct")


def test_spark_recipes(spark):
    import pandas as pd
    from pyspark.sql.functions import pandas_udf

    @pandas_udf("boolean")
    def iban_ok(acct: pd.Series) -> pd.Series:
        return pa.array(columns.is_valid("iban", pa.array(acct, pa.string()))).to_pandas()

    def check(batches):
        for b in batches:
            r = pa.array(columns.validate("iban", b.column("acct")))
            yield b.append_column("acct_code", r.field("code"))

    values = spark_values(2_000)
    df = spark.createDataFrame(pd.DataFrame({"acct": values}), "acct string")
    got = [r["ok"] for r in df.withColumn("ok", iban_ok("acct")).collect()]
    assert got == [None if v is None else ov.validate("iban", v).valid for v in values]
    codes = [r["acct_code"] for r in df.mapInArrow(check, "acct string, acct_code string").collect()]
    assert codes == [None if v is None or ov.validate("iban", v).valid else ov.validate("iban", v).error.code
                     for v in values]


# The README's examples -------------------------------------------------------


def readme_examples(spark_ones):
    if not README.exists():
        pytest.skip("README not available")
    section = README.read_text().split("## Large data", 1)[1].split("\n## ", 1)[0]
    blocks = re.findall(r"```python\n(.*?)```", section, re.S)
    return [b for b in blocks if ("SparkSession" in b) == spark_ones]


def test_readme_examples_run():
    pytest.importorskip("duckdb")
    pytest.importorskip("polars")
    for block in readme_examples(spark_ones=False):
        exec(compile(block, "README.md", "exec"), {})


def test_readme_spark_example_runs(spark):
    for block in readme_examples(spark_ones=True):
        exec(compile(block, "README.md", "exec"), {})
