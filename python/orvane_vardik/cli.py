"""The command line: `orvane-vardik` and `python -m orvane_vardik`.

Values come from arguments, standard input and files, are streamed in chunks
through `validate_many` (or the chosen operation) and written as text, JSON
Lines or CSV. Nothing here ends in a traceback: bad usage and unreadable input
give one line on standard error and status 2, a closed output pipe ends the
run quietly.
"""
from __future__ import annotations

import os
import sys
from collections.abc import Callable
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from . import __version__, _api
from ._lines import LineReader, Progress, csv_field, file_size, stdin_binary, stdin_piped
from ._output import make_writer, plural

if TYPE_CHECKING:  # annotations only: keep start-up light
    from collections.abc import Iterator
    from typing import BinaryIO, TextIO

CHUNK = 65536
OPS = ("validate", "compact", "format", "parse", "generate")

HELP = """\
Check, compact, format or parse identification numbers with the validator ID
(see --list), or generate valid ones.

Input: one value per line (UTF-8; LF, CRLF or CR line endings), from three
sources, read in this order:
  VALUE...           values given as arguments (one that starts with - goes
                     after --)
  -                  standard input, read at the place of the -
  --file PATH        the file PATH (may be repeated; --file - is standard input)
With no VALUE, - or --file, standard input is read when it is not a terminal
(a pipe or a redirected file).
Files and standard input are streamed: memory stays bounded whatever their size.
  --column N         take field N (counted from 1) of each CSV line of standard
                     input and files; a quoted field cannot span lines
  --delimiter C      field delimiter for --column: one character, or "tab" or
                     "\\t" for a tab (default ",")
  --header           skip the first line of standard input and of each file

Operation:
  --op OP            validate (default), compact, format, parse or generate
  --count N          how many values --op generate prints (default 1)

Output, on standard output:
  (default)          text: validity, compact form and formatted form (an invalid
                     value shows its error code and message instead)
  --json             JSON Lines, one object per value; validate gives the keys
                     value, valid, compact, code, message and formatted (null
                     where not applicable), other operations the value and
                     their result
  --csv              CSV with a header line and the same columns as --json
  --keep             CSV: each input record as read (all its fields, with
                     --column) followed by the result columns, so results join
                     back to their rows; with --header the input's header line
                     leads (the result columns' names appended), without it no
                     header line is written; the --delimiter is kept
  --only-invalid     print only failing values (validate: invalid ones; parse:
                     those without birth data)

Standard error gets a summary line (counts per error code), one line for each
input line that cannot be used (with its line number; the run goes on) and,
when it is a terminal and the input is a file, a progress bar.
  -q, --quiet        no summary line and no progress bar

Other:
  --list             list the validator ids and names
  --version          print the version
  -h, --help         print this help
  --                 end of options: every later argument is a value
Options may appear anywhere before --.

Exit status:
  0  every value is valid (parse: has birth data; compact, format and generate:
     the run completed)
  1  at least one value is invalid (parse: has no birth data)
  2  bad usage, an unknown ID, or an input error: a file that cannot be read, a
     line that is not UTF-8 or longer than 1 MiB, a CSV line without the field
A closed output pipe (as with | head) ends the run quietly with status 0.
"""

_FLAGS = {"--json", "--csv", "--keep", "--only-invalid", "--quiet", "-q", "--header",
          "--list", "--version", "--help", "-h"}
_WITH_VALUE = {"--file", "--column", "--delimiter", "--op", "--count"}


class UsageError(Exception):
    pass


def option_value(name: str, eq: str, value: str, args: list[str], i: int) -> tuple[str, int]:
    """The value of option `name` (written `name=value`, or as the next
    argument, args[i]) and the index of the argument after it."""
    if eq:
        return value, i
    if i == len(args):
        raise UsageError(f"{name} needs a value")
    return args[i], i + 1


class Options:
    def __init__(self) -> None:
        self.positional: list[str] = []
        self.files: list[str] = []
        self.flags: set[str] = set()
        self.column: int | None = None
        self.delimiter: str | None = None
        self.op = "validate"
        self.count: int | None = None


