"""The command line, run as a subprocess: arguments, pipes and files."""
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import orvane_vardik as ov

LUHN_OK, LUHN_BAD = "79927398713", "79927398710"
BAD_JSON = ('{"value": "79927398710", "valid": false, "compact": null, "code": "INVALID_CHECKSUM",'
            ' "message": "Luhn check digit does not match", "formatted": null}\n')


def run(*args, stdin=b"", env=None):
    p = subprocess.run([sys.executable, "-m", "orvane_vardik", *args], input=stdin,
                       capture_output=True, env=env)
    assert b"Traceback" not in p.stderr, p.stderr
    return p.returncode, p.stdout.decode(), p.stderr.decode()


# name, arguments, standard input, status, exact stdout (or None), fragments of stderr
CASES = [
    ("valid", ["creditcard", "4111 1111 1111 1111"], b"", 0,
     "'4111 1111 1111 1111': valid\n  compact: 4111111111111111\n  formatted: 4111 1111 1111 1111\n",
     ["1 value: 1 valid, 0 invalid"]),
    ("invalid has no formatted line", ["luhn", "--", "-x"], b"", 1,
     "'-x': invalid\n  error: INVALID_FORMAT: Value must contain only digits\n",
     ["(INVALID_FORMAT 1)"]),
    ("options anywhere", ["--json", "luhn", LUHN_OK, "--only-invalid", LUHN_BAD], b"", 1, BAD_JSON,
     ["2 values: 1 valid, 1 invalid (INVALID_CHECKSUM 1)"]),
    ("stdin, any line ending, a bad byte", ["luhn", "-", "--only-invalid", "--json"],
     LUHN_OK.encode() + b"\r\n" + LUHN_BAD.encode() + b"\rab\xff\n\n" + LUHN_OK.encode(), 2,
     BAD_JSON + '{"value": "", "valid": false, "compact": null, "code": "INVALID_LENGTH",'
     ' "message": "Value must not be empty", "formatted": null}\n',
     ["<stdin>: line 3: not valid UTF-8 (byte 0xff at column 3)", "4 values", "1 input error"]),
    ("arguments and stdin in order", ["luhn", "18", "-", "--op", "compact"], b"1 9\n", 0, "18\n19\n", []),
    ("csv column", ["luhn", "-", "--column", "2", "--delimiter", ";", "--header", "--csv"],
     b"\xef\xbb\xbfname;number\na;79927398713\nb\n\"c;d\";18\n", 2,
     "value,valid,compact,code,message,formatted\n79927398713,true,79927398713,,,79927398713\n"
     "18,true,18,,,18\n",
     ["<stdin>: line 3: no field 2"]),
    ("format op", ["creditcard", "--op=format", "--json", "4111111111111111"], b"", 0,
     '{"value": "4111111111111111", "formatted": "4111 1111 1111 1111"}\n', ["1 value\n"]),
    ("parse without birth data", ["iban", "--op", "parse", "-q", "GB29NWBK60161331926819"], b"", 1,
     "'GB29NWBK60161331926819': no birth data\n", []),
    ("quiet", ["luhn", "-q", LUHN_OK], b"", 0, None, []),
    ("generate without generator", ["crypto.eth", "--op", "generate"], b"", 2, "",
     ["cannot generate"]),
    ("unknown id", ["nope", "123"], b"", 2, "", ["unknown validator id: nope"]),
    ("ids are case-sensitive", ["IBAN", "x"], b"", 2, "", ["unknown validator id: IBAN"]),
    ("no arguments", [], b"", 2, "", ["usage:", "no validator ID"]),
    ("piped stdin without -", ["luhn", "--op", "compact"], b"1 8\n19\n", 0, "18\n19\n", []),
    ("keep: records with results appended",
     ["luhn", "--keep", "--column", "2", "--delimiter", ";", "--header", "-"],
     b"name;number;note\na;79927398713;x\nb\n\"c;d\";79927398710;\n", 2,
     "name;number;note;valid;compact;code;message;formatted\n"
     "a;79927398713;x;true;79927398713;;;79927398713\n"
     "\"c;d\";79927398710;;false;;INVALID_CHECKSUM;Luhn check digit does not match;\n",
     ["<stdin>: line 3: no field 2"]),
    ("keep only-invalid", ["luhn", "--keep", "--only-invalid", "--column", "1", LUHN_OK, LUHN_BAD], b"", 1,
     "79927398710,false,,INVALID_CHECKSUM,Luhn check digit does not match,\n", []),
    ("keep plain lines", ["luhn", "--keep", "--op", "format", "-"], b"18\n", 0, "18,18\n", []),
    ("keep parse", ["ee.ik", "--keep", "--op", "parse", "--column", "1", "-"], b"36805280109,z\n", 0,
     "36805280109,z,true,1968,5,28,male\n", []),
    ("keep with json", ["luhn", "1", "--keep", "--json"], b"", 2, "", ["--keep writes CSV"]),
    ("unknown option", ["--bogus", "x"], b"", 2, "", ["usage:", "unknown option '--bogus'"]),
    ("json with csv", ["luhn", "1", "--json", "--csv"], b"", 2, "", ["cannot be combined"]),
    ("count without generate", ["luhn", "1", "--count", "2"], b"", 2, "", ["--count works with"]),
    ("bad count", ["luhn", "--op", "generate", "--count", "x"], b"", 2, "", ["--count needs"]),
    ("missing option value", ["luhn", "1", "--column"], b"", 2, "", ["--column needs a value"]),
    ("only-invalid with compact", ["luhn", "1", "--op", "compact", "--only-invalid"], b"", 2, "",
     ["--only-invalid works with"]),
    ("missing file", ["luhn", "--file", "/nonexistent/values.txt"], b"", 2, "",
     ["cannot read /nonexistent/values.txt: No such file or directory"]),
    ("directory", ["luhn", "--file", "/"], b"", 2, "", ["cannot read /: Is a directory"]),
]


