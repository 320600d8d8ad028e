"""The finder on documents as people write them: tables, keys, labels on
the line before, numbers broken or spaced by the page, full-width forms;
what it must not report; redaction's default; identify over every kind."""
import random
import subprocess
import sys

import pytest

import orvane_vardik as ov
from orvane_vardik import _find, finder

KINDS = [k for k, _conf, _pattern in _find.kinds()]


def _spans(text, **kw):
    return [(m.id, m.text) for m in ov.find(text, **kw)]


def _first(text, **kw):
    """The first kind reported for each span, in text order."""
    out, seen = [], set()
    for m in ov.find(text, **kw):
        if (m.start, m.end) not in seen:
            seen.add((m.start, m.end))
            out.append((m.id, m.text))
    return out


# ---------------------------------------------------------------- every kind

def _mutations(kid, value, rng):
    forms = {value, value.lower()}
    try:
        forms.add(ov.format(kid, value))
    except ValueError:
        pass
    for sep in " -.":
        i = rng.randrange(1, len(value)) if len(value) > 1 else 0
        forms.add(value[:i] + sep + value[i:])
    if value.startswith("0"):
        forms.add(value[1:])
    return forms


def _values(kid):
    values = [e for e in ov.validator_metadata(kid).examples if ov.validate(kid, e).valid]
    try:
        values += ov.sample(kid, 4, seed=11)
    except ValueError:
        pass
    return values


@pytest.mark.parametrize("kid", KINDS)
def test_identify_lists_every_kind_that_validates(kid):
    # Over sample values and mutated examples: whatever validate accepts,
    # identify lists, for every registered kind.
    rng = random.Random(kid)
    for value in _values(kid):
        for form in _mutations(kid, value, rng):
            answer = ov.identify(form)
            expected = [k for k in KINDS if ov.validate(k, form.strip()).valid]
            assert set(expected) <= set(answer), (form, set(expected) - set(answer))


@pytest.mark.parametrize("kid", KINDS)
def test_every_kind_is_hidden_in_each_written_form(kid):
    for value in _values(kid):
        compact = ov.validate(kid, value).compact
        forms = {value, compact, ov.format(kid, compact)}
        if kid == "gs1_128":  # brackets are punctuation to the finder: only the plain-digit form is read
            forms = {f for f in forms if f[:1].isdigit() and "(" not in f and f.isprintable()}
        for form in forms:
            text = f"Reference: {form} (see above)."
            start = text.index(form)
            redacted = ov.redact(text, min_confidence="shape")
            assert not any(c.isalnum() for c in redacted[start : start + len(form)]), (form, redacted)


@pytest.mark.parametrize(
    "text, kid",
    [
        ("IBAN BE68 5390 0754 7034", "iban"),  # 16 characters
        ("IBAN NO93 8601 1117 947", "iban"),  # 15
        ("IBAN BE68539007547034.", "iban"),
        ("TIN P0070703855 and C0000803561", "gh.tin"),
    ],
)
def test_kinds_the_stored_pattern_missed(text, kid):
    assert kid in {m.id for m in ov.find(text)}


def test_portuguese_card_with_letters_in_its_version():
    value = ov.sample("pt.cc", 1, seed=3)[0]
    text = f"Cartão de cidadão {value[:9]} {value[9:11]} {value[11:]}"
    assert "pt.cc" in {m.id for m in ov.find(text)}


# ------------------------------------------------------ how pages write numbers

