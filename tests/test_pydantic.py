"""orvane_vardik.pydantic.Identifier in pydantic v2 models, as a web API uses them."""
import json
import re
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


def test_json_schema_input_and_stored_forms():
    meta = ov.validator_metadata("iban")
    schema = TypeAdapter(Iban).json_schema()
    # Input: any written form, so no pattern; the example as the registry writes it.
    assert schema["type"] == "string" and "pattern" not in schema
    assert schema["examples"] == [meta.examples[0]]
    stored = TypeAdapter(Iban).json_schema(mode="serialization")
    assert stored["examples"] == ["GB29NWBK60161331926819"]
    formatted = TypeAdapter(IbanFormatted).json_schema(mode="serialization")
    assert formatted["examples"] == [ov.format("iban", meta.examples[0])]
    # The candidate pattern, anchored, where it holds for every stored form.
    lei = TypeAdapter(Annotated[str, Identifier("lei")]).json_schema(mode="serialization")
    assert lei["pattern"] == f"^(?:{ov.validator_metadata('lei').candidate_pattern})$"
    model = Payment.model_json_schema(mode="serialization")
    assert model["$defs"]["Account"]["properties"]["iban"]["examples"] == stored["examples"]
    assert model["properties"]["targets"]["items"]["examples"] == stored["examples"]
    # A candidate pattern that does not describe the stored form is not published.
    de_vat = TypeAdapter(Annotated[str, Identifier("de.vat")]).json_schema(mode="serialization")
    assert de_vat["examples"] == ["136695976"] and "pattern" not in de_vat


@pytest.mark.parametrize("store", ["compact", "formatted"])
def test_json_schema_agrees_with_the_field_for_every_id(store):
    # The schema published for a field never rejects its own example, nor
    # what the field stores for it and for 100 drawn values.
    bad = []
    for vid in ov.validator_ids():
        adapter = TypeAdapter(Annotated[str, Identifier(vid, store=store)])
        given = adapter.json_schema()
        out = adapter.json_schema(mode="serialization")
        examples = ov.validator_metadata(vid).examples
        values = list(examples[:1]) + ov.sample(vid, 100, seed=2026)
        for value in values:
            kept = adapter.validate_python(value)
            if "pattern" in given and not re.search(given["pattern"], value):
                bad.append((vid, "input", value))
            if "pattern" in out and not re.search(out["pattern"], kept):
                bad.append((vid, "stored", kept))
        if examples:
            assert given["examples"] == [examples[0]]
            assert out["examples"] == [adapter.validate_python(examples[0])], vid
    assert bad == []


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
