"""The bank behind an IBAN: the directory, national check digits, IBANs built
from domestic data, realistic samples, and a newer directory loaded at run
time."""
import json
import re
import subprocess
import sys
from pathlib import Path

import pyarrow as pa
import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import banks, columns

from test_iban_parts import REGISTRY_EXAMPLES

PACKAGED = Path(ov.__file__).parent / "_tables" / "banks.tsv"

# The 45 countries of the directory; Saudi Arabia's rows are BICs without bank codes.
DIRECTORY_COUNTRIES = ("AD AE AT BA BE BG CH CR CY CZ DE DK EE ES FI FR GB GE GR HR HU IE IL IS IT KZ LI LT LU "
                       "LV MC MD ME NL NO PL PT RO RS SE SI SK TR UA").split()

# Countries whose BBANs carry national check digits, and the BBAN position of
# one check character (changing it alone must be caught).
CHECKED = {"AL": 7, "BA": 15, "BE": 11, "CZ": 19, "EE": 15, "ES": 9, "FI": 13, "FR": 22, "HR": 16, "HU": 23,
           "IS": 20, "IT": 0, "MC": 22, "ME": 17, "MK": 14, "MR": 22, "NO": 10, "PL": 7, "PT": 20, "RS": 17,
           "SI": 14, "SK": 19, "SM": 0, "TL": 18, "TN": 19}


def with_bban(country, bban):
    """The IBAN of a BBAN, its check digits computed (ISO 7064 MOD 97-10)."""
    number = int("".join(str(int(c, 36)) for c in bban + country + "00"))
    return f"{country}{98 - number % 97:02d}{bban}"


@pytest.fixture
def packaged_directory():
    yield
    ov.load_bank_directory(PACKAGED)


# --- the directory --------------------------------------------------------------

@pytest.mark.parametrize("iban, name, bic", [
    ("DE89370400440532013000", "Commerzbank", "COBADEFFXXX"),
    ("GB29NWBK60161331926819", "NATIONAL WESTMINSTER BANK PUBLIC LIMITED COMPANY", "NWBKGB2LXXX"),
    ("FR1420041010050500013M02606", "LA BANQUE POSTALE", "PSSTFRPP"),
    ("ES9121000418450200051332", "CAIXABANK, S.A.", "CAIXESBB"),
    ("AT611904300234573201", None, None),  # a code the directory does not list
    ("AZ21NABZ00000000137010001944", None, None),  # a country it does not cover
])
def test_bank_of_an_iban(iban, name, bic):
    p = ov.iban_parts(iban)
    assert (p.bank_name, p.bic) == (name, bic)
    assert (p.bank_short_name is None) == (name is None)


def test_bank_code_keyed_by_more_than_the_registry_bank_identifier():
    # Slovenia's directory keys banks by bank and branch (five digits).
    p = ov.iban_parts("SI56191000000123438")
    assert (p.bank_code, p.branch_code) == ("19", "100")
    assert p.bic == "SZKBSI2XXXX"


def test_bank_of_a_bic():
    b = ov.bank(" cobadeff ")
    assert b is not None
    assert (b.bic, b.country, b.location_code, b.branch_code) == ("COBADEFF", "DE", "FF", None)
    assert "37040044" in b.bank_codes and b.name.startswith("Commerzbank")
    # The eight-character BIC and its XXX form are one bank.
    assert ov.bank("COBADEFFXXX").bank_codes == b.bank_codes
    branch = ov.bank("DEUTDEDB644")
    assert branch is not None and branch.branch_code == "644"
    for nothing in ("", "COBADEFF1", "ZZZZZZZZ", "COBA DEFF XX", "\ud800" * 8, "é" * 8):
        assert ov.bank(nothing) is None
    with pytest.raises(TypeError):
        ov.bank(None)


def test_bic_candidates():
    # The head-office BIC first, then the code's other BICs once each.
    cands = ov.bic_candidates("FR", "20041")
    assert cands[0] == "PSSTFRPP" and len(cands) == len(set(cands)) > 10
    assert ov.bic_candidates("de", "37040044") == ["COBADEFFXXX"]
    assert ov.bic_candidates("DE", "00000000") == []
    assert ov.bic_candidates("", "") == [] and ov.bic_candidates("\ud800", "x") == []
    assert ov.iban_parts("DE89370400440532013000").bic == ov.bic_candidates("DE", "37040044")[0]


