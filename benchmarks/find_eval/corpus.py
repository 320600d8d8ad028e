"""Labelled documents: a builder that records spans, written forms of
values, and the generator that drives the styles."""
from __future__ import annotations

import random
import re
from dataclasses import dataclass, field

from .decoys import DecoyMaker
from .labels import is_specific
from .oracles import ORACLES, formatter

_ALNUM = re.compile(r"[^0-9A-Za-z]")


@dataclass
class Label:
    start: int
    end: int
    kind: str
    value: str  # the compact value drawn
    written: str  # the text as it stands in the document
    form: str  # compact, peer, grouped, lower, pdf, fullwidth ...
    context: bool  # a label, header or key stands before the value
    also: frozenset[str] = frozenset()  # every kind the oracles accept
    specific: bool = False  # that label names this kind alone
    plain: str = ""  # the written form before PDF damage (what identify is given)


@dataclass
class Document:
    style: str
    lang: str
    text: str
    labels: list[Label] = field(default_factory=list)


class Builder:
    def __init__(self) -> None:
        self.parts: list[str] = []
        self.pos = 0
        self.labels: list[Label] = []

    def add(self, s: str) -> "Builder":
        self.parts.append(s)
        self.pos += len(s)
        return self

    def ident(self, item: "Item", written: str | None = None, context: str | bool = False) -> "Builder":
        """Write ``item``; ``context`` is the label, header or key that
        announces it (or True for a word naming the kind alone)."""
        w = item.written if written is None else written
        named = bool(context)
        specific = context is True or (named and is_specific(str(context), item.kind))
        self.labels.append(Label(self.pos, self.pos + len(w), item.kind, item.value, w, item.form, named, item.also,
                                 specific, item.plain or w))
        return self.add(w)

    def text(self) -> str:
        return "".join(self.parts)


@dataclass
class Item:
    kind: str
    value: str
    written: str
    form: str
    also: frozenset[str]
    plain: str = ""


# --------------------------------------------------------------------------
# Written forms


def _group(value: str, sizes: list[int]) -> list[str]:
    out, i = [], 0
    for n in sizes:
        if i >= len(value):
            break
        out.append(value[i : i + n])
        i += n
    if i < len(value):
        out.append(value[i:])
    return out


# Kinds people write in groups of four (cards, long bank numbers) where the
# peer has no layout of its own.
GROUPED = {"creditcard": 4, "mx.clabe": 4, "ar.cbu": 4, "imei": 0, "in.aadhaar": 4, "ch.ssn": 0}


def written_forms(kind: str, value: str, rng: random.Random) -> list[tuple[str, str]]:
    """(form name, text) pairs that the kind's oracle accepts for value."""
    oracle = ORACLES[kind]
    forms = [("compact", value)]
    fmt = formatter(kind)
    peer = fmt(value) if fmt is not None else value
    if peer != value and oracle(peer):
        forms.append(("peer", peer))
        # the same layout with the other separator people type
        for a, b in (("-", " "), (" ", "-"), (".", " "), ("/", " ")):
            if a in peer and b not in peer:
                other = peer.replace(a, b)
                if oracle(other):
                    forms.append(("separators", other))
                break
    size = GROUPED.get(kind)
    if size:
        text = " ".join(_group(value, [size] * 10))
        if text != peer and oracle(text):
            forms.append(("grouped", text))
    if any(c.isalpha() for c in value) and value.upper() == value and not kind.startswith("crypto"):
        low = value.lower()
        if oracle(low):
            forms.append(("lower", low))
    return forms


# --------------------------------------------------------------------------
# Document artefacts (applied after the oracle has judged the value)

NBSP, THIN, NNBSP, SHY = "\u00a0", "\u2009", "\u202f", "\u00ad"


def pdf_artefact(written: str, rng: random.Random) -> tuple[str, str]:
    """The value as text extraction from a PDF leaves it."""
    choice = rng.randrange(4)
    inner = [i for i in range(1, len(written)) if written[i - 1].isalnum() and written[i].isalnum()]
    if choice == 0 and " " in written:
        sp = rng.choice([NBSP, THIN, NNBSP])
        return written.replace(" ", sp), "pdf-space"
    if choice == 1:
        spaces = [i for i, c in enumerate(written) if c == " "]
        if spaces:
            i = rng.choice(spaces)
            return written[:i] + "\n" + written[i + 1 :], "pdf-break"
        if inner:
            i = rng.choice(inner)
            return written[:i] + "\n" + written[i:], "pdf-cut"
    if choice == 2 and inner:
        i = rng.choice(inner)
        return written[:i] + SHY + written[i:], "pdf-shy"
    if choice == 3 and " " in written:
        return written.replace(" ", "  "), "pdf-double"
    return written, "compact"


def fullwidth(text: str) -> str:
    out = []
    for c in text:
        if "0" <= c <= "9" or "A" <= c <= "Z" or "a" <= c <= "z":
            out.append(chr(ord(c) + 0xFEE0))
        elif c == " ":
            out.append("\u3000" if False else c)
        elif c == "-":
            out.append("\uff0d")
        else:
            out.append(c)
    return "".join(out)


# --------------------------------------------------------------------------


DEFAULT_FORMS = ("compact", "peer", "separators", "grouped")


class Corpus:
    """Everything the styles draw from: value pools, decoys, the kinds."""

    def __init__(self, pools: dict[str, list[str]], also: dict[str, frozenset[str]], seed: int):
        self.pools = {k: v for k, v in pools.items() if v}
        self.kinds = sorted(self.pools)
        self.also = also
        lengths: dict[int, list[str]] = {}
        for k, vals in self.pools.items():
            for n in {len(_ALNUM.sub("", v)) for v in vals}:
                lengths.setdefault(n, []).append(k)
        self.decoys = DecoyMaker(lengths)
        self._forms: dict[tuple[str, str], list[tuple[str, str]]] = {}
        self.seed = seed

    def item(self, rng: random.Random, kind: str | None = None, forms: tuple[str, ...] | None = None) -> Item:
        kind = kind or rng.choice(self.kinds)
        value = rng.choice(self.pools[kind])
        key = (kind, value)
        if key not in self._forms:
            self._forms[key] = written_forms(kind, value, random.Random(value))
        options = self._forms[key]
        forms = forms or DEFAULT_FORMS
        options = [f for f in options if f[0] in forms] or options[:1]
        form, text = rng.choice(options)
        return Item(kind, value, text, form, self.also.get(value, frozenset()))


def compute_also(pools: dict[str, list[str]]) -> dict[str, frozenset[str]]:
    """For each drawn value, every kind whose oracle accepts it."""
    also: dict[str, frozenset[str]] = {}
    for k, vals in pools.items():
        for v in vals:
            if v not in also:
                also[v] = frozenset(o for o, judge in ORACLES.items() if judge(v))
    return also
