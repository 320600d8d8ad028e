"""The package's reference of every kind: lengths, a description and the
issuer for each registered id (documented, extended and any added later),
from reference/*.tsv over the records, without touching `_native`."""
from __future__ import annotations

import json
import subprocess
import sys

import pytest

import orvane_vardik as ov
from orvane_vardik import _native, _reference
from orvane_vardik._cmd_list import all_facts

FACTS = {row["id"]: row for row in all_facts()}


def test_every_registered_kind_has_lengths_description_and_issuer():
    lacking = [(vid, key) for vid in ov.validator_ids() for key in ("lengths", "description", "issuer")
               if not FACTS[vid][key]]
    assert lacking == []


def test_reference_rows_name_registered_kinds_only():
    assert set(_reference.load()) <= set(ov.validator_ids())


def test_reference_lengths_hold_for_examples_and_samples():
    # Where the reference gives lengths, the kind's own values have them.
    wrong = []
    for vid, (lengths, _, _) in _reference.load().items():
        if lengths is None:
            continue
        meta = ov.validator_metadata(vid)
        values = [ov.compact(vid, e) for e in meta.examples if ov.validate(vid, e).valid]
        values += ov.sample(vid, 50, seed=4)
        wrong += [(vid, v) for v in values if len(v) not in lengths]
    assert wrong == []


def test_documented_metadata_is_unchanged():
    # de.idnr's record has no lengths and no description: the reference adds
    # them to the package's facts only.
    meta = _native.validator_metadata("de.idnr")
    assert (list(meta.lengths), meta.description) == ([], None)
    assert FACTS["de.idnr"]["lengths"] == [11]
    assert FACTS["de.idnr"]["issuer"] == "Federal Central Tax Office (BZSt)"
    # Where the record has them and the reference leaves the field empty, the record's stand.
    assert FACTS["bd.nid"]["lengths"] == list(ov.validator_metadata("bd.nid").lengths)
    assert FACTS["bd.nid"]["description"] == ov.validator_metadata("bd.nid").description


def test_info_and_list_show_the_reference():
    p = subprocess.run([sys.executable, "-m", "orvane_vardik", "info", "de.idnr"], capture_output=True, text=True)
    assert p.returncode == 0 and "lengths:      11\n" in p.stdout and "issuer:       Federal Central" in p.stdout
    p = subprocess.run([sys.executable, "-m", "orvane_vardik", "list", "--json", "--country", "DE"],
                       capture_output=True, text=True)
    rows = [json.loads(line) for line in p.stdout.splitlines()]
    assert rows and all(row["issuer"] and row["lengths"] and row["description"] for row in rows)


def test_import_reads_no_reference_file():
    code = "import sys, orvane_vardik; print('orvane_vardik._reference' in sys.modules)"
    assert subprocess.run([sys.executable, "-c", code], capture_output=True, text=True).stdout == "False\n"


HEADER = "id\tlengths\tissuer\tdescription\n"


@pytest.mark.parametrize("files, message", [
    ({"a.tsv": "id\tlengths\tdescription\n"}, "a.tsv: the first line must be the header"),
    ({"a.tsv": HEADER + "x.y\t9\tissuer\n"}, "a.tsv:2: 3 fields, not 4"),
    ({"a.tsv": HEADER + "x.y\t9;10\tissuer\td\n"}, "a.tsv:2: lengths must be integers"),
    ({"a.tsv": HEADER + "x.y\t0\tissuer\td\n"}, "a.tsv:2: lengths must be positive"),
    ({"a.tsv": HEADER + "x.y\t9\ti\td\n", "b.tsv": HEADER + "\nx.y\t\ti\td\n"}, "b.tsv:3: x.y is given twice"),
])
def test_malformed_reference_files_are_named(tmp_path, files, message):
    for name, text in files.items():
        (tmp_path / name).write_text(text, encoding="utf-8")
    with pytest.raises(ValueError, match=message):
        _reference.load(str(tmp_path))


def test_reference_files_load(tmp_path):
    (tmp_path / "a.tsv").write_text(HEADER + "x.y\t9, 10\tAn office\t\n\n", encoding="utf-8")
    (tmp_path / "notes.txt").write_text("not read", encoding="utf-8")
    assert _reference.load(str(tmp_path)) == {"x.y": ((9, 10), "An office", None)}
