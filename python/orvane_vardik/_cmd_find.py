"""`python -m orvane_vardik find [FILE|-]`: the identifiers in a text, one line each.

The input is read in blocks and scanned as one text, a window at a time
(windows overlap by the engine's reach, so a match across a block boundary
or in the middle of a 100 MB line is found exactly as `find` finds it on
the whole text). Memory stays bounded whatever the size of the file or of
its longest line. `_cmd_redact` streams through the same `TextStream`.
"""
from __future__ import annotations

import codecs
import json
import os
import sys
from typing import TYPE_CHECKING

from .cli import UsageError, option_value, prog_name

if TYPE_CHECKING:
    from collections.abc import Callable, Iterator
    from typing import BinaryIO, TextIO

HELP = """\
Print each identifier found in FILE (or standard input, when FILE is - or
absent): line number and column (both from 1; the column counts characters),
id, compact form and confidence, separated by tabs.

  --ids ID,...           look for these validator ids only (default: all)
  --country XX,...       only kinds of these countries, plus the
                         international ones (IBAN, card numbers, ...)
  --min-confidence C     checksum (default), component or shape: weaker
                         matches are dropped
  --include-invalid      also report well-shaped candidates that fail their
                         check (marked "invalid")
  --json                 JSON Lines: line, column, id, text, compact, valid,
                         confidence
  -q, --quiet            no progress bar
  -h, --help             print this help

Input is UTF-8 (lines end at LF or CRLF); it is streamed, so any file size
and any line length work in bounded memory. A progress bar is drawn on
standard error when it is a terminal and the input is a file.

Exit status (as grep): 0 something was found, 1 nothing was found, 2 bad
usage, an unknown id or country, or an input error (a file that cannot be
read, bytes that are not UTF-8: they count as one character each and the
scan goes on). A closed output pipe ends the run quietly.
"""

READ = 1 << 20  # bytes read per call
WINDOW = 1 << 20  # characters scanned per engine call, besides the overlap
_BAD_BYTES = {c: 0xFFFD for c in range(0xDC80, 0xDD00)}


class Options:
    def __init__(self) -> None:
        self.ids: tuple[str, ...] | None = None
        self.countries: tuple[str, ...] | None = None
        self.min_confidence = "checksum"
        self.include_invalid = False
        self.json = False
        self.quiet = False
        self.help = False
        self.path = "-"


def _list(value: str) -> tuple[str, ...]:
    return tuple(v.strip() for v in value.split(",") if v.strip())


def parse_args(args: list[str], command: str) -> Options:
    """Options of `find` (and of `redact`, which takes the subset it knows)."""
    opts = Options()
    if command == "redact":
        opts.min_confidence = "component"  # as orvane_vardik.redact: recall first
    with_values = {"--ids", "--country", "--countries", "--min-confidence"}
    flags = {"-h", "--help", "-q", "--quiet"}
    if command == "find":
        flags |= {"--json", "--include-invalid"}
    paths: list[str] = []
    i = 0
    only_paths = False
    while i < len(args):
        arg = args[i]
        i += 1
        if only_paths or arg == "-" or not arg.startswith("-"):
            paths.append(arg)
            continue
        if arg == "--":
            only_paths = True
            continue
        name, eq, value = arg.partition("=")
        if name in with_values:
            value, i = option_value(name, eq, value, args, i)
            if name != "--min-confidence" and not _list(value):
                raise UsageError(f"{name} needs at least one name, not {value!r}")
            if name == "--ids":
                opts.ids = (opts.ids or ()) + _list(value)
            elif name == "--min-confidence":
                opts.min_confidence = value
            else:
                opts.countries = (opts.countries or ()) + _list(value)
        elif arg in flags:
            if arg in ("-h", "--help"):
                opts.help = True
            elif arg in ("-q", "--quiet"):
                opts.quiet = True
            elif arg == "--json":
                opts.json = True
            else:
                opts.include_invalid = True
        else:
            raise UsageError(f"unknown option {arg!r}")
    if len(paths) > 1:
        raise UsageError(f"one FILE only, not also {paths[1]!r}")
    if paths:
        opts.path = paths[0]
    return opts


