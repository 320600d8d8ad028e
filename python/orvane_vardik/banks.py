"""The bank behind an IBAN or a BIC, from the package's bank directory.

The directory lists, for 45 countries, each national bank code (as it stands
in the BBAN) with the bank's names, its BICs and, for Germany, the check
method of its account numbers. It is read on first use; a newer file of the
same format can replace it with :func:`load_bank_directory`.

>>> import orvane_vardik as ov
>>> ov.iban_parts("DE89370400440532013000").bic
'COBADEFFXXX'
>>> ov.bank("COBADEFFXXX").country
'DE'
>>> ov.iban_from_account("DE", "37040044", "532013000")
'DE89370400440532013000'
"""
from __future__ import annotations

import os
from collections import namedtuple

from . import _data

__all__ = [
    "Bank",
    "BankDirectory",
    "DE_CHECK_METHODS",
    "bank",
    "bank_directory",
    "bic_candidates",
    "iban_from_account",
    "load_bank_directory",
    "validate_bban",
]


# Type checkers read the typed classes; at run time the package keeps to
# collections.namedtuple, so that importing it imports neither typing nor re.
TYPE_CHECKING = False
if TYPE_CHECKING:
    from typing import NamedTuple

    class Bank(NamedTuple):
        """A bank as the directory knows it under one BIC."""

        bic: str
        """The BIC as asked for, compact and in upper case."""
        name: str
        short_name: str
        country: str
        """The country of the bank codes that list the BIC (else the BIC's own)."""
        location_code: str
        """Characters 7 and 8 of the BIC: where the institution is."""
        branch_code: str | None
        """Characters 9 to 11 of the BIC, or None for an eight-character BIC."""
        bank_codes: tuple[str, ...]
        """The national bank codes that list the BIC, in directory order."""


    class BankDirectory(NamedTuple):
        """The bank directory in use."""

        path: str
        source: str
        """Who published the data, as the file's ``# source:`` line says."""
        snapshot: str
        """The date of the data (``YYYY-MM-DD``), as the file's ``# snapshot:`` line says."""
        rows: int
        memory: int
        """Bytes the loaded directory holds."""
else:
    class Bank(namedtuple("Bank", ["bic", "name", "short_name", "country", "location_code", "branch_code",
                                   "bank_codes"])):
        """A bank as the directory knows it under one BIC: ``bic`` (compact,
        upper case), ``name``, ``short_name``, ``country`` (of the bank codes
        that list the BIC, else the BIC's own), ``location_code`` (characters
        7 and 8), ``branch_code`` (characters 9 to 11, or None) and
        ``bank_codes`` (the national bank codes that list the BIC, in
        directory order)."""

        __slots__ = ()

    class BankDirectory(namedtuple("BankDirectory", ["path", "source", "snapshot", "rows", "memory"])):
        """The bank directory in use: ``path``, ``source`` (the file's
        ``# source:`` line), ``snapshot`` (its ``# snapshot:`` date,
        ``YYYY-MM-DD``), ``rows`` and ``memory`` (bytes it holds)."""

        __slots__ = ()


def _compact(value: str) -> str:
    return "".join(value.split()).upper()


def bank(bic: str) -> Bank | None:
    """The bank the directory lists under ``bic``, or ``None``.

    ``bic`` may be written in any case, with blanks; an eight-character BIC
    and its eleven-character form ending ``XXX`` find the same bank. Names
    are those of the first directory row of the BIC.

    Raises ``TypeError`` when ``bic`` is not a ``str``.
    """
    if not isinstance(bic, str):
        raise TypeError("bank() argument 'bic' must be str")
    code = _compact(bic)
    if len(code) not in (8, 11) or not code.isascii() or not code.isalnum():
        return None
    rows = _data.bank_rows_by_bic(code)
    if not rows:
        return None
    first = rows[0]
    codes = tuple(dict.fromkeys(r[1] for r in rows if r[1]))
    return Bank(code, first[3], first[4], first[0], code[6:8], code[8:] if len(code) == 11 else None, codes)


