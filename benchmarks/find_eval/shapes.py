"""A small pattern language for drawing candidate identifiers.

A shape is a string read left to right:

* ``d`` a digit, ``D`` a digit 1-9, ``A`` a capital letter, ``a`` a small
  letter, ``x`` a capital letter or digit, ``H`` an upper-case hex digit,
  ``h`` a lower-case hex digit;
* ``[...]`` one character of the set (ranges such as ``A-Z`` allowed);
* ``(a|b|c)`` one of the alternatives, taken literally;
* ``{YYMMDD}``, ``{DDMMYY}``, ``{YYYYMMDD}``, ``{DDMMYYYY}``, ``{YYYY}`` a
  date in that layout (years 1935-2005, days 1-28);
* ``\\c`` the character ``c``; a blank is ignored (for legibility); any
  other character stands for itself.

:func:`draw` fills a shape and returns the string plus, for every output
position, the characters that position may hold (used to search the
check positions).
"""
from __future__ import annotations

import random

DIGITS = "0123456789"
UPPER = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
CLASSES = {
    "d": DIGITS,
    "D": DIGITS[1:],
    "A": UPPER,
    "a": UPPER.lower(),
    "x": DIGITS + UPPER,
    "H": DIGITS + "ABCDEF",
    "h": DIGITS + "abcdef",
}


def _expand_set(body: str) -> str:
    out = []
    i = 0
    while i < len(body):
        if i + 2 < len(body) and body[i + 1] == "-":
            out.extend(chr(c) for c in range(ord(body[i]), ord(body[i + 2]) + 1))
            i += 3
        else:
            out.append(body[i])
            i += 1
    return "".join(out)


def _date(rng: random.Random, layout: str) -> str:
    y = rng.randint(1935, 2005)
    m = rng.randint(1, 12)
    d = rng.randint(1, 28)
    return (
        layout.replace("YYYY", f"{y:04d}")
        .replace("YY", f"{y % 100:02d}")
        .replace("MM", f"{m:02d}")
        .replace("DD", f"{d:02d}")
    )


def draw(shape: str, rng: random.Random) -> tuple[str, list[str]]:
    """Fill ``shape``; return the text and the allowed set of each position."""
    chars: list[str] = []
    sets: list[str] = []
    i = 0
    n = len(shape)
    while i < n:
        c = shape[i]
        if c == "\\" and i + 1 < n:
            chars.append(shape[i + 1])
            sets.append(shape[i + 1])
            i += 2
        elif c == "[":
            j = shape.index("]", i + 1)
            allowed = _expand_set(shape[i + 1 : j])
            chars.append(rng.choice(allowed))
            sets.append(allowed)
            i = j + 1
        elif c == "(":
            j = shape.index(")", i + 1)
            alt = rng.choice(shape[i + 1 : j].split("|"))
            chars.extend(alt)
            sets.extend(alt)
            i = j + 1
        elif c == "{":
            j = shape.index("}", i + 1)
            text = _date(rng, shape[i + 1 : j])
            chars.extend(text)
            sets.extend(text)
            i = j + 1
        elif c == " ":
            i += 1
        elif c in CLASSES:
            allowed = CLASSES[c]
            chars.append(rng.choice(allowed))
            sets.append(allowed)
            i += 1
        else:
            chars.append(c)
            sets.append(c)
            i += 1
    return "".join(chars), sets
