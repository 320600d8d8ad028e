"""The kinds of the Americas, Africa, Asia and Oceania: published examples,
the rules of each kind, single-character changes, generation and sampling,
round trips, hostile input, the reference table and the finder, through the
package-level functions.
"""
import csv
import string
from importlib import resources

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov
from orvane_vardik import _native

import kind_checks

from helpers import code_of

WORLD = sorted([
    "ca.bc_phn", "cr.cpj", "cr.cr", "do.cedula", "do.ncf", "ec.ci", "pe.cui", "py.ruc", "sv.nit", "us.atin",
    "us.ptin", "dz.nif", "gn.nifp", "ke.pin", "mu.nid", "mz.nuit", "sn.ninea", "tn.mf", "za.tin", "id.nik",
    "il.hp", "in.epic", "in.vid", "om.vat", "th.moa", "th.pin", "it.aic", "ru.ogrn", "ua.rntrc",
    "nz.bankaccount",
])

LENGTH, FORMAT, CHECKSUM, COMPONENT = "INVALID_LENGTH", "INVALID_FORMAT", "INVALID_CHECKSUM", "INVALID_COMPONENT"


def test_the_kinds_are_served_by_the_package_only():
    assert set(WORLD) <= set(ov.validator_ids())
    assert not set(WORLD) & set(_native.validator_ids())


@pytest.mark.parametrize("vid", WORLD)
def test_metadata_and_examples(vid):
    m = ov.validator_metadata(vid)
    assert m.name and m.local_name and m.abbreviation and m.aliases and m.candidate_pattern
    assert m.source_url.startswith("https://") and m.country and m.can_generate
    assert len(m.examples) >= 2
    for example in m.examples:
        r = ov.validate(vid, example)
        assert r.valid, (example, r.error and r.error.message)
        assert len(r.compact) in m.lengths


def test_reference_table_lists_each_kind_once_with_its_lengths():
    kind_checks.reference_table_describes("world", WORLD)


# Written forms: (id, input, compact, format).
WRITTEN = [
    ("ca.bc_phn", "9698-658-215", "9698658215", "9698 658 215"),
    ("cr.cpj", "3 101 123456", "3101123456", "3-101-123456"),
    ("do.cedula", "00113918205", "00113918205", "001-1391820-5"),
    ("do.ncf", "b01 00000001", "B0100000001", "B0100000001"),
    ("dz.nif", "408.020.000.150.039", "408020000150039", "408020000150039"),
    ("gn.nifp", "693770885", "693770885", "693-770-885"),
    ("in.vid", "2341-2341-2341-2341", "2341234123412341", "2341 2341 2341 2341"),
    ("it.aic", "AIC 000307052", "000307052", "000307052"),
    ("it.aic", "009cvd", "009CVD", "009CVD"),  # the base-32 form of the same code
    ("ke.pin", "a004416331m", "A004416331M", "A004416331M"),
    ("mz.nuit", "400005834", "400005834", "400 005 834"),
    ("om.vat", "om1100001234", "1100001234", "OM1100001234"),
    ("pe.cui", "10117410-g", "10117410G", "10117410-G"),
    ("py.ruc", "800000358", "800000358", "80000035-8"),
    ("sn.ninea", "30672212g2", "30672212G2", "3067221 2G2"),
    ("sv.nit", "SV 0614-050707-104-8", "06140507071048", "0614-050707-104-8"),
    ("th.moa", "0994000617721", "0994000617721", "0-99-4-000-61772-1"),
    ("th.pin", "3100600445635", "3100600445635", "3-1006-00445-63-5"),
    ("tn.mf", "1234567 m a e 001", "1234567MAE001", "1234567/M/A/E/001"),
    ("tn.mf", "1282182/w", "1282182W", "1282182/W"),
    ("us.atin", "900930000", "900930000", "900-93-0000"),
    ("us.ptin", "p-00634642", "P00634642", "P00634642"),
    ("za.tin", "0001/339/050", "0001339050", "0001339050"),
    ("nz.bankaccount", "01 0242 0100194 00", "010242010019400", "01-0242-0100194-00"),
    ("nz.bankaccount", "010242001001940000", "010242001001940000", "01-0242-00100194-0000"),
]


