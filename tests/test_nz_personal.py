"""Personal identifiers of the additional set N-Z: checks in order with their
exact messages, and the birth data they carry."""
from datetime import datetime, timezone

import pytest

import orvane_vardik as ov

FORMAT, LENGTH = "INVALID_FORMAT", "INVALID_LENGTH"
CHECKSUM, COMPONENT = "INVALID_CHECKSUM", "INVALID_COMPONENT"


def luhn_complete(payload):
    """payload followed by its Luhn check digit (used to build dated numbers)."""
    for d in "0123456789":
        total = 0
        for i, ch in enumerate(reversed(payload + d)):
            x = int(ch) * (2 if i % 2 else 1)
            total += x - 9 if x > 9 else x
        if total % 10 == 0:
            return payload + d


@pytest.mark.parametrize("vid, value, compact", [
    ("sk.rc", "710319/2745", "7103192745"),
    ("sk.rc", "530101123", "530101123"),          # nine digits, 1953: the last year allowed
    ("sk.rc", "800101123", "800101123"),          # nine digits, yy 80 is 1880
    ("sk.rc", "9052011232", "9052011232"),        # month 52: a woman born in February 1990
    ("sk.rc", "1022011232", "1022011232"),        # month + 20, allowed from 2004
    ("sk.rc", "1072011237", "1072011237"),        # month + 70, allowed from 2004
    ("no.fodselsnummer", "151086 95088", "15108695088"),
    ("no.fodselsnummer", "55108695071", "55108695071"),  # D-number: day + 40
    ("no.fodselsnummer", "15468695062", "15468695062"),  # H-number: month + 40
    ("no.fodselsnummer", "01013960069", "01013960069"),  # individual number 600, yy 39: 2039
    ("si.emso", "0101006500006", "0101006500006"),
    ("za.idnr", "7503305044089", "7503305044089"),
    ("tr.tckimlik", "17291716060", "17291716060"),
    ("tr.tckimlik", "19090909018", "19090909018"),  # 7 x odd - even is negative (-29)
    ("pk.cnic", "35201-1234567-1", "3520112345671"),
    ("ph.philid", "0000-1111-2222", "000011112222"),
    ("ng.nin", "134 7890 0989", "13478900989"),
    ("nl.bsn", "111.222.333", "111222333"),
    ("nl.bsn", "11122233", None),                  # padded and then checked
    ("us.ssn", "536-90-4399", "536904399"),
    ("us.itin", "912-90-3456", "912903456"),
    ("us.itin", "912703456", "912703456"),
    ("us.itin", "912883456", "912883456"),
])
def test_valid(vid, value, compact):
    r = ov.validate(vid, value)
    if compact is None:
        assert not r.valid and r.error.message == "BSN check does not match"
        assert ov.compact(vid, value) == "011122233"
    else:
        assert r.valid and r.compact == compact, r.error and r.error.message


