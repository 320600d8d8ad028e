"""Type stub of the text finder's extension module (private: use
orvane_vardik.find, identify, redact and orvane_vardik.columns)."""
from typing import Any, final

@final
class FindColumn:
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
) -> list[tuple[str, int, int, str, bool, str]]: ...
def identify(value: str, countries: tuple[str, ...] | None) -> list[str]: ...
def find_column(
    column: Any,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    include_invalid: bool,
    min_confidence: str,
    threads: int | None,
) -> FindColumn: ...
def redact_column(
    column: Any,
    ids: tuple[str, ...] | None,
    countries: tuple[str, ...] | None,
    min_confidence: str,
    threads: int | None,
) -> FindColumn: ...
def kinds() -> list[tuple[str, str, str]]: ...
def context() -> int: ...
