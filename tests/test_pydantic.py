"""orvane_vardik.pydantic.Identifier in pydantic v2 models, as a web API uses them."""
import json
import subprocess
import sys
from typing import Annotated, Optional

import pytest

pydantic = pytest.importorskip("pydantic", minversion="2")
from pydantic import BaseModel, TypeAdapter, ValidationError  # noqa: E402

import orvane_vardik as ov  # noqa: E402
from orvane_vardik.pydantic import Identifier  # noqa: E402

Iban = Annotated[str, Identifier("iban")]
IbanFormatted = Annotated[str, Identifier("iban", store="formatted")]
Isbn = Annotated[str, Identifier("isbn")]


class Account(BaseModel):
    holder: str
    iban: Iban
    bic: Optional[Annotated[str, Identifier("bic")]] = None


class Payment(BaseModel):
    source: Account
    targets: list[Iban]
    books: list[Isbn] = []


STORED = [
    (Identifier("iban"), "GB29 NWBK 6016 1331 9268 19", "GB29NWBK60161331926819"),
    (Identifier("iban"), "gb29nwbk60161331926819", "GB29NWBK60161331926819"),
    (Identifier("iban", store="formatted"), "GB29NWBK60161331926819", "GB29 NWBK 6016 1331 9268 19"),
    (Identifier("luhn"), "7992-7398-713", "79927398713"),
    (Identifier("isbn"), "978-0-306-40615-7", "9780306406157"),
]


@pytest.mark.parametrize("marker, value, stored", STORED)
def test_valid_values_are_stored_in_the_chosen_form(marker, value, stored):
    adapter = TypeAdapter(Annotated[str, marker])
    assert adapter.validate_python(value) == stored
    assert adapter.validate_json(json.dumps(value)) == stored


REJECTED = [
    ("iban", "GB28 NWBK 6016 1331 9268 19", "INVALID_CHECKSUM"),
    ("luhn", "79927398710", "INVALID_CHECKSUM"),
    ("luhn", "7992739871x", "INVALID_FORMAT"),
    ("bg.egn", "7513169263", "INVALID_COMPONENT"),
    ("isbn", "978-0-306-40615-8", "INVALID_CHECKSUM"),
]


@pytest.mark.parametrize("vid, value, code", REJECTED)
def test_invalid_values_report_code_and_message(vid, value, code):
    adapter = TypeAdapter(Annotated[str, Identifier(vid)])
    with pytest.raises(ValidationError) as info:
        adapter.validate_python(value)
    (entry,) = info.value.errors()
    message = ov.validate(vid, value).error.message
    assert entry["type"] == "identifier_" + code.lower()
    assert entry["msg"] == message
    assert entry["ctx"] == {"id": vid, "code": code, "message": message}
    assert entry["input"] == value


@pytest.mark.parametrize("value, kind", [
    (5, "string_type"),
    (None, "string_type"),
    (b"GB29NWBK60161331926819", None),  # pydantic's lax mode may decode bytes
    ("GB29\ud800", "identifier_invalid_text"),
])
def test_non_text_input_is_a_field_error_not_a_crash(value, kind):
    adapter = TypeAdapter(Iban)
    try:
        result = adapter.validate_python(value)
    except ValidationError as exc:
        assert kind is None or exc.errors()[0]["type"] == kind
    else:
        assert kind is None and result == "GB29NWBK60161331926819"


def test_model_round_trip_through_json():
    body = {
        "source": {"holder": "A", "iban": "GB29 NWBK 6016 1331 9268 19", "bic": "deutdeff"},
        "targets": ["DE89 3704 0044 0532 0130 00", "gb29nwbk60161331926819"],
        "books": ["0-306-40615-2"],
    }
    payment = Payment.model_validate_json(json.dumps(body))
    assert payment.source.iban == "GB29NWBK60161331926819"
    assert payment.source.bic == ov.validate("bic", "deutdeff").compact
    assert payment.targets == ["DE89370400440532013000", "GB29NWBK60161331926819"]
    assert payment.books == [ov.validate("isbn", "0-306-40615-2").compact]
    dumped = payment.model_dump()
    assert dumped["targets"] == payment.targets
    again = Payment.model_validate_json(payment.model_dump_json())
    assert again == payment == Payment.model_validate(dumped)


def test_errors_locate_the_bad_item_in_nested_lists():
    body = {"source": {"holder": "A", "iban": "GB28NWBK60161331926819"},
            "targets": ["DE89370400440532013000", "DE89370400440532013001"]}
    with pytest.raises(ValidationError) as info:
        Payment.model_validate(body)
    found = {(entry["loc"], entry["type"]) for entry in info.value.errors()}
    assert found == {(("source", "iban"), "identifier_invalid_checksum"),
                     (("targets", 1), "identifier_invalid_checksum")}


def test_json_schema_has_pattern_and_example():
    meta = ov.validator_metadata("iban")
    schema = TypeAdapter(Iban).json_schema()
    assert schema["type"] == "string"
    assert schema["pattern"] == meta.candidate_pattern
    assert schema["examples"] == [meta.examples[0]]
    formatted = TypeAdapter(IbanFormatted).json_schema()
    assert formatted["examples"] == [ov.format("iban", meta.examples[0])]
    model = Payment.model_json_schema()
    assert model["$defs"]["Account"]["properties"]["iban"]["pattern"] == meta.candidate_pattern
    assert model["properties"]["targets"]["items"]["pattern"] == meta.candidate_pattern


@pytest.mark.parametrize("args, kwargs, exc", [
    (("nope",), {}, KeyError),
    (("iban",), {"store": "pretty"}, ValueError),
])
def test_bad_markers_fail_when_written(args, kwargs, exc):
    with pytest.raises(exc):
        Identifier(*args, **kwargs)


def test_package_imports_without_pydantic():
    # The marker module may be imported; pydantic itself only when a model uses it.
    code = ("import sys; sys.modules['pydantic'] = None; sys.modules['pydantic_core'] = None\n"
            "import orvane_vardik, orvane_vardik.pydantic\n"
            "print(orvane_vardik.check('luhn', '79927398713'))")
    p = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True)
    assert p.returncode == 0 and p.stdout == "79927398713\n", p.stderr
