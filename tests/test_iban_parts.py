"""The parts of an IBAN: one value, a whole column, and the written forms."""
import pytest
from hypothesis import given
from hypothesis import strategies as st

import orvane_vardik as ov
from orvane_vardik import columns

# The IBAN registry's example IBAN of each country that publishes one, with
# the bank and branch identifiers the registry names in it.
REGISTRY_EXAMPLES = [
    ("AD1200012030200359100100", "0001", "2030"),
    ("AE070331234567890123456", "033", None),
    ("AL47212110090000000235698741", "212", "1100"),
    ("AT611904300234573201", "19043", None),
    ("AZ21NABZ00000000137010001944", "NABZ", None),
    ("BA391290079401028494", "129", "007"),
    ("BE68539007547034", "539", None),
    ("BG80BNBG96611020345678", "BNBG", "9661"),
    ("BH67BMAG00001299123456", "BMAG", None),
    ("BR9700360305000010009795493P1", "00360305", "00001"),
    ("BY13NBRB3600900000002Z00AB00", "NBRB", None),
    ("CH9300762011623852957", "00762", None),
    ("CR05015202001026284066", "0152", None),
    ("CY17002001280000001200527600", "002", "00128"),
    ("CZ6508000000192000145399", "0800", None),
    ("DE89370400440532013000", "37040044", None),
    ("DJ2110002010010409943020008", "10002", "01001"),
    ("DK5000400440116243", "0040", None),
    ("DO28BAGR00000001212453611324", "BAGR", None),
    ("EE382200221020145685", "22", "00"),
    ("EG380019000500000000263180002", "0019", "0005"),
    ("ES9121000418450200051332", "2100", "0418"),
    ("FI2112345600000785", "123", None),
    ("FK88SC123456789012", "SC", None),
    ("FO2000400440116243", "0040", None),
    ("FR1420041010050500013M02606", "20041", "01005"),
    ("GB29NWBK60161331926819", "NWBK", "601613"),
    ("GE29NB0000000101904917", "NB", None),
    ("GI75NWBK000000007099453", "NWBK", None),
    ("GL2000400440116243", "0040", None),
    ("GR1601101250000000012300695", "011", "0125"),
    ("GT82TRAJ01020000001210029690", "TRAJ", None),
    ("HN88CABF00000000000250005469", "CABF", None),
    ("HR1210010051863000160", "1001005", None),
    ("HU42117730161111101800000000", "117", "7301"),
    ("IE29AIBK93115212345678", "AIBK", "931152"),
    ("IL620108000000099999999", "010", "800"),
    ("IQ98NBIQ850123456789012", "NBIQ", "850"),
    ("IS140159260076545510730339", "01", "59"),
    ("IT60X0542811101000000123456", "05428", "11101"),
    ("JO94CBJO0010000000000131000302", "CBJO", "0010"),
    ("KW81CBKU0000000000001234560101", "CBKU", None),
    ("KZ86125KZT5004100100", "125", None),
    ("LB62099900000001001901229114", "0999", None),
    ("LC55HEMM000100010012001200023015", "HEMM", None),
    ("LI21088100002324013AA", "08810", None),
    ("LT121000011101001000", "10000", None),
    ("LU280019400644750000", "001", None),
    ("LV80BANK0000435195001", "BANK", None),
    ("MC5811222000010123456789030", "11222", "00001"),
    ("MD24AG000225100013104168", "AG", None),
    ("ME25505000012345678951", "505", None),
    ("MK07250120000058984", "250", None),
    ("MR1300020001010000123456753", "00020", "00101"),
    ("MT84MALT011000012345MTLCAST001S", "MALT", "01100"),
    ("MU17BOMM0101101030300200000MUR", "BOMM01", "01"),
    ("NL91ABNA0417164300", "ABNA", None),
    ("NO9386011117947", "8601", None),
    ("OM810180000001299123456", "018", None),
    ("PK36SCBL0000001123456702", "SCBL", None),
    ("PL61109010140000071219812874", "10901014", None),
    ("PS92PALS000000000400123456702", "PALS", None),
    ("PT50000201231234567890154", "0002", "0123"),
    ("QA58DOHB00001234567890ABCDEFG", "DOHB", None),
    ("RO49AAAA1B31007593840000", "AAAA", None),
    ("RS35260005601001611379", "260", None),
    ("SA0380000000608010167519", "80", None),
    ("SC18SSCB11010000000000001497USD", "SSCB11", "01"),
    ("SE4550000000058398257466", "500", None),
    ("SI56191000000123438", "19", "100"),
    ("SK3112000000198742637541", "1200", None),
    ("SM86U0322509800000000270100", "03225", "09800"),
    ("ST68000100010051845310112", "0001", "0001"),
    ("SV62CENR00000000000000700025", "CENR", None),
    ("TL380080012345678910157", "008", None),
    ("TN5910006035183598478831", "10", "006"),
    ("TR330006100519786457841326", "00061", None),
    ("UA213996220000026007233566001", "399622", None),
    ("VG96VPVG0000012345678901", "VPVG", None),
    ("XK051212012345678906", "12", "12"),
    ("YE15CBYE0001018861234567891234", "CBYE", "0001"),
]

