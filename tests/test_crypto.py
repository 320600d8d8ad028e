"""Wallet address validators (Base58Check, Bech32/Bech32m, EIP-55, the
wallet dispatcher) and the low-level Bitcoin and Ethereum routines."""
import hashlib

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

import orvane_vardik as ov
from helpers import outcome

B58_ALPHABET = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz"

BASE58_LEN = ("INVALID_LENGTH", "Bitcoin Base58Check address must be 26-35 characters")
BASE58_START = ("INVALID_COMPONENT", "Bitcoin Base58Check address must start with 1 or 3")
BASE58_CHARS = ("INVALID_FORMAT", "Bitcoin Base58Check address contains invalid characters")
BASE58_PAYLOAD = ("INVALID_LENGTH", "Bitcoin Base58Check address decoded payload must be 25 bytes")
BASE58_VERSION = ("INVALID_COMPONENT", "Bitcoin Base58Check address has an unsupported version")
BASE58_CHECKSUM = ("INVALID_CHECKSUM", "Bitcoin Base58Check address fails checksum validation")
BECH32_FORMAT = ("INVALID_FORMAT", "Bitcoin Bech32 address has an invalid format")
BECH32_CHECKSUM = ("INVALID_CHECKSUM", "Bitcoin Bech32 address fails checksum validation")
BECH32_COMPONENT = ("INVALID_COMPONENT", "Bitcoin Bech32 address has an unsupported component")
ETH_LEN = ("INVALID_LENGTH", "Ethereum address must be 42 characters")
ETH_FORMAT = ("INVALID_FORMAT", "Ethereum address must be 0x followed by 40 hexadecimal characters")
ETH_CHECKSUM = ("INVALID_CHECKSUM", "Ethereum address fails EIP-55 checksum validation")
WALLET = ("INVALID_FORMAT", "Unsupported cryptocurrency wallet address")

P2PKH = "1BoatSLRHtKNngkdXEeobR76b53LETtpyT"
P2SH = "3J98t1WpEZ73CNmQviecrnyiWrnqRhWNLy"
SEGWIT = "bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4"
ETH = "0xde709f2102306220921060314715629080e2fb77"
EIP55_EXAMPLES = [
    "0x5aAeb6053F3E94C9b9A09f33669435E7Ef1BeAed",
    "0xfB6916095ca1df60bB79Ce92cE3Ea74c37c5d359",
    "0xdbF03B407c01E7cD3CBea99509d93f8DDDC8C6FB",
    "0xD1220A0cf47c7B9Be7A2E6BA89F429762e7b9aDb",
]


