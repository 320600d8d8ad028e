"""Correct use of the package: must type-check under mypy --strict."""
from __future__ import annotations

import orvane_vardik as ov
from orvane_vardik import ValidationResult, validate_many

version: str = ov.__version__

result: ValidationResult = ov.validate("iban", "GB29 NWBK 6016 1331 9268 19")
if result.valid:
    compact: str | None = result.compact
elif result.error is not None:
    code: str = result.error.code
    message: str = result.error.message

codes = [r.error.code for r in validate_many("luhn", ("79927398713", "1")) if r.error]
formatted: str = ov.format("creditcard", "4111111111111111") + ov.compact("luhn", "1 2")
generated: str | None = ov.generate("iban")
parsed = ov.parse("iban", "x")
year: int | None = parsed.birth_year if parsed is not None else None
ids: list[str] = ov.validator_ids()
names = {m.id: (m.name, m.country, m.lengths, m.can_generate) for m in ov.validators()}
meta: ov.ValidatorMetadata = ov.validator_metadata("luhn")
network: str | None = ov.credit_card_detect_network("4111111111111111")
ok: bool = ov.validate_id("luhn", "7992 7398 713", input="digits-only") and ov.validate_named_id("iban", "x")
raw: bytes | None = ov.btc_base58_decode("1")
bits: list[int] | None = ov.btc_bech32_convert_bits([1, 2], 8, 5)
polymod: int = ov.btc_bech32_polymod([0])
bech: bool = ov.btc_bech32_validate("bc1").valid
card: str = ov.luhn_generate() + ov.luhn_generate(length=12)
check: int | None = ov.gb_sedol_calc_check_digit("710889")
text: str = ov.check("iban", "GB29 NWBK 6016 1331 9268 19")
try:
    ov.check("luhn", "1")
except ov.InvalidChecksum as exc:
    failed: tuple[str, str, str] = (exc.id, exc.code, exc.message)
