"""Check-digit algorithms: compute the check character of a payload, or
validate a value that ends in its own.

Every algorithm has a ``*_calculate(payload)`` function, which returns the
check character(s) to append, and a ``*_validate(value)`` function, true
when the value ends in the check character(s) of the rest::

    >>> from orvane_vardik import checkdigits
    >>> checkdigits.luhn_calculate("7992739871")
    '3'
    >>> checkdigits.luhn_validate("79927398713")
    True

These are the routines the validators themselves run (the C++ core).

Bad input: a payload or value that is not a ``str`` raises ``TypeError``; a
payload character the algorithm does not accept raises ``ValueError``
naming it and its position. ``*_validate`` never raises for its value: it
answers ``False`` for any text that is not valid (wrong characters, too
short, text with lone surrogates); it raises only for bad options.
Letters must be upper case where an algorithm accepts them: compact and
upper-case a value first (``orvane_vardik.compact`` does both).
"""
from __future__ import annotations

from . import _checkdigits as _c

__all__ = [
    "luhn_calculate", "luhn_validate",
    "verhoeff_calculate", "verhoeff_validate",
    "damm_calculate", "damm_validate",
    "mod11_10_calculate", "mod11_10_validate",
    "mod11_2_calculate", "mod11_2_validate",
    "mod37_2_calculate", "mod37_2_validate",
    "mod37_36_calculate", "mod37_36_validate",
    "mod97_10_calculate", "mod97_10_validate",
    "gs1_calculate", "gs1_validate",
    "weighted_calculate", "weighted_validate",
]

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing
if TYPE_CHECKING:
    from collections.abc import Sequence


def luhn_calculate(payload: str, alphabet: str | None = None) -> str:
    """The Luhn check digit of a digit payload, or with ``alphabet`` the
    Luhn mod N check character over that alphabet (N distinct ASCII
    characters, each worth its position).

    From the right, every second value starting with the payload's last is
    doubled, and a doubled value is replaced by the sum of its digits in
    base N; the check character makes the total divisible by N. Payment
    cards, IMEIs and many national numbers use the decimal form.

        >>> luhn_calculate("7992739871")
        '3'
        >>> luhn_calculate("ABCDEF", alphabet="0123456789ABCDEF")
        'B'

    Raises ValueError for a payload character outside the alphabet and for
    an alphabet of fewer than two characters, a repeated one or a non-ASCII
    one.
    """
    return _c.luhn_calculate(payload, alphabet)


def luhn_validate(value: str, alphabet: str | None = None) -> bool:
    """True when ``value`` passes the Luhn check (mod N over ``alphabet``
    when given): its last character is the check character of the rest.

        >>> luhn_validate("4111111111111111")
        True
        >>> luhn_validate("4111111111111112")
        False
    """
    return _c.luhn_validate(value, alphabet)


def verhoeff_calculate(payload: str) -> str:
    """The Verhoeff check digit of a digit payload (the dihedral group D5,
    which catches every single-digit error and every swap of neighbours).

        >>> verhoeff_calculate("236")
        '3'
    """
    return _c.verhoeff_calculate(payload)


def verhoeff_validate(value: str) -> bool:
    """True when a digit text ends in its Verhoeff check digit.

        >>> verhoeff_validate("2363")
        True
    """
    return _c.verhoeff_validate(value)


def damm_calculate(payload: str) -> str:
    """The Damm check digit of a digit payload: the interim digit of the
    totally anti-symmetric quasigroup of order 10 (catches every
    single-digit error and every swap of neighbours).

        >>> damm_calculate("572")
        '4'
    """
    return _c.damm_calculate(payload)


def damm_validate(value: str) -> bool:
    """True when a digit text ends in its Damm check digit.

        >>> damm_validate("5724")
        True
    """
    return _c.damm_validate(value)


def mod11_10_calculate(payload: str) -> str:
    """The ISO 7064 MOD 11,10 (hybrid) check digit of a digit payload, as
    German VAT numbers and Croatian OIBs carry it.

        >>> mod11_10_calculate("13669597")
        '6'
    """
    return _c.mod11_10_calculate(payload)


def mod11_10_validate(value: str) -> bool:
    """True when a digit text ends in its ISO 7064 MOD 11,10 check digit.

        >>> mod11_10_validate("136695976")
        True
    """
    return _c.mod11_10_validate(value)


def mod11_2_calculate(payload: str) -> str:
    """The ISO 7064 MOD 11-2 check character of a digit payload: a digit or
    ``X`` (for 10), as ISNI and ORCID identifiers carry it.

        >>> mod11_2_calculate("079")
        'X'
        >>> mod11_2_calculate("000000021825009")
        '7'
    """
    return _c.mod11_2_calculate(payload)


def mod11_2_validate(value: str) -> bool:
    """True when a digit text ends in its ISO 7064 MOD 11-2 check
    character (``X`` upper case).

        >>> mod11_2_validate("0000000218250097")
        True
    """
    return _c.mod11_2_validate(value)


