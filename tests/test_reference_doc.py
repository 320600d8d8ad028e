"""docs/identifiers.md and the `list` / `info` sub-commands: one set of facts."""
import importlib.util
import json
import subprocess
import sys
from pathlib import Path

import pytest

import orvane_vardik as ov
from orvane_vardik import _native, _reference

ROOT = Path(__file__).resolve().parent.parent
SCRIPT = ROOT / "scripts" / "gen_identifiers_doc.py"


def generator():
    spec = importlib.util.spec_from_file_location("gen_identifiers_doc", SCRIPT)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def run(*args):
    p = subprocess.run([sys.executable, "-m", "orvane_vardik", *args], capture_output=True, text=True)
    assert "Traceback" not in p.stderr, p.stderr
    return p.returncode, p.stdout, p.stderr


def test_reference_page_is_up_to_date():
    page = ROOT / "docs" / "identifiers.md"
    assert page.read_text(encoding="utf-8") == generator().render(), (
        "docs/identifiers.md is out of date: run python scripts/gen_identifiers_doc.py")


def test_reference_page_is_deterministic():
    gen = generator()
    assert gen.render() == gen.render()


def listed():
    code, out, err = run("list", "--json")
    assert code == 0, err
    return [json.loads(line) for line in out.splitlines()]


def test_list_covers_every_id_and_marks_extended():
    rows = listed()
    assert [r["id"] for r in rows] == ov.validator_ids()
    documented = set(_native.validator_ids())
    assert {r["id"] for r in rows if not r["extended"]} == documented
    assert {"isbn", "vin"} <= {r["id"] for r in rows if r["extended"]}
    from orvane_vardik import _find
    scanned = {row[0]: row[1] for row in _find.kinds()}
    assert scanned and all(r["check"] == scanned.get(r["id"]) for r in rows)
    assert set(scanned.values()) == {"checksum", "component", "shape"}


# id, facts that published examples and the registry fix
KNOWN = [
    ("iban", {"country": None, "check": "checksum", "generates": True, "parses": False, "extended": False}),
    ("ee.ik", {"country": "EE", "check": "checksum", "parses": True, "extended": False}),
    ("isbn", {"country": None, "extended": True}),
    ("luhn", {"generates": True}),
    ("bg.egn", {"country": "BG", "parses": True}),
]


@pytest.mark.parametrize("vid, expected", KNOWN)
def test_info_json_matches_registry(vid, expected):
    code, out, _ = run("info", vid, "--json")
    row = json.loads(out)
    meta = ov.validator_metadata(vid)
    assert code == 0 and row["id"] == vid and row["name"] == meta.name
    # The record's lengths, or the package reference's where the record has none.
    assert row["lengths"] == (list(meta.lengths) or list(_reference.load()[vid][0]))
    assert row["example"] == meta.examples[0]
    assert row["formatted"] == ov.format(vid, meta.examples[0])
    assert ov.validate(vid, row["example"]).valid
    assert {k: row[k] for k in expected} == expected


def test_info_text_shows_the_page_facts():
    code, out, _ = run("info", "iban")
    fields = dict(line.split(":", 1) for line in out.splitlines())
    meta = ov.validator_metadata("iban")
    assert code == 0 and fields["name"].strip() == meta.name
    assert fields["formatted"].strip() == ov.format("iban", meta.examples[0])
    assert fields["check"].strip() == "check digit"
    # The same row stands on the reference page.
    page = (ROOT / "docs" / "identifiers.md").read_text(encoding="utf-8")
    assert f"| `iban` | {meta.name} |" in page


@pytest.mark.parametrize("args, country", [
    (["--country", "EE"], "EE"),
    (["--country=ee"], "EE"),
    (["--country", "global"], None),
])
def test_list_by_country(args, country):
    code, out, _ = run("list", *args, "--json")
    rows = [json.loads(line) for line in out.splitlines()]
    assert code == 0 and rows and all(r["country"] == country for r in rows)
    assert len(rows) == sum(m.country == country for m in ov.validators())


def test_list_text_has_one_line_per_id():
    code, out, _ = run("list")
    lines = out.splitlines()
    assert code == 0 and len(lines) == len(ov.validator_ids())
    assert lines[0].split()[0] == ov.validator_ids()[0]
    assert any(line.split()[0] == "isbn" and line.endswith("(extended)") for line in lines)


@pytest.mark.parametrize("args, fragments", [
    (["info", "IBAN"], ["unknown validator id: IBAN", "did you mean 'iban'"]),
    (["info", "ibna"], ["unknown validator id: ibna", "'iban'"]),
    (["info"], ["usage:", "give one validator ID"]),
    (["info", "iban", "luhn"], ["one validator ID only"]),
    (["info", "iban", "--bogus"], ["unknown option"]),
    (["list", "--country"], ["--country needs a value"]),
    (["list", "--country", "E1"], ["two-letter code"]),
    (["list", "extra"], ["unexpected argument"]),
])
def test_bad_use_is_one_error_and_status_2(args, fragments):
    code, out, err = run(*args)
    assert code == 2 and out == ""
    for fragment in fragments:
        if "did you mean" in fragment and sys.version_info < (3, 11):
            continue  # notes arrive with Python 3.11
        assert fragment in err
    assert err.count("\n") in (1, 2)


@pytest.mark.parametrize("command", ["list", "info"])
def test_help(command):
    code, out, _ = run(command, "--help")
    assert code == 0 and out.startswith("usage:") and "--json" in out


def test_list_into_a_closed_pipe_ends_quietly():
    p = subprocess.Popen([sys.executable, "-m", "orvane_vardik", "list", "--json"],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, bufsize=0)
    assert p.stdout.read(1) == b"{"
    p.stdout.close()  # as `| head -c 1` does
    err = p.stderr.read()
    assert p.wait() == 0 and err == b""
