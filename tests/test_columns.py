"""The columnar functions give, value for value, what the one-value functions give.

The validator list is read from the registry at run time, so validators
added later are covered without editing this file.
"""
import threading
import time

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov

pa = pytest.importorskip("pyarrow")
from orvane_vardik import columns  # noqa: E402

IDS = ov.validator_ids()
JUNK = ["", " ", "0", "123456789", "ABCDEFGHIJ", "12-34.56/78", "ß\u0301", "x\x00y", "\U0001f600" * 3, None]


def expected(op, vid, value):
    """The row a column function must give for one value."""
    if value is None:
        return None
    if op == "is_valid":
        return ov.validate(vid, value).valid
    if op == "validate":
        r = ov.validate(vid, value)
        e = r.error
        return {"valid": r.valid, "compact": r.compact, "code": e and e.code, "message": e and e.message}
    if op == "parse":
        p = ov.parse(vid, value)
        return p and {"birth_year": p.birth_year, "birth_month": p.birth_month, "birth_day": p.birth_day,
                      "gender": p.gender}
    return getattr(ov, op)(vid, value)


OPS = ["is_valid", "validate", "compact", "format", "parse"]


def check_ops(vid, values, column):
    for op in OPS:
        got = getattr(columns, op)(vid, column).to_pylist()
        assert got == [expected(op, vid, v) for v in values], (op, vid)


@pytest.mark.parametrize("vid", IDS)
def test_every_validator_matches_single_calls(vid):
    m = ov.validator_metadata(vid)
    generated = [ov.generate(vid) for _ in range(3)] if m.can_generate else []
    values = list(m.examples) + [e.lower() for e in m.examples] + [g for g in generated if g] + JUNK
    check_ops(vid, values, pa.array(values, pa.string()))


texts = st.one_of(st.none(), st.text(alphabet="0123456789ABCDEFXabcx -./\u00e9\u2013", max_size=30),
                  st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=20))


@given(st.sampled_from(IDS), st.lists(texts, max_size=8))
def test_columns_match_single_calls(vid, values):
    check_ops(vid, values, values)                     # a plain list
    check_ops(vid, values, pa.array(values, pa.string_view()))


def luhn_values(n):
    good = [ov.luhn_generate(16) for _ in range(50)]
    pool = good + ["79927398710", "", "12 34", "x", None]
    return [pool[(i * 7919) % len(pool)] for i in range(n)]


VALUES = luhn_values(70_001)
PLAIN = pa.array(VALUES, pa.string())


@pytest.mark.parametrize("make", [
    pytest.param(lambda: PLAIN.cast(pa.large_string()), id="large_utf8"),
    pytest.param(lambda: PLAIN.cast(pa.string_view()), id="utf8_view"),
    pytest.param(lambda: PLAIN.dictionary_encode(), id="dictionary"),
    pytest.param(lambda: pa.chunked_array([PLAIN.slice(0, 12_345), PLAIN.slice(12_345, 0),
                                           PLAIN.slice(12_345)]), id="chunked"),
    pytest.param(lambda: pa.chunked_array([PLAIN.slice(0, 999).dictionary_encode(),
                                           PLAIN.slice(999).dictionary_encode()]), id="chunked_dictionary"),
    pytest.param(lambda: iter(VALUES), id="iterator"),
    pytest.param(lambda: tuple(VALUES), id="tuple"),
])
@pytest.mark.parametrize("threads", [1, 3])
def test_input_forms_and_threads_agree(make, threads):
    for op in ("is_valid", "validate", "compact"):
        ref = getattr(columns, op)("luhn", PLAIN)
        got = getattr(columns, op)("luhn", make(), threads=threads)
        assert pa.array(got).equals(pa.array(ref)), op
    assert ref.null_count == VALUES.count(None)