def b58decode(text):
    """Plain big-integer Base58 decoding, the oracle for the native decoder."""
    n = 0
    for ch in text:
        n = n * 58 + B58_ALPHABET.index(ch)
    body = n.to_bytes((n.bit_length() + 7) // 8, "big") if n else b""
    return b"\0" * (len(text) - len(text.lstrip("1"))) + body


def b58encode(payload):
    n = int.from_bytes(payload, "big")
    out = ""
    while n:
        n, r = divmod(n, 58)
        out = B58_ALPHABET[r] + out
    return "1" * (len(payload) - len(payload.lstrip(b"\0"))) + out


def base58check(version, body):
    payload = bytes([version]) + body
    return b58encode(payload + hashlib.sha256(hashlib.sha256(payload).digest()).digest()[:4])


# Any version 0 or 5 payload with its double SHA-256 checksum is an address,
# leading zero bytes included; one changed checksum byte never is.
@given(st.sampled_from([0, 5]), st.binary(min_size=20, max_size=20), st.integers(0, 3))
def test_base58check_payloads(version, body, flip):
    address = base58check(version, body)
    r = ov.validate("crypto.btcbase58", address)
    assert r.valid and r.compact == address
    payload = bytes([version]) + body
    check = bytearray(hashlib.sha256(hashlib.sha256(payload).digest()).digest()[:4])
    check[flip] ^= 0x5A
    wrong = b58encode(payload + bytes(check))
    assert ov.validate("crypto.btcbase58", wrong).error.code == "INVALID_CHECKSUM"


# --- validate: exact codes and messages -------------------------------------


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("crypto.btcbase58", P2PKH, P2PKH),
        ("crypto.btcbase58", P2SH, P2SH),
        ("crypto.btcbase58", " " + P2PKH + " ", P2PKH),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtpyU", BASE58_CHECKSUM),
        ("crypto.btcbase58", "3J98t1WpEZ73CNmQviecrnyiWrnqRhWNLz", BASE58_CHECKSUM),
        ("crypto.btcbase58", "2" + "B" * 33, BASE58_START),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtp0T", BASE58_CHARS),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtpOT", BASE58_CHARS),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtpIT", BASE58_CHARS),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtplT", BASE58_CHARS),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtp\u00e9", BASE58_CHARS),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETtp\x00T", BASE58_CHARS),
        # Length is checked before the first character and the alphabet.
        ("crypto.btcbase58", "0" * 25, BASE58_LEN),
        ("crypto.btcbase58", "2" * 36, BASE58_LEN),
        ("crypto.btcbase58", "", BASE58_LEN),
        # Inner blanks are separators; lengths count bytes of the stripped text.
        ("crypto.btcbase58", "1BoatSLRHt KNngkdXEeobR76b53LETtpyT", P2PKH),
        ("crypto.btcbase58", "1BoatSLRHtKNngkdXEeobR76b53LETt\u00e9", BASE58_CHARS),
        ("crypto.btcbase58", "1" * 30, BASE58_PAYLOAD),
        ("crypto.btcbase58", "1" + "z" * 34, BASE58_PAYLOAD),
        ("crypto.btcbase58", "3" + "z" * 33, BASE58_VERSION),
        ("crypto.btcbase58", "3" + "1" * 33, BASE58_VERSION),
        ("crypto.btcbech32", SEGWIT, SEGWIT),
        ("crypto.btcbech32", SEGWIT.upper(), SEGWIT),
        ("crypto.btcbech32", "  " + SEGWIT.upper() + " ", SEGWIT),
        ("crypto.btcbech32", "bc1Qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4", BECH32_FORMAT),
        ("crypto.btcbech32", SEGWIT[:-1] + "5", BECH32_CHECKSUM),
        ("crypto.btcbech32", "tb1qw508d6qejxtdg4y5r3zarvary0c5xw7kxpjzsx", BECH32_COMPONENT),
        # Version 1 with a Bech32 checksum instead of Bech32m.
        (
            "crypto.btcbech32",
            "bc1pw508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7k7grplx",
            BECH32_CHECKSUM,
        ),
        ("crypto.btcbech32", "", BECH32_COMPONENT),
        ("crypto.btcbech32", "bc1", BECH32_FORMAT),
        ("crypto.btcbech32", "bc1" + "q" * 72, BECH32_FORMAT),
        ("crypto.eth", ETH, ETH),
        ("crypto.eth", ETH.upper().replace("0X", "0x"), ETH),
        ("crypto.eth", "0X" + ETH[2:].upper(), ETH),
        ("crypto.eth", " " + ETH + " ", ETH),
        ("crypto.eth", ETH[:-1], ETH_LEN),
        ("crypto.eth", ETH + "7", ETH_LEN),
        ("crypto.eth", "", ETH_LEN),
        ("crypto.eth", ETH[:10] + "g" + ETH[11:], ETH_FORMAT),
        ("crypto.eth", "00" + ETH[2:], ETH_FORMAT),
        ("crypto.eth", "0x" + "0" * 38 + "\u00e9", ETH_FORMAT),
        ("crypto.eth", "0x5AAeb6053F3E94C9b9A09f33669435E7Ef1BeAed", ETH_CHECKSUM),
        # Checked where they stand when there is nothing to compact; the
        # result is still the lower-case address.
        ("crypto.eth", "0X" + ETH[2:], ETH),
        ("crypto.eth", EIP55_EXAMPLES[0], EIP55_EXAMPLES[0].lower()),
        ("crypto.eth", ETH[:20] + "\t" + ETH[20:], ETH_LEN),
        ("crypto.eth", ETH + "\t", ETH),  # trimmed
        ("crypto.eth", ETH[:40] + "\x7f" + ETH[41], ETH_FORMAT),
        ("crypto.btcbase58", P2PKH + "\n", P2PKH),
        ("crypto.btcbase58", P2PKH[:20] + "\t" + P2PKH[20:], BASE58_CHARS),
        ("crypto.wallet", ETH, ETH),
        ("crypto.wallet", P2PKH, P2PKH),
        ("crypto.wallet", SEGWIT, SEGWIT),
        ("crypto.wallet", SEGWIT.upper(), SEGWIT),
        ("crypto.wallet", EIP55_EXAMPLES[0], EIP55_EXAMPLES[0].lower()),
        ("crypto.wallet", "hello", WALLET),
        ("crypto.wallet", "", WALLET),
        ("crypto.wallet", P2PKH[:-1] + "U", WALLET),
    ],
)
def test_validate(vid, value, expected):
    assert outcome(vid, value) == expected


