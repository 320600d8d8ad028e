"""The European tax, business, register and payment kinds: published
examples, the error of every check, single-character changes, round trips,
generation and sampling, hostile input and the finder, through the
package-level functions."""
import string

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov
from orvane_vardik import _reference
from orvane_vardik import _native

from helpers import outcome
import kind_checks

EUROPE = sorted("""
    be.eid be.ogm_vcs be.ssn ch.esr de.leitweg de.wkn es.cae es.ccc es.cups es.referenciacatastral
    eu.at_02 eu.banknote eu.eic eu.excise eu.oss fi.associationid fi.veronumero fo.vn fr.accise fr.rcs
    gb.upn nl.brin nl.identiteitskaartnummer nl.onderwijsnummer ro.onrc si.maticna sm.coe no.kontonr
    hr.oib ro.cui
""".split())

EU_WIDE = {"eu.at_02", "eu.banknote", "eu.eic", "eu.excise", "eu.oss"}


def test_the_kinds_are_served_by_the_package_only():
    ids = set(ov.validator_ids())
    assert set(EUROPE) <= ids
    assert not set(EUROPE) & set(_native.validator_ids())
    with pytest.raises(KeyError):
        _native.validate("be.eid", "591191706458")


@pytest.mark.parametrize("vid", EUROPE)
def test_metadata_is_complete(vid):
    m = ov.validator_metadata(vid)
    if vid in EU_WIDE:
        assert m.scope == "global" and m.country is None
    else:
        assert m.country == vid.split(".")[0].upper()
    assert m.name and m.local_name and m.abbreviation and m.aliases
    assert m.candidate_pattern and m.source_url.startswith("https://")
    assert m.examples and (m.lengths or vid == "fr.rcs") and m.can_generate  # a town's name varies
    for example in m.examples:
        assert ov.validate(vid, example).valid, example
        assert len(ov.compact(vid, example)) in m.lengths or vid in ("ch.esr", "fr.rcs", "de.leitweg"), example


# Written forms as people meet them: (id, input, compact, format).
WRITTEN = [
    ("be.eid", "591-1917064-58", "591191706458", "591-1917064-58"),
    ("be.ogm_vcs", "+++010/8068/17183+++", "010806817183", "010/8068/17183"),
    ("be.ogm_vcs", "***090/9337/55493***", "090933755493", "090/9337/55493"),
    ("be.ssn", "85.07.30-033.28", "85073003328", "85.07.30-033.28"),  # a national register number
    ("be.ssn", "98.47.28-997.65", "98472899765", "98.47.28-997.65"),  # a BIS number
    ("ch.esr", "21 00000 00003 13947 14300 09017", "210000000003139471430009017",
     "21 00000 00003 13947 14300 09017"),
    ("ch.esr", "18 78583", "1878583", "18 78583"),  # leading zeros left out
    ("de.leitweg", "991-33333test-33", "991-33333TEST-33", "991-33333TEST-33"),
    ("de.leitweg", "04011000-1234512345-06", "04011000-1234512345-06", "04011000-1234512345-06"),
    ("de.wkn", "WKN 514000", "514000", "514000"),
    ("es.cae", "es00008v1488q", "ES00008V1488Q", "ES00008V1488Q"),
    ("es.ccc", "2100-0418-45-0200051332", "21000418450200051332", "2100 0418 45 0200051332"),
    ("es.cups", "es1234123456789012jy1f", "ES1234123456789012JY1F", "ES 1234 1234 5678 9012 JY 1F"),
    ("es.referenciacatastral", "7837301-VG8173B-0001 TT", "7837301VG8173B0001TT", "7837301 VG8173B 0001 TT"),
    ("eu.at_02", "de98 zzz0 9999 9999 99", "DE98ZZZ09999999999", "DE98ZZZ09999999999"),
    ("eu.banknote", "p 36007033744", "P36007033744", "P36007033744"),
    ("eu.eic", "10yat-apg------l", "10YAT-APG------L", "10YAT-APG------L"),  # ENTSO-E's Austrian area
    ("eu.eic", "10YBE----------2", "10YBE----------2", "10YBE----------2"),
    ("eu.oss", "EU 372 000 041", "EU372000041", "EU372000041"),
    ("fi.associationid", "123.456", "123456", "123.456"),
    ("fi.associationid", "217", "217", "217"),
    ("fo.vn", "FO 623857", "623857", "623857"),
    ("fr.rcs", "RCS Paris B 552 120 222", "RCS PARIS B 552120222", "RCS PARIS B 552 120 222"),
    ("fr.rcs", "552 120 222 R.C.S. Paris", "RCS PARIS 552120222", "RCS PARIS 552 120 222"),
    ("fr.rcs", "rcs  Aix-en-Provence  B 552120222", "RCS AIX-EN-PROVENCE B 552120222",
     "RCS AIX-EN-PROVENCE B 552 120 222"),
    ("fr.rcs", "RCS Créteil 552 120 222", "RCS CRÉTEIL 552120222", "RCS CRÉTEIL 552 120 222"),
    ("gb.upn", "h801200001001", "H801200001001", "H801200001001"),
    ("nl.brin", "05 kd", "05KD", "05KD"),
    ("nl.identiteitskaartnummer", "speci2014", "SPECI2014", "SPECI2014"),
    ("nl.onderwijsnummer", "1012.22.331", "101222331", "101222331"),
    ("ro.onrc", "j40/12345/1998", "J40/12345/1998", "J40/12345/1998"),
    ("si.maticna", "5300231000", "5300231000", "5300231000"),
    ("sm.coe", "SM 24165", "24165", "24165"),
    ("no.kontonr", "8601 11 17947", "86011117947", "8601.11.17947"),
]