@pytest.mark.parametrize("vid, value, code, message", [
    ("sk.rc", "71031927", LENGTH, "Birth number must be 9 or 10 digits"),
    ("sk.rc", "71031927a5", FORMAT, "Birth number must contain only digits"),
    ("sk.rc", "540101123", COMPONENT, "9-digit birth numbers are pre-1954 only"),
    ("sk.rc", "9022011230", COMPONENT, "Birth number contains an invalid month"),  # + 20 only from 2004
    ("sk.rc", "502201123", COMPONENT, "Birth number contains an invalid month"),
    ("sk.rc", "7113192745", COMPONENT, "Birth number contains an invalid month"),
    ("sk.rc", "7103322745", COMPONENT, "Birth number contains an invalid day"),
    ("sk.rc", "7102302745", COMPONENT, "Birth number contains an invalid date"),
    ("sk.rc", "7103192746", CHECKSUM, "Birth number is not divisible by 11"),
    ("no.fodselsnummer", "1510869508", LENGTH, "Norwegian birth number must be 11 digits"),
    ("no.fodselsnummer", "1510869508x", FORMAT, "Norwegian birth number must contain only digits"),
    ("no.fodselsnummer", "15108695098", CHECKSUM, "Norwegian birth number check digit 1 mismatch"),
    ("no.fodselsnummer", "15108600208", CHECKSUM, "Norwegian birth number check digit 1 mismatch"),  # r = 1
    ("no.fodselsnummer", "15108695089", CHECKSUM, "Norwegian birth number check digit 2 mismatch"),
    ("no.fodselsnummer", "15104580014", COMPONENT,
     "Norwegian birth number has invalid individual/century combination"),
    ("no.fodselsnummer", "30028695086", COMPONENT, "Norwegian birth number contains an invalid date"),
    ("si.emso", "010100650000", LENGTH, "EMŠO must be exactly 13 digits"),
    ("si.emso", "010100650000x", FORMAT, "EMŠO must contain only digits"),
    ("si.emso", "3102006500006", COMPONENT, "EMŠO contains an invalid date"),
    ("si.emso", "0101006490006", COMPONENT, "EMSO register code must be between 50 and 59"),
    ("si.emso", "0101006500007", CHECKSUM, "EMŠO check digit does not match"),
    ("za.idnr", "750330504408", LENGTH, "SA ID must be exactly 13 digits"),
    ("za.idnr", "750330504408x", FORMAT, "SA ID must contain only digits"),
    ("za.idnr", "7502305044089", COMPONENT, "SA ID contains an invalid date of birth"),
    ("za.idnr", "7503305044289", COMPONENT, "SA ID citizenship digit must be 0 or 1"),
    ("za.idnr", "7503305044088", CHECKSUM, "SA ID Luhn check digit mismatch"),
    ("tr.tckimlik", "1729171606", LENGTH, "T.C. Kimlik number must be 11 digits"),
    ("tr.tckimlik", "1729171606a", FORMAT, "T.C. Kimlik number must contain only digits"),
    ("tr.tckimlik", "07291716060", COMPONENT, "T.C. Kimlik number cannot start with 0"),
    ("tr.tckimlik", "17291716070", CHECKSUM, "T.C. Kimlik number check digit mismatch"),
    ("tr.tckimlik", "17291716061", CHECKSUM, "T.C. Kimlik number check digit mismatch"),
    ("pk.cnic", "352011234567", LENGTH, "CNIC must be 13 digits"),
    ("pk.cnic", "352011234567x", FORMAT, "CNIC must contain only digits"),
    ("pk.cnic", "8520112345671", COMPONENT, "CNIC province code is invalid"),
    ("pk.cnic", "3520112345670", COMPONENT, "CNIC gender digit must not be 0"),
    ("ph.philid", "12345678901", LENGTH, "PhilID must be exactly 12 digits"),
    ("ph.philid", "12345678901a", FORMAT, "PhilID must contain only digits"),
    ("ng.nin", "1347890098", LENGTH, "Nigerian NIN must be 11 digits"),
    ("ng.nin", "1347890098a", FORMAT, "Nigerian NIN must contain only digits"),
    ("nl.bsn", "1112223334", LENGTH, "BSN must be exactly 9 digits"),
    ("nl.bsn", "11122233a", FORMAT, "BSN must contain only digits"),
    ("nl.bsn", "000000000", FORMAT, "BSN cannot be all zeros"),
    ("nl.bsn", "", FORMAT, "BSN cannot be all zeros"),       # pads to nine zeros
    ("nl.bsn", "000000004", CHECKSUM, "BSN check does not match"),  # sum -4: not divisible by 11
    ("nl.bsn", "000000005", CHECKSUM, "BSN check does not match"),
    ("nl.bsn", "111222334", CHECKSUM, "BSN check does not match"),
    ("us.ssn", "", FORMAT, "SSN must contain only digits"),
    ("us.ssn", "12345678a", FORMAT, "SSN must contain only digits"),  # digits before length
    ("us.ssn", "536/90/4399", FORMAT, "SSN must contain only digits"),
    ("us.ssn", "12345678", LENGTH, "SSN must be 9 digits"),
    ("us.ssn", "000123456", COMPONENT, "SSN area number is invalid"),
    ("us.ssn", "666123456", COMPONENT, "SSN area number is invalid"),
    ("us.ssn", "912903456", COMPONENT, "SSN area number is invalid"),
    ("us.ssn", "123004567", COMPONENT, "SSN group number cannot be 00"),
    ("us.ssn", "123450000", COMPONENT, "SSN serial number cannot be 0000"),
    ("us.ssn", "078051120", COMPONENT, "SSN is on the blacklist"),
    ("us.ssn", "219099999", COMPONENT, "SSN is on the blacklist"),
    ("us.itin", "", FORMAT, "ITIN must contain only digits"),
    ("us.itin", "91290345", LENGTH, "ITIN must be 9 digits"),
    ("us.itin", "812903456", COMPONENT, "ITIN area must start with 9"),
    ("us.itin", "912893456", COMPONENT, "ITIN group digits are not in the allowed range (70-99 excl. 89, 93)"),
    ("us.itin", "912933456", COMPONENT, "ITIN group digits are not in the allowed range (70-99 excl. 89, 93)"),
    ("us.itin", "912693456", COMPONENT, "ITIN group digits are not in the allowed range (70-99 excl. 89, 93)"),
    # Lengths count characters: nine Arabic-Indic digits have nine characters.
    ("nl.bsn", "١١١٢٢٢٣٣٣", FORMAT, "BSN must contain only digits"),
    ("za.idnr", "７５０３３０５０４４０８９", FORMAT, "SA ID must contain only digits"),
    ("pk.cnic", "352011234567\u0301", FORMAT, "CNIC must contain only digits"),
])
def test_invalid(vid, value, code, message):
    r = ov.validate(vid, value)
    assert not r.valid and (r.error.code, r.error.message) == (code, message)
    assert ov.parse(vid, value) is None


