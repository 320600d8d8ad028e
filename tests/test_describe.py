"""What a value means: describe() over the registry tables, the tables
themselves (shipped and loaded from a newer file), the command line, and the
ISBN hyphenation, labels and samples that the ISBN ranges drive."""
import datetime
import json
import subprocess
import sys

import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import facts

# ISBNs as their publishers print them, hyphenated by the agency's ranges.
ISBNS = [
    ("978-0-306-40615-7", "0", "English language", "306", "40615"),
    ("0-306-40615-2", "0", "English language", "306", "40615"),
    ("978-92-95055-02-5", "92", "International NGO Publishers and EU Organizations", "95055", "02"),
    ("0-8044-2957-X", "0", "English language", "8044", "2957"),
    ("978-3-16-148410-0", "3", "German language", "16", "148410"),
    ("978-1-56619-909-4", "1", "English language", "56619", "909"),
    ("979-10-90636-07-1", "10", "France", "90636", "07"),
]


@pytest.mark.parametrize("printed,group,agency,registrant,publication", ISBNS)
def test_isbn_elements_and_hyphenation(printed, group, agency, registrant, publication):
    compact = printed.replace("-", "")
    d = ov.describe("isbn", compact)
    assert (d["group"], d["registrant"], d["publication"]) == (group, registrant, publication)
    assert d["agency"].startswith(agency.split()[0])
    assert d["prefix"] == (compact[:3] if len(compact) == 13 else "978")
    assert d["check_digit"] == compact[-1]
    assert d["formatted"] == printed == ov.format("isbn", compact) == ov.format("isbn", printed)
    # compact stays compact
    assert ov.compact("isbn", printed) == compact


def test_isbn_outside_the_ranges_keeps_its_compact_form():
    # 978-611 (Thailand) has no registrant ranges; 979-0 is music, not an ISBN.
    value = "978611" + "000000"
    value += ov.checkdigits.gs1_calculate(value)
    d = ov.describe("isbn", value)
    assert d["group"] == "611" and d["registrant"] is None and d["publication"] is None
    assert d["formatted"] == value == ov.format("isbn", value)


LABELLED = [
    ("ISBN-10: 0-306-40615-2", "0306406152"),
    ("ISBN-13: 978-0-306-40615-7", "9780306406157"),
    ("ISBN 13: 978-0-306-40615-7", "9780306406157"),
    ("isbn13: 9780306406157", "9780306406157"),
    ("ISBN: 0306406152", "0306406152"),
    ("ISBN : 0306406152", "0306406152"),
    ("  ISBN10: 0306406152", "0306406152"),
    ("ISBN 978-0-306-40615-7", "9780306406157"),  # as before
]


@pytest.mark.parametrize("text,compact", LABELLED)
def test_isbn_labels(text, compact):
    r = ov.validate("isbn", text)
    assert r.valid and r.compact == compact
    assert ov.compact("isbn", text) == compact
    assert ov.check("isbn", text) == compact
    assert ov.format("isbn", text) == ov.format("isbn", compact)


def test_isbn_label_does_not_hide_faults():
    with pytest.raises(ov.InvalidChecksum):
        ov.check("isbn", "ISBN-10: 0-306-40615-3")
    # Without a colon only the bare word is read, as before.
    for text in ["ISBN-10:", "ISBN-10: ", "ISBN-1O: 0306406152", "ISBN-10:: 0306406152", "ISBN-14: 0306406152",
                 "ISBN-13 9780306406157", "ISBN10 0306406152"]:
        assert not ov.validate("isbn", text).valid, text


def test_isbn_samples_and_generated_values_lie_in_assigned_ranges():
    values = ov.sample("isbn", 1000, seed=7) + [ov.generate("isbn") for _ in range(300)]
    assert len(set(values)) >= 0.95 * len(values)
    assert {len(v) for v in values} == {10, 13}
    for v in values:
        d = ov.describe("isbn", v)
        assert d is not None and d["registrant"] is not None, v
        assert d["formatted"].count("-") == (3 if len(v) == 10 else 4)


def test_imsi():
    d = ov.describe("imsi", "234150999999999")
    assert d == {"id": "imsi", "compact": "234150999999999", "country": "GB", "mcc": "234", "mnc": "15",
                 "country_name": "United Kingdom", "operator": "Vodafone", "brand": "Vodafone UK"}
    # Three-digit network codes (North America).
    d = ov.describe("imsi", "310150123456789")
    assert d["mnc"] == "150" and d["country"] == "US"
    # A country code no table lists: the MCC alone.
    d = ov.describe("imsi", "100990123456789")
    assert d["mcc"] == "100" and d["mnc"] is None and d["operator"] is None and d["country"] is None


