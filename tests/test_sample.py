"""Sample values of every kind: valid, varied, reproducible from a seed."""
import datetime
import json
import subprocess
import sys
from collections import Counter
from concurrent.futures import ThreadPoolExecutor

import pytest

import orvane_vardik as ov
from orvane_vardik import columns

ALL_IDS = ov.validator_ids()  # documented and extended


@pytest.mark.parametrize("vid", ALL_IDS)
def test_every_id_samples_many_distinct_valid_values(vid):
    values = ov.sample(vid, 10_000, seed=20)
    assert len(values) == 10_000
    invalid = [v for v, r in zip(values, ov.validate_many(vid, values)) if not r.valid]
    assert invalid == []
    assert len(set(values)) >= 1000


@pytest.mark.parametrize("vid", ["iban", "luhn", "be.nn", "cz.rc", "isbn", "crypto.wallet", "mx.curp"])
def test_seed_gives_the_same_values(vid):
    first = ov.sample(vid, 200, seed=7)
    assert ov.sample(vid, 200, seed=7) == first
    assert ov.sample(vid, 50, seed=7) == first[:50]  # a shorter run is a prefix
    assert ov.sample(vid, 200, seed=8) != first
    assert ov.sample(vid, 200, seed=7 + 2**64) == first  # seeds count modulo 2**64
    assert columns.sample(vid, 200, seed=7).to_pylist() == first


# Pinned draws: the generator is the same on every platform and compiler.
@pytest.mark.parametrize("vid, values", [
    ("iban", ["BA393067232507983739", "SC68KQHF44052559511880729851HIK", "QA72IXKJG1PUDMDQ052IXWM6YU916"]),
    ("luhn", ["70172325", "07983710684630", "4405255953"]),
    ("crypto.eth", ["0x0eC81228C63e64418e0CB8eeE15DC5300aA7cF66", "0xA64D316B7a00803d8295f6802121d8d80EBa3bf4",
                    "0xE09420455467Bf58e3695c7507b8Da639C5FBB04"]),
])
def test_pinned_values(vid, values):
    assert ov.sample(vid, 3, seed=2024) == values


def test_without_seed_each_call_draws_afresh():
    assert ov.sample("iban", 20) != ov.sample("iban", 20)


def test_threads_share_the_learned_kinds():
    # The first draws of a kind learn its structure; concurrent first uses
    # must agree with each other.
    with ThreadPoolExecutor(4) as pool:
        runs = list(pool.map(lambda _: ov.sample("ee.ik", 300, seed=3), range(8)))
    assert all(run == runs[0] for run in runs)


# IBAN ------------------------------------------------------------------------

def test_iban_draws_every_country():
    countries = Counter(v[:2] for v in ov.sample("iban", 20_000, seed=4))
    assert len(countries) == 90  # 83 with a layout, 7 known by length only
    assert min(countries.values()) > 100


@pytest.mark.parametrize("country", ["DE", "de", "CR", "RU", "LC", "NO"])
def test_iban_of_one_country(country):
    values = ov.sample("iban", 500, seed=5, country=country)
    assert {v[:2] for v in values} == {country.upper()}
    assert all(r.valid for r in ov.validate_many("iban", values))
    assert len(set(values)) == 500


@pytest.mark.parametrize("vid, country", [("de.vat", "DE"), ("de.vat", "de"), ("cz.rc", "CZ")])
def test_an_id_accepts_its_own_country(vid, country):
    assert len(ov.sample(vid, 10, seed=1, country=country)) == 10


def test_eu_vat_draws_every_member_state():
    prefixes = Counter(v[:2] for v in ov.sample("eu.vat", 5000, seed=6))
    assert len(prefixes) == 27 and "EL" in prefixes and "GR" not in prefixes


@pytest.mark.parametrize("country, prefix", [("GR", "EL"), ("el", "EL"), ("FR", "FR"), ("de", "DE")])
def test_eu_vat_of_one_member_state(country, prefix):
    values = ov.sample("eu.vat", 300, seed=6, country=country)
    assert {v[:2] for v in values} == {prefix}
    assert all(r.valid for r in ov.validate_many("eu.vat", values))


# Personal numbers -------------------------------------------------------------

DATED = [m.id for m in ov.validators() if m.can_parse and m.id not in ("cz.bankaccount",)]


@pytest.mark.parametrize("vid", DATED)
def test_nobody_is_born_after_today(vid):
    # Test data that looks real: no personal number of someone not yet born
    # (nor before 1800). Today is read after drawing, so a midnight passing
    # during the draw cannot fail the test.
    values = ov.sample(vid, 3000, seed=17) + ov.sample(vid, 2000)
    today = datetime.date.today()
    late = []
    for v in values:
        p = ov.parse(vid, v)
        if p is None or not p.birth_year:
            continue
        born = (p.birth_year, p.birth_month or 1, p.birth_day or 1)
        if not (1800, 1, 1) <= born <= (today.year, today.month, today.day):
            late.append((v, born))
    assert late == []


