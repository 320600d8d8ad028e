from collections.abc import Sequence
from typing import Literal, final

# Kept equal to the runtime list (tests/test_typing.py compares them): type
# checkers read the names that `from ._native import *` brings in from here.
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
    "credit_card_detect_network",
    "eth_has_valid_eip55_checksum",
    "btc_base58_decode",
    "btc_bech32_polymod",
    "btc_bech32_convert_bits",
    "btc_bech32_validate",
    "be_nn_checksum",
    "es_vat_cif_checksum",
    "ee_ik_two_pass_check",
    "gb_nhs_calc_check_digit",
    "gb_sedol_calc_check_digit",
    "luhn_generate",
    "validate_id",
    "validate_named_id",
]

@final
class ValidationError:
    """A validation error returned as structured Python data.

    Read from ``ValidationResult.error`` of an invalid value; never built
    directly. Read-only.

    Example:
        >>> validate("iban", "GB28NWBK60161331926819").error.code
        'INVALID_CHECKSUM'
    """
    @property
    def code(self) -> str:
        """The error code: ``"INVALID_FORMAT"``, ``"INVALID_LENGTH"``,
        ``"INVALID_CHECKSUM"`` or ``"INVALID_COMPONENT"``."""
    @property
    def message(self) -> str:
        """The validator's message, e.g. ``"Luhn check digit does not match"``."""

@final
class ValidationResult:
    """A stable result object that carries either compact output or an error.

    Returned by ``validate`` and ``validate_many``; read-only.

    Example:
        >>> r = validate("luhn", "7992 7398 713")
        >>> r.valid, r.compact, r.error
        (True, '79927398713', None)
    """
    @property
    def valid(self) -> bool:
        """True exactly when the validator accepted the value."""
    @property
    def compact(self) -> str | None:
        """The compact form of a valid value; None when invalid."""
    @property
    def error(self) -> ValidationError | None:
        """The error of an invalid value (a new object at each read); None when valid."""

@final
class ParsedIdentifier:
    """Structured data encoded by a personal identifier.

    Returned by ``parse`` for validators that can parse (``can_parse``).

    Example:
        >>> p = parse("ee.ik", "36805280109")
        >>> p.birth_year, p.birth_month, p.birth_day, p.gender
        (1968, 5, 28, 'male')
    """
    @property
    def birth_year(self) -> int:
        """The year of birth, four digits."""
    @property
    def birth_month(self) -> int:
        """The month of birth, 1 to 12."""
    @property
    def birth_day(self) -> int:
        """The day of birth, 1 to 31."""
    @property
    def gender(self) -> str | None:
        """``"male"``, ``"female"``, or None when the identifier does not encode it."""

@final
class Bech32Validation:
    """Result from the lower-level Bitcoin Bech32 parser.

    Returned by ``btc_bech32_validate``; read-only.

    Example:
        >>> btc_bech32_validate("bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4").valid
        True
    """
    @property
    def valid(self) -> bool:
        """True exactly when the address passed every check."""
    @property
    def code(self) -> str | None:
        """None when valid; otherwise ``"format"``, ``"checksum"`` or ``"component"``."""

@final
class ValidatorMetadata:
    """Metadata for a validator in the Rust registry.

    Returned by ``validators`` and ``validator_metadata``; read-only, list
    attributes return a new list at each read.

    Example:
        >>> m = validator_metadata("iban")
        >>> m.name, m.scope, m.can_generate
        ('IBAN', 'global', True)
    """
    @property
    def id(self) -> str:
        """The registry id, e.g. ``"de.vat"``."""
    @property
    def name(self) -> str:
        """The English name."""
    @property
    def local_name(self) -> str:
        """The name in the country's language."""
    @property
    def abbreviation(self) -> str:
        """A short label, e.g. ``"IBAN"``."""
    @property
    def description(self) -> str | None:
        """A longer description, or None for ids without one."""
    @property
    def aliases(self) -> list[str]:
        """Other names of the identifier (not accepted as ids)."""
    @property
    def candidate_pattern(self) -> str:
        """A regular expression for the compact form, for finding candidates in text."""
    @property
    def scope(self) -> str:
        """``"global"`` or ``"country"``."""
    @property
    def country(self) -> str | None:
        """The ISO 3166-1 alpha-2 code (e.g. ``"DE"``); None when global."""
    @property
    def entity_type(self) -> str:
        """``"person"``, ``"company"`` or ``"any"``."""
    @property
    def source_url(self) -> str | None:
        """A reference URL, or None."""
    @property
    def lengths(self) -> list[int]:
        """The usual lengths of the compact form, possibly empty."""
    @property
    def examples(self) -> list[str]:
        """Sample valid identifiers."""
    @property
    def can_generate(self) -> bool:
        """True when ``generate`` can produce values of this id."""
    @property
    def can_parse(self) -> bool:
        """True when ``parse`` can read birth data from values of this id."""

