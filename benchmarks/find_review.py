"""Differential checker of the text finder against an independent model.

Builds texts from generated pieces (valid values of random kinds written
compact, formatted or regrouped, with or without a context word, next to
decoys, punctuation, other scripts and line breaks), runs ``find``,
``find_iter``, ``redact``, ``identify`` and ``columns.find`` on them and
checks what the model can decide on its own: every match is what was
written and validates; order and overlaps; confidence recomputed from the
evidence class, weak lengths (measured here by drawing random numbers),
layouts (from ``format``) and context words; announced values are found;
equal spans keep every kind that qualifies; the faces agree.

    python benchmarks/find_review.py [--seed S] [--cases N]

Disagreements are shrunk to a short reproducer and printed by kind of
fault. Where the model cannot decide (a weak rate close to 1 in 200, a
context word at the edge of the reach) the check is skipped and counted.
The model itself (rules, weak lengths, generators) is find_review_model.py.

Reading the categories: "3+ groups ...", "min_confidence=shape hides ...",
"... longer span replaces ..." and "announced value regrouped in 3+
groups" follow from the overlap and layout rules as written (they show
where the rules cost recall); "context phrase of 5+ words" is the reach of
five words; the rest are faults of the engine or, for a few reproducers,
limits of this model (see "confidence differs from model").
"""
from __future__ import annotations

import argparse
import random
import re
import sys
import time
from collections import Counter, defaultdict

import pyarrow as pa

import orvane_vardik as ov
import orvane_vardik.columns as ovc
from orvane_vardik import _find

from find_review_model import (CLS, IDS, META, NAMES, ORDER, PAT, RANKS, SEP_RE, SEPS, WHY, decoy,
                               layout_ok, lens, make_case, model_conf)

# ---- checks; each returns a list of (category, kind, detail)

DATE_RE = re.compile(r"(\d{1,2}[./-]\d{1,2}[./-](\d{2}|\d{4})|\d{4}[./-]\d{1,2}[./-]\d{1,2})")


def is_word_char(ch):
    return ch.isalnum() or ch == "&"


def check_matches(text, ms, mc, include_invalid):
    out = []
    prev = None
    for m in ms:
        if text[m.start:m.end] != m.text:
            out.append(("span text differs", m.id, m))
            continue
        if (m.start > 0 and is_word_char(text[m.start - 1]) and is_word_char(text[m.start])) or (
                m.end < len(text) and is_word_char(text[m.end]) and is_word_char(text[m.end - 1])):
            out.append(("not at word boundary", m.id, m))
        r = ov.validate(m.id, m.text)
        if m.valid and not (r.valid and r.compact == m.compact):
            out.append(("match does not validate as reported", m.id, (m, r.valid, r.compact)))
        if not m.valid and (r.valid or not include_invalid):
            out.append(("invalid match wrongly reported", m.id, m))
        if m.id == "luhn":
            out.append(("luhn reported", m.id, m))
        if prev is not None:
            if (m.start, m.end) == (prev.start, prev.end):
                if ORDER[m.id] <= ORDER[prev.id]:
                    out.append(("equal span kinds not in registry order", m.id, (prev, m)))
            elif m.start < prev.end:
                out.append(("overlapping matches", m.id, (prev, m)))
            elif m.start < prev.start:
                out.append(("not in text order", m.id, (prev, m)))
        prev = m
        if m.valid:
            out += confidence_faults(text, m, mc)
    return out


def confidence_faults(text, m, mc):
    mcf = model_conf(m.id, text, m.start, m.end, m.compact)
    if mcf is None:
        STATS["conf undecided"] += 1
        return []
    conf, ann = mcf
    why = WHY[0]
    if not ann and "3+ groups layout" in why:
        # the rules make such a span no candidate of this kind unless announced
        return [("3+ groups laid out unlike format, unannounced, still reported", m.id, (m, why))]
    if NAMES[conf] == m.confidence:
        if conf < RANKS[mc] and not ann:
            return [("reported below min_confidence, unannounced", m.id, m)]
        return []
    alt = model_conf(m.id, text, m.start, m.end, m.compact, fold="ascii")
    if alt is not None and NAMES[alt[0]] == m.confidence:
        return [("context word with non-ASCII letters not matched case-insensitively", m.id, (m, why))]
    rate = [w for w in why if w.startswith("rate")]
    if rate and abs(conf - RANKS[m.confidence]) == 1:
        return [("weak-length decision differs from measured rate", m.id, (m, NAMES[conf], ann, why))]
    return [("confidence differs from model", m.id, (m, NAMES[conf], ann, why))]