@pytest.mark.parametrize("vid, value, compact, formatted", WRITTEN)
def test_written_forms(vid, value, compact, formatted):
    assert outcome(vid, value) == compact
    assert ov.compact(vid, value) == compact
    assert ov.format(vid, value) == formatted
    assert ov.compact(vid, formatted) == compact


LENGTH, FORMAT, CHECKSUM, COMPONENT = "INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT"

# One row per check of every kind.
ERRORS = [
    ("be.eid", "59119170645", LENGTH),
    ("be.eid", "59119170645A", FORMAT),
    ("be.eid", "591191706459", CHECKSUM),
    ("be.eid", "000000000097", "OK"),  # remainder 0 is written 97
    ("be.eid", "000000000000", CHECKSUM),
    ("be.ogm_vcs", "+++010/8068/1718+++", LENGTH),
    ("be.ogm_vcs", "+++010/8068/17184+++", CHECKSUM),
    ("be.ssn", "8507300332", LENGTH),
    ("be.ssn", "8507300332A", FORMAT),
    ("be.ssn", "85073003327", CHECKSUM),
    ("be.ssn", "98472899766", CHECKSUM),
    ("ch.esr", "2", LENGTH),
    ("ch.esr", "2100000000031394714300090170", LENGTH),
    ("ch.esr", "21000000000313947143000901A", FORMAT),
    ("ch.esr", "210000000003139471430009018", CHECKSUM),
    ("de.leitweg", "9-33", LENGTH),
    ("de.leitweg", "99133333TEST33", FORMAT),
    ("de.leitweg", "9-33333TEST-33", FORMAT),
    ("de.leitweg", "991--33", FORMAT),
    ("de.leitweg", "991-3333_TEST-33", FORMAT),
    ("de.leitweg", "991-33333TEST-3", FORMAT),
    ("de.leitweg", "991-33333TEST-34", CHECKSUM),
    ("de.leitweg", "00-98", COMPONENT),  # 00 and 17 to 98 are no state's code
    ("de.leitweg", "171-33333TEST-73", COMPONENT),
    ("de.leitweg", "991-33333TEST-33-33", FORMAT),
    ("de.wkn", "51400", LENGTH),
    ("de.wkn", "51400I", FORMAT),
    ("de.wkn", "5140O0", FORMAT),
    ("es.cae", "ES00008V1488", LENGTH),
    ("es.cae", "FR00008V1488Q", FORMAT),
    ("es.cae", "ES0000881488Q", FORMAT),
    ("es.ccc", "2100041845020005133", LENGTH),
    ("es.ccc", "2100041845020005133A", FORMAT),
    ("es.ccc", "21000418550200051332", CHECKSUM),
    ("es.ccc", "21000418440200051332", CHECKSUM),
    ("es.cups", "ES1234123456789012JY1", LENGTH),
    ("es.cups", "ES123412345678901AJY", FORMAT),
    ("es.cups", "ES1234123456789012JY1Q", COMPONENT),
    ("es.cups", "ES1234123456789012JZ", CHECKSUM),
    ("es.referenciacatastral", "7837301VG8173B0001T", LENGTH),
    ("es.referenciacatastral", "7837301VG8173B000ATT", FORMAT),
    ("es.referenciacatastral", "7837301VG8173B0001TN", FORMAT),  # N is no check letter
    ("es.referenciacatastral", "7837301VG8173B0001TW", CHECKSUM),
    ("eu.at_02", "DE98ZZZ", LENGTH),
    ("eu.at_02", "D198ZZZ09999999999", FORMAT),
    ("eu.at_02", "DE98ZZZ0999999999_", FORMAT),
    ("eu.at_02", "DE97ZZZ09999999999", CHECKSUM),
    ("eu.at_02", "DE98ABC09999999999", "OK"),  # the business code is not checked
    ("eu.banknote", "P3600703374", LENGTH),
    ("eu.banknote", "3P6007033744", FORMAT),
    ("eu.banknote", "P36007033745", CHECKSUM),
    ("eu.eic", "10YAT-APG------", LENGTH),
    ("eu.eic", "101AT-APG------L", FORMAT),
    ("eu.eic", "10YAT-APG------M", CHECKSUM),
    ("eu.excise", "DE0012345678", LENGTH),
    ("eu.excise", "DE001234567_9", FORMAT),
    ("eu.excise", "GR00123456789", COMPONENT),  # Greece is EL
    ("eu.excise", "EL00123456789", "OK"),
    ("eu.oss", "EU37200004", LENGTH),
    ("eu.oss", "IM372000041", FORMAT),
    ("eu.oss", "EU37200004A", FORMAT),
    ("eu.oss", "EU840000041", COMPONENT),  # the United States are no member state
    ("eu.oss", "IM9000000742", "OK"),  # Northern Ireland
    ("fi.associationid", "1234567", LENGTH),
    ("fi.associationid", "12A.456", FORMAT),
    ("fi.associationid", "000.000", COMPONENT),
    ("fi.veronumero", "12345678912", LENGTH),
    ("fi.veronumero", "12345678912A", FORMAT),
    ("fo.vn", "62385", LENGTH),
    ("fo.vn", "62385A", FORMAT),
    ("fr.accise", "FR023004N000", LENGTH),
    ("fr.accise", "BE023004N0001", FORMAT),
    ("fr.rcs", "RCS B 552120222", LENGTH),
    ("fr.rcs", "RCS Paris B 55212022", FORMAT),
    ("fr.rcs", "RCS Par1s B 552120222", FORMAT),
    ("fr.rcs", "RCS Paris B 552120223", CHECKSUM),
    ("gb.upn", "H80120000100", LENGTH),
    ("gb.upn", "I801200001001", FORMAT),  # I is no check letter
    ("gb.upn", "H8012000010O1", FORMAT),
    ("gb.upn", "A801200001001", CHECKSUM),
    ("nl.brin", "05K", LENGTH),
    ("nl.brin", "5KDA", FORMAT),
    ("nl.brin", "05KD0A", FORMAT),
    ("nl.identiteitskaartnummer", "SPECI201", LENGTH),
    ("nl.identiteitskaartnummer", "SOECI2014", FORMAT),  # no letter O
    ("nl.identiteitskaartnummer", "SPECI201A", FORMAT),
    ("nl.identiteitskaartnummer", "SPECI 2014", LENGTH),
    ("nl.onderwijsnummer", "10122233", LENGTH),
    ("nl.onderwijsnummer", "10122233A", FORMAT),
    ("nl.onderwijsnummer", "111222331", COMPONENT),
    ("nl.onderwijsnummer", "101222332", CHECKSUM),
    ("ro.onrc", "J40/1/199", LENGTH),
    ("ro.onrc", "X40/12345/1998", FORMAT),
    ("ro.onrc", "J40-12345-1998", FORMAT),
    ("ro.onrc", "J40/12345/98AB", FORMAT),
    ("ro.onrc", "J41/12345/1998", COMPONENT),
    ("ro.onrc", "J40/00000/1998", COMPONENT),
    ("ro.onrc", "J40/12345/1989", COMPONENT),
    ("ro.onrc", "J40/12345/9999", COMPONENT),
    ("si.maticna", "53002310", LENGTH),
    ("si.maticna", "530023A000", FORMAT),
    ("si.maticna", "5300232000", CHECKSUM),
    ("si.maticna", "4892690", CHECKSUM),  # remainder 0: no check digit, no such number
    ("sm.coe", "123456", LENGTH),
    ("sm.coe", "12A", FORMAT),
    ("sm.coe", "000", COMPONENT),
    ("no.kontonr", "8601111794", LENGTH),
    ("no.kontonr", "8601111794A", FORMAT),
    ("no.kontonr", "86011117948", CHECKSUM),
    ("hr.oib", "3339200596", LENGTH),
    ("hr.oib", "3339200596A", FORMAT),
    ("hr.oib", "33392005962", CHECKSUM),
    ("ro.cui", "1", LENGTH),
    ("ro.cui", "18547290123", LENGTH),
    ("ro.cui", "1854729O", FORMAT),
    ("ro.cui", "018547290", FORMAT),
    ("ro.cui", "18547291", CHECKSUM),
]


