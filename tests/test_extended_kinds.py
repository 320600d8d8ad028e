"""The extended kinds (ISBN, EAN, VIN, ...): published examples, the error
of every check, single-character changes, generation, round trips and
hostile input, through the package-level functions.

The extended ids are read from the registry at run time (every id the
package serves that the documented module does not).
"""
import string

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov
from orvane_vardik import _native

from helpers import outcome

EXTENDED = sorted(set(ov.validator_ids()) - set(_native.validator_ids()))

KINDS = sorted([
    "isbn", "issn", "ismn", "isni", "isan", "isrc", "isil", "grid", "orcid",
    "ean", "iso6346", "iso11649", "imo",
    "imei", "meid", "imsi", "mac",
    "cusip", "figi", "casrn", "eu.ecnumber",
    "vin",
])


def test_the_extended_set_is_the_documented_list_of_kinds():
    # The sets gathered beyond these (Europe, ...) are checked in their own files.
    assert set(KINDS) <= set(EXTENDED)


@pytest.mark.parametrize("vid", KINDS)
def test_the_documented_module_does_not_know_extended_ids(vid):
    with pytest.raises(KeyError):
        _native.validate(vid, "9780306406157")
    assert vid not in _native.validator_ids()


@pytest.mark.parametrize("vid", KINDS)
def test_metadata_is_complete(vid):
    m = ov.validator_metadata(vid)
    assert m.scope == "global" and m.country is None
    assert m.name and m.local_name == m.name and m.abbreviation and m.aliases
    assert m.candidate_pattern and m.source_url.startswith("https://")
    assert len(m.examples) >= 2 and m.can_generate and not m.can_parse


@pytest.mark.parametrize("vid", KINDS)
def test_examples_validate(vid):
    for example in ov.validator_metadata(vid).examples:
        assert ov.validate(vid, example).valid, example


# Written forms as people meet them: (id, input, compact, format).
WRITTEN = [
    ("isbn", "978-92-95055-02-5", "9789295055025", "9789295055025"),  # no hyphen is fixed without range data
    ("isbn", "0-8044-2957-x", "080442957X", "080442957X"),
    ("isbn", "ISBN 978-0-306-40615-7", "9780306406157", "9780306406157"),  # the standard's own way of writing it
    ("issn", "ISSN 0317-8471", "03178471", "0317-8471"),
    ("ismn", "ISMN M-2306-7118-7", "M230671187", "M230671187"),
    ("isni", "ISNI 0000 0001 2103 2683", "0000000121032683", "0000 0001 2103 2683"),
    ("isan", "ISAN 0000-0000-3A8D-0000-Z", "000000003A8D0000Z", "0000-0000-3A8D-0000-Z"),
    ("issn", "0317-8471", "03178471", "0317-8471"),
    ("issn", "1050-124x", "1050124X", "1050-124X"),
    ("ismn", "979-0-2306-7118-7", "9790230671187", "9790230671187"),
    ("ismn", "M-2306-7118-7", "M230671187", "M230671187"),
    ("isni", "0000 0001 2103 2683", "0000000121032683", "0000 0001 2103 2683"),
    ("orcid", "0000-0002-1694-233x", "000000021694233X", "0000-0002-1694-233X"),
    ("isan", "0000-0000-D07A-0090-Q-0000-0000-X", "00000000D07A0090Q00000000X",
     "0000-0000-D07A-0090-Q-0000-0000-X"),
    ("isan", "0000-0000-3a8d-0000-z", "000000003A8D0000Z", "0000-0000-3A8D-0000-Z"),
    ("isrc", "FR-Z03-98-00212", "FRZ039800212", "FR-Z03-98-00212"),
    ("isil", " DK-710100 ", "DK-710100", "DK-710100"),
    ("isil", "us-DLC", "us-DLC", "us-DLC"),  # ISIL letters keep their case
    ("grid", "A1-2425G-ABC1234002-M", "A12425GABC1234002M", "A1-2425G-ABC1234002-M"),
    ("ean", "4 006381 333931", "4006381333931", "4006381333931"),
    ("ean", "0 36000 29145 2", "036000291452", "036000291452"),
    ("iso6346", "CSQU 305438 3", "CSQU3054383", "CSQU 305438 3"),
    ("iso11649", "rf18 5390 0754 7034", "RF18539007547034", "RF18 5390 0754 7034"),
    ("imo", "IMO 9074729", "9074729", "IMO 9074729"),
    ("imo", "imo9176187", "9176187", "IMO 9176187"),
    ("imei", "49-015420-323751-8", "490154203237518", "49015420-323751-8"),
    ("imei", "35209900-176148-23", "3520990017614823", "35209900-176148-23"),
    ("meid", "AF 01 23 45 0A BC DE", "AF0123450ABCDE", "AF0123450ABCDE"),
    # The range 99 is shared with IMEIs (multi-mode handsets carry both);
    # its check digit is the decimal Luhn digit, its decimal form begins 2566.
    ("meid", "99 000012 345678", "99000012345678", "99000012345678"),
    ("meid", "990000123456784", "990000123456784", "990000123456784"),
    ("meid", "2566914066 03430008", "256691406603430008", "256691406603430008"),
    ("imsi", "234 15 0999999999", "234150999999999", "234150999999999"),
    ("mac", "ac:de:48:23:45:67", "ACDE48234567", "AC-DE-48-23-45-67"),
    ("mac", "acde.4823.4567", "ACDE48234567", "AC-DE-48-23-45-67"),
    ("cusip", "03783 310 0", "037833100", "037833100"),
    ("figi", "bbg000blnnh6", "BBG000BLNNH6", "BBG000BLNNH6"),
    ("casrn", "7732-18-5", "7732185", "7732-18-5"),
    ("casrn", "64-17-5", "64175", "64-17-5"),
    ("eu.ecnumber", "231-791-2", "2317912", "231-791-2"),
    ("vin", "1m8gdm9axkp042788", "1M8GDM9AXKP042788", "1M8GDM9AXKP042788"),
    ("vin", "WVW ZZZ 1JZ XW 000001", "WVWZZZ1JZXW000001", "WVWZZZ1JZXW000001"),
]