@pytest.mark.parametrize("args, stdin, status, stdout, stderr",
                         [c[1:] for c in CASES], ids=[c[0] for c in CASES])
def test_command_line(args, stdin, status, stdout, stderr):
    code, out, err = run(*args, stdin=stdin)
    assert code == status, err
    if stdout is not None:
        assert out == stdout
    for fragment in stderr:
        assert fragment in err
    if status == 2 and not out:
        assert len(err.splitlines()) in (1, 5), err  # one line, or the usage and one line
    if "-q" in args:
        assert err == ""


def test_json_lines_are_json(tmp_path):
    values = ["4111 1111 1111 1111", 'quo"te\\', "é€𝄞", "\x00"]
    path = tmp_path / "values.txt"
    path.write_text("\n".join(values) + "\n", encoding="utf-8")
    code, out, _ = run("creditcard", "--file", str(path), "--json")
    rows = [json.loads(line) for line in out.splitlines()]
    assert code == 1 and [r["value"] for r in rows] == values
    assert out.isascii() and out.splitlines()[1] == json.dumps(rows[1])
    assert rows[0] == {"value": values[0], "valid": True, "compact": "4111111111111111", "code": None,
                       "message": None, "formatted": "4111 1111 1111 1111"}


def test_file_with_bad_and_overlong_lines(tmp_path):
    path = tmp_path / "values.txt"
    path.write_bytes(b"\n".join([LUHN_OK.encode(), b"\xc3(", b"9" * (3 << 20), LUHN_BAD.encode(), b""]))
    code, out, err = run("luhn", "--file", str(path), "--only-invalid")
    assert code == 2
    assert out == f"'{LUHN_BAD}': invalid\n  error: INVALID_CHECKSUM: Luhn check digit does not match\n"
    assert f"{path}: line 2: not valid UTF-8" in err and f"{path}: line 3: longer than" in err
    assert "2 values: 1 valid, 1 invalid" in err


