"""columns.find and columns.redact agree with find and redact."""
import pyarrow as pa
import pytest

import orvane_vardik as ov
from orvane_vardik import columns

TEXTS = [
    "IBAN DE89 3704 0044 0532 0130 00 and card 4111-1111-1111-1111",
    None,
    "",
    "Zürich 数据 𝄞 PESEL 44051401359 ✓",
    "nothing to see",
    "TIN 1234567890, ISIN US0378331005",
]


def _expected(text, **kw):
    if text is None:
        return None
    return [
        {"id": m.id, "start": m.start, "end": m.end, "compact": m.compact, "valid": m.valid, "confidence": m.confidence}
        for m in ov.find(text, **kw)
    ]


@pytest.mark.parametrize(
    "column",
    [
        TEXTS,
        pa.array(TEXTS),
        pa.array(TEXTS, pa.large_string()),
        pa.chunked_array([TEXTS[:2], TEXTS[2:]]),
        pa.array(TEXTS).dictionary_encode(),
    ],
    ids=["list", "utf8", "large_utf8", "chunked", "dictionary"],
)
def test_find_column_agrees_with_find(column):
    got = pa.array(columns.find(column)).to_pylist()
    assert got == [_expected(t) for t in TEXTS]


@pytest.mark.parametrize(
    "kw",
    [{"ids": ["iban"]}, {"countries": ["PL"]}, {"min_confidence": "shape"}, {"include_invalid": True}],
)
def test_find_column_options(kw):
    assert pa.array(columns.find(TEXTS, **kw)).to_pylist() == [_expected(t, **kw) for t in TEXTS]


def test_redact_column_agrees_with_redact():
    got = pa.array(columns.redact(pa.array(TEXTS))).to_pylist()
    assert got == [None if t is None else ov.redact(t) for t in TEXTS]


def test_threads_give_the_same_result():
    many = TEXTS * 400
    one = pa.array(columns.find(many)).to_pylist()
    assert pa.array(columns.find(many, threads=2)).to_pylist() == one
    assert pa.array(columns.redact(many, threads=2)).to_pylist() == [None if t is None else ov.redact(t) for t in many]


def test_result_type_and_length():
    res = columns.find(TEXTS)
    assert len(res) == len(TEXTS)
    arr = pa.array(res)
    assert arr.type == pa.list_(
        pa.struct(
            [("id", pa.string()), ("start", pa.int64()), ("end", pa.int64()), ("compact", pa.string()),
             ("valid", pa.bool_()), ("confidence", pa.string())]
        )
    )
    assert arr.null_count == 1


def test_invalid_utf8_rows_are_null():
    col = pa.array([b"4111 1111 1111 1111", b"\xff\xfe 4111 1111 1111 1111"], pa.binary()).cast(pa.string(), safe=False)
    assert pa.array(columns.find(col)).to_pylist()[1] is None
    assert pa.array(columns.redact(col)).to_pylist() == ["**** **** **** ****", None]


@pytest.mark.parametrize(
    "call, exc",
    [
        (lambda: columns.find(TEXTS, ids=["nope"]), KeyError),
        (lambda: columns.find(TEXTS, countries=["XX"]), ValueError),
        (lambda: columns.redact(TEXTS, threads=0), ValueError),
        (lambda: columns.find(pa.array([1, 2])), TypeError),
    ],
)
def test_bad_arguments(call, exc):
    with pytest.raises(exc):
        call()