@pytest.mark.parametrize("vid, value, compact, formatted", WRITTEN)
def test_written_forms(vid, value, compact, formatted):
    assert outcome(vid, value) == compact
    assert ov.compact(vid, value) == compact
    assert ov.format(vid, value) == formatted
    assert ov.compact(vid, formatted) == compact


LENGTH, FORMAT, CHECKSUM, COMPONENT = "INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT"

# One row per check of every kind, in the kinds' order of checks.
ERRORS = [
    ("isbn", "", LENGTH, "ISBN must be 10 or 13 characters"),
    ("isbn", "97803064061", LENGTH, "ISBN must be 10 or 13 characters"),
    ("isbn", "X306406152", FORMAT, "ISBN-10 must be nine digits and a check digit or X"),
    ("isbn", "030640615Y", FORMAT, "ISBN-10 must be nine digits and a check digit or X"),
    ("isbn", "978030640615X", FORMAT, "ISBN-13 must contain only digits"),
    ("isbn", "9770306406157", COMPONENT, "ISBN-13 must start with 978 or 979 (979-0 is for music)"),
    ("isbn", "9790230671187", COMPONENT, "ISBN-13 must start with 978 or 979 (979-0 is for music)"),  # an ISMN
    ("isbn", "0306406153", CHECKSUM, "ISBN check digit does not match"),
    ("isbn", "9780306406158", CHECKSUM, "ISBN check digit does not match"),
    ("isbn", "ISBN-13 9780306406157", LENGTH, "ISBN must be 10 or 13 characters"),  # only the bare word is dropped
    ("issn", "0317847", LENGTH, "ISSN must be 8 characters"),
    ("issn", "X3178471", FORMAT, "ISSN must be seven digits and a check digit or X"),
    ("issn", "03178472", CHECKSUM, "ISSN check digit does not match"),
    ("ismn", "979023067118", LENGTH, "ISMN must be 13 digits (or M and 9 digits)"),
    ("ismn", "N230671187", FORMAT, "ISMN-10 must be the letter M and nine digits"),
    ("ismn", "979023067118A", FORMAT, "ISMN must contain only digits"),
    ("ismn", "9780306406157", COMPONENT, "ISMN must start with 979-0"),
    ("ismn", "M230671188", CHECKSUM, "ISMN check digit does not match"),
    ("ismn", "9790230671188", CHECKSUM, "ISMN check digit does not match"),
    ("isni", "000000012103268", LENGTH, "ISNI must be 16 characters"),
    ("isni", "X000000121032683", FORMAT, "ISNI must be fifteen digits and a check digit or X"),
    ("isni", "0000000121032684", CHECKSUM, "ISNI check character does not match"),
    ("orcid", "0000-0002-1825-009", LENGTH, "ORCID iD must be 16 characters"),
    ("orcid", "0000-0002-1825-009Y", FORMAT, "ORCID iD must be fifteen digits and a check digit or X"),
    ("orcid", "0000-0002-1825-0098", CHECKSUM, "ORCID iD check character does not match"),
    ("isan", "00000000D07A0090", LENGTH, "ISAN must be 17 or 26 characters with its check characters"),
    ("isan", "00000000G07A0090Q", FORMAT, "ISAN must be hexadecimal digits and check characters"),
    ("isan", "00000000D07A0090*", FORMAT, "ISAN must be hexadecimal digits and check characters"),
    ("isan", "00000000D07A0090R", CHECKSUM, "ISAN check character does not match"),
    ("isan", "00000000D07A0090Q00000000Y", CHECKSUM, "ISAN version check character does not match"),
    ("isrc", "FRZ03980021", LENGTH, "ISRC must be 12 characters"),
    ("isrc", "F1Z039800212", FORMAT, "ISRC must be two letters, three letters or digits, and seven digits"),
    ("isrc", "FRZ03980021A", FORMAT, "ISRC must be two letters, three letters or digits, and seven digits"),
    ("isil", "D-", LENGTH, "ISIL must be 3 to 16 characters"),
    ("isil", "DK-7101001234567890", LENGTH, "ISIL must be 3 to 16 characters"),
    ("isil", "DK710100", FORMAT,
     "ISIL must be a prefix of 1 to 4 letters or digits, a hyphen and a local identifier"),
    ("isil", "ABCDE-1", FORMAT,
     "ISIL must be a prefix of 1 to 4 letters or digits, a hyphen and a local identifier"),
    ("isil", "DK-", FORMAT,
     "ISIL must be a prefix of 1 to 4 letters or digits, a hyphen and a local identifier"),
    ("isil", "DK-71 0100", FORMAT, "ISIL may contain only letters, digits, '-', '/' and ':'"),
    ("grid", "A12425GABC1234002", LENGTH, "GRid must be 18 characters"),
    ("grid", "A1-2425G-ABC12340.2-M", FORMAT, "GRid must contain only letters and digits"),
    ("grid", "B12425GABC1234002M", COMPONENT, "GRid must start with the scheme A1"),
    ("grid", "A12425GABC1234002N", CHECKSUM, "GRid check character does not match"),
    ("ean", "4006381333", LENGTH, "EAN must be 8, 12, 13 or 14 digits"),
    ("ean", "400638133393A", FORMAT, "EAN must contain only digits"),
    ("ean", "4006381333932", CHECKSUM, "EAN check digit does not match"),
    ("iso6346", "CSQU305438", LENGTH, "Container number must be 11 characters"),
    ("iso6346", "CSQ13054383", FORMAT, "Container number must be four letters and seven digits"),
    ("iso6346", "CSQX3054383", COMPONENT, "Container category identifier must be U, J or Z"),
    ("iso6346", "CSQU3054384", CHECKSUM, "Container check digit does not match"),
    ("iso11649", "RF18", LENGTH, "Creditor reference must be 5 to 25 characters"),
    ("iso11649", "RF1800000000053900754703412", LENGTH, "Creditor reference must be 5 to 25 characters"),
    ("iso11649", "RX18539007547034", FORMAT,
     "Creditor reference must be RF, two check digits and letters or digits"),
    ("iso11649", "RF1A539007547034", FORMAT,
     "Creditor reference must be RF, two check digits and letters or digits"),
    ("iso11649", "RF19539007547034", CHECKSUM, "Creditor reference check digits do not match"),
    # 97 and 00 leave the same remainder; the computed check digits are 02..98.
    ("iso11649", "RF97539007547034", CHECKSUM, "Creditor reference check digits do not match"),
    ("imo", "IMO 907472", LENGTH, "IMO number must be 7 digits"),
    ("imo", "907472A", FORMAT, "IMO number must contain only digits"),
    ("imo", "IMO 9074728", CHECKSUM, "IMO number check digit does not match"),
    ("imei", "49015420323751", LENGTH, "IMEI must be 15 digits (IMEISV 16)"),
    ("imei", "49015420323751A", FORMAT, "IMEI must contain only digits"),
    ("imei", "3520990017614899", COMPONENT, "IMEISV software version 99 is reserved"),
    ("imei", "490154203237519", CHECKSUM, "IMEI check digit does not match"),
    ("meid", "AF0123450ABC", LENGTH, "MEID must be 14 or 15 hexadecimal digits or 18 decimal digits"),
    ("meid", "AF0123450ABCDG", FORMAT, "MEID must contain only hexadecimal digits"),
    ("meid", "29360873650070371A", FORMAT, "Decimal MEID must contain only digits"),
    ("meid", "9F0123450ABCDE", COMPONENT, "MEID regional code must be A0 to FF (or 99 with decimal digits)"),
    ("meid", "199999999900703710", COMPONENT, "MEID regional code must be A0 to FF (or 99 with decimal digits)"),
    ("meid", "429496729600703710", COMPONENT, "MEID regional code must be A0 to FF (or 99 with decimal digits)"),  # 2^32
    ("meid", "293608736516777216", COMPONENT, "Decimal MEID serial number is out of range"),  # 2^24
    ("meid", "AF0123450ABCDED", CHECKSUM, "MEID check digit does not match"),
    ("meid", "99000012345A78", COMPONENT, "MEID regional code must be A0 to FF (or 99 with decimal digits)"),
    ("meid", "256691406603430010", COMPONENT, "MEID regional code must be A0 to FF (or 99 with decimal digits)"),  # 99000012 34561A
    ("meid", "990000123456785", CHECKSUM, "MEID check digit does not match"),
    ("imsi", "23415", LENGTH, "IMSI must be 6 to 15 digits"),
    ("imsi", "2341509999999999", LENGTH, "IMSI must be 6 to 15 digits"),
    ("imsi", "23415099999999A", FORMAT, "IMSI must contain only digits"),
    ("mac", "AC:DE:48:23:45", LENGTH, "MAC address must be 12 hexadecimal digits"),
    ("mac", "AC:DE:48:23:45:6G", FORMAT, "MAC address must contain only hexadecimal digits"),
    ("cusip", "03783310", LENGTH, "CUSIP must be 9 characters"),
    ("cusip", "03783310!0", LENGTH, "CUSIP must be 9 characters"),
    ("cusip", "0378331!0", FORMAT, "CUSIP must be eight letters, digits, '*', '@' or '#' and a check digit"),
    ("cusip", "03783310A", FORMAT, "CUSIP must be eight letters, digits, '*', '@' or '#' and a check digit"),
    ("cusip", "037833101", CHECKSUM, "CUSIP check digit does not match"),
    ("figi", "BBG000BLNNH", LENGTH, "FIGI must be 12 characters"),
    ("figi", "BAG000BLNNH6", FORMAT, "FIGI must be two consonants, G, eight consonants or digits and a check digit"),
    ("figi", "BBH000BLNNH6", FORMAT, "FIGI must be two consonants, G, eight consonants or digits and a check digit"),
    ("figi", "BBG000BLNEH6", FORMAT, "FIGI must be two consonants, G, eight consonants or digits and a check digit"),
    ("figi", "GBG000BLNNH6", COMPONENT, "FIGI must not start with BS, BM, GG, GB, GH, KY or VG"),
    ("figi", "BBG000BLNNH7", CHECKSUM, "FIGI check digit does not match"),
    ("casrn", "1-2", LENGTH, "CAS Registry Number must be 5 to 10 digits"),
    ("casrn", "12345678-90-1", LENGTH, "CAS Registry Number must be 5 to 10 digits"),
    ("casrn", "7732-1A-5", FORMAT, "CAS Registry Number must contain only digits"),
    ("casrn", "07732-18-5", FORMAT, "CAS Registry Number must not start with 0"),
    ("casrn", "7732-18-6", CHECKSUM, "CAS Registry Number check digit does not match"),
    ("eu.ecnumber", "200-001", LENGTH, "EC number must be 7 digits"),
    ("eu.ecnumber", "200-0O1-8", FORMAT, "EC number must contain only digits"),
    ("eu.ecnumber", "100-001-7", COMPONENT, "EC number must start with 2 to 9"),
    ("eu.ecnumber", "200-001-9", CHECKSUM, "EC number check digit does not match"),
    # 200-006-? would need the check value 10: such numbers are never issued.
    ("eu.ecnumber", "200-006-0", CHECKSUM, "EC number check digit does not match"),
    ("vin", "1M8GDM9AXKP04278", LENGTH, "VIN must be 17 characters"),
    ("vin", "1M8GDM9AXKP04278I", FORMAT,
     "VIN must contain only digits and capital letters other than I, O and Q"),
    ("vin", "1M8GDM9A1KP042788", CHECKSUM, "VIN check digit does not match"),
    ("vin", "5GZCZ43D13S812716", CHECKSUM, "VIN check digit does not match"),
]


