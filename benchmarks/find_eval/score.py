"""Scoring the finder against the labels.

Matching rule, per document:

* a report whose span equals a label's span and whose kind is the label's
  kind is a true positive, and finds that label;
* a report at a label's exact span of another kind that the oracles also
  accept for that value is *ambiguous*: it counts neither way, except that
  it finds a label that no word names alone: a bare value, or one under a
  label shared by several kinds (``VAT number``, ``Tax ID``), where the
  text does not say which of the kinds the value accepts is meant;
* a report at a label's exact span of a kind the benchmark has no oracle
  for is *unjudged* and counts neither way;
* a report at a label's exact span of a kind no oracle accepts is a
  *wrong kind*; a report that overlaps a label without the same span is a
  *wrong span* (the label is then missed unless another report finds it);
  a report that overlaps no label is a *false report*. All three are false
  positives.

Precision = found labels / (found labels + false positives); recall =
found labels / labels.
"""
from __future__ import annotations

import re
import time
from collections import Counter, defaultdict
from dataclasses import dataclass, field

from .corpus import Document, Label


@dataclass
class Tally:
    labels: int = 0
    found: int = 0
    fp: int = 0

    def p(self) -> float:
        return self.found / (self.found + self.fp) if self.found + self.fp else 1.0

    def r(self) -> float:
        return self.found / self.labels if self.labels else 1.0

    def f1(self) -> float:
        p, r = self.p(), self.r()
        return 2 * p * r / (p + r) if p + r else 0.0


@dataclass
class Result:
    level: str
    total: Tally = field(default_factory=Tally)
    by_style: dict = field(default_factory=lambda: defaultdict(Tally))
    by_kind: dict = field(default_factory=lambda: defaultdict(Tally))
    by_form: dict = field(default_factory=lambda: defaultdict(Tally))
    by_context: dict = field(default_factory=lambda: defaultdict(Tally))
    fp_types: Counter = field(default_factory=Counter)
    ambiguous: int = 0
    unjudged: int = 0
    misses: list = field(default_factory=list)
    false: list = field(default_factory=list)
    errors: list = field(default_factory=list)  # (style, exception) where find raised


def _snippet(text: str, start: int, end: int, pad: int = 30) -> str:
    s = text[max(0, start - pad) : start] + "[" + text[start:end] + "]" + text[end : end + pad]
    return s.replace("\n", "⏎").replace("\t", "⇥")


def score(docs: list[Document], find, level: str, judged: set[str], keep_examples: int = 400) -> Result:
    res = Result(level)
    for doc in docs:
        try:
            matches = find(doc.text, level)
        except Exception as exc:  # a fault of the build under test: count it, go on
            res.errors.append((doc.style, repr(exc)[:200]))
            matches = []
        by_span: dict[tuple[int, int], Label] = {(l.start, l.end): l for l in doc.labels}
        found: set[tuple[int, int]] = set()
        for m in matches:
            lab = by_span.get((m.start, m.end))
            if lab is not None:
                if m.id == lab.kind:
                    found.add((lab.start, lab.end))
                    continue
                if m.id in lab.also:
                    if not lab.specific:
                        found.add((lab.start, lab.end))
                    else:
                        res.ambiguous += 1
                    continue
                if m.id not in judged:
                    res.unjudged += 1
                    continue
                why = "wrong kind"
            else:
                over = [l for l in doc.labels if l.start < m.end and m.start < l.end]
                why = "wrong span" if over else "false report"
            res.fp_types[why] += 1
            for t in (res.total, res.by_style[doc.style], res.by_kind[m.id]):
                t.fp += 1
            if len(res.false) < keep_examples:
                res.false.append((why, m.id, doc.style, _snippet(doc.text, m.start, m.end)))
        for lab in doc.labels:
            hit = (lab.start, lab.end) in found
            ctx = "word naming it" if lab.specific else "shared word" if lab.context else "bare"
            tallies = (res.total, res.by_style[doc.style], res.by_kind[lab.kind], res.by_form[lab.form],
                       res.by_context[ctx])
            for t in tallies:
                t.labels += 1
                t.found += hit
            if not hit and len(res.misses) < keep_examples:
                res.misses.append((lab.kind, doc.style, lab.form, _snippet(doc.text, lab.start, lab.end)))
    return res


_KEEP = re.compile(r"[0-9A-Za-z]", re.ASCII)


