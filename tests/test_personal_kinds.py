"""The personal, health and identity-document kinds (NPI, DEA, MBI, Medicare
card, NRIC/FIN, Taiwan national id, NHI, Polish and German identity
documents): published examples, the error of every check, single-character
changes, generation, round trips, hostile input and the finder.
"""
import re
import string

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov
from orvane_vardik import _native

from helpers import outcome
import kind_checks

KINDS = ["us.npi", "us.dea", "us.mbi", "au.medicare", "sg.nric", "tw.nid", "nz.nhi", "pl.idcard", "de.idcard"]
COUNTRY = {"us.npi": "US", "us.dea": "US", "us.mbi": "US", "au.medicare": "AU", "sg.nric": "SG",
           "tw.nid": "TW", "nz.nhi": "NZ", "pl.idcard": "PL", "de.idcard": "DE"}
LENGTH, FORMAT, CHECKSUM, COMPONENT = "INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT"


@pytest.mark.parametrize("vid", KINDS)
def test_served_by_the_package_only_with_complete_metadata(vid):
    assert vid in ov.validator_ids() and vid not in _native.validator_ids()
    m = ov.validator_metadata(vid)
    assert m.country == COUNTRY[vid]
    assert m.name and m.abbreviation and m.aliases and m.candidate_pattern
    assert m.source_url.startswith("https://") and len(m.examples) >= 2 and m.can_generate
    for example in m.examples:
        assert ov.validate(vid, example).valid, example


# Written forms: (id, input, compact, format).
WRITTEN = [
    ("us.npi", "1234567893", "1234567893", "1234567893"),
    ("us.npi", "80840 1234567893", "1234567893", "1234567893"),  # with the card issuer prefix
    ("us.dea", "ab 1234563", "AB1234563", "AB1234563"),
    ("us.dea", "A91234563", "A91234563", "A91234563"),  # 9 for a business name starting with a digit
    ("us.mbi", "1eg4-te5-mk73", "1EG4TE5MK73", "1EG4-TE5-MK73"),
    ("au.medicare", "2123 45670 1", "2123456701", "2123 45670 1"),
    ("au.medicare", "2123 45670 1/1", "21234567011", "2123 45670 1 1"),
    ("sg.nric", "s1234567d", "S1234567D", "S1234567D"),
    ("sg.nric", "M1234567K", "M1234567K", "M1234567K"),
    ("tw.nid", "a123456789", "A123456789", "A123456789"),
    ("nz.nhi", "zzz 0016", "ZZZ0016", "ZZZ0016"),
    ("nz.nhi", "ALU18KZ", "ALU18KZ", "ALU18KZ"),  # checksum remainder 0: the letter of value 24
    ("pl.idcard", "ZZC 003483", "ZZC003483", "ZZC 003483"),
    ("pl.idcard", "abs123456", "ABS123456", "ABS 123456"),
    ("de.idcard", "l01x00t471", "L01X00T471", "L01X00T471"),
    ("de.idcard", "T220001293", "T220001293", "T220001293"),
]


@pytest.mark.parametrize("vid, value, compact, formatted", WRITTEN)
def test_written_forms(vid, value, compact, formatted):
    assert outcome(vid, value) == compact
    assert ov.compact(vid, value) == compact
    assert ov.format(vid, value) == formatted
    assert ov.compact(vid, formatted) == compact
    assert ov.compact(vid, compact) == compact


