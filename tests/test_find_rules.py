"""How the finder judges what it found: confidence and its demotions,
context words, layouts, dates and telephone numbers, overlaps, identify,
and the columnar face agreeing with find."""
import datetime
import random

import pyarrow as pa
import pytest

import orvane_vardik as ov
from orvane_vardik import _find, columns

KINDS = [k for k, _conf, _pattern in _find.kinds()]
ORDER = {k: i for i, k in enumerate(KINDS)}
EVIDENCE = {k: conf for k, conf, _pattern in _find.kinds()}
RANK = {"checksum": 0, "component": 1, "shape": 2}


def _found(text, **kw):
    return [(m.id, m.text, m.confidence) for m in ov.find(text, **kw)]


def _compacts(kid, n, seed):
    """Valid compact values of a kind: its metadata examples and a seeded sample."""
    values = [ov.validate(kid, e) for e in ov.validator_metadata(kid).examples]
    values += [ov.validate(kid, s) for s in ov.sample(kid, n, seed=seed)]
    return [r.compact for r in values if r.valid]


def _word(kid):
    return ov.validator_metadata(kid).abbreviation


# --- Plain numbers of up to 13 digits under a single check digit ---------

# Kinds whose check is one digit over a 9- to 11-digit number: about one
# number in ten passes it, so a bare one is no evidence of the kind.
WEAK = [
    ("pl.pesel", 11),
    ("nl.bsn", 9),
    ("ca.sin", 9),
    ("fr.siren", 9),
    ("au.abn", 11),
    ("pl.nip", 10),
    ("gb.nhs", 10),
]


@pytest.mark.parametrize("kid, length", WEAK)
def test_bare_number_with_one_check_digit_needs_its_word(kid, length):
    values = [v for v in _compacts(kid, 4, seed=18) if v.isdigit() and len(v) == length]
    assert values
    for v in values:
        bare = f"sent {v} units"
        assert _found(bare, ids=[kid]) == []
        assert _found(bare, ids=[kid], min_confidence="component") == [(kid, v, "component")]
        assert _found(f"{_word(kid)}: {v} units", ids=[kid]) == [(kid, v, "checksum")]


def test_bare_number_lists_every_kind_it_fits_below_the_default():
    text = "sent 44051401359 units"
    assert ov.find(text) == []
    kinds = [m.id for m in ov.find(text, min_confidence="component")]
    assert "pl.pesel" in kinds and kinds == sorted(kinds, key=ORDER.get)
    assert {m.confidence for m in ov.find(text, min_confidence="component")} == {"component"}


# --- Longer numbers stand on their own -----------------------------------

LONG = [("isni", 16), ("orcid", 16), ("creditcard", 14), ("creditcard", 15), ("creditcard", 16)]


@pytest.mark.parametrize("kid, length", LONG)
def test_numbers_longer_than_thirteen_digits_are_found_bare(kid, length):
    values = [v for v in _compacts(kid, 40, seed=7) if v.isdigit() and len(v) == length]
    assert values
    for v in values:
        assert (kid, v, "checksum") in _found(f"sent {v} units")


def test_a_sixteen_digit_span_valid_for_two_kinds_gives_both():
    # The published ORCID example is also a valid ISNI.
    assert [m.id for m in ov.find("see 0000000218250097 here")] == ["isni", "orcid"]


# --- Layouts --------------------------------------------------------------

def _cards():
    return [c for c in _compacts("creditcard", 20, seed=3) if len(c) == 16 and c.isdigit()]


def _groups(v, *lengths):
    out, at = [], 0
    for n in lengths:
        out.append(v[at : at + n])
        at += n
    return " ".join(out)


@pytest.mark.parametrize("card", _cards())
def test_card_layouts(card):
    fours = _groups(card, 4, 4, 4, 4)
    eights = _groups(card, 8, 8)
    assert _found(f"paid with {fours} today", ids=["creditcard"]) == [("creditcard", fours, "checksum")]
    # Eight and eight is no card layout: weaker, until its word announces it.
    assert _found(f"paid with {eights} today", ids=["creditcard"]) == []
    assert _found(f"paid with {eights} today", ids=["creditcard"], min_confidence="component") == [
        ("creditcard", eights, "component")
    ]
    for word in ("credit card", "Card number", "CC"):
        assert ("creditcard", eights, "checksum") in _found(f"{word} {eights} today")


