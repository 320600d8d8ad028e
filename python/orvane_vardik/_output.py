"""Output of the command line: one writer per operation, in text, JSON Lines or CSV.

Writers take a chunk of values, write its lines in one call and keep the
counts for the summary line. CSV rows of a chunk are joined in one piece and
written at once; quoting is decided for the whole chunk by counting, and
field by field only when some field needs it.
With `keep`, each CSV row is the input record as read, with the result
columns appended, so results join back to their source rows. JSON strings are escaped to ASCII by the json
module's C encoder, so each object equals `json.dumps` of the same dict.
"""
from __future__ import annotations

from collections import Counter
from itertools import compress
from operator import attrgetter, not_
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from . import _api

if TYPE_CHECKING:  # annotations only: keep start-up light
    from collections.abc import Callable, Sequence
    from typing import TextIO

_valid = attrgetter("valid")


def _json_escape() -> Callable[[str], str]:
    from json.encoder import encode_basestring_ascii
    return encode_basestring_ascii


def plural(n: int, word: str) -> str:
    return f"{n:,} {word}" if n == 1 else f"{n:,} {word}s"


class Writer:
    """Counts values; subclasses write them."""

    failure = "invalid"

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool,
                 keep: bool = False, delimiter: str = ",") -> None:
        self.vid = vid
        self.out = out
        self.style = "csv" if keep else style
        self.only_failures = only_failures
        self.total = 0
        self.failed = 0
        self.esc = _json_escape() if style == "json" else str
        self.is_csv = False
        # keep: the input records of the chunk being fed (set by the caller).
        self.keep = keep
        self.kept: list[list[str]] = []
        self.names: tuple[str, ...] = ()
        if self.style == "csv":
            self.is_csv = True
        self.delimiter = delimiter

    def header(self, *names: str) -> None:
        self.names = names
        if self.is_csv and not self.keep:
            self.rows([names])

    def keep_header(self, fields: list[str]) -> None:
        """The input's header line with the result columns' names appended."""
        if self.is_csv:
            self.out.write(csv_text([[*fields, *self.names[1:]]], self.delimiter))

    def rows(self, rows: Sequence[Sequence[str]]) -> None:
        if self.keep:
            # The input record stands in for the value column.
            rows = [[*k, *r[1:]] for k, r in zip(self.kept, rows)]
        self.out.write(csv_text(rows, self.delimiter))

    def feed(self, values: list[str]) -> None:
        raise NotImplementedError

    def summary(self) -> str:
        return plural(self.total, "value")


def _plain_csv(rows: Sequence[Sequence[str]], delimiter: str) -> str | None:
    """The rows joined as they are, when no field needs quoting; else None.

    A field needs quoting when it holds the delimiter, a quote or a line
    break, or is the only field of its row and empty: the whole text tells
    that at once, by counting delimiters and line ends against the number of
    fields and rows. Cheaper than deciding field by field, with
    the same output."""
    if not rows:
        return ""
    lines = [delimiter.join(row) for row in rows]
    text = "\n".join(lines) + "\n"
    fields = sum(map(len, rows))
    if (text.count(delimiter) != fields - len(rows) or '"' in text or "\r" in text
            or text.count("\n") != len(rows) or "" in lines):
        return None
    return text


def _quoted(field: str, delimiter: str) -> str:
    if delimiter in field or '"' in field or "\n" in field or "\r" in field:
        return '"' + field.replace('"', '""') + '"'
    return field


def csv_text(rows: Sequence[Sequence[str]], delimiter: str) -> str:
    """The rows as CSV lines ending in LF. A field is quoted when it holds
    the delimiter, a quote, LF or CR (a bare CR unquoted would split the row
    for readers that accept any line ending), and a row of one empty field is
    written as "" so that it is not read as no row at all."""
    plain = _plain_csv(rows, delimiter)
    if plain is not None:
        return plain
    lines = []
    for row in rows:
        if len(row) == 1 and not row[0]:
            lines.append('""')
        else:
            lines.append(delimiter.join([_quoted(field, delimiter) for field in row]))
    return "\n".join(lines) + "\n"