def test_generate_count():
    code, out, _ = run("luhn", "--op", "generate", "--count", "70000")
    values = out.splitlines()
    assert code == 0 and len(values) == 70000
    assert all(r.valid for r in ov.validate_many("luhn", values))


def test_closed_pipe_exits_quietly(tmp_path):
    path = tmp_path / "many.txt"
    path.write_text(f"{LUHN_OK}\n" * 200_000)
    p = subprocess.Popen([sys.executable, "-m", "orvane_vardik", "luhn", "--file", str(path)],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    assert p.stdout.readline() == f"'{LUHN_OK}': valid\n".encode()
    p.stdout.close()  # as `| head -1` does
    err = p.stderr.read()
    assert p.wait() == 0 and err == b""


@pytest.mark.skipif(not os.path.exists("/dev/full"), reason="needs /dev/full")
def test_output_that_cannot_be_written():
    with open("/dev/full", "wb") as full:
        p = subprocess.run([sys.executable, "-m", "orvane_vardik", "luhn", "--op", "generate", "--count",
                            "100000"], stdout=full, stderr=subprocess.PIPE, text=True)
    assert p.returncode == 2 and p.stderr.endswith(": error: cannot write output: No space left on device\n")
    assert p.stderr.count("\n") == 1


def test_unencodable_output_and_undecodable_argument():
    env = dict(os.environ, PYTHONIOENCODING="ascii")
    code, out, _ = run("luhn", "é1", env=env)
    assert code == 1 and out.startswith("'\\xe91': invalid")
    code, out, err = run("luhn", b"\xff", LUHN_OK)
    assert code == 2 and "argument 1: not valid UTF-8" in err and f"'{LUHN_OK}': valid" in out


def test_help_version_and_program_name():
    code, out, _ = run("--help")
    assert code == 0 and "-m orvane_vardik" in out.splitlines()[0]
    for item in ("--file", "--column", "--delimiter", "--header", "--op", "--count", "--json", "--csv",
                 "--only-invalid", "--quiet", "--list", "--version", "--help", "standard input",
                 "Exit status", "  0 ", "  1 ", "  2 "):
        assert item in out
    code, out, _ = run("--version")
    assert code == 0 and out.endswith(f" {ov.__version__}\n")
    script = shutil.which("orvane-vardik", path=str(Path(sys.executable).parent))
    if script:
        p = subprocess.run([script, "--bogus"], capture_output=True, text=True)
        assert p.returncode == 2 and p.stderr.startswith("usage: orvane-vardik ")


@pytest.mark.parametrize("values", [
    [LUHN_OK, LUHN_BAD],                      # nothing to quote: rows joined as they are
    ["a,b", LUHN_OK],                         # the delimiter inside a value
    ['q"t', "é"],                             # a quote
    ["", LUHN_OK],                            # an empty value
    ["line\nbreak", "cr\rhere"],            # line breaks inside arguments
])
@pytest.mark.parametrize("op", ["validate", "compact", "parse"])
def test_csv_output_reads_back_as_written(values, op):
    import csv
    code, out, _ = run("luhn", "--csv", "--op", op, "-q", "--", *values)
    rows = list(csv.reader(out.splitlines(keepends=True)))
    assert [r[0] for r in rows[1:]] == values and code in (0, 1)
    assert len({len(r) for r in rows}) == 1


def test_no_values_from_a_terminal_is_usage():
    # Standard input is read only when it is not a terminal.
    pty = pytest.importorskip("pty")
    leader, follower = pty.openpty()
    try:
        p = subprocess.run([sys.executable, "-m", "orvane_vardik", "luhn"], stdin=follower,
                           capture_output=True, text=True, timeout=60)
    finally:
        os.close(leader)
        os.close(follower)
    assert p.returncode == 2 and "no values given" in p.stderr


def test_keep_joins_back_to_the_input(tmp_path):
    rows = [["id", "iban"]] + [[str(i), v] for i, v in enumerate(
        ["GB29 NWBK 6016 1331 9268 19", "GB28NWBK60161331926819", "", "DE89370400440532013000"])]
    path = tmp_path / "in.csv"
    path.write_text("".join(",".join(r) + "\n" for r in rows))
    code, out, _ = run("iban", "--keep", "--header", "--column", "2", "--file", str(path), "-q")
    import csv
    back = list(csv.reader(out.splitlines()))
    assert code == 1 and back[0] == ["id", "iban", "valid", "compact", "code", "message", "formatted"]
    assert [r[:2] for r in back] == rows
    for (_, value), got in zip(rows[1:], back[1:]):
        result = ov.validate("iban", value)
        assert got[2:4] == [str(result.valid).lower(), result.compact or ""]


def test_list():
    code, out, _ = run("--list")
    lines = out.splitlines()
    assert code == 0 and "luhn\tLuhn" in lines and "creditcard\tCredit Card Number" in lines


# Every sub-command, with output closed, full or gone, and input that is
# garbage: one line on standard error at most, never a traceback.
SUBCOMMAND_RUNS = [
    ["find"], ["find", "--json"], ["redact"], ["sample", "iban", "-n", "30000"], ["list"], ["list", "--json"],
    ["info", "iban"], ["info", "iban", "--json"], ["find", "--help"], ["luhn"],
]
HOSTILE_INPUT = b"4111111111111111 GB29NWBK60161331926819\n" * 5000 + b"\xff\xfe\x00\x80 garbage\r\n"


def _no_traceback(stderr: bytes) -> str:
    text = stderr.decode("utf-8", "replace")
    assert "Traceback" not in text and "Exception ignored" not in text, text
    return text


@pytest.mark.skipif(sys.platform == "win32", reason="POSIX descriptors")
@pytest.mark.parametrize("args", SUBCOMMAND_RUNS, ids=" ".join)
def test_subcommands_on_closed_full_and_gone_output(args):
    cmd = [sys.executable, "-m", "orvane_vardik", *args]
    # Closed: nothing can be written, said once, status 2 (as the checker does).
    p = subprocess.run(cmd, input=HOSTILE_INPUT, stderr=subprocess.PIPE, preexec_fn=lambda: os.close(1))
    err = _no_traceback(p.stderr)
    assert p.returncode == 2 and err.endswith(": error: standard output is closed\n") and err.count("\n") == 1
    # Gone (a reader that stopped reading): quiet.
    read_end, write_end = os.pipe()
    os.close(read_end)
    try:
        p = subprocess.run(cmd, input=HOSTILE_INPUT, stdout=write_end, stderr=subprocess.PIPE)
    finally:
        os.close(write_end)
    err = _no_traceback(p.stderr)
    assert "error" not in err or "line" in err  # find's note about the undecodable line may stay
    if os.path.exists("/dev/full"):
        with open("/dev/full", "wb") as full:
            p = subprocess.run(cmd, input=HOSTILE_INPUT, stdout=full, stderr=subprocess.PIPE)
        err = _no_traceback(p.stderr)
        assert p.returncode == 2 and "error:" in err


@pytest.mark.parametrize("args, message", [
    (["list", "--country", "XX"], "list: error: unknown country code: XX\n"),
    (["find", "--ids="], "find: error: --ids needs at least one name, not ''\n"),
    (["find", "--country", ","], "find: error: --country needs at least one name, not ','\n"),
    (["redact", "--ids", ""], "redact: error: --ids needs at least one name, not ''\n"),
])
def test_empty_or_unknown_selection_is_an_error(args, message):
    code, out, err = run(*args, stdin=b"4111111111111111\n")
    assert code == 2 and out == "" and err.endswith(message)
