"""The module's interface: names, docstrings, argument binding and errors,
the result classes and the registry."""
import inspect

import pytest

import orvane_vardik as ov
from orvane_vardik import _api, _native

CLASSES = ["ValidationError", "ValidationResult", "ParsedIdentifier", "Bech32Validation", "ValidatorMetadata"]
FUNCTIONS = {
    "validator_ids": "()",
    "validators": "()",
    "validator_metadata": "(id)",
    "validate": "(id, value)",
    "validate_many": "(id, values)",
    "compact": "(id, value)",
    "format": "(id, value)",
    "generate": "(id)",
    "parse": "(id, value)",
    "credit_card_detect_network": "(value)",
    "eth_has_valid_eip55_checksum": "(value)",
    "btc_base58_decode": "(value)",
    "btc_bech32_polymod": "(values)",
    "btc_bech32_convert_bits": "(values, from_bits, to_bits)",
    "btc_bech32_validate": "(value)",
    "be_nn_checksum": "(value)",
    "es_vat_cif_checksum": "(value)",
    "ee_ik_two_pass_check": "(value)",
    "gb_nhs_calc_check_digit": "(value)",
    "gb_sedol_calc_check_digit": "(value)",
    "luhn_generate": "(length=16)",
    "validate_id": "(validator, value, input=None)",
    "validate_named_id": "(validator, value)",
}
CLASS_DOCS = {
    "ValidationError": "A validation error returned as structured Python data.",
    "ValidationResult": "A stable result object that carries either compact output or an error.",
    "ParsedIdentifier": "Structured data encoded by a personal identifier.",
    "Bech32Validation": "Result from the lower-level Bitcoin Bech32 parser.",
    "ValidatorMetadata": "Metadata for a validator in the Rust registry.",
}
COMPAT_DOC = "Compatibility entry point for the pre-registry boolean API."


def test_all_lists_classes_then_functions_in_order():
    assert _native.__all__ == CLASSES + list(FUNCTIONS)
    public = [k for k in vars(_native) if not k.startswith("__")]
    assert public == CLASSES + list(FUNCTIONS)
    assert ov.__all__ == _native.__all__
    # The package's registry functions come from the package module, which
    # also serves the extended ids; everything else is _native's own.
    for name in _native.__all__:
        owner = _api if name in _api.__all__ else _native
        assert getattr(ov, name) is getattr(owner, name)


def test_module_docstring_is_empty():
    assert _native.__doc__ == ""


@pytest.mark.parametrize("name,signature", FUNCTIONS.items())
def test_function_signatures_and_docs(name, signature):
    fn = getattr(_native, name)
    assert fn.__name__ == name
    assert fn.__text_signature__ == signature
    expected_doc = COMPAT_DOC if name in ("validate_id", "validate_named_id") else None
    assert fn.__doc__ == expected_doc
    assert str(inspect.signature(fn)) == signature


@pytest.mark.parametrize("name,doc", CLASS_DOCS.items())
def test_class_docs_and_no_constructor(name, doc):
    cls = getattr(_native, name)
    assert cls.__doc__ == doc
    with pytest.raises(TypeError):
        cls()


@pytest.mark.parametrize(
    "call,message",
    [
        (lambda: ov.validate("luhn"), "validate() missing 1 required positional argument: 'value'"),
        (lambda: ov.validate(), "validate() missing 2 required positional arguments: 'id' and 'value'"),
        (lambda: ov.validate("luhn", "1", "2"), "validate() takes 2 positional arguments but 3 were given"),
        (lambda: ov.validate("luhn", value="1", x=1), "validate() got an unexpected keyword argument 'x'"),
        (lambda: ov.validate("luhn", id="luhn"), "validate() got multiple values for argument 'id'"),
        (lambda: ov.luhn_generate(1, 2), "luhn_generate() takes from 0 to 1 positional arguments but 2 were given"),
        (lambda: ov.validator_ids(1), "validator_ids() takes 0 positional arguments but 1 was given"),
        (lambda: ov.generate(), "generate() missing 1 required positional argument: 'id'"),
        (lambda: ov.generate("a", "b"), "generate() takes 1 positional argument but 2 were given"),
        (lambda: ov.validate_id(), "validate_id() missing 2 required positional arguments: 'validator' and 'value'"),
        (lambda: ov.validate_id("a", "b", None, 1),
         "validate_id() takes from 2 to 3 positional arguments but 4 were given"),
        (lambda: ov.validate_named_id("a", "b", input=None),
         "validate_named_id() got an unexpected keyword argument 'input'"),
        (lambda: ov.btc_bech32_convert_bits([]),
         "btc_bech32_convert_bits() missing 2 required positional arguments: 'from_bits' and 'to_bits'"),
    ],
)
def test_binding_errors_use_standard_wording(call, message):
    with pytest.raises(TypeError) as exc:
        call()
    assert str(exc.value) == message
    assert not getattr(exc.value, "__notes__", None)


