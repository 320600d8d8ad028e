"""Pools of valid values per kind, each confirmed by its oracle."""
from __future__ import annotations

import hashlib
import itertools
import random

from schwifty import IBAN

from .kinds import PUBLISHED, SHAPES
from .oracles import ORACLES
from .shapes import draw

# Bank codes that the account-number generator of the IBAN peer accepts,
# per country: (bank code, branch code, account length).
IBAN_BANKS = {
    "DE": [("37040044", "", 10), ("50010517", "", 10), ("10020030", "", 10)],
    "GB": [("NWBK", "601613", 8), ("BARC", "200000", 8)],
    "FR": [("30006", "00001", 11), ("20041", "01005", 11)],
    "ES": [("2100", "0418", 10), ("0049", "1500", 10)],
    "IT": [("05428", "11101", 12), ("03069", "09606", 12)],
    "NL": [("ABNA", "", 10), ("INGB", "", 10), ("RABO", "", 10)],
    "BE": [("539", "", 7), ("068", "", 7)],
    "NO": [("8601", "", 6), ("1503", "", 6)],
    "CH": [("00762", "", 12)],
    "AT": [("19043", "", 11), ("20111", "", 11)],
    "PL": [("10901014", "", 16)],
    "SE": [("500", "", 17)],
    "DK": [("0040", "", 10)],
    "FI": [("123456", "", 8)],
    "PT": [("0002", "0123", 13)],
    "IE": [("AIBK", "931152", 8)],
    "LU": [("001", "", 13)],
}

_B58 = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz"
_B32 = "qpzry9x8gf2tvdw0s3jn54khce6mua7l"


def _base58check(payload: bytes) -> str:
    data = payload + hashlib.sha256(hashlib.sha256(payload).digest()).digest()[:4]
    n = int.from_bytes(data, "big")
    out = ""
    while n:
        n, r = divmod(n, 58)
        out = _B58[r] + out
    pad = len(data) - len(data.lstrip(b"\0"))
    return "1" * pad + out


def _bech32_polymod(values: list[int]) -> int:
    gen = [0x3B6A57B2, 0x26508E6D, 0x1EA119FA, 0x3D4233DD, 0x2A1462B3]
    chk = 1
    for v in values:
        top = chk >> 25
        chk = (chk & 0x1FFFFFF) << 5 ^ v
        for i in range(5):
            chk ^= gen[i] if (top >> i) & 1 else 0
    return chk


def _bech32(program: bytes) -> str:
    hrp = "bc"
    acc, bits, data = 0, 0, [0]
    for b in program:
        acc = (acc << 8) | b
        bits += 8
        while bits >= 5:
            bits -= 5
            data.append((acc >> bits) & 31)
    if bits:
        data.append((acc << (5 - bits)) & 31)
    expand = [ord(c) >> 5 for c in hrp] + [0] + [ord(c) & 31 for c in hrp]
    poly = _bech32_polymod(expand + data + [0] * 6) ^ 1
    check = [(poly >> 5 * (5 - i)) & 31 for i in range(6)]
    return hrp + "1" + "".join(_B32[d] for d in data + check)


def _special(kind: str, rng: random.Random) -> str | None:
    if kind == "iban":
        country = rng.choice(sorted(IBAN_BANKS))
        bank, branch, n = rng.choice(IBAN_BANKS[country])
        account = "".join(rng.choice("0123456789") for _ in range(n))
        try:
            return IBAN.generate(country, bank_code=bank, account_code=account, branch_code=branch).compact
        except Exception:
            return None
    if kind == "crypto.btcbase58":
        version = rng.choice([b"\x00", b"\x05"])
        return _base58check(version + rng.randbytes(20))
    if kind == "crypto.btcbech32":
        return _bech32(rng.randbytes(20))
    return None


def _search(kind: str, shape: str, fix: tuple[int, ...], rng: random.Random) -> str | None:
    oracle = ORACLES[kind]
    text, sets = draw(shape, rng)
    if not fix:
        return text if oracle(text) else None
    chars = list(text)
    positions = [p % len(chars) for p in fix]
    choices = [sets[p] for p in positions]
    combos = list(itertools.product(*choices))
    if len(combos) > 2000:
        combos = rng.sample(combos, 2000)
    else:
        rng.shuffle(combos)
    for combo in combos:
        for p, c in zip(positions, combo):
            chars[p] = c
        candidate = "".join(chars)
        if oracle(candidate):
            return candidate
    return None


def draw_value(kind: str, rng: random.Random, tries: int = 60) -> str | None:
    """One valid compact value of ``kind``, or None where none was found."""
    for _ in range(tries):
        value = _special(kind, rng)
        if value is None and kind in SHAPES and SHAPES[kind]:
            shape, fix = rng.choice(SHAPES[kind])
            value = _search(kind, shape, fix, rng)
        if value is not None and ORACLES[kind](value):
            return value
    return None


def kinds_available() -> list[str]:
    """The ids this benchmark can both draw and judge (the corpus does not
    depend on the build under test, so builds can be compared)."""
    drawable = set(SHAPES) | {"iban", "crypto.btcbase58", "crypto.btcbech32"}
    return sorted(k for k in drawable if k in ORACLES)


def build_pools(kinds: list[str], seed: int, size: int) -> dict[str, list[str]]:
    """``size`` distinct valid values per kind (fewer where hard to find)."""
    pools: dict[str, list[str]] = {}
    for kind in kinds:
        rng = random.Random(f"{seed}:{kind}")
        published = [v for v in PUBLISHED.get(kind, []) if ORACLES[kind](v)]
        # about a fifth of a pool are published examples, the same in both parts
        seen: list[str] = rng.sample(published, min(len(published), max(1, size // 5))) if published else []
        for _ in range(size * 2):
            v = draw_value(kind, rng, tries=20)
            if v is not None and v not in seen:
                seen.append(v)
                if len(seen) >= size:
                    break
        pools[kind] = seen
    return pools
