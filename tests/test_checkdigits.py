"""The check-digit algorithms as functions: the standards' and issuers'
published examples, round trips, the errors each algorithm must catch, and
bad input."""
import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import checkdigits as cd

ISBN10_WEIGHTS = [10, 9, 8, 7, 6, 5, 4, 3, 2]
ISBN10_TABLE = "0X987654321"
NO_ORGNR = dict(weights=[3, 2, 7, 6, 5, 4, 3, 2], modulus=11,
                mapping=["0", None, "9", "8", "7", "6", "5", "4", "3", "2", "1"])

# (algorithm, payload, check, options): each a published value.
PUBLISHED = [
    ("luhn", "7992739871", "3", {}),                      # the classic example of the Luhn patent's rule
    ("luhn", "411111111111111", "1", {}),                 # test card number
    ("verhoeff", "236", "3", {}),                         # Verhoeff's worked example
    ("verhoeff", "12345", "1", {}),
    ("damm", "572", "4", {}),                             # Damm's worked example
    ("mod11_10", "13669597", "6", {}),                    # German VAT DE136695976
    ("mod11_10", "3339200596", "1", {}),                  # Croatian OIB 33392005961
    ("mod11_10", "10113470", "2", {}),                    # Serbian PIB 101134702
    ("mod11_2", "079", "X", {}),                          # ISO 7064 example
    ("mod11_2", "000000021825009", "7", {}),              # ORCID 0000-0002-1825-0097
    ("mod11_2", "000000021694233", "X", {}),              # ORCID 0000-0002-1694-233X
    ("mod37_2", "G123498654321", "H", {}),                # ISO 7064 example
    ("mod37_36", "A12425GABC1234002", "M", {}),           # ISO 7064 example
    ("mod97_10", "794", "44", {}),                        # ISO 7064 example
    ("mod97_10", "NWBK60161331926819GB", "29", {}),       # IBAN GB29 NWBK 6016 1331 9268 19, rearranged
    ("mod97_10", "5493001KJTIIGC8Y1R", "12", {}),         # LEI 5493001KJTIIGC8Y1R12
    ("gs1", "400638133393", "1", {}),                     # EAN-13 4006381333931
    ("gs1", "10614141234567890", "8", {}),                # GS1's SSCC example
    ("gs1", "629104150021", "3", {}),                     # EAN-13 6291041500213
    ("weighted", "030640615", "2", dict(weights=ISBN10_WEIGHTS, mapping=ISBN10_TABLE)),  # ISBN 0-306-40615-2
    ("weighted", "080442957", "X", dict(weights=ISBN10_WEIGHTS, mapping=ISBN10_TABLE)),  # ISBN 0-8044-2957-X
    ("weighted", "0317847", "1", dict(weights=[8, 7, 6, 5, 4, 3, 2], mapping=ISBN10_TABLE)),  # ISSN 0317-8471
    ("weighted", "4405140135", "9", dict(weights=[1, 3, 7, 9], modulus=10)),  # Polish PESEL 44051401359
    ("weighted", "97476067", "3", NO_ORGNR),              # Norwegian organisation number 974760673
]


def calc(name, payload, **options):
    return getattr(cd, f"{name}_calculate")(payload, **options)


def valid(name, value, **options):
    return getattr(cd, f"{name}_validate")(value, **options)


@pytest.mark.parametrize("name,payload,check,options", PUBLISHED)
def test_published_examples(name, payload, check, options):
    assert calc(name, payload, **options) == check
    assert valid(name, payload + check, **options)
    # Any other check character is refused.
    for other in "0123456789XAZ*":
        if other != check[-1]:
            assert not valid(name, payload + check[:-1] + other, **options)


def test_luhn_mod_n():
    # Over the decimal alphabet, Luhn mod N is the Luhn of the validators.
    for payload in ["", "0", "7992739871", "4111111111111111", "1" * 40]:
        assert cd.luhn_calculate(payload, alphabet="0123456789") == cd.luhn_calculate(payload)
    # Over another alphabet the check character comes from that alphabet.
    hex_check = cd.luhn_calculate("ABCDEF", alphabet="0123456789ABCDEF")
    assert hex_check == "B" and cd.luhn_validate("ABCDEFB", alphabet="0123456789ABCDEF")
    assert not cd.luhn_validate("ABCDEFB")  # letters are not decimal digits
    assert cd.luhn_calculate("ba", alphabet="ab") in "ab"


