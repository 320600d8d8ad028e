"""`python -m orvane_vardik describe ID VALUE [--json]`: what a value means."""
from __future__ import annotations

import sys

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from ._cmd_list import run_command
from .cli import UsageError, prog_name

if TYPE_CHECKING:
    from typing import Any, TextIO

HELP = """\
Show what registries say about one valid value: an ISBN's group, agency,
registrant and hyphenated form; an IMSI's country and operator; a MAC
address's vendor and whether it is locally administered or multicast; an
ISIL's agency; birth date and gender where the kind encodes them; the
issuing country.

  --json             one JSON object (dates as YYYY-MM-DD)
  -h, --help         print this help

Exit status: 0 described, 1 the value is not valid for ID, 2 bad usage or an
unknown ID (the closest ids are named).
"""

SYNOPSIS = "ID VALUE [--json]"


def _show(value: Any) -> str:
    if value is None:
        return "-"
    if isinstance(value, bool):
        return "yes" if value else "no"
    if isinstance(value, dict):
        return ", ".join(f"{k}={v}" for k, v in value.items()) or "-"
    if isinstance(value, (list, tuple)):
        return ", ".join(_show(v) if not isinstance(v, tuple) else "=".join(map(str, v)) for v in value) or "-"
    return str(value)


def _body(args: list[str], out: TextIO) -> int:
    words: list[str] = []
    flags: list[str] = []
    rest = False
    for arg in args:
        if rest or arg == "-" or not arg.startswith("-"):
            words.append(arg)
        elif arg == "--":
            rest = True
        else:
            flags.append(arg)
    for flag in flags:
        if flag in ("-h", "--help"):
            out.write(f"usage: {prog_name()} describe {SYNOPSIS}\n\n{HELP}")
            return 0
        if flag != "--json":
            raise UsageError(f"unknown option {flag!r} (a value that starts with '-' goes after '--')")
    if len(words) != 2:
        raise UsageError("give a validator ID and one value")
    from .facts import describe

    facts = describe(words[0], words[1])
    if facts is None:
        err = sys.stderr
        if err is not None:
            err.write(f"{prog_name()} describe: {words[1]!r} is not a valid {words[0]}\n")
        return 1
    if "--json" in flags:
        import json

        out.write(json.dumps(facts, ensure_ascii=False, default=str) + "\n")
        return 0
    width = max(len(key) for key in facts)
    out.write("".join(f"{key + ':':<{width + 1}} {_show(value)}\n" for key, value in facts.items()))
    return 0


def main(args: list[str]) -> int:
    if sys.stdout is None:
        if sys.stderr is not None:
            sys.stderr.write(f"{prog_name()} describe: error: standard output is closed\n")
        return 2
    return run_command("describe", SYNOPSIS, _body, args)
