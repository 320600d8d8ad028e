from typing import Any, final

@final
class IbanParts:
    """The parts of a valid IBAN (immutable; equal when the IBANs are).

    Returned by ``iban_parts``.

    Example:
        >>> iban_parts("GB29 NWBK 6016 1331 9268 19").bank_code
        'NWBK'
    """
    @property
    def country(self) -> str:
        """The two-letter country code, e.g. ``"GB"``."""
    @property
    def check_digits(self) -> str:
        """The two IBAN check digits."""
    @property
    def bban(self) -> str:
        """The Basic Bank Account Number: everything after the check digits."""
    @property
    def bank_code(self) -> str:
        """The bank identifier at the registry's positions for the country."""
    @property
    def branch_code(self) -> str | None:
        """The branch identifier, or None where the country has none."""
    @property
    def account(self) -> str:
        """The rest of the BBAN after bank and branch identifiers (national check digits included)."""
    @property
    def iban(self) -> str:
        """The compact IBAN."""
    @property
    def bank_name(self) -> str | None:
        """The bank's name from the bank directory, or None where it has none.

        Example:
            >>> iban_parts("DE89370400440532013000").bank_name
            'Commerzbank'
        """
    @property
    def bank_short_name(self) -> str | None:
        """The bank's short name from the bank directory, or None where it has none."""
    @property
    def bic(self) -> str | None:
        """The BIC of the bank code (its head office's where the directory lists one), or None.

        Example:
            >>> iban_parts("DE89370400440532013000").bic
            'COBADEFFXXX'
        """
    @property
    def national_check(self) -> bool | None:
        """Whether the national check digits inside the BBAN hold; None where
        the country has none, or the German bank code's check method is not known.

        Example:
            >>> iban_parts("BE68539007547034").national_check
            True
        """
    def __eq__(self, value: object, /) -> bool: ...
    def __hash__(self) -> int: ...

@final
class DataColumn:
    """A data column in Arrow layout; pass it to pyarrow, polars or DuckDB, or call to_pylist()."""
    @property
    def null_count(self) -> int:
        """The number of null rows."""
    def __len__(self) -> int: ...
    def to_pylist(self) -> list[Any]:
        """The rows as a list of Python objects (str, dict for a struct row, None for null)."""
    def __arrow_c_schema__(self) -> object: ...
    def __arrow_c_array__(self, requested_schema: object | None = None) -> tuple[object, object]: ...
    def __arrow_c_stream__(self, requested_schema: object | None = None) -> object: ...

def iban_parts(value: str) -> IbanParts | None:
    """The parts of ``value`` if it is a valid IBAN (any written form), else None.

    Args:
        value: the IBAN text.

    Returns:
        An ``IbanParts``, or None when the value is not a valid IBAN.

    Raises:
        TypeError: ``value`` is not a str.

    Example:
        >>> iban_parts("GB29NWBK60161331926819").account
        '31926819'
    """
def sample(id: str, n: int, seed: int | None = None, country: str | None = None) -> list[str]:
    """``n`` valid values of validator ``id`` (``orvane_vardik.sample``).

    Args:
        id: a validator id.
        n: how many values, at least 0.
        seed: the same seed gives the same values; None draws afresh.
        country: IBAN: draw this country only.

    Returns:
        A list of ``n`` compact values.

    Raises:
        KeyError: ``id`` is not a validator id.
        ValueError: ``n`` < 0, an unsupported country, or an id that cannot be sampled.
        MemoryError: ``n`` values would not fit in memory.

    Example:
        >>> len(sample("iban", 3, 42))
        3
    """
def sample_column(id: str, n: int, seed: int | None = None, country: str | None = None) -> DataColumn:
    """As ``sample``, as a ``utf8`` column drawn without the interpreter lock.

    Example:
        >>> len(sample_column("luhn", 5, 1))
        5
    """
def iban_parts_column(column: object) -> DataColumn:
    """A struct column of ``iban_parts`` of each value; null rows where the
    value is null or not a valid IBAN.

    Args:
        column: a string column (Arrow PyCapsule interface) or an iterable
            of str and None.

    Raises:
        TypeError: the column holds no strings.

    Example:
        >>> iban_parts_column(["GB29NWBK60161331926819", "x"]).to_pylist()[1] is None
        True
    """
def load_bank_directory(path: str) -> dict[str, Any]:
    """Reads a bank directory file and puts it in use (``orvane_vardik.load_bank_directory``).

    Returns:
        ``path``, ``source``, ``snapshot``, ``rows`` and ``memory`` (bytes held).

    Raises:
        ValueError: the file is malformed (the message names the line) or
            cannot be read; the directory in use is kept.
    """
def bank_directory_info() -> dict[str, Any]:
    """``path``, ``source``, ``snapshot``, ``rows`` and ``memory`` of the
    directory in use (read on first use).

    Raises:
        RuntimeError: the package's directory cannot be read.
    """
def bank_rows_by_bic(bic: str) -> list[tuple[str, str, str, str, str, bool, str | None]]:
    """The directory rows (country, bank_code, bic, name, short_name,
    primary, de_check_method) of a compact upper-case BIC, in file order; an
    eight-character BIC and its form ending XXX are the same."""
def bank_rows(country: str, bank_code: str) -> list[tuple[str, str, str, str, str, bool, str | None]]:
    """The directory rows of one bank code, in file order (empty when unknown)."""
def validate_bban(value: str, country: str | None = None) -> bool | None:
    """The national check of an IBAN, or of a BBAN of ``country``
    (``orvane_vardik.validate_bban``).

    Raises:
        TypeError: an argument is not a str.
        ValueError: ``country`` has no IBANs.
    """
def iban_from_account(country: str, bank_code: str, account: str, branch_code: str | None = None,
                      strict: bool = True) -> str:
    """An IBAN from domestic account data (``orvane_vardik.iban_from_account``).

    Raises:
        ValueError: the parts do not make a valid IBAN, or (``strict``) the
            bank code is not in the directory of a country it covers.
    """
def de_check_methods() -> tuple[str, ...]:
    """The German account check methods implemented."""
