"""Malformed Arrow input, built by hand through ctypes: every defect is refused
with ValueError (or TypeError for a type that is not a string type) before
any value is read, and nothing crashes."""
import ctypes
import struct

import pytest
from hypothesis import given, strategies as st

import orvane_vardik as ov

pa = pytest.importorskip("pyarrow")
from orvane_vardik import columns  # noqa: E402


class ArrowSchema(ctypes.Structure):
    pass


class ArrowArray(ctypes.Structure):
    pass


SCHEMA_RELEASE = ctypes.CFUNCTYPE(None, ctypes.POINTER(ArrowSchema))
ARRAY_RELEASE = ctypes.CFUNCTYPE(None, ctypes.POINTER(ArrowArray))
ArrowSchema._fields_ = [
    ("format", ctypes.c_char_p), ("name", ctypes.c_char_p), ("metadata", ctypes.c_char_p),
    ("flags", ctypes.c_int64), ("n_children", ctypes.c_int64), ("children", ctypes.c_void_p),
    ("dictionary", ctypes.POINTER(ArrowSchema)), ("release", SCHEMA_RELEASE), ("private_data", ctypes.c_void_p)]
ArrowArray._fields_ = [
    ("length", ctypes.c_int64), ("null_count", ctypes.c_int64), ("offset", ctypes.c_int64),
    ("n_buffers", ctypes.c_int64), ("n_children", ctypes.c_int64), ("buffers", ctypes.POINTER(ctypes.c_void_p)),
    ("children", ctypes.c_void_p), ("dictionary", ctypes.POINTER(ArrowArray)), ("release", ARRAY_RELEASE),
    ("private_data", ctypes.c_void_p)]


@SCHEMA_RELEASE
def _release_schema(p):
    p.contents.release = SCHEMA_RELEASE()


@ARRAY_RELEASE
def _release_array(p):
    p.contents.release = ARRAY_RELEASE()


_capsule_new = ctypes.pythonapi.PyCapsule_New
_capsule_new.restype = ctypes.py_object
_capsule_new.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_void_p]


def i32(*v):
    return struct.pack(f"<{len(v)}i", *v)


def i64(*v):
    return struct.pack(f"<{len(v)}q", *v)


def view(length, data=b"", buf=0, off=0):
    if length <= 12:
        return struct.pack("<i", length) + data.ljust(12, b"\0")
    return struct.pack("<i4sii", length, data[:4].ljust(4, b"\0"), buf, off)


class Hand:
    """An object exporting one hand-built array through __arrow_c_array__."""

    def __init__(self, fmt, length, buffers, *, offset=0, null_count=0, n_buffers=None, dictionary=None,
                 released_array=False, released_schema=False, array_name=b"arrow_array"):
        self.keep = []
        self.schema = ArrowSchema(format=fmt, name=b"", flags=2, release=SCHEMA_RELEASE()
                                  if released_schema else _release_schema)
        self.array = self._array(length, buffers, offset, null_count, n_buffers)
        if released_array:
            self.array.release = ARRAY_RELEASE()
        if dictionary is not None:
            dfmt, dlen, dbufs = dictionary
            self.dschema = ArrowSchema(format=dfmt, name=b"", flags=2, release=_release_schema)
            self.darray = self._array(dlen, dbufs, 0, 0, None)
            self.schema.dictionary = ctypes.pointer(self.dschema)
            self.array.dictionary = ctypes.pointer(self.darray)
        self.array_name = array_name

    def _array(self, length, buffers, offset, null_count, n_buffers):
        ptrs = (ctypes.c_void_p * max(len(buffers), 1))()
        for i, b in enumerate(buffers):
            if b is not None:
                cb = ctypes.create_string_buffer(b, len(b) + 8)
                self.keep.append(cb)
                ptrs[i] = ctypes.addressof(cb)
        self.keep.append(ptrs)
        return ArrowArray(length=length, null_count=null_count, offset=offset,
                          n_buffers=len(buffers) if n_buffers is None else n_buffers,
                          buffers=ctypes.cast(ptrs, ctypes.POINTER(ctypes.c_void_p)), release=_release_array)

    def __arrow_c_array__(self, requested_schema=None):
        return (_capsule_new(ctypes.addressof(self.schema), b"arrow_schema", None),
                _capsule_new(ctypes.addressof(self.array), self.array_name, None))


