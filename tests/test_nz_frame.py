"""The additional set N-Z as a whole: records, compaction, display formats,
generation, and totality over hostile text."""
import time

import pytest

import orvane_vardik as ov

NZ_IDS = [
    "ng.nin", "ni.ruc", "nl.bsn", "nl.kvk", "no.fodselsnummer", "nz.ird", "pa.ruc", "pe.ruc", "ph.philid",
    "pk.cnic", "pl.regon", "rs.pib", "ru.inn", "se.orgnr", "se.vat", "sg.uen", "si.emso", "sk.ico", "sk.rc",
    "th.tin", "tr.tckimlik", "tr.vkn", "tw.ubn", "ua.edrpou", "us.itin", "us.ssn", "uy.rut", "ve.rif",
    "vn.mst", "za.idnr",
]
PARSERS = {"no.fodselsnummer", "si.emso", "sk.rc", "za.idnr"}
PERSONS = {"ng.nin", "nl.bsn", "no.fodselsnummer", "ph.philid", "pk.cnic", "si.emso", "sk.rc", "tr.tckimlik",
           "us.itin", "us.ssn", "za.idnr"}
COMPANIES = {"nl.kvk", "pl.regon", "se.orgnr", "se.vat", "sg.uen", "sk.ico", "tr.vkn", "tw.ubn", "ua.edrpou",
             "vn.mst"}
CODES = {"INVALID_FORMAT", "INVALID_LENGTH", "INVALID_CHECKSUM", "INVALID_COMPONENT"}


@pytest.mark.parametrize("vid", NZ_IDS)
def test_record(vid):
    m = ov.validator_metadata(vid)
    assert m.scope == "country" and m.country == vid[:2].upper()
    assert m.entity_type == ("person" if vid in PERSONS else "company" if vid in COMPANIES else "any")
    assert m.source_url.startswith("https://")
    assert m.can_generate and m.can_parse == (vid in PARSERS)
    assert m.aliases and m.examples and m.name and m.local_name and m.abbreviation and m.candidate_pattern
    for example in m.examples:
        assert ov.validate(vid, example).valid, example
    # Always the first example exactly as stored, never compacted or drawn.
    assert ov.generate(vid) == m.examples[0] and ov.generate(vid) == m.examples[0]


def test_set_members_and_spot_metadata():
    assert set(NZ_IDS) <= set(ov.validator_ids())
    assert ov.generate("pa.ruc") == "1-184-921 DV49"
    assert ov.generate("us.itin") == "912-90-3456"
    ru = ov.validator_metadata("ru.inn")
    assert (ru.local_name, ru.abbreviation, ru.lengths) == ("Идентификационный номер налогоплательщика", "ИНН", [10, 12])
    assert ov.validator_metadata("nl.bsn").lengths == []
    assert ov.validator_metadata("sg.uen").examples == ["00192200M", "197401143C", "S16FC0121D"]


@pytest.mark.parametrize("vid, value, compact", [
    ("nl.bsn", "1112 2233", "011122233"),         # padded to nine characters
    ("nl.bsn", "1.2", "000000012"),
    ("nl.bsn", "1234567890", "1234567890"),       # longer stays as it is
    ("se.vat", "se 5561888404-01", "556188840401"),
    ("se.vat", "SE556188840401/", "556188840401"),
    ("pa.ruc", "1-184-921 dv:49", "1-184-921 DV49"),
    ("pa.ruc", "  1-184-921 \t\u00a0 dv  49 ", "1-184-921 DV49"),
    ("pa.ruc", "1-184-921 DV : 49", "1-184-921 DV 49"),  # " DV " first, then "DV:"
    ("uy.rut", "UY 21-234567-001-8", "212345670018"),
    ("uy.rut", "uY212345670018", "212345670018"),
    ("nz.ird", "NZ 49-091-850", "49091850"),
    ("nz.ird", "nz49091850", "49091850"),
    ("sk.rc", " 710319/2745 ", "7103192745"),
    ("za.idnr", "750330 5044 08-9", "750330504408-9"),
    ("ni.ruc", " 607-1904680001f\t", "6071904680001F"),
    ("sg.uen", "s16fc0121d", "S16FC0121D"),
    ("sg.uen", "ſ16fc0121d", "S16FC0121D"),       # full case mapping: long s is an S
    ("ve.rif", "v-30987654-3", "V309876543"),
    ("pe.ruc", "20.131.312-955 ", "20131312955"),
    ("tr.tckimlik", "172.917/160-60", "17291716060"),
    ("vn.mst", "0314409058-002", "0314409058002"),
    ("us.ssn", "536 90 4399", "536904399"),
    ("us.ssn", "536/90/4399", "536/90/4399"),     # a slash is not a separator here
    ("ng.nin", "\u00a01347\u20138900989", "\u00a01347\u20138900989"),  # plain removal: no look-alike mapping
])
def test_compact(vid, value, compact):
    assert ov.compact(vid, value) == compact


