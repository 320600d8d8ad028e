"""The additional set A-M as a whole: records, compaction, display formats,
the four fixed failures and generation."""
import pytest

import orvane_vardik as ov

AM_IDS = (
    "ad.nrt ae.eid ai.tin al.nipt am.tin ar.cbu ar.cuit ar.dni at.vnr au.tfn az.voen ba.jmbg bd.nid be.bis "
    "bg.egn bg.pnf bh.cpr by.unp bz.tin ca.bn ca.sin ch.ssn ch.vat cl.rut cn.uscc co.nit cr.cpf cu.ni cz.ico "
    "de.handelsreg dk.cvr do.rnc ec.ruc ee.registrikood eg.tn eu.vat fr.nif gb.sedol gb.utr ge.pin gh.tin "
    "gr.amka gt.nit hk.hkid id.npwp il.idnr in.aadhaar in.gstin in.pan iq.nid ir.nid is.kennitala is.vsk "
    "jp.cn jp.mynumber kr.brn kr.rrn kw.civil kz.iin li.peid lk.nic ma.ice mc.tva md.idno me.pib mk.edb "
    "mu.brn mx.clabe mx.curp mx.rfc my.nric"
).split()
PARSERS = {"ba.jmbg", "bg.egn", "cu.ni", "kr.rrn", "kw.civil", "kz.iin", "lk.nic", "mx.curp", "my.nric"}

FORMAT = ("INVALID_FORMAT", "identifier has an invalid format")
LENGTH = ("INVALID_LENGTH", "identifier has an invalid length")
CHECKSUM = ("INVALID_CHECKSUM", "identifier checksum mismatch")
COMPONENT = ("INVALID_COMPONENT", "identifier contains an invalid component")


def failure(vid, value):
    r = ov.validate(vid, value)
    assert not r.valid and r.compact is None
    return r.error.code, r.error.message


def test_all_71_registered_with_their_parsers():
    assert len(AM_IDS) == 71
    metas = {m.id: m for m in ov.validators()}
    for vid in AM_IDS:
        m = metas[vid]
        assert m.can_generate
        assert m.can_parse == (vid in PARSERS)
        assert m.source_url.startswith("https://")


@pytest.mark.parametrize(
    "vid, field, expected",
    [
        ("bg.egn", "local_name", "Единен граждански номер"),
        ("bg.egn", "abbreviation", "ЕГН"),
        ("ae.eid", "local_name", "رقم الهوية"),
        ("il.idnr", "abbreviation", "ת.ז."),
        ("gr.amka", "aliases", ["ΑΜΚΑ", "Αριθμός Μητρώου Κοινωνικής Ασφάλισης", "AMKA"]),
        ("lk.nic", "candidate_pattern", r"\d{9}[VXvx]|\d{12}"),
        ("ch.vat", "candidate_pattern", r"CHE-?\d{3}\.?\d{3}\.?\d{3}\s?(?:MWST|TVA|IVA)"),
        ("mx.rfc", "candidate_pattern", "[A-ZÑ&]{3,4}\\d{6}[A-Z\\d]{3}"),
        ("co.nit", "lengths", list(range(8, 17))),
        ("be.bis", "lengths", []),
        ("bd.nid", "examples", ["1592824588424", "19841592824588424", "2610413965404", "19892610413965404"]),
        ("eu.vat", "scope", "global"),
        ("eu.vat", "country", None),
        ("eu.vat", "entity_type", "company"),
        ("ae.eid", "country", "AE"),
        ("ae.eid", "entity_type", "person"),
        ("ad.nrt", "entity_type", "any"),
        ("ma.ice", "description", "Moroccan common enterprise identifier"),
    ],
)
def test_metadata(vid, field, expected):
    assert getattr(ov.validator_metadata(vid), field) == expected


@pytest.mark.parametrize("vid", AM_IDS)
def test_examples_validate_and_generated_values_validate(vid):
    for example in ov.validator_metadata(vid).examples:
        assert ov.validate(vid, example).valid, example
    for _ in range(3):
        assert ov.validate(vid, ov.generate(vid)).valid