@pytest.mark.parametrize("vid, value, code", ERRORS)
def test_errors(vid, value, code):
    r = ov.validate(vid, value)
    if code == "OK":
        assert r.valid, value
    else:
        assert not r.valid and r.error.code == code and r.error.message, value


# Single-character changes of an example: (id, compact example, characters
# tried, positions changed (None: all)). Every change must fail; where the
# check cannot see every change, the row says why.
SUBSTITUTIONS = [
    ("hr.oib", "33392005961", string.digits, None),
    # Remainders 10 and 0 both give check digit 0, so only a number whose
    # check digit is not 0 shows every change (weights and digits below 11
    # always move the remainder); the first digit may not be 0.
    ("ro.cui", "18729844", string.digits, range(1, 8)),
    ("ro.cui", "18729844", string.digits[1:], (0,)),
    ("be.eid", "591191706458", string.digits, None),
    ("be.ogm_vcs", "010806817183", string.digits, None),
    ("be.ssn", "85073003328", string.digits, None),
    ("ch.esr", "210000000003139471430009017", string.digits, None),
    ("de.leitweg", "991-33333TEST-33", string.digits, (0, 1, 2, 4, 5, 6, 7, 8, 14, 15)),
    ("de.leitweg", "991-33333TEST-33", string.ascii_uppercase, (9, 10, 11, 12)),
    # 10 and 11 - 10 both give the check digit 1: only the check digits
    # themselves and the positions weighted 1 see every change.
    ("es.ccc", "21000418450200051332", string.digits, (8, 9)),
    ("es.cups", "ES1234123456789012JY", string.digits, range(2, 18)),
    ("es.cups", "ES1234123456789012JY", "TRWAGMYFPDXBNJZSQVHLCKE", (18, 19)),
    # Letters count up to 27, so one may stand for another 23 apart: digits only.
    ("es.referenciacatastral", "7837301VG8173B0001TT", string.digits, (0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 14, 15, 16, 17)),
    ("es.referenciacatastral", "7837301VG8173B0001TT", "MQWERTYUIOPASDFGHJKLBZX", (18, 19)),
    # The creditor business code (positions 4 to 6) is outside the check.
    ("eu.at_02", "DE98ZZZ09999999999", string.digits, (2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17)),
    # Modulo 9: 0 and 9 count alike, so only digits 2 to 8 are tried.
    ("eu.banknote", "P36007033744", "2345678", range(1, 12)),
    ("eu.eic", "10YAT-APG------L", string.digits + string.ascii_uppercase + "-", range(3, 16)),
    ("fr.rcs", "RCS PARIS B 552120222", string.digits, range(12, 21)),
    ("gb.upn", "H801200001001", string.digits, range(1, 13)),
    ("gb.upn", "H801200001001", "ABCDEFGHJKLMNPQRTUVWXYZ", (0,)),
    ("nl.onderwijsnummer", "101222331", string.digits, None),
    # The unit's three digits are outside the check.
    ("si.maticna", "5300231000", string.digits, range(7)),
    ("no.kontonr", "86011117947", string.digits, None),
]


