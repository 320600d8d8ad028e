"""IBAN, ISIN, LEI, BIC, the core-set national numbers and the Czech bank
account, exercised through the installed package."""
import random

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

import orvane_vardik as ov

FORMAT = "INVALID_FORMAT"
LENGTH = "INVALID_LENGTH"
CHECKSUM = "INVALID_CHECKSUM"
COMPONENT = "INVALID_COMPONENT"

IDS = ["iban", "isin", "lei", "bic", "us.ein", "at.businessid", "au.abn", "br.cpf", "es.dni", "cz.bankaccount"]


def mod97(text):
    """ISO 7064 MOD 97-10 remainder of digits and upper-case letters."""
    r = 0
    for ch in text:
        r = (r * 10 + int(ch)) % 97 if ch.isdigit() else (r * 100 + ord(ch) - 55) % 97
    return r


def iban_with_check(country, bban):
    check = 98 - mod97(bban + country + "00")
    return f"{country}{check:02d}{bban}"


def assert_valid(vid, value, compact=None):
    res = ov.validate(vid, value)
    assert res.valid, (vid, value, res.error and res.error.message)
    assert res.error is None
    if compact is not None:
        assert res.compact == compact


def assert_error(vid, value, code, message):
    res = ov.validate(vid, value)
    assert not res.valid, (vid, value)
    assert res.compact is None
    assert (res.error.code, res.error.message) == (code, message)


# --------------------------------------------------------------------------
# IBAN

# Country, BBAN layout (length + kind n/a/c), total length.
IBAN_LAYOUTS = """
AD 8n12c 24|AE 19n 23|AL 8n16c 28|AT 16n 20|AZ 4a20c 28|BA 16n 20|BE 12n 16|BG 4a6n8c 22|BH 4a14c 22
BR 23n1a1c 29|BY 4c4n16c 28|CH 5n12c 21|CR 18n 22|CY 8n16c 28|CZ 20n 24|DE 18n 22|DK 14n 18|DO 4c20n 28
EE 16n 20|EG 25n 29|ES 20n 24|FI 14n 18|FK 2a12n 18|FO 14n 18|FR 10n11c2n 27|GB 4a14n 22|GE 2a16n 22
GI 4a15c 23|GL 14n 18|GR 7n16c 27|GT 24c 28|HN 4a20n 28|HR 17n 21|HU 24n 28|IE 4a14n 22|IL 19n 23
IQ 4a15n 23|IS 22n 26|IT 1a10n12c 27|JO 4a4n18c 30|KW 4a22c 30|KZ 3n13c 20|LB 4n20c 28|LC 4a24c 32
LI 5n12c 21|LT 16n 20|LU 3n13c 20|LV 4a13c 21|MC 10n11c2n 27|MD 20c 24|ME 18n 22|MK 3n10c2n 19|MR 23n 27
MT 4a5n18c 31|MU 4a19n3a 30|NI 4a20n 28|NL 4a10n 18|NO 11n 15|OM 3n16c 23|PK 4a16c 24|PL 24n 28
PS 4a21c 29|PT 21n 25|QA 4a21c 29|RO 4a16c 24|RS 18n 22|SA 2n18c 24|SC 4a20n3a 31|SD 14n 18|SE 20n 24
SI 15n 19|SK 20n 24|SM 1a10n12c 27|ST 21n 25|SV 4a20n 28|TL 19n 23|TN 20n 24|TR 6n16c 26|UA 6n19c 29
VA 18n 22|VG 4a16n 24|XK 16n 20|YE 4a4n18c 30
"""
LENGTH_ONLY = {"BI": 27, "DJ": 27, "LY": 25, "MN": 20, "RU": 33, "SN": 28, "SO": 23}


def _parse_layouts():
    out = {}
    for entry in IBAN_LAYOUTS.replace("\n", "|").split("|"):
        if not entry.strip():
            continue
        code, layout, total = entry.split()
        segments, num = [], ""
        for ch in layout:
            if ch.isdigit():
                num += ch
            else:
                segments.append((int(num), ch))
                num = ""
        out[code] = (segments, int(total))
    return out


LAYOUTS = _parse_layouts()
DIGITS = "0123456789"
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
KIND_CHARS = {"n": DIGITS, "a": LETTERS, "c": DIGITS + LETTERS}


def make_bban(segments, rng, mixed=True):
    """A BBAN of the layout; 'c' segments get letters too when `mixed`."""
    out = []
    for length, kind in segments:
        chars = KIND_CHARS[kind] if mixed or kind != "c" else DIGITS
        out.append("".join(rng.choice(chars) for _ in range(length)))
    return "".join(out)


def test_layout_table_is_complete():
    assert len(LAYOUTS) == 83 and len(LENGTH_ONLY) == 7
    for segments, total in LAYOUTS.values():
        assert 4 + sum(n for n, _ in segments) == total