class TextStream:
    """Scans a binary stream as one text, window by window.

    `matches()` yields (match, line, column) in text order with absolute
    str offsets in the match; `text(a, b)` gives the characters between
    two absolute offsets not yet dropped (everything from the last match
    reported, or from the end of the last window, onwards).
    """

    def __init__(self, stream: BinaryIO, opts: Options, progress: object | None = None) -> None:
        from . import _find

        self.stream = stream
        self.opts = opts
        self.progress = progress
        self.reach = _find.context()
        self.decoder = codecs.getincrementaldecoder("utf-8")("surrogateescape")
        self.buf = ""
        self.base = 0  # absolute offset of buf[0]
        self.done = 0  # matches starting before this were reported
        self.keep: int | None = None  # the caller still needs text from here
        self.on_window: Callable[[int], None] | None = None  # told each window's end
        self.bytes_read = 0
        self.bad_line = 0  # first line with bytes that are not UTF-8
        self.line = 1  # line number at `line_pos`
        self.line_pos = 0
        self.line_start = 0

    def text(self, a: int, b: int) -> str:
        return self.buf[a - self.base : b - self.base]

    def _fill(self) -> bool:
        data = self.stream.read(READ)
        self.bytes_read += len(data)
        if self.progress is not None:
            self.progress.update(self.bytes_read)  # type: ignore[attr-defined]
        self.buf += self.decoder.decode(data, final=not data)
        return bool(data)

    def _advance_lines(self, pos: int) -> None:
        seg = self.buf[self.line_pos - self.base : pos - self.base]
        n = seg.count("\n")
        if n:
            self.line += n
            self.line_start = self.line_pos + seg.rfind("\n") + 1
        self.line_pos = pos

    def _scan(self, lo: int, hi: int) -> list[tuple[str, int, int, str, bool, str]]:
        from . import _find

        o = self.opts
        try:
            return _find.scan(self.buf, o.ids, o.countries, o.include_invalid, o.min_confidence, lo, hi)
        except UnicodeEncodeError:
            # Bytes that are not UTF-8 were decoded as lone surrogates, one per
            # byte: scan a copy where each is U+FFFD, so offsets stay the same.
            if not self.bad_line:
                first = min(i for i, c in enumerate(self.buf) if 0xDC80 <= ord(c) < 0xDD00)
                self.bad_line = self.line + self.buf.count("\n", self.line_pos - self.base, first)
            clean = self.buf.translate(_BAD_BYTES)
            return _find.scan(clean, o.ids, o.countries, o.include_invalid, o.min_confidence, lo, hi)

    def matches(self) -> Iterator[tuple[tuple[str, int, int, str, bool, str], int, int]]:
        more = True
        while more:
            while more and len(self.buf) - (self.done - self.base) < WINDOW + self.reach:
                more = self._fill()
            end = len(self.buf) if not more else len(self.buf) - self.reach
            lo = self.done - self.base
            for m in self._scan(lo, end):
                kind, s, e, compact, valid, conf = m
                self._advance_lines(s + self.base)
                yield (kind, s + self.base, e + self.base, compact, valid, conf), self.line, s + self.base - self.line_start + 1
            self.done = end + self.base
            self._advance_lines(self.done)
            if self.on_window is not None:
                self.on_window(self.done)
            # Keep the engine's reach before the next window (context words,
            # a candidate that starts just before it) and anything not yet
            # handed on by the caller.
            keep = self.done - self.reach if self.keep is None else min(self.done - self.reach, self.keep)
            cut = keep - self.base
            if cut > 0:
                self.buf = self.buf[cut:]
                self.base += cut