@pytest.mark.parametrize(
    "text, written",
    [
        ("card ４１１１ １１１１ １１１１ １１１１ ok", "４１１１ １１１１ １１１１ １１１１"),
        ("IBAN DE89\u00a03704\u00a00044\u00a00532\u00a00130\u00a000.", "DE89\u00a03704\u00a00044\u00a00532\u00a00130\u00a000"),
        ("IBAN DE89\u20093704\u20090044\u20090532\u20090130\u200900.", "DE89\u20093704\u20090044\u20090532\u20090130\u200900"),
        ("IBAN DE89\u202f3704\u202f0044\u202f0532\u202f0130\u202f00.", "DE89\u202f3704\u202f0044\u202f0532\u202f0130\u202f00"),
        ("IBAN DE8937040044\u00ad0532013000 ok", "DE8937040044\u00ad0532013000"),
        ("IBAN ＤＥ８９３７０４００４４０５３２０１３０００", "ＤＥ８９３７０４００４４０５３２０１３０００"),
        ("IBAN: DE89 3704 0044\n0532 0130 00 ok", "DE89 3704 0044\n0532 0130 00"),
        ("ISIN \u200bUS0378331005.", "US0378331005"),
    ],
)
def test_numbers_as_pages_write_them_are_reported_where_they_stand(text, written):
    ms = ov.find(text)
    assert ms, text
    m = ms[0]
    assert (m.text, text[m.start : m.end]) == (written, written)
    assert ov.validate(m.id, m.compact).valid
    redacted = ov.redact(text)
    assert not any(c.isalnum() for c in redacted[m.start : m.start + len(redacted) - len(text) + len(written)])


def test_full_width_digits_are_masked_one_star_each():
    assert ov.redact("card ４１１１ １１１１ １１１１ １１１１ ok") == "card **** **** **** **** ok"


def test_a_number_cut_by_a_line_break_needs_its_word():
    # Joined across the break it is weaker: its label announces it.
    assert _spans("Personnummer: 811228\n9874 ok") == [("se.personnummer", "811228\n9874")]
    assert _spans("Total 4111 1111\n1111 1111 items") == []
    assert ov.find("Total 4111 1111\n1111 1111 items", min_confidence="component")


# ------------------------------------------------------------------ context

@pytest.mark.parametrize(
    "text, expected",
    [
        # A column's header, however many rows down.
        ("| Name | SIREN |\n|---|---|\n| Acme | 732 829 320 |\n| Beta | 552 100 554 |\n",
         [("fr.siren", "732 829 320"), ("fr.siren", "552 100 554")]),
        ("name;ISIL;city\nA;DE-749;Bonn\nB;DE-8241;Köln\n", [("isil", "DE-749"), ("isil", "DE-8241")]),
        ("name,\"city, country\",BIC\nA,\"Paris, FR\",DEUTDEFF500\n", [("bic", "DEUTDEFF500")]),
        ("name\tISIL\nA\tDE-749\n", [("isil", "DE-749")]),
        ("<table>\n  <thead>\n    <tr><th>Name</th><th>ISIL</th></tr>\n  </thead>\n  <tbody>\n"
         "    <tr><td>A</td><td>DE-749</td></tr>\n    <tr><td>B</td><td>DE-8241</td></tr>\n",
         [("isil", "DE-749"), ("isil", "DE-8241")]),
        # Keys split by case.
        ('{"swiftCode": "DEUTDEFF500"}', [("bic", "DEUTDEFF500")]),
        ("swift_code: DEUTDEFF500", [("bic", "DEUTDEFF500")]),
        ("swift-code = DEUTDEFF500", [("bic", "DEUTDEFF500")]),
        ("<BIC>DEUTDEFF500</BIC>", [("bic", "DEUTDEFF500")]),
        # A label ending the line before.
        ("SWIFT code:\nDEUTDEFF500\n", [("bic", "DEUTDEFF500")]),
        ("[10:01] Ann: my isil is\n[10:02] Bob: DE-749\n", [("isil", "DE-749")]),
        # A BIC right after an IBAN.
        ("DE89370400440532013000 COBADEFFXXX", [("iban", "DE89370400440532013000"), ("bic", "COBADEFFXXX")]),
        ("IBAN: NL91ABNA0417164300 / ABNANL2A", [("iban", "NL91ABNA0417164300"), ("bic", "ABNANL2A")]),
        # National labels.
        ("USt-IdNr. DE136695976", [("de.vat", "DE136695976")]),
        ("P.IVA 01114601006", [("it.iva", "01114601006")]),
        ("TC Kimlik No 10000000146", [("tr.tckimlik", "10000000146")]),
    ],
)
def test_context_as_documents_carry_it(text, expected):
    assert _first(text) == expected