@pytest.mark.parametrize("country", sorted(LAYOUTS))
def test_iban_every_layout_country(country):
    rng = random.Random(country)
    segments, total = LAYOUTS[country]
    if country == "CR":
        bban = "0" + "".join(rng.choice(DIGITS) for _ in range(17))
    else:
        bban = make_bban(segments, rng)
    iban = iban_with_check(country, bban)
    assert len(iban) == total
    assert_valid("iban", iban, iban)
    # Lower case with blanks and hyphens compacts to the same IBAN.
    spaced = " ".join(iban[i:i + 4] for i in range(0, len(iban), 4)).lower()
    assert_valid("iban", spaced.replace(" ", "-", 1), iban)
    # Any other check-digit pair fails (neighbours are never congruent mod 97).
    check = int(iban[2:4])
    wrong = f"{check + 1 if check < 98 else check - 1:02d}"
    assert_error("iban", iban[:2] + wrong + iban[4:], CHECKSUM, "IBAN check digits are incorrect")
    # One character too many or too few is a country-specific length error.
    assert_error("iban", iban + "0", LENGTH, "IBAN has an invalid country-specific length")
    assert_error("iban", iban[:-1], LENGTH, "IBAN has an invalid country-specific length")


@pytest.mark.parametrize("country", sorted(c for c, (segs, _) in LAYOUTS.items() if any(k != "c" for _, k in segs)))
def test_iban_wrong_kind_in_bban_fails_before_checksum(country):
    rng = random.Random(country + "x")
    segments, _ = LAYOUTS[country]
    bban = list(make_bban(segments, rng))
    pos = 0
    for length, kind in segments:
        if kind == "n":
            bban[pos] = "A"
            break
        if kind == "a":
            bban[pos] = "1"
            break
        pos += length
    # Correct check digits for the wrong BBAN: only the shape can fail.
    assert_error("iban", iban_with_check(country, "".join(bban)), FORMAT,
                 "IBAN BBAN format is invalid for its country")


@pytest.mark.parametrize("country", sorted(LAYOUTS))
def test_iban_every_bban_position_holds_its_kind(country):
    # Each position in turn gets a character of another kind (valid check
    # digits throughout): only digit and letter positions may reject it.
    rng = random.Random(country + "p")
    segments, _ = LAYOUTS[country]
    kinds = "".join(kind * length for length, kind in segments)
    bban = "0" + make_bban(segments, rng)[1:] if country == "CR" else make_bban(segments, rng)
    for pos, kind in enumerate(kinds):
        if country == "CR" and pos == 0:
            continue
        for other in "7Q":
            if (kind == "n" and other.isdigit()) or (kind == "a" and other.isalpha()):
                continue
            iban = iban_with_check(country, bban[:pos] + other + bban[pos + 1:])
            if kind == "c":
                assert_valid("iban", iban, iban)
            else:
                assert_error("iban", iban, FORMAT, "IBAN BBAN format is invalid for its country")


@pytest.mark.parametrize("country,total", sorted(LENGTH_ONLY.items()))
def test_iban_length_only_countries(country, total):
    rng = random.Random(country)
    bban = "".join(rng.choice(DIGITS + LETTERS) for _ in range(total - 4))
    iban = iban_with_check(country, bban)
    assert_valid("iban", iban, iban)
    check = int(iban[2:4])
    wrong = f"{check + 1 if check < 98 else check - 1:02d}"
    assert_error("iban", iban[:2] + wrong + iban[4:], CHECKSUM, "IBAN check digits are incorrect")
    assert_error("iban", iban + "1", LENGTH, "IBAN has an invalid country-specific length")


@pytest.mark.parametrize("value,code,message", [
    ("DE89", LENGTH, "IBAN is too short"),
    ("", LENGTH, "IBAN is too short"),
    ("  - ", LENGTH, "IBAN is too short"),
    ("DE89370400440532013000X", LENGTH, "IBAN has an invalid country-specific length"),
    ("DE89 3704 0044 0532 0130 0!", FORMAT, "IBAN must contain only letters and digits"),
    ("DE89\x00370400440532013000", FORMAT, "IBAN must contain only letters and digits"),
    ("DE89370400440532013000é", FORMAT, "IBAN must contain only letters and digits"),
    ("1E89370400440532013000", COMPONENT, "IBAN must start with a 2-letter country code"),
    ("D189370400440532013000", COMPONENT, "IBAN must start with a 2-letter country code"),
    ("ZZ89370400440532013000", COMPONENT, "IBAN country code is not assigned"),
    ("DE8937040044053201300A", FORMAT, "IBAN BBAN format is invalid for its country"),
    ("DE89370400440532013001", CHECKSUM, "IBAN check digits are incorrect"),
    ("DE88370400440532013000", CHECKSUM, "IBAN check digits are incorrect"),
    ("CR05115202001026284066", FORMAT, "IBAN BBAN format is invalid for its country"),
    ("KZ2412AKZT5004100100", FORMAT, "IBAN BBAN format is invalid for its country"),  # letter in the bank digits
])
def test_iban_failures(value, code, message):
    assert_error("iban", value, code, message)


