"""Find identifiers in free text: every registered kind in one pass.

A candidate is a span at word boundaries that has the shape of some kind
(its candidate pattern, widened to the separators the kind's compaction
removes, so ``DE89 3704 0044 0532 0130 00`` is found as well as
``DE89370400440532013000``); the kind's own validate operation then
decides whether it is real::

    >>> import orvane_vardik as ov
    >>> [(m.id, m.text) for m in ov.find("Pay to IBAN GB29 NWBK 6016 1331 9268 19 today")]
    [('iban', 'GB29 NWBK 6016 1331 9268 19')]
    >>> ov.redact("card 4111 1111 1111 1111.")
    'card **** **** **** ****.'

Every match carries a ``confidence``: ``"checksum"`` when the kind's check
has a check digit, ``"component"`` when it checks a date or another
component, ``"shape"`` when it checks the shape only; one of the kind's
aliases, abbreviation or name within a few words before the match raises
it one step (so does a column's header in a table, a key in JSON, YAML,
XML or code, a label ending the line before). ``min_confidence`` (default
``"checksum"``; :func:`redact`'s is ``"component"``) drops weaker
matches, so shape-only kinds, which any run of the right length fits, are
reported only after their context word. Full-width forms, no-break and
thin spaces and soft hyphens are read as plain ones, and matches reported
where they stand. Overlapping candidates resolve to the longest valid
span; one span valid for several kinds (an 11-digit number) gives one
match per kind: those a context word names first, then the strongest,
then registry order. ``luhn`` is a check,
not a kind: it is never reported (``creditcard`` is).

``countries`` keeps the kinds issued by those countries (ISO 3166-1
alpha-2 codes) and the international ones (IBAN, card numbers, ...).
"""
from __future__ import annotations

from collections import namedtuple

from . import _find

# Annotations stay strings and typing is read by type checkers only, so
# that importing the package imports neither typing nor re.
TYPE_CHECKING = False
if TYPE_CHECKING:
    from collections.abc import Callable, Iterable, Iterator
    from typing import Literal, Optional, Union

    _Confidence = Literal["checksum", "component", "shape"]
    _Names = Union[str, Iterable[str], None]
    _Replacement = Union[str, Callable[["Match"], str], None]

__all__ = ["Match", "find", "find_iter", "identify", "redact", "REDACT_CONFIDENCE"]

#: The default ``min_confidence`` of :func:`redact`, and of the column,
#: engine and command-line redactions: recall first.
REDACT_CONFIDENCE = "component"

# Characters scanned per call of the engine by find_iter (and by find on
# long texts): the engine's memory stays bounded by this, whatever the text.
_WINDOW = 1 << 20


class Match(namedtuple("Match", ["id", "start", "end", "text", "compact", "valid", "confidence"])):
    """One identifier found in a text.

    ``start`` and ``end`` are ``str`` indices: ``text[m.start:m.end] ==
    m.text`` is what was written, separators included; ``compact`` is the
    kind's compact form of it.
    """

    __slots__ = ()


def _names(value: _Names, what: str) -> Optional[tuple[str, ...]]:
    if value is None:
        return None
    if isinstance(value, str):
        return (value,)
    items = tuple(value)
    for item in items:
        if not isinstance(item, str):
            raise TypeError(f"{what} must be str or an iterable of str, got {type(item).__name__}")
    return items


def _text(text: object) -> str:
    if not isinstance(text, str):
        raise TypeError(f"text must be a str, not {type(text).__name__}")
    return text


def _matches(
    text: str,
    ids: Optional[tuple[str, ...]],
    countries: Optional[tuple[str, ...]],
    include_invalid: bool,
    min_confidence: str,
) -> Iterator[Match]:
    n = len(text)
    if n <= _WINDOW:
        for kind, s, e, compact, valid, conf in _find.scan(text, ids, countries, include_invalid, min_confidence):
            yield Match(kind, s, e, text[s:e], compact, valid, conf)
        return
    # Windows overlap by the longest candidate plus the context-word reach,
    # and each reports only the matches starting in its own part.
    context = _find.context()
    for pos in range(0, n, _WINDOW):
        lo = max(0, pos - context)
        piece = text[lo : min(n, pos + _WINDOW + context)]
        rows = _find.scan(piece, ids, countries, include_invalid, min_confidence, pos - lo, min(n, pos + _WINDOW) - lo)
        for kind, s, e, compact, valid, conf in rows:
            yield Match(kind, s + lo, e + lo, piece[s:e], compact, valid, conf)


