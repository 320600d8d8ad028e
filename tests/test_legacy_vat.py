"""VAT and VAT-like numbers of the legacy set, through the installed package."""
import pytest

import orvane_vardik as ov
from helpers import outcome

CHECKSUM = ("INVALID_CHECKSUM", "identifier checksum or components are invalid")
LENGTH = ("INVALID_LENGTH", "identifier has an invalid length")
FORMAT = ("INVALID_FORMAT", "identifier has an invalid format")
COMPONENT = ("INVALID_COMPONENT", "identifier contains an invalid component")

VAT_IDS = [
    "at.uid", "be.vat", "bg.vat", "cy.vat", "cz.dic", "de.vat", "dk.vat", "ee.vat", "es.vat", "fi.vat",
    "fr.tva", "gb.vat", "gr.vat", "hr.vat", "hu.vat", "ie.vat", "it.iva", "lt.vat", "lu.vat", "lv.vat",
    "mt.vat", "nl.vat", "no.mva", "pl.nip", "pt.vat", "ro.vat", "si.vat", "sk.dic",
]


# A published or documented example, and the same number with its check
# character changed. nl.vat carries no check digit and has no second value.
EXAMPLES = [
    ("at.uid", "U13585627", "U13585628"),
    ("be.vat", "0776091951", "0776091952"),
    ("bg.vat", "175074752", "175074753"),
    ("cy.vat", "10259033P", "10259033Q"),
    ("cz.dic", "25123891", "25123892"),
    ("de.vat", "136695976", "136695977"),
    ("dk.vat", "13585628", "13585629"),
    ("ee.vat", "100931558", "100931559"),
    ("es.vat", "A78304516", "A78304517"),
    ("es.vat", "12345678Z", "12345678A"),
    ("fi.vat", "20774740", "20774741"),
    ("fr.tva", "40303265045", "41303265045"),
    ("fr.tva", "K7399859412", "K8399859412"),
    ("gb.vat", "980780684", "980780685"),
    ("gr.vat", "094259216", "094259217"),
    ("hr.vat", "33392005961", "33392005962"),
    ("hu.vat", "12892312", "12892313"),
    ("ie.vat", "6433435F", "6433435G"),
    ("ie.vat", "8D79739I", "8D79739J"),
    ("it.iva", "00743110157", "00743110158"),
    ("lt.vat", "119511515", "119511516"),
    ("lt.vat", "100001919017", "100001919018"),
    ("lu.vat", "15027442", "15027443"),
    ("lv.vat", "40003521600", "40003521601"),
    ("mt.vat", "11679112", "11679113"),
    ("nl.vat", "000099998B57", None),
    ("no.mva", "995525828MVA", "995525829MVA"),
    ("pl.nip", "2234567895", "2234567896"),
    ("pt.vat", "501964843", "501964844"),
    ("ro.vat", "18547290", "18547291"),
    ("si.vat", "15012557", "15012558"),
    ("sk.dic", "2021853504", "2021853505"),
]


@pytest.mark.parametrize("vid,example,wrong", EXAMPLES)
def test_example_and_wrong_check(vid, example, wrong):
    assert outcome(vid, example) == example
    if wrong is not None:
        assert outcome(vid, wrong) == CHECKSUM


def test_every_vat_id_has_an_example_row():
    assert sorted({row[0] for row in EXAMPLES}) == VAT_IDS


