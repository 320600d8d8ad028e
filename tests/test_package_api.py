"""The package's registry functions (the package module `_api`) against the
documented module: the same answers and errors for every documented id, the
extended ids on top, and the closest ids named for an unknown one."""
import subprocess
import sys
from collections import UserList

import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import _api, _native

DOCUMENTED = _native.validator_ids()
EXTENDED = sorted(set(ov.validator_ids()) - set(DOCUMENTED))
METAS = {m.id: m for m in ov.validators()}
needs_extended = pytest.mark.skipif("isbn" not in EXTENDED, reason="the extended set has no isbn in this build")
ISBN = "978-0-306-40615-7"


def notes(exc):
    return list(getattr(exc, "__notes__", []))


def outcome(fn, *args, **kwargs):
    """What a call gives, as plain data: its value, or its exception's type, text and notes."""
    try:
        value = fn(*args, **kwargs)
    except Exception as exc:  # noqa: BLE001 - every exception is compared
        return ("raises", type(exc), str(exc), notes(exc))
    return ("returns", plain(value))


def plain(value):
    if isinstance(value, list):
        return [plain(v) for v in value]
    if isinstance(value, _native.ValidationResult):
        err = value.error
        return ("result", value.valid, value.compact, err and (err.code, err.message))
    if isinstance(value, _native.ParsedIdentifier):
        return ("parsed", value.birth_year, value.birth_month, value.birth_day, value.gender)
    if isinstance(value, _native.ValidatorMetadata):
        return ("meta", value.id, value.name, value.aliases, value.lengths, value.examples, value.country,
                value.source_url, value.description, value.can_generate, value.can_parse)
    return value


def probes(vid):
    """Values worth comparing for one id: its examples, each with its last
    character changed, and text no validator accepts."""
    examples = METAS[vid].examples
    changed = [e[:-1] + ("1" if e[-1:] != "1" else "2") for e in examples]
    return examples + changed + ["", " ", "x", "0" * 40, " " + examples[0] + "\t", "é€\u0301", "18\x00x"]


# --- the documented ids: the package answers exactly as _native -------------

@pytest.mark.parametrize("vid", DOCUMENTED)
def test_documented_ids_answer_as_native(vid):
    values = probes(vid)
    for name in ("validate", "compact", "format", "parse", "validate_id", "validate_named_id"):
        for value in values:
            assert outcome(getattr(ov, name), vid, value) == outcome(getattr(_native, name), vid, value), \
                (name, value)
    assert outcome(ov.validate_many, vid, values) == outcome(_native.validate_many, vid, values)
    assert outcome(ov.validator_metadata, vid) == outcome(_native.validator_metadata, vid)
    for mode in ("digits-only", "crypto-wallet-candidate", "other"):
        assert ov.validate_id(vid, values[0], mode) == _native.validate_id(vid, values[0], mode)
    generated = ov.generate(vid)
    assert (generated is None) == (_native.generate(vid) is None)
    if generated is not None:
        assert _native.validate(vid, generated).valid


@given(st.sampled_from(DOCUMENTED), st.text(max_size=40))
def test_any_text_gets_the_native_answer(vid, value):
    for name in ("validate", "compact", "format", "parse"):
        assert outcome(getattr(ov, name), vid, value) == outcome(getattr(_native, name), vid, value)


# Misuse: same exception, message and notes from both modules.
MISUSE = [
    ("validate", ("iban", 5), {}),
    ("validate", (5, "x"), {}),
    ("validate", ("iban", None), {}),
    ("validate", ("iban", "\ud800"), {}),
    ("validate", ("iban",), {}),
    ("validate", (), {}),
    ("validate", ("iban", "1", "2"), {}),
    ("validate", ("iban",), {"value": "1", "x": 1}),
    ("validate", ("iban",), {"id": "iban"}),
    ("validate", (), {"id": "iban", "value": "GB29NWBK60161331926819"}),
    ("compact", ("iban", b"GB29"), {}),
    ("format", (None, "x"), {}),
    ("parse", ("pl.pesel", 44051401359), {}),
    ("generate", (), {}),
    ("generate", ("a", "b"), {}),
    ("generate", (3,), {}),
    ("validator_metadata", (None,), {}),
    ("validator_ids", (1,), {}),
    ("validators", (), {"x": 1}),
    ("validate_many", ("luhn", "abc"), {}),
    ("validate_many", ("luhn", None), {}),
    ("validate_many", ("luhn", ["1", 2]), {}),
    ("validate_many", ("luhn", ("1", None)), {}),
    ("validate_many", ("luhn", iter(["1"])), {}),
    ("validate_many", ("nope", "abc"), {}),  # conversion wins over the unknown id
    ("validate_many", (1, []), {}),
    ("validate_id", ("luhn", 5), {}),
    ("validate_id", ("luhn", "1", 5), {}),
    ("validate_id", ("xx.nope", "1"), {}),
    ("validate_named_id", ("luhn", "1", None), {}),
]


