"""What help() and editors show: the package's own functions carry the
stubs' docstrings, `_native` keeps its documented signature-only ones, and
every public name in the stubs and the package has a docstring."""
from __future__ import annotations

import ast
import inspect
import subprocess
import sys
import types
from pathlib import Path

import pytest

import orvane_vardik as ov
from orvane_vardik import _api, _native

PACKAGE = Path(ov.__file__).parent
ROOT = Path(__file__).resolve().parent.parent


def _stub_docs(name: str) -> dict[str, str | None]:
    tree = ast.parse((PACKAGE / name).read_text(encoding="utf-8"))
    return {node.name: ast.get_docstring(node) for node in tree.body if isinstance(node, ast.FunctionDef)}


def test_package_module_functions_carry_the_stub_docstrings():
    stub = _stub_docs("_native.pyi")
    for name in _api.__all__:
        fn = getattr(_api, name)
        if isinstance(fn, type):
            continue
        assert fn.__doc__ == stub[name], name
        assert fn.__text_signature__ == getattr(_native, name).__text_signature__
        assert getattr(ov, name) is fn or name not in ov.__all__ or getattr(ov, name).__doc__
        assert "Args:" in pydoc_text(fn) or "Returns:" in pydoc_text(fn)


def pydoc_text(fn: object) -> str:
    import pydoc

    return pydoc.render_doc(fn, renderer=pydoc.plaintext)


def test_documented_module_keeps_its_docstrings():
    # The documented module's functions show their signatures only; the two
    # compatibility functions one line.
    compat = {"validate_id", "validate_named_id"}
    for name in _native.__all__:
        fn = getattr(_native, name)
        if isinstance(fn, type):
            continue
        expected = "Compatibility entry point for the pre-registry boolean API." if name in compat else None
        assert fn.__doc__ == expected, name


def test_every_stub_function_and_class_has_a_docstring():
    lacking = []
    for path in sorted(PACKAGE.glob("*.pyi")):
        for node in ast.walk(ast.parse(path.read_text(encoding="utf-8"))):
            if isinstance(node, (ast.FunctionDef, ast.ClassDef)) and not ast.get_docstring(node):
                if not (node.name.startswith("__") and node.name.endswith("__")):
                    lacking.append(f"{path.name}:{node.lineno} {node.name}")
    assert lacking == []


@pytest.mark.parametrize("module", ["orvane_vardik", "orvane_vardik.columns", "orvane_vardik.data",
                                    "orvane_vardik.conversions", "orvane_vardik.errors", "orvane_vardik.finder",
                                    "orvane_vardik.engines", "orvane_vardik.pydantic", "orvane_vardik.spark"])
def test_public_python_functions_have_docstrings(module):
    mod = __import__(module, fromlist=["_"])
    missing = []
    for name in getattr(mod, "__all__", []):
        obj = getattr(mod, name)
        if isinstance(obj, (types.FunctionType, type)) and getattr(obj, "__module__", "").startswith("orvane_vardik"):
            if obj.__module__ in ("orvane_vardik._native",):
                continue
            if not inspect.getdoc(obj):
                missing.append(name)
    assert missing == []


def test_generated_docstrings_are_current():
    script = ROOT / "scripts" / "gen_api_docs.py"
    if not script.exists():
        pytest.skip("needs the source tree")
    p = subprocess.run([sys.executable, str(script), "--check"], capture_output=True, text=True)
    assert p.returncode == 0, p.stderr


def test_all_lists_every_public_name():
    # `from orvane_vardik import *` and documentation tools see every public
    # function and class of the package, once.
    public = {name for name in dir(ov) if not name.startswith("_")
              and not isinstance(getattr(ov, name), types.ModuleType)}
    assert public - set(ov.__all__) == set()
    assert len(ov.__all__) == len(set(ov.__all__))
    assert {"iban_parts", "sample", "IbanParts", "to_isbn13", "to_isbn10"} <= set(ov.__all__)
