"""Validate, compact, format, parse and generate identification numbers.

Every name of the native module is re-exported here::

    >>> import orvane_vardik as ov
    >>> ov.validate("iban", "GB29 NWBK 6016 1331 9268 19").compact
    'GB29NWBK60161331926819'
"""
from . import _native
from ._native import *  # noqa: F401,F403

# The distribution's version: the build reads it from this line, so the two
# never disagree and no metadata lookup runs at import time.
__version__ = "0.1.0"

# Imported under its own name so that type checkers take the re-exported
# names from the stub's list; the package then keeps a list of its own.
from ._native import __all__ as __all__  # noqa: E402

__all__ = list(__all__)

# The text finder (its own extension module); kept out of __all__, which
# lists the documented module's names.
from .finder import Match, find, find_iter, identify, redact  # noqa: E402,F401