@pytest.mark.parametrize("vid, value, formatted", [
    ("ng.nin", "13478900989", "134 7890 0989"),
    ("ng.nin", "12", "12  "),
    ("ni.ruc", "6071904680001F", "607-190468-0001F"),
    ("ni.ruc", "J1234567890123", "J-1234567890123"),
    ("nz.ird", "49091850", "49-091-850"),
    ("nz.ird", "136410132", "136-410-132"),
    ("nz.ird", "1234", "-1-234"),                  # fewer than six: the first group is empty
    ("pa.ruc", "1-184-921 DV49", "1-184-921 DV 49"),
    ("pa.ruc", "1-184-921- DV:49:", "1-184-921 DV 49"),
    ("pa.ruc", "1-184-921", "1-184-921"),
    ("se.vat", "556188840401", "SE556188840401"),
    ("th.tin", "1101700230708", "1 1017 00230 70 8"),
    ("us.ssn", "536904399", "536-90-4399"),
    ("us.ssn", "53690439", "53690439"),
    ("us.itin", "912903456", "912-90-3456"),
    ("uy.rut", "212345670018", "21-234567-001-8"),
    ("ve.rif", "V309876543", "V-30987654-3"),
    ("vn.mst", "0314409058002", "0314409058-002"),
    ("vn.mst", "0100233488", "0100233488"),
    ("pk.cnic", "3520112345671", "35201-1234567-1"),
    ("za.idnr", "7503305044089", "750330 5044 08 9"),
    ("se.orgnr", "1234567897", "123456-7897"),
    ("sk.rc", "7103192745", "710319/2745"),
    ("no.fodselsnummer", "15108695088", "151086 95088"),
    ("ph.philid", "123456789012", "1234-5678901-2"),
    ("ph.philid", "12345678901", "12345678901"),
    ("nl.bsn", "111222333", "111222333"),
    # Pieces count characters, not bytes.
    ("ng.nin", "ééééééé", "ééé éééé "),
    ("sk.rc", "日本語日本語日本", "日本語日本語/日本"),
    ("th.tin", "ééé", "é éé   "),
])
def test_format(vid, value, formatted):
    assert ov.format(vid, value) == formatted


# Text that compaction would leave alone is checked where it stands; a blank
# that compaction removes sends the same number the other way. Both paths give
# the same outcome (pa.ruc, whose compaction rewrites blanks, has its own rows).
def _outcome(vid, value):
    r = ov.validate(vid, value)
    return r.valid, r.compact, r.error and r.error.code, r.error and r.error.message


def _parsed(vid, value):
    p = ov.parse(vid, value)
    return p and (p.birth_year, p.birth_month, p.birth_day, p.gender)


def _variants(example):
    digit = next((i for i, c in enumerate(example) if c.isdigit()), 0)
    bumped = example[:digit] + str((int(example[digit]) + 1) % 10) + example[digit + 1:] if example else example
    return [example, example[:-1], example + "7", bumped, example.lower(), "x" + example, example[::-1]]


@pytest.mark.parametrize("vid", [i for i in NZ_IDS if i != "pa.ruc"])
def test_in_place_and_compacting_paths_agree(vid):
    for example in ov.validator_metadata(vid).examples:
        for value in _variants(example):
            spaced = value[:1] + " " + value[1:]
            assert _outcome(vid, value) == _outcome(vid, spaced), (vid, value)
            assert _parsed(vid, value) == _parsed(vid, spaced), (vid, value)


HOSTILE = [
    "", " ", "\x00", "1234\x00567890123", "١٢٣٤٥٦٧٨٩٠١", "۱۲۳۴۵۶۷۸۹", "１２３４５６７８９０１２",
    "\u0301", "1\u0301" * 13, "Ѕ1234567Ѕ", "Ј309876543", "ß" * 10, "😀" * 13, "\ufeff" * 9,
    "DV", "DV:DV:", "-" * 40, "1-2-3 DV٤٩", "٠١٠١٠٠٦٥٠٠٠٠٦", "\u2028" * 3,
]
HUGE = ["1" * 1_000_000, "1-" * 500_000 + " DV49", "é" * 500_000, "\u0301" * 400_000, " DV " * 250_000,
        "J" + "1" * 999_999]


@pytest.mark.parametrize("vid", NZ_IDS)
def test_total_over_hostile_text(vid):
    for value in HOSTILE + HUGE:
        start = time.perf_counter()
        r = ov.validate(vid, value)
        assert isinstance(ov.compact(vid, value), str)
        assert isinstance(ov.format(vid, value), str)
        assert ov.parse(vid, value) is None
        assert not r.valid and r.error.code in CODES and r.error.message, (vid, value[:20])
        assert time.perf_counter() - start < 2, (vid, value[:20])