def test_keywords_work_like_positionals():
    assert ov.validate(id="luhn", value="18").compact == ov.validate("luhn", "18").compact == "18"
    assert ov.validate("luhn", value="18").valid
    assert ov.validate_id(validator="luhn", value="x18", input="digits-only") is True
    assert len(ov.luhn_generate(length=5)) == 5


@pytest.mark.parametrize(
    "call,exc_type,message,note",
    [
        (lambda: ov.validate("iban", 5), TypeError, "'int' object is not an instance of 'str'", "value"),
        (lambda: ov.validate(None, "x"), TypeError, "'None' is not an instance of 'str'", "id"),
        (lambda: ov.compact(b"luhn", "x"), TypeError, "'bytes' object is not an instance of 'str'", "id"),
        (lambda: ov.validate_many("nope", "abc"), TypeError, "Can't extract `str` to `Vec`", "values"),
        (lambda: ov.validate_many("luhn", 5), TypeError, "'int' object is not an instance of 'Sequence'", "values"),
        (lambda: ov.validate_many("luhn", {"a"}), TypeError, "'set' object is not an instance of 'Sequence'",
         "values"),
        (lambda: ov.validate_many("luhn", ["1", 2]), TypeError, "'int' object is not an instance of 'str'",
         "values"),
        (lambda: ov.validate_id("luhn", "1", 5), TypeError, "'int' object is not an instance of 'str'", "input"),
        (lambda: ov.luhn_generate("5"), TypeError, None, "length"),
        (lambda: ov.luhn_generate(-1), OverflowError, None, "length"),
        (lambda: ov.luhn_generate(2**64), OverflowError, None, "length"),
        (lambda: ov.validate("luhn", "\udc80"), UnicodeEncodeError, None, "value"),
    ],
)
def test_conversion_errors_carry_a_note(call, exc_type, message, note):
    with pytest.raises(exc_type) as exc:
        call()
    if message is not None:
        assert str(exc.value) == message
    assert exc.value.__notes__ == [f"while processing '{note}'"]


def test_inner_class_qualname_in_type_errors():
    class Outer:
        class Inner:
            pass

    with pytest.raises(TypeError, match=r"^'test_inner_class_qualname_in_type_errors.<locals>.Outer.Inner' object"):
        ov.validate("luhn", Outer.Inner())


@pytest.mark.parametrize("fn", [ov.validator_metadata, ov.generate])
@pytest.mark.parametrize("bad_id", ["nope", "IBAN", " luhn", "luhn ", "iban\x00", "Luhn algorithm", ""])
def test_unknown_ids_raise_key_error_one_arg(fn, bad_id):
    with pytest.raises(KeyError) as exc:
        fn(bad_id)
    assert exc.value.args == (f"unknown validator id: {bad_id}",)


@pytest.mark.parametrize("fn", [ov.validate, ov.compact, ov.format, ov.parse])
@pytest.mark.parametrize("bad_id", ["nope", "IBAN", "iban\x00", "crypto"])
def test_unknown_ids_raise_key_error_two_args(fn, bad_id):
    with pytest.raises(KeyError) as exc:
        fn(bad_id, "x")
    assert exc.value.args == (f"unknown validator id: {bad_id}",)


def test_conversion_happens_before_lookup():
    with pytest.raises(TypeError):
        ov.validate("nope", 5)
    with pytest.raises(KeyError):
        ov.validate_many("nope", ["abc"])
    assert ov.validate_many("luhn", []) == []


def test_str_subclasses_are_accepted():
    class S(str):
        pass

    assert ov.validate(S("luhn"), S("18")).compact == "18"


# --- result classes ---------------------------------------------------------

def test_valid_result_shape():
    r = ov.validate("luhn", "79927398713")
    assert (r.valid, r.compact, r.error) == (True, "79927398713", None)
    assert type(r) is ov.ValidationResult


def test_invalid_result_shape_and_fresh_errors():
    r = ov.validate("luhn", "79927398710")
    assert r.valid is False and r.compact is None
    e1, e2 = r.error, r.error
    assert e1 is not e2
    assert type(e1) is ov.ValidationError
    assert (e1.code, e1.message) == (e2.code, e2.message) == ("INVALID_CHECKSUM", "Luhn check digit does not match")


@pytest.mark.parametrize(
    "obj,attrs",
    [
        (lambda: ov.validate("luhn", "18"), ["valid", "compact", "error"]),
        (lambda: ov.validate("luhn", "19").error, ["code", "message"]),
        (lambda: ov.validator_metadata("luhn"),
         ["id", "name", "local_name", "abbreviation", "description", "aliases", "candidate_pattern", "scope",
          "country", "entity_type", "source_url", "lengths", "examples", "can_generate", "can_parse"]),
    ],
)
def test_attributes_are_read_only(obj, attrs):
    o = obj()
    for attr in attrs:
        before = getattr(o, attr)
        with pytest.raises(AttributeError):
            setattr(o, attr, before)
        with pytest.raises(AttributeError):
            delattr(o, attr)
        assert getattr(o, attr) == before
    with pytest.raises(AttributeError):
        o.extra = 1


