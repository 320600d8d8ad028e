"""Line input for the command line: bounded-memory reading of files and pipes.

A source is read in blocks; each block is cut after its last line ending and
decoded as a whole, so a million short lines cost a few dozen decode and split
calls. Lines that cannot be used (bytes that are not UTF-8, a line longer than
`MAX_LINE`, a CSV line without the wanted field) are reported with their line
number and skipped; the rest of the input is still read.
"""
from __future__ import annotations

import os
import stat
import sys
import time
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

if TYPE_CHECKING:  # annotations only: keep start-up light
    from collections.abc import Callable, Iterator
    from typing import BinaryIO, TextIO, TypeAlias

    _Report: TypeAlias = Callable[[str], None]
    # A run: the line number of its first line and consecutive lines of input.
    _Run: TypeAlias = tuple[int, list[str]]

BLOCK = 256 * 1024
MAX_LINE = 1024 * 1024
_BOM = b"\xef\xbb\xbf"



class Progress:
    """A one-line progress bar on a terminal, redrawn at most ten times a second."""

    def __init__(self, stream: TextIO, label: str, total: int) -> None:
        self.stream = stream
        self.label = label
        self.total = max(total, 1)
        self.values = 0
        self._last = 0.0
        self._drawn = False

    def update(self, done: int) -> None:
        now = time.monotonic()
        if now - self._last < 0.1:
            return
        self._last = now
        share = min(done / self.total, 1.0)
        filled = int(share * 30)
        bar = "#" * filled + "." * (30 - filled)
        self.stream.write(f"\r{self.label} [{bar}] {share:4.0%} {self.values:,} values")
        self.stream.flush()
        self._drawn = True

    def clear(self) -> None:
        if self._drawn:
            self.stream.write("\r\x1b[K")
            self.stream.flush()
            self._drawn = False


def _first_ending(data: bytes) -> int:
    lf, cr = data.find(b"\n"), data.find(b"\r")
    if lf < 0 or (0 <= cr < lf):
        return cr
    return lf


class LineReader:
    """Splits a binary stream into runs of decoded lines (any of LF, CRLF, CR)."""

    def __init__(self, stream: BinaryIO, name: str, report: _Report,
                 progress: Progress | None = None) -> None:
        self.stream = stream
        self.name = name
        self.report = report
        self.progress = progress
        self.lineno = 0  # lines consumed so far

    def _bad(self, lineno: int, why: str) -> None:
        self.report(f"{self.name}: line {lineno}: {why}; line skipped")

    def runs(self) -> Iterator[_Run]:
        pending = b""
        skip_lf = False      # the last block ended in CR: a leading LF belongs to it
        discarding = False   # inside an over-long line: drop bytes up to its end
        first = True
        done = 0
        while True:
            try:
                block = self.stream.read(BLOCK)
            except OSError as exc:
                self.report(f"cannot read {self.name}: {exc.strerror or exc}")
                return
            eof = not block
            done += len(block)
            if self.progress is not None:
                self.progress.update(done)
            if first:
                first = False
                if block.startswith(_BOM):
                    block = block[len(_BOM):]
            if skip_lf:
                skip_lf = False
                if block[:1] == b"\n":
                    block = block[1:]
            if eof:
                if discarding:
                    self.lineno += 1
                    self._bad(self.lineno, f"longer than {MAX_LINE} bytes")
                elif pending:
                    yield from self._split(pending, terminated=False)
                return
            if not block:
                continue
            if discarding:
                cut = _first_ending(block)
                if cut < 0:
                    continue
                discarding = False
                self.lineno += 1
                self._bad(self.lineno, f"longer than {MAX_LINE} bytes")
                if block[cut] == 13:
                    if cut + 1 == len(block):
                        skip_lf = True
                    elif block[cut + 1] == 10:
                        cut += 1
                block = block[cut + 1:]
                if not block:
                    continue
            data = pending + block if pending else block
            cut = max(data.rfind(b"\n"), data.rfind(b"\r"))
            if cut < 0:
                pending = data
            else:
                pending = data[cut + 1:]
                skip_lf = data[cut] == 13 and not pending
                yield from self._split(data[:cut + 1], terminated=True)
            if len(pending) > MAX_LINE:
                pending = b""
                discarding = True

    def _split(self, body: bytes, terminated: bool) -> Iterator[_Run]:
        start = self.lineno + 1
        if len(body) <= MAX_LINE:
            try:
                text = body.decode("utf-8")
            except UnicodeDecodeError:
                pass
            else:
                if "\r" in text:
                    text = text.replace("\r\n", "\n").replace("\r", "\n")
                lines = text.split("\n")
                if terminated:
                    lines.pop()
                self.lineno += len(lines)
                if self.progress is not None:
                    self.progress.values += len(lines)
                yield start, lines
                return
        # Slow path, line by line: some line is not UTF-8 or is over-long.
        raw = body.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
        if terminated:
            raw.pop()
        run: list[str] = []
        run_start = start
        for offset, line in enumerate(raw):
            lineno = start + offset
            why = None
            if len(line) > MAX_LINE:
                why = f"longer than {MAX_LINE} bytes"
            else:
                try:
                    run.append(line.decode("utf-8"))
                    continue
                except UnicodeDecodeError as exc:
                    why = f"not valid UTF-8 (byte 0x{line[exc.start]:02x} at column {exc.start + 1})"
            if run:
                yield run_start, run
            run = []
            run_start = lineno + 1
            self._bad(lineno, why)
        self.lineno += len(raw)
        if self.progress is not None:
            self.progress.values += len(raw)
        if run:
            yield run_start, run


def csv_field(runs: Iterator[_Run], column: int, delimiter: str, name: str,
              report: _Report, kept: list[list[str]] | None = None) -> Iterator[list[str]]:
    """Field `column` (from 1) of each line; each line is one CSV record.
    `kept`, when given, holds the records of the values of each chunk
    yielded (refilled before each yield)."""
    import csv  # only CSV input pays for it

    index = column - 1
    csv.field_size_limit(MAX_LINE + 1)
    for start, lines in runs:
        try:
            rows = list(csv.reader(lines, delimiter=delimiter))
        except csv.Error:
            rows = []
        if len(rows) != len(lines):
            # A quote left open would join lines: read them one at a time.
            rows = []
            for line in lines:
                try:
                    rows.append(next(csv.reader((line,), delimiter=delimiter), []))
                except csv.Error:
                    rows.append([])
        values = []
        records = []
        for offset, row in enumerate(rows):
            if len(row) > index:
                values.append(row[index])
                records.append(row)
            else:
                report(f"{name}: line {start + offset}: no field {column}; line skipped")
        if kept is not None:
            kept[:] = records
        yield values


def file_size(stream: BinaryIO) -> int | None:
    """The size of a regular file, None for pipes and terminals."""
    try:
        st = os.fstat(stream.fileno())
    except (OSError, ValueError):
        return None
    return st.st_size if stat.S_ISREG(st.st_mode) else None


def stdin_piped() -> bool:
    """Standard input is open and not a terminal: a pipe, a file or /dev/null."""
    stream = sys.stdin
    if stream is None:
        return False
    try:
        return not os.isatty(stream.fileno())
    except (OSError, ValueError):
        return False


def stdin_binary() -> BinaryIO | None:
    stream = sys.stdin
    if stream is None:
        return None
    return stream.buffer