@pytest.mark.parametrize(
    "vid,value,expected",
    [
        ("crypto.btcbase58", " 1Boat SLRH ", "1BoatSLRH"),
        ("crypto.btcbase58", "abc\u00a0DEF", "abcDEF"),
        ("crypto.btcbech32", " BC1 QW508 ", "bc1qw508"),
        ("crypto.btcbech32", "\u00c9", "\u00e9"),
        ("crypto.eth", " 0xAB CD ", "0xabcd"),
        ("crypto.wallet", "  hello  ", "hello"),
        ("crypto.wallet", "a b", "a b"),
        ("crypto.wallet", SEGWIT.upper(), SEGWIT),
        ("crypto.wallet", " " + P2PKH, P2PKH),
        ("crypto.wallet", "", ""),
    ],
)
def test_compact_and_format(vid, value, expected):
    assert ov.compact(vid, value) == expected
    assert ov.format(vid, value) == expected


# --- BIP-173 / BIP-350 test vectors ------------------------------------------

# Valid under the segwit address rules; only the mainnet "bc1" ones are
# accepted here.
SEGWIT_VALID = [
    ("BC1QW508D6QEJXTDG4Y5R3ZARVARY0C5XW7KV8F3T4", True),
    ("tb1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3q0sl5k7", False),
    ("bc1pw508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7kt5nd6y", True),
    ("BC1SW50QGDZ25J", True),
    ("bc1zw508d6qejxtdg4y5r3zarvaryvaxxpcs", True),
    ("tb1qqqqqp399et2xygdj5xreqhjjvcmzhxw4aywxecjdzew6hylgvsesrxh6hy", False),
    ("tb1pqqqqp399et2xygdj5xreqhjjvcmzhxw4aywxecjdzew6hylgvsesf3hn0c", False),
    ("bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vqzk5jj0", True),
    ("bc1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3qccfmv3", True),
]


@pytest.mark.parametrize("address,mainnet", SEGWIT_VALID)
def test_segwit_valid_vectors(address, mainnet):
    r = ov.btc_bech32_validate(address)
    if mainnet:
        assert (r.valid, r.code) == (True, None)
        assert outcome("crypto.btcbech32", address) == address.lower()
        assert outcome("crypto.wallet", address) == address.lower()
    else:
        assert (r.valid, r.code) == (False, "component")
        assert outcome("crypto.btcbech32", address) == BECH32_COMPONENT