def validator_ids() -> list[str]:
    """The registered validator ids, in ascending byte order.

    Returns:
        A new list of str.

    Example:
        >>> validator_ids()[0]
        'ad.nrt'
    """
def validators() -> list[ValidatorMetadata]:
    """The metadata of every validator, in the order of ``validator_ids()``.

    Returns:
        A new list of ``ValidatorMetadata``.

    Example:
        >>> len(validators()) == len(validator_ids())
        True
    """
def validator_metadata(id: str) -> ValidatorMetadata:
    """The metadata of one validator.

    Args:
        id: a registry id (exact and case-sensitive; aliases are not ids).

    Returns:
        A new ``ValidatorMetadata``.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: ``id`` is not a str.

    Example:
        >>> validator_metadata("de.vat").country
        'DE'
    """
def validate(id: str, value: str) -> ValidationResult:
    """Validate one value: an invalid value is a result, never an exception.

    Args:
        id: a registry id, e.g. ``"iban"``.
        value: the text to check, in any written form the validator accepts
            (spaces, dashes, lower case as the id allows).

    Returns:
        A ``ValidationResult``: ``compact`` when valid, ``error`` (code and
        message) when not.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: an argument is not a str.
        UnicodeEncodeError: ``value`` holds a lone surrogate (no UTF-8 form).

    Example:
        >>> validate("iban", "GB29 NWBK 6016 1331 9268 19").compact
        'GB29NWBK60161331926819'
    """
def validate_many(id: str, values: Sequence[str]) -> list[ValidationResult]:
    """Validate a sequence of values with one validator.

    Args:
        id: a registry id.
        values: a sequence (not a str itself) of str.

    Returns:
        One ``ValidationResult`` per value, in order, as ``validate`` gives.

    Raises:
        TypeError: ``values`` is a str or not a sequence, or holds a non-str
            (checked before the id).
        KeyError: ``"unknown validator id: <id>"``.
        UnicodeEncodeError: a value holds a lone surrogate.

    Example:
        >>> [r.valid for r in validate_many("luhn", ["79927398713", "79927398710"])]
        [True, False]
    """
def compact(id: str, value: str) -> str:
    """The validator's compact form of ``value`` (separators removed and the
    like), whether or not the value is valid.

    Args:
        id: a registry id.
        value: any text.

    Returns:
        The compacted text.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: an argument is not a str.
        UnicodeEncodeError: ``value`` holds a lone surrogate.

    Example:
        >>> compact("iban", "gb29 nwbk 6016 1331 9268 19")
        'GB29NWBK60161331926819'
    """
def format(id: str, value: str) -> str:
    """The validator's usual written form of ``value`` (for display).

    Args:
        id: a registry id.
        value: any text; an invalid value is formatted as far as it goes.

    Returns:
        The formatted text.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: an argument is not a str.
        UnicodeEncodeError: ``value`` holds a lone surrogate.

    Example:
        >>> format("iban", "GB29NWBK60161331926819")
        'GB29 NWBK 6016 1331 9268 19'
    """
def generate(id: str) -> str | None:
    """A new random valid value of validator ``id``.

    Args:
        id: a registry id.

    Returns:
        The compact value, or None when the validator cannot generate
        (``can_generate`` False).

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: ``id`` is not a str.

    Example:
        >>> validate("luhn", generate("luhn")).valid
        True
    """
def parse(id: str, value: str) -> ParsedIdentifier | None:
    """The birth date and gender that a personal identifier encodes.

    Args:
        id: a registry id.
        value: the identifier.

    Returns:
        A ``ParsedIdentifier``, or None when the validator cannot parse or
        the value carries no readable birth data.

    Raises:
        KeyError: ``"unknown validator id: <id>"``.
        TypeError: an argument is not a str.
        UnicodeEncodeError: ``value`` holds a lone surrogate.

    Example:
        >>> parse("ee.ik", "36805280109").birth_year
        1968
    """
def credit_card_detect_network(value: str) -> str | None:
    """The card network that a card number's prefix and length belong to.

    Args:
        value: a card number (digits; separators as the card validator accepts).

    Returns:
        The network's name, or None when no network matches.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> credit_card_detect_network("4111111111111111")
        'visa'
    """
def eth_has_valid_eip55_checksum(value: str) -> bool:
    """Whether an Ethereum address's letter case matches its EIP-55 checksum.

    Args:
        value: a ``0x``-prefixed 40-hex-digit address.

    Returns:
        True when the mixed case is the EIP-55 case (all-lower and
        all-upper addresses carry no checksum).

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> eth_has_valid_eip55_checksum("0x5aAeb6053F3E94C9b9A09f33669435E7Ef1BeAed")
        True
    """
def btc_base58_decode(value: str) -> bytes | None:
    """Decode Base58 text (the Bitcoin alphabet) to bytes.

    Args:
        value: Base58 text.

    Returns:
        The decoded bytes (leading ``1`` characters become zero bytes), or
        None when a character is outside the alphabet.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> btc_base58_decode("1112")
        b'\\x00\\x00\\x00\\x01'
    """