@pytest.mark.parametrize("value,compact", [
    ("GB29NWBK60161331926819", "GB29NWBK60161331926819"),
    ("DE89370400440532013000", "DE89370400440532013000"),
    ("gb29 nwbk 6016 1331 9268 19", "GB29NWBK60161331926819"),
    ("\u00a0GB29\u2013NWBK60161331926819\u3000", "GB29NWBK60161331926819"),
    ("CR05015202001026284066", "CR05015202001026284066"),
    # The registry's own examples, with letters in the account part, and
    # the countries that joined it in 2023-2024.
    ("BY13NBRB3600900000002Z00AB00", "BY13NBRB3600900000002Z00AB00"),
    ("KZ86125KZT5004100100", "KZ86125KZT5004100100"),
    ("LI21088100002324013AA", "LI21088100002324013AA"),
    ("FK88SC123456789012", "FK88SC123456789012"),
    ("HN88CABF00000000000250005469", "HN88CABF00000000000250005469"),
    ("OM810180000001299123456", "OM810180000001299123456"),
    ("YE15CBYE0001018861234567891234", "YE15CBYE0001018861234567891234"),
    ("  ye15 cbye-0001 0188 6123 4567 8912 34\t", "YE15CBYE0001018861234567891234"),
])
def test_iban_valid(value, compact):
    assert_valid("iban", value, compact)


def test_iban_check_digits_that_are_letters_fail():
    # A pair of letters can satisfy MOD 97 (they count 10-35), yet check
    # digits are two decimal digits: such a text is no IBAN.
    bban = "NWBK60161331926819"
    target = (1 - mod97(bban + "GB") * 10000) % 97
    for a in LETTERS:
        for b in LETTERS:
            if (((ord(a) - 55) * 100 + ord(b) - 55) % 97) == target:
                r = ov.validate("iban", "GB" + a + b + bban)
                assert (r.valid, r.error.code) == (False, "INVALID_CHECKSUM")
                return
    pytest.skip("no letter pair fits this BBAN")


def test_russian_iban_checked_for_length_and_check_digits_only():
    iban = iban_with_check("RU", "ABCDEFGHIJ0123456789XYZ01")
    assert len(iban) == 29
    assert_error("iban", iban, LENGTH, "IBAN has an invalid country-specific length")
    iban = iban_with_check("RU", "ABCDEFGHIJ0123456789XYZ012345")
    assert_valid("iban", iban)


# --------------------------------------------------------------------------
# ISIN, LEI, BIC

@pytest.mark.parametrize("vid,value,compact", [
    ("isin", "US0378331005", "US0378331005"),
    ("isin", "GB0002634946", "GB0002634946"),
    ("isin", "us0378331005", "US0378331005"),
    ("isin", "US-0378331005", "US0378331005"),
    ("isin", "AU0000XVGZA3", "AU0000XVGZA3"),
    ("lei", "5493006MHB84DD0ZWV18", "5493006MHB84DD0ZWV18"),
    ("lei", "5493 006m hb84 dd0z wv18", "5493006MHB84DD0ZWV18"),
    ("bic", "DEUTDEFF", "DEUTDEFF"),
    ("bic", "DEUTDEFF500", "DEUTDEFF500"),
    ("bic", "deut de ff 500", "DEUTDEFF500"),
    ("bic", "ZZZZZZ99", "ZZZZZZ99"),  # the country is not looked up
])
def test_securities_valid(vid, value, compact):
    assert_valid(vid, value, compact)


