"""What a value means (see ``orvane_vardik.facts``)."""
from collections.abc import Callable
from typing import Any

def describe(id: str, value: str) -> dict[str, Any] | None:
    """The facts registries give about a valid value of validator id, or None."""
def load(name: str, text: str) -> int:
    """Replaces a registry table by the rows of a file's text; the number of rows."""
def set_hooks(loader: Callable[[str], object] | None, gs1_128: Callable[[dict[str, Any]], object] | None) -> None:
    """The package's table loader and GS1-128 hook."""
