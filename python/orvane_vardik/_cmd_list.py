"""`python -m orvane_vardik list [--country XX] [--json]`: the identifier kinds.

The facts per kind are those of docs/identifiers.md (scripts/gen_identifiers_doc.py
builds that page from `facts` here), so the page and the command never differ.
"""
from __future__ import annotations

import json
import os
import sys
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from . import _api, _native
from .cli import UsageError, _reconfigure, option_value, prog_name, silence_closed_pipe

if TYPE_CHECKING:
    from typing import Any, TextIO

HELP = """\
List every identifier kind: its id, country and name.

  --country XX       only the kinds of country XX (ISO 3166-1 alpha-2, any
                     case); --country global lists the kinds of no country
  --json             JSON Lines: one object per kind with every fact that
                     `info ID` shows
  -h, --help         print this help

Exit status: 0 done, 2 bad usage.
"""

# What a kind checks beyond its shape, in the finder's words.
CHECK_NAMES = {"checksum": "check digit", "component": "component rule", "shape": "shape only"}


def check_kinds() -> dict[str, str]:
    """id -> "checksum", "component" or "shape", from the text finder's table."""
    from . import _find

    return {row[0]: row[1] for row in _find.kinds()}


def facts(meta: Any, documented: frozenset[str], checks: dict[str, str]) -> dict[str, Any]:
    """The published facts of one kind, keys in display order."""
    from ._reference import facts as reference

    example = meta.examples[0] if meta.examples else None
    extra = reference(meta)
    return {
        "id": meta.id,
        "name": meta.name,
        "local_name": meta.local_name,
        "country": meta.country,
        "issuer": extra["issuer"],
        "lengths": extra["lengths"],
        "example": example,
        "formatted": _api.format(meta.id, example) if example is not None else None,
        "parses": meta.can_parse,
        "generates": meta.can_generate,
        "check": checks.get(meta.id),
        "extended": meta.id not in documented,
        "aliases": meta.aliases,
        "abbreviation": meta.abbreviation,
        "entity_type": meta.entity_type,
        "candidate_pattern": meta.candidate_pattern,
        "description": extra["description"],
        "source_url": meta.source_url,
    }


def all_facts() -> list[dict[str, Any]]:
    documented = frozenset(_native.validator_ids())
    checks = check_kinds()
    return [facts(meta, documented, checks) for meta in _api.validators()]


def one_facts(id: str) -> dict[str, Any]:
    """Raises the documented KeyError (with its closest-id note) for an unknown id."""
    meta = _api.validator_metadata(id)
    return facts(meta, frozenset(_native.validator_ids()), check_kinds())


def key_error_text(exc: KeyError) -> str:
    """The KeyError's text with its suggestion, as one line."""
    text = str(exc.args[0]) if exc.args else "unknown validator id"
    notes = getattr(exc, "__notes__", ())
    return text + "".join(f"; {note}" for note in notes)


def _select(rows: list[dict[str, Any]], country: str | None) -> list[dict[str, Any]]:
    if country is None:
        return rows
    if country.lower() == "global":
        return [row for row in rows if row["country"] is None]
    wanted = country.upper()
    return [row for row in rows if row["country"] == wanted]


def write_json(out: TextIO, rows: list[dict[str, Any]]) -> None:
    out.write("".join(json.dumps(row, ensure_ascii=False) + "\n" for row in rows))


def _write_text(out: TextIO, rows: list[dict[str, Any]]) -> None:
    width = max((len(row["id"]) for row in rows), default=0)
    lines = []
    for row in rows:
        mark = "  (extended)" if row["extended"] else ""
        lines.append(f"{row['id']:<{width}}  {row['country'] or '--'}  {row['name']}{mark}\n")
    out.write("".join(lines))


def parse_args(args: list[str]) -> tuple[str | None, bool, bool]:
    country: str | None = None
    as_json = show_help = False
    i = 0
    while i < len(args):
        name, eq, value = args[i].partition("=")
        i += 1
        if name in ("-h", "--help"):
            show_help = True
        elif name == "--json" and not eq:
            as_json = True
        elif name == "--country":
            value, i = option_value(name, eq, value, args, i)
            if not (value.lower() == "global" or (len(value) == 2 and value.isascii() and value.isalpha())):
                raise UsageError(f"--country needs a two-letter code or 'global', not {value!r}")
            country = value
        else:
            raise UsageError(f"unexpected argument {args[i - 1]!r}")
    return country, as_json, show_help


def run_command(name: str, synopsis: str, body: Any, args: list[str]) -> int:
    """Runs `body(args, out)` with the sub-commands' error conventions: one
    line on stderr and status 2 for bad usage or an unknown id, a closed
    pipe ends quietly."""
    prog = f"{prog_name()} {name}"
    err = sys.stderr if sys.stderr is not None else open(os.devnull, "w")
    out = sys.stdout
    try:
        _reconfigure(out)
        status: int = body(args, out)
        out.flush()
        return status
    except UsageError as exc:
        err.write(f"usage: {prog} {synopsis}\n{prog}: error: {exc}\n")
    except KeyError as exc:
        err.write(f"{prog}: error: {key_error_text(exc)}\n")
    except UnicodeError:
        err.write(f"{prog}: error: the ID is not valid text\n")
    except BrokenPipeError:
        silence_closed_pipe(out)
        return 0
    return 2


SYNOPSIS = "[--country XX] [--json]"


def _body(args: list[str], out: TextIO) -> int:
    country, as_json, show_help = parse_args(args)
    if show_help:
        out.write(f"usage: {prog_name()} list {SYNOPSIS}\n\n{HELP}")
        return 0
    rows = _select(all_facts(), country)
    if country is not None and not rows:
        # As `find --country` does: a code no kind belongs to is an error.
        raise KeyError(f"unknown country code: {country.upper()}")
    (write_json if as_json else _write_text)(out, rows)
    return 0


def main(args: list[str]) -> int:
    return run_command("list", SYNOPSIS, _body, args)