@pytest.mark.parametrize("vid, example, alphabet, positions", SUBSTITUTIONS)
def test_every_single_character_change_fails(vid, example, alphabet, positions):
    kind_checks.every_change_fails(vid, example, alphabet, positions)


# Kinds that check the shape (and perhaps a component) alone: a change within
# the shape still passes, one that breaks it fails.
SHAPES = [
    ("de.wkn", "514000", "514001", "51400I"),
    ("es.cae", "ES00008V1488Q", "ES00008V1488R", "ES00008V14881"),
    ("eu.excise", "DE00123456789", "DE00123456788", "DX00123456789"),
    ("eu.oss", "EU372000041", "EU372000042", "EU373000041"),
    ("fi.associationid", "123456", "123457", "12345A"),
    ("fi.veronumero", "123456789123", "123456789124", "12345678912A"),
    ("fo.vn", "623857", "623858", "62385X"),
    ("fr.accise", "FR023004N0001", "FR023004N0002", "FR023004N000_"),
    ("nl.brin", "05KD", "05KE", "05K1"),
    ("nl.identiteitskaartnummer", "SPECI2014", "SPECI2015", "SPECI201X"),
    ("ro.onrc", "J40/12345/1998", "J40/12346/1998", "J40/12345/1898"),
    ("sm.coe", "24165", "24166", "2416A"),
]


