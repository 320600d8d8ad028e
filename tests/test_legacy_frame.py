"""The legacy set's shared operations: compaction, the classification of
failures into codes, display formats, generation and the records."""
import pytest

import orvane_vardik as ov

MESSAGES = {
    "INVALID_FORMAT": "identifier has an invalid format",
    "INVALID_LENGTH": "identifier has an invalid length",
    "INVALID_CHECKSUM": "identifier checksum or components are invalid",
    "INVALID_COMPONENT": "identifier contains an invalid component",
}


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("at.uid", "atu 135 856 27", "U13585627"),
        ("be.vat", "BE 776.091.951", "0776091951"),
        ("be.vat", "776091951", "0776091951"),
        ("gr.vat", "EL 94259216", "094259216"),
        ("gr.vat", "gr094259216", "094259216"),
        ("gr.vat", "EG094259216", "EG094259216"),  # 'E' needs 'L'
        ("ch.uid", "che-100.155.212", "CHE100155212"),
        ("nl.vat", "nl 99998b57", "000099998B57"),
        ("nl.vat", "NLB12", "000000000B12"),
        ("se.personnummer", "8803200016", "880320-0016"),
        ("se.personnummer", "198803200016", "19880320-0016"),
        ("se.personnummer", "19880320-0016", "19880320-0016"),
        ("se.personnummer", "88-03-20+0016", "880320+0016"),  # the sign before the last four survives
        ("se.personnummer", " 12: 3 ", "123"),
        ("pl.nip", "PL 223-456-78-95", "2234567895"),
        ("es.vat", "eses12345678z", "ES12345678Z"),  # the prefix goes once
        ("cz.rc", " 710319/2745 ", "7103192745"),
        ("cz.rc", "710319-2745", "710319-2745"),  # only space and slash are separators
        ("fi.hetu", "131052-308t", "131052-308T"),
        ("pt.cc", "000000000 zz 4", "000000000ZZ4"),
        ("gb.nhs", "401 023 2137", "4010232137"),
        ("be.nn", "93.05.18-223.61", "93051822361"),
        ("be.nn", "９３０５１８２２３６１", "93051822361"),  # full-width digits
        ("cn.ric", "11010519491231002x", "11010519491231002X"),
        ("it.codiceFiscale", "rccmnl83s18d969h", "RCCMNL83S18D969H"),
        ("de.idnr", "36 574 261 809", "36574261809"),
        ("fr.tva", "fr k7 399859412", "K7399859412"),
        ("be.vat", "BE 77609195é", "077609195é"),  # nine characters, ten bytes
        ("gb.vat", "gb 980 7806 84", "980780684"),
    ],
)
def test_compact(vid, value, expected):
    assert ov.compact(vid, value) == expected