def run_starts_with_plus(text, s):
    """Roughly: walking back over words joined by single separators reaches a '+'."""
    i = s
    while i > 0:
        c = text[i - 1]
        if c == "+":
            return True
        if c in SEPS:
            if i > 1 and text[i - 2] in SEPS:
                return False
            i -= 1
            continue
        if c.isalnum():
            j = i
            while j > 0 and text[j - 1].isalnum():
                j -= 1
            word = text[j:i]
            if any(ch.islower() for ch in word) and not any(ch.isdigit() for ch in word):
                return False
            i = j
            continue
        return False
    return False


def qualifies(k, text, s, e, mc, fold="unicode"):
    span = text[s:e]
    if not (PAT[k].fullmatch(span) or PAT[k].fullmatch(span.upper())):
        return None
    r = ov.validate(k, span)
    if not r.valid:
        return False
    mcf = model_conf(k, text, s, e, r.compact, fold)
    if mcf is None:
        return None
    conf, ann = mcf
    if len(lens(span)) >= 3 and not ann and not layout_ok(k, span, r.compact):
        return None
    return conf >= RANKS[mc] or ann


def check_equal_spans(text, ms, mc):
    out = []
    spans = defaultdict(set)
    for m in ms:
        if m.valid:
            spans[(m.start, m.end)].add(m.id)
    for (s, e), got in spans.items():
        for k in IDS:
            if k in got:
                continue
            q = qualifies(k, text, s, e, mc)
            if q:
                out.append(("equal span misses a qualifying kind", k, (text[s:e], sorted(got))))
    return out


def check_plants(text, plants, ms, mc):
    out = []
    for k, s, e, how in plants:
        span = text[s:e]
        if DATE_RE.fullmatch(span) or (s > 0 and is_word_char(text[s - 1])) or (e < len(text) and is_word_char(text[e])):
            continue
        q = qualifies(k, text, s, e, mc)
        if not q:
            continue
        hit = [m for m in ms if m.valid and m.start < e and s < m.end]
        if any(m.id == k and (m.start, m.end) == (s, e) for m in hit):
            continue
        longer = [m for m in hit if m.end - m.start > e - s]
        if longer:
            continue
        if hit:
            cat = "planted value displaced by a shorter/equal span"
        elif how == "regroup" and len(lens(span)) >= 3:
            cat = "announced value regrouped in 3+ groups not found"
        elif not qualifies(k, text, s, e, mc, fold="ascii"):
            cat = "context word with non-ASCII letters not matched case-insensitively"
        elif run_starts_with_plus(text, s):
            cat = "value in a run that starts with '+' (a telephone number before it) not found"
        else:
            cat = "qualifying planted value not found"
        out.append((cat, k, (span, how, [(m.id, m.text) for m in hit])))
    return out


def expected_identify(v):
    t = v.strip(" \t\n\r\f\v")
    got = []
    for k in IDS:
        if not (PAT[k].fullmatch(t) or PAT[k].fullmatch(t.upper())):
            continue
        if ov.validate(k, t).valid:
            got.append(k)
    got.sort(key=lambda k: (-RANKS[CLS[k]], ORDER[k]))
    return got


def check_identify(v):
    exp = expected_identify(v)
    got = ov.identify(v)
    if got != exp:
        cat = "identify differs from model" + (" (padding other than spaces)" if v.strip(" ") != v.strip() else "")
        if "\n" in v and not got:
            cat = "identify of a value with a line break after it finds nothing"
        return [(cat, (got[:1] or exp[:1] or ["-"])[0], (v, got, exp))]
    return []


