"""What a new user installs: the extras name what each feature needs, and CI
runs the README's commands as written."""
from __future__ import annotations

import ast
import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def _extras() -> dict[str, list[str]]:
    text = (ROOT / "pyproject.toml").read_text(encoding="utf-8")
    block = text.split("[project.optional-dependencies]", 1)[1].split("\n[", 1)[0]
    return {m.group(1): ast.literal_eval(m.group(2))
            for m in re.finditer(r"^(\w+) = (\[.*?\])", block, re.M | re.S)}


def _names(requirements: list[str]) -> set[str]:
    return {re.split(r"[<>=!~\[ ;]", r, 1)[0].lower() for r in requirements}


def test_each_feature_extra_brings_what_it_imports():
    extras = _extras()
    # register_duckdb needs numpy with DuckDB 2 ("'numpy' is required").
    assert {"duckdb", "numpy", "pyarrow"} <= _names(extras["duckdb"])
    assert {"polars", "pyarrow"} <= _names(extras["polars"])
    assert {"pydantic"} <= _names(extras["pydantic"])
    assert {"pyarrow"} <= _names(extras["arrow"])
    assert {"pyspark", "pyarrow", "pandas"} <= _names(extras["spark"])
    # The test extra covers every feature but Spark (whose tests skip without it).
    covered = set().union(*(_names(extras[k]) for k in ("arrow", "duckdb", "polars", "pydantic")))
    assert covered <= _names(extras["test"])


def test_ci_runs_the_readme_commands_first_and_verbatim():
    readme = (ROOT / "README.md").read_text(encoding="utf-8")
    run = (ROOT / ".ci" / "run").read_text(encoding="utf-8")
    blocks = re.findall(r"```sh\n(.*?)```", readme, re.S)
    install = next(line for b in blocks for line in b.splitlines() if line.startswith("pip install . "))
    test = next(line for b in blocks for line in b.splitlines() if line.startswith('pip install ".[test]"'))
    assert f"readme_install='{install}'" in run and f"readme_test='{test}'" in run
    # Nothing is installed into the fresh environment before the README's commands run.
    before = run[run.index("python3 -m venv"):run.index('eval "$readme_test"')]
    assert "pip " not in before and 'eval "$readme_install"' in before


def test_wheel_ci_runs_the_whole_suite_on_the_installed_wheel():
    script = (ROOT / ".ci" / "wheel.sh").read_text(encoding="utf-8")
    tail = script[script.index("build_portable_wheel.sh \"$sdist\""):]
    assert '-m pip install -q "${wheel}[test]"' in tail
    assert re.search(r"-m pytest -q -p no:cacheprovider\s*$", tail, re.M)