def test_directory_facts():
    d = ov.bank_directory()
    assert d.rows == 29588 and re.fullmatch(r"\d{4}-\d\d-\d\d", d.snapshot)
    assert "Bundesbank" in d.source and Path(d.path).name == "banks.tsv"
    header = PACKAGED.read_text(encoding="utf-8").splitlines()[:3]
    assert header[0].startswith("# source: ") and header[1] == f"# snapshot: {d.snapshot}"
    # Every covered country has banks to draw from.
    assert ov.bank("AAALSARI").country == "SA"
    for c in DIRECTORY_COUNTRIES:
        assert ov.iban_parts(ov.sample("iban", 1, seed=3, country=c)[0]).bank_name is not None, c


# --- a newer directory ----------------------------------------------------------

HEADER = "# source: test\n# snapshot: 2030-01-02\ncountry\tbank_code\tbic\tname\tshort_name\tprimary\tde_check_method\n"


def test_load_a_newer_directory(tmp_path, packaged_directory):
    f = tmp_path / "banks.tsv"
    f.write_bytes((HEADER + "DE\t37040044\tTESTDEFFXXX\tTest Bank\t\t1\t09\r\n"
                   "DE\t37040044\tTESTDEFF123\tTest Bank Branch\tTB\t0\t09\n\n").encode())
    info = ov.load_bank_directory(f)
    assert (info.rows, info.snapshot, info.source) == (2, "2030-01-02", "test")
    p = ov.iban_parts("DE89370400440532013000")
    assert (p.bank_name, p.bank_short_name, p.bic) == ("Test Bank", "Test Bank", "TESTDEFFXXX")
    assert p.national_check is True  # method 09: no check
    assert ov.iban_parts("GB29NWBK60161331926819").bank_name is None
    assert ov.bic_candidates("DE", "37040044") == ["TESTDEFFXXX", "TESTDEFF123"]
    assert columns.iban_parts(["DE89370400440532013000"]).to_pylist()[0]["bic"] == "TESTDEFFXXX"
    # Only the columns named in the header count, in any order; others are ignored.
    f.write_text("# x\nname\textra\tbic\tbank_code\tcountry\nOther\t?\t\t37040044\tDE\n", encoding="utf-8")
    ov.load_bank_directory(str(f))
    p = ov.iban_parts("DE89370400440532013000")
    assert (p.bank_name, p.bic, p.national_check) == ("Other", None, None)


@pytest.mark.parametrize("body, line, reason", [
    ("", 1, "no header line"),
    ("# only comments\n", 1, "no header line"),
    ("country\tbank_code\tbic\n", 1, "no column 'name'"),
    ("country\tbank_code\tbic\tname\tname\n", 1, "twice"),
    (HEADER + "DE\t1\t\tA\t\t1\t\n" + "DE\t2\t\tB\n", 5, "4 fields"),
    (HEADER + "D\t1\t\tA\t\t1\t\n", 4, "country 'D'"),
    (HEADER + "DE\t12-4\t\tA\t\t1\t\n", 4, "bank code '12-4'"),
    (HEADER + "DE\t1\tCOBADEF\tA\t\t1\t\n", 4, "'COBADEF' is not a BIC"),
    (HEADER + "DE\t1\tCOBA12FF\tA\t\t1\t\n", 4, "is not a BIC"),
    (HEADER + "DE\t1\t\t\t\t1\t\n", 4, "no name"),
    (HEADER + "DE\t1\t\tA\t\tyes\t\n", 4, "primary is 'yes'"),
    (HEADER + "DE\t1\t\tA\t\t1\t123\n", 4, "check method '123'"),
    (HEADER + "DE\t1\t\tA\t\t1\t\nDE\t2\t\t\xff\n", 5, "not UTF-8"),
])
def test_malformed_directory_names_its_line_and_keeps_the_one_in_use(tmp_path, packaged_directory, body, line,
                                                                    reason):
    f = tmp_path / "bad.tsv"
    f.write_bytes(body.encode("utf-8", "surrogateescape") if "\xff" not in body
                  else body.replace("\xff", "").encode() + b"")
    if "\xff" in body:
        f.write_bytes(body.split("\xff")[0].encode() + b"\xff\n")
    before = ov.bank_directory()
    with pytest.raises(ValueError, match=rf"line {line}: .*{re.escape(reason)}"):
        ov.load_bank_directory(f)
    assert ov.bank_directory() == before
    assert ov.iban_parts("DE89370400440532013000").bic == "COBADEFFXXX"