def mask(s):
    return "".join("*" if ("0" <= c <= "9" or "A" <= c <= "Z" or "a" <= c <= "z") else c for c in s)


def check_faces(text, ms, mc):
    out = []
    it = list(ov.find_iter(text, min_confidence=mc))
    if it != ms:
        out.append(("find_iter differs from find", "-", (it, ms)))
    parts, done = [], 0
    for m in ms:
        if m.start < done:
            continue
        parts += [text[done:m.start], mask(m.text)]
        done = m.end
    parts.append(text[done:])
    red = ov.redact(text, min_confidence=mc)
    if red != "".join(parts):
        out.append(("redact differs from find", "-", (red, "".join(parts))))
    return out


def check_monotone(text, ms, mc):
    """A lower min_confidence keeps every match, unless a longer valid span now wins."""
    if mc == "shape":
        return []
    out = []
    low = ov.find(text, min_confidence="shape")
    have = {(m.id, m.start, m.end) for m in low}
    for m in ms:
        if (m.id, m.start, m.end) in have:
            continue
        longer = [x for x in low if x.start < m.end and m.start < x.end and x.end - x.start > m.end - m.start]
        if longer:
            weaker = all(RANKS[x.confidence] < RANKS[m.confidence] for x in longer)
            cat = "min_confidence=shape hides a stronger match under a longer weaker span" if weaker else \
                "min_confidence=shape: longer span replaces a match"
        else:
            cat = "min_confidence=shape loses a match"
        out.append((cat, m.id, (m, [(x.id, x.text, x.confidence) for x in longer])))
    # And the other way: what min_confidence="shape" reports at or above mc must be reported at mc.
    have = {(m.id, m.start, m.end) for m in ms}
    for x in low:
        if RANKS[x.confidence] < RANKS[mc] or (x.id, x.start, x.end) in have:
            continue
        if any(m.start < x.end and x.start < m.end and m.end - m.start >= x.end - x.start for m in ms):
            continue
        out.append(("match of confidence >= min_confidence reported only at min_confidence=shape", x.id, (x, mc)))
    return out


def all_faults(text, plants, mc, inc):
    ms = ov.find(text, min_confidence=mc, include_invalid=inc)
    f = check_matches(text, ms, mc, inc)
    if not inc:
        f += check_monotone(text, ms, mc)
    if not inc:
        f += check_equal_spans(text, ms, mc)
        f += check_plants(text, plants, ms, mc)
        f += check_faces(text, ms, mc)
    return f, ms


# ---- shrinking


