"""Things documents hold that are not identifiers.

Every decoy is shown to every oracle whose kind has values of the same
key length (letters and digits only): as written (where the oracle's own
compaction removes the separators) and each of its words (``0773881738``
in ``PO 0773881738``). One that any
oracle accepts is drawn again (at most 30 times, then
left out). A decoy therefore never stands where an identifier of a kind
the benchmark can judge would be correct, and any report on it is false.
"""
from __future__ import annotations

import random
import re
import uuid

from .oracles import ORACLES

_ALNUM = re.compile(r"[^0-9A-Za-z]")


def _d(rng: random.Random, n: int) -> str:
    return "".join(rng.choice("0123456789") for _ in range(n))


def _amount(rng: random.Random) -> str:
    whole = rng.choice([rng.randint(1, 999), rng.randint(1000, 99999), rng.randint(100000, 9999999)])
    cents = rng.randint(0, 99)
    style = rng.randrange(8)
    if style == 0:
        return f"EUR {whole:,}.{cents:02d}".replace(",", "")
    if style == 1:
        return f"€ {whole:,}.{cents:02d}".replace(",", "X").replace(".", ",").replace("X", ".")
    if style == 2:
        return f"${whole:,}.{cents:02d}"
    if style == 3:
        return f"{whole:,}".replace(",", " ") + f",{cents:02d} zł"
    if style == 4:
        return f"CHF {whole:,}.{cents:02d}".replace(",", "'")
    if style == 5:
        return f"{whole}.{cents:02d} USD"
    if style == 6:
        return f"£{whole:,}.{cents:02d}"
    return f"{whole:,}.{cents:02d} EUR".replace(",", " ")


def _reference(rng: random.Random) -> str:
    y = rng.randint(2018, 2030)
    style = rng.randrange(9)
    if style == 0:
        return f"INV-{y}-{_d(rng, 5)}"
    if style == 1:
        return f"FAC-{_d(rng, 9)}"
    if style == 2:
        return f"PO {_d(rng, 10)}"
    if style == 3:
        return f"Order #{_d(rng, rng.randint(6, 11))}"
    if style == 4:
        return f"INV{_d(rng, 8)}"
    if style == 5:
        return f"Ref. {rng.choice('ABCDEFGH')}{_d(rng, 7)}/{y}"
    if style == 6:
        return f"RE-{_d(rng, 6)}"
    if style == 7:
        return f"Ticket #{_d(rng, 7)}"
    return f"SO-{_d(rng, 4)}-{_d(rng, 4)}"


def _ipv4(rng: random.Random) -> str:
    return ".".join(str(rng.randint(1, 254)) for _ in range(4))


def _ipv6(rng: random.Random) -> str:
    groups = [f"{rng.randint(0, 0xFFFF):x}" for _ in range(8)]
    if rng.random() < 0.5:
        return "2001:db8::" + ":".join(groups[:3])
    return ":".join(groups)


def _tracking(rng: random.Random) -> str:
    style = rng.randrange(4)
    if style == 0:
        return "1Z" + "".join(rng.choice("0123456789ABCDEFGHJKLMNPRSTUVWXYZ") for _ in range(16))
    if style == 1:
        return "9400" + _d(rng, 18)
    if style == 2:
        return "JD" + _d(rng, 18)
    return rng.choice("RLCE") + rng.choice("ABCDEFGHJ") + _d(rng, 9) + rng.choice(["DE", "GB", "FR", "NL"])


def _phone(rng: random.Random) -> str:
    style = rng.randrange(10)
    if style == 0:
        return f"030 {_d(rng, 8)}"
    if style == 1:
        return f"+49 {rng.randint(30, 89)} {_d(rng, 7)}"
    if style == 2:
        return f"({rng.randint(201, 989)}) {_d(rng, 3)}-{_d(rng, 4)}"
    if style == 3:
        return "0" + str(rng.randint(1, 7)) + " " + " ".join(_d(rng, 2) for _ in range(4))
    if style == 4:
        return f"+33 {rng.randint(1, 7)} " + " ".join(_d(rng, 2) for _ in range(4))
    if style == 5:
        return f"020 {_d(rng, 4)} {_d(rng, 4)}"
    if style == 6:
        return f"+44 7{_d(rng, 3)} {_d(rng, 6)}"
    if style == 7:
        return f"06-{_d(rng, 8)}"
    if style == 8:
        return f"+48 {_d(rng, 3)} {_d(rng, 3)} {_d(rng, 3)}"
    return f"{rng.randint(201, 989)}.{_d(rng, 3)}.{_d(rng, 4)}"