def test_unreadable_directory(tmp_path, packaged_directory):
    with pytest.raises(FileNotFoundError):
        ov.load_bank_directory(tmp_path / "missing.tsv")
    with pytest.raises(OSError):
        ov.load_bank_directory(tmp_path)  # a directory
    with pytest.raises(TypeError):
        ov.load_bank_directory(3)  # type: ignore[arg-type]
    assert ov.bank_directory().rows == 29588


def test_generated_table_matches_the_generator():
    # The shipped table is what the generator writes from the published file.
    here = Path(__file__).resolve()
    sources = [p / "shared" / "data" / "banks.tsv" for p in here.parents[2:4]]
    source = next((p for p in sources if p.exists()), sources[0])
    script = here.parents[1] / "scripts" / "gen_bank_directory.py"
    if not source.exists() or not script.exists():
        pytest.skip("the published directory is not at hand")
    out = Path(PACKAGED).read_text(encoding="utf-8")
    snapshot = re.search(r"^# snapshot: (\S+)$", out, re.M).group(1)
    import tempfile

    with tempfile.TemporaryDirectory() as tmp:
        target = Path(tmp) / "banks.tsv"
        subprocess.run([sys.executable, str(script), str(source), "--snapshot", snapshot, "--out", str(target)],
                       check=True, capture_output=True)
        assert target.read_text(encoding="utf-8") == out


# --- national check digits ------------------------------------------------------

@pytest.mark.parametrize("bban", [
    "FR7620041010050500013001899",   # RIB key 99 (01 to 97 only)
    "TN5910006035183598470198",      # key 98
    "MR1300020001010000123455298",
    "PT50000201231234567898399",     # ISO 7064 97-10 pair 99 (02 to 98 only)
    "SI56191000000124699",
])
def test_national_keys_out_of_range_fail(bban):
    assert ov.validate_bban(bban) is False


def test_registry_examples_pass_their_national_check():
    seen = set()
    for iban, _, _ in REGISTRY_EXAMPLES:
        p = ov.iban_parts(iban)
        if p.country in CHECKED or p.country == "DE":
            assert p.national_check is True, iban
            assert ov.validate_bban(iban) is True
            seen.add(p.country)
        else:
            assert p.national_check is None, iban
    assert seen == set(CHECKED) | {"DE"}


@pytest.mark.parametrize("country", sorted(CHECKED))
def test_a_changed_check_character_is_caught_and_the_iban_stays_valid(country):
    iban = next(x for x, _, _ in REGISTRY_EXAMPLES if x.startswith(country))
    bban = iban[4:]
    at = CHECKED[country]
    alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ" if country in ("IT", "SM") else "0123456789"
    for c in alphabet:
        if c == bban[at]:
            continue
        changed = with_bban(country, bban[:at] + c + bban[at + 1:])
        assert ov.validate("iban", changed).valid  # the documented result: national digits are not looked at
        assert ov.iban_parts(changed).national_check is False, changed
        assert ov.validate_bban(changed) is False


@pytest.mark.parametrize("country, bban", [
    ("BA", "1290079401028400"), ("SI", "191000000123401"),  # 98 less a remainder is never 00 or 01
    ("FR", "20041010050500013M02600"),  # a RIB key is 01 to 97, never 00
    ("NO", "86011117940"),
])
def test_check_digits_outside_their_published_range(country, bban):
    assert ov.validate_bban(bban, country) is False


def test_german_accounts_by_the_method_of_their_bank_code():
    assert "13" in banks.DE_CHECK_METHODS and "09" in banks.DE_CHECK_METHODS
    # Methods drawn across the directory: a sample holds, its check digit changed does not
    # (method 09 has none).
    for iban in ov.sample("iban", 400, seed=11, country="DE"):
        p = ov.iban_parts(iban)
        assert p.national_check is True, iban
        method = banks._data.bank_rows("DE", p.bank_code)[0][6]
        if method == "09":
            continue
        pos = 15 if method in ("13", "28", "34", "61", "63", "76") else 17
        bban = p.bban
        flipped = [with_bban("DE", bban[:pos] + d + bban[pos + 1:]) for d in "0123456789" if d != bban[pos]]
        assert any(ov.iban_parts(x).national_check is False for x in flipped), (iban, method)
    # Unknown bank code, or a method not implemented: no verdict.
    assert ov.iban_parts(with_bban("DE", "000000000532013000")).national_check is None