def test_mac():
    d = ov.describe("mac", "00:00:0C:12:34:56")
    assert d["vendor"] == "Cisco Systems, Inc" and d["block"] == "00000C"
    assert d["multicast"] is False and d["locally_administered"] is False
    # A multicast group address and a locally administered one.
    d = ov.describe("mac", "01-00-5E-00-00-FB")
    assert d["multicast"] is True and d["locally_administered"] is False
    d = ov.describe("mac", "02-00-0C-00-00-01")
    assert d["locally_administered"] is True and d["vendor"] is None and d["block"] is None


def test_mac_longer_blocks_win():
    # A 36-bit block inside an OUI shared by many small assignments.
    text = facts._HERE + "/mac-vendors.tsv"
    with open(text, encoding="utf-8") as f:
        rows = [line.split("\t") for line in f if not line.startswith("#")][1:]
    block, vendor = next((p, v.strip()) for p, v in rows if len(p) == 9 and "," not in p and "-" not in p)
    d = ov.describe("mac", block + "123")
    assert d["block"] == block and d["vendor"] == vendor


def test_isil():
    d = ov.describe("isil", "DK-710100")
    assert d["country"] == "DK" and d["prefix"] == "DK" and d["country_name"] == "Denmark"
    assert "Danish" in d["agency"]
    d = ov.describe("isil", "US-DLC")
    assert d["agency"] == "Library of Congress"


def test_birth_data_and_issuing_country():
    assert ov.describe("ee.ik", "36805280109") == {
        "id": "ee.ik", "compact": "36805280109", "country": "EE",
        "birth_date": datetime.date(1968, 5, 28), "gender": "male"}
    assert ov.describe("iban", "GB29 NWBK 6016 1331 9268 19")["country"] == "GB"
    assert ov.describe("de.idnr", "36574261809") == {"id": "de.idnr", "compact": "36574261809", "country": "DE"}
    assert ov.describe("isin", "US0378331005")["country"] == "US"
    assert ov.describe("lei", "5493001KJTIIGC8Y1R12")["country"] is None


def test_every_kind_describes_its_examples():
    for id in ov.validator_ids():
        for example in ov.validator_metadata(id).examples:
            d = ov.describe(id, example)
            assert d is not None and d["id"] == id and d["compact"] == ov.validate(id, example).compact, id
            assert d["country"] is None or (len(d["country"]) == 2 and d["country"].isupper()), id


def test_gs1_128_elements():
    # GS1's own example of a logistic label: SSCC, then GTIN, date and batch.
    d = ov.describe("gs1_128", "(01)09501101020917(17)190508(10)ABC123")
    assert [(e["ai"], e["value"]) for e in d["elements"]] == [
        ("01", "09501101020917"), ("17", "190508"), ("10", "ABC123")]
    assert all(e["name"] for e in d["elements"])


def test_bad_input():
    assert ov.describe("isbn", "978-0-306-40615-8") is None
    assert ov.describe("isbn", "ISBN-10:") is None
    for value in ["", " ", "\x00", "\ud800", "é" * 100, "9" * 1_000_000]:
        for id in ("isbn", "imsi", "mac", "isil", "iban", "ee.ik"):
            assert ov.describe(id, value) is None
    with pytest.raises(KeyError, match="unknown validator id"):
        ov.describe("isbm", "9780306406157")
    for args in [(None, "1"), ("isbn", None), ("isbn", b"9780306406157"), (["isbn"], "1")]:
        with pytest.raises(TypeError):
            ov.describe(*args)
    with pytest.raises(TypeError):
        ov.describe("isbn")


@given(st.text(max_size=40))
def test_any_text_gives_a_result(value):
    for id in ("isbn", "imsi", "mac", "isil", "bg.egn"):
        d = ov.describe(id, value)
        assert d is None or d["compact"] == ov.validate(id, value).compact


# ---- the tables ---------------------------------------------------------------------

def test_shipped_tables_name_source_and_snapshot():
    for name in facts.TABLES:
        info = facts.table_info(name)
        assert info["rows"] > 0 and info["source"]
        datetime.date.fromisoformat(info["snapshot"])
    assert facts.table_info("isbn-ranges")["snapshot"] == "2026-01-04"


@pytest.fixture
def restore_tables():
    yield
    for name in facts.TABLES:
        facts.load_table(name)


