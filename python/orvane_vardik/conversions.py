"""Conversions between related identifier kinds.

Each function validates its input with the package's own validators and
returns the converted identifier in compact form; input that is not a valid
identifier of the expected kind raises ValueError naming the problem::

    >>> from orvane_vardik import to_isbn13, cusip_to_isin
    >>> to_isbn13("0-306-40615-2")
    '9780306406157'
    >>> cusip_to_isin("037833100")
    'US0378331005'

The check characters of the results are found by the validators
themselves (exactly one candidate passes), so no check rule is written twice.
"""
from __future__ import annotations

from ._api import validate

__all__ = ["cusip_to_isin", "ean_to_gtin14", "to_isbn10", "to_isbn13"]

_DIGITS = "0123456789"


def _compact_or_raise(kind: str, label: str, value: str) -> str:
    if not isinstance(value, str):
        raise TypeError(f"{label} must be a str, not {type(value).__name__}")
    result = validate(kind, value)
    if result.compact is None:
        message = result.error.message if result.error is not None else "invalid"
        raise ValueError(f"not a valid {label}: {message}")
    return result.compact


def _complete(kind: str, payload: str, candidates: str) -> str:
    """The payload with the one check character that makes it valid."""
    for check in candidates:
        if validate(kind, payload + check).valid:
            return payload + check
    # Every payload built here has a check character; reaching this line
    # would mean the payload itself is malformed.
    raise ValueError(f"no {kind} check character completes {payload!r}")


def to_isbn13(value: str) -> str:
    """The ISBN-13 of an ISBN (an ISBN-13 is returned as it is, compact).

    An ISBN-10 becomes an ISBN-13 by the prefix 978 and a new check digit.

    >>> to_isbn13("0-8044-2957-X")
    '9780804429573'
    """
    isbn = _compact_or_raise("isbn", "ISBN", value)
    if len(isbn) == 13:
        return isbn
    return _complete("isbn", "978" + isbn[:9], _DIGITS)


def to_isbn10(value: str) -> str:
    """The ISBN-10 of an ISBN (an ISBN-10 is returned as it is, compact).

    Only ISBN-13s with the prefix 978 have an ISBN-10; those with 979 were
    never issued in ten-digit form and raise ValueError.

    >>> to_isbn10("978-0-306-40615-7")
    '0306406152'
    """
    isbn = _compact_or_raise("isbn", "ISBN", value)
    if len(isbn) == 10:
        return isbn
    if not isbn.startswith("978"):
        raise ValueError(f"ISBN {isbn} has no ISBN-10: only ISBN-13s with the prefix 978 have one")
    return _complete("isbn", isbn[3:12], _DIGITS + "X")


def ean_to_gtin14(value: str) -> str:
    """The 14-digit GTIN of an EAN-8, UPC-A, EAN-13 or GTIN-14.

    GS1 weights the digits from the right, so leading zeros keep the check
    digit valid.

    >>> ean_to_gtin14("4006381333931")
    '04006381333931'
    """
    return _compact_or_raise("ean", "EAN", value).rjust(14, "0")


def cusip_to_isin(value: str, country: str = "US") -> str:
    """The ISIN of a CUSIP: country code, the nine CUSIP characters and a
    check digit.

    ``country`` is the ISO 3166 code of the issuer (two letters, "US" or
    "CA" for most CUSIPs).

    >>> cusip_to_isin("38259P508")
    'US38259P5089'
    """
    cusip = _compact_or_raise("cusip", "CUSIP", value)
    if not isinstance(country, str):
        raise TypeError(f"country must be a str, not {type(country).__name__}")
    code = country.upper()
    if len(code) != 2 or not (code.isascii() and code.isalpha()):
        raise ValueError(f"country must be a two-letter country code, not {country!r}")
    if any(c in cusip for c in "*@#"):
        raise ValueError(f"CUSIP {cusip} contains '*', '@' or '#', which an ISIN cannot hold")
    return _complete("isin", code + cusip, _DIGITS)
