"""Data about identifiers: the parts of an IBAN, and valid sample values.

>>> import orvane_vardik as ov
>>> parts = ov.iban_parts("GB29 NWBK 6016 1331 9268 19")
>>> parts.bank_code, parts.branch_code, parts.account
('NWBK', '601613', '31926819')
>>> len(ov.sample("iban", 3, seed=42))
3
"""
from __future__ import annotations

from . import _data
from ._data import DataColumn, IbanParts

__all__ = ["DataColumn", "IbanParts", "iban_parts", "sample"]


# The native function itself, not a wrapper: a call costs one native call.
iban_parts = _data.iban_parts
"""The parts of ``value`` if it is a valid IBAN, else ``None``.

``value`` may be written in any case, with blanks or hyphens between groups,
as :func:`orvane_vardik.validate` accepts it. The result has ``country``,
``check_digits``, ``bban``, ``bank_code``, ``branch_code`` (``None`` where the
country has no branch identifier), ``account`` and ``iban`` (the compact
IBAN). ``account`` is the rest of the BBAN after the bank and branch
identifiers, national check digits included; Italy's and San Marino's check
letter, which comes before the bank code, is only in ``bban``. Bank and branch
positions are those the ISO 13616 registry publishes for each country.

From the bank directory (read on first use, see :mod:`orvane_vardik.banks`):
``bank_name``, ``bank_short_name`` and ``bic`` (the bank code's BIC; each
``None`` where the directory has none), and ``national_check``: whether the
national check digits inside the BBAN hold (``None`` where the country has
none, or for a German bank code whose check method is not known).
``validate("iban")`` does not look at national check digits.

Raises ``TypeError`` when ``value`` is not a ``str``; any ``str`` gives the
parts or ``None``.
"""


def sample(id: str, n: int, *, seed: int | None = None, country: str | None = None) -> list[str]:
    """``n`` valid values of validator ``id``, drawn across its valid space.

    The same ``seed`` gives the same values on every platform; without one
    each call draws afresh. ``country`` (a two-letter code) draws IBANs or
    EU VAT numbers of that country only (every country otherwise); other
    ids accept only their own country. Every value passes
    ``orvane_vardik.validate(id, value)``. IBANs follow the registry's layout
    of their country and, for the countries of the bank directory, carry a
    real bank code and valid national check digits; BICs are real ones
    from the directory.

    Raises ``KeyError`` for an unknown id, ``ValueError`` for ``n`` < 0, an
    unsupported country or an id with no way to sample, ``MemoryError`` when
    ``n`` values would not fit in the machine's memory.
    """
    return _data.sample(id, n, seed, country)