def test_validate_bban_forms():
    assert ov.validate_bban("be68 5390 0754 7034") is True
    assert ov.validate_bban("539-0075470-34", "be") is True
    assert ov.validate_bban("5390075470", "BE") is False  # too short for the layout
    assert ov.validate_bban("NWBK60161331926819", "GB") is None  # no national check
    assert ov.validate_bban("BE00539007547034") is None  # not a valid IBAN
    assert ov.validate_bban("\ud800") is None and ov.validate_bban("\ud800", "BE") is False
    with pytest.raises(ValueError, match="not an IBAN country"):
        ov.validate_bban("1", "XX")
    with pytest.raises(TypeError):
        ov.validate_bban(None)  # type: ignore[arg-type]


# --- IBANs from domestic data ---------------------------------------------------

@pytest.mark.parametrize("args, kwargs, iban", [
    (("DE", "37040044", "532013000"), {}, "DE89370400440532013000"),  # leading zeros left out
    (("DE", "37040044", "0532013000"), {}, "DE89370400440532013000"),
    (("BE", "539", "0075470"), {}, "BE68539007547034"),  # key computed
    (("BE", "539", "007547034"), {}, "BE68539007547034"),  # key given
    (("ES", "2100", "0200051332", "0418"), {}, "ES9121000418450200051332"),
    (("FR", "20041", "0500013m026", "01005"), {}, "FR1420041010050500013M02606"),
    (("IT", "05428", "000000123456", "11101"), {}, "IT60X0542811101000000123456"),  # CIN computed
    (("SI", "19100", "00001234"), {}, "SI56191000000123438"),  # bank and branch together
    (("GB", "NWBK", "31926819", "601613"), {}, "GB29NWBK60161331926819"),
    (("AZ", "NABZ", "00000000137010001944"), {}, "AZ21NABZ00000000137010001944"),  # a country not covered
    (("DE", "12345678", "1"), {"strict": False}, "DE17123456780000000001"),
])
def test_iban_from_account(args, kwargs, iban):
    assert ov.iban_from_account(*args, **kwargs) == iban


@pytest.mark.parametrize("args, message", [
    (("DE", "12345678", "1"), "not in the bank directory"),
    (("DE", "3704004", "1"), "8 characters, not 7"),
    (("DE", "37040044", "12345678901"), "at most 10"),
    (("DE", "37040044", "0532013100"), "national check digits"),
    (("BE", "539", "007547035"), "national check digits"),
    (("BE", "539", "00754703"), "without its national check digits"),
    (("ES", "2100", "0200051332"), "need a branch code of 4"),
    (("DE", "37040044", "1", "12"), "no branch code"),
    (("XX", "1", "1"), "unknown IBAN country"),
    (("DE", "37040044", "12\u00e934"), "other than letters and digits"),
    (("DE", "\ud800", "1"), "not text"),
    (("DE", "37040044", ""), "account number is empty"),  # once padded into an all-zero account
    (("FR", "20041", "  ", "01005"), "account number is empty"),
    # A RIB key of 99 is the remainder of 02, written out of range.
    (("FR", "20041", "0500013001899", "01005"), "national check digits"),
    (("NO", "8601", "111794"), None),  # check digit position 10 of 10: none makes 8601.11.1794x valid? either way no crash
])
def test_iban_from_account_refuses(args, message):
    if message is None:
        try:
            ov.iban_from_account(*args)
        except ValueError:
            pass
        return
    with pytest.raises(ValueError, match=message):
        ov.iban_from_account(*args)


def test_samples_round_trip_through_iban_from_account():
    for iban in ov.sample("iban", 3000, seed=5):
        p = ov.iban_parts(iban)
        assert ov.iban_from_account(p.country, p.bank_code, p.account, p.branch_code) == iban


@given(st.text(max_size=12), st.text(max_size=12), st.text(max_size=40), st.one_of(st.none(), st.text(max_size=8)))
def test_any_text_gives_an_iban_or_value_error(country, bank_code, account, branch):
    try:
        iban = ov.iban_from_account(country, bank_code, account, branch, strict=False)
    except ValueError:
        return
    assert ov.validate("iban", iban).valid


