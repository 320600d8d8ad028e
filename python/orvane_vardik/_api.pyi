# The package module: the registry and compatibility functions of _native,
# with the same signatures and the same classes, over every id (documented
# and extended); so its stub re-exports _native's declarations.
from ._native import Bech32Validation as Bech32Validation
from ._native import ParsedIdentifier as ParsedIdentifier
from ._native import ValidationError as ValidationError
from ._native import ValidationResult as ValidationResult
from ._native import ValidatorMetadata as ValidatorMetadata
from ._native import compact as compact
from ._native import format as format
from ._native import generate as generate
from ._native import parse as parse
from ._native import validate as validate
from ._native import validate_id as validate_id
from ._native import validate_many as validate_many
from ._native import validate_named_id as validate_named_id
from ._native import validator_ids as validator_ids
from ._native import validator_metadata as validator_metadata
from ._native import validators as validators

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