def shrink(text, keep, protect=None, budget=400):
    """Delete chunks of text while keep(text, protect) holds; protect is a (s, e) kept whole."""
    n = len(text)
    size = max(1, n // 2)
    while size >= 1 and budget > 0:
        i = 0
        while i < len(text) and budget > 0:
            j = min(len(text), i + size)
            if protect and not (j <= protect[0] or i >= protect[1]):
                i = j
                continue
            cand = text[:i] + text[j:]
            np = protect
            if protect and j <= protect[0]:
                np = (protect[0] - (j - i), protect[1] - (j - i))
            budget -= 1
            if keep(cand, np):
                text, protect = cand, np
            else:
                i = j
        size //= 2
    return text, protect


def span_of(detail):
    m = detail[0] if isinstance(detail, tuple) and detail and hasattr(detail[0], "start") else detail
    if hasattr(m, "start"):
        return (m.start, m.end)
    return None


def reproduce(cat, kind, text, plants, mc, inc, detail=None):
    own = span_of(detail)

    def has(t, prot):
        if own is not None:
            try:
                f, _ = all_faults(t, [], mc, inc)
            except Exception:  # noqa: BLE001
                return False
            return any(c == cat and k == kind and span_of(d) == prot for c, k, d in f)
        pl = []
        if prot is not None:
            k0, s0, e0, how = plant
            pl = [(k0, prot[0], prot[1], how)]
        try:
            f, _ = all_faults(t, pl, mc, inc)
        except Exception as exc:  # noqa: BLE001 - a crash is a fault of its own
            return cat == "exception" and kind in repr(exc)
        return any(c == cat and k == kind for c, k, _ in f)

    plant = None
    prot = None
    for p in plants:
        if p[0] == kind:
            plant, prot = p, (p[1], p[2])
            break
    if not any(w in cat for w in ("planted", "announced value", "not found")):
        plant, prot = None, own
    if not has(text, prot):
        return text
    t, _ = shrink(text, has, prot)
    return t


# ---- driver

STATS: Counter = Counter()


def run(seed, cases):
    rng = random.Random(seed)
    weighting = IDS * 3 + ["iban", "creditcard", "pl.pesel", "de.vat", "eu.vat", "isni", "orcid", "isin", "lei", "bic"] * 5
    faults = defaultdict(list)
    batch = []
    t0 = time.time()
    for i in range(cases):
        text, plants = make_case(rng, weighting)
        mc = rng.choice(["checksum", "checksum", "checksum", "component", "shape"])
        inc = rng.random() < 0.1
        try:
            f, ms = all_faults(text, plants, mc, inc)
        except Exception as exc:  # noqa: BLE001
            f, ms = [("exception", type(exc).__name__, repr(exc))], []
        for v in {text[s:e] for _, s, e, _ in plants} | {m.text for m in ms} | ({decoy(rng)} if i % 4 == 0 else set()):
            f += check_identify(v if rng.random() < 0.7 else rng.choice([" ", "\t", ""]) + v + rng.choice([" ", "\t", "\n", "\r\n"]))
        STATS["cases"] += 1
        STATS["matches"] += len(ms)
        STATS["plants"] += len(plants)
        for cat, kind, detail in f:
            faults[(cat, kind)].append((text, plants, mc, inc, detail))
        batch.append((text, mc))
        if len(batch) == 256:
            for cat, kind, detail in check_columns(batch):
                faults[(cat, kind)].append((detail[0], [], detail[1], False, detail))
            batch = []
        if i % 20000 == 0 and i:
            print(f"... {i} cases, {time.time() - t0:.0f}s, {sum(len(v) for v in faults.values())} faults", file=sys.stderr)
        if i % 5000 == 4999:
            faults.update(check_windows(rng, faults))
    return faults


def check_columns(batch):
    out = []
    by_mc = defaultdict(list)
    for t, mc in batch:
        by_mc[mc].append(t)
    for mc, texts in by_mc.items():
        col = pa.array(ovc.find(pa.array(texts), min_confidence=mc, threads=random.choice([None, 2])))
        for t, row in zip(texts, col.to_pylist()):
            exp = [dict(id=m.id, start=m.start, end=m.end, compact=m.compact, valid=m.valid, confidence=m.confidence)
                   for m in ov.find(t, min_confidence=mc)]
            if row != exp:
                out.append(("columns.find differs from find", "-", (t, mc, row, exp)))
    return out


def check_windows(rng, faults):
    """A long text: the windowed find must equal one whole scan."""
    n = (1 << 20) + rng.randrange(-400, 400)
    local, _ = make_case(rng, IDS)
    local2, _ = make_case(rng, IDS)
    fill = ("lorem ipsum Grüße 日本 " * (n // 20 + 1))[: n - len(local) // 2]
    text = fill + local + " " + local2 + " "
    got = [(m.id, m.start, m.end) for m in ov.find(text)]
    whole = [(k, s, e) for k, s, e, *_ in _find.scan(text, None, None, False, "checksum")]
    STATS["window cases"] += 1
    if got != whole:
        faults[("windowed find differs from one scan", "-")].append((text, [], "checksum", False, (len(fill), got, whole)))
    return faults


def context_sweep():
    """Every kind's examples, written as format prints them, after each of its context words."""
    faults = defaultdict(list)
    for k in IDS:
        vals = [ov.format(k, ov.compact(k, e)) for e in META[k].examples if ov.validate(k, e).valid][:2]
        words = sorted({w for w in (META[k].abbreviation, META[k].name, *META[k].aliases) if w and w.strip()})
        for v in vals:
            for text in [f"see {v} here", f"({v})"]:
                STATS["sweep texts"] += 1
                ms = ov.find(text, min_confidence="shape")
                s = text.index(v)
                if not any(m.id == k and (m.start, m.end) == (s, s + len(v)) for m in ms) and not any(
                        m.start < s + len(v) and s < m.end and m.end - m.start > len(v) for m in ms):
                    faults[("format-written example not found even at min_confidence=shape", k)].append(
                        (text, [], "shape", False, (v, [(m.id, m.text) for m in ms])))
            key = SEP_RE.sub("", ov.compact(k, v))
            for cut in range(2, len(key) - 1, 3):
                two = key[:cut] + " " + key[cut:]
                if not ov.validate(k, two).valid or not (PAT[k].fullmatch(two) or PAT[k].fullmatch(two.upper())):
                    continue
                text = f"{META[k].abbreviation or words[0]} {two}"
                STATS["sweep texts"] += 1
                ms = ov.find(text)
                low = [m for m in ov.find(text, min_confidence="shape") if m.id == k and m.text == two]
                if not any(m.id == k and m.text == two for m in ms) and low and low[0].confidence == "checksum":
                    faults[("announced value in two groups: confidence checksum at min_confidence=shape, "
                            "missing at the default", k)].append((text, [], "checksum", False, (two, low[0])))
            for w in words:
                for form in {w, w.lower(), w.upper()}:
                    text = f"{form} {v}"
                    STATS["sweep texts"] += 1
                    s = len(form) + 1
                    ms = ov.find(text)
                    if any(m.id == k and (m.start, m.end) == (s, len(text)) for m in ms):
                        continue
                    if any(m.start < len(text) and s < m.end and m.end - m.start > len(v) for m in ms):
                        continue
                    nonascii = any(ord(c) > 127 for c in form)
                    if form != w and nonascii:
                        cat = "context sweep: non-ASCII context word in other case does not announce"
                    elif nonascii:
                        cat = "context sweep: non-ASCII context word as written does not announce"
                    elif len(form.split()) >= 5:
                        cat = "context sweep: context phrase of 5+ words does not announce"
                    else:
                        cat = "context sweep: announced example not found"
                    faults[(cat, k)].append((text, [], "checksum", False, (v, [(m.id, m.text, m.confidence) for m in ms])))
    return faults


def main(argv=None):
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--cases", type=int, default=20000)
    ap.add_argument("--examples", type=int, default=3, help="kinds per fault category given a shrunk reproducer")
    a = ap.parse_args(argv)
    t0 = time.time()
    faults = context_sweep()
    faults.update(run(a.seed, a.cases))
    by_cat = defaultdict(list)
    for (cat, kind), items in faults.items():
        by_cat[cat].append((kind, items))
    for cat in sorted(by_cat):
        total = sum(len(items) for _, items in by_cat[cat])
        print(f"\n=== {cat}: {total} disagreements over {len(by_cat[cat])} kinds")
        ranked = sorted(by_cat[cat], key=lambda x: -len(x[1]))
        print("  kinds: " + ", ".join(f"{k} x{len(v)}" for k, v in ranked[:40]))
        for kind, items in ranked[: a.examples]:
            text, plants, mc, inc, detail = min(items, key=lambda it: len(it[0]))
            if len(text) > 5000:
                print(f"  {kind} x{len(items)}: long text, detail {str(detail)[:300]}")
                continue
            rep = reproduce(cat, kind, text, plants, mc, inc, detail)
            print(f"  {kind} x{len(items)} [min_confidence={mc}{', include_invalid' if inc else ''}]")
            print(f"     repro: {rep!r}")
            print(f"     detail: {str(detail)[:300]}")
    print(f"\ncases {STATS['cases']}, plants {STATS['plants']}, matches {STATS['matches']}, "
          f"window cases {STATS['window cases']}, sweep texts {STATS['sweep texts']}, confidence undecided {STATS['conf undecided']}, "
          f"faults {sum(len(v) for v in faults.values())}, {time.time() - t0:.0f}s")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
