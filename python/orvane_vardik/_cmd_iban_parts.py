"""`python -m orvane_vardik iban-parts [IBAN ...]`: the parts of IBANs and their bank.

Each value (the arguments, or the lines of standard input when there are
none) gives one row: the value, whether it is a valid IBAN, and the fields of
``orvane_vardik.iban_parts`` (empty or null for an invalid one), as CSV with
a header line or as JSON Lines. Input is read and written in blocks, so
memory stays bounded whatever its size.
"""
from __future__ import annotations

import csv
import io
import json
import os
import sys
from collections.abc import Iterable, Iterator
from typing import TextIO

from .cli import UsageError, _reconfigure, option_value, prog_name

FIELDS = ("iban", "country", "check_digits", "bban", "bank_code", "branch_code", "account", "bank_name",
          "bank_short_name", "bic", "national_check")

USAGE = "[IBAN ...] [--csv | --json] [--fields F,F,...]"

HELP = f"""\
Print the parts of each IBAN and its bank: the IBAN arguments, or one per
line from standard input when none is given.

  --csv              CSV with a header line (the default)
  --json             JSON Lines: one object per value
  --fields F,F,...   the fields to print (default: all), from
                     {", ".join(FIELDS)}
  -h, --help         print this help

Every row starts with the value as given and "valid" (whether it is a valid
IBAN); the fields of an invalid value are empty (CSV) or null (JSON).
"national_check" tells whether the national check digits inside the BBAN
hold (empty or null where the country has none).

Exit status: 0 done (whatever the values), 2 bad usage.
"""

BLOCK = 65536


class Options:
    def __init__(self) -> None:
        self.values: list[str] = []
        self.style = "csv"
        self.fields: tuple[str, ...] = FIELDS
        self.help = False


def parse_args(args: list[str]) -> Options:
    opts = Options()
    styled = False
    i = 0
    while i < len(args):
        arg = args[i]
        i += 1
        name, eq, value = arg.partition("=") if arg.startswith("--") else (arg, "", "")
        if name in ("-h", "--help"):
            opts.help = True
        elif name in ("--json", "--csv"):
            if styled and opts.style != name[2:]:
                raise UsageError("--json and --csv cannot be combined")
            styled = True
            opts.style = name[2:]
        elif name == "--fields":
            value, i = option_value(name, eq, value, args, i)
            fields = tuple(f.strip() for f in value.split(",") if f.strip())
            unknown = [f for f in fields if f not in FIELDS]
            if unknown or not fields:
                raise UsageError(f"--fields takes names from {', '.join(FIELDS)}; not {value!r}")
            opts.fields = fields
        elif arg == "--":
            opts.values.extend(args[i:])
            break
        elif arg.startswith("-") and arg != "-":
            raise UsageError(f"unknown option {arg!r} (an IBAN never starts with '-'; put values after --)")
        else:
            opts.values.append(arg)
    return opts


def _stdin_lines() -> Iterator[str]:
    stream = sys.stdin
    if stream is None:
        return
    binary = getattr(stream, "buffer", None)
    source: Iterable[str] = (io.TextIOWrapper(binary, encoding="utf-8", errors="surrogateescape", newline=None)
                             if binary is not None else stream)
    for line in source:
        yield line.rstrip("\r\n")


def _blocks(values: Iterable[str]) -> Iterator[list[str]]:
    block: list[str] = []
    for v in values:
        block.append(v)
        if len(block) == BLOCK:
            yield block
            block = []
    if block:
        yield block


def run(opts: Options, out: TextIO) -> None:
    from . import columns

    header = ("value", "valid") + opts.fields
    writer = csv.writer(out, lineterminator="\n") if opts.style == "csv" else None
    if writer is not None:
        writer.writerow(header)
    source = opts.values if opts.values else _stdin_lines()
    for block in _blocks(source):
        # Text that is not UTF-8 (lone surrogates from undecodable bytes) is no IBAN.
        clean = [v if v.isascii() or _encodable(v) else None for v in block]
        parts = columns.iban_parts(clean).to_pylist()
        for value, p in zip(block, parts):
            if p:
                p["iban"] = p["country"] + p["check_digits"] + p["bban"]
            shown = value.encode("utf-8", "surrogateescape").decode("utf-8", "replace")
            if writer is not None:
                row = [shown, "true" if p else "false"]
                for f in opts.fields:
                    v = p.get(f) if p else None
                    row.append("" if v is None else ("true" if v is True else "false" if v is False else v))
                writer.writerow(row)
            else:
                obj = {"value": shown, "valid": p is not None}
                for f in opts.fields:
                    obj[f] = p.get(f) if p else None
                out.write(json.dumps(obj, ensure_ascii=False) + "\n")


def _encodable(v: str) -> bool:
    try:
        v.encode("utf-8")
    except UnicodeEncodeError:
        return False
    return True


def main(args: list[str]) -> int:
    prog = f"{prog_name()} iban-parts"
    err = sys.stderr if sys.stderr is not None else open(os.devnull, "w")
    out = sys.stdout
    if out is None:
        err.write(f"{prog}: error: standard output is closed\n")
        return 2
    try:
        opts = parse_args(args)
        if opts.help:
            out.write(f"usage: {prog} {USAGE}\n\n{HELP}")
            return 0
        _reconfigure(out)
        run(opts, out)
        out.flush()
        return 0
    except UsageError as exc:
        err.write(f"usage: {prog} {USAGE}\n{prog}: error: {exc}\n")
    except (ValueError, MemoryError, RuntimeError) as exc:
        err.write(f"{prog}: error: {exc or 'not enough memory'}\n")
    except BrokenPipeError:
        try:
            devnull = os.open(os.devnull, os.O_WRONLY)
            os.dup2(devnull, out.fileno())
        except (OSError, ValueError):
            pass
        return 0
    return 2