@pytest.mark.parametrize("vid, value, code, message", ERRORS)
def test_errors(vid, value, code, message):
    assert outcome(vid, value) == (code, message)


# Outside North America (first character not 1-5) position 9 is free.
@pytest.mark.parametrize("value", ["WVWZZZ1JZXW000001", "WVWZZZ1JZAW000001", "JH4KA7561PC008269", "LSVAA49J132047371"])
def test_vin_check_digit_only_where_the_north_american_rule_applies(value):
    assert ov.validate("vin", value).valid


# Single-character changes of a published example: (id, example, the
# characters tried, the positions changed (None: all)). Every change must
# fail. Where the kind's check cannot see every change, the row says why.
SUBSTITUTIONS = [
    ("isbn", "9789295055025", string.digits, None),
    ("isbn", "080442957X", string.digits + "X", None),
    ("issn", "1050124X", string.digits + "X", None),
    ("ismn", "9790230671187", string.digits, None),
    ("ismn", "M230671187", string.digits, None),
    ("isni", "000000012281955X", string.digits + "X", None),
    ("orcid", "0000000218250097", string.digits + "X", None),
    ("isan", "00000000D07A0090Q00000000X", string.digits + string.ascii_uppercase, None),
    ("grid", "A12425GABC1234002M", string.digits + string.ascii_uppercase, None),
    ("ean", "73513537", string.digits, None),
    ("ean", "036000291452", string.digits, None),
    ("ean", "10614141000415", string.digits, None),
    # Owner-code letters whose values are 11 apart (A and K) give the same
    # remainder, which ISO 6346 accepts: letters are changed to digits only.
    ("iso6346", "CSQU3054383", string.digits, None),
    # A letter counts as two digits, so a letter in place of a digit may
    # leave the remainder unchanged (7 -> K does here): digits only.
    ("iso11649", "RF18539007547034", string.digits, None),
    # Weights 6, 5, 4 and 2 share a factor with 10, so the IMO check sees
    # every change only at the positions weighted 7 and 3 and at the check.
    ("imo", "9074729", string.digits, (0, 4, 6)),
    ("imei", "490154203237518", string.digits, None),
    ("meid", "AF0123450ABCDEC", string.digits + "ABCDEF", None),
    # Letters count as one decimal digit of their value (A as 1+0): only
    # digit-for-digit changes are certain to be seen.
    ("cusip", "037833100", string.digits, (0, 1, 2, 3, 4, 5, 6, 7, 8)),
    ("figi", "BBG000B9XRY4", string.digits, (3, 4, 5, 7, 11)),
    # Weighted 1, 2, 3, ... from the right modulo 10: only the weights 1, 3,
    # 7 and 9 (and the check digit) see every change.
    ("casrn", "7732185", string.digits, (3, 5, 6)),
    ("eu.ecnumber", "2317912", string.digits, None),
    # Letters share values with digits (A = J = 1), so only digits are tried;
    # the first character is left alone, as changing it may leave North
    # America, where position 9 is free.
    ("vin", "1M8GDM9AXKP042788", string.digits, (2, 6, 8, 11, 12, 13, 14, 15, 16)),
]


