"""Business, tax and bank numbers of the legacy set, through the installed package."""
import pytest

import orvane_vardik as ov
from helpers import outcome

CHECKSUM = ("INVALID_CHECKSUM", "identifier checksum or components are invalid")
LENGTH = ("INVALID_LENGTH", "identifier has an invalid length")
FORMAT = ("INVALID_FORMAT", "identifier has an invalid format")

BUSINESS_IDS = [
    "at.tin", "au.acn", "br.cnpj", "ch.uid", "de.stnr", "de.svnr", "es.cif", "es.nss",
    "fi.ytunnus", "fr.siren", "fr.siret", "no.orgnr", "us.rtn",
]


# (id, input, compact value when valid or the expected error)
CASES = [
    ("at.tin", "59-119901/3", "591199013"),
    ("at.tin", "591199014", CHECKSUM),
    ("au.acn", "004 085 616", "004085616"),
    ("au.acn", "010499966", "010499966"),
    ("au.acn", "004085617", CHECKSUM),
    ("au.acn", "00408561X", FORMAT),  # digits are tested before the length
    ("au.acn", "12345", LENGTH),
    ("br.cnpj", "33.000.167/0001-01", "33000167000101"),
    ("br.cnpj", "00000000000191", "00000000000191"),
    ("br.cnpj", "00000000000000", CHECKSUM),  # check digits fit, but no number
    ("br.cnpj", "12.abc.345/01de-35", "12ABC34501DE35"),  # letters count 17 to 42
    ("br.cnpj", "12ABC34501DE36", CHECKSUM),
    ("br.cnpj", "12ABC34501DEA5", CHECKSUM),  # check positions are digits only
    ("ch.uid", "che-100.155.212", "CHE100155212"),
    ("ch.uid", "CHE100155213", CHECKSUM),
    ("ch.uid", "CHE100000160", CHECKSUM),  # remainder 1: no check digit fits
    ("ch.uid", "CHE100000165", CHECKSUM),
    ("ch.uid", "ABC100155212", CHECKSUM),
    ("de.stnr", "21/815/08150", "2181508150"),
    ("de.stnr", "18181508155", "18181508155"),
    ("de.stnr", "1234567890", "1234567890"),  # no check digit is computed
    ("de.stnr", "2893081508152", "2893081508152"),
    ("de.stnr", "123456789012", LENGTH),
    ("de.stnr", "6123456789012", CHECKSUM),  # no layout starts with 6
    ("de.stnr", "2813181508152", CHECKSUM),  # layout 2 needs 0 at position 4
    ("de.stnr", "21815O8150", FORMAT),
    ("de.svnr", "12 010188 M 011", "12010188M011"),
    ("de.svnr", "12010188M012", CHECKSUM),
    ("de.svnr", "12290200M015", "12290200M015"),  # year 00 is 2000, a leap year
    ("de.svnr", "12290201M016", CHECKSUM),  # 1901 is not
    ("de.svnr", "12300288M013", CHECKSUM),  # 30 February
    ("es.cif", "A13585625", "A13585625"),
    ("es.cif", "A1358562E", "A1358562E"),  # the same check written as a letter
    ("es.cif", "ESA13585625", "A13585625"),
    ("es.cif", "A13585626", CHECKSUM),
    ("es.cif", "I13585625", CHECKSUM),
    # The check upper-cases with full Unicode mapping (long s becomes S) while
    # compaction maps ASCII only, so the compact value keeps the long s.
    ("es.cif", "ſ12345674", "ſ12345674"),
    ("es.nss", "28/12345678/40", "281234567840"),
    ("es.nss", "280123456742", "280123456742"),  # short serial: seven-digit reading
    ("es.nss", "529999999924", "529999999924"),  # N above 5e9
    ("es.nss", "000123456742", CHECKSUM),  # province 0
    ("es.nss", "5312345678**", FORMAT),
    ("es.nss", "5312345678AA", CHECKSUM),
    ("fi.ytunnus", "2077474-0", "20774740"),
    ("fi.ytunnus", "20774741", CHECKSUM),
    ("fr.siren", "552 008 443", "552008443"),
    ("fr.siren", "552008442", CHECKSUM),
    ("fr.siret", "732 829 320 00074", "73282932000074"),
    ("fr.siret", "73282932000075", CHECKSUM),
    ("fr.siret", "35600000000048", "35600000000048"),  # head office: Luhn
    ("fr.siret", "35600000012346", "35600000012346"),  # digit sum 30
    ("fr.siret", "35600000012345", CHECKSUM),
    ("no.orgnr", "923 609 016", "923609016"),
    ("no.orgnr", "923609017", CHECKSUM),
    ("us.rtn", "111000025", "111000025"),
    ("us.rtn", "021000021", "021000021"),
    ("us.rtn", "131000025", CHECKSUM),  # prefix 13 is not a routing prefix
    ("us.rtn", "111000026", CHECKSUM),
]


@pytest.mark.parametrize("vid,value,expected", CASES)
def test_validate(vid, value, expected):
    assert outcome(vid, value) == expected


# Display form of every length: the check digit stands in a group of its own.
STNR_FORMATS = [
    ("2181508150", "21/815/0815/0"),
    ("18181508155", "181/815/0815/5"),
    ("01815081550", "018/150/8155/0"),  # layout 3 is tried first and fits any 11 digits
    ("2893081508152", "28/93/0/815/0815/2"),
    ("9181081508155", "9/181/0/815/0815/5"),
    ("5181081508155", "5/181/0/8150/815/5"),  # four-digit district
    ("1121081508155", "11/21/0/815/0815/5"),
    ("6121081508155", "6121081508155"),  # no layout
    ("123456789012", "123456789012"),
    ("12345", "12345"),
    ("", ""),
    ("21 815 0815 0", "21/815/0815/0"),
    ("21815O8150", "21/815/O815/0"),  # ten characters take layout 1 whatever they are
    ("2181508é50", "21/815/08é5/0"),  # groups count characters, not bytes
]


@pytest.mark.parametrize("value,expected", STNR_FORMATS)
def test_de_stnr_format(value, expected):
    assert ov.format("de.stnr", value) == expected


HOSTILE = ["", "\0", "9" * 1_000_000, "\u0301", "ß" * 7, "CHE\u0301100155212", "1" * 9 + "\0"]


@pytest.mark.parametrize("vid", BUSINESS_IDS)
def test_total_over_hostile_text(vid):
    for value in HOSTILE:
        assert not ov.validate(vid, value).valid
        assert isinstance(ov.compact(vid, value), str)
        assert isinstance(ov.format(vid, value), str)