def test_a_newer_file_replaces_a_table(tmp_path, restore_tables):
    networks = tmp_path / "networks.tsv"
    networks.write_text("# a newer list | https://example.org\n# snapshot: 2030-01-01\n"
                        "mcc\tmnc\tcountry_code\tcountry\toperator\tbrand\tstatus\n"
                        "234\t15\tgb\tUnited Kingdom\tNew Operator\tNew\tOperational\n", encoding="utf-8")
    info = facts.load_table("mobile-network-codes", networks)
    assert info["rows"] == 1 and info["snapshot"] == "2030-01-01" and "newer list" in info["source"]
    assert ov.describe("imsi", "234150999999999")["operator"] == "New Operator"
    # ISBN ranges: a group moved to another registrant layout.
    ranges = tmp_path / "ranges.tsv"
    ranges.write_text("prefix\tgroup\tagency\tregistrant_ranges\n978\t*\tgroups\t0-5\n"
                      "978\t0\tTest agency\t00-99\n", encoding="utf-8")
    facts.load_table("isbn-ranges", ranges)
    d = ov.describe("isbn", "9780306406157")
    assert (d["agency"], d["registrant"], d["formatted"]) == ("Test agency", "30", "978-0-30-640615-7")
    assert ov.format("isbn", "9780306406157") == "978-0-306-40615-7"  # format keeps the built-in ranges


@pytest.mark.parametrize(
    "name,text,match",
    [
        ("mac-vendors", "prefixes\tvendor\nZZZZZZ\tBad\n", "bad block"),
        ("mac-vendors", "prefixes\tvendor\n000000-FFFFFF\tHuge\n", "bad block"),
        ("isbn-ranges", "prefix\tgroup\tagency\tregistrant_ranges\n978\t0\tx\t19-00\n", "bad range"),
        ("isbn-ranges", "prefix\tgroup\tagency\tregistrant_ranges\n978\tAB\tx\t00-19\n", "bad registration group"),
        ("isil-agencies", "prefix\tagency\nDK\tx\n", "no column country"),
        ("isil-agencies", "# only a comment\n", "no header"),
        # Rows that all fail to read once replaced the table with an empty one.
        ("mobile-network-codes", "mcc\tmnc\tcountry_code\tcountry\toperator\tbrand\nabc\t15\tgb\tUK\tVF\tVF\n",
         "no row"),
        ("mac-vendors", "prefixes\tvendor\n", "no row"),
    ],
)
def test_a_bad_file_is_refused_and_the_table_kept(tmp_path, restore_tables, name, text, match):
    before = ov.describe("mac", "00000C123456"), ov.describe("imsi", "234150999999999")
    path = tmp_path / "t.tsv"
    path.write_text(text, encoding="utf-8")
    with pytest.raises(ValueError, match=match):
        facts.load_table(name, path)
    assert (ov.describe("mac", "00000C123456"), ov.describe("imsi", "234150999999999")) == before
    with pytest.raises(KeyError):
        facts.load_table("bank-codes")
    with pytest.raises(OSError):
        facts.load_table(name, tmp_path / "missing.tsv")


def test_generated_tables_are_current():
    # The shipped ISBN table and the one format() was built with agree.
    for value in ov.sample("isbn", 300, seed=11):
        assert ov.describe("isbn", value)["formatted"] == ov.format("isbn", value)


# ---- the command line -----------------------------------------------------------------

def run(*args):
    return subprocess.run([sys.executable, "-m", "orvane_vardik", "describe", *args],
                          capture_output=True, text=True, timeout=60)


def test_command_line():
    p = run("isbn", "978-0-306-40615-7")
    assert p.returncode == 0 and "\nformatted:   978-0-306-40615-7\n" in p.stdout
    p = run("ee.ik", "36805280109", "--json")
    assert p.returncode == 0 and json.loads(p.stdout)["birth_date"] == "1968-05-28"
    p = run("isbn", "978-0-306-40615-8")
    assert p.returncode == 1 and "not a valid isbn" in p.stderr and not p.stdout
    p = run("isbm", "1")
    assert p.returncode == 2 and "unknown validator id" in p.stderr
    assert run("isbn").returncode == 2 and run("--bogus", "isbn", "1").returncode == 2
    assert run("--help").returncode == 0
    p = run("mac", "--", "-00-00-0C-12-34-56")
    assert p.returncode in (0, 1) and "Traceback" not in p.stderr


@pytest.mark.parametrize("id, value, country", [
    ("vat", "DE136695976", "DE"),
    ("vat", "EL094259216", "GR"),
    ("eu.at_02", "DE98ZZZ09999999999", "DE"),
    ("eu.excise", "FR023004N0001", "FR"),
])
def test_country_from_the_value_of_kinds_of_several_countries(id, value, country):
    assert ov.describe(id, value)["country"] == country


def test_a_group_address_belongs_to_its_blocks_holder():
    # 01-00-5E is the group address space of block 00-00-5E; bit 0 marks a group.
    unicast, group = ov.describe("mac", "00:00:5E:00:00:01"), ov.describe("mac", "01:00:5E:00:00:01")
    assert unicast["vendor"] and group["vendor"] == unicast["vendor"] and group["block"] == unicast["block"]
    assert group["multicast"] and not unicast["multicast"]
