"""Builds and runs the C++ unit tests of the validator core, and a short
fixed-seed run of the fuzz driver over every id and operation.

The core (registry, primitives, validators) is plain C++ with no knowledge of
Python, so it is compiled here on its own, without Python headers, which also
keeps it that way. The sanitizer build of the same programs is
.ci/sanitize.sh.
"""
import os
import pathlib
import shutil
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
CXX = os.environ.get("CXX", "g++")
FLAGS = ["-std=c++20", "-O1", "-Wall", "-I", str(SRC)]

pytestmark = pytest.mark.skipif(shutil.which(CXX) is None, reason="no C++ compiler")


def _core_sources():
    files = []
    for sub in ("registry", "primitives", "validators"):
        files += sorted((SRC / sub).rglob("*.cpp"))
    return files


def _compile(sources, out_dir):
    """Object files of `sources`, two compilers at a time."""
    objects, running, errors = [], [], []

    def reap(proc):
        _, err = proc.communicate()
        if proc.returncode:
            errors.append(err[-5000:])

    for i, src in enumerate(sources):
        obj = out_dir / f"{i:03d}_{src.stem}.o"
        objects.append(obj)
        running.append(subprocess.Popen([CXX, *FLAGS, "-c", str(src), "-o", str(obj)],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True))
        if len(running) == 2:
            reap(running.pop(0))
    for proc in running:
        reap(proc)
    assert not errors, errors[0]
    return objects


@pytest.fixture(scope="module")
def core_objects(tmp_path_factory):
    if not SRC.is_dir():
        pytest.skip("source tree not available")
    return _compile(_core_sources(), tmp_path_factory.mktemp("core"))


def _program(name, sources, core_objects, tmp_path):
    objects = _compile(sources, tmp_path)
    exe = tmp_path / name
    link = subprocess.run([CXX, "-o", str(exe), *map(str, objects), *map(str, core_objects), "-pthread"],
                          capture_output=True, text=True)
    assert link.returncode == 0, link.stderr[-5000:]
    return exe


def test_cpp_unit_tests(core_objects, tmp_path):
    # The finder's pattern reading (src/find/widen.cpp) needs no RE2.
    sources = sorted((ROOT / "tests" / "cpp").glob("*.cpp")) + [SRC / "find" / "widen.cpp"]
    exe = _program("ov_cpp_tests", sources, core_objects, tmp_path)
    run = subprocess.run([str(exe)], capture_output=True, text=True, timeout=600)
    print(run.stdout)
    assert run.returncode == 0, run.stdout + run.stderr[-5000:]


@pytest.fixture(scope="module")
def fuzz_driver(core_objects, tmp_path_factory):
    sources = sorted((ROOT / "tests" / "fuzz").glob("*.cpp"))
    return _program("ov_fuzz", sources, core_objects, tmp_path_factory.mktemp("fuzz"))


@pytest.mark.parametrize("args,status,output", [
    (["--seed", "1", "--cases", "300"], 0, "300 cases"),
    # Cases further on in a stream are rebuilt from the seed and their index.
    (["--seed", "7", "--first-case", "1000000", "--cases", "20"], 0, "cases 1000000..1000020"),
    # A reproducer: one input from a file, every id.
    (["--input", "{file}"], 0, "1 input from"),
    (["--list"], 0, "registry:"),
    (["--cases", "many"], 2, ""),
    (["--target", "nothing"], 2, ""),
])
def test_fuzz_driver(fuzz_driver, tmp_path, args, status, output):
    sample = tmp_path / "input"
    sample.write_bytes("DE 136 695 976\u200b\x00".encode())
    args = [a.replace("{file}", str(sample)) for a in args]
    run = subprocess.run([str(fuzz_driver), *args], capture_output=True, text=True, timeout=600)
    assert run.returncode == status, run.stdout + run.stderr[-5000:]
    assert output in run.stdout
    if status == 0 and output != "registry:":
        assert " 0 broken invariants" in run.stdout