@pytest.mark.parametrize("vid, example, within, broken", SHAPES)
def test_shape_only_forms(vid, example, within, broken):
    assert ov.validate(vid, example).valid
    assert ov.validate(vid, within).valid
    assert not ov.validate(vid, broken).valid


@pytest.mark.parametrize("vid", EUROPE)
def test_generated_values_validate_round_trip_and_spread(vid):
    # Codes of up to five digits: a thousand draws from 99 999 values repeat a few.
    kind_checks.generated_values_hold(vid, least=980 if vid == "sm.coe" else 990)


@pytest.mark.parametrize("vid", EUROPE)
def test_sampled_values_validate_and_spread(vid):
    kind_checks.sampled_values_hold(vid)


# Forms the generators must reach.
FORMS = [
    ("be.ssn", lambda v: int(v[2:4]) >= 20, lambda v: int(v[2:4]) < 20),  # BIS and register numbers
    ("es.cups", lambda v: len(v) == 20, lambda v: len(v) == 22),
    ("eu.banknote", lambda v: v[1].isdigit(), lambda v: v[1].isalpha()),
    ("eu.oss", lambda v: v.startswith("EU"), lambda v: v.startswith("IM")),
    ("gb.upn", lambda v: v[-1].isdigit(), lambda v: v[-1].isalpha()),
    ("si.maticna", lambda v: len(v) == 7, lambda v: len(v) == 10),
    ("de.leitweg", lambda v: v.count("-") == 1, lambda v: v.count("-") == 2),
]


@pytest.mark.parametrize("vid, one, other", FORMS)
def test_generators_reach_every_form(vid, one, other):
    values = [ov.generate(vid) for _ in range(300)]
    assert any(map(one, values)) and any(map(other, values))


