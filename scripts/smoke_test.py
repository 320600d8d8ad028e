"""Checks an installed wheel from outside the source tree: both modules load
and a few calls give their documented answers. No test dependencies needed."""
import sys

import orvane_vardik as ov
from orvane_vardik import _api, _columns, _data, _find, _native  # noqa: F401  (every module loads)

CASES = [
    ("iban", "GB29 NWBK 6016 1331 9268 19", True),
    ("iban", "GB29NWBK60161331926818", False),
    ("luhn", "79927398713", True),
    ("isin", "US0378331005", True),
]

for vid, value, valid in CASES:
    got = ov.validate(vid, value).valid
    assert got is valid, (vid, value, got)
assert ov.compact("iban", "GB29 NWBK 6016 1331 9268 19") == "GB29NWBK60161331926819"
for vid in ("iban", "luhn", "isin"):
    value = ov.generate(vid)
    assert ov.validate(vid, value).valid, (vid, value)
# Random values do not repeat, whatever the clock resolution of the C++
# runtime the wheel was built with.
for vid in ("mac", "isan", "luhn"):
    drawn = {ov.generate(vid) for _ in range(1000)}
    assert len(drawn) >= 990, (vid, len(drawn))
assert len(_native.validator_ids()) == 176  # the documented module
assert "isbn" in ov.validator_ids() and ov.validate("isbn", "978-0-306-40615-7").valid  # the package's extended ids
assert [m.id for m in ov.find("IBAN GB29 NWBK 6016 1331 9268 19")] == ["iban"]  # the finder, RE2 included
assert ov.iban_parts("GB29NWBK60161331926819").bank_code == "NWBK"
print(f"smoke test passed: orvane_vardik {ov.__version__} on Python {sys.version.split()[0]}")