def _format(m: tuple[str, int, int, str, bool, str], text: str, line: int, col: int, as_json: bool) -> str:
    kind, _, _, compact, valid, conf = m
    if as_json:
        return json.dumps({"line": line, "column": col, "id": kind, "text": text, "compact": compact,
                           "valid": valid, "confidence": conf}, ensure_ascii=False) + "\n"
    return f"{line}:{col}\t{kind}\t{compact}\t{conf}" + ("" if valid else "\tinvalid") + "\n"


def check_names(opts: Options) -> None:
    """Raises KeyError/ValueError for unknown ids, countries or confidence."""
    from . import _find

    _find.scan("", opts.ids, opts.countries, opts.include_invalid, opts.min_confidence)


def open_input(path: str, err: TextIO, quiet: bool) -> tuple[BinaryIO, object | None]:
    """The input stream and, on a terminal, a progress bar for a file."""
    from ._lines import Progress, file_size, stdin_binary

    if path == "-":
        stream = stdin_binary()
        if stream is None:
            raise OSError("cannot read standard input: it is closed")
        return stream, None
    try:
        handle = open(path, "rb")
    except OSError as exc:
        raise OSError(f"cannot read {path}: {exc.strerror or exc}") from None
    progress = None
    if not quiet and err.isatty():
        size = file_size(handle)
        if size is not None:
            progress = Progress(err, path, size)
    return handle, progress


def run(stream: BinaryIO, out: BinaryIO, opts: Options, progress: object | None = None) -> tuple[int, int]:
    """Writes the matches; returns (how many, first line not UTF-8 or 0)."""
    scanner = TextStream(stream, opts, progress)
    count = 0
    for m, line, col in scanner.matches():
        text = scanner.text(m[1], m[2])
        out.write(_format(m, text, line, col, opts.json).encode("utf-8", "surrogateescape"))
        count += 1
        if progress is not None:
            progress.values = count  # type: ignore[attr-defined]
    return count, scanner.bad_line


def command_main(args: list[str], command: str, help_text: str,
                 runner: Callable[[BinaryIO, BinaryIO, Options, object | None], tuple[int, int]]) -> int:
    """Shared frame of `find` and `redact`: options, errors and exit status.

    `runner` writes the command's output and returns (exit status, first
    line that is not UTF-8 or 0)."""
    prog = f"{prog_name()} {command}"
    err = sys.stderr if sys.stderr is not None else open(os.devnull, "w")
    usage = f"usage: {prog} [options] [FILE|-]\n"
    progress = None
    try:
        opts = parse_args(args, command)
        if opts.help:
            sys.stdout.write(usage + "\n" + help_text)
            return 0
        check_names(opts)
        stream, progress = open_input(opts.path, err, opts.quiet)
        try:
            out = sys.stdout.buffer
            status, bad_line = runner(stream, out, opts, progress)
            out.flush()
        finally:
            if progress is not None:
                progress.clear()  # type: ignore[attr-defined]
            if opts.path != "-":
                stream.close()
        if bad_line:
            err.write(f"{prog}: error: line {bad_line}: not UTF-8 (each such byte counted as one character)\n")
            return 2
        return status
    except UsageError as exc:
        err.write(f"{usage}{prog}: error: {exc}\n")
    except KeyError as exc:
        err.write(f"{prog}: error: {exc.args[0] if exc.args else exc}\n")
    except (ValueError, OSError, MemoryError) as exc:
        if isinstance(exc, BrokenPipeError):
            return _quiet_pipe()
        err.write(f"{prog}: error: {exc or 'not enough memory'}\n")
    except KeyboardInterrupt:
        return 130
    return 2


def _quiet_pipe() -> int:
    # The reader went away (| head): stop quietly, and keep the interpreter
    # from failing again when it flushes standard output at exit.
    try:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, sys.stdout.fileno())
    except (OSError, ValueError):
        pass
    return 0


def run_command(stream: BinaryIO, out: BinaryIO, opts: Options, progress: object | None) -> tuple[int, int]:
    count, bad = run(stream, out, opts, progress)
    return (0 if count else 1), bad


def main(args: list[str]) -> int:
    return command_main(args, "find", HELP, run_command)