# Countries the registry gives no example for: the lengths of their bank and
# branch identifiers.
IDENTIFIER_LENGTHS = [
    ("BI", 5, 5), ("LY", 3, 3), ("MN", 4, None), ("NI", 4, None), ("RU", 9, 5),
    ("SD", 2, None), ("SN", 5, 5), ("SO", 4, 3), ("VA", 3, None),
]


@pytest.mark.parametrize("iban, bank, branch", REGISTRY_EXAMPLES)
def test_registry_example_splits_into_its_codes(iban, bank, branch):
    p = ov.iban_parts(iban)
    assert p is not None
    assert (p.country, p.check_digits, p.bban) == (iban[:2], iban[2:4], iban[4:])
    assert (p.bank_code, p.branch_code) == (bank, branch)
    assert p.iban == iban
    # The account is what follows the identifiers, up to the end.
    assert iban.endswith(p.account) and len(p.account) > 0
    rest = p.bban[p.bban.index(bank) + len(bank) + len(branch or ""):]
    assert p.account == rest


def test_every_country_has_a_split():
    # Each country of the layout table, drawn many times: the identifiers sit
    # where the registry puts them, whatever the characters.
    examples = {row[0][:2] for row in REGISTRY_EXAMPLES}
    lengths = {row[0] for row in IDENTIFIER_LENGTHS}
    drawn = {v[:2] for v in ov.sample("iban", 5000, seed=1)}
    assert examples | lengths == drawn


@pytest.mark.parametrize("country, bank, branch", IDENTIFIER_LENGTHS)
def test_identifier_lengths_without_example(country, bank, branch):
    for value in ov.sample("iban", 50, seed=2, country=country):
        p = ov.iban_parts(value)
        assert len(p.bank_code) == bank
        assert (p.branch_code and len(p.branch_code)) == branch
        assert p.bban.startswith(p.bank_code + (p.branch_code or ""))


@pytest.mark.parametrize("iban, bank, account", [
    # Italy and San Marino: a national check letter comes before the bank
    # code; it belongs to the BBAN, not to the account.
    ("IT60X0542811101000000123456", "05428", "000000123456"),
    ("SM86U0322509800000000270100", "03225", "000000270100"),
    # France: the account number and its two-digit key.
    ("FR1420041010050500013M02606", "20041", "0500013M02606"),
    # Belgium: no branch; the account holds the national check digits.
    ("BE68539007547034", "539", "007547034"),
])
def test_account_definition(iban, bank, account):
    p = ov.iban_parts(iban)
    assert (p.bank_code, p.account) == (bank, account)


@pytest.mark.parametrize("written", [
    "GB29 NWBK 6016 1331 9268 19",
    "gb29nwbk60161331926819",
    "  GB29-NWBK-6016-1331-9268-19  ",
    "GB29" + " " * 80 + "NWBK 6016 1331 9268 19",  # longer than the stack buffer
])
def test_written_forms_give_the_compact_parts(written):
    p = ov.iban_parts(written)
    assert p == ov.iban_parts("GB29NWBK60161331926819")
    assert (p.iban, p.bank_code, p.branch_code, p.account) == ("GB29NWBK60161331926819", "NWBK", "601613", "31926819")


@pytest.mark.parametrize("value", [
    "", "GB", "GB00NWBK60161331926819", "ZZ29NWBK60161331926819", "DE89370400440532013000X",
    "GB29NWBK6016133192681\u00e9", "GB29NWBK6016133192681\x00", "\udcff", "GB29\ud800NWBK60161331926819",
    "GB29NWBK60161331926819" * 10,
])
def test_invalid_text_gives_none(value):
    assert ov.iban_parts(value) is None


@pytest.mark.parametrize("value", [None, b"GB29NWBK60161331926819", 42, ["GB29NWBK60161331926819"]])
def test_non_str_is_a_type_error(value):
    with pytest.raises(TypeError):
        ov.iban_parts(value)


def test_str_subclass_is_accepted():
    class Text(str):
        pass

    p = ov.iban_parts(Text("DE89370400440532013000"))
    assert type(p.iban) is str and p.bank_code == "37040044"


