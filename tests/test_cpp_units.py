"""Builds and runs the C++ unit tests of the validator core.

The core (registry, primitives, validators) is plain C++ with no knowledge of
Python, so it is compiled here on its own, without Python headers, which also
keeps it that way.
"""
import os
import pathlib
import shutil
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"


def _sources():
    files = []
    for sub in ("registry", "primitives", "validators"):
        files += sorted((SRC / sub).rglob("*.cpp"))
    files += sorted((ROOT / "tests" / "cpp").glob("*.cpp"))
    return files


@pytest.mark.skipif(shutil.which(os.environ.get("CXX", "g++")) is None, reason="no C++ compiler")
def test_cpp_unit_tests(tmp_path):
    if not SRC.is_dir():
        pytest.skip("source tree not available")
    cxx = os.environ.get("CXX", "g++")
    exe = tmp_path / "ov_cpp_tests"
    cmd = [cxx, "-std=c++20", "-O1", "-Wall", "-I", str(SRC), "-o", str(exe),
           *map(str, _sources()), "-pthread"]
    build = subprocess.run(cmd, capture_output=True, text=True)
    assert build.returncode == 0, build.stderr[-5000:]
    run = subprocess.run([str(exe)], capture_output=True, text=True, timeout=600)
    print(run.stdout)
    assert run.returncode == 0, run.stdout + run.stderr[-5000:]