# Invalid addresses; the code is given where the first failing check is
# unambiguous, else None (only "not valid" is asserted).
SEGWIT_INVALID = [
    # BIP-173
    ("\x201nwldj5", "component"),
    ("\x7f1axkwrx", "component"),
    ("\x801eym55h", "component"),
    ("an84characterslonghumanreadablepartthatcontainsthenumber1andtheexcludedcharactersbio1569pvx", "component"),
    ("pzry9x0s0muk", "component"),
    ("1pzry9x0s0muk", "component"),
    ("x1b4n0q5v", "component"),
    ("li1dgmt3", "component"),
    ("de1lg7wt\xff", "component"),
    ("A1G7SGD8", "component"),
    ("10a06t8", "component"),
    ("1qzzfhee", "component"),
    ("tc1qw508d6qejxtdg4y5r3zarvary0c5xw7kg3g4ty", "component"),
    ("bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t5", "checksum"),
    ("BC13W508D6QEJXTDG4Y5R3ZARVARY0C5XW7KN40WF2", "component"),
    ("bc1rw5uspcuh", "format"),
    ("bc10w508d6qejxtdg4y5r3zarvary0c5xw7kw508d6qejxtdg4y5r3zarvary0c5xw7kw5rljs90", "format"),
    ("BC1QR508D6QEJXTDG4Y5R3ZARVARYV98GJ9P", "component"),
    ("tb1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3q0sL5k7", "format"),
    ("bc1zw508d6qejxtdg4y5r3zarvaryvqyzf3du", None),
    ("tb1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3pjxtptv", "component"),
    ("bc1gmk9yu", "format"),
    # BIP-350
    ("tc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vq5zuyut", "component"),
    ("bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vqh2y7hd", "checksum"),
    ("tb1z0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vqglt7rf", "component"),
    ("BC1S0XLXVLHEMJA6C4DQV22UAPCTQUPFHLXM9H8Z3K2E72Q4K9HCZ7VQ54WELL", "checksum"),
    ("bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kemeawh", "checksum"),
    ("tb1q0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vq24jc47", "component"),
    ("bc1p38j9r5y49hruaue7wxjce0updqjuyyx0kh56v8s25huc6995vvpql3jow4", "format"),
    ("BC130XLXVLHEMJA6C4DQV22UAPCTQUPFHLXM9H8Z3K2E72Q4K9HCZ7VQ7ZWS8R", "component"),
    ("bc1pw5dgrnzv", "format"),
    ("bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7v8n0nx0muaewav253zgeav", "format"),
    ("tb1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vq47Zagq", "format"),
    ("bc1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7v07qwwzcrf", "component"),
    ("tb1p0xlxvlhemja6c4dqv22uapctqupfhlxm9h8z3k2e72q4k9hcz7vpggkg4j", "component"),
]


@pytest.mark.parametrize("address,code", SEGWIT_INVALID)
def test_segwit_invalid_vectors(address, code):
    r = ov.btc_bech32_validate(address)
    assert r.valid is False
    assert r.code in ("format", "checksum", "component")
    if code is not None:
        assert r.code == code
    assert ov.validate("crypto.btcbech32", address).valid is False


@pytest.mark.parametrize(
    "value,code",
    [
        (SEGWIT, None),
        (SEGWIT.upper(), None),
        (" " + SEGWIT, "component"),  # the value is taken exactly as passed
        (SEGWIT + " ", "format"),
        ("", "component"),
        ("b", "component"),
        ("bc", "component"),
        ("BC1", "format"),
        ("bc1" + "q" * 10, "format"),
        # The Kelvin sign lowers to "k", so it is read as a data character.
        (SEGWIT.replace("k", "\u212a"), None),
    ],
)
def test_btc_bech32_validate_raw(value, code):
    r = ov.btc_bech32_validate(value)
    assert r.valid is (code is None)
    assert r.code == code


# --- EIP-55 --------------------------------------------------------------------


def flip_one_letter(address):
    body = address[2:]
    for i, ch in enumerate(body):
        if ch.isalpha():
            return address[:2] + body[:i] + ch.swapcase() + body[i + 1 :]
    raise AssertionError("no letter")


@pytest.mark.parametrize("address", EIP55_EXAMPLES)
def test_eip55_examples(address):
    assert ov.eth_has_valid_eip55_checksum(address) is True
    assert outcome("crypto.eth", address) == address.lower()
    flipped = flip_one_letter(address)
    assert ov.eth_has_valid_eip55_checksum(flipped) is False
    assert outcome("crypto.eth", flipped) == ETH_CHECKSUM


