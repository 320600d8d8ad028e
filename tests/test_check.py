"""check(): the compact text of a valid value, an exception of the code's class otherwise."""
import pickle

import pytest

import orvane_vardik as ov
from orvane_vardik import (
    InvalidChecksum,
    InvalidComponent,
    InvalidFormat,
    InvalidIdentifier,
    InvalidLength,
    check,
)

VALID = [
    ("iban", "GB29 NWBK 6016 1331 9268 19", "GB29NWBK60161331926819"),
    ("luhn", "7992 7398 713", "79927398713"),
    ("isin", "US0378331005", "US0378331005"),
    ("isbn", "978-0-306-40615-7", "9780306406157"),  # an extended id
]


@pytest.mark.parametrize("vid, value, compact", VALID)
def test_valid_returns_compact(vid, value, compact):
    assert check(vid, value) == compact == ov.validate(vid, value).compact


INVALID = [
    ("iban", "GB28 NWBK 6016 1331 9268 19", InvalidChecksum, "INVALID_CHECKSUM"),
    ("luhn", "79927398710", InvalidChecksum, "INVALID_CHECKSUM"),
    ("iban", "GB29 NWBK 6016 1331 9268 1", InvalidLength, "INVALID_LENGTH"),
    ("luhn", "7992739871x", InvalidFormat, "INVALID_FORMAT"),
    ("bg.egn", "7513169263", InvalidComponent, "INVALID_COMPONENT"),
    ("isbn", "978-0-306-40615-8", InvalidChecksum, "INVALID_CHECKSUM"),
    ("iban", "", None, None),
]


@pytest.mark.parametrize("vid, value, cls, code", INVALID)
def test_invalid_raises_the_codes_class(vid, value, cls, code):
    error = ov.validate(vid, value).error
    assert error is not None
    cls = cls or {"INVALID_FORMAT": InvalidFormat, "INVALID_LENGTH": InvalidLength}[error.code]
    with pytest.raises(cls) as info:
        check(vid, value)
    exc = info.value
    assert (exc.id, exc.code, exc.message) == (vid, error.code, error.message)
    assert code in (None, exc.code)
    assert str(exc) == f"{vid}: {error.message}"
    # One kind of handler catches every code, and ValueError handlers keep working.
    assert isinstance(exc, InvalidIdentifier) and isinstance(exc, ValueError)
    others = {InvalidFormat, InvalidLength, InvalidChecksum, InvalidComponent} - {cls}
    assert not isinstance(exc, tuple(others))


def test_exception_survives_pickling():
    with pytest.raises(InvalidChecksum) as info:
        check("iban", "GB28NWBK60161331926819")
    copy = pickle.loads(pickle.dumps(info.value))
    assert type(copy) is InvalidChecksum
    assert (copy.id, copy.code, copy.message, str(copy)) == (
        info.value.id, info.value.code, info.value.message, str(info.value))


MISUSE = [
    (("nope", "1"), KeyError, "unknown validator id: nope"),
    (("iban", 5), TypeError, "not an instance of 'str'"),
    ((5, "x"), TypeError, "not an instance of 'str'"),
    (("iban", "GB29\ud800"), UnicodeEncodeError, "surrogate"),
]


@pytest.mark.parametrize("args, exc, text", MISUSE)
def test_misuse_raises_as_validate_does(args, exc, text):
    with pytest.raises(exc, match=text):
        check(*args)
    with pytest.raises(exc):
        ov.validate(*args)


def test_unknown_id_names_the_closest():
    with pytest.raises(KeyError) as info:
        check("IBAN", "x")
    if hasattr(info.value, "add_note"):
        assert "iban" in " ".join(getattr(info.value, "__notes__", ()))


def test_exported_from_the_package():
    for name in ("check", "InvalidIdentifier", "InvalidFormat", "InvalidLength",
                 "InvalidChecksum", "InvalidComponent"):
        assert getattr(ov, name) is getattr(ov.errors, name)
        assert name in ov.__all__