# Sentences a finder must read the value from at the weakest confidence:
# (id, text, the value as written).
SENTENCES = [
    ("be.eid", "Kaartnummer 591-1917064-58 op de kaart.", "591-1917064-58"),
    ("be.ogm_vcs", "Gestructureerde mededeling ***010/8068/17183*** graag vermelden.", "010/8068/17183"),
    ("be.ssn", "INSZ 85.07.30-033.28 van de werknemer.", "85.07.30-033.28"),
    ("ch.esr", "QR-Referenz 21 00000 00003 13947 14300 09017 angeben.", "21 00000 00003 13947 14300 09017"),
    ("de.leitweg", "Leitweg-ID 991-33333TEST-33 bitte angeben.", "991-33333TEST-33"),
    ("de.wkn", "Die Aktie (WKN 514000) stieg.", "WKN 514000"),
    ("es.cae", "CAE ES00008V1488Q del depósito.", "ES00008V1488Q"),
    ("es.ccc", "Cuenta 2100 0418 45 0200051332 del cliente.", "2100 0418 45 0200051332"),
    ("es.cups", "CUPS ES1234123456789012JY1F en la factura.", "ES1234123456789012JY1F"),
    ("es.referenciacatastral", "Referencia catastral 7837301VG8173B0001TT del inmueble.", "7837301VG8173B0001TT"),
    ("eu.at_02", "Gläubiger-ID DE98ZZZ09999999999 im Mandat.", "DE98ZZZ09999999999"),
    ("eu.banknote", "The note P36007033744 was checked.", "P36007033744"),
    ("eu.eic", "Area 10Y1001A1001A82H is coupled.", "10Y1001A1001A82H"),
    ("eu.excise", "Excise number DE00123456789 on the e-AD.", "DE00123456789"),
    ("eu.oss", "IOSS number IM2760000742 on the parcel.", "IM2760000742"),
    ("fi.associationid", "Yhdistysrekisterinumero 123.456 on rekisterissä.", "123.456"),
    ("fi.veronumero", "Veronumero 123456789123 kortissa.", "123456789123"),
    ("fo.vn", "V-tal 623857 á fakturuni.", "623857"),
    ("fr.accise", "Numéro d'accise FR023004N0001 de l'entrepositaire.", "FR023004N0001"),
    ("fr.rcs", "Immatriculée RCS PARIS B 552 120 222 depuis.", "RCS PARIS B 552 120 222"),
    ("gb.upn", "The UPN H801200001001 was issued.", "H801200001001"),
    ("nl.brin", "BRIN 05KD van de school.", "05KD"),
    ("nl.identiteitskaartnummer", "Documentnummer SPECI2014 op de kaart.", "SPECI2014"),
    ("nl.onderwijsnummer", "Onderwijsnummer 101222331 van de leerling.", "101222331"),
    ("ro.onrc", "Nr. ORC J40/12345/1998 al firmei.", "J40/12345/1998"),
    ("si.maticna", "Matična številka 5300231000 podjetja.", "5300231000"),
    ("sm.coe", "COE 24165 dell'operatore.", "24165"),
    ("no.kontonr", "Kontonummer 8601.11.17947 i banken.", "8601.11.17947"),
    ("hr.oib", "OIB: 33392005961, Zagreb.", "33392005961"),
    ("ro.cui", "Cod fiscal (CUI) 18547290 al societății.", "18547290"),
]


def test_every_kind_has_a_sentence():
    assert sorted(vid for vid, _, _ in SENTENCES) == EUROPE


@pytest.mark.parametrize("vid, text, written", SENTENCES)
def test_the_finder_reads_the_value_from_a_sentence(vid, text, written):
    kind_checks.found_in_sentence(vid, text, ov.compact(vid, written), written)


# Identifier-like text and arbitrary Unicode (never surrogates).
identifierish = st.text(alphabet="0123456789ABCDEFJRSXYZabcfx -./:+*\u00a0\u2013\uff11\u200b\u00c9", max_size=40)
texts = st.one_of(identifierish, st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=60))


@given(st.sampled_from(EUROPE), texts)
def test_hostile_input_never_raises(vid, value):
    kind_checks.any_text_gives_a_result(vid, value)


BAD = ["", " ", "\x00", "591191706458\x00", "\u0665\u0669\u0661", "é" * 30, "\u0301", "RCS \x00 B 552120222",
       "RCS " + "É" * 100 + " 552120222", "9" * 100_000, "-" * 100_000, "+++" * 50_000, "RCS " * 50_000]


@pytest.mark.parametrize("vid", EUROPE)
def test_bad_input_gives_a_result(vid):
    kind_checks.bad_input_gives_a_result(vid, BAD)


def test_the_reference_table_matches_the_registry():
    kind_checks.reference_table_describes("europe", EUROPE)