@pytest.mark.parametrize("address", EIP55_EXAMPLES)
def test_eip55_every_single_flip_is_caught(address):
    body = address[2:]
    for i, ch in enumerate(body):
        if ch.isalpha():
            flipped = address[:2] + body[:i] + ch.swapcase() + body[i + 1 :]
            # Flipping the only upper- or lower-case letter makes the body
            # single-case, which carries no checksum.
            single_case = flipped[2:].lower() == flipped[2:] or flipped[2:].upper() == flipped[2:]
            assert ov.eth_has_valid_eip55_checksum(flipped) is single_case


@pytest.mark.parametrize(
    "value,expected",
    [
        ("", False),
        ("0", False),
        ("0x", True),
        ("zz", True),  # the first two characters are not examined
        (ETH, True),
        (ETH.upper(), True),
        ("0x" + "ab" * 30 + "AB", False),
        ("0x" + "1" * 64 + "aB", False),  # letters past the 64 digest digits fail
        ("0x" + "a" * 5000 + "B", False),
        ("\u00e9x", True),  # the third byte starts a character
        ("a\u00e9", False),  # the third byte is inside "é"
        ("0x\x00", True),
    ],
)
def test_eth_has_valid_eip55_checksum(value, expected):
    assert ov.eth_has_valid_eip55_checksum(value) is expected


# --- Base58 decoding -------------------------------------------------------------


@pytest.mark.parametrize(
    "value,expected",
    [
        ("", b""),
        ("1", b"\x00"),
        ("111", b"\x00\x00\x00"),
        ("2", b"\x01"),
        ("z", bytes([57])),
        ("21", bytes([58])),
        ("5R", b"\x01\x00"),
        ("0", None),
        ("O", None),
        ("I", None),
        ("l", None),
        (" 1", None),
        ("1 ", None),
        ("1\x002", None),
        ("\u00e9", None),
        ("\U0001f600", None),
    ],
)
def test_btc_base58_decode(value, expected):
    assert ov.btc_base58_decode(value) == expected


def test_btc_base58_decode_payload_of_example():
    payload = ov.btc_base58_decode(P2PKH)
    assert len(payload) == 25 and payload[0] == 0
    assert ov.btc_base58_decode(P2SH)[0] == 5


def test_btc_base58_decode_long_text():
    text = "".join(B58_ALPHABET[(i * 31 + 7) % 58] for i in range(100_000))
    assert ov.btc_base58_decode(text) == b58decode(text)
    assert ov.btc_base58_decode(text[:50_000] + "0" + text[50_000:]) is None


@settings(max_examples=200, deadline=None)
@given(st.text(alphabet=B58_ALPHABET, max_size=400))
def test_btc_base58_decode_matches_big_integer_decoding(text):
    assert ov.btc_base58_decode(text) == b58decode(text)


# --- Bech32 pieces -----------------------------------------------------------------


@pytest.mark.parametrize(
    "values,expected",
    [
        ([], 1),
        ([0], 32),
        ([1, 2, 3], 33859),
        ((1, 2, 3), 33859),
        ([2**32 - 1], 0xFFFFFFDF),  # values are XORed in without masking
    ],
)
def test_btc_bech32_polymod(values, expected):
    assert ov.btc_bech32_polymod(values) == expected


@pytest.mark.parametrize(
    "values,from_bits,to_bits,expected",
    [
        ([255], 8, 5, None),
        ([0], 5, 8, None),
        ([31], 5, 5, [31]),
        ([0, 0], 8, 5, [0, 0, 0]),
        ([0] * 8, 5, 8, [0] * 5),
        ([], 5, 8, []),
        ([], 8, 0, []),
        ([1], 5, 0, None),  # a zero output width cannot take any bits
        ([0, 0, 0], 8, 0, None),
        ([1], 32, 8, None),
        ([1], 8, 32, None),
        ([], 2**32 - 1, 8, None),
        ([32], 5, 5, None),
        ([0x12, 0x34], 8, 4, [1, 2, 3, 4]),
        ([2**31 - 1], 31, 31, [2**31 - 1]),
        ([2**31 - 1] * 2, 31, 1, [1] * 62),
    ],
)
def test_btc_bech32_convert_bits(values, from_bits, to_bits, expected):
    assert ov.btc_bech32_convert_bits(values, from_bits, to_bits) == expected