@pytest.mark.parametrize("vid, value, compact, formatted", WRITTEN)
def test_written_forms_round_trip(vid, value, compact, formatted):
    r = ov.validate(vid, value)
    assert r.valid and r.compact == compact
    assert ov.compact(vid, value) == compact and ov.format(vid, value) == formatted
    assert ov.compact(vid, formatted) == compact


# One or more rows for every rule of every kind.
ERRORS = [
    ("ca.bc_phn", "969865821", LENGTH),
    ("ca.bc_phn", "969865821A", FORMAT),
    ("ca.bc_phn", "5736504210", COMPONENT),  # must start with 9
    ("ca.bc_phn", "9698648215", CHECKSUM),
    ("ca.bc_phn", "9000000010", CHECKSUM),  # remainder 1 has no check digit
    ("cr.cpj", "310132541", LENGTH),
    ("cr.cpj", "3534123559", COMPONENT),  # type 534 is not in class 3
    ("cr.cpj", "1101123456", COMPONENT),
    ("cr.cr", "12345678", LENGTH),
    ("cr.cr", "30123456789", COMPONENT),
    ("do.cedula", "00113918204", CHECKSUM),
    ("do.cedula", "0011391820A", FORMAT),
    ("do.ncf", "Z0100000005", FORMAT),
    ("do.ncf", "B0500000005", COMPONENT),  # type 05 is not issued
    ("do.ncf", "E010000000005", COMPONENT),  # e-CF types are 31 to 47
    ("do.ncf", "B01000000051", LENGTH),
    ("do.ncf", "B010000000A", FORMAT),
    ("do.ncf", "A020010210500000005", COMPONENT),
    ("dz.nif", "12345", LENGTH),
    ("dz.nif", "X1600100000000V", FORMAT),
    ("ec.ci", "171430710", LENGTH),
    ("ec.ci", "1714307104", CHECKSUM),
    ("ec.ci", "2514307103", COMPONENT),  # province 25 does not exist
    ("ec.ci", "1764307103", COMPONENT),  # third digit 6: not a natural person
    ("pe.cui", "101174103", CHECKSUM),
    ("pe.cui", "10117410H", CHECKSUM),
    ("pe.cui", "1011741", LENGTH),
    ("pe.cui", "1011741X2", FORMAT),
    ("py.ruc", "800532492", CHECKSUM),
    ("py.ruc", "80123456789", LENGTH),
    ("sv.nit", "06140507071040", CHECKSUM),
    ("sv.nit", "12345678", LENGTH),
    ("sv.nit", "56140507071048", COMPONENT),
    ("us.atin", "123456789", COMPONENT),  # not an adoption number
    ("us.atin", "900940000", COMPONENT),
    ("us.ptin", "00634642", LENGTH),
    ("us.ptin", "X00634642", FORMAT),
    ("gn.nifp", "693770880", CHECKSUM),
    ("gn.nifp", "12345", LENGTH),
    ("ke.pin", "12345", LENGTH),
    ("ke.pin", "V1234567890", FORMAT),
    ("ke.pin", "B051365947M", COMPONENT),
    ("mu.nid", "J2906201304088", CHECKSUM),
    ("mu.nid", "J3102201304089", COMPONENT),  # 31 February
    ("mu.nid", "J2913201304089", COMPONENT),  # month 13
    ("mu.nid", "12906201304089", FORMAT),
    ("mz.nuit", "400339911", CHECKSUM),
    ("mz.nuit", "12345", LENGTH),
    ("sn.ninea", "3067222", CHECKSUM),
    ("sn.ninea", "30672210AZ", FORMAT),
    ("sn.ninea", "30672213G2", COMPONENT),  # COFI starts with 0, 1 or 2
    ("sn.ninea", "30672212I2", COMPONENT),
    ("sn.ninea", "30672", LENGTH),
    ("tn.mf", "1219773U", COMPONENT),
    ("tn.mf", "1234567MAX000", COMPONENT),
    ("tn.mf", "1234567MXE000", COMPONENT),
    ("tn.mf", "1234567MAM001", COMPONENT),  # other establishments only in category E
    ("tn.mf", "123456", LENGTH),
    ("tn.mf", "12345678", FORMAT),
    ("za.tin", "2449494160", CHECKSUM),
    ("za.tin", "9125568", LENGTH),
    ("za.tin", "4001339050", COMPONENT),
    ("id.nik", "31710117084500", LENGTH),
    ("id.nik", "9971011708450001", COMPONENT),  # no province 99
    ("id.nik", "3171013002001234", COMPONENT),  # 30 February
    ("id.nik", "3171018708450001", COMPONENT),  # day 87 - 40 = 47
    ("il.hp", "516179150", CHECKSUM),
    ("il.hp", "416179157", COMPONENT),
    ("il.hp", "490154203237518", LENGTH),
    ("in.epic", "1231186253", FORMAT),
    ("in.epic", "WKH118624", LENGTH),
    ("in.epic", "WKH1186263", CHECKSUM),
    ("in.vid", "2341234123412342", CHECKSUM),
    ("in.vid", "1341234123412341", COMPONENT),
    ("in.vid", "2222222222222222", COMPONENT),  # a palindrome (and it passes Verhoeff)
    ("in.vid", "13412341234123", LENGTH),
    ("om.vat", "OM110000123", LENGTH),
    ("om.vat", "OM110000123A", FORMAT),
    ("th.moa", "0994000617723", CHECKSUM),
    ("th.moa", "1994000617721", COMPONENT),
    ("th.pin", "1234545678789", CHECKSUM),
    ("th.pin", "0100600445632", COMPONENT),
    ("it.aic", "000307053", CHECKSUM),
    ("it.aic", "100307052", COMPONENT),
    ("it.aic", "009CVA", FORMAT),  # vowels are not base-32 digits here
    ("it.aic", "ZZZZZZ", COMPONENT),  # beyond nine digits
    ("it.aic", "0003070", LENGTH),
    ("ru.ogrn", "1022500001328", CHECKSUM),
    ("ru.ogrn", "0022200525819", COMPONENT),
    ("ru.ogrn", "585768585948949", COMPONENT),  # 15 digits: 3 or 4 first
    ("ru.ogrn", "10222005258", LENGTH),
    ("ua.rntrc", "1759013770", CHECKSUM),
    ("ua.rntrc", "12345", LENGTH),
    ("nz.bankaccount", "010242010019500", CHECKSUM),
    ("nz.bankaccount", "019999010019400", COMPONENT),  # branch outside the bank's ranges
    ("nz.bankaccount", "070242010019400", COMPONENT),  # no bank 07
    ("nz.bankaccount", "01024201001940", LENGTH),
    ("nz.bankaccount", "0102420100194000A", LENGTH),
]


