"""Command-line entry: check identifiers from the shell.

    python -m orvane_vardik ID VALUE...   check each VALUE with validator ID
    python -m orvane_vardik --list        list the validator ids and names

Exit status: 0 when every value is valid, 1 when any is not, 2 for an
unknown id or bad usage.
"""
from __future__ import annotations

import sys

from . import _native

USAGE = "usage: python -m orvane_vardik ID VALUE... | --list"


def _list(out) -> int:
    for meta in _native.validators():
        out.write(f"{meta.id}\t{meta.name}\n")
    return 0


def _check(validator_id: str, values: list[str], out) -> int:
    status = 0
    for value in values:
        result = _native.validate(validator_id, value)
        formatted = _native.format(validator_id, value)
        if result.valid:
            out.write(f"{value!r}: valid\n  compact: {result.compact}\n  formatted: {formatted}\n")
        else:
            status = 1
            err = result.error
            out.write(f"{value!r}: invalid\n  error: {err.code}: {err.message}\n  formatted: {formatted}\n")
    return status


def main(argv: list[str] | None = None) -> int:
    args = sys.argv[1:] if argv is None else list(argv)
    if args in (["-h"], ["--help"]):
        sys.stdout.write(USAGE + "\n")
        return 0
    if args == ["--list"]:
        return _list(sys.stdout)
    if len(args) < 2 or args[0].startswith("-"):
        sys.stderr.write(USAGE + "\n")
        return 2
    validator_id, values = args[0], args[1:]
    try:
        _native.validator_metadata(validator_id)
    except KeyError:
        sys.stderr.write(f"error: unknown validator id: {validator_id} (see --list)\n")
        return 2
    return _check(validator_id, values, sys.stdout)


if __name__ == "__main__":
    sys.exit(main())