@pytest.mark.parametrize(
    "kid, written",
    [
        ("isin", "US0378331005"),
        ("isin", "US 0378 3310 05"),  # as format writes it
        ("isin", "US037833 1005"),  # two groups are fine
        ("iban", "GB29NWBK60161331926819"),
        ("iban", "GB29 NWBK 6016 1331 9268 19"),
        ("iban", "GB29NWBK60161331 926819"),
    ],
)
def test_letter_spans_found_bare(kid, written):
    assert (kid, written, "checksum") in _found(f"ref {written} ok")


@pytest.mark.parametrize(
    "kid, written",
    [
        ("isin", "US03 7833 1005"),
        ("iban", "GB29NWBK 60161331 926819"),
        ("iban", "GB2 9NWB K60 1613 3192 6819"),
    ],
)
def test_three_groups_unlike_format_are_not_found_bare(kid, written):
    assert ov.validate(kid, written).valid
    assert kid not in [m.id for m in ov.find(f"ref {written} ok")]


# The word lifts a span of three groups back to its kind's evidence, as it
# lifts a plain number laid out unlike format.
@pytest.mark.parametrize(
    "text, kid, written",
    [
        ("ISIN US03 7833 1005", "isin", "US03 7833 1005"),
        ("IBAN GB29NWBK 60161331 926819", "iban", "GB29NWBK 60161331 926819"),
        ("ISIN US 0378 3310 05", "isin", "US 0378 3310 05"),
    ],
)
def test_three_groups_unlike_format_are_found_after_their_word(text, kid, written):
    assert (kid, written, "checksum") in _found(text)


# --- A pattern that demands a separator -----------------------------------

@pytest.mark.parametrize(
    "text, expected",
    [
        ("RUC 1-184-921 DV49", [("pa.ruc", "1-184-921 DV49", True)]),
        ("RUC 2588017-1-831938 DV20", [("pa.ruc", "2588017-1-831938 DV20", True)]),
        # A wrong check digit is a candidate still.
        ("RUC 1-184-921 DV48", [("pa.ruc", "1-184-921 DV48", False)]),
        # Its pattern demands the hyphens: without them no candidate.
        ("RUC 1184921 DV49", []),
        ("RUC 1 184 921 DV49", []),
        ("RUC 1184921DV49", []),
    ],
)
def test_pattern_demanding_a_separator(text, expected):
    got = ov.find(text, ids=["pa.ruc"], include_invalid=True, min_confidence="shape")
    assert [(m.id, m.text, m.valid) for m in got] == expected


# --- Dates and telephone numbers ------------------------------------------

def _dates():
    today = datetime.date.today()
    days = [today + datetime.timedelta(days=d) for d in (-4000, -400, -31, 0, 45)]
    forms = ["%d.%m.%Y", "%Y-%m-%d", "%d/%m/%y", "%d-%m-%Y", "%m/%d/%Y", "%Y/%m/%d", "%d.%m.%y"]
    out = [d.strftime(f) for d in days for f in forms]
    out += [f"{d.day}.{d.month}.{d.year}" for d in days]
    return out


@pytest.mark.parametrize("date", _dates())
@pytest.mark.parametrize("frame", ["on {} we met", "Date: {}", "PESEL: {}", "({})"])
def test_dates_are_never_reported(date, frame):
    text = frame.format(date)
    assert ov.find(text, min_confidence="shape", include_invalid=True) == []


@pytest.mark.parametrize("frame", ["TIN {}", "PEID {}"])
def test_dates_after_a_capitals_word_are_never_reported(frame):
    today = datetime.date.today()
    for date in (today.strftime("%d.%m.%Y"), today.strftime("%Y-%m-%d"), today.strftime("%d.%m.%y")):
        assert ov.find(frame.format(date)) == []


@pytest.mark.parametrize("seed", range(8))
def test_a_number_that_starts_like_a_date_is_no_date(seed):
    # A Belgian national number is written from the birth date on
    # ("YY.MM.DD-XXX.CC"): its first three fields are no date of their own.
    value = ov.sample("be.nn", 1, seed=seed)[0]
    written = ov.format("be.nn", value)
    assert ("be.nn", written) in [(m.id, m.text) for m in ov.find(f"Rijksregisternummer {written}, ok")]


@pytest.mark.parametrize(
    "text",
    ["call +4111111111111111 now", "tel. +44051401359", "PESEL +44051401359", "+48 22 4405140135", "+1 212 555 0100"],
)
def test_telephone_numbers_are_never_reported(text):
    assert ov.find(text, min_confidence="shape", include_invalid=True) == []


def test_the_plus_is_what_makes_a_telephone_number():
    assert [m.id for m in ov.find("call 4111111111111111 now")] == ["creditcard"]
    assert [m.id for m in ov.find("PESEL 44051401359")] == ["pl.pesel"]