def btc_bech32_polymod(values: Sequence[int]) -> int:
    """The Bech32 checksum polynomial over 5-bit values.

    Args:
        values: a sequence of int.

    Returns:
        The polymod as an int (1 for a valid Bech32 data part with its
        expanded prefix).

    Raises:
        TypeError: ``values`` is not a sequence of int.
        OverflowError: an element is outside 0 to 4294967295.

    Example:
        >>> btc_bech32_polymod([])
        1
    """
def btc_bech32_convert_bits(values: Sequence[int], from_bits: int, to_bits: int) -> list[int] | None:
    """Regroup a sequence of ``from_bits``-bit values as ``to_bits``-bit values,
    without padding.

    Args:
        values: a sequence of int, each below ``2 ** from_bits``.
        from_bits: the width of each input value.
        to_bits: the width of each output value.

    Returns:
        The regrouped values, or None when an input value is out of range, a
        width is above 31, or bits would remain (no padding is added).

    Raises:
        TypeError: an argument is not of the types shown.
        OverflowError: a number is outside 0 to 4294967295.

    Example:
        >>> btc_bech32_convert_bits([31, 28], 5, 8)
        [255]
    """
def btc_bech32_validate(value: str) -> Bech32Validation:
    """Check a Bech32 or Bech32m Bitcoin address (prefix, checksum, witness program).

    Args:
        value: the address.

    Returns:
        A ``Bech32Validation`` with ``valid`` and, when invalid, ``code``.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> btc_bech32_validate("bc1qw508d6qejxtdg4y5r3zarvary0c5xw7kv8f3t4").valid
        True
    """
def be_nn_checksum(value: str) -> int | None:
    """The century that a Belgian national number's check digits confirm.

    Args:
        value: a Belgian national number in any written form.

    Returns:
        1900 or 2000, or None when neither century gives the check digits.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> be_nn_checksum("93051822361")
        1900
    """
def es_vat_cif_checksum(value: str) -> int | None:
    """The control digit of a Spanish CIF body.

    Args:
        value: exactly seven ASCII digits (the body without letter and control).

    Returns:
        The control digit 0 to 9, or None for any other input.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> es_vat_cif_checksum("1358562")
        5
    """
def ee_ik_two_pass_check(value: str) -> int | None:
    """The check digit of an Estonian personal code (two weight passes).

    Args:
        value: exactly ten ASCII digits (the code without its last digit).

    Returns:
        The check digit 0 to 9, or None for any other input.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> ee_ik_two_pass_check("3680528010")
        9
    """
def gb_nhs_calc_check_digit(value: str) -> int | None:
    """The check digit of a UK NHS number.

    Args:
        value: exactly ten ASCII digits (a whole NHS number; the tenth is not used).

    Returns:
        The check digit 0 to 9, or None when the input is not ten digits or
        no check digit exists for the first nine.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> gb_nhs_calc_check_digit("4010232137")
        7
    """
def gb_sedol_calc_check_digit(value: str) -> int | None:
    """The check digit of a SEDOL.

    Args:
        value: exactly six characters: digits and upper-case consonants.

    Returns:
        The check digit 0 to 9, or None for any other input.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> gb_sedol_calc_check_digit("B15KXQ")
        8
    """
def luhn_generate(length: int = 16) -> str:
    """A random digit string of ``length`` digits whose last digit is its Luhn
    check digit.

    Args:
        length: the number of digits (default 16).

    Returns:
        The digits as a str.

    Raises:
        TypeError: ``length`` is not an integer.
        OverflowError: ``length`` is negative or beyond 64 bits.

    Example:
        >>> validate("luhn", luhn_generate(12)).valid
        True
    """
def validate_id(validator: str, value: str, input: Literal["digits-only", "crypto-wallet-candidate"] | None = None) -> bool:
    """Compatibility entry point for the pre-registry boolean API.

    Args:
        validator: a registry id; an unknown id gives False, not an error.
        value: the text to check.
        input: None (the value as it is), ``"digits-only"`` (only its ASCII
            digits) or ``"crypto-wallet-candidate"`` (its first wallet-like
            token). Compared exactly; any other text runs as None, which is
            why the type admits only these.

    Returns:
        True when the (pre-processed) value is valid.

    Raises:
        TypeError: an argument is not a str (``input`` may be None).
        UnicodeEncodeError: a text holds a lone surrogate.

    Example:
        >>> validate_id("luhn", "abc79927398713xyz", input="digits-only")
        True
    """
def validate_named_id(validator: str, value: str) -> bool:
    """Compatibility entry point for the pre-registry boolean API.

    ``validate_id(validator, value)`` without an input mode.

    Args:
        validator: a registry id; an unknown id gives False, not an error.
        value: the text to check.

    Returns:
        True when the value is valid.

    Raises:
        TypeError: an argument is not a str.
        UnicodeEncodeError: ``value`` holds a lone surrogate.

    Example:
        >>> validate_named_id("luhn", "79927398713")
        True
    """