def prog_name() -> str:
    """The program as the user invoked it."""
    orig = getattr(sys, "orig_argv", [])
    if "-m" in orig[1:]:
        return f"{os.path.basename(orig[0]) or 'python'} -m orvane_vardik"
    name = os.path.basename(sys.argv[0]) if sys.argv and sys.argv[0] else ""
    if not name or name in ("__main__.py", "-c"):
        return "python -m orvane_vardik"
    return name


def usage(prog: str) -> str:
    pad = " " * len("usage: ")
    return (f"usage: {prog} [OPTIONS] ID [VALUE | -]...\n"
            f"{pad}{prog} [OPTIONS] ID --file PATH\n"
            f"{pad}{prog} [OPTIONS] ID --op generate [--count N]\n"
            f"{pad}{prog} --list | --help | --version\n")


def _number(option: str, text: str, least: int) -> int:
    try:
        n = int(text, 10)
    except ValueError:
        n = least - 1
    if n < least:
        raise UsageError(f"{option} needs a whole number of at least {least}, not {text!r}")
    return n


def parse_args(args: list[str]) -> Options:
    opts = Options()
    i = 0
    while i < len(args):
        arg = args[i]
        i += 1
        if arg == "--":
            opts.positional.extend(args[i:])
            break
        if not arg.startswith("-") or arg == "-":
            opts.positional.append(arg)
            continue
        name, eq, value = arg.partition("=")
        if name in _FLAGS and not eq:
            opts.flags.add({"-q": "--quiet", "-h": "--help"}.get(name, name))
            continue
        if name not in _WITH_VALUE:
            raise UsageError(f"unknown option {arg!r} (a value that starts with - goes after --)")
        value, i = option_value(name, eq, value, args, i)
        if name == "--file":
            opts.files.append(value)
        elif name == "--column":
            opts.column = _number(name, value, 1)
        elif name == "--count":
            opts.count = _number(name, value, 0)
        elif name == "--op":
            if value not in OPS:
                raise UsageError(f"--op must be one of {', '.join(OPS)}, not {value!r}")
            opts.op = value
        else:
            opts.delimiter = {"tab": "\t", "\\t": "\t"}.get(value, value)
            if len(opts.delimiter) != 1:
                raise UsageError(f"--delimiter needs one character, not {value!r}")
    return opts


def check_options(opts: Options) -> None:
    flags = opts.flags
    if "--json" in flags and "--csv" in flags:
        raise UsageError("--json and --csv cannot be combined")
    if "--keep" in flags and ("--json" in flags or opts.op == "generate"):
        raise UsageError("--keep writes CSV rows of the input: not with --json or --op generate")
    if opts.delimiter is not None and opts.column is None:
        raise UsageError("--delimiter needs --column")
    if "--only-invalid" in flags and opts.op not in ("validate", "parse"):
        raise UsageError("--only-invalid works with --op validate and --op parse")
    if opts.op == "generate":
        if len(opts.positional) > 1 or opts.files:
            raise UsageError("--op generate takes no values")
    elif opts.count is not None:
        raise UsageError("--count works with --op generate")
    elif len(opts.positional) < 2 and not opts.files:
        if not stdin_piped():
            raise UsageError("no values given: pass VALUE arguments, - for standard input, or --file PATH")
        opts.positional.append("-")


