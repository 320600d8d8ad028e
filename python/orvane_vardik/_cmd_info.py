"""`python -m orvane_vardik info ID [--json]`: every fact about one kind."""
from __future__ import annotations

TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from ._cmd_list import CHECK_NAMES, one_facts, run_command, write_json
from .cli import UsageError, prog_name

if TYPE_CHECKING:
    from typing import Any, TextIO

HELP = """\
Show what the registry knows about one identifier kind: names, country,
lengths, an example and its formatted form, what it checks, whether it parses
and generates.

  --json             one JSON object (the keys of `list --json`)
  -h, --help         print this help

Exit status: 0 done, 2 bad usage or an unknown ID (the closest ids are named).
"""

SYNOPSIS = "ID [--json]"

LABELS = (
    ("id", "id"), ("name", "name"), ("local_name", "local name"),
    ("abbreviation", "abbreviation"), ("country", "country"), ("issuer", "issuer"), ("entity_type", "entity"),
    ("lengths", "lengths"), ("example", "example"), ("formatted", "formatted"),
    ("check", "check"), ("parses", "parses"), ("generates", "generates"),
    ("extended", "extended"), ("aliases", "aliases"), ("candidate_pattern", "pattern"),
    ("description", "description"), ("source_url", "source"),
)


def show(value: Any, key: str) -> str:
    """One fact as the reference page and `info` write it."""
    if value is None:
        return "-"
    if key == "check":
        return CHECK_NAMES.get(value, str(value))
    if isinstance(value, bool):
        return "yes" if value else "no"
    if isinstance(value, list):
        return ", ".join(str(v) for v in value) or "-"
    return str(value)


def _body(args: list[str], out: TextIO) -> int:
    ids = [a for a in args if not a.startswith("-") or a == "-"]
    flags = [a for a in args if a.startswith("-") and a != "-"]
    for flag in flags:
        if flag in ("-h", "--help"):
            out.write(f"usage: {prog_name()} info {SYNOPSIS}\n\n{HELP}")
            return 0
        if flag != "--json":
            raise UsageError(f"unknown option {flag!r}")
    if len(ids) != 1:
        raise UsageError("give one validator ID" if not ids else f"one validator ID only, not also {ids[1]!r}")
    row = one_facts(ids[0])
    if "--json" in flags:
        write_json(out, [row])
        return 0
    width = max(len(label) for _, label in LABELS)
    out.write("".join(f"{label + ':':<{width + 1}} {show(row[key], key)}\n" for key, label in LABELS))
    return 0


def main(args: list[str]) -> int:
    return run_command("info", SYNOPSIS, _body, args)
