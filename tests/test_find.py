"""The text finder: every kind found where it is written, near misses not,
overlaps, confidence, redaction, str indices and bad input."""
import random

import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import _find

KINDS = [k for k, _conf, _pattern in _find.kinds()]
EVIDENCE = {k: conf for k, conf, _pattern in _find.kinds()}


# Kinds whose generator draws from a free-form alphabet (lower-case words,
# ':' and a trailing '-' for an ISIL) that prose shares: the finder looks
# for them as their registers write them, so only the examples are tried.
FREE_FORM = {"isil"}


def _values(kid):
    """Valid examples of the kind and a few generated values."""
    meta = ov.validator_metadata(kid)
    values = [e for e in meta.examples if ov.validate(kid, e).valid]
    for _ in range(0 if kid in FREE_FORM else 6):
        g = ov.generate(kid)
        if g is not None and ov.validate(kid, g).valid:
            values.append(g)
    return values


# Kinds whose usual written form puts brackets around parts of the value
# (GS1 element strings: "(01)09501101530003", or "]C1" before the data as
# scanned), which the finder reads as punctuation: only their forms that
# are plain words are looked for.
BRACKETED = {"gs1_128"}


def _forms(kid, value):
    compact = ov.validate(kid, value).compact
    forms = {value, compact, ov.format(kid, compact)}
    if kid in BRACKETED:
        forms = {f for f in forms if f[:1].isdigit() and "(" not in f and f.isprintable()}
    return compact, sorted(forms)


def _announcer(kid):
    meta = ov.validator_metadata(kid)
    return meta.abbreviation or meta.name


def test_every_registered_kind_but_luhn_is_scanned_for():
    # A kind the engine could not place (a pattern that does not compile, or
    # no room left for its group) would silently never be found.
    assert sorted(KINDS) == sorted(k for k in ov.validator_ids() if k != "luhn")


@pytest.mark.parametrize("kid", KINDS)
def test_every_kind_is_found_compact_and_formatted(kid):
    # With the kind's context word, every kind is reported at the default
    # confidence, shape-only ones included.
    for value in _values(kid):
        compact, forms = _forms(kid, value)
        for form in forms:
            text = f"Please note {_announcer(kid)}: {form} for the record."
            start = text.index(form)
            found = [(m.start, m.end, m.compact) for m in ov.find(text) if m.id == kid]
            assert (start, start + len(form), compact) in found, (form, ov.find(text, min_confidence="shape"))


CHECKED = [k for k in KINDS if EVIDENCE[k] == "checksum"]


def _digit_changed(kid, compact):
    """The compact value with one digit changed so that the kind rejects it."""
    for i, c in enumerate(compact):
        if c.isdigit():
            for d in "0123456789":
                v = compact[:i] + d + compact[i + 1 :]
                if d != c and not ov.validate(kid, v).valid:
                    return v
    return None


@pytest.mark.parametrize("kid", CHECKED)
def test_near_misses_are_not_found(kid):
    compact = ov.validate(kid, _values(kid)[0]).compact
    misses = [f"glued{compact}", f"{compact}x"]
    changed = _digit_changed(kid, compact)
    if changed:
        misses.append(changed)
    if compact[-1].isdigit():
        misses.append(compact + "7")
    for miss in misses:
        text = f"Ref {miss} end"
        start = text.index(miss)
        assert not [m for m in ov.find(text) if m.id == kid and m.start <= start + 1 and m.end >= start + len(miss) - 1], miss


@pytest.mark.parametrize(
    "text, expected",
    [
        # One 16-digit span valid for two kinds: both, in registry order.
        ("ID 9390039444460567.", [("isni", "9390039444460567"), ("orcid", "9390039444460567")]),
        # An 11-digit number passes several kinds' checks; its word tells
        # which one it is, and without a word it is no evidence at all.
        ("PESEL 44051401359.", [("pl.pesel", "44051401359")]),
        ("sent 44051401359 units", []),
        # A timestamp in milliseconds that happens to pass a card's check.
        ("ref 1176864010886", []),
        # Longest valid span: the IBAN, not the numbers inside it.
        ("IBAN GB29 NWBK 6016 1331 9268 19 paid", [("iban", "GB29 NWBK 6016 1331 9268 19")]),
        # A trailing group that breaks the number is left out.
        ("card 4111 1111 1111 1111 2020", [("creditcard", "4111 1111 1111 1111")]),
        ("no identifiers here, just 12 apples on 3.4.2024", []),
        ("call +49 30 4405140135 now", []),
    ],
)
def test_overlaps_and_decoys(text, expected):
    assert [(m.id, m.text) for m in ov.find(text)] == expected