@pytest.mark.parametrize(
    "vid,value,code",
    [
        ("no.mva", "995525828", "INVALID_FORMAT"),  # no MVA suffix comes before the length
        ("no.mva", "MVA", "INVALID_LENGTH"),
        ("no.mva", "99552582AMVA", "INVALID_FORMAT"),
        ("au.acn", "00408561X", "INVALID_FORMAT"),  # digits are required before the length
        ("au.acn", "", "INVALID_FORMAT"),
        ("au.acn", "12345", "INVALID_LENGTH"),
        ("de.stnr", "12a", "INVALID_FORMAT"),
        ("de.stnr", "123456789", "INVALID_LENGTH"),
        ("cz.rc", "600101123", "INVALID_COMPONENT"),  # nine digits stop at 1953
        ("cz.rc", "540101123", "INVALID_COMPONENT"),
        ("cz.rc", "ab0101123", "INVALID_CHECKSUM"),
        ("cz.dic", "6001011230", "INVALID_CHECKSUM"),
        ("ro.vat", "1", "INVALID_LENGTH"),
        ("ro.vat", "12345678901", "INVALID_LENGTH"),
        ("ro.vat", "1234a", "INVALID_FORMAT"),
        ("es.nss", "12345678901*", "INVALID_FORMAT"),
        ("es.nss", "12345678901A", "INVALID_CHECKSUM"),
        ("es.nss", "1234567890+A", "INVALID_CHECKSUM"),
        ("be.nn", "", "INVALID_LENGTH"),
        ("be.nn", "930518223é", "INVALID_FORMAT"),  # eleven bytes, one of them not ASCII
        ("be.nn", "93051822362", "INVALID_CHECKSUM"),
        ("cy.vat", "123456789", "INVALID_FORMAT"),
        ("gb.nino", "AB123456E", "INVALID_FORMAT"),
        ("gb.nino", "DA123456C", "INVALID_CHECKSUM"),
        ("it.codiceFiscale", "1CCMNL83S18D969H", "INVALID_FORMAT"),
        ("it.codiceFiscale", "RCCMNL83S18D969A", "INVALID_CHECKSUM"),
        ("it.codiceFiscale", "123456789", "INVALID_LENGTH"),
        ("se.personnummer", "880320x0016", "INVALID_FORMAT"),
        ("se.personnummer", "880320-0017", "INVALID_CHECKSUM"),
        ("se.personnummer", "1234", "INVALID_LENGTH"),
        ("ie.pps", "1234567TZ", "INVALID_FORMAT"),  # Z is not in the check alphabet
        ("ie.pps", "123456XT", "INVALID_FORMAT"),
        ("ie.pps", "1234567A", "INVALID_CHECKSUM"),
        ("nl.vat", "123456789C12", "INVALID_FORMAT"),
        ("pt.cc", "0000000000Z4", "INVALID_CHECKSUM"),
        ("pt.cc", "00000000AZZ4", "INVALID_FORMAT"),
        ("dk.cpr", "21106256x9", "INVALID_FORMAT"),
        ("bg.vat", "17507475a", "INVALID_FORMAT"),
        ("ie.vat", "1234567", "INVALID_LENGTH"),
        ("ie.vat", "1A23456B", "INVALID_CHECKSUM"),  # the older layout
        ("ie.vat", "1234567$", "INVALID_FORMAT"),
        # The Polish fast path answers for plain ten-character input itself.
        ("pl.nip", "223456789", "INVALID_LENGTH"),
        ("pl.nip", "223456789a", "INVALID_FORMAT"),
        ("pl.nip", "2234567896", "INVALID_CHECKSUM"),
        ("pl.nip", "PL2234567896", "INVALID_CHECKSUM"),
    ],
)
def test_failure_classification(vid, value, code):
    res = ov.validate(vid, value)
    assert not res.valid and res.compact is None
    assert (res.error.code, res.error.message) == (code, MESSAGES[code])


@pytest.mark.parametrize(
    "vid,value,compact",
    [
        ("pl.nip", "2234567895", "2234567895"),
        ("pl.nip", "pl 223 456 78 95", "2234567895"),
        ("cz.rc", "990101123", "990101123"),  # nine digits, born 1899
        ("se.personnummer", "8803200016", "880320-0016"),
        ("be.nn", "93.05.18-223.61", "93051822361"),
    ],
)
def test_valid_values_return_their_compact_form(vid, value, compact):
    res = ov.validate(vid, value)
    assert res.valid, res.error and res.error.code
    assert res.compact == compact


def test_polish_fast_path_agrees_with_validate_in_batches():
    values = ["2234567895", "2234567896", "223456789", "PL 223-456-78-95", " 2234567895"]
    batch = ov.validate_many("pl.nip", values)
    for value, res in zip(values, batch):
        one = ov.validate("pl.nip", value)
        assert (res.valid, res.compact) == (one.valid, one.compact)
        assert (res.error and res.error.code) == (one.error and one.error.code)


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("at.tin", "591199013", "59-119901/3"),
        ("be.nn", "93051822361", "93.05.18-223.61"),
        ("be.nn", "123", "12.3.-."),
        ("be.nn", "930é51822361", "93..-182.2361"),  # pieces cutting the 'é' stay empty
        ("no.mva", "995525828MVA", "NO 995 525 828 MVA"),
        ("no.mva", "995525828", "NO 995 525 828 MVA"),
        ("gb.vat", "980780684", "GB 980 7806 84"),
        ("gb.vat", "GD123", "GBGD123"),
        ("gb.vat", "ha 499", "GBHA499"),
        ("pt.cc", "000000000ZZ4", "000000000 ZZ 4"),
        ("pt.cc", "12", "12"),
        ("pt.cc", "123", " 12 3"),
        ("cz.rc", "7103192745", "710319/2745"),
        ("ch.uid", "CHE100155212", "CHE-100.155.212"),
        ("au.acn", "004085616", "004 085 616"),
        ("fr.siret", "73282932000074", "732 829 320 00074"),
        ("dk.cpr", "2110625629", "211062-5629"),
        ("fi.ytunnus", "20774740", "2077474-0"),
        ("es.nss", "281234567840", "28/12345678/40"),
        ("fr.nir", "295117823456784", "2 95 11 78 234 567 84"),
        ("br.cnpj", "33000167000101", "33.000.167/0001-01"),
        ("de.idnr", "36574261809", "36 574 261 809"),
        ("de.svnr", "12010188M011", "12 010188 M 01 1"),
        ("gb.nino", "AB123456C", "AB 12 34 56 C"),
        ("gb.nhs", "4010232137", "401 023 2137"),
        ("gr.vat", "94259216", "EL094259216"),
        ("nl.vat", "nl 99998b57", "NL000099998B57"),
        ("pl.nip", "223-456-78-95", "PL2234567895"),
        ("de.stnr", "2181508150", "21/815/0815/0"),
        ("it.codiceFiscale", "rccmnl83s18d969h", "RCCMNL83S18D969H"),
        ("se.personnummer", "8803200016", "880320-0016"),
    ],
)
def test_format(vid, value, expected):
    assert ov.format(vid, value) == expected