def test_the_validators_agree():
    # The kinds that carry these checks accept what the functions compute.
    assert ov.validate("creditcard", "4111111111111111").valid
    assert cd.luhn_validate("4111111111111111")
    iban = "GB29NWBK60161331926819"
    assert cd.mod97_10_validate(iban[4:] + iban[:4])
    assert ov.validate("isbn", "030640615" + cd.weighted_calculate("030640615", ISBN10_WEIGHTS, 11, ISBN10_TABLE)).valid


def test_mod97_10_refuses_check_pairs_no_calculation_gives():
    # 00, 01 and 99 reach remainder 1 for some payloads but are never computed.
    payload = "794"
    assert cd.mod97_10_calculate(payload) == "44"
    for pair in ("00", "01", "99"):
        assert not cd.mod97_10_validate(payload + pair) or cd.mod97_10_calculate(payload) == pair
    for payload in ("0", "123", "ABC", "9" * 30):
        assert "02" <= cd.mod97_10_calculate(payload) <= "98"


def test_weighted_options():
    # Weights repeat; counted from the right they pair with the last digit first.
    assert cd.weighted_calculate("123456", [1, 2]) == cd.weighted_calculate("123456", [1, 2, 1, 2, 1, 2])
    assert cd.weighted_calculate("12", [3, 1], 10, from_right=True) == cd.weighted_calculate("12", [1, 3], 10)
    # Named mappings.
    assert cd.weighted_calculate("5", [1], 11, "remainder") == "5"
    assert cd.weighted_calculate("5", [1], 11, "complement") == "6"
    assert cd.weighted_calculate("0", [1], 11, "complement_mod10") == "1"  # (11 - 0) mod 10
    assert cd.weighted_calculate("0", [1], 11, "complement") == "0"
    assert cd.weighted_calculate("2", [6], 11, "remainder_mod10") == "1"  # 12 mod 11 = 1
    # Negative and huge weights are reduced first.
    assert cd.weighted_calculate("7", [-1], 11, "remainder") == "4"
    assert cd.weighted_calculate("7", [2**62 + 1], 11, "remainder") == cd.weighted_calculate("7", [(2**62 + 1) % 11], 11, "remainder")
    # A remainder the mapping leaves without a check character.
    with pytest.raises(ValueError, match="no check character"):
        cd.weighted_calculate("1", [1], 11, "complement")  # 10
    with pytest.raises(ValueError, match="no check character"):
        cd.weighted_calculate("97476069", **NO_ORGNR)  # remainder 1 has none
    assert not cd.weighted_validate("974760690", **NO_ORGNR)


@pytest.mark.parametrize(
    "options,error,match",
    [
        (dict(weights=[]), ValueError, "must not be empty"),
        (dict(weights="123"), TypeError, "str"),
        (dict(weights=[1, "2"]), TypeError, "ints"),
        (dict(weights=[True]), TypeError, "ints"),
        (dict(weights=[2**70]), ValueError, "64 bits"),
        (dict(weights=[1], modulus=1), ValueError, "modulus"),
        (dict(weights=[1], modulus=2**31), ValueError, "modulus"),
        (dict(weights=[1], modulus=1.5), TypeError, "modulus"),
        (dict(weights=[1], mapping="sideways"), ValueError, "mapping"),
        (dict(weights=[1], modulus=3, mapping=["0", "1"]), ValueError, "one entry per remainder"),
        (dict(weights=[1], modulus=3, mapping=["0", "12", "2"]), ValueError, "one printable"),
        (dict(weights=[1], modulus=3, mapping=["0", 1, "2"]), ValueError, "one printable"),
        (dict(weights=[1], modulus=3, mapping=5), TypeError, "Sequence"),
    ],
)
def test_weighted_bad_options(options, error, match):
    with pytest.raises(error, match=match):
        cd.weighted_calculate("1", **options)
    with pytest.raises(error, match=match):
        cd.weighted_validate("11", **options)


ALGORITHMS = ["luhn", "verhoeff", "damm", "mod11_10", "mod11_2", "mod37_2", "mod37_36", "mod97_10", "gs1"]
ALNUM = {"mod37_2", "mod37_36", "mod97_10"}


