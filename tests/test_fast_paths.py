"""Fast paths against their slow twins, through the installed package.

Short ASCII input is compacted on the stack; anything else takes the full
Unicode rules. A blank of another script (U+00A0) at either end is trimmed
by those rules, so the same value with one added must give the same result
by the other path. Keyword names are matched by identity first; a name
built at run time is not interned and takes the full comparison."""
import string

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

import orvane_vardik as ov

FAST_IDS = ["luhn", "creditcard", "iban", "isin", "lei", "br.cpf",
            "crypto.eth", "crypto.btcbech32", "crypto.btcbase58", "crypto.wallet"]
ASCII = string.digits + string.ascii_letters + " -./\t\r\n\x0b\x0c\x00\x1f\x7f"


def outcome(result):
    return (result.valid, result.compact, result.error and (result.error.code, result.error.message))


def examples(vid):
    return list(ov.validator_metadata(vid).examples)


@settings(max_examples=300, deadline=None)
@given(vid=st.sampled_from(FAST_IDS), data=st.data())
def test_stack_and_unicode_compaction_agree(vid, data):
    base = data.draw(st.sampled_from(examples(vid)) | st.text(ASCII, max_size=50))
    # Separators, blanks, case changes and stray bytes spliced into the value.
    edits = data.draw(st.lists(st.tuples(st.integers(0, 80), st.sampled_from(" -.\t\x00aZ9_")), max_size=4))
    value = base
    for at, ch in edits:
        value = value[:at] + ch + value[at:]
    if data.draw(st.booleans()):
        value = value.lower()
    expected = outcome(ov.validate(vid, value))
    assert outcome(ov.validate(vid, "\u00a0" + value)) == expected
    assert outcome(ov.validate(vid, value + "\u00a0")) == expected


@pytest.mark.parametrize("vid", FAST_IDS)
def test_examples_valid_on_both_paths(vid):
    for value in examples(vid):
        spaced = " ".join(value[i:i + 4] for i in range(0, len(value), 4)) if vid not in (
            "crypto.eth", "crypto.btcbech32", "crypto.btcbase58", "crypto.wallet") else f"  {value} "
        for form in (value, spaced, "\u00a0" + spaced):
            res = ov.validate(vid, form)
            assert res.valid, (vid, form)
            assert res.compact == ov.compact(vid, value)


@pytest.mark.parametrize("call,expected", [
    (lambda: ov.validate(id="luhn", value="79927398713").compact, "79927398713"),
    (lambda: ov.validate("luhn", value="79927398713").compact, "79927398713"),
    # Keyword names that are equal but not the interned objects.
    (lambda: ov.validate(**{"".join(["i", "d"]): "luhn", "".join(["val", "ue"]): "18"}).compact, "18"),
    (lambda: ov.compact("iban", **{"".join(["val", "ue"]): "gb29 nwbk 6016 1331 9268 19"}),
     "GB29NWBK60161331926819"),
    (lambda: ov.generate(**{"".join(["i", "d"]): "luhn"}).isdigit(), True),
])
def test_keywords_bind_by_identity_or_by_value(call, expected):
    assert call() == expected


@pytest.mark.parametrize("call,message", [
    (lambda: ov.validate("luhn", valu="1"), "validate() got an unexpected keyword argument 'valu'"),
    (lambda: ov.validate("luhn", **{"id": "x"}), "validate() got multiple values for argument 'id'"),
    (lambda: ov.validate("luhn", **{"".join(["i", "d"]): "x"}), "validate() got multiple values for argument 'id'"),
    (lambda: ov.validate(value="1"), "validate() missing 1 required positional argument: 'id'"),
])
def test_keyword_errors_unchanged(call, message):
    with pytest.raises(TypeError) as info:
        call()
    assert str(info.value) == message


def test_lookup_finds_every_id_and_nothing_near_it():
    ids = ov.validator_ids()
    known = set(ids)
    for vid in ids:
        assert ov.validator_metadata(vid).id == vid
        for miss in (vid + "x", vid[:-1], " " + vid, vid.upper(), vid + "\x00", vid[1:]):
            if miss in known:
                continue
            with pytest.raises(KeyError) as info:
                ov.validate(miss, "1")
            assert info.value.args[0] == "unknown validator id: " + miss


def test_lei_generator_takes_the_first_passing_suffix():
    for _ in range(200):
        lei = ov.generate("lei")
        assert ov.validate("lei", lei).valid
        assert int(lei[18:]) <= 96
        for k in range(int(lei[18:])):
            assert not ov.validate("lei", f"{lei[:18]}{k:02d}").valid


def test_abn_generator_reaches_every_leading_pair():
    leading = set()
    for _ in range(4000):
        abn = ov.generate("au.abn")
        assert len(abn) == 11 and ov.validate("au.abn", abn).valid
        leading.add(int(abn[:2]))
    # Pairs from 00 to 99: the low ones and those above 88 come from the
    # same remainder, so both halves must show up.
    assert min(leading) <= 10 and max(leading) >= 89