UTF8 = [None, i32(0, 2, 11), b"1879927398713"]   # "18", "799273987"

MALFORMED = [
    # (case, Hand arguments, exception, message)
    ("decreasing offsets", (b"u", 2, [None, i32(0, 5, 3), b"12345"]), ValueError, "outside the data buffer"),
    ("negative offset", (b"u", 1, [None, i32(-4, 2), b"12"]), ValueError, "outside the data buffer"),
    ("large decreasing", (b"U", 2, [None, i64(0, 4, 2), b"1234"]), ValueError, "outside the data buffer"),
    ("offset beyond slice end", (b"u", 1, [None, i32(0, 2, 1), b"12"], {"offset": 1}), ValueError,
     "outside the data buffer"),
    ("view buffer index", (b"vu", 1, [None, view(13, b"1234", buf=1), b"1" * 13, i64(13)]), ValueError,
     "outside the data buffers"),
    ("view past its buffer", (b"vu", 1, [None, view(13, b"1234", off=5), b"1" * 13, i64(13)]), ValueError,
     "outside the data buffer"),
    ("view negative length", (b"vu", 1, [None, view(-1), i64()]), ValueError, "negative length"),
    ("dictionary index", (b"i", 2, [None, i32(0, 5)], {"dictionary": (b"u", *UTF8[:0], 2, UTF8)}), ValueError,
     "dictionary index out of range"),
    ("negative dictionary index", (b"c", 1, [None, b"\xff"], {"dictionary": (b"u", 2, UTF8)}), ValueError,
     "dictionary index out of range"),
    ("negative length", (b"u", -1, UTF8), ValueError, "negative"),
    ("length overflow", (b"u", 2**62, UTF8, {"offset": 2**62}), ValueError, "overflow"),
    ("nulls without bitmap", (b"u", 2, UTF8, {"null_count": 1}), ValueError, "validity"),
    ("too few buffers", (b"u", 2, UTF8, {"n_buffers": 2}), ValueError, "buffers"),
    ("missing offsets", (b"u", 2, [None, None, b"12"]), ValueError, "offsets"),
    ("missing data", (b"u", 2, [None, i32(0, 1, 2), None]), ValueError, "data buffer"),
    ("released array", (b"u", 2, UTF8, {"released_array": True}), ValueError, "released or consumed"),
    ("released schema", (b"u", 2, UTF8, {"released_schema": True}), ValueError, "released or consumed"),
    ("wrong capsule name", (b"u", 2, UTF8, {"array_name": b"arrow_stream"}), ValueError, "name"),
    ("int64", (b"l", 1, [None, i64(5)]), TypeError, "got int64"),
    ("timestamp", (b"tsu:UTC", 1, [None, i64(5)]), TypeError, "got Arrow type 'tsu:UTC'"),
    ("dictionary of ints", (b"i", 1, [None, i32(0)], {"dictionary": (b"l", 1, [None, i64(7)])}), TypeError,
     "dictionary<values=int64, indices=int32>"),
    ("float dictionary index", (b"g", 1, [None, i64(0)], {"dictionary": (b"u", 2, UTF8)}), TypeError,
     "values=utf8, indices=float64"),
]


@pytest.mark.parametrize("case,args,exc,text", MALFORMED, ids=[m[0] for m in MALFORMED])
def test_malformed_arrays_are_refused(case, args, exc, text):
    kwargs = args[3] if len(args) > 3 else {}
    with pytest.raises(exc, match=text):
        columns.validate("luhn", Hand(*args[:3], **kwargs))