# --- Context words ----------------------------------------------------------

@pytest.mark.parametrize(
    "text, found",
    [
        ("PESEL 44051401359", True),
        ("pesel 44051401359", True),
        ("Pesel: 44051401359", True),
        ("PeSeL nr 44051401359", True),
        ("PESEL of the new one 44051401359", True),  # four words between
        ("(PESEL) 44051401359", True),
        # Whole words only.
        ("PESELS 44051401359", False),
        ("XPESEL 44051401359", False),
        # Before the number, and only a few words before.
        ("44051401359 PESEL", False),
        ("PESEL of the new one we saw 44051401359", False),
        ("PESEL " + "x" * 150 + " 44051401359", False),
        ("the PESEL field is empty, and then many more words follow 44051401359", False),
    ],
)
def test_context_words(text, found):
    assert (("pl.pesel", "44051401359", "checksum") in _found(text)) == found


@pytest.mark.parametrize("kid", ["nl.bsn", "ca.sin", "pl.nip", "gb.nhs"])
@pytest.mark.parametrize("case", [str.upper, str.lower, str.title])
def test_context_words_in_any_case(kid, case):
    v = [v for v in _compacts(kid, 2, seed=11) if v.isdigit()][0]
    assert (kid, v, "checksum") in _found(f"{case(_word(kid))} {v}", ids=[kid])


# --- Overlaps ---------------------------------------------------------------

OVERLAP_TEXTS = [
    "IBAN GB29 NWBK 6016 1331 9268 19 paid",
    "card 4111 1111 1111 1111 2020",
    "ID 9390039444460567.",
    "sent 44051401359 units",
    "PESEL 44051401359, BSN 111222333 and 4111-1111-1111-1111",
    "ISIN US0378331005 GB0002634946 / 1234 5678 9012",
    "RUC 1-184-921 DV49 and IBAN DE89 3704 0044 0532 0130 00",
    "ref 1176864010886 and 0000-0002-1825-0097",
]


@pytest.mark.parametrize(
    "text, expected",
    [
        # The IBAN, not the numbers inside it; the card, not the year after it.
        ("IBAN GB29 NWBK 6016 1331 9268 19 paid", [("iban", "GB29 NWBK 6016 1331 9268 19")]),
        ("card 4111 1111 1111 1111 2020", [("creditcard", "4111 1111 1111 1111")]),
        # One span, two kinds, registry order.
        ("ID 9390039444460567.", [("isni", "9390039444460567"), ("orcid", "9390039444460567")]),
    ],
)
def test_longest_valid_span_wins_and_equal_spans_keep_every_kind(text, expected):
    assert [(m.id, m.text) for m in ov.find(text)] == expected


@pytest.mark.parametrize("text", OVERLAP_TEXTS)
@pytest.mark.parametrize("kw", [{}, {"min_confidence": "shape"}, {"min_confidence": "shape", "include_invalid": True}])
def test_kept_spans_never_overlap_unless_equal(text, kw):
    ms = ov.find(text, **kw)
    for a in ms:
        for b in ms:
            if a is b or (a.start, a.end) == (b.start, b.end):
                continue
            assert a.end <= b.start or b.end <= a.start, (a, b)
    spans = {}
    for m in ms:
        spans.setdefault((m.start, m.end), []).append(m)
    for same in spans.values():
        # Kinds a word names come first, then the strongest, then registry
        # order: each kind once.
        assert len({m.id for m in same}) == len(same)
        assert len({m.valid for m in same}) == 1


@pytest.mark.parametrize("text", OVERLAP_TEXTS)
def test_each_kinds_match_is_kept_or_beaten_by_a_longer_one(text):
    # What one kind finds alone stays in the full result unless a longer
    # valid span of another kind covers part of it.
    full = ov.find(text, min_confidence="shape")
    for kid in KINDS:
        for m in ov.find(text, ids=[kid], min_confidence="shape"):
            if m in full:
                continue
            assert any(
                f.valid and f.end - f.start >= m.end - m.start and f.start < m.end and m.start < f.end for f in full
            ), (m, full)




@pytest.mark.parametrize(
    "text",
    [
        *OVERLAP_TEXTS,
        "ISIN US 0378 3310 05 and PESEL 44051401359",
        # Kinds that need a word only for some spans: the word is looked up
        # whatever else was chosen.
        "credit card 41111111 11111111",
        "RUC 2588017-1-831938 DV20",
    ],
)
def test_fewer_ids_find_the_same_of_each(text):
    # Choosing ids only drops the other kinds.
    full = ov.find(text)
    for kid in {m.id for m in full}:
        assert ov.find(text, ids=[kid]) == [m for m in full if m.id == kid]