# One row per check of every kind, in the kinds' order of checks.
ERRORS = [
    ("us.npi", "123456789", LENGTH, "NPI must be 10 digits"),
    ("us.npi", "123456789X", FORMAT, "NPI must contain only digits"),
    ("us.npi", "3234567893", COMPONENT, "NPI must start with 1 or 2"),
    ("us.npi", "1234567894", CHECKSUM, "NPI check digit does not match"),
    ("us.dea", "AB123456", LENGTH, "DEA number must be 9 characters"),
    ("us.dea", "A11234563", FORMAT, "DEA number must be two letters and seven digits"),
    ("us.dea", "AB123456X", FORMAT, "DEA number must be two letters and seven digits"),
    ("us.dea", "IB1234563", COMPONENT, "DEA number must start with a registrant type letter"),
    ("us.dea", "AB1234564", CHECKSUM, "DEA number check digit does not match"),
    ("us.mbi", "1EG4TE5MK7", LENGTH, "MBI must be 11 characters"),
    ("us.mbi", "0EG4TE5MK73", FORMAT,
     "MBI must follow the pattern C A AN N A AN N A A N N (letters other than S, L, O, I, B, Z)"),
    ("us.mbi", "1SG4TE5MK73", FORMAT,
     "MBI must follow the pattern C A AN N A AN N A A N N (letters other than S, L, O, I, B, Z)"),
    ("au.medicare", "212345670", LENGTH, "Medicare number must be 10 digits (11 with the reference number)"),
    ("au.medicare", "21234567010", COMPONENT, "Medicare individual reference number must be 1 to 9"),
    ("au.medicare", "212345670A", FORMAT, "Medicare number must contain only digits"),
    ("au.medicare", "7123456701", COMPONENT, "Medicare number must start with 2 to 6"),
    ("au.medicare", "2123456711", CHECKSUM, "Medicare number check digit does not match"),
    ("sg.nric", "S1234567", LENGTH, "NRIC/FIN must be 9 characters"),
    ("sg.nric", "S12345678", FORMAT, "NRIC/FIN must be a letter, seven digits and a check letter"),
    ("sg.nric", "A1234567D", COMPONENT, "NRIC/FIN must start with S, T, F, G or M"),
    ("sg.nric", "S1234567E", CHECKSUM, "NRIC/FIN check letter does not match"),
    ("sg.nric", "T1234567D", CHECKSUM, "NRIC/FIN check letter does not match"),  # T adds 4
    ("tw.nid", "A12345678", LENGTH, "Taiwan national ID must be 10 characters"),
    ("tw.nid", "1123456789", FORMAT, "Taiwan national ID must be a letter and nine digits"),
    ("tw.nid", "A323456789", COMPONENT, "Taiwan national ID second character must be 1, 2, 8 or 9"),
    ("tw.nid", "A123456788", CHECKSUM, "Taiwan national ID check digit does not match"),
    ("nz.nhi", "ZZZ001", LENGTH, "NHI number must be 7 characters"),
    ("nz.nhi", "ZZI0016", FORMAT,
     "NHI number must be three letters and four digits, or three letters, two digits and two letters (no I or O)"),
    ("nz.nhi", "ZZZ00A6", FORMAT,
     "NHI number must be three letters and four digits, or three letters, two digits and two letters (no I or O)"),
    ("nz.nhi", "ZZZ0017", CHECKSUM, "NHI number check character does not match"),
    ("nz.nhi", "ZZZ00AY", CHECKSUM, "NHI number check character does not match"),
    # Weights 7 to 2 on ZZZ001 leave remainder 0: no check digit is issued.
    ("nz.nhi", "ZZZ0010", CHECKSUM, "NHI number check character does not match"),
    ("pl.idcard", "ZZC00348", LENGTH, "Polish identity card number must be 9 characters"),
    ("pl.idcard", "ZZ1003483", FORMAT, "Polish identity card number must be three letters and six digits"),
    ("pl.idcard", "ZZC103483", CHECKSUM, "Polish identity card check digit does not match"),
    ("de.idcard", "L01X00T47", LENGTH, "German document number must be 10 characters"),
    ("de.idcard", "L01A00T471", FORMAT, "German document number must be nine digits or letters C, F to H, "
                                        "J to N, P, R, T, V to Z and a check digit"),
    ("de.idcard", "L01X00T47X", FORMAT, "German document number must be nine digits or letters C, F to H, "
                                        "J to N, P, R, T, V to Z and a check digit"),
    ("de.idcard", "L01X00T472", CHECKSUM, "German document number check digit does not match"),
]


@pytest.mark.parametrize("vid, value, code, message", ERRORS)
def test_errors(vid, value, code, message):
    assert outcome(vid, value) == (code, message)


def test_the_old_nhi_check_digit_10_is_written_0():
    # ZZZ002: weights 7..2 sum to 436, remainder 7 -> 4; look for a payload
    # whose remainder is 1 (check value 10, written 0) among the test range.
    payloads = [f"ZZZ{n:03d}" for n in range(1000)]
    tens = [p for p in payloads if (sum(w * v for w, v in zip(range(7, 1, -1), [24, 24, 24] + [int(c) for c in p[3:]])) % 11) == 1]
    assert tens
    for p in tens[:5]:
        assert ov.validate("nz.nhi", p + "0").valid
        assert not ov.validate("nz.nhi", p + "1").valid