@pytest.mark.parametrize("vid,value,code,message", [
    ("isin", "US037833100", LENGTH, "ISIN must be exactly 12 characters"),
    ("isin", "", LENGTH, "ISIN must be exactly 12 characters"),
    ("isin", "US03783310.5", FORMAT, "ISIN must contain only letters and digits"),
    ("isin", "US037833100A", FORMAT, "ISIN must match [A-Z]{2}[0-9A-Z]{9}[0-9]"),
    ("isin", "U10378331005", FORMAT, "ISIN must match [A-Z]{2}[0-9A-Z]{9}[0-9]"),
    ("isin", "US0378331006", CHECKSUM, "ISIN check digit is incorrect"),
    ("isin", "ÉS037833100", FORMAT, "ISIN must contain only letters and digits"),  # 12 bytes
    ("lei", "5493006MHB84DD0ZWV1", LENGTH, "LEI must be exactly 20 characters"),
    ("lei", "5493006MHB84DD0ZWV.8", FORMAT, "LEI must contain only letters and digits"),
    ("lei", "5493006MHB84DD0ZWV1X", FORMAT, "LEI check digits must be numeric"),
    ("lei", "5493006MHB84DD0ZWVX8", FORMAT, "LEI check digits must be numeric"),
    ("lei", "5493006MHB84DD0ZWV19", CHECKSUM, "LEI check digits are incorrect"),
    ("bic", "DEUTDEF", LENGTH, "BIC must be 8 or 11 characters"),
    ("bic", "DEUTDEFF50", LENGTH, "BIC must be 8 or 11 characters"),
    ("bic", "DEU1DEFF", FORMAT, "BIC must be 8 or 11 alphanumeric characters"),
    ("bic", "DEUTD1FF", FORMAT, "BIC must be 8 or 11 alphanumeric characters"),
    ("bic", "DEUTDEF.", FORMAT, "BIC must be 8 or 11 alphanumeric characters"),
    ("bic", "DEUTDEFF50.", FORMAT, "BIC must be 8 or 11 alphanumeric characters"),
])
def test_securities_failures(vid, value, code, message):
    assert_error(vid, value, code, message)


@pytest.mark.parametrize("vid,value,expected", [
    ("iban", "DE89370400440532013000", "DE89 3704 0044 0532 0130 00"),
    ("iban", "gb29nwbk60161331926819", "GB29 NWBK 6016 1331 9268 19"),
    ("iban", "", ""),
    ("iban", "éééééé", "ÉÉÉÉ ÉÉ"),  # characters, not bytes
    ("lei", "5493006MHB84DD0ZWV18", "5493 006M HB84 DD0Z WV18"),
    ("lei", "54930", "5493 0"),
    ("isin", "US0378331005", "US 0378 3310 05"),
    ("isin", "us 0378331005", "US 0378 3310 05"),
    ("isin", "ééééééééééé", "ÉÉ ÉÉÉÉ ÉÉÉÉ É"),
    ("isin", "US03783310", "US 0378 3310 "),  # the last piece exists from length 10 on
    ("isin", "US037833", "US 0378 "),  # a piece not inside the text is empty
    ("isin", "", "  "),
    ("bic", "DEUTDEFF500", "DEUT DE FF 500"),
    ("bic", "DEUTDEFF", "DEUT DE FF"),
    ("bic", "deutdeffé00", "DEUT DE FF É00"),
])
def test_securities_formats(vid, value, expected):
    assert ov.format(vid, value) == expected


# --------------------------------------------------------------------------
# us.ein, at.businessid, au.abn, br.cpf, es.dni

@pytest.mark.parametrize("vid,value,compact", [
    ("us.ein", "042103594", "042103594"),
    ("us.ein", "04-2103594", "042103594"),
    ("at.businessid", "FN 122119m", "122119m"),
    ("at.businessid", "fn122119M", "122119m"),
    ("at.businessid", "122119m", "122119m"),
    ("at.businessid", "FN 1/2.2-119 m", "122119m"),
    ("at.businessid", "12345678901234567890a", "12345678901234567890a"),  # no upper limit
    ("au.abn", "83914571673", "83914571673"),
    ("au.abn", "51824753556", "51824753556"),
    ("au.abn", "83 914 571 673", "83914571673"),
    ("br.cpf", "39053344705", "39053344705"),
    ("br.cpf", "390.533.447-05", "39053344705"),
    ("es.dni", "54362315K", "54362315K"),
    ("es.dni", "1234567L", "1234567L"),
    ("es.dni", "54362315k", "54362315K"),
    ("es.dni", "5436-2315 K", "54362315K"),
    ("es.dni", "0T", "0T"),
])
def test_national_valid(vid, value, compact):
    assert_valid(vid, value, compact)


