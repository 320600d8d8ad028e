"""validate_many and the boolean compatibility entry points."""
import pytest

import orvane_vardik as ov


def test_validate_many_luhn_mixed():
    rs = ov.validate_many("luhn", ["79927398713", "79927398710", ""])
    assert [(r.valid, r.compact) for r in rs] == [(True, "79927398713"), (False, None), (False, None)]
    assert [r.error.code for r in rs[1:]] == ["INVALID_CHECKSUM", "INVALID_LENGTH"]


@pytest.mark.parametrize("container", [list, tuple, lambda v: __import__("collections").UserList(v)])
def test_validate_many_accepts_sequences(container):
    rs = ov.validate_many("luhn", container(["18", "19"]))
    assert [r.valid for r in rs] == [True, False]


class LyingLength:
    """A sequence whose __len__ misbehaves; iteration still works."""

    def __init__(self, items, length):
        self.items, self.length = items, length

    def __len__(self):
        if isinstance(self.length, Exception):
            raise self.length
        return self.length

    def __getitem__(self, i):
        return self.items[i]


def _register(cls):
    from collections.abc import Sequence

    Sequence.register(cls)
    return cls


_register(LyingLength)


@pytest.mark.parametrize("length", [RuntimeError("no length"), 2**62, 0, 10**18])
def test_validate_many_survives_bad_len(length):
    rs = ov.validate_many("luhn", LyingLength(["18", "79927398713"], length))
    assert [r.valid for r in rs] == [True, True]


def test_validate_many_iteration_error_propagates_with_note():
    class Broken(LyingLength):
        def __getitem__(self, i):
            raise ValueError("boom")

    _register(Broken)
    with pytest.raises(ValueError) as exc:
        ov.validate_many("luhn", Broken([], 3))
    assert exc.value.__notes__ == ["while processing 'values'"]


def test_validate_many_list_mutated_by_element_conversion_is_safe():
    items = ["18"] * 5

    class Evil(str):
        pass

    items.append(Evil("79927398713"))
    assert [r.valid for r in ov.validate_many("luhn", items)] == [True] * 6


def test_validate_many_large_batch_matches_validate():
    values = [ov.luhn_generate(16) for _ in range(2000)] + ["1234"] * 10
    rs = ov.validate_many("luhn", values)
    assert [r.valid for r in rs] == [ov.validate("luhn", v).valid for v in values]


@pytest.mark.parametrize(
    "validator,value,mode,expected",
    [
        ("luhn", "7992 7398 713", None, True),
        ("luhn", "abc79927398713xyz", "digits-only", True),
        ("luhn", "abc79927398713xyz", None, False),
        ("luhn", "abc79927398713xyz", "DIGITS-ONLY", False),
        ("luhn", "abc79927398713xyz", "unknown-mode", False),
        ("luhn", "\uff11\uff18", "digits-only", False),  # full-width digits are not ASCII digits
        ("luhn", "  18  ", "crypto-wallet-candidate", True),  # no candidate: the trimmed text
        ("xx.nope", "18", None, False),
        ("nope", "18", "digits-only", False),
        ("", "18", None, False),
    ],
)
def test_validate_id_modes(validator, value, mode, expected):
    assert ov.validate_id(validator, value, mode) is expected
    if mode is None:
        assert ov.validate_named_id(validator, value) is expected


def test_validate_id_wallet_candidate_extraction():
    text = "send to (bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4), thanks"
    assert ov.validate_id("crypto.wallet", text, "crypto-wallet-candidate") is True
    assert ov.validate_id("crypto.wallet", text) is False
    eth = "pay [0xde709f2102306220921060314715629080e2fb77]; ok"
    assert ov.validate_id("crypto.eth", eth, input="crypto-wallet-candidate") is True
    b58 = "{1BoatSLRHtKNngkdXEeobR76b53LETtpyT}."
    assert ov.validate_id("crypto.btcbase58", b58, "crypto-wallet-candidate") is True
    # The candidate goes to whichever validator is named, wallet or not.
    assert ov.validate_id("luhn", "x 0x00000000000000000000000000000000000000 y", "crypto-wallet-candidate") is False


def test_validate_id_first_candidate_wins():
    text = "1BoatSLRHtKNngkdXEeobR76b53LETtpyT bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4"
    assert ov.validate_id("crypto.btcbase58", text, "crypto-wallet-candidate") is True
    assert ov.validate_id("crypto.btcbech32", text, "crypto-wallet-candidate") is False


def test_validate_id_named_iban():
    assert ov.validate_named_id("iban", "GB29NWBK60161331926819") is True


def test_validate_many_list_subclass_is_iterated_through_its_own_protocol():
    class Reversed(list):
        def __iter__(self):
            return iter(list(super().__iter__())[::-1])

    rs = ov.validate_many("luhn", Reversed(["18", "19"]))
    assert [r.valid for r in rs] == [False, True]


@pytest.mark.parametrize("container", [list, tuple])
def test_validate_many_converts_everything_before_lookup(container):
    with pytest.raises(UnicodeEncodeError) as exc:
        ov.validate_many("nope", container(["18", "\udc80"]))
    assert exc.value.__notes__ == ["while processing 'values'"]
    with pytest.raises(KeyError):
        ov.validate_many("nope", container(["18", "x\u00e9"]))
