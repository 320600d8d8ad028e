"""IBAN check digits are two decimal digits from 02 to 98, on every path."""
from __future__ import annotations

import pytest

import orvane_vardik as ov
from orvane_vardik import columns


def _with_check(country: str, bban: str) -> str:
    moved = bban + country + "00"
    number = int("".join(str(int(c, 36)) for c in moved))
    return f"{country}{98 - number % 97:02d}{bban}"


def _group(s: str, sep: str = " ") -> str:
    return sep.join(s[i:i + 4] for i in range(0, len(s), 4))


# Real IBANs with their check digits rewritten to another pair that gives
# the same remainder: letters, 00, 01 and 99 never occur.
EQUIVALENT_PAIRS = [
    "GB2LABBY09012857201707",
    "GB01BARC20714583608387",
    "GB00HLFX11016111455365",
]


def test_equivalent_pairs_have_remainder_one() -> None:
    # The cases are meaningful only if the MOD 97-10 check alone would pass them.
    for value in EQUIVALENT_PAIRS:
        moved = value[4:] + value[:4]
        assert int("".join(str(int(c, 36)) for c in moved)) % 97 == 1, value


@pytest.mark.parametrize("value", EQUIVALENT_PAIRS)
def test_check_digits_outside_02_98_fail_everywhere(value: str) -> None:
    for written in (value, _group(value), _group(value.lower()), _group(value, "-"), f" {value} "):
        r = ov.validate("iban", written)
        assert not r.valid, written
        assert (r.error.code, r.error.message) == ("INVALID_CHECKSUM", "IBAN check digits are incorrect")
    assert ov.iban_parts(value) is None
    assert columns.is_valid("iban", [value, _group(value)]).to_pylist() == [False, False]
    assert all(m.id != "iban" for m in ov.find(f"IBAN {value}", min_confidence="shape"))
    assert not ov.validate_id("iban", value)


def test_every_pair_from_02_to_98_is_accepted() -> None:
    seen: dict[str, str] = {}
    n = 0
    while len(seen) < 97 and n < 1000:
        iban = _with_check("DE", f"{n:018d}")
        seen.setdefault(iban[2:4], iban)
        n += 1
    assert set(seen) == {f"{k:02d}" for k in range(2, 99)}
    for pair, iban in seen.items():
        assert ov.validate("iban", _group(iban)).compact == iban, pair
        assert ov.iban_parts(iban) is not None


def test_documented_results_kept() -> None:
    r = ov.validate("iban", "DEAB370400440532013000")
    assert (r.error.code, r.error.message) == ("INVALID_CHECKSUM", "IBAN check digits are incorrect")
    assert ov.validate("iban", "GB29 NWBK 6016 1331 9268 19").compact == "GB29NWBK60161331926819"


# The printed form takes a shortcut; every near miss of it must agree with
# the general compaction.
@pytest.mark.parametrize("written", [
    "GB29 NWBK 6016 1331 9268 19",
    "GB29 NWBK 6016 1331 9268 1",      # one character short
    "GB29 NWBK 6016 1331 9268 19 ",    # trailing blank
    "GB29 NWBK 6016 1331 9268 ",
    "GB29  NWBK 6016 1331 9268 19",    # a double blank
    "GB29 NWBK-6016 1331 9268 19",     # mixed separators
    "GB29 NWBK 6016 1331 9268 19 8",   # too long for GB
    "gb29 nwbk 6016 1331 9268 19",
    "GB29 NWBK 6016 1331 9268 1é",
    "GB29 NW\x00K 6016 1331 9268 19",
    "GB29 NWBK 6016 1331 9268 18",     # wrong check
    "GB29 ",
    "GB29 N",
    "XX29 NWBK 6016 1331 9268 19",
    "DE89 3704 0044 0532 0130 00",
    "DE89-3704-0044-0532-0130-00",
    " ".join(["ABCD"] * 12) + " A",    # beyond the stack buffer
])
def test_printed_form_agrees_with_compaction(written: str) -> None:
    r = ov.validate("iban", written)
    compact = ov.compact("iban", written)
    if r.valid:
        assert r.compact == compact
    else:
        assert r.error.code in {"INVALID_FORMAT", "INVALID_LENGTH", "INVALID_CHECKSUM", "INVALID_COMPONENT"}
        again = ov.validate("iban", compact).error
        assert (again.code, again.message) == (r.error.code, r.error.message)


def test_printed_form_of_sampled_ibans():
    # Every country's length, valid and with one character changed.
    import random

    rng = random.Random(3)
    for iban in ov.sample("iban", 300, seed=8):
        chars = list(iban)
        i = rng.randrange(len(chars))
        chars[i] = rng.choice("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZa#")
        for value in (iban, "".join(chars)):
            expected = ov.validate("iban", value)
            for written in (_group(value), _group(value, "-")):
                got = ov.validate("iban", written)
                assert got.valid == expected.valid, written
                if got.valid:
                    assert got.compact == expected.compact
                else:
                    assert (got.error.code, got.error.message) == (expected.error.code, expected.error.message)