# Single-character changes of an example: (id, example, the characters tried,
# the positions changed). Every change must fail. Where the check cannot
# see every change, the row says why.
SUBSTITUTIONS = [
    ("us.npi", "1234567893", string.digits, range(10)),
    # Digits 2, 4 and 6 are doubled: a change by 5 goes unseen there.
    ("us.dea", "AB1234563", string.digits, (2, 4, 6, 8)),
    ("au.medicare", "2123456701", string.digits, range(9)),  # the issue number carries no check
    ("sg.nric", "S1234567D", string.digits + string.ascii_uppercase, range(1, 9)),
    # Weights 8, 6, 5, 4 and 2 share a factor with 10.
    ("tw.nid", "A123456789", string.digits, (2, 6, 8, 9)),
    # Letters 11 apart in value leave the remainder: digits only.
    ("nz.nhi", "ZZZ0016", string.digits, range(3, 7)),
    # Modulo 24 only the weights 7 and 5 (and the check letter) see every change.
    ("nz.nhi", "ALU18KZ", "ABCDEFGHJKLMNPQRSTUVWXYZ", (0, 2, 6)),
    # Letters 10 apart in value leave the remainder: digits only.
    ("pl.idcard", "ZZC003483", string.digits, range(3, 9)),
    ("de.idcard", "L01X00T471", string.digits, (1, 2, 4, 5, 7, 8, 9)),
]


@pytest.mark.parametrize("vid, example, alphabet, positions", SUBSTITUTIONS)
def test_every_single_character_change_fails(vid, example, alphabet, positions):
    kind_checks.every_change_fails(vid, example, alphabet, positions)


def test_mbi_checks_its_shape_only():
    assert ov.validate("us.mbi", "1EG4TE5MK74").valid  # no check character
    assert ov.validate("us.mbi", "9AA0A00AA00").valid
    for broken in ["1EG4TE5MK7A", "1EG4TE5MKB3", "1EGATE5MK73", "AEG4TE5MK73"]:
        assert not ov.validate("us.mbi", broken).valid, broken


@pytest.mark.parametrize("vid", KINDS)
def test_generated_values_validate_and_are_distinct(vid):
    kind_checks.generated_values_hold(vid, match_pattern=True)


def test_generators_reach_every_form():
    assert {len(ov.generate("au.medicare")) for _ in range(200)} == {10, 11}
    assert {ov.generate("sg.nric")[0] for _ in range(300)} == set("STFGM")
    nhi = [ov.generate("nz.nhi") for _ in range(200)]
    assert any(v[-1].isdigit() for v in nhi) and any(v[-1].isalpha() for v in nhi)


HOSTILE = ["", " ", "\x00", "1234567893\x00", "\u0661\u0662\u0663", "S1234567D\u0301", "\ud7ff" * 5,
           "9" * 100_000, "A" * 100_000, "\u200bS1234567D\u200b"]


@pytest.mark.parametrize("vid", KINDS)
def test_bad_input_gives_a_result(vid):
    kind_checks.bad_input_gives_a_result(vid, HOSTILE, all_fail=False)


@given(st.sampled_from(KINDS), st.text(max_size=40))
def test_any_text_never_raises(vid, value):
    kind_checks.any_text_gives_a_result(vid, value)


# A value in a sentence, found at the weakest confidence.
SENTENCES = [
    ("us.npi", "The claim lists NPI 1234567893 as the rendering provider.", "1234567893"),
    ("us.dea", "Prescriber DEA number AB1234563, schedule II.", "AB1234563"),
    ("us.mbi", "Medicare Beneficiary Identifier: 1EG4-TE5-MK73.", "1EG4TE5MK73"),
    ("au.medicare", "Her Medicare card number is 2123 45670 1 today.", "2123456701"),
    ("sg.nric", "Applicant NRIC S1234567D submitted the form.", "S1234567D"),
    ("tw.nid", "身分證字號 A123456789 已登記", "A123456789"),
    ("nz.nhi", "Patient NHI ZZZ0016 was admitted.", "ZZZ0016"),
    ("pl.idcard", "Numer dowodu osobistego: ZZC 003483.", "ZZC003483"),
    ("de.idcard", "Personalausweisnummer L01X00T471 wurde geprüft.", "L01X00T471"),
]


@pytest.mark.parametrize("vid, text, compact", SENTENCES)
def test_the_finder_finds_the_value_in_a_sentence(vid, text, compact):
    kind_checks.found_in_sentence(vid, text, compact)


def test_reference_table_describes_every_kind():
    kind_checks.reference_table_describes("personal", KINDS)