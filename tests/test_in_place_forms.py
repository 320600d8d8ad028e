"""Values already written in their compact or canonical form are checked in
place; the verdict, code, message and compact form must be exactly those of
the same value written otherwise (which takes the general path)."""
from __future__ import annotations

import random

import pytest

import orvane_vardik as ov


def _mutations(value: str, rng: random.Random, n: int) -> list[str]:
    out = [value]
    alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-/ "
    for _ in range(n):
        chars = list(value)
        for _ in range(rng.randint(1, 2)):
            i = rng.randrange(len(chars))
            chars[i] = rng.choice(alphabet)
        out.append("".join(chars))
    return out


def _same(vid: str, value: str, other: str) -> None:
    a, b = ov.validate(vid, value), ov.validate(vid, other)
    assert a.valid == b.valid, (value, other)
    if a.valid:
        assert a.compact == b.compact
    else:
        assert (a.error.code, a.error.message) == (b.error.code, b.error.message), (value, other)


@pytest.mark.parametrize("vid, respell", [
    # Surrounding blanks send the value down the general path.
    ("cz.bankaccount", lambda v: f" {v} "),
    ("ch.vat", lambda v: f"{v[:3]}-{v[3:6]}.{v[6:9]}.{v[9:]}"),
    ("ch.vat", lambda v: f" {v.lower()}"),
])
def test_in_place_check_agrees_with_general_path(vid, respell):
    rng = random.Random(7)
    values = ov.sample(vid, 300, seed=3) + list(ov.validator_metadata(vid).examples)
    for value in values:
        for v in _mutations(value, rng, 5):
            if v.strip():
                _same(vid, v, respell(v))


# Kinds whose compaction drops or adds a prefix, or pads: text it would not
# change is checked in place. Values with and without the prefix, short and
# long, lower case and separators, each against the same value behind a
# blank (which takes the general path).
PREFIXED = {
    "cl.rut": ["CL", ""], "is.vsk": ["IS", ""], "gt.nit": ["0", "00", ""], "mc.tva": ["FR", ""],
    "az.voen": ["", "0"], "al.nipt": ["AL", "(AL)", "al", ""], "by.unp": ["UNP", "unp", ""],
    "mk.edb": ["MK", "mk", ""], "il.idnr": ["", "0"],
}


@pytest.mark.parametrize("vid", sorted(PREFIXED))
def test_prefix_compactions_in_place(vid):
    rng = random.Random(11)
    values = ov.sample(vid, 150, seed=5) + list(ov.validator_metadata(vid).examples)
    for value in values:
        compact = ov.compact(vid, value)
        for prefix in PREFIXED[vid]:
            for base in (compact, compact[1:], compact[:-1], compact.lower(), "0" + compact):
                for v in _mutations(prefix + base, rng, 2):
                    if v.strip():
                        _same(vid, v, f" {v}")


def test_cz_bankaccount_canonical_failures_keep_their_order():
    # Every failing check of a canonical account, each alone.
    cases = {
        "000000-0000000001/0100": "INVALID_COMPONENT",   # fewer than two non-zero digits
        "000000-0727558022/0100": "INVALID_CHECKSUM",    # number fails modulo 11
        "034279-0727558021/0100": "INVALID_CHECKSUM",    # prefix fails modulo 11
        "034278-0727558021/0101": "INVALID_COMPONENT",   # bank code not assigned
    }
    for value, code in cases.items():
        r = ov.validate("cz.bankaccount", value)
        assert (r.valid, r.error.code) == (False, code), value
        _same("cz.bankaccount", value, f" {value}")
    r = ov.validate("cz.bankaccount", "034278-0727558021/0100")
    assert r.compact == "034278-0727558021/0100"
    assert ov.validate("cz.bankaccount", "34278-727558021/0100").compact == "034278-0727558021/0100"


def test_de_handelsreg_forms():
    for value in ("HRB 12345", "HRA 1", "GNR 1234567", "PR 77", "VR 12", "HRB 12345678", "HRB  1", "HRB 1a",
                  "HRB ", "HRB1", "GnR 5", "hrb 5", "XY 12", "PR 0000000", "VR 1.2"):
        _same("de.handelsreg", value, f" {value} ")
    assert ov.validate("de.handelsreg", "HRB 12345").compact == "HRB 12345"
    assert ov.validate("de.handelsreg", "hrb-12345").compact == "HRB 12345"


def test_ch_vat_forms():
    for written in ("CHE107787577IVA", "CHE-107.787.577 IVA", "che107787577iva", " CHE107787577IVA "):
        assert ov.validate("ch.vat", written).compact == "CHE107787577IVA"
    for bad in ("CHE107787578IVA", "CHE107787577XYZ", "CH107787577IVA", "IVA", "A"):
        _same("ch.vat", bad, f" {bad} ")
