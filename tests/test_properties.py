"""Properties that hold for every registered validator, whatever the input.

The validator list is read from the registry at run time, so validators
added later are covered without editing this file.
"""
import unicodedata

import pytest
from hypothesis import given, settings, strategies as st

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


# ---- Compact texts of successes ----------------------------------------------

# Pieces people type around and inside a number: separators, white space
# (tabs, line breaks, no-break and ideographic spaces), zero-width characters.
NOISE = [" ", "-", ".", "/", ":", ",", "\t", "\n", "\r", "\u00a0", "\u3000", "\u2028",
         "\u200b", "\u200c", "\u200d", "\ufeff", "\u2013"]
# Ids whose success text holds single spaces by design.
SPACED = {"de.handelsreg", "pa.ruc", "fr.rcs"}


def _prefixes(vid):
    """Country prefixes a number may be typed with: the id's country code,
    plus the Greek EL."""
    code = vid.split(".")[0] if "." in vid else ""
    found = [code.upper(), code] if len(code) == 2 else []
    return found + (["EL", "el"] if vid in ("gr.vat", "eu.vat") else [])


@st.composite
def typed_examples(draw, vid):
    """A metadata example of `vid`, perhaps with a digit changed, a prefix in
    front, and noise at the ends and inside."""
    text = draw(st.sampled_from(ov.validator_metadata(vid).examples))
    if text and draw(st.booleans()):
        i = draw(st.integers(0, len(text) - 1))
        if text[i].isdigit():
            text = text[:i] + str(draw(st.integers(0, 9))) + text[i + 1:]
    noise = st.text(st.sampled_from(NOISE), max_size=3)
    for _ in range(draw(st.integers(0, 3))):
        # Right after the first two characters is where a prefix ends.
        i = draw(st.one_of(st.just(min(2, len(text))), st.integers(0, len(text))))
        text = text[:i] + draw(noise) + text[i:]
    prefixes = _prefixes(vid)
    if prefixes and draw(st.booleans()):
        text = draw(st.sampled_from(prefixes)) + draw(noise) + text
    return draw(noise) + text + draw(noise)


def _unclean(vid, text):
    """The characters of a success text that may not be there."""
    bad = [ch for ch in text if unicodedata.category(ch) in ("Cc", "Zs", "Zl", "Zp") or ch.isspace()]
    if vid in SPACED:
        bad = [ch for ch in bad if ch != " "]
        if "  " in text or text != text.strip(" "):
            bad.append(" ")
    return bad


def _check_success(vid, value):
    r = ov.validate(vid, value)
    if not r.valid:
        return
    assert not _unclean(vid, r.compact), (value, r.compact)
    if vid == "pa.ruc":  # its success text is rewritten, not compacted
        assert ov.validate(vid, r.compact).compact == r.compact, (value, r.compact)
    else:
        again = ov.compact(vid, r.compact)
        if again != r.compact and r.compact[:2].upper() in _prefixes(vid):
            # Documented: a prefix typed twice loses one copy in compaction
            # and the other in the check ("DEDE136695976" gives "DE136695976").
            assert ov.validate(vid, r.compact).valid, (value, r.compact)
        else:
            assert again == r.compact, (value, r.compact)


@pytest.mark.parametrize("vid", IDS)
def test_success_text_is_clean_and_compacts_to_itself(vid):
    # A third of the profile's examples per id keeps the 176 runs quick; the
    # sweep below covers every single insertion.
    @settings(max_examples=max(20, settings.default.max_examples // 3))
    @given(st.one_of(typed_examples(vid), typed_examples(vid), texts))
    def check(value):
        _check_success(vid, value)

    check()


@pytest.mark.parametrize("vid", IDS)
def test_success_text_is_clean_with_noise_anywhere(vid):
    # Each example, with and without a prefix, with one noise piece (or a
    # pair: a zero-width character shielding white space) at every position.
    pieces = NOISE + ["\t\u200b", "\u200b\t", "\ufeff\n", "--", "\u2028\ufeff"]
    for example in ov.validator_metadata(vid).examples:
        for start in [example] + [p + example for p in _prefixes(vid)[:1]]:
            for piece in pieces:
                for i in range(len(start) + 1):
                    _check_success(vid, start[:i] + piece + start[i:])