@pytest.mark.parametrize("vid", DATED)
def test_births_spread_over_a_century(vid):
    parsed = [ov.parse(vid, v) for v in ov.sample(vid, 2000, seed=9)]
    years = [p.birth_year for p in parsed if p is not None and p.birth_year]
    if not years:
        pytest.skip(f"{vid} tells no birth year")
    assert max(years) - min(years) >= 70
    # Every month and day (some ids also have codes beyond them, which count
    # as parsed), or a single day where the id tells none.
    assert set(range(1, 13)) <= {p.birth_month for p in parsed if p is not None}
    days = {p.birth_day for p in parsed if p is not None}
    assert len(days) == 1 or set(range(1, 32)) <= days
    genders = Counter(p.gender for p in parsed if p is not None and p.gender is not None)
    if genders:  # both sexes, neither much rarer
        assert min(genders.get("male", 0), genders.get("female", 0)) >= 0.3 * sum(genders.values())


# Errors -------------------------------------------------------------------------

@pytest.mark.parametrize("args, kwargs, error, text", [
    (("iban", -1), {}, ValueError, "at least 0"),
    (("iban", -(2**70)), {}, ValueError, "at least 0"),
    (("iban", 2**62), {}, MemoryError, ""),
    (("iban", 10**30), {}, MemoryError, ""),
    (("no.such.id", 1), {}, KeyError, "no.such.id"),
    (("iban", 1), {"country": "ZZ"}, ValueError, "ZZ"),
    (("iban", 1), {"country": "DEU"}, ValueError, "DEU"),
    (("iban", 1), {"country": ""}, ValueError, "''"),
    (("de.vat", 1), {"country": "FR"}, ValueError, "FR"),
    (("luhn", 1), {"country": "DE"}, ValueError, "DE"),
    (("eu.vat", 1), {"country": "US"}, ValueError, "US"),
    (("iban", "3"), {}, TypeError, "n"),
    (("iban", 3.0), {}, TypeError, "n"),
    (("iban", 3), {"seed": "x"}, TypeError, "seed"),
    (("iban", 3), {"country": 49}, TypeError, ""),
    ((3, 3), {}, TypeError, ""),
])
@pytest.mark.parametrize("fn", [ov.sample, columns.sample])
def test_bad_arguments(fn, args, kwargs, error, text):
    with pytest.raises(error) as info:
        fn(*args, **kwargs)
    assert text in str(info.value)


@pytest.mark.parametrize("vid", ["iban", "luhn", "be.nn"])
def test_zero_values(vid):
    assert ov.sample(vid, 0) == []
    assert len(columns.sample(vid, 0)) == 0


def test_keyword_only_options():
    with pytest.raises(TypeError):
        ov.sample("iban", 3, 5)  # type: ignore[misc]


# Columns ------------------------------------------------------------------------

pa = pytest.importorskip("pyarrow")


@pytest.mark.parametrize("vid", ["luhn", "creditcard", "iban", "pl.pesel"])
def test_column_is_an_arrow_string_column(vid):
    col = columns.sample(vid, 30_000, seed=11)
    arr = pa.array(col)
    assert arr.type == pa.string() and len(arr) == 30_000 and arr.null_count == 0 == col.null_count
    assert pa.array(columns.is_valid(vid, arr)).false_count == 0
    # A stream and a second export read the same shared buffers.
    assert pa.RecordBatchReader.from_stream(pa.table({"v": arr})).read_all()["v"].to_pylist()[:5] == \
        arr.to_pylist()[:5]


# Command line ---------------------------------------------------------------------

def run_cli(*args):
    return subprocess.run([sys.executable, "-m", "orvane_vardik", "sample", *args], capture_output=True, text=True)


@pytest.mark.parametrize("args, expected", [
    (("iban", "-n", "5", "--seed", "3"), ov.sample("iban", 5, seed=3)),
    (("iban", "-n=4", "--seed=3", "--country", "NL"), ov.sample("iban", 4, seed=3, country="NL")),
    # Longer than one block: the blocks join up to the same values.
    (("luhn", "--count", "70000", "--seed", "0x10"), ov.sample("luhn", 70_000, seed=16)),
])
def test_cli_prints_the_sampled_values(args, expected):
    p = run_cli(*args)
    assert (p.returncode, p.stderr) == (0, "")
    assert p.stdout.splitlines() == expected


def test_cli_json_and_csv():
    values = ov.sample("be.nn", 3, seed=1)
    p = run_cli("be.nn", "-n", "3", "--seed", "1", "--json")
    assert [json.loads(line)["value"] for line in p.stdout.splitlines()] == values
    p = run_cli("be.nn", "-n", "3", "--seed", "1", "--csv")
    assert p.stdout.splitlines() == ["value", *values]


@pytest.mark.parametrize("args, message", [
    (("no.such.id",), "unknown validator id: no.such.id"),
    (("iban", "--country", "ZZ"), "'ZZ'"),
    (("iban", "-n", "-3"), "-n needs a whole number"),
    (("iban", "-n"), "-n needs a value"),
    (("iban", "--seed", "x"), "--seed needs a whole number"),
    (("iban", "--json", "--csv"), "cannot be combined"),
    (("iban", "luhn"), "one validator ID only"),
    ((), "no validator ID given"),
    (("iban", "--bogus"), "unknown option"),
])
def test_cli_bad_usage(args, message):
    p = run_cli(*args)
    assert p.returncode == 2 and p.stdout == ""
    assert message in p.stderr and "Traceback" not in p.stderr
    assert "error:" in p.stderr.splitlines()[-1]


def test_cli_closed_pipe_ends_quietly():
    p = subprocess.run(f"{sys.executable} -m orvane_vardik sample luhn -n 1000000 | head -1", shell=True,
                       capture_output=True, text=True)
    assert p.stderr == "" and len(p.stdout.splitlines()) == 1