@pytest.mark.parametrize("vid, value, code", ERRORS)
def test_errors(vid, value, code):
    r = ov.validate(vid, value)
    assert not r.valid and r.error.code == code, (r.compact, r.error and r.error.message)
    assert r.error.message


# Rules whose corner cases a plain reading gets wrong: each row valid.
CORNERS = [
    # A remainder of 10 (13 digits) or 10 to 12 (15 digits) gives its last digit.
    ("ru.ogrn", "1000000000110"),
    ("ru.ogrn", "300000000000101"),
    ("ru.ogrn", "300000000000112"),
    # Women's birth day is written plus 40; 29 February 2000 exists.
    ("id.nik", "3171015708450001"),
    ("id.nik", "3171012902001234"),
    ("id.nik", "9601012902001234"),  # a Papuan province of 2022
    # Sequences up to 100 and above 100 use different weights.
    ("sv.nit", "06140507071048"),
    ("sv.nit", "06140507071003"),
    # The check character is a digit or a letter of the same table position.
    ("pe.cui", "101174102"),
    ("pe.cui", "10117410G"),
    # Remainders 0 and 1 give check digit 0 (Paraguay) or the digit itself (Mozambique).
    ("py.ruc", "80028061-0"),
    ("mz.nuit", "400000001"),
    # Each bank's algorithm: A below base 990000, B from it, D, E, F, G and none.
    ("nz.bankaccount", "010242010019400"),
    ("nz.bankaccount", "010902099000800"),
    ("nz.bankaccount", "0865010001007000"),
    ("nz.bankaccount", "0900000000018001"),
    ("nz.bankaccount", "2525000000017000"),
    ("nz.bankaccount", "2626000000009001"),
    ("nz.bankaccount", "312800123456700"),
    # The base-32 form of a medicine code.
    ("it.aic", "009CVD"),
]


