"""`python -m orvane_vardik sample ID -n N`: valid sample values, one per line.

The values are those of ``orvane_vardik.sample(ID, N, seed=S, country=XX)``,
written in blocks so that memory stays bounded whatever N is.
"""
from __future__ import annotations

import os
import sys

from .cli import UsageError, _number, _reconfigure, option_value, prog_name

HELP = """\
Print N valid values of the validator ID, drawn across its valid space.

  -n N, --count N    how many values (default 10)
  --seed S           draw reproducibly: the same S gives the same values
  --country XX       iban, eu.vat: only this country (default: every country)
  --json             JSON Lines: {"value": ...} per value
  --csv              CSV with a "value" header line
  -h, --help         print this help

Exit status: 0 done, 2 bad usage, an unknown ID or one that cannot be sampled.
"""

# Values per block: the seeding of sample() restarts its stream every this
# many values, so block k is sample(ID, BLOCK, seed=block_seed(S, k)).
BLOCK = 65536
_MASK = (1 << 64) - 1


def block_seed(seed: int, block: int) -> int:
    return (seed & _MASK) ^ ((block * 0xD1B54A32D192ED03) & _MASK)


class Options:
    def __init__(self) -> None:
        self.id: str | None = None
        self.count = 10
        self.seed: int | None = None
        self.country: str | None = None
        self.style = "text"
        self.help = False


def parse_args(args: list[str]) -> Options:
    opts = Options()
    i = 0
    while i < len(args):
        arg = args[i]
        i += 1
        name, eq, value = arg.partition("=") if arg.startswith("-") else (arg, "", "")
        if name in ("-h", "--help"):
            opts.help = True
        elif name in ("--json", "--csv"):
            if opts.style != "text":
                raise UsageError("--json and --csv cannot be combined")
            opts.style = name[2:]
        elif name in ("-n", "--count", "--seed", "--country"):
            value, i = option_value(name, eq, value, args, i)
            if name == "--country":
                opts.country = value
            elif name == "--seed":
                try:
                    opts.seed = int(value, 0)
                except ValueError:
                    raise UsageError(f"--seed needs a whole number, not {value!r}") from None
            else:
                opts.count = _number(name, value, 0)
        elif arg.startswith("-") and arg != "-":
            raise UsageError(f"unknown option {arg!r}")
        elif opts.id is None:
            opts.id = arg
        else:
            raise UsageError(f"one validator ID only, not also {arg!r}")
    if opts.id is None and not opts.help:
        raise UsageError("no validator ID given")
    return opts


def run(opts: Options) -> None:
    from . import _data
    from ._output import make_writer

    assert opts.id is not None
    seed = opts.seed if opts.seed is not None else int.from_bytes(os.urandom(8), "little")
    writer = make_writer("generate", opts.id, sys.stdout, opts.style, False)
    for block, start in enumerate(range(0, opts.count, BLOCK)):
        n = min(BLOCK, opts.count - start)
        writer.feed(_data.sample(opts.id, n, block_seed(seed, block), opts.country))
    if opts.count == 0:  # still reports an unknown id or country
        _data.sample(opts.id, 0, seed, opts.country)


def main(args: list[str]) -> int:
    prog = f"{prog_name()} sample"
    err = sys.stderr if sys.stderr is not None else open(os.devnull, "w")
    try:
        opts = parse_args(args)
        if opts.help:
            sys.stdout.write(f"usage: {prog} ID [-n N] [--seed S] [--country XX] [--json | --csv]\n\n{HELP}")
            return 0
        _reconfigure(sys.stdout)
        run(opts)
        sys.stdout.flush()
        return 0
    except UsageError as exc:
        err.write(f"usage: {prog} ID [-n N] [--seed S] [--country XX] [--json | --csv]\n{prog}: error: {exc}\n")
    except KeyError as exc:
        err.write(f"{prog}: error: {exc.args[0] if exc.args else exc}\n")
    except (ValueError, MemoryError) as exc:
        err.write(f"{prog}: error: {exc or 'not enough memory'}\n")
    except BrokenPipeError:
        # The reader went away (| head): stop quietly, and keep the interpreter
        # from failing again when it flushes standard output at exit.
        try:
            devnull = os.open(os.devnull, os.O_WRONLY)
            os.dup2(devnull, sys.stdout.fileno())
        except (OSError, ValueError):
            pass
        return 0
    return 2