def test_hand_built_array_is_read():
    assert columns.validate("luhn", Hand(b"u", 2, UTF8)).to_pylist()[0]["valid"] is True
    assert columns.is_valid("luhn", Hand(b"u", 1, UTF8, offset=1)).to_pylist() == [False]
    views = [None, view(2, b"18") + view(13, b"7992", off=0), b"7992739871300", i64(13)]
    assert columns.compact("luhn", Hand(b"vu", 2, views)).to_pylist() == ["18", "7992739871300"]


class Reused:
    """Hands out the same capsules twice: the second reader finds them consumed."""

    def __init__(self, arrow_obj, method):
        self.capsules = getattr(arrow_obj, method)()
        setattr(self, method, lambda requested_schema=None: self.capsules)


@pytest.mark.parametrize("method", ["__arrow_c_array__", "__arrow_c_stream__"])
def test_consumed_capsules_are_refused(method):
    obj = Reused(pa.chunked_array([pa.array(["18", None])]) if "stream" in method else pa.array(["18", None]),
                 method)
    assert columns.is_valid("luhn", obj).to_pylist() == [True, None]
    with pytest.raises(ValueError, match="released or consumed"):
        columns.is_valid("luhn", obj)


@pytest.mark.parametrize("result", [None, (1, 2), ("a",), "capsule"])
def test_non_capsule_results_are_refused(result):
    class Odd:
        def __arrow_c_array__(self, requested_schema=None):
            return result

    with pytest.raises(ValueError):
        columns.is_valid("luhn", Odd())


@given(st.lists(st.integers(-3, 12), min_size=1, max_size=8), st.integers(0, 3))
def test_fuzzed_offsets_refused_or_read_exactly(offsets, offset):
    length = len(offsets) - 1 - offset
    if length < 0:
        return
    data = b"7992739871300"[:max(max(offsets), 0)]
    hand = Hand(b"u", length, [None, i32(*offsets), data], offset=offset)
    window = offsets[offset:]
    sound = length == 0 or window[0] >= 0 and all(a <= b for a, b in zip(window, window[1:]))
    if not sound:
        with pytest.raises(ValueError, match="outside the data buffer"):
            columns.is_valid("luhn", hand)
        return
    values = [data[a:b].decode() for a, b in zip(window, window[1:])]
    assert columns.is_valid("luhn", hand).to_pylist() == [ov.validate("luhn", v).valid for v in values]


@given(st.lists(st.tuples(st.integers(-2, 20), st.integers(-1, 2), st.integers(-2, 20)), min_size=1, max_size=6))
def test_fuzzed_views_refused_or_read_exactly(views):
    data = b"79927398713000001234"[:16]
    hand = Hand(b"vu", len(views), [None, b"".join(view(n, data[:max(n, 0)], b, o) for n, b, o in views), data,
                                    i64(16)])
    sound = all(0 <= n <= 12 or (n > 12 and b == 0 and 0 <= o and o + n <= 16) for n, b, o in views)
    if not sound:
        with pytest.raises(ValueError, match="string view"):
            columns.is_valid("luhn", hand)
        return
    values = [(data[:n] if n <= 12 else data[o:o + n]).decode() for n, b, o in views]
    assert columns.is_valid("luhn", hand).to_pylist() == [ov.validate("luhn", v).valid for v in values]


@given(st.lists(st.integers(-128, 127), max_size=6), st.sampled_from([b"c", b"C", b"s", b"i", b"L"]))
def test_fuzzed_dictionary_indices_refused_or_mapped(indices, fmt):
    width = {b"c": 1, b"C": 1, b"s": 2, b"i": 4, b"L": 8}[fmt]
    raw = b"".join(i.to_bytes(width, "little", signed=True) for i in indices)
    hand = Hand(fmt, len(indices), [None, raw], dictionary=(b"u", 2, UTF8))
    unsigned = fmt.isupper()
    decoded = [i % (1 << 8 * width) if unsigned else i for i in indices]
    if any(not 0 <= i < 2 for i in decoded):
        with pytest.raises(ValueError, match="dictionary index out of range"):
            columns.is_valid("luhn", hand)
        return
    assert columns.compact("luhn", hand).to_pylist() == [["18", "799273987"][i] for i in decoded]