class Run:
    """One invocation: its diagnostics, its input sources and its output."""

    def __init__(self, prog: str, opts: Options, out: TextIO, err: TextIO) -> None:
        self.prog = prog
        self.opts = opts
        self.out = out
        self.err = err
        self.input_errors = 0
        self.progress: Progress | None = None
        # --keep: the input records of the chunk last yielded, and the
        # header line's fields (of the first source that has one).
        self.kept: list[list[str]] | None = [] if "--keep" in opts.flags else None
        self.header_fields: list[str] | None = None

    def report(self, message: str) -> None:
        self.input_errors += 1
        if self.progress is not None:
            self.progress.clear()
        self.err.write(f"{self.prog}: {message}\n")

    def arguments(self, values: list[str], first: int) -> Iterator[list[str]]:
        good = []
        for offset, value in enumerate(values):
            try:
                value.encode("utf-8")
            except UnicodeEncodeError:
                self.report(f"argument {first + offset}: not valid UTF-8; value skipped")
                continue
            good.append(value)
        for start in range(0, len(good), CHUNK):
            chunk = good[start:start + CHUNK]
            if self.kept is not None:
                self.kept[:] = [[v] for v in chunk]
            yield chunk

    def stream(self, stream: BinaryIO, name: str, progress: Progress | None) -> Iterator[list[str]]:
        reader = LineReader(stream, name, self.report, progress)
        runs = reader.runs()
        if "--header" in self.opts.flags:
            runs = self._skip_first(runs)
        if self.opts.column is not None:
            yield from csv_field(runs, self.opts.column, self.opts.delimiter or ",", name, self.report,
                                 self.kept)
        else:
            for _, lines in runs:
                if self.kept is not None:
                    self.kept[:] = [[v] for v in lines]
                yield lines

    def _skip_first(self, runs: Iterator[tuple[int, list[str]]]) -> Iterator[tuple[int, list[str]]]:
        for start, lines in runs:
            if start == 1 and lines:
                if self.header_fields is None and self.kept is not None:
                    self.header_fields = _header_fields(lines[0], self.opts)
                start, lines = 2, lines[1:]
            if lines:
                yield start, lines

    def sources(self, files: list[tuple[str, BinaryIO | None]]) -> Iterator[list[str]]:
        values = self.opts.positional[1:]
        pending: list[str] = []
        first = 1
        for index, value in enumerate(values):
            if value != "-":
                pending.append(value)
                continue
            yield from self.arguments(pending, first)
            pending, first = [], index + 2
            yield from self.stdin()
        yield from self.arguments(pending, first)
        show = "--quiet" not in self.opts.flags and self.err.isatty()
        for path, handle in files:
            if handle is None:
                yield from self.stdin()
                continue
            size = file_size(handle) if show else None
            self.progress = Progress(self.err, path, size) if size is not None else None
            try:
                yield from self.stream(handle, path, self.progress)
            finally:
                if self.progress is not None:
                    self.progress.clear()
                self.progress = None
                handle.close()

    def stdin(self) -> Iterator[list[str]]:
        stream = stdin_binary()
        if stream is None:
            self.report("cannot read standard input: it is closed")
            return
        yield from self.stream(stream, "<stdin>", None)


def _header_fields(line: str, opts: Options) -> list[str]:
    if opts.column is None:
        return [line]
    import csv

    return next(csv.reader((line,), delimiter=opts.delimiter or ","), [])


def _open_files(run: Run) -> list[tuple[str, BinaryIO | None]] | None:
    handles: list[tuple[str, BinaryIO | None]] = []
    failed = False
    for path in run.opts.files:
        if path == "-":
            handles.append((path, None))
            continue
        try:
            handles.append((path, open(path, "rb")))
        except OSError as exc:
            run.report(f"cannot read {path}: {exc.strerror or exc}")
            failed = True
    if failed:
        for _, handle in handles:
            if handle is not None:
                handle.close()
        return None
    return handles


def execute(prog: str, opts: Options, out: TextIO, err: TextIO) -> int:
    vid = opts.positional[0]
    try:
        meta = _api.validator_metadata(vid)
    except (KeyError, UnicodeError) as exc:
        # The KeyError's note names the closest ids, if any are close.
        notes = getattr(exc, "__notes__", ()) if isinstance(exc, KeyError) else ()
        hint = "".join(f"; {note}" for note in notes)
        err.write(f"{prog}: error: unknown validator id: {vid}{hint} (see --list)\n")
        return 2
    if opts.op == "generate" and not meta.can_generate:
        err.write(f"{prog}: error: validator {vid} cannot generate values\n")
        return 2
    flags = opts.flags
    style = "json" if "--json" in flags else "csv" if "--csv" in flags else "text"
    run = Run(prog, opts, out, err)
    files = _open_files(run)
    if files is None:
        return 2
    keep = "--keep" in flags
    # Kept records go out with the delimiter they came in with.
    delimiter = (opts.delimiter or ",") if keep else ","
    writer = make_writer(opts.op, vid, out, style, "--only-invalid" in flags, keep, delimiter)
    if opts.op == "generate":
        remaining = 1 if opts.count is None else opts.count
        while remaining:
            batch = [_api.generate(vid) for _ in range(min(remaining, CHUNK))]
            made = [v for v in batch if v is not None]
            if len(made) != len(batch):
                err.write(f"{prog}: error: validator {vid} cannot generate values\n")
                return 2
            writer.feed(made)
            remaining -= len(made)
        return 0
    share_terminal = out.isatty()
    header_due = keep and "--header" in flags
    for values in run.sources(files):
        if header_due and run.header_fields is not None:
            writer.keep_header(run.header_fields)
            header_due = False
        if values:
            if share_terminal and run.progress is not None:
                run.progress.clear()
            if run.kept is not None:
                writer.kept = run.kept
            writer.feed(values)
    if "--quiet" not in flags:
        out.flush()
        extra = f"; {plural(run.input_errors, 'input error')}" if run.input_errors else ""
        err.write(f"{writer.summary()}{extra}\n")
    if run.input_errors:
        return 2
    return 1 if writer.failed else 0


