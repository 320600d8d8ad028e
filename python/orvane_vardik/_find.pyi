"""Type stub of the text finder's extension module (private: use
orvane_vardik.find, identify, redact and orvane_vardik.columns)."""
from typing import Any, final

@final
class FindColumn:
    """A result column of ``find_column`` or ``redact_column`` in Arrow layout."""
    def __len__(self) -> int: ...
    def __arrow_c_schema__(self) -> Any: ...
    def __arrow_c_array__(self, requested_schema: Any = None) -> tuple[Any, Any]: ...

def scan(
    text: str,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    include_invalid: bool,
    min_confidence: str,
    start: int | None = None,
    stop: int | None = None,
) -> list[tuple[str, int, int, str, bool, str]]:
    """The matches in ``text[start:stop]`` as (id, start, end, compact, valid,
    confidence) tuples; ``orvane_vardik.find`` wraps them in ``Match``.

    Raises:
        KeyError: an unknown id.
        ValueError: an unknown country or confidence.

    Example:
        >>> scan("IBAN GB29NWBK60161331926819", None, None, False, "checksum")[0][0]
        'iban'
    """
def redact(
    text: str,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    min_confidence: str,
    start: int | None = None,
    stop: int | None = None,
) -> tuple[str, int]:
    """``text[start:end]`` with every letter and digit of the matches that
    start in ``text[start:stop]`` masked with ``*``, and ``end``: ``stop``,
    or the end of a match that runs past it (``orvane_vardik.redact`` goes
    on from there).

    Raises:
        KeyError: an unknown id.
        ValueError: an unknown country or confidence.

    Example:
        >>> redact("card 4111 1111 1111 1111.", None, None, "checksum")
        ('card **** **** **** ****.', 25)
    """
def identify(value: str, countries: tuple[str, ...] | None) -> list[str]:
    """Every id for which the whole ``value`` validates (``orvane_vardik.identify``).

    Example:
        >>> "iban" in identify("GB29NWBK60161331926819", None)
        True
    """
def find_column(
    column: Any,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    include_invalid: bool,
    min_confidence: str,
    threads: int | None,
) -> FindColumn:
    """``orvane_vardik.columns.find``: the matches of each text as a list column."""
def redact_column(
    column: Any,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    min_confidence: str,
    threads: int | None,
) -> FindColumn:
    """``orvane_vardik.columns.redact``: each text with its matches masked."""
def kinds() -> list[tuple[str, str, str]]:
    """One row per id, in registry order: (id, confidence, scanning pattern),
    where confidence is ``"checksum"``, ``"component"`` or ``"shape"``."""
def context() -> int:
    """How many characters before and after a candidate the finder reads."""
