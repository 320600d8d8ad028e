"""Compact texts of the legacy set: what validate returns is clean (no white
space, no control character) and compacts to itself, whichever path the
input takes (checked where it stands, or compacted first)."""
import pytest

import orvane_vardik as ov


@pytest.mark.parametrize(
    "vid,value,compact",
    [
        # A zero-width character next to the white space at either end no
        # longer keeps it from being trimmed.
        ("at.tin", "591199013\t\u200b", "591199013"),
        ("at.tin", "\ufeff\n591199013", "591199013"),
        ("at.tin", "\u200b 59-119901/3 \u200b\t", "591199013"),
        ("de.idnr", "36574261809\u2028\ufeff", "36574261809"),
        # White space uncovered by the removed country prefix is trimmed.
        ("de.vat", "DE\t136695976", "136695976"),
        ("de.vat", "de\u200b\u3000136695976", "136695976"),
        ("at.uid", "AT\tU13585627", "U13585627"),
        ("be.vat", "BE\t776091951", "0776091951"),  # trimmed before the zero is prepended
        ("gr.vat", "EL\n94259216", "094259216"),
        ("nl.vat", "NL\t99998b57", "000099998B57"),
        # A sign dropped from the front of a Swedish number uncovers nothing.
        ("se.personnummer", "-\u2028880320-0016", "880320-0016"),
        # Plain input is checked in place and returned as it is.
        ("de.vat", "136695976", "136695976"),
        ("se.personnummer", "880320-0016", "880320-0016"),
        ("pl.nip", "2234567895", "2234567895"),
    ],
)
def test_valid_input_gives_a_clean_compact_text(vid, value, compact):
    r = ov.validate(vid, value)
    assert r.valid and r.compact == compact
    assert ov.compact(vid, value) == compact
    assert ov.compact(vid, compact) == compact


@pytest.mark.parametrize(
    "vid,value,code",
    [
        # White space inside the number is no separator: still a wrong length.
        ("de.vat", "136\t695976", "INVALID_LENGTH"),
        ("at.tin", "5911\t99013", "INVALID_LENGTH"),
        # A second copy of the prefix after white space does not count.
        ("de.vat", "DEDE\t136695976", "INVALID_LENGTH"),
    ],
)
def test_inner_white_space_still_fails(vid, value, code):
    r = ov.validate(vid, value)
    assert not r.valid and r.error.code == code


def test_swedish_dash_goes_only_into_plain_digits():
    assert ov.compact("se.personnummer", "880-320-0016") == "880320-0016"
    r = ov.validate("se.personnummer", "880-320-0016")
    assert r.valid and r.compact == "880320-0016"
    p = ov.parse("se.personnummer", "880-320-0016")
    assert (p.birth_year, p.birth_month, p.birth_day, p.gender) == (1988, 3, 20, "male")
    assert ov.compact("se.personnummer", "8803200016") == "880320-0016"
    assert ov.compact("se.personnummer", "1988-0320-0016") == "19880320-0016"


@pytest.mark.parametrize(
    "vid,value,compact",
    [
        # Kept as documented: a doubled prefix loses only its first copy in
        # compaction, the check drops the second.
        ("de.vat", "DEDE136695976", "DE136695976"),
        ("es.vat", "eses12345678z", "ES12345678Z"),
        # Separators spread so that compaction leaves ten plain digits: the
        # check reads them with the dash it would insert.
        ("se.personnummer", "88032-00016", "8803200016"),
    ],
)
def test_documented_successes_that_compact_further(vid, value, compact):
    r = ov.validate(vid, value)
    assert r.valid and r.compact == compact


def _typed_variants(value):
    """The same number as people type it: spaced, padded, lower-case."""
    return [value, f" {value} ", f"\t{value}\u200b", value.lower(), f"{value[:3]} {value[3:]}"]


@pytest.mark.parametrize("vid", sorted(i for i in ov.validator_ids() if i in {
    "at.tin", "be.nn", "cz.rc", "de.stnr", "fi.hetu", "fr.nir", "gb.vat", "ie.vat", "it.codiceFiscale",
    "nl.vat", "no.mva", "pt.cc", "ro.vat", "se.personnummer", "us.rtn",
}))
def test_in_place_and_compacting_paths_agree(vid):
    for example in ov.validator_metadata(vid).examples:
        for value in _typed_variants(example):
            r = ov.validate(vid, value)
            c = ov.compact(vid, value)
            if r.valid:
                assert r.compact == c
            again = ov.validate(vid, c)
            assert again.valid == r.valid
            assert (again.error and again.error.code) == (r.error and r.error.code)