@pytest.mark.parametrize("name,args,kwargs", MISUSE, ids=[f"{m[0]}{m[1]!r}{m[2]!r}" for m in MISUSE])
def test_misuse_raises_as_native(name, args, kwargs):
    assert outcome(getattr(ov, name), *args, **kwargs) == outcome(getattr(_native, name), *args, **kwargs)


def test_results_are_instances_of_the_native_classes():
    assert all(getattr(_api, c) is getattr(_native, c) for c in _native.__all__[:5])
    r = ov.validate("luhn", "18")
    assert type(r) is _native.ValidationResult and type(ov.validate("luhn", "19").error) is _native.ValidationError
    assert type(ov.parse("pl.pesel", "44051401359")) is _native.ParsedIdentifier
    assert type(ov.validator_metadata("iban")) is _native.ValidatorMetadata


def test_native_module_keeps_the_documented_registry():
    assert len(DOCUMENTED) == 176
    ids = ov.validator_ids()
    assert ids == sorted(ids, key=str.encode) and set(DOCUMENTED) <= set(ids)
    assert [m.id for m in ov.validators()] == ids
    assert [m.id for m in _native.validators()] == DOCUMENTED
    assert _api.__all__ == _native.__all__[:14] + ["validate_id", "validate_named_id"]


# --- the extended ids: the package serves them, _native does not -------------

@pytest.mark.parametrize("vid", EXTENDED or [pytest.param("isbn", marks=needs_extended)])
def test_extended_ids_are_served_by_the_package_only(vid):
    meta = ov.validator_metadata(vid)
    example = meta.examples[0]
    result = ov.validate(vid, example)
    assert result.valid and [r.valid for r in ov.validate_many(vid, [example, ""])] == [True, False]
    assert ov.validate_id(vid, example) and ov.validate_named_id(vid, example)
    assert ov.compact(vid, example) == result.compact and isinstance(ov.format(vid, example), str)
    if meta.can_generate:
        assert ov.validate(vid, ov.generate(vid)).valid
    for call in (lambda: _native.validate(vid, example), lambda: _native.compact(vid, example),
                 lambda: _native.validator_metadata(vid), lambda: _native.validate_many(vid, [example])):
        with pytest.raises(KeyError) as info:
            call()
        assert info.value.args == (f"unknown validator id: {vid}",) and notes(info.value) == []
    assert not _native.validate_id(vid, example)


# --- unknown ids: the documented KeyError, and the closest ids as a note -----

SUGGESTIONS = [
    ("IBAN", "did you mean 'iban'?"),                  # case
    ("PESEL", "did you mean 'pl.pesel'?"),             # abbreviation
    ("BSN", "did you mean 'nl.bsn'?"),
    ("burgerservicenummer", "did you mean 'nl.bsn'?"),  # alias
    ("SWIFT", "did you mean 'bic'?"),
    ("DIČ", "did you mean 'cz.dic' or 'sk.dic'?"),     # non-ASCII alias, several ids
    ("ruc", "did you mean 'ec.ruc', 'ni.ruc', 'pa.ruc', 'pe.ruc' or 'py.ruc'?"),
    ("codiceFiscale", "did you mean 'it.codiceFiscale'?"),  # the part after the dot
    ("ibna", "did you mean 'iban'?"),                  # exchanged neighbours
    ("ibam", "did you mean 'iban'?"),
    ("pl.pesle", "did you mean 'pl.pesel'?"),
    ("IT.CODICEFISCAL", "did you mean 'it.codiceFiscale'?"),
    ("be.nm", "did you mean 'be.nn'?"),
    ("zzzzzz", None),
    ("", None),
    ("nope", None),
    ("x" * 100_000, None),
    ("ib\x00an", "did you mean 'iban'?"),
]