@pytest.mark.parametrize("vid, value", CORNERS)
def test_corner_cases_validate(vid, value):
    assert ov.validate(vid, value).valid


# Single-character changes of an example (digits for digits, letters for
# letters) at the positions given (None: all); each must fail.
SUBSTITUTIONS = [
    ("ca.bc_phn", "9698658215", None),
    ("do.cedula", "00113918205", None),
    ("ec.ci", "1714307103", None),
    # 0 stands for remainders 0 and 1, so a check digit 0 misses changes:
    # an example whose check digit is not 0.
    ("py.ruc", "26603", None),
    ("sv.nit", "06140507071048", None),
    ("gn.nifp", "693770885", None),
    ("il.hp", "516179157", None),
    ("za.tin", "0001339050", None),
    ("in.epic", "WKH1186253", range(3, 10)),  # the letters carry no check
    ("in.vid", "2341234123412341", None),
    ("it.aic", "000307052", None),
    ("mu.nid", "J2906201304089", None),
    ("mz.nuit", "400339910", None),
    # Weight 2 misses a change by 5: only the places weighted 1 and the check.
    ("sn.ninea", "3067221", (0, 2, 4, 6)),
    # Weight 11 (the third digit) is invisible modulo 11.
    ("th.pin", "3100600445635", (0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)),
    ("th.moa", "0105536112014", (0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)),
    ("ua.rntrc", "1759013776", None),
    ("ru.ogrn", "1022200525819", None),
    ("pe.cui", "10117410G", None),
    # Algorithm A weighs the branch and base; another bank with A accepts a changed bank digit.
    ("nz.bankaccount", "010242010019400", range(2, 13)),
]


@pytest.mark.parametrize("vid, example, positions", SUBSTITUTIONS)
def test_every_single_character_change_fails(vid, example, positions):
    assert ov.validate(vid, example).valid
    for i in positions if positions is not None else range(len(example)):
        alphabet = string.digits if example[i].isdigit() else string.ascii_uppercase
        for c in alphabet:
            if c != example[i]:
                changed = example[:i] + c + example[i + 1:]
                assert not ov.validate(vid, changed).valid, changed


@pytest.mark.parametrize("vid", WORLD)
def test_generated_values_validate_round_trip_and_spread(vid):
    kind_checks.generated_values_hold(vid)


@pytest.mark.parametrize("vid", WORLD)
def test_sampled_values_validate_and_spread(vid):
    kind_checks.sampled_values_hold(vid, least=990, seed=11)


# Forms the generators must reach: (id, one, other).
FORMS = [
    ("cr.cr", lambda v: len(v) == 11, lambda v: len(v) == 12),
    ("do.ncf", lambda v: v[0] == "E", lambda v: v[0] in "AP"),
    ("dz.nif", lambda v: len(v) == 15, lambda v: len(v) == 20),
    ("it.aic", lambda v: len(v) == 6, lambda v: len(v) == 9),
    ("pe.cui", lambda v: len(v) == 8, lambda v: v[-1].isalpha()),
    ("ru.ogrn", lambda v: len(v) == 13, lambda v: len(v) == 15),
    ("sn.ninea", lambda v: len(v) in (7, 9), lambda v: len(v) in (10, 12)),
    ("tn.mf", lambda v: len(v) == 8, lambda v: v[9:10] == "E"),
    ("id.nik", lambda v: int(v[6:8]) > 40, lambda v: int(v[6:8]) <= 31),
    ("nz.bankaccount", lambda v: v[:2] == "09", lambda v: v[:2] == "26"),
]


@pytest.mark.parametrize("vid, one, other", FORMS)
def test_generators_reach_every_form(vid, one, other):
    values = [ov.generate(vid) for _ in range(600)]
    assert any(map(one, values)) and any(map(other, values))