@pytest.mark.parametrize(
    "text, kid, span",
    [
        # An opening bracket is not part of the number after it.
        ("x (4111111111111111)", "creditcard", (3, 19)),
        ("x [4111111111111111]", "creditcard", (3, 19)),
        ("(DE89370400440532013000)", "iban", (1, 23)),
        ("CPF: (390.533.447-05);", "br.cpf", (6, 20)),
        ("HKID A123456(3)", "hk.hkid", (5, 15)),
        # Non-ASCII punctuation and symbols end a word as ASCII ones do.
        ("4111 1111 1111 1111\ufffd", "creditcard", (0, 19)),
        ("4111 1111 1111 1111©", "creditcard", (0, 19)),
        ("4111 1111 1111 1111€", "creditcard", (0, 19)),
        ("4111 1111 1111 1111—", "creditcard", (0, 19)),
        ("\ufffd4111 1111 1111 1111", "creditcard", (1, 20)),
        ("SIN „466526191“,", "ca.sin", (5, 14)),
        ("«ATU29285966»,", "at.uid", (1, 12)),
        ("ISBN 978-0-306-40615-7.", "isbn", (5, 22)),
        ("#4111111111111111", "creditcard", (1, 17)),
        ("CUSIP FOR9UD5*9.", "cusip", (6, 15)),
        ("CUSIP ABC123#*2.", "cusip", (6, 15)),
        # Registry numbers whose groups could pass for a date's.
        ("CAS 7732-18-5", "casrn", (4, 13)),
    ],
)
def test_word_boundaries(text, kid, span):
    assert span in [(m.start, m.end) for m in ov.find(text) if m.id == kid]


@pytest.mark.parametrize("unit", ["12 34 ", "1 2 3 ", "1-2-", "1.2.", "123 456 ", "1234 5678 "])
def test_long_streaks_of_short_groups_stay_linear(unit):
    # 200 KB of a number table around real identifiers: the scan finishes
    # and still finds what stands at the streak's ends. (Right after two
    # words with digits a number is the rest of a longer code: its word
    # announces it.)
    n = 100_000 // len(unit)
    text = unit * n + "IBAN GB29 NWBK 6016 1331 9268 19 " + unit * n + "\n4111 1111 1111 1111"
    found = [(m.id, m.text) for m in ov.find(text)]
    assert ("iban", "GB29 NWBK 6016 1331 9268 19") in found
    assert ("creditcard", "4111 1111 1111 1111") in found
    assert len(found) < 100


def test_dates_are_not_registry_numbers():
    assert ov.find("born 2020-05-12 and 3.4.2024", min_confidence="shape") == []


def test_luhn_is_a_check_not_a_kind():
    assert [m.id for m in ov.find("card 4111111111111111")] == ["creditcard"]
    assert "luhn" not in ov.identify("4111111111111111")
    with pytest.raises(KeyError, match="luhn"):
        ov.find("x", ids=["luhn"])


@pytest.mark.parametrize(
    "text, found_at_default",
    [
        ("number 1234567890 here", False),  # ai.tin: shape only
        ("TIN 1234567890 here", True),
    ],
)
def test_shape_only_kinds_need_their_context_word(text, found_at_default):
    got = [m for m in ov.find(text, ids=["ai.tin"])]
    assert bool(got) == found_at_default
    if got:
        assert got[0].confidence == "component"
    assert [m.confidence for m in ov.find(text, ids=["ai.tin"], min_confidence="shape")]


def test_include_invalid_reports_failed_candidates():
    text = "IBAN GB29 NWBK 6016 1331 9268 18"
    assert ov.find(text, ids="iban") == []
    (m,) = ov.find(text, ids="iban", include_invalid=True)
    assert (m.valid, m.text) == (False, "GB29 NWBK 6016 1331 9268 18")


@pytest.mark.parametrize(
    "prefix",
    ["", "é ", "数据 ", "𝄞𝄞 ", "a\u0301\u0301 ", "\x00 ", "Zürich 数 𝄞 "],
)
def test_str_indices_around_multibyte_characters(prefix):
    text = f"{prefix}IBAN DE89 3704 0044 0532 0130 00 → {prefix}card 4111-1111-1111-1111 ✓"
    ms = ov.find(text)
    assert [m.id for m in ms] == ["iban", "creditcard"]
    for m in ms:
        assert text[m.start : m.end] == m.text
    assert ms[0].text == "DE89 3704 0044 0532 0130 00"


def test_redaction_keeps_everything_outside_the_spans():
    text = "Née à Zürich; IBAN DE89 3704 0044 0532 0130 00, card 4111-1111-1111-1111 ✓\n"
    out = ov.redact(text)
    assert out == "Née à Zürich; IBAN **** **** **** **** **** **, card ****-****-****-**** ✓\n"
    assert ov.redact(text, replace="[X]") == "Née à Zürich; IBAN [X], card [X] ✓\n"
    assert ov.redact(text, replace=lambda m: f"<{m.id}>") == "Née à Zürich; IBAN <iban>, card <creditcard> ✓\n"
    assert ov.redact(text, ids=["iban"]).endswith("card 4111-1111-1111-1111 ✓\n")


def test_redaction_of_equal_spans_replaces_once():
    assert ov.redact("ID 9390039444460567.", replace=lambda m: m.id) == "ID isni."


