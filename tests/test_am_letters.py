"""A-M identifiers checked with letters, alphabets, look-up tables or
composite rules (their metadata examples are checked in test_am_shapes)."""
import pytest

import orvane_vardik as ov

FORMAT, LENGTH, CHECKSUM, COMPONENT = "INVALID_FORMAT", "INVALID_LENGTH", "INVALID_CHECKSUM", "INVALID_COMPONENT"
MESSAGES = {
    FORMAT: "identifier has an invalid format",
    LENGTH: "identifier has an invalid length",
    CHECKSUM: "identifier checksum mismatch",
    COMPONENT: "identifier contains an invalid component",
}

# (id, input, compact form)
VALID = [
    ("by.unp", "\u0423\u041d\u041f \u041c\u04101953684", "MA1953684"),  # Cyrillic prefix and letters
    ("ca.bn", "123026635 RC 0001", "123026635RC0001"),
    ("cl.rut", "760864285", "760864285"),  # decided by the precheck
    ("cl.rut", "76.086.428-5", "760864285"),
    ("cl.rut", "CL760864285", "760864285"),
    ("cl.rut", "12345670k", "12345670K"),  # check K, lower case
    ("cl.rut", "7654321-6", "76543216"),  # eight characters
    ("cn.uscc", "91350100m00000120p", "91350100M00000120P"),
    ("gb.sedol", "b0ybkj7", "B0YBKJ7"),
    ("gh.tin", "C000000040X", "C000000040X"),  # remainder 10
    ("gt.nit", "0576937-k", "576937K"),  # leading zeros dropped
    ("hk.hkid", "g123456(a)", "G123456A"),
    ("hk.hkid", "A1234563", "A1234563"),
    ("in.gstin", "29aagcb7383j1z4", "29AAGCB7383J1Z4"),
    ("in.gstin", "37AAPFU0939F1ZU", "37AAPFU0939F1ZU"),  # highest state code
    ("mc.tva", "53000004605", "FR53000004605"),
    ("mc.tva", "fr 53 000 004 605", "FR53000004605"),
    ("mx.rfc", "\u00d1AB9307148TA", "\u00d1AB9307148TA"),  # Ñ counts as one character
    ("mx.rfc", "\u00f1o\u00f1o800101aba", "\u00d1O\u00d1O800101ABA"),
    ("mx.rfc", "&AB9307148T2", "&AB9307148T2"),
    ("mx.rfc", "GODE000229GR4", "GODE000229GR4"),  # the year is 2000 + YY, a leap year
]

