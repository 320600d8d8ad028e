"""Properties that hold for every registered validator, whatever the input.

The validator list is read from the registry at run time, so validators
added later are covered without editing this file.
"""
from hypothesis import given, strategies as st

import orvane_vardik as ov

IDS = ov.validator_ids()
METAS = {m.id: m for m in ov.validators()}

# Text biased towards what identifiers look like, plus arbitrary Unicode
# (including NUL, combining marks and astral characters; never surrogates,
# which are not encodable and are tested separately).
identifierish = st.text(alphabet="0123456789ABCDEFabcdefxX -./:,()\u00a0\u2013\uff11", max_size=40)
any_text = st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=60)
texts = st.one_of(identifierish, any_text)


def check_result(r):
    assert type(r) is ov.ValidationResult
    if r.valid:
        assert isinstance(r.compact, str) and r.error is None
    else:
        assert r.compact is None
        assert r.error.code in ("INVALID_FORMAT", "INVALID_LENGTH", "INVALID_CHECKSUM", "INVALID_COMPONENT")
        assert isinstance(r.error.message, str) and r.error.message


@given(st.sampled_from(IDS), texts)
def test_no_operation_raises_and_types_are_right(vid, value):
    assert isinstance(ov.compact(vid, value), str)
    assert isinstance(ov.format(vid, value), str)
    check_result(ov.validate(vid, value))
    parsed = ov.parse(vid, value)
    assert parsed is None or type(parsed) is ov.ParsedIdentifier
    assert isinstance(ov.validate_id(vid, value), bool)
    assert isinstance(ov.validate_id(vid, value, "digits-only"), bool)
    assert isinstance(ov.validate_id(vid, value, "crypto-wallet-candidate"), bool)


@given(st.sampled_from(IDS), texts)
def test_valid_compact_form_is_stable(vid, value):
    r = ov.validate(vid, value)
    if r.valid:
        again = ov.validate(vid, r.compact)
        assert again.valid and again.compact == r.compact


@given(st.sampled_from(IDS), st.lists(texts, max_size=5))
def test_validate_many_matches_validate(vid, values):
    many = ov.validate_many(vid, values)
    assert len(many) == len(values)
    for value, r in zip(values, many):
        single = ov.validate(vid, value)
        assert r.valid == single.valid
        if single.valid:
            # A precheck may accept already-compact input as it stands.
            assert r.compact in (single.compact, value)


def test_generate_gives_valid_values_for_every_validator():
    for vid in IDS:
        for _ in range(10):
            g = ov.generate(vid)
            if not METAS[vid].can_generate:
                assert g is None
                break
            assert isinstance(g, str)
            assert ov.validate(vid, g).valid, (vid, g)