# Sentences the finder must read the value from at the weakest confidence:
# (id, text, the value as written). A word joined to the number by a single
# blank may be read as one ISRC (three letters and nine digits), so some
# sentences set the word off with a colon.
SENTENCES = [
    ("ca.bc_phn", "Patient PHN 9698 658 215 is on file.", "9698 658 215"),
    ("cr.cpj", "La cédula jurídica 3-101-123456 de la sociedad.", "3-101-123456"),
    ("cr.cr", "Su DIMEX 155812994816 está vigente.", "155812994816"),
    ("do.cedula", "Cédula 001-1391820-5 del titular.", "001-1391820-5"),
    ("do.ncf", "Factura con NCF B0100000001 emitida hoy.", "B0100000001"),
    ("dz.nif", "NIF 408 020 000 150 039 de l'entreprise.", "408 020 000 150 039"),
    ("ec.ci", "Cédula de identidad 1714307103 del solicitante.", "1714307103"),
    ("gn.nifp", "NIFp 693-770-885 du contribuable.", "693-770-885"),
    ("id.nik", "NIK 3171011708450001 tercatat.", "3171011708450001"),
    ("il.hp", "ח.פ. 516179157 של החברה.", "516179157"),
    ("in.epic", "Voter ID: WKH1186253 was verified.", "WKH1186253"),
    ("in.vid", "Aadhaar VID 2341 2341 2341 2341 was used.", "2341 2341 2341 2341"),
    ("it.aic", "Codice AIC: 000307052 della confezione.", "000307052"),
    ("ke.pin", "KRA PIN P051365947M on the invoice.", "P051365947M"),
    ("mu.nid", "NID J2906201304089 on the card.", "J2906201304089"),
    ("mz.nuit", "NUIT 400 339 910 da empresa.", "400 339 910"),
    ("om.vat", "VATIN OM1100001234 on the invoice.", "OM1100001234"),
    ("pe.cui", "DNI: 10117410-2 del ciudadano.", "10117410-2"),
    ("py.ruc", "RUC: 80028061-0 de la empresa.", "80028061-0"),
    ("ru.ogrn", "ОГРН 1022200525819 организации.", "1022200525819"),
    ("sn.ninea", "NINEA: 3067221 2G2 de la société.", "3067221 2G2"),
    ("sv.nit", "NIT 0614-050707-104-8 del contribuyente.", "0614-050707-104-8"),
    ("th.moa", "MOA 0-10-5-536-11201-4 of the company.", "0-10-5-536-11201-4"),
    ("th.pin", "เลขประจำตัวประชาชน 3100600445635 ของผู้ถือบัตร", "3100600445635"),
    ("tn.mf", "Matricule fiscal 1496298/T/P/N/000 de la société.", "1496298/T/P/N/000"),
    ("ua.rntrc", "РНОКПП 1759013776 платника.", "1759013776"),
    ("us.atin", "The child's ATIN 912-93-4567 was issued.", "912-93-4567"),
    ("us.ptin", "Preparer PTIN P01594846 signed.", "P01594846"),
    ("za.tin", "Tax reference number 0001339050 on file.", "0001339050"),
    ("nz.bankaccount", "Pay to bank account 01-0242-0100194-00 today.", "01-0242-0100194-00"),
]


def test_every_kind_has_a_sentence():
    assert sorted(vid for vid, _, _ in SENTENCES) == WORLD


@pytest.mark.parametrize("vid, text, written", SENTENCES)
def test_the_finder_reads_the_value_from_a_sentence(vid, text, written):
    kind_checks.found_in_sentence(vid, text, ov.compact(vid, written), written)


# Identifier-like text and arbitrary Unicode (never surrogates).
identifierish = st.text(alphabet="0123456789ABEGJMOPSVWZabegmp -./\u00a0\u2013\uff11\u200b\u0301", max_size=40)
texts = st.one_of(identifierish, st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=60))


@given(st.sampled_from(WORLD), texts)
def test_hostile_input_never_raises(vid, value):
    kind_checks.any_text_gives_a_result(vid, value)


BAD = ["", " ", "\x00", "9698658215\x00", "00113918205\x00", "\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669",
       "é" * 30, "\u0301", "OM\x001100001234", "SV " + "É" * 100, "9" * 100_000, "-" * 100_000, "OM" * 50_000]


@pytest.mark.parametrize("vid", WORLD)
def test_bad_input_gives_a_result(vid):
    kind_checks.bad_input_gives_a_result(vid, BAD)
    for value in BAD:
        assert code_of(vid, value) != "OK"