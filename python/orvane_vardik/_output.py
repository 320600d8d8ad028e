"""Output of the command line: one writer per operation, in text, JSON Lines or CSV.

Writers take a chunk of values, write its lines in one call and keep the
counts for the summary line. JSON strings are escaped to ASCII by the json
module's C encoder, so each object equals `json.dumps` of the same dict.
"""
from __future__ import annotations

from collections import Counter
from itertools import compress
from operator import attrgetter, not_
TYPE_CHECKING = False  # as typing.TYPE_CHECKING, without importing typing

from . import _api

if TYPE_CHECKING:  # annotations only: keep start-up light
    from collections.abc import Callable
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

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool) -> None:
        self.vid = vid
        self.out = out
        self.style = style
        self.only_failures = only_failures
        self.total = 0
        self.failed = 0
        self.esc = _json_escape() if style == "json" else str
        self.csv = None
        if style == "csv":
            import csv  # only CSV output pays for it
            self.csv = csv.writer(out, lineterminator="\n")

    def header(self, *names: str) -> None:
        if self.csv is not None:
            self.csv.writerow(names)

    def feed(self, values: list[str]) -> None:
        raise NotImplementedError

    def summary(self) -> str:
        return plural(self.total, "value")


class ValidateWriter(Writer):
    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool) -> None:
        super().__init__(vid, out, style, only_failures)
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
        fmt, vid, esc = _api.format, self.vid, self.esc
        if self.csv is not None:
            rows = []
            for v, r in zip(values, results):
                err = r.error
                if err is None:
                    rows.append((v, "true", r.compact, "", "", fmt(vid, v)))
                else:
                    rows.append((v, "false", "", err.code, err.message, ""))
            self.csv.writerows(rows)
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

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool) -> None:
        super().__init__(vid, out, style, only_failures)
        self.header("value", "parsed", "birth_year", "birth_month", "birth_day", "gender")

    def feed(self, values: list[str]) -> None:
        parse, vid, esc = _api.parse, self.vid, self.esc
        parts = []
        rows = []
        for v in values:
            p = parse(vid, v)
            self.total += 1
            if p is None:
                self.failed += 1
            elif self.only_failures:
                continue
            if self.csv is not None:
                rows.append((v, "false", "", "", "", "") if p is None else
                            (v, "true", p.birth_year, p.birth_month, p.birth_day, p.gender or ""))
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
        if self.csv is not None:
            self.csv.writerows(rows)
        else:
            self.out.write("".join(parts))

    def summary(self) -> str:
        return (f"{plural(self.total, 'value')}: {self.total - self.failed:,} with birth data,"
                f" {self.failed:,} without")


class TransformWriter(Writer):
    """compact and format: the result of the operation for every value."""

    def __init__(self, vid: str, out: TextIO, style: str, only_failures: bool, op: str) -> None:
        super().__init__(vid, out, style, only_failures)
        self.key = "compact" if op == "compact" else "formatted"
        self.func = _api.compact if op == "compact" else _api.format
        self.header("value", self.key)

    def feed(self, values: list[str]) -> None:
        func, vid, esc = self.func, self.vid, self.esc
        self.total += len(values)
        if self.csv is not None:
            self.csv.writerows((v, func(vid, v)) for v in values)
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
        if self.csv is not None:
            self.csv.writerows((v,) for v in values)
        elif self.style == "json":
            esc = self.esc
            self.out.write("".join(f'{{"value": {esc(v)}}}\n' for v in values))
        else:
            self.out.write("".join(f"{v}\n" for v in values))


def make_writer(op: str, vid: str, out: TextIO, style: str, only_failures: bool) -> Writer:
    if op == "validate":
        return ValidateWriter(vid, out, style, only_failures)
    if op == "parse":
        return ParseWriter(vid, out, style, only_failures)
    if op == "generate":
        return GenerateWriter(vid, out, style, only_failures)
    return TransformWriter(vid, out, style, only_failures, op)
