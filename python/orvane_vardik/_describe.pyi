"""What a value means (see ``orvane_vardik.facts``)."""
from typing import Any

def describe(id: str, value: str) -> dict[str, Any] | None:
    """The facts registries give about a valid value, or None."""
def load(name: str, text: str) -> int:
    """Replaces a registry table by the rows of a file's text; the number of rows."""