# (id, input, code): the first failing check decides.
INVALID = [
    ("by.unp", "20098854", LENGTH),
    ("by.unp", "20098854X", FORMAT),
    ("by.unp", "000988541", COMPONENT),
    ("by.unp", "800988541", COMPONENT),
    ("by.unp", "DA1953684", COMPONENT),
    ("by.unp", "MZ1953684", FORMAT),
    ("by.unp", "200988542", CHECKSUM),
    ("ca.bn", "12302663", LENGTH),
    ("ca.bn", "12302663A", FORMAT),
    ("ca.bn", "123026635RC000A", FORMAT),
    ("ca.bn", "123026636", CHECKSUM),
    ("ca.bn", "123026636RX0001", CHECKSUM),  # the check digit is tested before the program
    ("ca.bn", "123026635RX0001", COMPONENT),
    ("ca.bn", "123026635rc0001", COMPONENT),  # no upper-casing for this id
    ("cl.rut", "7608642", LENGTH),
    ("cl.rut", "76086428X", FORMAT),
    ("cl.rut", "760864286", CHECKSUM),  # precheck path
    ("cl.rut", "76.086.428-6", CHECKSUM),  # full path
    ("cn.uscc", "9111000060003734", LENGTH),
    ("cn.uscc", "91110000600037341I", FORMAT),
    ("cn.uscc", "91A10000600037341L", FORMAT),
    ("cn.uscc", "91110000600037341M", CHECKSUM),
    ("gb.sedol", "B15KXQ", LENGTH),
    ("gb.sedol", "B15KXA8", FORMAT),  # vowel
    ("gb.sedol", "1B5KXQ8", FORMAT),  # a leading digit needs digits only
    ("gb.sedol", "B15KXQ7", CHECKSUM),
    ("gb.sedol", "B15KXQB", CHECKSUM),  # a letter never matches the check digit
    ("gh.tin", "C000080356", LENGTH),
    ("gh.tin", "A0000803561", FORMAT),
    ("gh.tin", "C1000803561", FORMAT),
    ("gh.tin", "C0000803562", CHECKSUM),
    ("gt.nit", "01", LENGTH),
    ("gt.nit", "1234567890123", LENGTH),
    ("gt.nit", "576937A", FORMAT),
    ("gt.nit", "576937", CHECKSUM),
    ("hk.hkid", "G123456", LENGTH),
    ("hk.hkid", "1G23456A", FORMAT),
    ("hk.hkid", "ABC123456", FORMAT),
    ("hk.hkid", "G1234567", CHECKSUM),
    ("in.gstin", "27AAPFU0939F1Z", LENGTH),
    ("in.gstin", "27AAPFU0939F1YV", FORMAT),
    ("in.gstin", "00AAPFU0939F1ZV", COMPONENT),
    ("in.gstin", "38AAPFU0939F1ZV", COMPONENT),
    ("in.gstin", "27AAPFU0939F0ZV", COMPONENT),
    ("in.gstin", "27AAPFU0939F1ZW", CHECKSUM),
    ("mc.tva", "FR5300000460", LENGTH),
    ("mc.tva", "XX53000004605", LENGTH),  # FR is put in front of anything else
    ("mc.tva", "FR5300000460A", FORMAT),
    ("mc.tva", "FR54000004605", CHECKSUM),
    ("mc.tva", "FR54100004605", CHECKSUM),  # the key is tested before the 000 range
    ("mc.tva", "FR05100004605", COMPONENT),  # a valid French number outside Monaco's range
    ("mx.rfc", "GODE561231G", LENGTH),
    ("mx.rfc", "\u00d1" * 11, LENGTH),
    ("mx.rfc", "GODE561231GR", FORMAT),  # twelve characters: a three-letter company name
    ("mx.rfc", "GOD3561231GR8", FORMAT),
    ("mx.rfc", "GODE561231G*8", FORMAT),
    ("mx.rfc", "\u00d1" * 12, FORMAT),
    ("mx.rfc", "GODE560230GR8", COMPONENT),  # 30 February
    ("mx.rfc", "GODE561331GR8", COMPONENT),
    ("mx.rfc", "GODE010229GR4", COMPONENT),  # 2001 is not a leap year
    ("mx.rfc", "GODE561231GR9", CHECKSUM),
]


@pytest.mark.parametrize("vid, value, compact", VALID)
def test_valid(vid, value, compact):
    r = ov.validate(vid, value)
    assert r.valid, (vid, value, r.error and r.error.message)
    assert r.compact == compact


@pytest.mark.parametrize("vid, value, code", INVALID)
def test_invalid(vid, value, code):
    r = ov.validate(vid, value)
    assert not r.valid and r.compact is None, (vid, value)
    assert (r.error.code, r.error.message) == (code, MESSAGES[code])


@pytest.mark.parametrize("value", ["760864285", "760864286", "7608642", "12345670K"])
def test_cl_rut_precheck_agrees_with_validate(value):
    # validate_many goes through the precheck; a compact input is its own result.
    [many] = ov.validate_many("cl.rut", [value])
    single = ov.validate("cl.rut", value)
    assert (many.valid, many.compact) == (single.valid, single.compact)
    if not single.valid:
        assert (many.error.code, many.error.message) == (single.error.code, single.error.message)