@pytest.mark.parametrize(
    "text",
    [
        *OVERLAP_TEXTS,
        "RUC 2588017-1-831938 DV20",
        "ISIN US 0378 3310 05 and CC 41111111 11111111",
    ],
)
def test_lower_min_confidence_only_adds(text):
    for lower in ("component", "shape"):
        more = ov.find(text, min_confidence=lower)
        for m in ov.find(text):
            same = [x for x in more if (x.id, x.start, x.end, x.valid) == (m.id, m.start, m.end, m.valid)]
            longer = [x for x in more if x.valid and x.end - x.start > m.end - m.start and x.start < m.end and m.start < x.end]
            assert same or longer, (lower, m, more)


# --- identify ---------------------------------------------------------------

def _identify_values():
    values = []
    for kid in ("iban", "isin", "pl.pesel", "nl.bsn", "creditcard", "isni", "lei", "us.itin", "br.cpf", "ca.sin"):
        for v in ov.validator_metadata(kid).examples + ov.sample(kid, 2, seed=5):
            values.append((kid, v))
    return values


@pytest.mark.parametrize("kid, value", _identify_values())
def test_identify_agrees_with_validate(kid, value):
    ids = ov.identify(value)
    assert kid in ids
    assert "luhn" not in ids
    for i in ids:
        assert ov.validate(i, value).valid, i
    # Strongest check first; within one strength, the most plausible.
    keys = [RANK[EVIDENCE[i]] for i in ids]
    assert keys == sorted(keys)
    assert len(set(ids)) == len(ids)
    # Blanks around it and small letters are what people type.
    assert ov.identify(f"  {value} ") == ids
    assert kid in ov.identify(value.lower())


@pytest.mark.parametrize("kid, value", [(k, v) for k, v in _identify_values() if " " not in v and "-" not in v])
def test_identify_lists_what_find_finds_on_the_whole_value(kid, value):
    # identify lists every kind that validates, so at least those found.
    whole = {m.id for m in ov.find(value, min_confidence="shape") if (m.start, m.end) == (0, len(value))}
    assert whole <= set(ov.identify(value))


@pytest.mark.parametrize("value", ["44051401359", "912-90-3456"])
@pytest.mark.parametrize("blank", ["\t", "\n", "\r\n", " \t "])
def test_identify_ignores_surrounding_blanks(value, blank):
    assert ov.identify(blank + value + blank) == ov.identify(value) != []


@pytest.mark.parametrize("value", ["", "   ", "\n", "hello", "x-", "DE89 3704  00", "GB29 NWBK 6016 1331 9268 18"])
def test_identify_of_no_identifier(value):
    assert ov.identify(value) == []


def test_identify_keeps_a_doubled_separator_a_pattern_allows():
    # An ISIL's identifier after its prefix may hold hyphens of its own.
    assert "isil" in ov.identify("DE89-3704--0044") and ov.validate("isil", "DE89-3704--0044").valid


# --- columns.find agrees with find -----------------------------------------

COLUMN_TEXTS = OVERLAP_TEXTS + [
    None,
    "",
    "Ünïcödé 数据 PESEL 44051401359 ✓ credit card 41111111 11111111",
    "ISIN US03 7833 1005, US0378331005",
    "on " + datetime.date.today().isoformat() + " call +48 22 4405140135",
]


@pytest.mark.parametrize(
    "kw",
    [{}, {"min_confidence": "component"}, {"min_confidence": "shape", "include_invalid": True}, {"ids": ["creditcard", "pl.pesel"]}],
)
def test_columns_find_agrees_with_find(kw):
    got = pa.array(columns.find(pa.array(COLUMN_TEXTS, pa.string()), **kw)).to_pylist()
    want = [
        None
        if t is None
        else [
            {"id": m.id, "start": m.start, "end": m.end, "compact": m.compact, "valid": m.valid, "confidence": m.confidence}
            for m in ov.find(t, **kw)
        ]
        for t in COLUMN_TEXTS
    ]
    assert got == want


# --- Spellings found bare -------------------------------------------------

@pytest.mark.parametrize(
    "text, kid, written",
    [
        # A kind whose groups vary in length from value to value: judged by
        # the layout format gives the value itself.
        ("paid to 2588017-1-831938 DV 20 today", "pa.ruc", "2588017-1-831938 DV 20"),
        ("paid to 1-184-921 DV 49 today", "pa.ruc", "1-184-921 DV 49"),
        # A check character in brackets, the whole in brackets too.
        ("holder (G123456(A)) signed", "hk.hkid", "G123456(A)"),
        ("holder G123456(A), signed", "hk.hkid", "G123456(A)"),
    ],
)
def test_spellings_found_without_a_word(text, kid, written):
    assert (kid, written, "checksum") in _found(text)


