"""The kinds that span others: GS1-128 element strings, CFI codes and VAT
numbers of any known country; and the EC number's check digit 1 for the
remainder 10. Published examples, every check, single-character changes,
generation, round trips, hostile input and the finder.
"""
import re
import string

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov
from orvane_vardik import _reference
from orvane_vardik import _native

from helpers import outcome
import kind_checks

KINDS = ["gs1_128", "cfi", "vat"]
LENGTH, FORMAT, CHECKSUM, COMPONENT = "INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT"
GS = "\x1d"


@pytest.mark.parametrize("vid", KINDS)
def test_served_by_the_package_only_with_complete_metadata(vid):
    assert vid in ov.validator_ids() and vid not in _native.validator_ids()
    m = ov.validator_metadata(vid)
    assert m.scope == "global" and m.country is None
    assert m.name and m.abbreviation and m.aliases and m.candidate_pattern
    assert m.source_url.startswith("https://") and len(m.examples) >= 2 and m.can_generate
    for example in m.examples:
        assert ov.validate(vid, example).valid, example


# ---- gs1_128 -----------------------------------------------------------------

GTIN_EXPIRY_LOT = "(01)09501101530003(17)140704(10)AB-123"

# GS1's examples in each written form: (input, compact).
GS1_WRITTEN = [
    ("(17)240229", "(17)240229"),  # a leap day
    ("(17)250200", "(17)250200"),  # day 00: the end of the month
    ("(7003)1407042359", "(7003)1407042359"),
    ("(7250)20000229", "(7250)20000229"),
    (GTIN_EXPIRY_LOT, GTIN_EXPIRY_LOT),
    ("(01) 09501101530003 (17) 140704 (10) AB-123", GTIN_EXPIRY_LOT),
    ("]C1" "0109501101530003" "17140704" "10AB-123", GTIN_EXPIRY_LOT),
    (GS + "010950110153000317140704" "10AB-123", GTIN_EXPIRY_LOT),  # FNC1 in first position
    ("0109501101530003" "10AB-123" + GS + "17140704", "(01)09501101530003(10)AB-123(17)140704"),
    ("(00)106141412345678908", "(00)106141412345678908"),
    ("00106141412345678908", "(00)106141412345678908"),
    # Net weight 1.5 kg (three decimals) and a best-before day 00: the end of the month.
    ("(01)10614141000415(3103)001500(15)251200", "(01)10614141000415(3103)001500(15)251200"),
    # A value may hold parentheses that do not enclose a known AI.
    ("(21)A(B)C(10)X1", "(21)A(B)C(10)X1"),
    ("(8006)106141410004150102", "(8006)106141410004150102"),  # ITIP: GTIN, piece 01 of 02
    ("(253)4012345000009ABC", "(253)4012345000009ABC"),  # GDTI with its serial component
    ("(4330)000156-", "(4330)000156-"),  # maximum temperature, negative
]


@pytest.mark.parametrize("value, compact", GS1_WRITTEN)
def test_gs1_128_written_forms(value, compact):
    assert outcome("gs1_128", value) == compact
    assert ov.compact("gs1_128", value) == compact
    assert ov.format("gs1_128", value) == compact
    assert ov.compact("gs1_128", compact) == compact