def bic_candidates(country: str, bank_code: str) -> list[str]:
    """The BICs the directory lists for a national bank code: the one
    :attr:`IbanParts.bic` reports first, then the others in directory order.
    Empty for a code it does not know.

    Raises ``TypeError`` when an argument is not a ``str``.
    """
    if not isinstance(country, str) or not isinstance(bank_code, str):
        raise TypeError("bic_candidates() arguments must be str")
    rows = _data.bank_rows(_compact(country), _compact(bank_code))
    bics = [r[2] for r in rows if r[2]]
    primary = [r[2] for r in rows if r[2] and r[5]]
    head = [b for b in primary if len(b) == 8 or b.endswith("XXX")]
    first = head[:1] or primary[:1]
    return list(dict.fromkeys(first + bics))


def validate_bban(value: str, country: str | None = None) -> bool | None:
    """Whether the national check digits inside a BBAN hold.

    ``value`` is an IBAN (any written form), or with ``country`` the BBAN of
    that country. ``True`` or ``False`` where the country's BBANs carry
    national check digits (Germany's by the check method of the bank code,
    where it is one of :data:`DE_CHECK_METHODS`); ``None`` where they carry
    none or the German method is unknown, and for a value that is not a
    valid IBAN. A BBAN that does not fit the country's layout is ``False``.

    Raises ``TypeError`` for a non-``str`` argument and ``ValueError`` for a
    ``country`` that has no IBANs.
    """
    return _data.validate_bban(value, country)


def iban_from_account(country: str, bank_code: str, account: str, branch_code: str | None = None, *,
                      strict: bool = True) -> str:
    """The IBAN of a domestic account.

    ``account`` is the rest of the BBAN after the bank and branch codes, as
    :attr:`IbanParts.account` gives it. Where the country's national check
    digits form a separate key (Belgium, Spain, France, Italy, Portugal,
    ...), the account may leave them out and they are computed; a shorter
    account is padded with leading zeros (German account numbers may be
    given without them). Italy's and San Marino's check letter is always
    computed. Blanks and hyphens are ignored, letters taken in any case.

    Raises ``ValueError`` with the reason when the parts do not make a valid
    IBAN: wrong lengths, a branch code missing or not expected, national
    check digits that do not hold, or (with ``strict``, the default) a bank
    code the directory does not list in a country it covers. ``TypeError``
    for a non-``str`` argument.
    """
    if isinstance(account, str) and not any(c.isalnum() for c in account):
        # Padding serves short account numbers, not a missing one.
        raise ValueError("the account number is empty")
    return _data.iban_from_account(country, bank_code, account, branch_code, strict)


def load_bank_directory(path: str | os.PathLike[str]) -> BankDirectory:
    """Reads a bank directory file of the package's format and puts it in use.

    The format is that of the directory published with the package: UTF-8,
    tab-separated, one header line naming at least the columns ``country``,
    ``bank_code``, ``bic`` and ``name`` (and optionally ``short_name``,
    ``primary``, ``de_check_method``; others are ignored), with ``#`` comment
    lines before it (``# source:`` and ``# snapshot:`` are kept).

    Raises ``ValueError`` naming the line of a malformed file, and the
    ``OSError`` of a file that cannot be read; the directory in use stays
    in use in both cases.
    """
    name = os.fspath(path)
    if not isinstance(name, str):
        raise TypeError("load_bank_directory() takes a str path or os.PathLike of str")
    with open(name, "rb"):
        pass  # the OSError of an unreadable file, as open() words it
    return BankDirectory(**_data.load_bank_directory(name))


def bank_directory() -> BankDirectory:
    """The bank directory in use: where it was read from, its source and snapshot date."""
    return BankDirectory(**_data.bank_directory_info())


DE_CHECK_METHODS: tuple[str, ...] = _data.de_check_methods()
"""The German account check methods implemented; accounts of bank codes with
another method have ``national_check`` ``None``."""