@pytest.mark.parametrize("offset,length", [(0, 0), (1, 0), (3, 5), (69_990, 11), (17, 50_000)])
def test_slices_read_from_their_offset(offset, length):
    got = columns.validate("luhn", PLAIN.slice(offset, length), threads=2).to_pylist()
    assert got == [expected("validate", "luhn", v) for v in VALUES[offset:offset + length]]


def test_text_that_is_not_utf8_is_invalid_format():
    raw = pa.array([b"7992739871\xff", b"\xc0\xaf", b"\xed\xa0\x80", b"79927398713", None], pa.binary())
    col = raw.view(pa.string())
    assert columns.validate("luhn", col).to_pylist()[:2] == [
        {"valid": False, "compact": None, "code": "INVALID_FORMAT", "message": "value is not valid UTF-8"}] * 2
    assert columns.is_valid("iban", col).to_pylist() == [False, False, False, False, None]
    assert columns.compact("luhn", col).to_pylist() == [None, None, None, "79927398713", None]


def test_results_are_shared_not_copied():
    res = columns.compact("iban", ["GB29 NWBK 6016 1331 9268 19", None])
    a, b = pa.array(res), pa.array(res)
    assert a.buffers()[2].address == b.buffers()[2].address
    del res                                   # exports keep the buffers alive
    assert a.to_pylist() == ["GB29NWBK60161331926819", None]
    assert pa.table(columns.table(ok=columns.is_valid("luhn", ["18", "19"]))).to_pydict() == {"ok": [True, False]}


def test_kernel_runs_without_the_interpreter_lock():
    # With the lock held for the whole call, another thread could run only
    # at its edges (one switch interval, 5 ms); without it, throughout.
    big = pa.array(VALUES * 20)
    ticks = []
    stop = threading.Event()

    def tick():
        while not stop.is_set():
            ticks.append(time.perf_counter())

    t = threading.Thread(target=tick)
    t.start()
    try:
        start = time.perf_counter()
        columns.validate("luhn", big)
        end = time.perf_counter()
    finally:
        stop.set()
        t.join()
    if end - start < 0.03:
        pytest.skip("the call was too quick to tell")
    middle = (start + 0.4 * (end - start), end - 0.4 * (end - start))
    assert any(middle[0] <= x <= middle[1] for x in ticks)


@pytest.mark.parametrize("call,exc,text", [
    (lambda: columns.is_valid("IBAN", ["x"]), KeyError, "unknown validator id: IBAN"),
    (lambda: columns.is_valid("luhn", "79927398713"), TypeError, "not a single str"),
    (lambda: columns.is_valid("luhn", 17), TypeError, "got int"),
    (lambda: columns.is_valid("luhn", ["1", 2]), TypeError, "str or None, not int"),
    (lambda: columns.is_valid("luhn", pa.array([1, 2])), TypeError, "got int64"),
    (lambda: columns.is_valid("luhn", pa.array([b"1"])), TypeError, "got binary"),
    (lambda: columns.is_valid("luhn", pa.array([1]).dictionary_encode()), TypeError,
     "dictionary<values=int64, indices=int32>"),
    (lambda: columns.is_valid("luhn", pa.record_batch({"a": ["1"]})), TypeError, "got struct"),
    (lambda: columns.is_valid("luhn", ["\ud800"]), UnicodeEncodeError, "surrogate"),
    (lambda: columns.is_valid("luhn", ["1"], threads=0), ValueError, "threads must be between 1"),
    (lambda: columns.Column(), TypeError, "cannot create"),
    (lambda: columns.Table(), TypeError, "cannot create"),
    (lambda: columns.table(a=columns.is_valid("luhn", ["1"]), b=columns.is_valid("luhn", [])), ValueError,
     "same length"),
])
def test_misuse_raises(call, exc, text):
    with pytest.raises(exc, match=text):
        call()


def test_null_and_empty_columns():
    assert columns.validate("iban", pa.array([None, None])).to_pylist() == [None, None]
    assert columns.is_valid("iban", pa.array([], pa.string())).to_pylist() == []
    assert len(columns.parse("cz.rc", [])) == 0