def find_iter(
    text: str,
    ids: _Names = None,
    *,
    countries: _Names = None,
    include_invalid: bool = False,
    min_confidence: _Confidence = "checksum",
) -> Iterator[Match]:
    """Yield the matches of :func:`find` lazily, in text order.

    The text is scanned a window at a time, so the memory used besides the
    text itself does not grow with its length. Arguments are checked at the
    call, before the first match is asked for.
    """
    text = _text(text)
    id_names = _names(ids, "ids")
    country_names = _names(countries, "countries")
    _find.scan("", id_names, country_names, include_invalid, min_confidence)  # raises on bad arguments
    return _matches(text, id_names, country_names, include_invalid, min_confidence)


def find(
    text: str,
    ids: _Names = None,
    *,
    countries: _Names = None,
    include_invalid: bool = False,
    min_confidence: _Confidence = "checksum",
) -> list[Match]:
    """Every identifier in ``text``, in text order.

    ``ids`` restricts the search to those validator ids (``KeyError`` names
    an unknown one), ``countries`` to the kinds of those countries plus the
    international ones (``ValueError`` names an unknown code).
    ``include_invalid=True`` also reports candidates of the right shape
    that fail their check (``valid`` False) where no valid match lies.
    A ``str`` with a lone surrogate raises ``UnicodeEncodeError``.
    """
    return list(find_iter(text, ids, countries=countries, include_invalid=include_invalid, min_confidence=min_confidence))


def identify(value: str, *, countries: _Names = None) -> list[str]:
    """Every id for which the whole ``value`` validates.

    Most plausible first: strongest evidence (a check digit, then a date or
    other component rule, then shape alone), then a value written as the
    kind writes it, then one its pattern fits; ties in registry order.
    Surrounding blanks are ignored, full-width forms read as plain ones;
    ``luhn`` is never among the answers.

        >>> import orvane_vardik as ov
        >>> ov.identify("DE89 3704 0044 0532 0130 00")
        ['iban']
    """
    if countries is None and type(value) is str:  # the usual call, at the engine's speed
        return _find.identify(value, None)
    return _find.identify(_text(value), _names(countries, "countries"))


def _mask(s: str) -> str:
    return "".join("*" if c.isalnum() else c for c in s)


def redact(
    text: str,
    ids: _Names = None,
    *,
    countries: _Names = None,
    min_confidence: _Confidence = "component",
    replace: _Replacement = None,
) -> str:
    """``text`` with every match of :func:`find` replaced.

    By default each letter and digit of a match becomes ``*``, so its
    length and separators stay; ``replace`` may be a str put in place of
    each match, or a callable that receives the :class:`Match` (the first
    kind, in registry order, when one span is valid for several) and
    returns its replacement. Everything outside the matches is kept as is.

    ``min_confidence`` defaults to ``"component"`` (:data:`REDACT_CONFIDENCE`),
    one step below :func:`find`'s: a bare number that passes a common check
    digit is hidden too, since a redaction that leaves an identifier
    readable has failed. ``"checksum"`` is the strict redaction, ``"shape"``
    hides everything of any kind's shape. The text is redacted a window at
    a time: the memory used besides the text and the result does not grow
    with the number of matches.
    """
    if replace is not None and not isinstance(replace, str) and not callable(replace):
        raise TypeError("replace must be None, a str or a callable")
    text = _text(text)
    id_names = _names(ids, "ids")
    country_names = _names(countries, "countries")
    n = len(text)
    if replace is None:
        if n <= _WINDOW:
            return _find.redact(text, id_names, country_names, min_confidence)[0]
        context = _find.context()
        _find.redact("", id_names, country_names, min_confidence)  # raises on bad arguments
        chunks: list[str] = []
        pos = 0
        while pos < n:
            lo = max(0, pos - context)
            piece = text[lo : min(n, pos + _WINDOW + context)]
            masked, end = _find.redact(piece, id_names, country_names, min_confidence, pos - lo, min(n, pos + _WINDOW) - lo)
            chunks.append(masked)
            pos = lo + end
        return "".join(chunks)
    chunks = []
    parts: list[str] = []
    done = 0
    window_end = _WINDOW
    for m in find_iter(text, id_names, countries=country_names, min_confidence=min_confidence):
        if m.start < done:
            continue  # another kind of a span already replaced
        parts.append(text[done : m.start])
        if isinstance(replace, str):
            parts.append(replace)
        else:
            out = replace(m)
            if not isinstance(out, str):
                raise TypeError(f"replace must return a str, not {type(out).__name__}")
            parts.append(out)
        done = m.end
        if done >= window_end:  # the pieces of a window make one str
            chunks.append("".join(parts))
            parts = []
            window_end = done + _WINDOW
    parts.append(text[done:])
    chunks.append("".join(parts))
    return "".join(chunks)