GS1_ERRORS = [
    ("", LENGTH, "GS1-128 must hold at least one element"),
    ("\x1d", LENGTH, "GS1-128 must hold at least one element"),  # FNC1 alone once passed as valid
    ("]C1\x1d\x1d", LENGTH, "GS1-128 must hold at least one element"),
    ("(23)123", COMPONENT, "GS1-128 contains an unknown Application Identifier"),
    ("2312345", COMPONENT, "GS1-128 contains an unknown Application Identifier"),
    ("(01)0950110153000", LENGTH, "GS1-128 element value has the wrong length for its Application Identifier"),
    ("(01)", LENGTH, "GS1-128 element value has the wrong length for its Application Identifier"),
    ("010950110153000", LENGTH, "GS1-128 element value has the wrong length for its Application Identifier"),
    ("(10)ABCDEFGHIJKLMNOPQRSTU", LENGTH,
     "GS1-128 element value has the wrong length for its Application Identifier"),
    ("(01)0950110153000X", FORMAT, "GS1-128 element value does not match its Application Identifier's format"),
    ("(10)AB~1", FORMAT, "GS1-128 element value does not match its Application Identifier's format"),
    ("(8010)ab12", FORMAT, "GS1-128 element value does not match its Application Identifier's format"),
    ("(1)23", FORMAT, "GS1-128 element must start with its Application Identifier in parentheses"),
    ("x(01)09501101530003", COMPONENT, "GS1-128 contains an unknown Application Identifier"),
    ("(01)09501101530004", CHECKSUM, "GS1-128 element check digit does not match"),
    ("(00)106141412345678909", CHECKSUM, "GS1-128 element check digit does not match"),
    ("(414)0614141000416", CHECKSUM, "GS1-128 element check digit does not match"),
    ("(17)141304", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(17)140732", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(7006)140700", COMPONENT, "GS1-128 element date is not a valid date"),  # day 00 only for AIs 11 to 17
    # Days the calendar lacks, hours and minutes past the clock, a harvest period's second date.
    ("(17)140230", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(17)230229", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(11)250931", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(7003)1407042460", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(7003)1407042400", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(7007)140701140732", COMPONENT, "GS1-128 element date is not a valid date"),
    ("(7250)19000229", COMPONENT, "GS1-128 element date is not a valid date"),  # 1900 was no leap year
    ("0109501101530003" "10AB" + GS, FORMAT, "GS1-128 must not end with a separator"),
]


@pytest.mark.parametrize("value, code, message", GS1_ERRORS)
def test_gs1_128_errors(value, code, message):
    assert outcome("gs1_128", value) == (code, message)


def test_gs1_128_sees_every_change_of_a_gtin_digit():
    prefix, gtin = "(01)", "09501101530003"
    for i in range(len(gtin)):
        for c in string.digits:
            if c != gtin[i]:
                assert not ov.validate("gs1_128", prefix + gtin[:i] + c + gtin[i + 1:]).valid


def test_gs1_128_variable_value_without_separator_runs_to_the_end():
    # Without FNC1 the lot takes everything after it: the date is part of it.
    assert outcome("gs1_128", "0109501101530003" "10AB-123" "17140704") == \
        "(01)09501101530003(10)AB-12317140704"


# ---- cfi ---------------------------------------------------------------------

CFI_ERRORS = [
    ("ESVUF", LENGTH, "CFI code must be 6 letters"),
    ("ESVUF1", FORMAT, "CFI code must contain only letters"),
    ("ZSVUFR", COMPONENT, "CFI code category is not one of the standard's"),
    ("EXVUFR", COMPONENT, "CFI code group is not one of its category's"),
    ("OFXXXX", COMPONENT, "CFI code group is not one of its category's"),
]


@pytest.mark.parametrize("value, code, message", CFI_ERRORS)
def test_cfi_errors(value, code, message):
    assert outcome("cfi", value) == (code, message)


@pytest.mark.parametrize("value, compact", [("esvufr", "ESVUFR"), ("ES-VUFR", "ESVUFR"), ("DBFTFB", "DBFTFB"),
                                            ("RWSTCA", "RWSTCA"), ("KRXXXX", "KRXXXX")])
def test_cfi_written_forms(value, compact):
    assert outcome("cfi", value) == compact


# ---- vat ---------------------------------------------------------------------

# (written, compact, the national kind that decides it, its national part).
VAT_ROUTES = [
    ("DE 136 695 976", "DE136695976", "de.vat", "136695976"),
    ("ATU13585627", "ATU13585627", "at.uid", "U13585627"),
    ("EL094259216", "EL094259216", "gr.vat", "094259216"),
    ("GR094259216", "GR094259216", "gr.vat", "094259216"),
    ("XI980780684", "XI980780684", "gb.vat", "980780684"),
    ("GB 980 7806 84", "GB980780684", "gb.vat", "980780684"),
    ("GBGD001", "GBGD001", "gb.vat", "GD001"),  # a government department
    ("CHE-107.787.577 MWST", "CHE107787577MWST", "ch.vat", "CHE107787577MWST"),
    ("CHE-107.787.577 TVA", "CHE107787577TVA", "ch.vat", "CHE107787577TVA"),
    ("CHE-107.787.577 IVA", "CHE107787577IVA", "ch.vat", "CHE107787577IVA"),
    ("CHE-107.787.577 TPV", "CHE107787577TPV", "ch.vat", "CHE107787577TPV"),
    ("NO 995 525 828 MVA", "NO995525828MVA", "no.mva", "995525828MVA"),
    ("fr40303265045", "FR40303265045", "fr.tva", "40303265045"),
    ("NL000099998B57", "NL000099998B57", "nl.vat", "000099998B57"),
    ("ESA78304516", "ESA78304516", "es.vat", "A78304516"),
    ("IE8D79739I", "IE8D79739I", "ie.vat", "8D79739I"),
    ("SE556188840401", "SE556188840401", "se.vat", "556188840401"),
    ("PL2234567895", "PL2234567895", "pl.nip", "2234567895"),
    ("IS00621", "IS00621", "is.vsk", "00621"),
    ("ALJ91402501L", "ALJ91402501L", "al.nipt", "J91402501L"),
    ("RS101134702", "RS101134702", "rs.pib", "101134702"),
    ("MK4002012527974", "MK4002012527974", "mk.edb", "4002012527974"),
]


@pytest.mark.parametrize("value, compact, national, part", VAT_ROUTES)
def test_vat_dispatches_to_the_national_kind(value, compact, national, part):
    assert outcome("vat", value) == compact
    assert ov.compact("vat", value) == compact
    assert ov.validate(national, part).valid
    # A wrong last character fails as the national kind says it does.
    broken = part[:-1] + ("0" if part[-1] != "0" else "1")
    if not ov.validate(national, broken).valid:
        assert outcome("vat", compact[:-1] + broken[-1]) == outcome(national, broken)


VAT_ERRORS = [
    ("DE1", LENGTH, "VAT number must be a country prefix and a national number"),
    ("1E136695976", FORMAT, "VAT number must start with a two-letter country prefix"),
    ("DE136\t695976", FORMAT, "VAT number must not contain blanks or control characters"),
    ("XX136695976", COMPONENT, "VAT number prefix is not a country the package knows"),
    ("US136695976", COMPONENT, "VAT number prefix is not a country the package knows"),
    ("NO995525828", None, None),  # Norway's number is a VAT number only with MVA
]


@pytest.mark.parametrize("value, code, message", VAT_ERRORS)
def test_vat_errors(value, code, message):
    r = ov.validate("vat", value)
    assert not r.valid
    if code:
        assert (r.error.code, r.error.message) == (code, message)


def test_vat_generator_covers_many_countries():
    prefixes = {ov.generate("vat")[:2] for _ in range(600)}
    assert {"DE", "FR", "NL", "CH", "NO", "GB", "XI", "EL"} <= prefixes


# ---- eu.ecnumber: remainder 10 ------------------------------------------------

@pytest.mark.parametrize("value", ["424-870-1", "4248701"])
def test_ecnumber_remainder_10_has_check_digit_1(value):
    # 4*1 + 2*2 + 4*3 + 8*4 + 7*5 + 0*6 = 87, remainder 10: ECHA writes 1.
    assert outcome("eu.ecnumber", value) == "4248701"
    assert ov.format("eu.ecnumber", value) == "424-870-1"
    assert not ov.validate("eu.ecnumber", "424-870-0").valid


# ---- all three ------------------------------------------------------------------

SUBSTITUTIONS = [
    # Category and group letters are checked, attributes are any letter.
    ("cfi", "ESVUFR", "0123456789", range(6)),
    ("vat", "DE136695976", string.digits, range(2, 11)),  # ISO 7064 MOD 11,10 sees every digit
    ("vat", "NO995525828MVA", string.digits, range(2, 11)),
]


@pytest.mark.parametrize("vid, example, alphabet, positions", SUBSTITUTIONS)
def test_every_single_character_change_fails(vid, example, alphabet, positions):
    kind_checks.every_change_fails(vid, example, alphabet, positions)


@pytest.mark.parametrize("vid", KINDS)
def test_generated_values_validate_and_are_distinct(vid):
    kind_checks.generated_values_hold(vid, match_pattern=True)


HOSTILE = ["", " ", "\x00", "(01)09501101530003\x00", "\u0661\u0662\u0663", "ESVUFR\u0301", "(" * 100_000,
           "(01)" * 30_000, "9" * 100_000, "A" * 100_000, "\u200bDE136695976\u200b", GS * 10, "]C1"]


@pytest.mark.parametrize("vid", KINDS)
def test_bad_input_gives_a_result(vid):
    kind_checks.bad_input_gives_a_result(vid, HOSTILE, all_fail=False)


gs1ish = st.text(alphabet="0123456789()ABCab-/ \x1d]C", max_size=60)


@given(st.sampled_from(KINDS), st.one_of(gs1ish, st.text(max_size=40)))
def test_any_text_never_raises(vid, value):
    kind_checks.any_text_gives_a_result(vid, value)


SENTENCES = [
    ("gs1_128", "The GS1-128 label reads 010950110153000317140704 on the pallet.", "(01)09501101530003(17)140704"),
    ("gs1_128", "SSCC 00106141412345678908 was shipped.", "(00)106141412345678908"),
    ("cfi", "Its CFI code is ESVUFR.", "ESVUFR"),
    ("vat", "Our VAT number: DE136695976, payable in 30 days.", "DE136695976"),
    ("vat", "MWST: CHE-107.787.577 MWST", "CHE107787577MWST"),
]


@pytest.mark.parametrize("vid, text, compact", SENTENCES)
def test_the_finder_finds_the_value_in_a_sentence(vid, text, compact):
    kind_checks.found_in_sentence(vid, text, compact)


def test_reference_table_describes_every_kind():
    kind_checks.reference_table_describes("crosscut", KINDS)