@pytest.mark.parametrize(
    "vid, value, compact",
    [
        ("in.aadhaar", " 2341-2341.2346 ", "234123412346"),
        ("in.aadhaar", "(2341)/2341/2346", "234123412346"),
        ("in.aadhaar", "２３４１\u00a0２３４１\u200b２３４６", "234123412346"),  # full-width, no-break and zero-width
        ("in.aadhaar", "2341\u20132341", "23412341"),  # en dash
        ("mx.curp", "boxw310820hnerxn09", "BOXW310820HNERXN09"),
        ("in.pan", "abcpp1234c", "ABCPP1234C"),
        ("mx.rfc", "straße", "STRASSE"),  # full Unicode upper-case
        ("ca.bn", "123026635rc0001", "123026635rc0001"),  # no case change
        ("cl.rut", "CL 76.086.428-5", "760864285"),
        ("cl.rut", "clcl1", "CL1"),  # one prefix only
        ("gt.nit", "000-576937-k", "576937K"),
        ("is.vsk", "is 00621", "00621"),
        ("mc.tva", "53000004605", "FR53000004605"),
        ("mc.tva", "fr53000004605", "FR53000004605"),
        ("eg.tn", "١٠٠-٥٣١-٣٨٥", "100531385"),  # Arabic-Indic
        ("ir.nid", "۰۹۳۲۸۳۳۸۱۰", "0932833810"),  # Extended Arabic-Indic
        ("iq.nid", "٠١٢٣٤٥٦٧٨٩٠١", "012345678901"),
        ("il.idnr", "18", "000000018"),
        ("il.idnr", "1234567890", "1234567890"),
        ("il.idnr", "12\u00e9", "00000012\u00e9"),  # padding counts characters
        ("li.peid", "0001234567", "1234567"),
        ("li.peid", "00.123-4", "123-4"),  # "-" is kept
        ("ma.ice", "001 561-191", "001561-191"),
        ("az.voen", "401555071", "0401555071"),
        ("az.voen", "1401555071", "1401555071"),
        ("gb.sedol", " b15 kxq8 ", "B15KXQ8"),
        ("al.nipt", "(al) j91402501l", "J91402501L"),
        ("al.nipt", "AL J91402501L", "J91402501L"),
        ("by.unp", "УНП МА1953684", "MA1953684"),  # Cyrillic prefix and look-alike letters
        ("by.unp", "унп ма1953684", "MA1953684"),
        ("by.unp", "UNP 200988541", "200988541"),
        pytest.param("by.unp", "МА" * 250_000, "MA" * 250_000, id="1MB-Cyrillic"),
        ("cr.cpf", "1-0913-0259", "0109130259"),
        ("cr.cpf", "1-913-259", "0109130259"),
        ("cr.cpf", "109130259", "0109130259"),
        ("cr.cpf", "1-2-3-4", "1234"),
        ("mk.edb", "MK 4002012527974", "4002012527974"),
        ("mk.edb", "МК-4002012527974", "4002012527974"),  # Cyrillic МК
        ("mk.edb", "mk4002012527974", "mk4002012527974"),  # case-sensitive, no case change
        ("cz.ico", " 251-238.91 ", "25123891"),
    ],
)
def test_compact(vid, value, compact):
    assert ov.compact(vid, value) == compact


@pytest.mark.parametrize(
    "vid, value, formatted",
    [
        ("ad.nrt", "u132950x", "U-132950-X"),
        ("ad.nrt", "é123456", "--6"),  # cuts inside a two-byte character give empty pieces
        ("ae.eid", "784198012345678", "784-1980-1234567-8"),
        ("ae.eid", "78419", "784-19--"),
        ("ar.cbu", "2850590940090418135201", "28505909 40090418135201"),
        ("ar.dni", "1234567", "1.234.567"),
        ("ar.dni", "20123456", "20.123.456"),
        ("au.tfn", "87650006", "876 500 06"),
        ("au.tfn", "123456782", "123 456 782"),
        ("az.voen", "401555071", "040 155 5071"),
        ("be.bis", "98472899765", "98.47.28-997.65"),
        ("bz.tin", "00000510", "000005-10"),
        ("bz.tin", "000005", "000005"),
        ("ca.bn", "123026635", "123 026 635"),
        ("ca.bn", "123026635RC0001", "123 026 635 RC 0001"),
        ("ca.bn", "123026635RC", "123026635RC"),
        ("ca.sin", "123456782", "123-456-782"),
        ("cl.rut", "760864285", "76.086.428-5"),
        ("cl.rut", "12345", ".123.45-"),
        ("co.nit", "8001234565", "800.123.456-5"),
        ("co.nit", "", "-"),
        ("cr.cpf", "109130259", "01-0913-0259"),
        ("do.rnc", "131098193", "1-31-09819-3"),
        ("do.rnc", "00113918205", "001-1391820-5"),
        ("fr.nif", "3023217600053", "30 23 217 600 053"),
        ("gt.nit", "0-576937-k", "576937-K"),
        ("hk.hkid", "G123456A", "G123456(A)"),
        ("id.npwp", "013000666091000", "01.300.066.6-091.000"),
        ("id.npwp", "0130006660910001", "0130006660910001"),
        ("il.idnr", "18", "00000001-8"),
        ("in.aadhaar", "234123412346", "2341 2341 2346"),
        ("is.kennitala", "4504013150", "450401-3150"),
        ("kr.brn", "1168200131", "116-82-00131"),
        ("kr.rrn", "9710139019902", "971013-9019902"),
        ("kw.civil", "289011200032", "2 890112 0003 2"),
        ("kz.iin", "880515300120", "880515 300120"),
        ("mx.clabe", "032180000118359719", "032 180 00011835971 9"),
        ("my.nric", "770305021234", "770305-02-1234"),
        ("cz.ico", "25 123 891", "25123891"),
        ("ee.registrikood", "1234 5678", "12345678"),
        ("mx.curp", "boxw310820hnerxn09", "BOXW310820HNERXN09"),
    ],
)
def test_format(vid, value, formatted):
    assert ov.format(vid, value) == formatted