@pytest.mark.parametrize("vid, example, alphabet, positions", SUBSTITUTIONS)
def test_every_single_character_change_fails(vid, example, alphabet, positions):
    assert ov.validate(vid, example).valid
    for i in positions if positions is not None else range(len(example)):
        for c in alphabet:
            if c != example[i]:
                changed = example[:i] + c + example[i + 1:]
                assert not ov.validate(vid, changed).valid, changed


# Kinds that check the shape alone: a change within the shape still passes,
# one that breaks it fails.
SHAPES = [
    ("isrc", "FRZ039800212", "FRZ039800213", "FRZ0398002A2"),
    ("isil", "DK-710100", "DK-710101", "DK_710100"),
    ("imsi", "234150999999999", "234150999999998", "23415099999999A"),
    ("mac", "ACDE48234567", "ACDE48234568", "ACDE4823456G"),
    ("imei", "3520990017614823", "3520990017614824", "352099001761482A"),  # IMEISV: no check digit
    ("meid", "AF0123450ABCDE", "AF0123450ABCDF", "AF0123450ABCDX"),  # no check digit written
]


@pytest.mark.parametrize("vid, example, within, broken", SHAPES)
def test_shape_only_forms(vid, example, within, broken):
    assert ov.validate(vid, example).valid
    assert ov.validate(vid, within).valid
    assert not ov.validate(vid, broken).valid