@pytest.mark.parametrize(
    "call,param",
    [
        (lambda: ov.btc_bech32_polymod([-1]), "values"),
        (lambda: ov.btc_bech32_polymod([2**32]), "values"),
        (lambda: ov.btc_bech32_convert_bits([-1], 5, 8), "values"),
        (lambda: ov.btc_bech32_convert_bits([1, 2**32], 5, 8), "values"),
        (lambda: ov.btc_bech32_convert_bits([1], -1, 8), "from_bits"),
        (lambda: ov.btc_bech32_convert_bits([1], 2**32, 8), "from_bits"),
        (lambda: ov.btc_bech32_convert_bits([1], 5, -1), "to_bits"),
        (lambda: ov.btc_bech32_convert_bits([1], 5, 2**64), "to_bits"),
    ],
)
def test_bech32_integer_arguments_out_of_range(call, param):
    with pytest.raises(OverflowError) as exc:
        call()
    assert str(exc.value) == "out of range integral type conversion attempted"
    assert f"while processing '{param}'" in getattr(exc.value, "__notes__", [])


@pytest.mark.parametrize(
    "call",
    [
        lambda: ov.btc_bech32_polymod("abc"),
        lambda: ov.btc_bech32_convert_bits("abc", 5, 8),
        lambda: ov.btc_bech32_polymod(""),
    ],
)
def test_bech32_values_must_not_be_str(call):
    with pytest.raises(TypeError) as exc:
        call()
    assert str(exc.value) == "Can't extract `str` to `Vec`"
    assert "while processing 'values'" in getattr(exc.value, "__notes__", [])


@pytest.mark.parametrize(
    "func,args",
    [
        (ov.btc_base58_decode, (5,)),
        (ov.btc_bech32_validate, (None,)),
        (ov.eth_has_valid_eip55_checksum, (b"0x",)),
    ],
)
def test_value_must_be_str(func, args):
    with pytest.raises(TypeError) as exc:
        func(*args)
    assert "while processing 'value'" in getattr(exc.value, "__notes__", [])


def _convert_bits_oracle(values, f, t):
    if f > 31 or t > 31:
        return None
    if t == 0 and values:
        return None
    acc = bits = 0
    out = []
    mask = (1 << t) - 1
    for v in values:
        if v >> f:
            return None
        acc = ((acc << f) | v) & 0xFFFFFFFF
        bits += f
        while bits >= t:
            bits -= t
            out.append((acc >> bits) & mask)
    if bits >= f or ((acc << (t - bits)) & mask):
        return None
    return out


@settings(max_examples=300, deadline=None)
@given(
    st.lists(st.integers(0, 2**32 - 1) | st.integers(0, 63), max_size=40),
    st.integers(0, 40),
    st.integers(0, 40),
)
def test_convert_bits_terminates_and_regroups(values, f, t):
    assert ov.btc_bech32_convert_bits(values, f, t) == _convert_bits_oracle(values, f, t)


@settings(max_examples=200, deadline=None)
@given(st.lists(st.binary(min_size=5, max_size=5), max_size=8))
def test_convert_bits_round_trip(chunks):
    # Whole multiples of 40 bits regroup 8 -> 5 -> 8 without padding.
    data = b"".join(chunks)
    groups = ov.btc_bech32_convert_bits(list(data), 8, 5)
    assert groups is not None and len(groups) == len(data) * 8 // 5
    assert all(0 <= g < 32 for g in groups)
    assert bytes(ov.btc_bech32_convert_bits(groups, 5, 8)) == data


# --- robustness ------------------------------------------------------------------

WALLET_IDS = ["crypto.btcbase58", "crypto.btcbech32", "crypto.eth", "crypto.wallet"]