def test_parts_are_immutable_values():
    p = ov.iban_parts("DE89370400440532013000")
    with pytest.raises(AttributeError):
        p.bank_code = "x"
    with pytest.raises(TypeError):
        type(p)()
    q = ov.iban_parts("de89 3704 0044 0532 0130 00")
    assert p == q and hash(p) == hash(q) and p != ov.iban_parts("GB29NWBK60161331926819")
    assert p != "DE89370400440532013000"
    assert repr(p) == ("IbanParts(country='DE', check_digits='89', bban='370400440532013000', "
                       "bank_code='37040044', branch_code=None, account='0532013000')")


@given(st.text())
def test_any_text_gives_parts_exactly_when_valid(text):
    p = ov.iban_parts(text)
    r = ov.validate("iban", text)
    assert (p is not None) == r.valid
    if p is not None:
        assert p.iban == r.compact == p.country + p.check_digits + p.bban


# Columns ----------------------------------------------------------------------

pa = pytest.importorskip("pyarrow")

FIELDS = ["country", "check_digits", "bban", "bank_code", "branch_code", "account", "bank_name",
          "bank_short_name", "bic", "national_check"]


def scalar_row(value):
    p = ov.iban_parts(value) if value is not None else None
    return None if p is None else {f: getattr(p, f) for f in FIELDS}


COLUMN_VALUES = [row[0] for row in REGISTRY_EXAMPLES[:20]] + [
    None, "", "GB29 NWBK 6016 1331 9268 19", "GB00NWBK60161331926819", "\u00e9"]


@pytest.mark.parametrize("make", [
    lambda v: pa.array(v, pa.string()),
    lambda v: pa.array(v, pa.large_string()),
    lambda v: pa.array(v, pa.string()).dictionary_encode(),
    lambda v: pa.chunked_array([v[:7], v[7:]], pa.string()),
    lambda v: v,  # a plain list of str and None
])
def test_column_rows_match_the_scalar_function(make):
    col = columns.iban_parts(make(COLUMN_VALUES))
    assert col.to_pylist() == [scalar_row(v) for v in COLUMN_VALUES]
    arr = pa.array(col)
    assert arr.type == pa.struct([(f, pa.bool_() if f == "national_check" else pa.string()) for f in FIELDS])
    assert arr.to_pylist() == col.to_pylist()
    assert col.null_count == sum(scalar_row(v) is None for v in COLUMN_VALUES)


def test_column_of_bytes_that_are_not_utf8():
    arr = pa.Array.from_buffers(pa.string(), 2, [None, pa.py_buffer(b"\x00\x00\x00\x00\x02\x00\x00\x00\x18\x00\x00\x00"),
                                                 pa.py_buffer(b"\xff\xfeGB29NWBK60161331926819")])
    assert columns.iban_parts(arr).to_pylist() == [None, scalar_row("GB29NWBK60161331926819")]


def test_column_bad_input():
    with pytest.raises(TypeError):
        columns.iban_parts(pa.array([1, 2]))


# Written forms of any length -------------------------------------------------
# A grouped text is compacted on the stack whatever its length; beyond the
# kept bytes only its length and characters matter.

VALID_GB = ("VALID", "GB29NWBK60161331926819")
TOO_LONG = ("INVALID_LENGTH", "IBAN has an invalid country-specific length")


@pytest.mark.parametrize("value, expected", [
    ("GB29 NWBK" + " " * 60 + " 6016 1331 9268 19", VALID_GB),
    ("gb29-nwbk-" + "- " * 40 + "6016-1331-9268-19", VALID_GB),
    ("gb29 " * 20, TOO_LONG),
    ("GB29 " * 13, TOO_LONG),  # 65 bytes, 52 kept
    ("GB29" * 16, TOO_LONG),  # 64 plain bytes
    ("GB29 " * 16 + "N", TOO_LONG),  # 65 compact bytes
    ("1b29 " * 20, ("INVALID_COMPONENT", "IBAN must start with a 2-letter country code")),
    ("zz29 " * 20, ("INVALID_COMPONENT", "IBAN country code is not assigned")),
    ("gb29 " * 20 + "!", ("INVALID_FORMAT", "IBAN must contain only letters and digits")),
    ("gb29 " * 20 + "\u00e9", ("INVALID_FORMAT", "IBAN must contain only letters and digits")),
    ("g" + " " * 100 + "b", ("INVALID_LENGTH", "IBAN is too short")),
])
def test_long_written_forms(value, expected):
    r = ov.validate("iban", value)
    assert (("VALID", r.compact) if r.valid else (r.error.code, r.error.message)) == expected


@given(st.text(alphabet="GBDEgbde0123456789 -", max_size=200))
def test_grouped_text_is_judged_as_its_compact_form(text):
    compact = text.replace(" ", "").replace("-", "").upper()
    a, b = ov.validate("iban", text), ov.validate("iban", compact)
    assert (a.valid, a.compact, a.error and a.error.code, a.error and a.error.message) == \
        (b.valid, b.compact, b.error and b.error.code, b.error and b.error.message)