def _list(out: TextIO) -> int:
    out.write("".join(f"{meta.id}\t{meta.name}\n" for meta in _api.validators()))
    return 0


def silence_closed_pipe(out: TextIO) -> None:
    """The reader went away (| head): the run stops quietly, and this keeps the
    interpreter from failing again when it flushes standard output at exit."""
    try:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, out.fileno())
    except (OSError, ValueError):
        pass


def _reconfigure(stream: TextIO) -> None:
    # A value the output encoding cannot hold is written escaped, not raised.
    reconfigure = getattr(stream, "reconfigure", None)
    if reconfigure is not None:
        reconfigure(errors="backslashreplace")


def _main(args: list[str], out: TextIO, err: TextIO) -> int:
    prog = prog_name()
    try:
        opts = parse_args(args)
        if "--help" in opts.flags:
            out.write(usage(prog) + "\n" + HELP)
            return 0
        if "--version" in opts.flags:
            out.write(f"{prog} {__version__}\n")
            return 0
        if "--list" in opts.flags:
            return _list(out)
        if not opts.positional:
            raise UsageError("no validator ID given")
        check_options(opts)
    except UsageError as exc:
        err.write(f"{usage(prog)}{prog}: error: {exc}\n")
        return 2
    return execute(prog, opts, out, err)


# Sub-commands beyond checking values with one id. No validator id has one
# of these names; each lives in its own module, `_cmd_<name>`, with a
# `main(args) -> int` that keeps the exit-status conventions.
SUBCOMMANDS = ("find", "redact", "sample", "list", "info", "iban-parts", "describe")


def _run_subcommand(name: str, run: Callable[[list[str]], int], args: list[str]) -> int:
    """Output faults common to every sub-command: standard output closed at
    start, a reader gone (quiet, status 0), output that cannot be written
    (a full disk: one line, status 2)."""
    prog = f"{prog_name()} {name}"
    err = sys.stderr if sys.stderr is not None else open(os.devnull, "w")
    if sys.stdout is None:
        err.write(f"{prog}: error: standard output is closed\n")
        return 2
    try:
        return run(args)
    except BrokenPipeError:
        silence_closed_pipe(sys.stdout)
        return 0
    except OSError as exc:
        # What is still buffered cannot be written either: drop it, so that
        # the interpreter does not fail again when it flushes at exit.
        silence_closed_pipe(sys.stdout)
        try:
            err.write(f"{prog}: error: cannot write output: {exc.strerror or exc}\n")
        except OSError:
            pass
        return 2


def main(argv: list[str] | None = None) -> int:
    args = sys.argv[1:] if argv is None else list(argv)
    if args and args[0] in SUBCOMMANDS:
        import importlib

        command = importlib.import_module(f"{__package__}._cmd_{args[0].replace('-', '_')}")
        return _run_subcommand(args[0], command.main, args[1:])
    out, err = sys.stdout, sys.stderr
    if err is None:  # started with standard error closed
        err = open(os.devnull, "w")
    if out is None:
        err.write(f"{prog_name()}: error: standard output is closed\n")
        return 2
    _reconfigure(out)
    _reconfigure(err)
    try:
        status = _main(args, out, err)
        out.flush()
        return status
    except BrokenPipeError:
        silence_closed_pipe(out)
        return 0
    except OSError as exc:  # output that cannot be written, such as a full disk
        try:
            err.write(f"{prog_name()}: error: cannot write output: {exc.strerror or exc}\n")
        except OSError:
            pass
        return 2
    except KeyboardInterrupt:
        return 130