@pytest.mark.parametrize("value", ["1101700230708", "3100600445015"])
def test_a_context_word_in_another_script_announces(value):
    # A long word of a script with combining marks, in the kind's aliases.
    word = next(a for a in ov.validator_metadata("th.tin").aliases if not a.isascii())
    assert ("th.tin", value, "checksum") in _found(f"{word}: {value}")
    assert ("th.tin", value, "checksum") not in _found(f"number: {value}")


# --- Deep inside a longer code ----------------------------------------------

@pytest.mark.parametrize(
    "text, expected",
    [
        # One word with digits before it: a bank code, then the IBAN.
        ("BLZ 37040044 DE89 3704 0044 0532 0130 00", [("iban", "DE89 3704 0044 0532 0130 00")]),
        # Two words with digits right before it: part of a table or a longer
        # code, unless its word says what it is.
        ("12 34 GB29 NWBK 6016 1331 9268 19", []),
        ("12 34 IBAN GB29 NWBK 6016 1331 9268 19", [("iban", "GB29 NWBK 6016 1331 9268 19")]),
        # A decimal, a date's fraction or a hyphenated pair is one group.
        ("2.8 AT90 5292 2265 9619 1448", [("iban", "AT90 5292 2265 9619 1448")]),
        ("1/8 5319 0756 4660 0616", [("creditcard", "5319 0756 4660 0616")]),
        ("7-6 1498091TXA14XM2CFV32", [("lei", "1498091TXA14XM2CFV32")]),
    ],
)
def test_deep_inside_a_longer_code(text, expected):
    assert [(m.id, m.text) for m in ov.find(text)] == expected


def test_runs_of_letter_digit_groups_report_nothing_by_chance():
    # Thousands of spans of ISIN, LEI and IBAN shape, a tenth of which pass
    # a single check digit by chance.
    rng = random.Random(5)
    text = " ".join(rng.choice("ABCDEFGH") + rng.choice("ABCDEFGH") + str(rng.randint(10, 99)) for _ in range(5000))
    assert [m for m in ov.find(text) if m.start > 20] == []


@pytest.mark.parametrize(
    "text, expected",
    [
        # A telephone number ends where its digits end; what follows in the
        # same run is looked at.
        ("+49 30 1234567 IBAN DE89 3704 0044 0532 0130 00", [("iban", "DE89 3704 0044 0532 0130 00")]),
        ("tel +48 22 4405140135 PESEL 44051401359", [("pl.pesel", "44051401359")]),
        ("+48 22 4405140135", []),
    ],
)
def test_what_follows_a_telephone_number(text, expected):
    assert [(m.id, m.text) for m in ov.find(text)] == expected


@pytest.mark.parametrize("word", ["ЛНЧ", "лнч", "ЛИЧЕН НОМЕР НА ЧУЖДЕНЕЦ", "Личен номер на чужденец"])
def test_context_words_of_other_scripts_in_any_case(word):
    # Bulgarian foreigner number: a bare 10-digit number that a single check
    # digit passes, announced by its Cyrillic abbreviation or name.
    value = ov.sample("bg.pnf", 1, seed=1)[0]
    assert ("bg.pnf", value, "checksum") in _found(f"{word} {value}")
    assert ("bg.pnf", value, "checksum") not in _found(f"номер {value}")


@pytest.mark.parametrize(
    "kid, words",
    [
        ("am.tin", ["ՀՎՀՀ", "հվհհ"]),  # Armenian capitals and small letters
        ("ge.pin", ["პირადი ნომერი", "ᲞᲘᲠᲐᲓᲘ ᲜᲝᲛᲔᲠᲘ"]),  # Georgian and its capital forms
        ("cz.ico", ["IČO", "ičo"]),  # a Latin letter beyond Latin-1
        # Greek capitals with an accent, and a word's final sigma.
        ("gr.amka", ["Αριθμός Μητρώου Κοινωνικής Ασφάλισης", "ΑΡΙΘΜΌΣ ΜΗΤΡΏΟΥ ΚΟΙΝΩΝΙΚΉΣ ΑΣΦΆΛΙΣΗΣ"]),
    ],
)
def test_context_words_fold_case_across_scripts(kid, words):
    value = ov.sample(kid, 1, seed=2)[0]
    for word in words:
        assert kid in [m.id for m in ov.find(f"{word} {value}")], word
