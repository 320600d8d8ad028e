"""The EU VAT router: every prefix reaches its national validator, whose
failures come back unchanged; success returns the eu.vat compact text."""
import pytest

import orvane_vardik as ov

FORMAT, LENGTH, CHECKSUM, COMPONENT = "INVALID_FORMAT", "INVALID_LENGTH", "INVALID_CHECKSUM", "INVALID_COMPONENT"
# Messages of the national validators (legacy set) and of the router itself.
NATIONAL = {
    FORMAT: "identifier has an invalid format",
    LENGTH: "identifier has an invalid length",
    COMPONENT: "identifier contains an invalid component",
    CHECKSUM: "identifier checksum or components are invalid",
}
ROUTER = dict(NATIONAL, **{CHECKSUM: "identifier checksum mismatch"})

# prefix: (a valid number, an invalid one, the national code for the invalid one)
BY_PREFIX = {
    "AT": ("ATU13585627", "ATU13585628", CHECKSUM),
    "BE": ("BE0776091951", "BE0776091952", CHECKSUM),
    "BG": ("BG175074752", "BG175074753", CHECKSUM),
    "CY": ("CY10259033P", "CY10259033Q", CHECKSUM),
    "CZ": ("CZ25123891", "CZ25123892", CHECKSUM),
    "DE": ("DE136695976", "DE136695977", CHECKSUM),
    "DK": ("DK13585628", "DK13585629", CHECKSUM),
    "EE": ("EE100931558", "EE100931559", CHECKSUM),
    "EL": ("EL094259216", "EL094259217", CHECKSUM),
    "GR": ("GR094259216", "GR0942592161", LENGTH),
    "ES": ("ES12345678Z", "ES12345678A", CHECKSUM),
    "FI": ("FI20774740", "FI20774741", CHECKSUM),
    "FR": ("FR40303265045", "FR41303265045", CHECKSUM),
    "HR": ("HR33392005961", "HR33392005962", CHECKSUM),
    "HU": ("HU12892312", "HU12892313", CHECKSUM),
    "IE": ("IE6433435F", "IE6433435G", CHECKSUM),
    "IT": ("IT00743110157", "IT00743110158", CHECKSUM),
    "LT": ("LT119511515", "LT119511516", CHECKSUM),
    "LU": ("LU15027442", "LU15027443", CHECKSUM),
    "LV": ("LV40003521600", "LV4000352160", LENGTH),
    "MT": ("MT11679112", "MT11679113", CHECKSUM),
    "NL": ("NL000099998B57", "NL000099998X57", FORMAT),
    "PL": ("PL2234567895", "PL2234567896", CHECKSUM),
    "PT": ("PT501964843", "PT501964844", CHECKSUM),
    "RO": ("RO18547290", "RO18547291", CHECKSUM),
    "SI": ("SI15012557", "SI15012558", CHECKSUM),
    "SK": ("SK2021853504", "SK202185350", LENGTH),
    "XI": ("XI980780684", "XI980780685", CHECKSUM),
}


@pytest.mark.parametrize("prefix", sorted(BY_PREFIX))
def test_each_prefix_routes(prefix):
    valid, invalid, code = BY_PREFIX[prefix]
    r = ov.validate("eu.vat", valid)
    assert r.valid, (valid, r.error and r.error.message)
    assert r.compact == valid
    r = ov.validate("eu.vat", invalid)
    assert not r.valid and r.compact is None
    assert (r.error.code, r.error.message) == (code, NATIONAL[code])


# Sweden's validator lives in the N-Z set, with its own messages.
@pytest.mark.parametrize("value, code, message", [
    ("SE556188840402", COMPONENT, "Swedish VAT number must end with 01"),
    ("SE556188840501", CHECKSUM, "Swedish VAT number Luhn check failed"),
    ("SE55618884040", LENGTH, "Swedish VAT number must be 12 digits"),
])
def test_swedish_messages_pass_through(value, code, message):
    r = ov.validate("eu.vat", value)
    assert (r.valid, r.error.code, r.error.message) == (False, code, message)


@pytest.mark.parametrize("value, compact", [
    ("SE556188840401", "SE556188840401"),
    ("de 136 695 976", "DE136695976"),
    ("atu13585627", "ATU13585627"),
    ("DE-136.695.976", "DE136695976"),
    ("DEDE136695976", "DEDE136695976"),  # the national validator drops the second prefix
    ("BE776091951", "BE776091951"),  # the result is not the national compact form
])
def test_valid_returns_own_compact_text(value, compact):
    r = ov.validate("eu.vat", value)
    assert r.valid, (value, r.error and r.error.message)
    assert r.compact == compact


@pytest.mark.parametrize("value, code", [
    ("", FORMAT),
    ("DE", FORMAT),
    ("D1", FORMAT),
    ("D1234567890", FORMAT),
    ("1E136695976", FORMAT),
    ("\u00c4T13585627", FORMAT),
    ("\u0410T13585627", FORMAT),  # Cyrillic A
    ("XX123456789", COMPONENT),
    ("GB980780684", COMPONENT),  # Great Britain left; only XI is routed
    ("CH123456789", COMPONENT),
])
def test_router_failures(value, code):
    r = ov.validate("eu.vat", value)
    assert not r.valid
    assert (r.error.code, r.error.message) == (code, ROUTER[code])



# The router removes only its listed separators; white space or a control
# character left inside the number is a format fault, though the national
# validator (which trims what it is given) would pass the rest. Outer white
# space is trimmed, and a failure of the national validator still wins.
@pytest.mark.parametrize("value, valid, compact, code", [
    ("AT\tU13585627", False, None, FORMAT),
    ("AT\nU13585627", False, None, FORMAT),
    ("DE\u2028136695976", False, None, FORMAT),
    ("DE\u0085136695976", False, None, FORMAT),  # NEL: white space and a control character
    ("AT U13585627", True, "ATU13585627", None),  # the blank is a separator
    ("AT\u00a0U13585627", True, "ATU13585627", None),  # no-break space reads as a blank
    ("at\u200bu13585627", True, "ATU13585627", None),  # zero-width characters are dropped
    ("\tDE136695976\n", True, "DE136695976", None),
    ("AT\tU13585628", False, None, CHECKSUM),  # the national verdict comes first
    ("SE\t556188840401", False, None, LENGTH),
])
def test_white_space_left_inside(value, valid, compact, code):
    r = ov.validate("eu.vat", value)
    assert (r.valid, r.compact, r.error and r.error.code) == (valid, compact, code)
    if valid:
        assert ov.compact("eu.vat", r.compact) == r.compact
    elif code == FORMAT:
        assert r.error.message == ROUTER[FORMAT]


# Text already compact is checked where it stands; the result must not
# depend on which path it took.
@pytest.mark.parametrize("number", [v for v, _, _ in BY_PREFIX.values()] + [i for _, i, _ in BY_PREFIX.values()])
def test_compact_and_spaced_input_agree(number):
    direct, spaced = ov.validate("eu.vat", number), ov.validate("eu.vat", " " + number[:2].lower() + " " + number[2:])
    assert (direct.valid, direct.compact, direct.error and direct.error.code, direct.error and direct.error.message) == (
        spaced.valid, spaced.compact, spaced.error and spaced.error.code, spaced.error and spaced.error.message)