@given(st.text(max_size=40), st.one_of(st.none(), st.sampled_from(["DE", "BE", "it", "GB", "SN"])))
def test_any_text_to_the_lookups(value, country):
    assert ov.validate_bban(value, country) in (True, False, None)
    assert ov.bank(value) is None or isinstance(ov.bank(value), banks.Bank)
    assert isinstance(ov.bic_candidates(value[:2], value[2:]), list)


# --- realistic samples ----------------------------------------------------------

@pytest.mark.parametrize("country", DIRECTORY_COUNTRIES)
def test_samples_carry_real_bank_codes_and_valid_national_checks(country):
    for iban in ov.sample("iban", 60, seed=9, country=country):
        p = ov.iban_parts(iban)
        assert p.bank_name is not None, iban
        assert p.national_check is not False, iban


def test_samples_follow_the_registry_layout():
    assert all(re.fullmatch(r"SN\d\d[A-Z]{2}\d{22}", x) for x in ov.sample("iban", 200, seed=1, country="SN"))
    for c in CHECKED:
        assert all(ov.iban_parts(x).national_check for x in ov.sample("iban", 40, seed=2, country=c)), c


def test_bic_samples_are_real():
    bics = ov.sample("bic", 300, seed=4)
    assert len(set(bics)) > 250
    for b in bics:
        assert ov.validate("bic", b).valid and ov.bank(b) is not None
    assert columns.sample("bic", 5, seed=4).to_pylist() == bics[:5]


# --- columns, engines and the command line -------------------------------------

def test_bank_fields_in_columns_and_engines():
    import duckdb
    import polars as pl

    from orvane_vardik import engines

    values = ["DE89370400440532013000", None, "BE00539007547034", "GB29NWBK60161331926819",
              with_bban("BE", "539007547035")]
    rows = columns.iban_parts(pa.array(values, pa.string())).to_pylist()
    assert [r and r["national_check"] for r in rows] == [True, None, None, None, False]
    assert [r and r["bic"] for r in rows] == ["COBADEFFXXX", None, None, "NWBKGB2LXXX", None]
    con = engines.register_duckdb(duckdb.connect())
    got = con.sql("SELECT ov_iban_parts(v).bank_name, ov_iban_parts(v).national_check "
                  "FROM (VALUES ('DE89370400440532013000'), (NULL), ('x')) t(v)").fetchall()
    assert got == [("Commerzbank", True), (None, None), (None, None)]
    s = pl.DataFrame({"v": values}).select(engines.polars_iban_parts(pl.col("v")).struct.field("bic")).to_series()
    assert s.to_list() == [r and r["bic"] for r in rows]


def run_cli(*args, stdin=b""):
    return subprocess.run([sys.executable, "-m", "orvane_vardik", "iban-parts", *args], input=stdin,
                          capture_output=True)


def test_command_line():
    r = run_cli(stdin=b"DE89370400440532013000\nnot an iban\n\xff\n")
    assert r.returncode == 0
    lines = r.stdout.decode().splitlines()
    assert lines[0].startswith("value,valid,iban,country,")
    assert lines[1].startswith("DE89370400440532013000,true,DE89370400440532013000,DE,89,")
    assert lines[1].endswith(",Commerzbank,Commerzbank Köln,COBADEFFXXX,true")
    assert lines[2] == "not an iban,false" + "," * 11 and len(lines) == 4
    r = run_cli("--json", "--fields", "bank_name,national_check", "GB29 NWBK 6016 1331 9268 19")
    assert json.loads(r.stdout) == {"value": "GB29 NWBK 6016 1331 9268 19", "valid": True,
                                    "bank_name": "NATIONAL WESTMINSTER BANK PUBLIC LIMITED COMPANY",
                                    "national_check": None}
    for bad in (["--fields", "nope"], ["--json", "--csv"], ["--frobnicate"]):
        r = run_cli(*bad)
        assert r.returncode == 2 and b"error" in r.stderr


@given(st.binary(max_size=300))
def test_any_bytes_as_a_directory_file(tmp_path_factory, data):
    # A file of any bytes is read or refused with ValueError; the one in use stays otherwise.
    f = tmp_path_factory.mktemp("dir") / "banks.tsv"
    f.write_bytes(HEADER.encode() + data)
    try:
        ov.load_bank_directory(f)
    except ValueError as e:
        assert "line " in str(e)
        assert ov.bank_directory().rows == 29588
    finally:
        ov.load_bank_directory(PACKAGED)
    assert ov.iban_parts("DE89370400440532013000").bic == "COBADEFFXXX"