LEGACY_IDS = [m.id for m in ov.validators() if m.id in {
    "at.tin", "at.uid", "au.acn", "be.nn", "be.vat", "bg.vat", "br.cnpj", "ch.uid", "cn.ric", "cy.vat", "cz.dic",
    "cz.rc", "de.idnr", "de.stnr", "de.svnr", "de.vat", "dk.cpr", "dk.vat", "ee.ik", "ee.vat", "es.cif", "es.nie",
    "es.nss", "es.vat", "fi.hetu", "fi.vat", "fi.ytunnus", "fr.nir", "fr.siren", "fr.siret", "fr.tva", "gb.nhs",
    "gb.nino", "gb.vat", "gr.vat", "hr.vat", "hu.vat", "ie.pps", "ie.vat", "it.codiceFiscale", "it.iva",
    "lt.asmens", "lt.vat", "lu.vat", "lv.vat", "mt.vat", "nl.vat", "no.mva", "no.orgnr", "pl.nip", "pl.pesel",
    "pt.cc", "pt.vat", "ro.cnp", "ro.vat", "se.personnummer", "si.vat", "sk.dic", "us.rtn"}]


def test_the_set_is_registered_with_its_operations():
    assert len(LEGACY_IDS) == 59
    parsers = {"cn.ric", "cz.rc", "dk.cpr", "ee.ik", "fi.hetu", "fr.nir", "it.codiceFiscale", "pl.pesel", "ro.cnp",
               "se.personnummer"}
    for vid in LEGACY_IDS:
        m = ov.validator_metadata(vid)
        assert m.can_parse == (vid in parsers), vid
        assert m.can_generate == (vid != "gb.nhs"), vid
        assert (m.source_url is None) == (vid == "gb.nhs"), vid
        assert m.source_url is None or m.source_url.startswith("https://")
        assert m.country == vid[:2].upper() and m.scope == "country"


@pytest.mark.parametrize(
    "vid,entity,lengths,examples,abbreviation",
    [
        ("cz.rc", "person", [9, 10], ["7103192745"], "RČ"),
        ("pt.cc", "person", [12], ["000000000ZZ4"], "CC"),
        ("ro.vat", "any", [2, 3, 4, 5, 6, 7, 8, 9, 10], ["18547290"], "CIF"),
        ("cn.ric", "person", [15, 18], ["11010519491231002X", "440524188001010014"], "RIC"),
        ("us.rtn", "company", [9], ["111000025", "021000021"], "RTN"),
        ("bg.vat", "any", [9, 10], ["175074752"], "ИН по ДДС"),
        ("at.tin", "any", [], ["591199013"], "TIN"),
    ],
)
def test_metadata(vid, entity, lengths, examples, abbreviation):
    m = ov.validator_metadata(vid)
    assert (m.entity_type, m.lengths, m.examples, m.abbreviation) == (entity, lengths, examples, abbreviation)


def test_candidate_pattern_with_alternatives():
    assert ov.validator_metadata("ro.cnp").candidate_pattern == (
        r"[1-8]\d{2}(?:0[1-9]|1[0-2])(?:0[1-9]|[12]\d|3[01])\d{6}")
    assert ov.validator_metadata("cn.ric").local_name == "居民身份证号码"


@pytest.mark.parametrize("vid", ["us.rtn", "pt.cc", "se.personnummer", "it.codiceFiscale", "cn.ric", "fr.nir"])
def test_generated_values_are_compact_valid_and_vary(vid):
    values = {ov.generate(vid) for _ in range(20)}
    for v in values:
        assert ov.validate(vid, v).compact == v
    assert len(values) > 1


def test_generate_without_operation():
    assert ov.generate("gb.nhs") is None
    rtn = ov.generate("us.rtn")
    assert len(rtn) == 9 and rtn.isdigit()