def _date(rng: random.Random) -> str:
    y, m, d = rng.randint(1990, 2030), rng.randint(1, 12), rng.randint(1, 28)
    style = rng.randrange(9)
    months = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
    if style == 0:
        return f"{y}-{m:02d}-{d:02d}"
    if style == 1:
        return f"{d:02d}.{m:02d}.{y}"
    if style == 2:
        return f"{m:02d}/{d:02d}/{y}"
    if style == 3:
        return f"{d} {months[m - 1]} {y}"
    if style == 4:
        return f"{y}-{m:02d}-{d:02d}T{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}Z"
    if style == 5:
        return f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}"
    if style == 6:
        return str(rng.randint(1_500_000_000, 1_900_000_000))
    if style == 7:
        return f"{d:02d}/{m:02d}/{y % 100:02d}"
    return f"{y}{m:02d}{d:02d}"


def _uuid(rng: random.Random) -> str:
    return str(uuid.UUID(int=rng.getrandbits(128), version=4))


def _hash(rng: random.Random) -> str:
    n = rng.choice([7, 12, 32, 40, 64])
    return "".join(rng.choice("0123456789abcdef") for _ in range(n))


def _version(rng: random.Random) -> str:
    style = rng.randrange(4)
    a, b, c = rng.randint(0, 20), rng.randint(0, 40), rng.randint(0, 200)
    if style == 0:
        return f"v{a}.{b}.{c}"
    if style == 1:
        return f"{a}.{b}.{c}-rc{rng.randint(1, 5)}"
    if style == 2:
        return f"{a}.{b}.{c}.{rng.randint(1000, 99999)}"
    return f"build {rng.randint(1000, 999999)}"


def _postcode(rng: random.Random) -> str:
    style = rng.randrange(7)
    if style == 0:
        return f"{rng.randint(10000, 99999)} Berlin"
    if style == 1:
        return f"{rng.randint(10, 95)}{rng.randint(0, 999):03d} Paris"
    if style == 2:
        return f"SW{rng.randint(1, 20)}A {rng.randint(1, 9)}AA"
    if style == 3:
        return f"{rng.randint(10, 99)}-{rng.randint(100, 999)} Warszawa"
    if style == 4:
        return f"{rng.randint(1000, 9999)} {rng.choice('ABCDEFGHJKLMNPRSTVWXZ')}{rng.choice('ABCDEFGHJKLMNPRSTVWXZ')} Amsterdam"
    if style == 5:
        return f"{rng.randint(100, 999)} {rng.randint(10, 99)} Stockholm"
    return f"NY {rng.randint(10001, 14975)}-{_d(rng, 4)}"


def _page(rng: random.Random) -> str:
    style = rng.randrange(5)
    if style == 0:
        return f"p. {rng.randint(1, 900)}"
    if style == 1:
        return f"pp. {rng.randint(1, 400)}-{rng.randint(401, 900)}"
    if style == 2:
        return f"line {rng.randint(1, 99999)}"
    if style == 3:
        return f"§ {rng.randint(1, 300)} Abs. {rng.randint(1, 9)}"
    return f"Seite {rng.randint(1, 50)} von {rng.randint(50, 99)}"


MAKERS = {
    "amount": _amount,
    "reference": _reference,
    "ipv4": _ipv4,
    "ipv6": _ipv6,
    "tracking": _tracking,
    "phone": _phone,
    "date": _date,
    "uuid": _uuid,
    "hash": _hash,
    "version": _version,
    "postcode": _postcode,
    "page": _page,
}


class DecoyMaker:
    """Draws decoys and drops those an oracle takes for an identifier."""

    def __init__(self, lengths: dict[int, list[str]]):
        self._lengths = lengths
        self._cache: dict[str, bool] = {}
        self.dropped = 0
        self.made = 0

    def accepted(self, text: str) -> bool:
        hit = self._cache.get(text)
        if hit is not None:
            return hit
        probes = {text} | {t.upper() for t in _ALNUM.split(text) if t}
        hit = False
        for probe in probes:
            plain = _ALNUM.sub("", probe)
            for kind in self._lengths.get(len(plain), ()):
                if ORACLES[kind](probe):
                    hit = True
                    break
            if hit:
                break
        self._cache[text] = hit
        return hit

    def make(self, rng: random.Random, kind: str | None = None) -> str:
        kind = kind or rng.choice(sorted(MAKERS))
        for _ in range(30):
            text = MAKERS[kind](rng)
            if not self.accepted(text):
                self.made += 1
                return text
            self.dropped += 1
        return "n/a"