@pytest.mark.parametrize("vid,note", SUGGESTIONS, ids=[s[0][:20] for s in SUGGESTIONS])
def test_unknown_id_names_the_closest_ids(vid, note):
    calls = [lambda: ov.validate(vid, "1"), lambda: ov.compact(vid, "1"), lambda: ov.format(vid, "1"),
             lambda: ov.parse(vid, "1"), lambda: ov.generate(vid), lambda: ov.validator_metadata(vid),
             lambda: ov.validate_many(vid, ["1"]), lambda: ov.validate_many(vid, UserList(["1"]))]
    for call in calls:
        with pytest.raises(KeyError) as info:
            call()
        assert info.value.args == (f"unknown validator id: {vid}",)
        assert notes(info.value) == ([note] if note else [])
    with pytest.raises(KeyError) as info:
        _native.validate(vid, "1")
    assert notes(info.value) == []
    assert ov.validate_id(vid, "1") is False


@needs_extended
def test_suggestions_cover_the_extended_ids():
    with pytest.raises(KeyError) as info:
        ov.validate("ISBN", ISBN)
    assert notes(info.value) == ["did you mean 'isbn'?"]


# --- columns, engines and the command line serve the extended ids ------------

@needs_extended
def test_columns_and_engines_accept_an_extended_id():
    pa = pytest.importorskip("pyarrow")
    from orvane_vardik import columns
    from orvane_vardik.engines import apply_by_id

    values = pa.array([ISBN, "978-0-306-40615-8", None])
    assert columns.is_valid("isbn", values).to_pylist() == [True, False, None]
    assert columns.compact("isbn", values).to_pylist()[0] == ov.compact("isbn", ISBN)
    ids = pa.array(["isbn", "iban", "isbn"])
    assert apply_by_id("is_valid", ids, values).to_pylist() == [True, False, None]
    with pytest.raises(KeyError, match="unknown validator id: ISBN"):
        columns.is_valid("ISBN", values)


@needs_extended
def test_duckdb_and_polars_accept_an_extended_id():
    duckdb = pytest.importorskip("duckdb")
    pl = pytest.importorskip("polars")
    from orvane_vardik.engines import polars_expr, register_duckdb

    con = register_duckdb(duckdb.connect())
    assert con.sql(f"SELECT ov_is_valid('isbn', '{ISBN}')").fetchall() == [(True,)]
    df = pl.DataFrame({"n": [ISBN, "0"]}).with_columns(ok=polars_expr("isbn", pl.col("n")))
    assert df["ok"].to_list() == [True, False]


@needs_extended
def test_spark_batches_accept_an_extended_id():
    pa = pytest.importorskip("pyarrow")
    from orvane_vardik.spark import _result_columns

    batch = pa.RecordBatch.from_arrays([pa.array([ISBN, "1"])], names=["n"])
    (out,) = _result_columns([batch], id="isbn", column="n", fields=["valid", "code"], names=["v", "c"],
                             threads=None)
    assert out.column("v").to_pylist() == [True, False] and out.column("c").to_pylist()[0] is None


def cli(*args):
    p = subprocess.run([sys.executable, "-m", "orvane_vardik", *args], capture_output=True, text=True)
    return p.returncode, p.stdout, p.stderr


@needs_extended
def test_command_line_serves_an_extended_id_and_lists_it():
    code, out, _ = cli("isbn", "--op", "compact", ISBN)
    assert code == 0 and out == ov.compact("isbn", ISBN) + "\n"
    code, out, _ = cli("--list")
    assert code == 0 and f"isbn\t{ov.validator_metadata('isbn').name}" in out.splitlines()


@pytest.mark.parametrize("vid,hint", [
    ("IBAN", "; did you mean 'iban'?"),
    ("PESEL", "; did you mean 'pl.pesel'?"),
    ("zzzzzz", ""),
])
def test_command_line_prints_the_suggestion(vid, hint):
    code, out, err = cli(vid, "x")
    assert code == 2 and out == ""
    assert err.endswith(f": error: unknown validator id: {vid}{hint} (see --list)\n") and err.count("\n") == 1