@pytest.mark.parametrize("name", ALGORITHMS + ["weighted"])
def test_bad_input(name):
    options = {"weights": [1, 2]} if name == "weighted" else {}
    for bad in (None, 12, b"123", ["1"]):
        with pytest.raises(TypeError):
            calc(name, bad, **options)
        with pytest.raises(TypeError):
            valid(name, bad, **options)
    # A character the algorithm does not take is named with its position.
    with pytest.raises(ValueError, match=r"'a' at position 2 of the payload is not"):
        calc(name, "12a4", **options)
    with pytest.raises(ValueError, match=r"'é' at position 1"):
        calc(name, "1é", **options)
    # validate answers False for any text that is not valid.
    for text in ["", "1a", "12-3", "١٢٣", "\ud800", "12\x003", " 123", "1" * 10 + "\U0001f600"]:
        assert valid(name, text, **options) is False
    # Long text neither fails nor overflows.
    long = "7" * 1_000_003
    check = calc(name, long, **options) if name != "weighted" else None
    if check is not None:
        assert valid(name, long + check)


def test_bad_alphabets():
    for alphabet in ("", "a", "aa", "abca"):
        with pytest.raises(ValueError, match="at least two characters"):
            cd.luhn_calculate("a", alphabet=alphabet)
        with pytest.raises(ValueError):
            cd.luhn_validate("aa", alphabet=alphabet)
    with pytest.raises(ValueError, match="ASCII"):
        cd.luhn_calculate("a", alphabet="aé")
    with pytest.raises(ValueError, match="in the alphabet"):
        cd.luhn_calculate("abz", alphabet="ab")
    with pytest.raises(TypeError):
        cd.luhn_calculate("1", alphabet=10)
    assert cd.luhn_validate("abz", alphabet="ab") is False


def test_signatures():
    with pytest.raises(TypeError):
        cd.damm_calculate()
    with pytest.raises(TypeError):
        cd.damm_calculate("1", "2")
    with pytest.raises(TypeError):
        cd.damm_validate(valu="1")
    assert cd.damm_validate(value="5724") and cd.luhn_calculate(payload="1", alphabet=None) == "8"
    assert all(hasattr(ov.checkdigits, n) for n in cd.__all__)


digits = st.text(alphabet="0123456789", max_size=40)
alnum = st.text(alphabet="0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", max_size=40)


@given(payload=digits)
def test_round_trip_digits(payload):
    for name in ALGORITHMS:
        check = calc(name, payload)
        assert valid(name, payload + check), name


@given(payload=alnum)
def test_round_trip_alphanumeric(payload):
    for name in ALNUM:
        assert valid(name, payload + calc(name, payload)), name


@given(payload=st.text(alphabet="0123456789", min_size=1, max_size=30), data=st.data())
def test_single_substitutions_are_caught(payload, data):
    # Every algorithm here catches any one wrong digit (Luhn, Verhoeff,
    # Damm, the ISO 7064 systems and GS1 alike).
    at = data.draw(st.integers(0, len(payload) - 1))
    other = data.draw(st.sampled_from([d for d in "0123456789" if d != payload[at]]))
    changed = payload[:at] + other + payload[at + 1:]
    for name in ALGORITHMS:
        assert not valid(name, changed + calc(name, payload)), name


@given(payload=st.text(alphabet="0123456789", min_size=2, max_size=30), data=st.data())
def test_neighbour_swaps_are_caught(payload, data):
    at = data.draw(st.integers(0, len(payload) - 2))
    if payload[at] == payload[at + 1]:
        return
    swapped = payload[:at] + payload[at + 1] + payload[at] + payload[at + 2:]
    for name in ("verhoeff", "damm", "mod11_2", "mod97_10"):
        assert not valid(name, swapped + calc(name, payload)), name


@given(payload=st.text(alphabet="0123456789", max_size=20),
       weights=st.lists(st.integers(-50, 50), min_size=1, max_size=12),
       modulus=st.integers(2, 40), from_right=st.booleans())
def test_weighted_round_trip(payload, weights, modulus, from_right):
    table = [chr(0x21 + r) for r in range(modulus)]
    check = cd.weighted_calculate(payload, weights, modulus, table, from_right)
    assert cd.weighted_validate(payload + check, weights, modulus, table, from_right)
    # The sum it maps, computed here the long way.
    pairs = zip(reversed(payload), weights * len(payload)) if from_right else zip(payload, weights * len(payload))
    assert check == table[sum(int(d) * w for d, w in pairs) % modulus]
