"""Personal identifiers of the legacy set: check rules, birth-data parsing and
the rules that depend on today's date."""
from datetime import datetime, timedelta, timezone

import pytest

import orvane_vardik as ov

PERSONAL = ["be.nn", "cn.ric", "cz.rc", "dk.cpr", "ee.ik", "fi.hetu", "fr.nir", "it.codiceFiscale", "lt.asmens",
            "pl.pesel", "ro.cnp", "se.personnummer", "de.idnr", "es.nie", "gb.nhs", "gb.nino", "ie.pps", "pt.cc"]


@pytest.mark.parametrize("vid", PERSONAL)
def test_examples_and_generated_values_validate(vid):
    m = ov.validator_metadata(vid)
    for example in m.examples:
        assert ov.validate(vid, example).valid, example
    if m.can_generate:
        value = ov.generate(vid)
        assert ov.validate(vid, value).compact == value


@pytest.mark.parametrize(
    "vid,value",
    [
        ("cz.rc", "990101123"),  # nine digits, 1899
        ("cz.rc", "0421011239"),  # born 2004: month + 20
        ("cz.rc", "0471011233"),  # born 2004, female: month + 70
        ("cz.rc", "7153192740"),
        ("cn.ric", "110105491231002"),  # first-generation card
        ("fi.hetu", "131052Y308T"),
        ("fi.hetu", "010101A002S"),
        ("fr.nir", "180012A12345620"),  # Corsica
        ("it.codiceFiscale", "RSSMRA80A41H501Y"),
        ("lt.asmens", "99999999997"),  # a leading 9 carries no date
        ("pl.pesel", "02220803629"),
        ("pl.pesel", "82810100015"),
        ("ro.cnp", "6030615123458"),
        ("se.personnummer", "198803200016"),
        ("se.personnummer", "000229-1235"),  # 29 February 2000
        ("es.nie", "Y1234567X"),
        ("ie.pps", "1234567T"),
        ("ie.pps", "1234567TW"),
        ("ie.pps", "1234567FA"),
        ("gb.nino", "ab 12 34 56 c"),
        ("pt.cc", "000000000zz4"),
        ("de.idnr", "36 574 261 809"),
        ("de.idnr", "11234567890"),  # one digit twice
        ("de.idnr", "11123456786"),  # one digit three times
    ],
)
def test_valid(vid, value):
    res = ov.validate(vid, value)
    assert res.valid, res.error and res.error.code