@pytest.mark.parametrize("vid, value, birth, gender", [
    ("no.fodselsnummer", "15108695088", (1986, 10, 15), "female"),
    ("no.fodselsnummer", "15108695169", (1986, 10, 15), "male"),
    ("no.fodselsnummer", "55108695071", (1986, 10, 15), "female"),
    ("no.fodselsnummer", "15468695062", (1986, 6, 15), "female"),
    ("no.fodselsnummer", "01013960069", (2039, 1, 1), "female"),
    ("no.fodselsnummer", "01014090017", (1940, 1, 1), "female"),   # individual number 900, yy 40
    ("si.emso", "0101006500006", (2006, 1, 1), "male"),
    ("si.emso", "0101006505008", (2006, 1, 1), "female"),
    ("si.emso", "1503987500129", (1987, 3, 15), "male"),
    ("za.idnr", "7503305044089", (1975, 3, 30), "male"),
    ("za.idnr", "8001015009087", (1980, 1, 1), "male"),
    ("za.idnr", "7503304044080", (1975, 3, 30), "female"),
    ("sk.rc", "7103192745", (1971, 3, 19), "male"),
    ("sk.rc", "7153192740", (1971, 3, 19), "female"),
    ("sk.rc", "1022011232", (2010, 2, 1), "male"),
    ("sk.rc", "1072011237", (2010, 2, 1), "female"),
    ("sk.rc", "530101123", (1953, 1, 1), "male"),
])
def test_parse(vid, value, birth, gender):
    p = ov.parse(vid, value)
    assert (p.birth_year, p.birth_month, p.birth_day, p.gender) == (*birth, gender)


def test_za_idnr_century_follows_this_year():
    year = datetime.now(timezone.utc).year
    this_century = luhn_complete(f"{year % 100:02d}0101500908")
    last_century = luhn_complete(f"{(year + 1) % 100:02d}0101500908")
    assert ov.parse("za.idnr", this_century).birth_year == year
    assert ov.parse("za.idnr", last_century).birth_year == year + 1 - 100
