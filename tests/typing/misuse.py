"""Misuse that mypy --strict must reject: every line marked `# E` is an error."""
from __future__ import annotations

import orvane_vardik as ov

ov.validate("iban")  # E
ov.validate("iban", 5)  # E
ov.validate_many("luhn", [1, 2])  # E
result = ov.validate("iban", "x")
code = result.error.code  # E
compact: str = result.compact  # E
generated: str = ov.generate("iban")  # E
year = ov.parse("iban", "x").birth_year  # E
ov.validate_id("luhn", "1", mode="digits-only")  # E
ov.validate_id("luhn", "1", input="digits_only")  # E
ov.validate_id("luhn", "1", "DIGITS-ONLY")  # E
ov.check("iban", 5)  # E
number: int = ov.check("iban", "x")  # E
ov.luhn_generate("16")  # E
ov.no_such_function()  # E
result.valid = False  # E