@pytest.mark.parametrize("vid", KINDS)
def test_generated_values_validate_as_their_own_compact_form(vid):
    values = [ov.generate(vid) for _ in range(1000)]
    for value in values:
        r = ov.validate(vid, value)
        assert r.valid and r.compact == value, value
        assert ov.compact(vid, ov.format(vid, value)) == value
    assert len(set(values)) > 900  # drawn across the space, not a few fixed values


@pytest.mark.parametrize("vid", KINDS)
def test_candidate_pattern_covers_what_validates(vid):
    # Text is searched by the candidate pattern: a value that validates but
    # escapes it is never found. (The lengths are the usual ones only.)
    import re
    pattern = re.compile(ov.validator_metadata(vid).candidate_pattern)
    written = [c for v, _, c, _ in WRITTEN if v == vid]
    for value in [ov.compact(vid, ov.generate(vid)) for _ in range(300)] + written:
        assert pattern.fullmatch(value), value


# Generators reach every form of a kind with several.
FORMS = [
    ("isbn", {10, 13}),
    ("ismn", {10, 13}),
    ("isan", {17, 26}),
    ("ean", {8, 12, 13, 14}),
    ("imei", {15, 16}),
    ("meid", {14, 15, 18}),
]


@pytest.mark.parametrize("vid, lengths", FORMS)
def test_generators_reach_every_form(vid, lengths):
    assert {len(ov.generate(vid)) for _ in range(400)} == lengths