@pytest.mark.parametrize(
    "value, first",
    [
        ("DE89 3704 0044 0532 0130 00", ["iban"]),
        ("de89370400440532013000", ["iban"]),
        ("4111 1111 1111 1111", ["creditcard"]),
        ("US0378331005", ["isin"]),
        ("", []),
        ("hello", []),
    ],
)
def test_identify(value, first):
    assert ov.identify(value)[: len(first)] == first


def test_identify_orders_by_evidence():
    ids = ov.identify("44051401359")
    order = {"checksum": 0, "component": 1, "shape": 2}
    ranks = [order[EVIDENCE[i]] for i in ids]
    assert "pl.pesel" in ids and ranks == sorted(ranks)
    # Polish kinds first; after them only international ones (an IMSI is
    # any 6 to 15 digits).
    in_pl = ov.identify("44051401359", countries=["PL"])
    assert in_pl[0] == "pl.pesel"
    assert all(ov.validator_metadata(i).country is None for i in in_pl[1:])


def test_countries_keep_their_kinds_and_the_international_ones():
    text = "PESEL 44051401359, IBAN DE89 3704 0044 0532 0130 00"
    assert [m.id for m in ov.find(text, countries="pl")] == ["pl.pesel", "iban"]


@pytest.mark.parametrize(
    "call, exc, word",
    [
        (lambda: ov.find("x", ids=["iban", "nope"]), KeyError, "nope"),
        (lambda: ov.find("x", countries=["DE", "XX"]), ValueError, "XX"),
        (lambda: ov.identify("x", countries=["XX"]), ValueError, "XX"),
        (lambda: ov.find("x", min_confidence="high"), ValueError, "high"),
        (lambda: ov.find_iter("x", ids=["nope"]), KeyError, "nope"),
        (lambda: ov.redact("x", ids=["nope"]), KeyError, "nope"),
        (lambda: ov.find(b"x"), TypeError, "str"),
        (lambda: ov.find("x", ids=[1]), TypeError, "ids"),
    ],
)
def test_bad_arguments(call, exc, word):
    with pytest.raises(exc, match=word):
        call()


@pytest.mark.parametrize("fn", [ov.find, ov.identify, ov.redact])
def test_lone_surrogates_raise_as_elsewhere(fn):
    with pytest.raises(UnicodeEncodeError):
        fn("IBAN DE89370400440532013000 \udc80")


def test_find_iter_across_windows_matches_find_on_pieces():
    window = 1 << 20
    filler = "word " * (window // 5)
    ids = ["DE89 3704 0044 0532 0130 00", "4111 1111 1111 1111", "PESEL 44051401359"]
    text = ""
    expected = []
    for shift in (-30, -7, -1, 0, 3):
        text += filler[: window - (len(text) % window) + shift] + " "
        for v in ids:
            pos = len(text)
            text += v + " ; "
            expected.extend((m.id, m.start + pos, m.end + pos) for m in ov.find(v))
    got = [(m.id, m.start, m.end) for m in ov.find_iter(text)]
    assert got == expected
    for m in ov.find_iter(text):
        assert text[m.start : m.end] == m.text


@pytest.mark.parametrize(
    "text",
    [
        "",
        "\x00" * 1000,
        "7" * 300_000,
        "1 " * 5000,
        "- . / " * 20000,
        "(" * 5000 + "A" * 5000,
        "GB29 " * 10000,
        "\U0001d11e1" * 20000,
    ],
)
def test_bad_input_gives_valid_indices(text):
    for m in ov.find(text, min_confidence="shape", include_invalid=True):
        assert 0 <= m.start < m.end <= len(text)
        assert text[m.start : m.end] == m.text


@given(st.text(alphabet=st.sampled_from("0123456789 -./ABCDEFGHXZabc()+éß数𝄞\x00\n"), max_size=200))
def test_matches_are_spans_of_the_text(text):
    ms = ov.find(text, min_confidence="shape", include_invalid=True)
    assert ms == sorted(ms, key=lambda m: m.start) or all(ms[i].start <= ms[i + 1].start for i in range(len(ms) - 1))
    for m in ms:
        assert text[m.start : m.end] == m.text
        assert ov.validate(m.id, m.text).valid == m.valid
    assert ov.redact(text).__len__() == len(text)


def test_random_prose_with_embedded_identifiers():
    rng = random.Random(5)
    words = "the invoice for order was paid on time by our customer".split()
    ids = {"iban": "GB29 NWBK 6016 1331 9268 19", "creditcard": "5500 0000 0000 0004", "isin": "US0378331005"}
    parts, expected = [], []
    for _ in range(200):
        parts.append(" ".join(rng.choice(words) for _ in range(rng.randint(3, 12))) + " ")
        if rng.random() < 0.3:
            kid, v = rng.choice(sorted(ids.items()))
            expected.append((kid, v))
            parts.append(v + " ")
    assert [(m.id, m.text) for m in ov.find("".join(parts))] == expected