def test_classes_cannot_be_subclassed():
    with pytest.raises(TypeError):
        type("Sub", (ov.ValidationResult,), {})


def test_metadata_lists_are_fresh_copies():
    m = ov.validator_metadata("luhn")
    for attr in ("aliases", "lengths", "examples"):
        first = getattr(m, attr)
        first.append("junk")
        assert "junk" not in getattr(m, attr)
        assert getattr(m, attr) is not getattr(m, attr)


@pytest.mark.parametrize(
    "vid,expected",
    [
        ("luhn", dict(name="Luhn", local_name="Luhn", abbreviation="Luhn", aliases=["Luhn", "Luhn algorithm", "mod 10"],
                      candidate_pattern=r"\d{2,}", lengths=[], examples=["4111111111111111", "18"], scope="global",
                      country=None, entity_type="any", description=None, can_generate=True, can_parse=False)),
        ("creditcard", dict(name="Credit Card Number", local_name="Credit Card Number", abbreviation="CC",
                            aliases=["credit card", "card number", "kreditní karta", "Kreditkarte"],
                            candidate_pattern=r"(?:\d[\s-]?){13,19}", lengths=[],
                            examples=["4111111111111111", "5500000000000004"], scope="global", country=None,
                            entity_type="any", can_generate=True, can_parse=False)),
    ],
)
def test_card_metadata(vid, expected):
    m = ov.validator_metadata(vid)
    assert m.id == vid
    for key, value in expected.items():
        assert getattr(m, key) == value, key
    assert isinstance(m.source_url, str) and m.source_url.startswith("https://")


# --- registry ----------------------------------------------------------------

def test_registry_is_sorted_unique_and_consistent():
    ids = ov.validator_ids()
    assert ids == sorted(ids, key=lambda s: s.encode())
    assert len(set(ids)) == len(ids)
    metas = ov.validators()
    assert [m.id for m in metas] == ids
    for m in metas:
        assert ov.validator_metadata(m.id).id == m.id
        assert m.scope in ("global", "country")
        assert (m.country is None) == (m.scope == "global")
        if m.country is not None:
            assert m.id.split(".")[0].upper() == m.country
        assert m.entity_type in ("person", "company", "any")
        assert m.aliases and m.examples
        assert all(isinstance(n, int) for n in m.lengths)
    assert ov.validator_ids() is not ov.validator_ids()


def test_every_example_validates():
    for m in ov.validators():
        for example in m.examples:
            assert ov.validate(m.id, example).valid, (m.id, example)


def test_generate_and_parse_without_operations_give_none():
    for m in ov.validators():
        if not m.can_generate:
            assert ov.generate(m.id) is None
        if not m.can_parse:
            assert ov.parse(m.id, m.examples[0]) is None


def test_national_check_functions_answer_none_for_bad_values_and_reject_non_str():
    for name in ("be_nn_checksum", "es_vat_cif_checksum", "ee_ik_two_pass_check", "gb_nhs_calc_check_digit",
                 "gb_sedol_calc_check_digit"):
        fn = getattr(ov, name)
        assert fn("") is None
        with pytest.raises(TypeError):
            fn(5)


@pytest.mark.parametrize(
    "call,message",
    [
        (lambda: ov.validate_many("luhn", None), "'NoneType' object is not an instance of 'Sequence'"),
        (lambda: ov.validate_many("luhn", [None]), "'NoneType' object is not an instance of 'str'"),
        (lambda: ov.btc_bech32_polymod(None), "'NoneType' object is not an instance of 'Sequence'"),
        (lambda: ov.validate("luhn", None), "'None' is not an instance of 'str'"),
    ],
)
def test_none_wording(call, message):
    with pytest.raises(TypeError) as exc:
        call()
    assert str(exc.value) == message


def test_type_name_that_is_not_utf8_encodable_is_kept():
    class C:
        pass

    C.__qualname__ = "Q\udc80ual"
    with pytest.raises(TypeError) as exc:
        ov.validate("luhn", C())
    assert exc.value.args[0] == "'Q\udc80ual' object is not an instance of 'str'"


def test_sub_interpreters_are_refused():
    subinterpreters = pytest.importorskip("_xxsubinterpreters")
    interp = subinterpreters.create()
    try:
        code = (
            "try:\n"
            "    import orvane_vardik._native\n"
            "except ImportError as e:\n"
            "    assert 'sub-interpreters' in str(e), e\n"
            "else:\n"
            "    raise AssertionError('imported')\n"
        )
        subinterpreters.run_string(interp, code)
    finally:
        subinterpreters.destroy(interp)
    # The main interpreter's module keeps working.
    assert ov.validate("luhn", "18").valid