def redact_leak(docs: list[Document], redact) -> tuple[int, int, Counter, list, dict]:
    """(labels left readable, labels, readable by kind, examples,
    style -> [readable, labels])."""
    left = 0
    n = 0
    kinds: Counter = Counter()
    styles: dict[str, list[int]] = defaultdict(lambda: [0, 0])
    examples = []
    for doc in docs:
        try:
            out = redact(doc.text)
        except Exception as exc:
            out = doc.text
            if len(examples) < 8:
                examples.append(("error", doc.style, repr(exc)[:200]))
        same_len = len(out) == len(doc.text)
        for lab in doc.labels:
            n += 1
            styles[doc.style][1] += 1
            if same_len:
                readable = any(out[i] == doc.text[i] and doc.text[i].isalnum() for i in range(lab.start, lab.end))
            else:  # a replacement of another length: look for the value's text
                readable = lab.written in out
            if readable:
                left += 1
                styles[doc.style][0] += 1
                kinds[lab.kind] += 1
                if len(examples) < 8:
                    examples.append((lab.kind, doc.style, _snippet(out, lab.start, lab.end) if same_len else lab.written))
    return left, n, kinds, examples, dict(styles)


def disagreements(docs: list[Document], validate) -> Counter:
    """Labelled values (compact, as drawn) the package's own validate rejects."""
    seen: dict[tuple[str, str], bool] = {}
    out: Counter = Counter()
    for doc in docs:
        for lab in doc.labels:
            key = (lab.kind, lab.value)
            if key not in seen:
                try:
                    seen[key] = bool(validate(lab.kind, lab.value).valid)
                except Exception:
                    seen[key] = False
                if not seen[key]:
                    out[lab.kind] += 1
    return out


def identify_figures(docs: list[Document], identify) -> dict:
    """identify() on every label's value as written (before any damage of
    PDF extraction; full-width forms are kept), trimmed."""
    values = []
    for doc in docs:
        for lab in doc.labels:
            form = "fullwidth" if lab.form == "fullwidth" else "compact" if lab.form.startswith("pdf") else lab.form
            values.append(((lab.plain or lab.written).strip(), lab.kind, lab.also, form))
    among = first = first_ok = kinds = 0
    small = []
    misses = []
    errors = 0
    by_form: dict[str, list[int]] = defaultdict(lambda: [0, 0])
    for v, kind, also, form in values:
        try:
            ans = identify(v)
        except Exception:
            errors += 1
            ans = []
        kinds += len(ans)
        by_form[form][1] += 1
        if kind in ans:
            among += 1
            by_form[form][0] += 1
        elif len(misses) < 8:
            misses.append((kind, v, ans[:4]))
        if ans and ans[0] == kind:
            first += 1
        if ans and ans[0] in also:
            first_ok += 1
        if len(ans) <= 5:
            small.append(v)
    best = float("inf")
    for _ in range(3):
        t = time.perf_counter()
        for v in small:
            try:
                identify(v)
            except Exception:
                pass
        best = min(best, time.perf_counter() - t)
    n = len(values)
    return {
        "values": n,
        "among": among / n if n else 0.0,
        "first": first / n if n else 0.0,
        "first_ok": first_ok / n if n else 0.0,
        "mean_kinds": kinds / n if n else 0.0,
        "us_per_call": best / len(small) * 1e6 if small else 0.0,
        "timed": len(small),
        "misses": misses,
        "errors": errors,
        "among_by_form": {k: v[0] / v[1] for k, v in sorted(by_form.items())},
    }


def speed(docs: list[Document], find_iter, least_mb: float = 0.25) -> list[tuple[str, float, float, float]]:
    """(style, MB, MB/s of find_iter, MB/s of one re pass of \\d{11}).

    Each style's documents are joined (and repeated up to ``least_mb``) so
    that a pass is long enough to time."""
    texts: dict[str, list[str]] = defaultdict(list)
    for doc in docs:
        texts[doc.style].append(doc.text)
    pattern = re.compile(r"\d{11}")
    out = []
    for style in sorted(texts):
        text = "\n\n".join(texts[style])
        mb = len(text.encode("utf-8")) / 1e6
        if 0 < mb < least_mb:
            times = int(least_mb / mb) + 1
            text = "\n\n".join([text] * times)
            mb = len(text.encode("utf-8")) / 1e6
        best_f = best_r = float("inf")
        for _ in range(3):
            t = time.perf_counter()
            try:
                for _m in find_iter(text):
                    pass
            except Exception:
                break
            best_f = min(best_f, time.perf_counter() - t)
            t = time.perf_counter()
            for _m in pattern.finditer(text):
                pass
            best_r = min(best_r, time.perf_counter() - t)
        out.append((style, mb, mb / best_f if best_f else 0.0, mb / best_r if best_r else 0.0))
    return out
