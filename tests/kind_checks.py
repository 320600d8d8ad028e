"""What every set of kinds is held to alike: a check sees each change of a
character, generated and sampled values validate and spread, the finder
reads a value from a sentence, any text gives a result, and the set's
reference table describes each of its kinds. Each set's test file brings
its own tables of values and calls these."""
from __future__ import annotations

import re
from importlib import resources

import orvane_vardik as ov
from orvane_vardik import _reference

CODES = ("INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT")


def every_change_fails(vid, example, alphabet, positions=None):
    assert ov.validate(vid, example).valid, example
    for i in range(len(example)) if positions is None else positions:
        for c in alphabet:
            if c != example[i]:
                changed = example[:i] + c + example[i + 1:]
                assert not ov.validate(vid, changed).valid, changed


def generated_values_hold(vid, least=990, n=1000, match_pattern=False):
    """`n` generated values validate as they are, survive format and
    compact, and at least `least` of them differ."""
    values = [ov.generate(vid) for _ in range(n)]
    pattern = re.compile(ov.validator_metadata(vid).candidate_pattern) if match_pattern else None
    for value in values:
        r = ov.validate(vid, value)
        assert r.valid and r.compact == value, value
        assert ov.compact(vid, ov.format(vid, value)) == value, value
        assert pattern is None or pattern.fullmatch(value), value
    assert len(set(values)) >= least
    return values


def sampled_values_hold(vid, least=950, n=1000, seed=7):
    values = ov.sample(vid, n, seed=seed)
    assert all(ov.validate(vid, v).valid for v in values)
    assert len(set(values)) >= least
    assert values == ov.sample(vid, n, seed=seed)


def found_in_sentence(vid, text, compact, written=None):
    """The finder reports the value once, valid, at the weakest confidence."""
    everything = ov.find(text, min_confidence="shape")
    found = [m for m in everything if m.id == vid]
    assert [m.compact for m in found] == [compact], [(m.id, m.text) for m in everything]
    assert found[0].valid
    if written is not None:
        assert found[0].text == written


def any_text_gives_a_result(vid, value):
    compact, formatted = ov.compact(vid, value), ov.format(vid, value)
    assert isinstance(compact, str) and isinstance(formatted, str)
    r = ov.validate(vid, value)
    if r.valid:
        assert r.compact == compact and ov.compact(vid, compact) == compact
        assert ov.validate(vid, formatted).compact == compact
    else:
        assert r.error.code in CODES and r.error.message


def bad_input_gives_a_result(vid, values, all_fail=True):
    for value in values:
        r = ov.validate(vid, value)
        assert r.valid is False or not all_fail, (vid, value[:20])
        if not r.valid:
            assert r.error.code in CODES and r.error.message, (vid, value[:20])
        assert isinstance(ov.compact(vid, value), str) and isinstance(ov.format(vid, value), str)


def reference_table_describes(name, ids):
    """`reference/<name>.tsv` has one row for each of `ids`: lengths as the
    record has them (or any, where the record has none), an issuer and a
    description."""
    text = (resources.files("orvane_vardik") / "reference" / f"{name}.tsv").read_text(encoding="utf-8")
    lines = text.splitlines()
    assert lines[0].split("\t") == ["id", "lengths", "issuer", "description"]
    rows = [line.split("\t") for line in lines[1:] if line.strip()]
    assert sorted(r[0] for r in rows) == sorted(ids)
    for vid, lengths, issuer, description in rows:
        record = sorted(ov.validator_metadata(vid).lengths)
        given = sorted(_reference._lengths(lengths)) if lengths else []
        assert given == record or (given and not record), vid
        assert issuer and description, vid
