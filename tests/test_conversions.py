"""Conversions between related kinds: ISBN-10 and ISBN-13, EAN to GTIN-14,
CUSIP to ISIN."""
import pytest

import orvane_vardik as ov
from orvane_vardik import cusip_to_isin, ean_to_gtin14, to_isbn10, to_isbn13

CONVERSIONS = [
    (to_isbn13, "0-306-40615-2", "9780306406157"),
    (to_isbn13, "080442957x", "9780804429573"),  # the X check value becomes a digit
    (to_isbn13, "978-92-95055-02-5", "9789295055025"),  # already an ISBN-13
    (to_isbn13, "979-10-90636-07-1", "9791090636071"),
    (to_isbn10, "978-0-306-40615-7", "0306406152"),
    (to_isbn10, "9780804429573", "080442957X"),
    (to_isbn10, "0-306-40615-2", "0306406152"),  # already an ISBN-10
    (ean_to_gtin14, "4006381333931", "04006381333931"),
    (ean_to_gtin14, "73513537", "00000073513537"),
    (ean_to_gtin14, "0 36000 29145 2", "00036000291452"),
    (ean_to_gtin14, "10614141000415", "10614141000415"),
    (cusip_to_isin, "037833100", "US0378331005"),  # Apple: the ISIN of the ISIN standard's examples
    (cusip_to_isin, "38259p508", "US38259P5089"),
]


@pytest.mark.parametrize("convert, value, expected", CONVERSIONS)
def test_conversions(convert, value, expected):
    assert convert(value) == expected


def test_cusip_to_isin_with_another_country():
    isin = cusip_to_isin("037833100", country="ca")
    assert isin.startswith("CA037833100") and ov.validate("isin", isin).valid


@pytest.mark.parametrize("vid, convert", [("isbn", to_isbn13), ("isbn", to_isbn10), ("ean", ean_to_gtin14),
                                          ("cusip", cusip_to_isin)])
def test_results_of_generated_values_are_valid(vid, convert):
    target = {to_isbn13: "isbn", to_isbn10: "isbn", ean_to_gtin14: "ean", cusip_to_isin: "isin"}[convert]
    for _ in range(300):
        value = ov.generate(vid)
        if convert is to_isbn10 and value.startswith("979"):
            continue
        if convert is cusip_to_isin and any(c in value for c in "*@#"):
            continue
        assert ov.validate(target, convert(value)).valid, value


def test_isbn_round_trip():
    for _ in range(300):
        value = ov.generate("isbn")
        if len(value) == 10:
            assert to_isbn10(to_isbn13(value)) == value


ERRORS = [
    (to_isbn13, ("0306406153",), "not a valid ISBN: ISBN check digit does not match"),
    (to_isbn10, ("9791090636071",), "has no ISBN-10: only ISBN-13s with the prefix 978 have one"),
    (to_isbn10, ("",), "not a valid ISBN: ISBN must be 10 or 13 characters"),
    (ean_to_gtin14, ("4006381333932",), "not a valid EAN: EAN check digit does not match"),
    (cusip_to_isin, ("037833101",), "not a valid CUSIP: CUSIP check digit does not match"),
    (cusip_to_isin, ("037833100", "U"), "country must be a two-letter country code"),
    (cusip_to_isin, ("037833100", "U1"), "country must be a two-letter country code"),
    (cusip_to_isin, ("037833100", "ÜS"), "country must be a two-letter country code"),
]


@pytest.mark.parametrize("convert, args, message", ERRORS)
def test_invalid_input_raises_value_error_naming_the_problem(convert, args, message):
    with pytest.raises(ValueError, match=message):
        convert(*args)


def test_cusip_with_a_private_placement_character_has_no_isin():
    cusip = next(v for v in (ov.generate("cusip") for _ in range(10000)) if "#" in v or "*" in v or "@" in v)
    with pytest.raises(ValueError, match="which an ISIN cannot hold"):
        cusip_to_isin(cusip)


@pytest.mark.parametrize("convert", [to_isbn13, to_isbn10, ean_to_gtin14, cusip_to_isin])
def test_non_text_raises_type_error(convert):
    with pytest.raises(TypeError):
        convert(9780306406157)
