"""Exceptions for code that prefers them to result objects.

``check(id, value)`` returns the compact text of a valid value and raises an
``InvalidIdentifier`` otherwise; the exception's class follows the error
code, so callers can catch one kind of failure::

    >>> from orvane_vardik import check, InvalidChecksum
    >>> check("iban", "GB29 NWBK 6016 1331 9268 19")
    'GB29NWBK60161331926819'
    >>> try:
    ...     check("iban", "GB28 NWBK 6016 1331 9268 19")
    ... except InvalidChecksum as exc:
    ...     print(exc.code)
    INVALID_CHECKSUM
"""
from __future__ import annotations

from ._api import validate as _validate

__all__ = ["InvalidIdentifier", "InvalidFormat", "InvalidLength", "InvalidChecksum",
           "InvalidComponent", "check"]


class InvalidIdentifier(ValueError):
    """A value that its validator rejects.

    Attributes:
        id: the validator id the value was checked with.
        code: the error code (``INVALID_FORMAT``, ``INVALID_LENGTH``,
            ``INVALID_CHECKSUM`` or ``INVALID_COMPONENT``).
        message: the validator's message, as ``ValidationError.message``.

    ``str(exc)`` is ``"<id>: <message>"``. Catch a subclass
    (``InvalidFormat``, ``InvalidLength``, ``InvalidChecksum``,
    ``InvalidComponent``) to handle one code only.
    """

    id: str
    code: str
    message: str

    def __init__(self, id: str, code: str, message: str) -> None:
        super().__init__(f"{id}: {message}")
        self.id = id
        self.code = code
        self.message = message

    def __reduce__(self) -> tuple[type, tuple[str, str, str]]:
        # Pickling (multiprocessing, Spark workers) rebuilds from the three
        # fields, not from the joined text that ValueError keeps in args.
        return (type(self), (self.id, self.code, self.message))


class InvalidFormat(InvalidIdentifier):
    """A character or the layout does not fit the identifier (``INVALID_FORMAT``)."""


class InvalidLength(InvalidIdentifier):
    """The compact value has a length the identifier never has (``INVALID_LENGTH``)."""


class InvalidChecksum(InvalidIdentifier):
    """A check digit, check character or checksum does not match (``INVALID_CHECKSUM``)."""


class InvalidComponent(InvalidIdentifier):
    """A field inside the identifier is out of range: a date, region, type
    code or serial (``INVALID_COMPONENT``)."""


_BY_CODE: dict[str, type[InvalidIdentifier]] = {
    "INVALID_FORMAT": InvalidFormat,
    "INVALID_LENGTH": InvalidLength,
    "INVALID_CHECKSUM": InvalidChecksum,
    "INVALID_COMPONENT": InvalidComponent,
}


def error_for(id: str, code: str, message: str) -> InvalidIdentifier:
    """The exception of the class that ``code`` names (the base class for a
    code this version does not know)."""
    return _BY_CODE.get(code, InvalidIdentifier)(id, code, message)


def check(id: str, value: str) -> str:
    """Validate ``value`` with validator ``id`` and return its compact text.

    Args:
        id: a validator id (documented or extended), as ``validator_ids()``
            lists them.
        value: the text to check; any ``str``.

    Returns:
        The compact form, as ``validate(id, value).compact``.

    Raises:
        InvalidIdentifier: the value is invalid; the raised class is the
            subclass of its code (``InvalidFormat``, ``InvalidLength``,
            ``InvalidChecksum``, ``InvalidComponent``), carrying ``id``,
            ``code`` and ``message``.
        KeyError: ``id`` is not a validator id ("unknown validator id: ...",
            with the closest ids in a note).
        TypeError: an argument is not a ``str``.
        UnicodeEncodeError: ``value`` holds a lone surrogate.

    Example:
        >>> check("isin", "US0378331005")
        'US0378331005'
    """
    result = _validate(id, value)
    compact = result.compact
    if compact is not None:
        return compact
    error = result.error
    assert error is not None
    raise error_for(id, error.code, error.message)