class ValidateWriter(Writer):
    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool,
                 keep: bool = False, delimiter: str = ",") -> None:
        super().__init__(vid, out, style, only_failures, keep, delimiter)
        self.codes: Counter[str] = Counter()
        self.header("value", "valid", "compact", "code", "message", "formatted")

    def feed(self, values: list[str]) -> None:
        results = _api.validate_many(self.vid, values)
        bad = list(compress(range(len(values)), map(not_, map(_valid, results))))
        self.total += len(values)
        self.failed += len(bad)
        codes = self.codes
        for i in bad:
            err = results[i].error
            if err is not None:
                codes[err.code] += 1
        if self.only_failures:
            if not bad:
                return
            values = [values[i] for i in bad]
            results = [results[i] for i in bad]
            if self.keep:
                self.kept = [self.kept[i] for i in bad]
        fmt, vid, esc = _api.format, self.vid, self.esc
        if self.is_csv:
            rows = []
            for v, r in zip(values, results):
                err = r.error
                if err is None:
                    rows.append((v, "true", r.compact or "", "", "", fmt(vid, v)))
                else:
                    rows.append((v, "false", "", err.code, err.message, ""))
            self.rows(rows)
            return
        parts = []
        if self.style == "json":
            for v, r in zip(values, results):
                err = r.error
                if err is None:
                    parts.append(f'{{"value": {esc(v)}, "valid": true, "compact": {esc(r.compact or "")},'
                                 f' "code": null, "message": null, "formatted": {esc(fmt(vid, v))}}}\n')
                else:
                    parts.append(f'{{"value": {esc(v)}, "valid": false, "compact": null,'
                                 f' "code": "{err.code}", "message": {esc(err.message)}, "formatted": null}}\n')
        else:
            for v, r in zip(values, results):
                err = r.error
                if err is None:
                    parts.append(f"{v!r}: valid\n  compact: {r.compact}\n  formatted: {fmt(vid, v)}\n")
                else:
                    parts.append(f"{v!r}: invalid\n  error: {err.code}: {err.message}\n")
        self.out.write("".join(parts))

    def summary(self) -> str:
        text = f"{plural(self.total, 'value')}: {self.total - self.failed:,} valid, {self.failed:,} invalid"
        if self.codes:
            text += " (" + ", ".join(f"{code} {n:,}" for code, n in sorted(self.codes.items())) + ")"
        return text


class ParseWriter(Writer):
    failure = "without birth data"

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool,
                 keep: bool = False, delimiter: str = ",") -> None:
        super().__init__(vid, out, style, only_failures, keep, delimiter)
        self.header("value", "parsed", "birth_year", "birth_month", "birth_day", "gender")

    def feed(self, values: list[str]) -> None:
        parse, vid, esc = _api.parse, self.vid, self.esc
        parts = []
        rows = []
        kept = []
        for i, v in enumerate(values):
            p = parse(vid, v)
            self.total += 1
            if p is None:
                self.failed += 1
            elif self.only_failures:
                continue
            if self.keep:
                kept.append(self.kept[i])
            if self.is_csv:
                rows.append((v, "false", "", "", "", "") if p is None else
                            (v, "true", str(p.birth_year), str(p.birth_month), str(p.birth_day),
                             p.gender or ""))
            elif self.style == "json":
                if p is None:
                    parts.append(f'{{"value": {esc(v)}, "parsed": false, "birth_year": null,'
                                 f' "birth_month": null, "birth_day": null, "gender": null}}\n')
                else:
                    gender = "null" if p.gender is None else f'"{p.gender}"'
                    parts.append(f'{{"value": {esc(v)}, "parsed": true, "birth_year": {p.birth_year},'
                                 f' "birth_month": {p.birth_month}, "birth_day": {p.birth_day},'
                                 f' "gender": {gender}}}\n')
            elif p is None:
                parts.append(f"{v!r}: no birth data\n")
            else:
                parts.append(f"{v!r}: born {p.birth_year:04d}-{p.birth_month:02d}-{p.birth_day:02d},"
                             f" {p.gender or 'gender unknown'}\n")
        if self.is_csv:
            self.kept = kept
            self.rows(rows)
        else:
            self.out.write("".join(parts))

    def summary(self) -> str:
        return (f"{plural(self.total, 'value')}: {self.total - self.failed:,} with birth data,"
                f" {self.failed:,} without")


class TransformWriter(Writer):
    """compact and format: the result of the operation for every value."""

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool, op: str,
                 keep: bool = False, delimiter: str = ",") -> None:
        super().__init__(vid, out, style, only_failures, keep, delimiter)
        self.key = "compact" if op == "compact" else "formatted"
        self.func = _api.compact if op == "compact" else _api.format
        self.header("value", self.key)

    def feed(self, values: list[str]) -> None:
        func, vid, esc = self.func, self.vid, self.esc
        self.total += len(values)
        if self.is_csv:
            self.rows([(v, func(vid, v)) for v in values])
        elif self.style == "json":
            key = self.key
            self.out.write("".join(f'{{"value": {esc(v)}, "{key}": {esc(func(vid, v))}}}\n' for v in values))
        else:
            self.out.write("".join(f"{func(vid, v)}\n" for v in values))


class GenerateWriter(Writer):
    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool) -> None:
        super().__init__(vid, out, style, only_failures)
        self.header("value")

    def feed(self, values: list[str]) -> None:
        self.total += len(values)
        if self.is_csv:
            self.rows([(v,) for v in values])
        elif self.style == "json":
            esc = self.esc
            self.out.write("".join(f'{{"value": {esc(v)}}}\n' for v in values))
        else:
            self.out.write("".join(f"{v}\n" for v in values))


def make_writer(op: str, vid: str, out: TextIO, style: str, only_failures: bool,
                keep: bool = False, delimiter: str = ",") -> Writer:
    if op == "validate":
        return ValidateWriter(vid, out, style, only_failures, keep, delimiter)
    if op == "parse":
        return ParseWriter(vid, out, style, only_failures, keep, delimiter)
    if op == "generate":
        return GenerateWriter(vid, out, style, only_failures)
    return TransformWriter(vid, out, style, only_failures, op, keep, delimiter)
