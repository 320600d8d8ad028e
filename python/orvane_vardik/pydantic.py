"""An identifier type for pydantic v2 models.

    >>> from typing import Annotated
    >>> from pydantic import BaseModel
    >>> from orvane_vardik.pydantic import Identifier
    >>> class Payment(BaseModel):
    ...     iban: Annotated[str, Identifier("iban")]
    >>> Payment(iban="GB29 NWBK 6016 1331 9268 19").iban
    'GB29NWBK60161331926819'

The field accepts any written form the validator accepts and stores the
compact form (``store="formatted"`` stores the formatted form). An invalid
value fails with a ``ValidationError`` whose entry has the type
``identifier_invalid_format``, ``identifier_invalid_length``,
``identifier_invalid_checksum`` or ``identifier_invalid_component``, the
validator's message as ``msg`` and ``ctx`` holding ``id``, ``code`` and
``message``. The JSON schema is a string with the validator's first
example: as written for input (validation mode, no pattern: the field reads
any written form the validator accepts), and in the stored form, with the
kind's candidate pattern anchored where it matches every stored form, for
output (serialization mode).

pydantic is imported only when a model is built with the type, so the
package itself needs no pydantic.
"""
from __future__ import annotations

from typing import TYPE_CHECKING, Any, Callable, Literal

from ._api import format as _format
from ._api import validate as _validate
from ._api import validator_metadata as _metadata

__all__ = ["Identifier"]

if TYPE_CHECKING:
    _Store = Literal["compact", "formatted"]


class Identifier:
    """Annotation that makes a ``str`` field a checked identifier.

    Args:
        id: a validator id (documented or extended).
        store: ``"compact"`` (default) keeps the compact form,
            ``"formatted"`` the validator's formatted form.

    Raises:
        KeyError: ``id`` is not a validator id (at once, not at validation).
        ValueError: ``store`` is neither ``"compact"`` nor ``"formatted"``.

    Example:
        ``Annotated[str, Identifier("iban", store="formatted")]`` turns
        ``"GB29NWBK60161331926819"`` into ``"GB29 NWBK 6016 1331 9268 19"``.
    """

    __slots__ = ("id", "store", "_pattern", "_example", "_name")

    def __init__(self, id: str, *, store: _Store = "compact") -> None:
        if store not in ("compact", "formatted"):
            raise ValueError(f"store must be 'compact' or 'formatted', not {store!r}")
        meta = _metadata(id)
        self.id = id
        self.store = store
        self._pattern = meta.candidate_pattern
        self._example = meta.examples[0] if meta.examples else None
        self._name = meta.name

    def __repr__(self) -> str:
        extra = "" if self.store == "compact" else f", store={self.store!r}"
        return f"Identifier({self.id!r}{extra})"

    def _check(self, value: str) -> str:
        from pydantic_core import PydanticCustomError

        try:
            result = _validate(self.id, value)
        except UnicodeEncodeError:
            # A lone surrogate (possible from a Python dict, not from JSON)
            # is no text the validators can read: a field error, not a crash.
            raise PydanticCustomError(
                "identifier_invalid_text", "value is not valid Unicode text", {"id": self.id}
            ) from None
        compact = result.compact
        if compact is not None:
            return compact if self.store == "compact" else _format(self.id, compact)
        error = result.error
        assert error is not None
        raise PydanticCustomError(
            "identifier_" + error.code.lower(),
            "{message}",
            {"id": self.id, "code": error.code, "message": error.message},
        )

    def __get_pydantic_core_schema__(self, source_type: Any, handler: Callable[[Any], Any]) -> Any:
        from pydantic_core import core_schema

        return core_schema.no_info_after_validator_function(self._check, core_schema.str_schema())

    def __get_pydantic_json_schema__(self, schema: Any, handler: Any) -> Any:
        json_schema = handler(schema)
        if getattr(handler, "mode", "validation") == "serialization":
            # What the field stores: the compact (or formatted) form.
            if self._example is not None:
                json_schema["examples"] = [self._stored(self._example)]
            pattern = _stored_pattern(self.id, self.store, self._pattern)
            if pattern is not None:
                json_schema["pattern"] = pattern
            json_schema.setdefault("description", f"{self._name}, {self.store} form")
        else:
            # What the field accepts: any written form the validator reads
            # (blanks, hyphens, lower case, a leading label), which no
            # pattern describes, so none is given.
            if self._example is not None:
                json_schema["examples"] = [self._example]
            json_schema.setdefault("description", self._name)
        return json_schema

    def _stored(self, value: str) -> str:
        compact = _validate(self.id, value).compact
        if compact is None:  # an example that no longer validates: shown as written
            return value
        return compact if self.store == "compact" else _format(self.id, compact)


_STORED_PATTERNS: dict[tuple[str, str], str | None] = {}


def _stored_pattern(id: str, store: str, candidate: str) -> str | None:
    """The kind's candidate pattern, anchored, when it describes the stored
    form: every example and 200 drawn values, stored, match it. Candidate
    patterns are written for finding numbers in text, and some describe
    a written form the field does not store (a country prefix the compact
    form drops, say); those are left out rather than published wrong."""
    key = (id, store)
    if key in _STORED_PATTERNS:
        return _STORED_PATTERNS[key]
    import re

    from .data import sample

    pattern: str | None = None
    if candidate:
        anchored = f"^(?:{candidate})$"
        try:
            matcher = re.compile(anchored)
        except re.error:
            matcher = None
        if matcher is not None:
            values = [_validate(id, v).compact for v in _metadata(id).examples]
            try:
                values += sample(id, 200, seed=0x5eed)
            except (ValueError, KeyError):
                pass
            stored = [v if store == "compact" else _format(id, v) for v in values if v is not None]
            if stored and all(matcher.search(v) for v in stored):
                pattern = anchored
    _STORED_PATTERNS[key] = pattern
    return pattern