@pytest.mark.parametrize("vid,value,code,message", [
    ("us.ein", "07-2103594", COMPONENT, "EIN campus prefix is invalid"),
    ("us.ein", "00-2103594", COMPONENT, "EIN campus prefix is invalid"),
    ("us.ein", "04210359", LENGTH, "EIN must be 9 digits"),
    ("us.ein", "0421035940", LENGTH, "EIN must be 9 digits"),
    ("us.ein", "04-21O3594", FORMAT, "EIN must contain only digits"),
    ("us.ein", "", FORMAT, "EIN must contain only digits"),
    ("us.ein", "04.2103594", FORMAT, "EIN must contain only digits"),
    ("at.businessid", "m", LENGTH, "Austrian Firmenbuchnummer is too short"),
    ("at.businessid", "FN", LENGTH, "Austrian Firmenbuchnummer is too short"),
    ("at.businessid", "", LENGTH, "Austrian Firmenbuchnummer is too short"),
    ("at.businessid", "122119", FORMAT, "Austrian Firmenbuchnummer must be digits followed by a letter"),
    ("at.businessid", "12a119m", FORMAT, "Austrian Firmenbuchnummer must be digits followed by a letter"),
    ("at.businessid", "122119é", FORMAT, "Austrian Firmenbuchnummer must be digits followed by a letter"),
    ("au.abn", "83 914 571 674", CHECKSUM, "ABN checksum mismatch"),
    ("au.abn", "03914571673", CHECKSUM, "ABN checksum mismatch"),
    ("au.abn", "8391457167", LENGTH, "ABN must be 11 digits"),
    ("au.abn", "8391457167a", FORMAT, "ABN must contain only digits"),
    ("au.abn", "", FORMAT, "ABN must contain only digits"),
    ("br.cpf", "11111111111", FORMAT, "CPF must not be a repeated digit sequence"),
    ("br.cpf", "00000000000", FORMAT, "CPF must not be a repeated digit sequence"),
    ("br.cpf", "39053344706", CHECKSUM, "CPF check digit mismatch"),
    ("br.cpf", "39053344715", CHECKSUM, "CPF check digit mismatch"),
    ("br.cpf", "3905334470", LENGTH, "CPF must be 11 digits"),
    ("br.cpf", "", LENGTH, "CPF must be 11 digits"),
    ("br.cpf", "3905334470a", FORMAT, "CPF must contain only digits"),
    ("br.cpf", "390533447/5", FORMAT, "CPF must contain only digits"),
    ("es.dni", "K", LENGTH, "DNI must be 1-8 digits and 1 letter"),
    ("es.dni", "123456789K", LENGTH, "DNI must be 1-8 digits and 1 letter"),
    ("es.dni", "5436231XK", FORMAT, "DNI must start with 1-8 digits"),
    ("es.dni", "+1234567L", FORMAT, "DNI must start with 1-8 digits"),
    ("es.dni", "54362315T", CHECKSUM, "DNI check letter does not match"),
    ("es.dni", "543623150", CHECKSUM, "DNI check letter does not match"),
])
def test_national_failures(vid, value, code, message):
    assert_error(vid, value, code, message)


@pytest.mark.parametrize("vid,value,expected", [
    ("us.ein", "042103594", "04-2103594"),
    ("us.ein", "04 2103594", "04-2103594"),
    ("us.ein", "0421", "0421"),
    ("at.businessid", "122119m", "FN 122119m"),
    ("at.businessid", "fn 122119M", "FN 122119m"),
    ("au.abn", "83914571673", "83 914 571 673"),
    ("au.abn", "8391457167", "8391457167"),
    ("br.cpf", "39053344705", "390.533.447-05"),
    ("br.cpf", "39053", "390.53.-"),
    ("br.cpf", "", "..-"),
    ("br.cpf", "3905334470512", "390.533.447-0512"),
    ("es.dni", "54362315-k", "54362315K"),
])
def test_national_formats(vid, value, expected):
    assert ov.format(vid, value) == expected


@pytest.mark.parametrize("vid,value,expected", [
    # Byte positions that fall inside a character give an empty piece.
    ("br.cpf", "12éab", "..-"),
    ("br.cpf", "1234567é", "123.456.7é-"),
    ("au.abn", "0\x80\x80\x80\U00010000", "   "),
    ("us.ein", "0é123456", "-"),
    ("us.ein", "é1234567", "é-1234567"),
])
def test_byte_position_formats_never_split_a_character(vid, value, expected):
    assert ov.format(vid, value) == expected


# --------------------------------------------------------------------------
# cz.bankaccount

CZ_BANK_CODES = """0100 0300 0600 0710 0800 2010 2060 2070 2100 2200 2220 2250 2600 2700 3030 3060 3500
4300 5500 5800 6000 6200 6210 6300 6363 6600 6700 6800 7910 7950 7960 7970 7990 8030 8040 8060 8090
8150 8190 8198 8220 8250 8255 8265 8500 8610 8660""".split()


@pytest.mark.parametrize("value,compact", [
    ("034278-0727558021/0100", "034278-0727558021/0100"),
    ("34278-727558021/0100", "034278-0727558021/0100"),
    (" 034278-0727558021/0100 ", "034278-0727558021/0100"),
    ("19-2000145399/0800", "000019-2000145399/0800"),
    ("2000145399/0800", "000000-2000145399/0800"),
])
def test_cz_bankaccount_valid(value, compact):
    assert_valid("cz.bankaccount", value, compact)
    assert ov.compact("cz.bankaccount", value) == compact
    assert ov.format("cz.bankaccount", value) == compact