@pytest.mark.parametrize(
    "vid,value,code",
    [
        ("be.nn", "00000000000", "INVALID_CHECKSUM"),
        ("be.nn", "93130000000", "INVALID_CHECKSUM"),  # month 13
        ("cz.rc", "7103192746", "INVALID_CHECKSUM"),
        ("cz.rc", "0321011230", "INVALID_CHECKSUM"),  # month + 20 only from 2004
        ("cz.rc", "7102302746", "INVALID_CHECKSUM"),  # 30 February
        ("cn.ric", "11010519491231002Y", "INVALID_CHECKSUM"),
        ("cn.ric", "11010519490231002X", "INVALID_CHECKSUM"),
        ("ee.ik", "96805280104", "INVALID_CHECKSUM"),  # no such century
        ("ee.ik", "36802300103", "INVALID_CHECKSUM"),  # 30 February
        ("fi.hetu", "131052G308T", "INVALID_CHECKSUM"),  # unknown century sign
        ("fi.hetu", "131052-001W", "INVALID_CHECKSUM"),  # serial below 2
        ("fr.nir", "295007823456705", "INVALID_CHECKSUM"),  # month 00
        ("fr.nir", "395117823456734", "INVALID_CHECKSUM"),
        ("lt.asmens", "33309240065", "INVALID_CHECKSUM"),
        ("pl.pesel", "02070803627", "INVALID_CHECKSUM"),
        ("pl.pesel", "02930803621", "INVALID_CHECKSUM"),  # month code 93
        ("ro.cnp", "1630615493451", "INVALID_CHECKSUM"),  # county 49
        ("ro.cnp", "0630615123455", "INVALID_CHECKSUM"),
        ("ro.cnp", "1630230123451", "INVALID_CHECKSUM"),  # 30 February
        ("se.personnummer", "000229+1235", "INVALID_CHECKSUM"),  # 29 February 1900
        ("se.personnummer", "880380-0013", "INVALID_CHECKSUM"),  # coordination numbers are not accepted
        ("de.idnr", "06574261803", "INVALID_CHECKSUM"),  # leading zero
        ("de.idnr", "11112345678", "INVALID_CHECKSUM"),  # a digit four times
        ("de.idnr", "11223456785", "INVALID_CHECKSUM"),  # two digits repeated
        ("es.nie", "X5253868T", "INVALID_CHECKSUM"),
        ("es.nie", "A5253868R", "INVALID_CHECKSUM"),
        ("gb.nhs", "4010232138", "INVALID_CHECKSUM"),
        ("gb.nhs", "1000000010", "INVALID_CHECKSUM"),  # remainder 1: no check digit exists
        ("gb.nino", "BG123456C", "INVALID_CHECKSUM"),
        ("gb.nino", "AO123456C", "INVALID_CHECKSUM"),
        ("gb.nino", "QA123456C", "INVALID_CHECKSUM"),
        ("ie.pps", "1234567TA", "INVALID_CHECKSUM"),
        ("pt.cc", "000000000ZZ8", "INVALID_CHECKSUM"),  # a doubled letter value loses nine, not its tens
        ("it.codiceFiscale", "RCCMNL83Z18D969S", "INVALID_CHECKSUM"),  # Z is no month letter
    ],
)
def test_invalid(vid, value, code):
    res = ov.validate(vid, value)
    assert not res.valid and res.error.code == code


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("cz.rc", "7103192745", (1971, 3, 19, "male")),
        ("cz.rc", "7153192740", (1971, 3, 19, "female")),
        ("cz.rc", "0471011233", (2004, 1, 1, "female")),
        ("cz.rc", "0421011239", (2004, 1, 1, "male")),
        ("cz.rc", "990101123", (1899, 1, 1, "male")),
        ("ee.ik", "36805280109", (1968, 5, 28, "male")),
        ("ee.ik", "46805280103", (1968, 5, 28, "female")),
        ("fi.hetu", "131052-308T", (1952, 10, 13, "female")),
        ("fi.hetu", "131052Y308T", (1952, 10, 13, "female")),
        ("fi.hetu", "010101A002S", (2001, 1, 1, "female")),
        ("fr.nir", "295117823456784", (1995, 11, 1, "female")),
        ("fr.nir", "180012A12345620", (1980, 1, 1, "male")),
        ("fr.nir", "180012a12345620", (1980, 1, 1, "male")),  # compaction keeps the lower-case department
        ("it.codiceFiscale", "RCCMNL83S18D969H", (1983, 11, 18, "male")),
        ("it.codiceFiscale", "RSSMRA80A41H501Y", (1980, 1, 1, "female")),
        ("pl.pesel", "02070803628", (1902, 7, 8, "female")),
        ("pl.pesel", "02220803629", (2002, 2, 8, "female")),
        ("pl.pesel", "82810100015", (1882, 1, 1, "male")),
        ("ro.cnp", "1630615123457", (1963, 6, 15, "male")),
        ("ro.cnp", "6030615123458", (2003, 6, 15, "female")),
        ("se.personnummer", "880320-0016", (1988, 3, 20, "male")),
        ("se.personnummer", "19880320-0016", (1988, 3, 20, "male")),
        ("cn.ric", "11010519491231002X", (1949, 12, 31, "female")),
        ("cn.ric", "110105491231002", (1949, 12, 31, "female")),
        ("dk.cpr", "2110625629", (1862, 10, 21, "male")),
        ("it.codiceFiscale", "00743110157", None),  # a company's number has no birth date
        ("cz.rc", "7103192746", None),
        ("pl.pesel", "", None),
    ],
)
def test_parse(vid, value, expected):
    p = ov.parse(vid, value)
    got = None if p is None else (p.birth_year, p.birth_month, p.birth_day, p.gender)
    assert got == expected


def _today():
    return datetime.now(timezone.utc).date()


def _be_nn_2000(yy):
    body = f"{yy:02d}0101001"
    return body + f"{97 - (2_000_000_000 + int(body)) % 97:02d}"


def test_belgian_2000_rule_applies_up_to_this_year():
    yy = _today().year % 100
    assert ov.validate("be.nn", _be_nn_2000(yy)).valid
    assert ov.be_nn_checksum(_be_nn_2000(yy)) == 2000
    if yy < 99:
        res = ov.validate("be.nn", _be_nn_2000(yy + 1))
        assert res.error.code == "INVALID_CHECKSUM"
        assert ov.be_nn_checksum(_be_nn_2000(yy + 1)) is None


def _cpr(day):
    yy = day.year % 100
    century_digit = "4" if yy < 37 else "5"  # births from 2000 on
    return f"{day.day:02d}{day.month:02d}{yy:02d}{century_digit}123"


def test_danish_birth_dates_may_not_lie_in_the_future():
    today = _today()
    assert ov.validate("dk.cpr", _cpr(today)).valid
    assert ov.validate("dk.cpr", _cpr(today - timedelta(days=1))).valid
    assert ov.validate("dk.cpr", _cpr(today + timedelta(days=1))).error.code == "INVALID_CHECKSUM"
    p = ov.parse("dk.cpr", _cpr(today))
    assert (p.birth_year, p.birth_month, p.birth_day) == (today.year, today.month, today.day)


@pytest.mark.parametrize("vid", ["be.nn", "cz.rc", "se.personnummer", "it.codiceFiscale", "fi.hetu", "pt.cc"])
@pytest.mark.parametrize("value", ["", "\x00" * 11, "é" * 11, "ſ" * 16, "1" * 1_000_000, "9" * 18 + "\u0301"])
def test_hostile_input_is_rejected_quietly(vid, value):
    assert not ov.validate(vid, value).valid
    assert ov.parse(vid, value) is None
    ov.format(vid, value)