@pytest.mark.parametrize(
    "text",
    [
        "name,city\nBonn,DE-749\n",           # a header that names no kind
        "Name | ISIL\n\nsome other words here\nA | DE-749\n",  # a table ends
        "ISIL\nsome more words are written here\nDE-749\n",  # not on the line before
        "my isil is in the drawer, the code DE-749",
        "<tr><td>A</td><td>DE-749</td></tr>",  # no header
    ],
)
def test_context_does_not_reach_too_far(text):
    assert ("isil", "DE-749") not in _spans(text)


def test_a_word_naming_a_kind_ranks_it_first():
    assert _spans("SIREN is 732 829 320") == [("fr.siren", "732 829 320")]
    assert _spans("BIC DEUTDEFF500") == [("bic", "DEUTDEFF500")]


# --------------------------------------------------------------- precision

@pytest.mark.parametrize(
    "text",
    [
        "Total EUR 246231.28 due",
        "paid $99,262.09 today",
        "Betrag 9.634.782,93 EUR",
        "CHF 48'102.13",
        "host 206.223.166.219 port 22",
        "GET 196.159.214.115:8080",
        "version 2026-01-02 and 07.12.2026",
    ],
)
def test_what_documents_hold_is_not_reported(text):
    assert ov.find(text) == []
    assert ov.find(text, min_confidence="component") == []


@pytest.mark.parametrize(
    "text, kid",
    [
        ("NPWP 01.209.092.4-017.000", "id.npwp"),  # starts like an address
        ("IBAN DE89 3704 0044 0532 0130 00 EUR 12", "iban"),  # ends beside a currency
        ("CPF 390.533.447-05", "br.cpf"),
    ],
)
def test_identifiers_beside_what_is_excluded_are_found(text, kid):
    assert kid in {m.id for m in ov.find(text)}


# ------------------------------------------------------------------ redact

def test_redact_hides_component_matches_by_default_and_keeps_the_strict_level():
    assert finder.REDACT_CONFIDENCE == "component"
    text = "ref 44051401359 ok"  # a bare 11-digit number that passes a check digit
    assert ov.find(text) == []
    assert ov.redact(text) == "ref *********** ok"
    assert ov.redact(text, min_confidence="checksum") == text


@pytest.mark.parametrize("replace", [None, "[X]", lambda m: f"<{m.id}>"])
def test_redact_by_windows_equals_redact_at_once(monkeypatch, replace):
    rng = random.Random(5)
    parts = []
    for _ in range(400):
        parts.append(rng.choice(["IBAN DE89 3704 0044 0532 0130 00", "card 4111 1111 1111 1111", "words and words",
                                 "ISIN US0378331005", "\n", "ref 44051401359"]))
    text = " ".join(parts)
    whole = ov.redact(text, replace=replace)
    monkeypatch.setattr(finder, "_WINDOW", 97)
    assert ov.redact(text, replace=replace) == whole
    assert "4111" not in whole and "DE89" not in whole


def test_redact_checks_its_arguments():
    with pytest.raises(KeyError):
        ov.redact("x", ids=["no.such"])
    with pytest.raises(ValueError):
        ov.redact("x", min_confidence="high")
    with pytest.raises(TypeError):
        ov.redact(b"x")


def test_importing_the_package_imports_neither_typing_nor_re():
    code = "import sys, orvane_vardik; print('typing' in sys.modules, 're' in sys.modules)"
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout
    assert out.split() == ["False", "False"]


# --------------------------------------------------------------- bad input

@pytest.mark.parametrize(
    "text",
    [
        "|" * 5000 + "\n" + "|1" * 3000,
        "<td>" * 3000 + "\n<th>x" * 2000,
        "a,\"" * 4000 + "\n" + "1,2\n" * 2000,
        "\u00ad" * 10000 + "4111",
        "１" * 5000,
        "1\n" * 10000,
        "9  " * 10000,
        "IBAN\n" * 5000 + "DE89370400440532013000",
        "taxIdTaxIdTaxId" * 2000,
        "\uff10\u00a0" * 5000,
    ],
)
def test_document_shapes_of_any_size_are_total(text):
    ms = ov.find(text, min_confidence="shape")
    for m in ms:
        assert text[m.start : m.end] == m.text
    assert len(ov.redact(text)) <= len(text)