@settings(max_examples=200, deadline=None)
@given(st.text(max_size=120))
def test_arbitrary_text_never_raises(text):
    for vid in WALLET_IDS:
        r = ov.validate(vid, text)
        assert isinstance(r.valid, bool)
        assert isinstance(ov.compact(vid, text), str)
        assert isinstance(ov.format(vid, text), str)
    assert isinstance(ov.eth_has_valid_eip55_checksum(text), bool)
    assert ov.btc_bech32_validate(text).code in (None, "format", "checksum", "component")
    decoded = ov.btc_base58_decode(text)
    assert decoded is None or isinstance(decoded, bytes)


@settings(max_examples=200, deadline=None)
@given(st.text(alphabet="qpzry9x8gf2tvdw0s3jn54khce6mua7lQPZRY9X8GF2TVDW0S3JN54KHCE6MUA7L", max_size=80))
def test_bech32_validate_agrees_with_validator(data):
    text = "bc1" + data
    raw = ov.btc_bech32_validate(text)
    r = ov.validate("crypto.btcbech32", text)
    assert r.valid is raw.valid
    if not r.valid:
        expected = {"format": "INVALID_FORMAT", "checksum": "INVALID_CHECKSUM", "component": "INVALID_COMPONENT"}
        assert r.error.code == expected[raw.code]


@pytest.mark.parametrize("vid", WALLET_IDS)
def test_huge_input(vid):
    text = "1" * 1_000_000
    assert ov.validate(vid, text).valid is False
    assert ov.compact(vid, text) in (text, text.lower())


# --- metadata -----------------------------------------------------------------------


@pytest.mark.parametrize(
    "vid,name,abbreviation,aliases,pattern,lengths,examples",
    [
        (
            "crypto.btcbase58",
            "Bitcoin Base58Check Address",
            "BTC",
            ["Bitcoin address", "Bitcoin legacy address", "Base58Check address"],
            "[13][1-9A-HJ-NP-Za-km-z]{25,34}",
            [],
            [P2PKH, P2SH],
        ),
        (
            "crypto.btcbech32",
            "Bitcoin Bech32 Address",
            "BTC",
            ["Bitcoin address", "Bitcoin SegWit address", "Bech32 address", "Bech32m address"],
            "(?:bc1[ac-hj-np-z02-9]{11,71}|BC1[AC-HJ-NP-Z02-9]{11,71})",
            [],
            [SEGWIT, "bc1qrp33g0q5c5txsp9arysrx4k6zdkfs4nce4xj0gdcccefvpysxf3qccfmv3"],
        ),
        (
            "crypto.eth",
            "Ethereum Address",
            "ETH",
            ["Ethereum address", "EVM address", "crypto wallet"],
            "0x[0-9A-Fa-f]{40}",
            [42],
            [ETH],
        ),
        (
            "crypto.wallet",
            "Cryptocurrency Wallet Address",
            "crypto",
            ["crypto address", "wallet address", "cryptocurrency wallet"],
            "(?:0x[0-9A-Fa-f]{40}|[13][1-9A-HJ-NP-Za-km-z]{25,34}|bc1[ac-hj-np-z02-9]{11,71}|BC1[AC-HJ-NP-Z02-9]{11,71})",
            [],
            [ETH, P2PKH, SEGWIT],
        ),
    ],
)
def test_metadata(vid, name, abbreviation, aliases, pattern, lengths, examples):
    m = ov.validator_metadata(vid)
    assert (m.id, m.name, m.local_name, m.abbreviation) == (vid, name, name, abbreviation)
    assert m.aliases == aliases
    assert m.candidate_pattern == pattern
    assert m.lengths == lengths
    assert m.examples == examples
    assert (m.scope, m.country, m.entity_type) == ("global", None, "any")
    assert m.source_url is None and m.description is None
    assert m.can_generate is False and m.can_parse is False
    assert ov.generate(vid) is None
    assert ov.parse(vid, examples[0]) is None
    for example in examples:
        assert ov.validate(vid, example).valid
        assert ov.validate("crypto.wallet", example).valid
