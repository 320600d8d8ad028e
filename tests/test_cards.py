"""Luhn, payment cards, card network detection and Luhn generation."""
import ctypes

import pytest

import orvane_vardik as ov


def luhn_ok(digits: str) -> bool:
    total = 0
    for i, ch in enumerate(reversed(digits)):
        d = int(ch)
        if i % 2:
            d = d * 2 - 9 if d > 4 else d * 2
        total += d
    return total % 10 == 0


@pytest.mark.parametrize(
    "vid,value,compact,code,message",
    [
        ("luhn", "79927398713", "79927398713", None, None),
        ("luhn", "7992-7398.713", "79927398713", None, None),
        ("luhn", " 7992 7398 713\u00a0", "79927398713", None, None),
        ("luhn", "\uff17\uff19\uff19\uff12\uff17\uff13\uff19\uff18\uff17\uff11\uff13", "79927398713", None, None),
        ("luhn", "18", "18", None, None),
        ("luhn", "0", "0", None, None),
        ("luhn", "79927398710", None, "INVALID_CHECKSUM", "Luhn check digit does not match"),
        ("luhn", "   ", None, "INVALID_LENGTH", "Value must not be empty"),
        ("luhn", "", None, "INVALID_LENGTH", "Value must not be empty"),
        ("luhn", "12a4", None, "INVALID_FORMAT", "Value must contain only digits"),
        ("luhn", "18\x00", None, "INVALID_FORMAT", "Value must contain only digits"),
        ("luhn", "18/", None, "INVALID_FORMAT", "Value must contain only digits"),
        ("luhn", "\u0661\u0668", None, "INVALID_FORMAT", "Value must contain only digits"),
        ("creditcard", "4111 1111 1111 1111", "4111111111111111", None, None),
        ("creditcard", "5500-0000-0000-0004", "5500000000000004", None, None),
        ("creditcard", "378282246310005", "378282246310005", None, None),
        ("creditcard", "4111111111111112", None, "INVALID_CHECKSUM", "Credit card number fails Luhn check"),
        ("creditcard", "411111111111", None, "INVALID_LENGTH", "Credit card number must be 13-19 digits"),
        ("creditcard", "41111111111a", None, "INVALID_LENGTH", "Credit card number must be 13-19 digits"),
        ("creditcard", "4" * 20, None, "INVALID_LENGTH", "Credit card number must be 13-19 digits"),
        ("creditcard", "41111111111111a1", None, "INVALID_FORMAT", "Credit card number must contain only digits"),
        ("creditcard", "411111111111\u00e91", None, "INVALID_FORMAT", "Credit card number must contain only digits"),
    ],
)
def test_validate(vid, value, compact, code, message):
    r = ov.validate(vid, value)
    assert r.valid is (code is None)
    assert r.compact == compact
    if code is not None:
        assert (r.error.code, r.error.message) == (code, message)


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("luhn", " 1-2.3 4 ", "1234"),
        ("creditcard", "378282246310005", "3782 822463 10005"),
        ("creditcard", "5500-0000-0000-0004", "5500 0000 0000 0004"),
        ("creditcard", "4111111111111111", "4111 1111 1111 1111"),
        ("creditcard", "12345", "1234 5"),
        ("creditcard", "", ""),
        ("creditcard", "478282246310005", "4782 8224 6310 005"),
        ("creditcard", "12\u00e9456", "12\u00e9 456"),
        # A four-byte group that would split a character comes out empty.
        ("creditcard", "123\u00e9", " "),
    ],
)
def test_format(vid, value, expected):
    assert ov.format(vid, value) == expected


@pytest.mark.parametrize(
    "value,network",
    [
        ("4111111111111111", "visa"),
        ("5500000000000004", "mastercard"),
        ("2221000000000009", "mastercard"),
        ("2720990000000000", "mastercard"),
        ("2721000000000000", None),
        ("378282246310005", "amex"),
        ("341111111111111", "amex"),
        ("30569309025904", "diners"),
        ("36000000000008", "diners"),
        ("3530111333300000", "jcb"),
        ("3589000000000000", "jcb"),
        ("6304000000000000", "maestro"),
        ("5018000000000000", "maestro"),
        ("6011111111111117", "discover"),
        ("6221 26", "discover"),
        ("6229250000000000", "discover"),
        ("6229260000000000", "unionpay"),
        ("6500000000000000", "discover"),
        ("6440000000000000", "discover"),
        ("6200000000000005", "unionpay"),
        ("62", "unionpay"),
        ("4", "visa"),
        ("6011", "discover"),
        ("4111-1111", "visa"),
        ("9999", None),
        ("", None),
        ("   ", None),
        ("4111a", None),
    ],
)
def test_detect_network(value, network):
    assert ov.credit_card_detect_network(value) == network


@pytest.mark.parametrize("length,expected_len", [(16, 16), (2, 2), (1, 1), (0, 1), (19, 19), (1000, 1000)])
def test_luhn_generate_lengths(length, expected_len):
    for _ in range(20):
        s = ov.luhn_generate(length)
        assert len(s) == expected_len and s.isdigit() and s.isascii()
        assert ov.validate("luhn", s).valid
        assert luhn_ok(s)


def test_luhn_generate_zero_and_one_give_zero():
    assert ov.luhn_generate(0) == ov.luhn_generate(1) == "0"


def test_luhn_generate_long_output_passes_its_own_check():
    s = ov.luhn_generate(2_000_000)
    assert len(s) == 2_000_000 and ov.validate("luhn", s).valid


def _address_sanitizer_loaded():
    """True when AddressSanitizer is loaded into this process (an ASan build of
    the module, run with libasan preloaded). Its operator new ends the process
    on an unallocatable request instead of throwing std::bad_alloc, whatever
    ASAN_OPTIONS says."""
    try:
        return hasattr(ctypes.CDLL(None), "__asan_init")
    except (OSError, TypeError):  # no process-wide symbol table (Windows)
        return False


@pytest.mark.skipif(_address_sanitizer_loaded(),
                    reason="under AddressSanitizer an unallocatable request ends the process, not a MemoryError")
@pytest.mark.parametrize("length", [2**62, 2**63, 2**64 - 1])
def test_luhn_generate_unallocatable_length_is_memory_error(length):
    with pytest.raises(MemoryError):
        ov.luhn_generate(length)
    # The interpreter is still fine afterwards.
    assert len(ov.luhn_generate()) == 16


def test_luhn_generate_accepts_index_objects():
    class Five:
        def __index__(self):
            return 5

    assert len(ov.luhn_generate(Five())) == 5
    assert len(ov.luhn_generate(True)) == 1


def test_generated_cards():
    seen = set()
    for _ in range(300):
        s = ov.generate("creditcard")
        seen.add(s)
        assert len(s) == 16 and s.isdigit()
        assert s[0] == "4" or s[:2] in {"51", "52", "53", "54", "55"}
        assert ov.validate("creditcard", s).compact == s
    assert len(seen) > 290
    assert len({ov.generate("luhn") for _ in range(50)}) > 45


def test_luhn_result_for_very_long_input():
    # A long run of nines: the running sum is kept modulo 10, so the verdict
    # matches the arithmetic for any length.
    n = 10**6
    assert ov.validate("luhn", "9" * n).valid is luhn_ok("9" * n)
    assert ov.validate("luhn", "0" * n).valid
