"""Type checking through the installed package: stub, package, command line."""
import ast
import re
import subprocess
import sys
from pathlib import Path

import pytest

import orvane_vardik as ov
from orvane_vardik import _native

pytest.importorskip("mypy")

FIXTURES = Path(__file__).parent / "typing"
CONFIG = Path(__file__).parent.parent / "pyproject.toml"
STUB = Path(_native.__file__).with_name("_native.pyi")


def run(tmp_path_factory, *args):
    # Outside the checkout, so the installed package is the one found.
    cwd = tmp_path_factory.getbasetemp()
    return subprocess.run([sys.executable, "-m", *args], capture_output=True, text=True, cwd=cwd)


def mypy(tmp_path_factory, *args):
    cache = tmp_path_factory.getbasetemp() / "mypy-cache"
    config = ("--config-file", str(CONFIG)) if CONFIG.exists() else ()
    return run(tmp_path_factory, "mypy", "--strict", "--cache-dir", str(cache), *config, *args)


def test_all_lists_agree():
    stub = ast.parse(STUB.read_text())
    literal = next(ast.literal_eval(node.value) for node in stub.body
                   if isinstance(node, ast.Assign) and node.targets[0].id == "__all__")
    assert literal == _native.__all__
    # The package lists the documented names first, then its own additions.
    assert ov.__all__[:len(literal)] == literal and ov.__all__ is not _native.__all__
    assert all(hasattr(ov, name) for name in ov.__all__)


def test_stubtest(tmp_path_factory):
    config = ("--mypy-config-file", str(CONFIG)) if CONFIG.exists() else ()
    allow = ("--allowlist", str(FIXTURES / "stubtest-allowlist.txt"))
    p = run(tmp_path_factory, "mypy.stubtest", *config, *allow, "orvane_vardik")
    assert p.returncode == 0, p.stdout + p.stderr


def test_package_and_usage_pass_strict(tmp_path_factory):
    for args in (("-p", "orvane_vardik"), (str(FIXTURES / "usage.py"),)):
        p = mypy(tmp_path_factory, *args)
        assert p.returncode == 0, p.stdout + p.stderr


def test_misuse_fails_on_every_marked_line(tmp_path_factory):
    source = FIXTURES / "misuse.py"
    marked = {n for n, line in enumerate(source.read_text().splitlines(), 1) if line.endswith("# E")}
    p = mypy(tmp_path_factory, str(source))
    reported = {int(m) for m in re.findall(r"misuse\.py:(\d+): error", p.stdout)}
    assert p.returncode == 1 and reported == marked, p.stdout