def mod37_2_calculate(payload: str) -> str:
    """The ISO 7064 MOD 37-2 check character of a payload of digits and
    upper-case letters: a digit, a letter or ``*`` (for 36).

        >>> mod37_2_calculate("G123498654321")
        'H'
    """
    return _c.mod37_2_calculate(payload)


def mod37_2_validate(value: str) -> bool:
    """True when a text of digits and upper-case letters ends in its ISO
    7064 MOD 37-2 check character.

        >>> mod37_2_validate("G123498654321H")
        True
    """
    return _c.mod37_2_validate(value)


def mod37_36_calculate(payload: str) -> str:
    """The ISO 7064 MOD 37,36 (hybrid) check character of a payload of
    digits and upper-case letters: a digit or a letter, as ISAN and GRid
    carry it.

        >>> mod37_36_calculate("A12425GABC1234002")
        'M'
    """
    return _c.mod37_36_calculate(payload)


def mod37_36_validate(value: str) -> bool:
    """True when a text of digits and upper-case letters ends in its ISO
    7064 MOD 37,36 check character.

        >>> mod37_36_validate("A12425GABC1234002M")
        True
    """
    return _c.mod37_36_validate(value)


def mod97_10_calculate(payload: str) -> str:
    """The two ISO 7064 MOD 97-10 check digits of a payload of digits and
    upper-case letters (A = 10 ... Z = 35): 98 less the remainder of the
    payload followed by ``00``, so always ``02`` to ``98``. IBAN and LEI
    use it (the IBAN on its rearranged text).

        >>> mod97_10_calculate("794")
        '44'
    """
    return _c.mod97_10_calculate(payload)


def mod97_10_validate(value: str) -> bool:
    """True when a text ends in the two MOD 97-10 check digits of the rest.

    Stricter than "the remainder is 1": the check digits ``00``, ``01`` and
    ``99`` also give remainder 1 for some payloads, but no calculation
    produces them, so they are refused.

        >>> mod97_10_validate("79444")
        True
    """
    return _c.mod97_10_validate(value)


def gs1_calculate(payload: str) -> str:
    """The GS1 mod 10 check digit of a digit payload: weights 3 and 1
    alternate from the payload's last digit, so GTIN-8, -12, -13 and -14,
    SSCC and GLN share it.

        >>> gs1_calculate("400638133393")
        '1'
    """
    return _c.gs1_calculate(payload)


def gs1_validate(value: str) -> bool:
    """True when a digit text ends in its GS1 mod 10 check digit.

        >>> gs1_validate("4006381333931")
        True
    """
    return _c.gs1_validate(value)


def weighted_calculate(
    payload: str,
    weights: Sequence[int],
    modulus: int = 11,
    mapping: str | Sequence[str | None] = "complement",
    from_right: bool = False,
) -> str:
    """The check character of a weighted sum of a digit payload.

    Each digit is multiplied by its weight and the products summed; the
    remainder ``r`` of the sum modulo ``modulus`` (2 to 2**31 - 1) becomes
    the check character through ``mapping``. Weights pair with the digits
    from the left (from the payload's last digit with ``from_right``) and
    repeat when the payload is longer than they are; any int weight works,
    negative ones included.

    ``mapping`` is one of:

    - ``"complement"``: ``(modulus - r) % modulus``;
    - ``"remainder"``: ``r``;
    - ``"complement_mod10"``: ``(modulus - r) % 10`` (so ``r = 0`` gives 1
      under modulus 11);
    - ``"remainder_mod10"``: ``r % 10``;
    - a table with one entry per remainder: a ``str`` of ``modulus``
      characters, or a sequence of one-character strings and ``None`` for a
      remainder that has no check character.

    A named mapping whose value exceeds 9 gives no check character (write
    the table, such as ``"0X987654321"``, where 10 has a letter).

        >>> weighted_calculate("030640615", [10, 9, 8, 7, 6, 5, 4, 3, 2], 11, "0X987654321")
        '2'
        >>> weighted_calculate("1234567", [7, 3, 1], 10, "complement")
        '6'

    Raises ValueError when the mapping gives no check character for the
    payload, and for empty weights, a modulus out of range or a mapping that
    is none of the above.
    """
    return _c.weighted_calculate(payload, weights, modulus, mapping, from_right)


def weighted_validate(
    value: str,
    weights: Sequence[int],
    modulus: int = 11,
    mapping: str | Sequence[str | None] = "complement",
    from_right: bool = False,
) -> bool:
    """True when a digit text ends in the check character that
    ``weighted_calculate`` gives for the rest, with the same options.

        >>> weighted_validate("0306406152", [10, 9, 8, 7, 6, 5, 4, 3, 2], 11, "0X987654321")
        True
    """
    return _c.weighted_validate(value, weights, modulus, mapping, from_right)
