"""`python -m orvane_vardik redact [FILE|-]`: the text with its identifiers masked.

Streams through the same window-by-window scan as `find`, so the output is
`orvane_vardik.redact` of the whole input, in bounded memory; everything
outside the matches is written byte for byte (bytes that are not UTF-8
included).
"""
from __future__ import annotations

from typing import TYPE_CHECKING

from ._cmd_find import Options, TextStream, command_main
from .finder import _mask

if TYPE_CHECKING:
    from typing import BinaryIO

HELP = """\
Write FILE (or standard input, when FILE is - or absent) to standard output
with each identifier found masked: every letter and digit of a match
becomes *, its length and separators stay, all other text is kept byte for
byte.

  --ids ID,...           mask these validator ids only (default: all)
  --country XX,...       only kinds of these countries, plus the
                         international ones (IBAN, card numbers, ...)
  --min-confidence C     component (default), checksum (the strict one) or
                         shape: weaker matches are left as they are
  -q, --quiet            no progress bar
  -h, --help             print this help

Input is streamed: any file size and any line length work in bounded memory.
A progress bar is drawn on standard error when it is a terminal and the
input is a file.

Exit status: 0 done (whether or not anything was masked), 2 bad usage, an
unknown id or country, or an input error (a file that cannot be read, bytes
that are not UTF-8: they are copied unchanged and the run goes on). A closed
output pipe ends the run quietly.
"""

FLUSH = 1 << 16  # characters gathered before a write


class _Writer:
    """Gathers the output and writes it in blocks."""

    def __init__(self, out: BinaryIO, scanner: TextStream) -> None:
        self.out = out
        self.scanner = scanner
        self.parts: list[str] = []
        self.size = 0
        self.written = 0  # absolute offset: the input before it is written
        scanner.keep = 0
        scanner.on_window = self.up_to

    def emit(self, piece: str) -> None:
        self.parts.append(piece)
        self.size += len(piece)
        if self.size >= FLUSH:
            self.flush()

    def flush(self) -> None:
        self.out.write("".join(self.parts).encode("utf-8", "surrogateescape"))
        self.parts.clear()
        self.size = 0

    def up_to(self, pos: int) -> None:
        if pos > self.written:
            self.emit(self.scanner.text(self.written, pos))
            self.written = self.scanner.keep = pos

    def mask(self, start: int, end: int) -> None:
        self.up_to(start)
        self.emit(_mask(self.scanner.text(start, end)))
        self.written = self.scanner.keep = end


def run(stream: BinaryIO, out: BinaryIO, opts: Options, progress: object | None = None) -> tuple[int, int]:
    """Writes the redacted text; returns (matches masked, first line not UTF-8 or 0)."""
    scanner = TextStream(stream, opts, progress)
    writer = _Writer(out, scanner)
    count = 0
    for m, _, _ in scanner.matches():
        if m[1] < writer.written:
            continue  # another kind of a span already masked
        writer.mask(m[1], m[2])
        count += 1
        if progress is not None:
            progress.values = count  # type: ignore[attr-defined]
    writer.up_to(scanner.base + len(scanner.buf))
    writer.flush()
    return count, scanner.bad_line


def run_command(stream: BinaryIO, out: BinaryIO, opts: Options, progress: object | None) -> tuple[int, int]:
    _, bad = run(stream, out, opts, progress)
    return 0, bad


def main(args: list[str]) -> int:
    return command_main(args, "redact", HELP, run_command)
