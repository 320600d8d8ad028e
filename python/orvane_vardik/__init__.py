"""Validate, compact, format, parse and generate identification numbers.

Every name of the native module is re-exported here::

    >>> import orvane_vardik as ov
    >>> ov.validate("iban", "GB29 NWBK 6016 1331 9268 19").compact
    'GB29NWBK60161331926819'

The registry functions (``validate``, ``compact``, ``format``, ``parse``,
``generate``, ``validate_many``, ``validator_ids``, ``validators``,
``validator_metadata``, ``validate_id``, ``validate_named_id``) are those of
the package module ``_api``: they serve the documented ids and the extended
ones (``isbn``, ``ean``, ``vin``, ...), and an unknown id names the closest
ones in a note. ``orvane_vardik._native`` is the documented module: its
functions serve the documented ids alone.
"""
from . import _native
from ._native import *  # noqa: F401,F403
from ._api import (  # noqa: F401
    compact,
    format,
    generate,
    parse,
    validate,
    validate_id,
    validate_many,
    validate_named_id,
    validator_ids,
    validator_metadata,
    validators,
)
from .conversions import cusip_to_isin, ean_to_gtin14, to_isbn10, to_isbn13  # noqa: F401

# The distribution's version: the build reads it from this line, so the two
# never disagree and no metadata lookup runs at import time.
__version__ = "0.1.0"

# Imported under its own name so that type checkers take the re-exported
# names from the stub's list; the package then keeps a list of its own.
from ._native import __all__ as __all__  # noqa: E402

__all__ = list(__all__)

from .data import IbanParts as IbanParts, iban_parts as iban_parts, sample as sample  # noqa: E402

__all__ += ["IbanParts", "iban_parts", "sample", "cusip_to_isin", "ean_to_gtin14", "to_isbn10", "to_isbn13"]
from .finder import Match, find, find_iter, identify, redact  # noqa: E402

__all__ += ["Match", "find", "find_iter", "identify", "redact"]
from .errors import InvalidChecksum, InvalidComponent, InvalidFormat, InvalidIdentifier, InvalidLength, check  # noqa: E402

__all__ += ["check", "InvalidIdentifier", "InvalidFormat", "InvalidLength", "InvalidChecksum", "InvalidComponent"]

from .banks import (  # noqa: E402
    Bank as Bank,
    BankDirectory as BankDirectory,
    bank as bank,
    bank_directory as bank_directory,
    bic_candidates as bic_candidates,
    iban_from_account as iban_from_account,
    load_bank_directory as load_bank_directory,
    validate_bban as validate_bban,
)

__all__ += ["Bank", "BankDirectory", "bank", "bank_directory", "bic_candidates", "iban_from_account",
            "load_bank_directory", "validate_bban"]

# What a value means (`describe`) and the check-digit algorithms as
# functions (`checkdigits`): their extension modules load on first use, so
# importing the package does not load them.
def __getattr__(name: str) -> object:
    import importlib

    value: object
    if name == "describe":
        value = importlib.import_module(f"{__name__}.facts").describe
    elif name == "checkdigits":
        value = importlib.import_module(f"{__name__}.checkdigits")
    else:
        raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
    globals()[name] = value
    return value


__all__ += ["describe", "checkdigits"]
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing
if TYPE_CHECKING:
    from . import checkdigits as checkdigits
    from .facts import describe as describe
del TYPE_CHECKING
