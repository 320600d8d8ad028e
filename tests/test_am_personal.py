"""A-M personal identifiers with birth data: checks in their order, and parsing."""
from datetime import datetime, timezone

import pytest

import orvane_vardik as ov
from helpers import code_of

THIS_YEAR = datetime.now(timezone.utc).year


def birth(vid, value):
    p = ov.parse(vid, value)
    return None if p is None else (p.birth_year, p.birth_month, p.birth_day, p.gender)


def be_bis(yy, month_code):
    """A BIS number born on the 1st with serial 001, its check digits from the 2000 rule."""
    base = f"{yy:02d}{month_code:02d}01001"
    return base + f"{97 - int('2' + base) % 97:02d}"


@pytest.mark.parametrize(
    "vid, value, expected",
    [
        ("ba.jmbg", "0101006500006", "OK"),
        ("ba.jmbg", "010100650000", "INVALID_LENGTH"),
        ("ba.jmbg", "01010065000O6", "INVALID_FORMAT"),
        ("ba.jmbg", "3102006500006", "INVALID_COMPONENT"),  # 31 February
        ("ba.jmbg", "0101006500007", "INVALID_CHECKSUM"),
        ("bg.egn", "7523169263", "OK"),
        ("bg.egn", "7513169263", "INVALID_COMPONENT"),  # month code 13
        ("bg.egn", "7523169264", "INVALID_CHECKSUM"),
        ("cu.ni", "91021027775", "OK"),
        ("cu.ni", "91023027775", "INVALID_COMPONENT"),  # 30 February 1991
        ("kr.rrn", "9710139019902", "OK"),
        ("kr.rrn", "9710139979902", "INVALID_COMPONENT"),  # office 97
        ("kr.rrn", "9713139019902", "INVALID_COMPONENT"),
        ("kr.rrn", "9710139019903", "INVALID_CHECKSUM"),
        ("kw.civil", "289011200032", "OK"),
        ("kw.civil", "189011200032", "INVALID_COMPONENT"),  # century digit 1
        ("kw.civil", "289011200033", "INVALID_CHECKSUM"),
        ("kz.iin", "880515300120", "OK"),
        ("kz.iin", "880515000120", "INVALID_COMPONENT"),  # century digit 0
        ("kz.iin", "880515700120", "INVALID_COMPONENT"),  # century digit 7
        ("kz.iin", "880515000121", "INVALID_COMPONENT"),  # century digit 0, though the check digit fits
        ("kz.iin", "880515700126", "INVALID_COMPONENT"),  # century digit 7, though the check digit fits
        ("kz.iin", "880515300121", "INVALID_CHECKSUM"),
        ("lk.nic", "862348753v", "OK"),
        ("lk.nic", "199000000014", "OK"),  # day of year 000 is accepted
        ("lk.nic", "199236600011", "OK"),  # day 366 of a leap year
        ("lk.nic", "199136600013", "INVALID_COMPONENT"),  # day 366 of 1991
        ("lk.nic", "86234875XV", "INVALID_FORMAT"),
        ("lk.nic", "8623487531", "INVALID_FORMAT"),
        ("lk.nic", "862348753VV", "INVALID_LENGTH"),
        ("lk.nic", "862348754V", "INVALID_CHECKSUM"),
        ("mx.curp", "BOXW310820HNERXN09", "OK"),
        ("mx.curp", "BOXW310820HNERXN0", "INVALID_LENGTH"),
        ("mx.curp", "BOXW310820XNERXN09", "INVALID_FORMAT"),  # sex must be H or M
        ("mx.curp", "BOXW310820HNERXN&9", "INVALID_FORMAT"),
        ("mx.curp", "BOXW310230HNERXN09", "INVALID_COMPONENT"),  # 30 February
        ("mx.curp", "BOXW310820HXXRXN09", "INVALID_COMPONENT"),  # no state XX
        ("mx.curp", "BOXW310820HNERXN08", "INVALID_CHECKSUM"),
        ("my.nric", "770305021234", "OK"),
        ("my.nric", "770305171234", "INVALID_COMPONENT"),  # no birth place 17
        ("my.nric", "770229021234", "INVALID_COMPONENT"),  # 29 February 1977
        ("gr.amka", "01013099997", "OK"),
        ("gr.amka", "29020099999", "OK"),  # 29 February 00 exists (2000)
        ("gr.amka", "29020199990", "INVALID_COMPONENT"),  # 29 February 01 does not
        ("gr.amka", "32013099997", "INVALID_COMPONENT"),
        ("gr.amka", "01013099998", "INVALID_CHECKSUM"),
        ("is.kennitala", "4504013150", "OK"),  # company: day + 40
        ("is.kennitala", "1201743399", "OK"),
        ("is.kennitala", "9913743399", "INVALID_CHECKSUM"),  # the check digit comes before the date
        ("is.kennitala", "1201743391", "INVALID_COMPONENT"),  # century digit 1
        ("be.bis", "98472899765", "OK"),
        ("be.bis", "00000000000", "INVALID_FORMAT"),
        ("be.bis", "98102899797", "INVALID_COMPONENT"),  # month code 10
        ("be.bis", "98472899766", "INVALID_CHECKSUM"),
        ("be.bis", be_bis(THIS_YEAR % 100, 41), "OK"),
        ("be.bis", be_bis((THIS_YEAR + 1) % 100, 41), "INVALID_CHECKSUM"),  # not born yet
    ],
)
def test_validate(vid, value, expected):
    assert code_of(vid, value) == expected


@pytest.mark.parametrize(
    "vid, value, expected",
    [
        ("ba.jmbg", "0101006500006", (2006, 1, 1, "male")),
        ("bg.egn", "7523169263", (1875, 3, 16, "male")),
        ("cu.ni", "91021027775", (1991, 2, 10, "female")),
        ("cu.ni", "72062506561", (1972, 6, 25, "male")),
        ("kr.rrn", "9710139019902", (1897, 10, 13, "male")),
        ("kr.rrn", "9501011000109", (1995, 1, 1, "male")),
        ("kw.civil", "289011200032", (1989, 1, 12, None)),
        ("kw.civil", "305031512348", (2005, 3, 15, None)),
        ("kz.iin", "880515300120", (1988, 5, 15, "male")),
        ("kz.iin", "950101400012", (1995, 1, 1, "female")),
        ("lk.nic", "862348753V", (1986, 8, 22, "male")),
        ("lk.nic", "197819202757", (1978, 7, 11, "male")),
        ("lk.nic", "199000000014", (1990, 1, 0, "male")),
        ("lk.nic", "199236600011", (1992, 12, 31, "male")),
        ("lk.nic", "199050100018", (1990, 1, 1, "female")),
        ("mx.curp", "boxw310820hnerxn09", (1931, 8, 20, "male")),
        ("my.nric", "770305021234", (1977, 3, 5, "female")),
        ("my.nric", "880715141235", (1988, 7, 15, "male")),
        ("my.nric", f"{THIS_YEAR % 100:02d}0101141235", (THIS_YEAR, 1, 1, "male")),
        ("my.nric", f"{(THIS_YEAR + 1) % 100:02d}0101141235", (THIS_YEAR - 99, 1, 1, "male")),
    ],
)
def test_parse(vid, value, expected):
    assert birth(vid, value) == expected
