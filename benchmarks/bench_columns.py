"""Columnar throughput: the kernel per value against validate_many and bare C++.

    python benchmarks/bench_columns.py                # 10 million values
    python benchmarks/bench_columns.py --rows 1000000
    python benchmarks/bench_columns.py --cpp          # also the C++ micro-benchmark (needs g++)
    python benchmarks/bench_columns.py --spark        # also Spark: helper against a row-by-row UDF

Times are the best of a few runs, in wall-clock and CPU nanoseconds per value
(on a shared machine the CPU figure is the steadier one).
"""
from __future__ import annotations

import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time
from typing import Any, Callable

import pyarrow as pa

import orvane_vardik as ov
from orvane_vardik import columns

ROOT = pathlib.Path(__file__).resolve().parent.parent


def best(fn: Callable[[], Any], repeat: int) -> tuple[float, float]:
    wall = cpu = float("inf")
    for _ in range(repeat):
        w0, c0 = time.perf_counter(), time.process_time()
        fn()
        wall = min(wall, time.perf_counter() - w0)
        cpu = min(cpu, time.process_time() - c0)
    return wall, cpu


def report(label: str, n: int, times: tuple[float, float]) -> float:
    wall, cpu = times
    print(f"{label:52s} {wall / n * 1e9:7.1f} ns wall {cpu / n * 1e9:7.1f} ns cpu")
    return wall / n * 1e9


def kernel_figures(rows: int, repeat: int) -> None:
    for vid in ("luhn", "iban"):
        pool = [ov.luhn_generate(16) if vid == "luhn" else ov.generate(vid) for _ in range(1000)]
        values = pool * (rows // len(pool))
        arr = pa.array(values, pa.string())
        n = len(arr)
        col = report(f"columns.is_valid({vid!r}, {n:,} utf8)", n, best(lambda: columns.is_valid(vid, arr), repeat))
        report(f"columns.is_valid({vid!r}, ..., threads=2)", n,
               best(lambda: columns.is_valid(vid, arr, threads=2), repeat))
        report(f"columns.validate({vid!r}, {n:,} utf8)", n, best(lambda: columns.validate(vid, arr), repeat))
        dictionary = arr.dictionary_encode()
        report(f"columns.is_valid({vid!r}, dictionary of {len(pool)})", n,
               best(lambda: columns.is_valid(vid, dictionary), repeat))
        sample = values[:1_000_000]
        many = report(f"validate_many({vid!r}, {len(sample):,} str)", len(sample),
                      best(lambda: ov.validate_many(vid, sample), repeat))
        out = pa.array(columns.is_valid(vid, arr))
        print(f"{'':52s} columnar {many / col:4.1f}x faster; result {out.nbytes:,} bytes for {n:,} values")


def cpp_figures(rows: int) -> None:
    src = ROOT / "src"
    with tempfile.TemporaryDirectory() as tmp:
        exe = pathlib.Path(tmp) / "bench_kernel"
        sources = [p for sub in ("registry", "primitives", "validators") for p in sorted((src / sub).rglob("*.cpp"))]
        cmd = [os.environ.get("CXX", "g++"), "-std=c++20", "-O2", "-DNDEBUG", "-I", str(src), "-o", str(exe),
               str(ROOT / "benchmarks" / "bench_kernel.cpp"), str(src / "columns" / "kernel.cpp"),
               *map(str, sources), "-pthread"]
        print("compiling the C++ micro-benchmark ...", flush=True)
        subprocess.run(cmd, check=True)
        subprocess.run([str(exe), str(rows)], check=True)


def spark_figures(rows: int) -> None:
    os.environ.setdefault("SPARK_LOCAL_IP", "127.0.0.1")
    os.environ["PYSPARK_PYTHON"] = sys.executable
    os.environ["PYSPARK_DRIVER_PYTHON"] = sys.executable
    from pyspark.sql import SparkSession
    from pyspark.sql.functions import udf
    from pyspark.sql.types import BooleanType

    from orvane_vardik.spark import add_validation_columns

    spark = (SparkSession.builder.master("local[2]").appName("bench").config("spark.ui.enabled", "false")
             .config("spark.driver.host", "127.0.0.1").config("spark.driver.bindAddress", "127.0.0.1")
             .config("spark.sql.execution.arrow.pyspark.enabled", "true").getOrCreate())
    spark.sparkContext.setLogLevel("ERROR")
    try:
        pool = [ov.generate("iban") for _ in range(1000)]
        table = pa.table({"acct": pool * (rows // len(pool))})
        df = spark.createDataFrame(table.to_pandas()).repartition(2).cache()
        n = df.count()
        row_udf = udf(lambda s: None if s is None else ov.validate("iban", s).valid, BooleanType())
        runs = {
            "add_validation_columns (mapInArrow)": lambda: add_validation_columns(df, "iban", "acct")
            .agg({"acct_valid": "count"}).collect(),
            "row-by-row Python UDF": lambda: df.withColumn("ok", row_udf("acct")).agg({"ok": "count"}).collect(),
        }
        for label, fn in runs.items():
            fn()  # warm the workers
            wall, _ = best(fn, 3)
            print(f"Spark local[2] {label:40s} {n / wall:12,.0f} rows/s")
    finally:
        spark.stop()


def main() -> None:
    ap = argparse.ArgumentParser()
    ap.add_argument("--rows", type=int, default=10_000_000)
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--cpp", action="store_true")
    ap.add_argument("--spark", action="store_true")
    ap.add_argument("--spark-rows", type=int, default=1_000_000)
    args = ap.parse_args()
    kernel_figures(args.rows, args.repeat)
    if args.cpp:
        cpp_figures(args.rows)
    if args.spark:
        spark_figures(args.spark_rows)


if __name__ == "__main__":
    main()