# (id, input, compact value when valid or the expected error)
EDGES = [
    # prefixes, padding and a prefix written twice
    ("be.vat", "BE 776.091.951", "0776091951"),
    ("be.vat", "776091951", "0776091951"),
    ("be.vat", "0000000000", CHECKSUM),  # divisible by 97 but no number
    ("be.vat", "2776091951", CHECKSUM),  # must start with 0 or 1
    ("at.uid", "13585627", LENGTH),
    ("at.uid", "atu 135 856 27", "U13585627"),
    ("gr.vat", "EL 94259216", "094259216"),
    ("gr.vat", "gr094259216", "094259216"),
    ("de.vat", "DEDE136695976", "DE136695976"),
    ("de.vat", "036695976", CHECKSUM),  # leading zero
    ("fi.vat", "FI 2077474-0", "20774740"),
    ("cy.vat", "cy10259033p", "10259033P"),
    ("cy.vat", "12000000A", CHECKSUM),  # numbers starting 12 are not issued
    # Bulgaria: legal entity, personal number (three centuries), foreigner, other
    ("bg.vat", "7503151233", "7503151233"),
    ("bg.vat", "0543151230", "0543151230"),  # month + 40: born 2005
    ("bg.vat", "7523151238", "7523151238"),  # month + 20: born 1875
    ("bg.vat", "9999991236", "9999991236"),  # not a date: foreigner rule
    ("bg.vat", "9999991243", "9999991243"),  # other ten-digit rule
    ("bg.vat", "9999991244", CHECKSUM),
    # Czech DIČ
    ("cz.dic", "95123891", CHECKSUM),  # eight digits never start with 9
    ("cz.dic", "640903926", "640903926"),  # nine digits starting 6
    ("cz.dic", "640903927", COMPONENT),  # year part 64 > 53
    ("cz.dic", "7103192745", "7103192745"),  # birth number
    ("cz.dic", "CZ 710319/2745", "7103192745"),
    # Spain: DNI, K/L/M ids, NIE, CIF with a letter check
    ("es.vat", "K1234567L", "K1234567L"),
    ("es.vat", "X5253868R", "X5253868R"),
    ("es.vat", "A1358562E", "A1358562E"),
    ("es.vat", "I1358562E", CHECKSUM),  # I is no company letter
    # France: both digit key forms, letter keys, company numbers starting 000
    ("fr.tva", "0H303265045", "0H303265045"),
    ("fr.tva", "A9303265045", "A9303265045"),
    ("fr.tva", "I7399859412", CHECKSUM),  # I and O are not key characters
    ("fr.tva", "O7399859412", CHECKSUM),
    ("fr.tva", "15000000001", "15000000001"),  # 000000001 fails Luhn, which is skipped
    ("fr.tva", "16000000001", CHECKSUM),  # the key still has to match
    ("fr.tva", "11999999998", "11999999998"),  # 100 x N exceeds 32 bits
    ("fr.tva", "40303265046", CHECKSUM),  # company number fails Luhn
    # United Kingdom
    ("gb.vat", "GD100", "GD100"),
    ("gb.vat", "HA500", "HA500"),
    ("gb.vat", "GD500", CHECKSUM),
    ("gb.vat", "HA499", CHECKSUM),
    ("gb.vat", "100000034", "100000034"),  # remainder 42
    ("gb.vat", "010000035", CHECKSUM),  # remainder 42 is not accepted below 100
    ("gb.vat", "980780684001", "980780684001"),  # branch suffix is not checked
    # Ireland: current layout with a ninth letter, old layout
    ("ie.vat", "1234567FA", "1234567FA"),
    ("ie.vat", "1234567TW", "1234567TW"),
    ("ie.vat", "1234567T", "1234567T"),
    ("ie.vat", "8+79739I", "8+79739I"),  # the second character takes no part
    # Italy: office code
    ("it.iva", "00000001234", CHECKSUM),
    # Latvia
    ("lv.vat", "32999999999", "32999999999"),  # no check digit
    ("lv.vat", "16117512349", "16117512349"),  # personal code, 16 Nov 1975
    ("lv.vat", "16117532349", CHECKSUM),  # century digit above 2
    ("lv.vat", "30117512349", CHECKSUM),  # 30 November is fine, the check is not
    # Netherlands: structure only, zeros restored
    ("nl.vat", "nl 99998b57", "000099998B57"),
    ("nl.vat", "123456789B99", "123456789B99"),
    ("nl.vat", "NLB12", "000000000B12"),
    ("nl.vat", "123456789X99", FORMAT),
    # Norway
    ("no.mva", "995525828", FORMAT),
    ("no.mva", "NO 995 525 828 MVA", "995525828MVA"),
    # Poland
    ("pl.nip", "PL 223-456-78-95", "2234567895"),
    # Romania: short numbers are right-aligned
    ("ro.vat", "19", "19"),
    ("ro.vat", "12", CHECKSUM),
    ("ro.vat", "1", LENGTH),
    ("ro.vat", "01", CHECKSUM),  # leading zero
    # Slovenia: remainder 0 has no check digit
    ("si.vat", "10000070", CHECKSUM),
    ("si.vat", "10000071", CHECKSUM),
    # Slovakia: divisible by 11, beyond 32 bits
    ("sk.dic", "9999999999", "9999999999"),
    ("sk.dic", "9909999999", CHECKSUM),  # third digit 0
]


@pytest.mark.parametrize("vid,value,expected", EDGES)
def test_edge_cases(vid, value, expected):
    assert outcome(vid, value) == expected


HOSTILE = ["", "\0", "9" * 1_000_000, "\u0301", "ß" * 5, "ﬁ1234567", "\ud7ff" * 9, "DE\x00136695976"]


@pytest.mark.parametrize("vid", VAT_IDS)
def test_total_over_hostile_text(vid):
    for value in HOSTILE:
        assert not ov.validate(vid, value).valid
        assert isinstance(ov.compact(vid, value), str)
        assert isinstance(ov.format(vid, value), str)