def test_samples_follow_a_newer_directory(tmp_path, packaged_directory):
    f = tmp_path / "banks.tsv"
    f.write_text(HEADER + "DE\t37040044\tCOBADEFFXXX\tCommerzbank\t\t1\t13\n", encoding="utf-8")
    ov.load_bank_directory(f)
    drawn = ov.sample("iban", 200, seed=8, country="DE")
    assert {x[4:12] for x in drawn} == {"37040044"}
    assert all(ov.iban_parts(x).national_check for x in drawn)
    assert set(ov.sample("bic", 20, seed=8)) == {"COBADEFFXXX"}


def test_countries_outside_the_directory_and_bad_sample_arguments():
    for c in ("AZ", "BR", "MU", "QA"):
        for x in ov.sample("iban", 30, seed=6, country=c):
            p = ov.iban_parts(x)
            assert p is not None and p.bank_name is None and p.national_check is None
    with pytest.raises(ValueError):
        ov.sample("bic", 3, country="DE")
    assert ov.sample("iban", 5, seed=12) == ov.sample("iban", 5, seed=12)


def test_directory_swapped_while_columns_are_computed(tmp_path, packaged_directory):
    # Columns computed without the interpreter lock keep the directory they
    # started with; swapping it meanwhile neither crashes nor mixes rows.
    import threading

    f = tmp_path / "banks.tsv"
    f.write_text(HEADER + "DE\t37040044\tTESTDEFFXXX\tTest\t\t1\t13\n", encoding="utf-8")
    values = pa.array(["DE89370400440532013000"] * 20000, pa.string())
    seen, errors = set(), []

    def work():
        try:
            for _ in range(10):
                seen.update(set(pa.array(columns.iban_parts(values)).field("bic").to_pylist()))
        except Exception as e:  # pragma: no cover - the failure being tested for
            errors.append(e)

    threads = [threading.Thread(target=work) for _ in range(3)]
    for t in threads:
        t.start()
    for _ in range(10):
        ov.load_bank_directory(f)
        ov.load_bank_directory(PACKAGED)
    for t in threads:
        t.join()
    assert not errors and seen <= {"COBADEFFXXX", "TESTDEFFXXX"}


# The BBAN positions of each country's separate national check key.
KEYS = {"AL": [7], "BA": [14, 15], "BE": [10, 11], "ES": [8, 9], "FR": [21, 22], "MC": [21, 22], "ME": [16, 17],
        "MK": [13, 14], "MR": [21, 22], "PT": [19, 20], "RS": [16, 17], "SI": [13, 14], "TL": [17, 18],
        "TN": [18, 19], "IT": [0], "SM": [0]}


@pytest.mark.parametrize("country", sorted(KEYS))
def test_registry_examples_rebuilt_with_their_key_computed(country):
    iban = next(x for x, _, _ in REGISTRY_EXAMPLES if x.startswith(country))
    p = ov.iban_parts(iban)
    start = len(p.bban) - len(p.account)
    without = "".join(ch for i, ch in enumerate(p.bban) if i >= start and i not in KEYS[country])
    assert ov.iban_from_account(country, p.bank_code, without, p.branch_code, strict=False) == iban
    # Given whole, the account is checked rather than mended.
    assert ov.iban_from_account(country, p.bank_code, p.account, p.branch_code, strict=False) == iban


def test_bic_only_rows():
    b = ov.bank("AAALSARI")
    assert b is not None and b.country == "SA" and b.bank_codes == ()
    assert ov.iban_from_account("SA", "80", "000000608010167519") == "SA0380000000608010167519"


def test_generator_refuses_a_malformed_source(tmp_path):
    script = Path(__file__).resolve().parents[1] / "scripts" / "gen_bank_directory.py"
    if not script.exists():
        pytest.skip("the generator is not at hand")
    src = tmp_path / "in.tsv"
    src.write_text("country\tbank_code\tbic\tname\tshort_name\tprimary\tde_check_method\tsource\n"
                   "DE\t1\t\tA\tA\t1\t\tofficial\nDE\t2\tNOTABIC\tB\tB\t1\t\tofficial\n", encoding="utf-8")
    r = subprocess.run([sys.executable, str(script), str(src), "--snapshot", "2030-01-01",
                        "--out", str(tmp_path / "out.tsv")], capture_output=True, text=True)
    assert r.returncode != 0 and "line 3" in r.stderr and not (tmp_path / "out.tsv").exists()
