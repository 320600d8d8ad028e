"""The `find` and `redact` sub-commands: same answers as the Python API,
right line and column, streaming in windows, exit statuses."""
from __future__ import annotations

import io
import json
import subprocess
import sys

import pytest

import orvane_vardik as ov
from orvane_vardik import _cmd_find, _cmd_redact

IBAN = "DE89 3704 0044 0532 0130 00"
CARD = "4111 1111 1111 1111"

TEXTS = [
    f"Pay to IBAN {IBAN} today.",
    f"line one\nZahlung für Jürgen: {IBAN}\ncard ({CARD}).\n",
    f"CRLF\r\nendings\r\n\"{CARD}\", then GB29NWBK60161331926819.\r\n",
    f"日本語のテキスト 🙂🙂 {IBAN} — «{CARD}» ünïcødé\n\n\nlast: GB29 NWBK 6016 1331 9268 19",
    "no identifiers here 2024-01-31, +49 30 1234567, v1.2.3\n",
    "",
    f"{IBAN}",
]


def expected_rows(text: str, **kw: object) -> list[tuple[int, int, str, str, str, bool]]:
    rows = []
    for m in ov.find(text, **kw):  # type: ignore[arg-type]
        line_start = text.rfind("\n", 0, m.start) + 1
        rows.append((text.count("\n", 0, m.start) + 1, m.start - line_start + 1, m.id, m.compact, m.confidence, m.valid))
    return rows


def cli_rows(text: str, *args: str) -> list[tuple[int, int, str, str, str, bool]]:
    opts = _cmd_find.parse_args([*args, "--json"], "find")
    out = io.BytesIO()
    _cmd_find.run(io.BytesIO(text.encode()), out, opts)
    rows = []
    for line in out.getvalue().decode().splitlines():
        r = json.loads(line)
        rows.append((r["line"], r["column"], r["id"], r["compact"], r["confidence"], r["valid"]))
    return rows


def cli_redact(data: bytes, *args: str) -> bytes:
    out = io.BytesIO()
    _cmd_redact.run(io.BytesIO(data), out, _cmd_find.parse_args(list(args), "redact"))
    return out.getvalue()


@pytest.mark.parametrize("text", TEXTS)
def test_find_agrees_with_the_api(text):
    assert cli_rows(text) == expected_rows(text)


@pytest.mark.parametrize("text", TEXTS)
def test_redact_agrees_with_the_api(text):
    assert cli_redact(text.encode()) == ov.redact(text).encode()


@pytest.mark.parametrize(("args", "kw"), [
    (["--ids", "iban"], {"ids": ["iban"]}),
    (["--ids=creditcard,iban"], {"ids": ["creditcard", "iban"]}),
    (["--country", "GB"], {"countries": ["GB"]}),
    (["--include-invalid"], {"include_invalid": True}),
    (["--min-confidence", "shape"], {"min_confidence": "shape"}),
])
def test_options_reach_the_engine(args, kw):
    text = TEXTS[3] + " DE89 3704 0044 0532 0130 01"
    assert cli_rows(text, *args) == expected_rows(text, **kw)


def test_column_counts_characters_not_bytes():
    text = "ééé 日本 🙂 " + IBAN
    [(line, col, kind, *_)] = cli_rows(text)
    assert (line, col, kind) == (1, text.index("DE89") + 1, "iban")
    assert col == 10  # 9 characters (13 bytes of UTF-8) before it


# Tiny reads and windows put block and window edges everywhere: in the
# middle of multi-byte characters, of identifiers and of context words.
@pytest.mark.parametrize(("read", "window"), [(1, 1), (3, 7), (5, 64), (64, 5), (1000, 333)])
def test_long_line_streamed_in_windows(monkeypatch, read, window):
    pieces = [f"ü{i} IBAN {IBAN}, 🙂 card {CARD}; €{i},00 " for i in range(40)]
    text = "".join(pieces)  # one line, many windows long
    expected_find = cli_rows(text)
    expected_redact = cli_redact(text.encode())
    monkeypatch.setattr(_cmd_find, "READ", read)
    monkeypatch.setattr(_cmd_find, "WINDOW", window)
    assert cli_rows(text) == expected_find == expected_rows(text)
    assert cli_redact(text.encode()) == expected_redact == ov.redact(text).encode()
    multi = text.replace("; ", ";\n")
    assert cli_rows(multi) == expected_rows(multi)


def test_bytes_that_are_not_utf8_are_kept_by_redact(monkeypatch):
    monkeypatch.setattr(_cmd_find, "WINDOW", 16)
    data = b"\xff\xfe head " + IBAN.encode() + b" \xc3 tail \x80\n" + CARD.encode() + b" \xe2\x82"
    got = cli_redact(data)
    assert got == data.replace(IBAN.encode(), ov.redact(IBAN).encode()).replace(CARD.encode(), ov.redact(CARD).encode())
    rows = cli_rows(data.decode("utf-8", "replace").replace("\ufffd", "?"))
    assert [r[2] for r in rows] == ["iban", "creditcard"]


def run_cli(*args: str, stdin: bytes = b"") -> subprocess.CompletedProcess[bytes]:
    return subprocess.run([sys.executable, "-m", "orvane_vardik", *args], input=stdin, capture_output=True,
                          timeout=120)


@pytest.mark.parametrize(("args", "stdin", "status", "stdout", "stderr"), [
    (["find"], f"a {IBAN}\n".encode(), 0, f"1:3\tiban\t{IBAN.replace(' ', '')}\tchecksum\n", ""),
    (["find", "-"], b"nothing to see 12345\n", 1, "", ""),
    (["find", "--ids", "no_such_id"], b"", 2, "", "no_such_id"),
    (["find", "--country", "QQ"], b"", 2, "", "QQ"),
    (["find", "--min-confidence", "sure"], b"", 2, "", "sure"),
    (["find", "--bogus"], b"", 2, "", "--bogus"),
    (["find", "/no/such/file"], b"", 2, "", "/no/such/file"),
    (["find", "a", "b"], b"", 2, "", "one FILE"),
    (["find"], b"\xff " + IBAN.encode(), 2, "1:3\tiban", "not UTF-8"),
    (["redact"], f"x {CARD}.".encode(), 0, "x **** **** **** ****.", ""),
    (["redact"], b"nothing", 0, "nothing", ""),
    (["redact", "--ids", "nope"], b"", 2, "", "nope"),
])
def test_exit_statuses(args, stdin, status, stdout, stderr):
    done = run_cli(*args, stdin=stdin)
    assert done.returncode == status
    assert done.stdout.decode().startswith(stdout)
    err = done.stderr.decode()
    assert stderr in err and "Traceback" not in err
    assert len([x for x in err.splitlines() if ": error: " in x]) == (status == 2)


@pytest.mark.parametrize("command", ["find", "redact"])
def test_help_names_the_exit_statuses(command):
    done = run_cli(command, "--help")
    assert done.returncode == 0 and b"Exit status" in done.stdout


def test_file_argument(tmp_path):
    path = tmp_path / "in.txt"
    path.write_text(TEXTS[1], encoding="utf-8")
    done = run_cli("find", "--json", str(path))
    assert done.returncode == 0
    got = [json.loads(x)["compact"] for x in done.stdout.decode().splitlines()]
    assert got == [m.compact for m in ov.find(TEXTS[1])]


@pytest.mark.parametrize("args", [["--json"], ["--include-invalid"]])
def test_redact_refuses_the_options_of_find(args):
    done = run_cli("redact", *args, stdin=b"x")
    assert done.returncode == 2 and args[0].encode() in done.stderr
