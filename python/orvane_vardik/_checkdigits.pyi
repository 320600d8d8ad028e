"""The check-digit algorithms of the core (see ``orvane_vardik.checkdigits``)."""
from collections.abc import Sequence

def luhn_calculate(payload: str, alphabet: str | None = None) -> str:
    """The Luhn (mod N over ``alphabet``) check character of a payload."""
def luhn_validate(value: str, alphabet: str | None = None) -> bool:
    """True when ``value`` passes Luhn (mod N over ``alphabet``)."""
def verhoeff_calculate(payload: str) -> str:
    """The verhoeff check character(s) of a payload."""
def verhoeff_validate(value: str) -> bool:
    """True when ``value`` ends in its verhoeff check character(s)."""
def damm_calculate(payload: str) -> str:
    """The damm check character(s) of a payload."""
def damm_validate(value: str) -> bool:
    """True when ``value`` ends in its damm check character(s)."""
def mod11_10_calculate(payload: str) -> str:
    """The mod11_10 check character(s) of a payload."""
def mod11_10_validate(value: str) -> bool:
    """True when ``value`` ends in its mod11_10 check character(s)."""
def mod11_2_calculate(payload: str) -> str:
    """The mod11_2 check character(s) of a payload."""
def mod11_2_validate(value: str) -> bool:
    """True when ``value`` ends in its mod11_2 check character(s)."""
def mod37_2_calculate(payload: str) -> str:
    """The mod37_2 check character(s) of a payload."""
def mod37_2_validate(value: str) -> bool:
    """True when ``value`` ends in its mod37_2 check character(s)."""
def mod37_36_calculate(payload: str) -> str:
    """The mod37_36 check character(s) of a payload."""
def mod37_36_validate(value: str) -> bool:
    """True when ``value`` ends in its mod37_36 check character(s)."""
def mod97_10_calculate(payload: str) -> str:
    """The mod97_10 check character(s) of a payload."""
def mod97_10_validate(value: str) -> bool:
    """True when ``value`` ends in its mod97_10 check character(s)."""
def gs1_calculate(payload: str) -> str:
    """The gs1 check character(s) of a payload."""
def gs1_validate(value: str) -> bool:
    """True when ``value`` ends in its gs1 check character(s)."""
def weighted_calculate(
    payload: str, weights: Sequence[int], modulus: int = 11,
    mapping: str | Sequence[str | None] = "complement", from_right: bool = False,
) -> str:
    """The check character of a weighted sum of a digit payload."""
def weighted_validate(
    value: str, weights: Sequence[int], modulus: int = 11,
    mapping: str | Sequence[str | None] = "complement", from_right: bool = False,
) -> bool:
    """True when ``value`` ends in the check character of its weighted sum."""