# "The text without its last character" cuts before the last whole character,
# so a multi-byte last character is shown, not lost; case as compaction left it.
@pytest.mark.parametrize(
    "vid, value, formatted",
    [
        ("hk.hkid", "LX1M4ñ", "LX1M4(Ñ)"),  # hk.hkid compaction upper-cases
        ("hk.hkid", "G12345é", "G12345(É)"),
        ("hk.hkid", "AB987654€", "AB987654(€)"),  # three-byte character
        ("hk.hkid", "G12345\U0001F600", "G12345(\U0001F600)"),  # four bytes
        ("hk.hkid", "ñ", "(Ñ)"),
        ("hk.hkid", "", "()"),
        ("co.nit", "Q\tñ", "Q\t-ñ"),  # no case change; the tab is no separator
        ("co.nit", "800123456ñ", "800.123.456-ñ"),
        ("co.nit", "ñ", "-ñ"),
        ("gt.nit", "576937ñ", "576937-Ñ"),
        ("gt.nit", "00576937€", "576937-€"),  # leading zeros still dropped
        ("gt.nit", "ß", "S-S"),  # upper-casing makes two characters of one
        ("gt.nit", "", "-"),
    ],
)
def test_format_keeps_a_multibyte_last_character(vid, value, formatted):
    assert ov.format(vid, value) == formatted


@pytest.mark.parametrize(
    "vid, value, expected",
    [
        ("ca.sin", "", FORMAT),
        ("ca.sin", "12345678a", FORMAT),  # the digit rule comes before the length
        ("ca.sin", "1234567890", LENGTH),
        ("in.aadhaar", "", LENGTH),
        ("in.aadhaar", "23412341234\x00", FORMAT),  # NUL byte
        ("in.aadhaar", "2341234123\u0301", FORMAT),  # a lone combining mark
        ("il.idnr", "\u0301", LENGTH),  # padded to nine characters: ten bytes
        pytest.param("in.aadhaar", "1" * 1_000_000, LENGTH, id="1MB-digits"),
        pytest.param("au.tfn", "a" * 1_000_000, FORMAT, id="1MB-letters"),
        pytest.param("ir.nid", "٠" * 1_000_000, LENGTH, id="1MB-arabic-indic"),
        pytest.param("mx.curp", "ß" * 1_000_000, LENGTH, id="1MB-growing-upper-case"),
        pytest.param("il.idnr", "\x00" * 1_000_000, LENGTH, id="1MB-NUL"),
        ("jp.cn", "5835678256247", CHECKSUM),
        ("ae.eid", "785198012345678", COMPONENT),
    ],
)
def test_failures_carry_the_fixed_messages(vid, value, expected):
    assert failure(vid, value) == expected


def test_success_returns_the_compact_text():
    r = ov.validate("in.aadhaar", " 2341 2341 2346 ")
    assert r.valid and r.compact == "234123412346" and r.error is None
    assert ov.validate("mx.curp", "boxw310820hnerxn09").compact == "BOXW310820HNERXN09"


@pytest.mark.parametrize(
    "vid, value",
    [
        ("ba.jmbg", "0101006500007"),
        ("mx.curp", ""),
        pytest.param("lk.nic", "x" * 1_000_000, id="1MB"),
        ("ad.nrt", "U132950X"),  # valid, but it has no birth date
    ],
)
def test_parse_gives_none_when_it_cannot_read_a_birth_date(vid, value):
    assert ov.parse(vid, value) is None


def test_generate_differs_between_calls():
    assert len({ov.generate("in.aadhaar") for _ in range(10)}) > 1
