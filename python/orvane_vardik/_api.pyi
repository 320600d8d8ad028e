from collections.abc import Sequence

from ._native import Bech32Validation as Bech32Validation
from ._native import ParsedIdentifier as ParsedIdentifier
from ._native import ValidationError as ValidationError
from ._native import ValidationResult as ValidationResult
from ._native import ValidatorMetadata as ValidatorMetadata

__all__ = [
    "ValidationError",
    "ValidationResult",
    "ParsedIdentifier",
    "Bech32Validation",
    "ValidatorMetadata",
    "validator_ids",
    "validators",
    "validator_metadata",
    "validate",
    "validate_many",
    "compact",
    "format",
    "generate",
    "parse",
    "validate_id",
    "validate_named_id",
]

def validator_ids() -> list[str]: ...
def validators() -> list[ValidatorMetadata]: ...
def validator_metadata(id: str) -> ValidatorMetadata: ...
def validate(id: str, value: str) -> ValidationResult: ...
def validate_many(id: str, values: Sequence[str]) -> list[ValidationResult]: ...
def compact(id: str, value: str) -> str: ...
def format(id: str, value: str) -> str: ...
def generate(id: str) -> str | None: ...
def parse(id: str, value: str) -> ParsedIdentifier | None: ...
def validate_id(validator: str, value: str, input: str | None = None) -> bool:
    """Compatibility entry point for the pre-registry boolean API."""
def validate_named_id(validator: str, value: str) -> bool:
    """Compatibility entry point for the pre-registry boolean API."""