def test_vin_generator_reaches_both_regions():
    firsts = {ov.generate("vin")[0] for _ in range(400)}
    assert firsts & set("12345") and firsts - set("12345")


# Identifier-like text and arbitrary Unicode (never surrogates).
identifierish = st.text(alphabet="0123456789ABCDEFXMRIabcfx -./:\u00a0\u2013\uff11\u200b", max_size=40)
texts = st.one_of(identifierish, st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=60))


@given(st.sampled_from(KINDS), texts)
def test_hostile_input_never_raises(vid, value):
    compact = ov.compact(vid, value)
    assert isinstance(compact, str) and isinstance(ov.format(vid, value), str)
    r = ov.validate(vid, value)
    if r.valid:
        assert r.compact == compact
        assert ov.compact(vid, compact) == compact
        assert not any(ch.isspace() for ch in compact)
        assert ov.validate(vid, ov.format(vid, value)).compact == compact
    else:
        assert r.error.code in (LENGTH, FORMAT, CHECKSUM, COMPONENT) and r.error.message


@given(st.sampled_from(KINDS), st.binary(max_size=40))
def test_any_bytes_decoded_leniently_never_raise(vid, data):
    value = data.decode("utf-8", "replace") + data.decode("latin-1")
    ov.validate(vid, value)
    ov.format(vid, value)