@pytest.mark.parametrize("value,code,message", [
    ("0727558021", FORMAT, "Czech bank account must contain a bank code after '/'"),
    ("", FORMAT, "Czech bank account must contain a bank code after '/'"),
    ("1/2/0100", FORMAT, "Czech bank account must contain one '/' separator"),
    ("1-2-3/0100", FORMAT, "Czech bank account must contain at most one '-' separator"),
    ("1234567-0727558021/0100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("0727558021/100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("-0727558021/0100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("1/0100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("07275580210/0100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("034278 0727558021/0100", LENGTH, "Czech bank account parts have invalid lengths"),
    ("0342780727558021/01000", LENGTH, "Czech bank account parts have invalid lengths"),
    ("0727558021/01a0", FORMAT, "Czech bank account must contain only ASCII digits"),
    ("07275580２1/0100", LENGTH, "Czech bank account parts have invalid lengths"),  # 12 bytes
    ("0727 58021/0100", FORMAT, "Czech bank account must contain only ASCII digits"),
    ("000000-0000000001/0100", COMPONENT, "Czech basic account number must contain at least two non-zero digits"),
    ("0000000010/0100", COMPONENT, "Czech basic account number must contain at least two non-zero digits"),
    ("034278-0727558022/0100", CHECKSUM, "Czech bank account part fails the modulo 11 check"),
    ("034279-0727558021/0100", CHECKSUM, "Czech bank account part fails the modulo 11 check"),
    ("034278-0727558021/0000", COMPONENT, "Czech bank code is not assigned by the Czech National Bank"),
    ("034278-0727558021/0101", COMPONENT, "Czech bank code is not assigned by the Czech National Bank"),
])
def test_cz_bankaccount_failures(value, code, message):
    assert_error("cz.bankaccount", value, code, message)


def test_cz_bank_code_checked_only_after_modulo():
    # The modulo failure wins over an unassigned bank code.
    assert_error("cz.bankaccount", "034278-0727558022/0000", CHECKSUM,
                 "Czech bank account part fails the modulo 11 check")


@pytest.mark.parametrize("bank", CZ_BANK_CODES)
def test_cz_every_assigned_bank_code(bank):
    assert_valid("cz.bankaccount", f"2000145399/{bank}", f"000000-2000145399/{bank}")


def test_cz_unparseable_text_compacts_to_trimmed_text():
    assert ov.compact("cz.bankaccount", "  1/2/3 ") == "1/2/3"
    assert ov.format("cz.bankaccount", "\u3000abc\t") == "abc"


def results(vid, values):
    return [(r.valid, r.compact, r.error and r.error.code, r.error and r.error.message)
            for r in ov.validate_many(vid, values)]


@pytest.mark.parametrize("value,expected", [
    ("034278-0727558021/0100", (True, "034278-0727558021/0100", None, None)),
    ("000000-2000145399/0800", (True, "000000-2000145399/0800", None, None)),
    # Non-canonical 22-byte texts: the fast path names the canonical
    # positions, validate reports the parts' lengths; both reject.
    ("034278 0727558021/0100", (False, None, FORMAT,
                                "Czech bank account must use the canonical digit and separator positions")),
    ("0342780727558021/01000", (False, None, FORMAT,
                                "Czech bank account must use the canonical digit and separator positions")),
    ("000000-0000000001/0100", (False, None, COMPONENT,
                                "Czech basic account number must contain at least two non-zero digits")),
    ("034278-0727558021/0000", (False, None, COMPONENT,
                                "Czech bank code is not assigned by the Czech National Bank")),
    ("34278-727558021/0100", (True, "034278-0727558021/0100", None, None)),
    (" 034278-0727558021/010", (False, None, LENGTH, "Czech bank account parts have invalid lengths")),
])
def test_cz_batch_fast_path(value, expected):
    assert results("cz.bankaccount", [value]) == [expected]


@pytest.mark.parametrize("value,expected", [
    ("39053344705", (True, "39053344705", None, None)),
    ("390.533.447-05", (True, "39053344705", None, None)),
    (" 39053344705", (True, "39053344705", None, None)),
    ("11111111111", (False, None, FORMAT, "CPF must not be a repeated digit sequence")),
    ("39053344706", (False, None, CHECKSUM, "CPF check digit mismatch")),
    ("3905334470\u0661", (False, None, LENGTH, "CPF must be 11 digits")),
])
def test_br_cpf_batch(value, expected):
    assert results("br.cpf", [value]) == [expected]


CZ_SAMPLES = st.one_of(
    st.text(alphabet="0123456789-/ ", max_size=26),
    st.builds(lambda p, n, b, sep: f"{p}{sep}{n}/{b}",
              st.text(alphabet="0123456789", max_size=7), st.text(alphabet="0123456789", min_size=1, max_size=11),
              st.sampled_from(CZ_BANK_CODES + ["0000", "010", "01000"]), st.sampled_from(["-", " ", ""])),
)


@settings(max_examples=300, deadline=None)
@given(st.lists(CZ_SAMPLES, max_size=8))
def test_cz_batch_verdict_matches_validate(values):
    batch = ov.validate_many("cz.bankaccount", values)
    for value, res in zip(values, batch):
        single = ov.validate("cz.bankaccount", value)
        assert res.valid == single.valid
        if res.valid:
            assert res.compact == single.compact


CPF_SAMPLES = st.one_of(
    st.text(alphabet="0123456789", min_size=10, max_size=12),
    st.text(alphabet="0123456789.- a", max_size=16),
    st.sampled_from([ov.generate("br.cpf") for _ in range(20)]),
)


@settings(max_examples=300, deadline=None)
@given(st.lists(CPF_SAMPLES, max_size=8))
def test_cpf_batch_matches_validate(values):
    batch = ov.validate_many("br.cpf", values)
    for value, res in zip(values, batch):
        single = ov.validate("br.cpf", value)
        assert (res.valid, res.compact) == (single.valid, single.compact)
        if not res.valid:
            assert (res.error.code, res.error.message) == (single.error.code, single.error.message)


# --------------------------------------------------------------------------
# Generation

GENERATED_SHAPES = {
    "iban": lambda s: s[:2] in ("CZ", "DE", "SK") and len(s) == (22 if s[:2] == "DE" else 24) and s[2:].isdigit(),
    "isin": lambda s: s[:2] in ("US", "GB", "DE", "FR", "JP") and len(s) == 12 and s[2:].isdigit(),
    "lei": lambda s: len(s) == 20 and s.isdigit(),
    "bic": lambda s: len(s) == 8 and s[4:6] in ("DE", "GB", "US", "FR", "CH", "NL", "AT"),
    "us.ein": lambda s: len(s) == 9 and s.isdigit(),
    "at.businessid": lambda s: len(s) in (6, 7) and s[:-1].isdigit() and "a" <= s[-1] <= "z",
    "au.abn": lambda s: len(s) == 11 and s.isdigit(),
    "br.cpf": lambda s: len(s) == 11 and s.isdigit() and len(set(s[:9])) > 1,
    "es.dni": lambda s: len(s) == 9 and s[:8].isdigit(),
}


@pytest.mark.parametrize("vid", sorted(GENERATED_SHAPES))
def test_generated_values_validate(vid):
    seen = set()
    for _ in range(200):
        value = ov.generate(vid)
        assert isinstance(value, str)
        assert GENERATED_SHAPES[vid](value), value
        res = ov.validate(vid, value)
        assert res.valid and res.compact == value, (value, res.error and res.error.message)
        seen.add(value)
    assert len(seen) > 1


def test_generated_ibans_cover_all_three_templates():
    prefixes = {ov.generate("iban")[:2] for _ in range(200)}
    assert prefixes == {"CZ", "DE", "SK"}


def test_cz_bankaccount_has_no_generator():
    assert ov.generate("cz.bankaccount") is None


# --------------------------------------------------------------------------
# Metadata

METADATA = {
    "iban": dict(name="IBAN", local_name="IBAN", abbreviation="IBAN", aliases=["IBAN"], lengths=[],
                 examples=["GB29NWBK60161331926819", "DE89370400440532013000"], country=None, entity_type="any",
                 candidate_pattern=r"[A-Z]{2}\d{2}[\s]?[A-Z0-9]{4}[\s]?(?:[A-Z0-9]{4}[\s]?){2,7}[A-Z0-9]{1,4}",
                 description="International bank account number per ISO 13616", can_generate=True),
    "isin": dict(name="International Securities Identification Number", abbreviation="ISIN",
                 aliases=["ISIN", "International Securities Identification Number"], lengths=[],
                 examples=["US0378331005", "GB0002634946"], country=None, entity_type="any",
                 candidate_pattern=r"[A-Z]{2}[A-Z0-9]{9}\d", description=None, can_generate=True),
    "lei": dict(name="Legal Entity Identifier", abbreviation="LEI", aliases=["LEI", "Legal Entity Identifier"],
                lengths=[], examples=["5493006MHB84DD0ZWV18"], country=None, entity_type="company",
                candidate_pattern=r"[A-Z0-9]{18}\d{2}", can_generate=True),
    "bic": dict(name="Business Identifier Code", abbreviation="BIC", aliases=["BIC", "SWIFT", "BIC/SWIFT"],
                lengths=[], examples=["DEUTDEFF", "DEUTDEFF500"], country=None, entity_type="company",
                candidate_pattern=r"[A-Z]{6}[A-Z0-9]{2}(?:[A-Z0-9]{3})?", can_generate=True),
    "us.ein": dict(name="Employer Identification Number", abbreviation="EIN",
                   aliases=["EIN", "Employer Identification Number", "Federal Tax ID"], lengths=[],
                   examples=["042103594"], country="US", entity_type="company", candidate_pattern=r"\d{2}-?\d{7}"),
    "at.businessid": dict(name="Austrian Company Register Number", local_name="Firmenbuchnummer", abbreviation="FN",
                          aliases=["Firmenbuchnummer", "FN", "FBN"], examples=["122119m"], country="AT",
                          entity_type="company", candidate_pattern=r"FN\s?\d{5,6}[a-z]?"),
    "au.abn": dict(name="Australian Business Number", abbreviation="ABN", aliases=["ABN", "Australian Business Number"],
                   examples=["83914571673", "51824753556"], country="AU", entity_type="company",
                   candidate_pattern=r"\d{2}\s?\d{3}\s?\d{3}\s?\d{3}"),
    "br.cpf": dict(name="Brazilian CPF", local_name="Cadastro de Pessoas Físicas", abbreviation="CPF",
                   aliases=["CPF", "Cadastro de Pessoas Físicas"], examples=["39053344705"], country="BR",
                   entity_type="person", candidate_pattern=r"\d{3}\.?\d{3}\.?\d{3}-?\d{2}"),
    "es.dni": dict(name="Spanish National ID", local_name="Documento Nacional de Identidad", abbreviation="DNI",
                   aliases=["D.N.I.", "DNI", "documento nacional de identidad"], lengths=[2, 3, 4, 5, 6, 7, 8, 9],
                   examples=["54362315K", "1234567L"], country="ES", entity_type="person",
                   candidate_pattern=r"\d{1,2}\.?\d{3}\.?\d{3}-?[A-Z]"),
    "cz.bankaccount": dict(name="Czech Bank Account Number", local_name="Číslo účtu v národním formátu",
                           abbreviation="Číslo účtu", aliases=["číslo účtu", "bankovní účet", "bankovní spojení"],
                           lengths=[22], examples=["034278-0727558021/0100"], country="CZ", entity_type="any",
                           candidate_pattern=r"(?:\d{1,6}-)?\d{2,10}/\d{4}", can_generate=False,
                           description="National-format account number with modulo-11 checks and a "
                                       "ČNB-assigned bank code"),
}


@pytest.mark.parametrize("vid", sorted(METADATA))
def test_metadata(vid):
    m = ov.validator_metadata(vid)
    expected = dict(METADATA[vid])
    expected.setdefault("local_name", expected["name"])
    expected.setdefault("lengths", [])
    expected.setdefault("can_generate", True)
    expected.setdefault("description", None)
    for field, value in expected.items():
        assert getattr(m, field) == value, field
    assert m.id == vid
    assert m.can_parse is False
    assert m.scope == ("global" if expected["country"] is None else "country")
    assert m.source_url and m.source_url.startswith("https://")
    for example in m.examples:
        assert ov.validate(vid, example).valid, example


# --------------------------------------------------------------------------
# Robustness

@settings(max_examples=200, deadline=None)
@given(vid=st.sampled_from(IDS), text=st.text(max_size=60))
def test_operations_are_total(vid, text):
    assert isinstance(ov.compact(vid, text), str)
    assert isinstance(ov.format(vid, text), str)
    res = ov.validate(vid, text)
    assert res.valid in (True, False)
    if res.valid:
        assert isinstance(res.compact, str)
    else:
        assert res.error.code in (FORMAT, LENGTH, CHECKSUM, COMPONENT) and res.error.message


@settings(max_examples=200, deadline=None)
@given(vid=st.sampled_from(["iban", "isin", "lei", "bic", "es.dni"]),
       text=st.text(alphabet=st.sampled_from("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz -ßéſ"), max_size=40))
def test_valid_results_are_their_own_compact_form(vid, text):
    res = ov.validate(vid, text)
    if res.valid:
        assert ov.compact(vid, text) == res.compact
        assert ov.validate(vid, res.compact).compact == res.compact


@pytest.mark.parametrize("vid", IDS)
@pytest.mark.parametrize("filler", ["7", "A", "é", "\x00"])
def test_megabyte_inputs(vid, filler):
    big = filler * (1 << 20)
    assert isinstance(ov.compact(vid, big), str)
    assert isinstance(ov.format(vid, big), str)
    assert not ov.validate(vid, big).valid
    assert len(ov.validate_many(vid, [big, big])) == 2


def test_embedded_nul_is_an_ordinary_character():
    assert_error("bic", "DEUTDEF\x00", FORMAT, "BIC must be 8 or 11 alphanumeric characters")
    assert_error("br.cpf", "3905334470\x00", FORMAT, "CPF must contain only digits")
    assert_error("cz.bankaccount", "2000145399/080\x00", FORMAT,
                 "Czech bank account must contain only ASCII digits")
