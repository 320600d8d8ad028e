"""A labelled corpus for the text finder: documents with known identifiers.

Documents are drawn from templates (e-mails, invoices, log lines, CSV rows,
chat, prose in English, German, French, Polish and Dutch styles). Each holds
valid identifiers of random kinds, written compact or formatted, with or
without a context word before them; invalid ones (one digit changed, valid
for no kind at all); and decoys that look numeric but are no identifier
(telephone numbers, dates, timestamps, amounts, order numbers, UUIDs,
hashes, postcodes, version numbers). Every inserted value is recorded as a
`Span` with its str offsets. The surroundings vary as real text does:
quotes, brackets, trailing dots and commas, line breaks, tabs and
non-ASCII words next to the values.

    python benchmarks/find_corpus.py [--docs N] [--seed S] [--out FILE.jsonl]

prints a summary, or writes the documents as JSON Lines.
"""
from __future__ import annotations

import argparse
import json
import random
import string
import sys
from dataclasses import asdict, dataclass, field
from functools import lru_cache

import orvane_vardik as ov
from orvane_vardik import _find

SEED = 20240518
SAMPLES_PER_KIND = 40


@dataclass
class Span:
    start: int
    end: int
    label: str  # "valid", "invalid" or "decoy"
    kind: str  # the id inserted, or the decoy's kind
    ids: tuple[str, ...] = ()  # valid: every kind the written value validates as
    context: bool = False  # a context word of `kind` stands before it


@dataclass
class Document:
    template: str
    text: str = ""
    spans: list[Span] = field(default_factory=list)

    def add(self, piece: str) -> None:
        self.text += piece

    def put(self, value: str, label: str, kind: str, ids: tuple[str, ...] = (), context: bool = False) -> None:
        start = len(self.text)
        self.text += value
        self.spans.append(Span(start, len(self.text), label, kind, ids, context))


@lru_cache(maxsize=None)
def kinds() -> dict[str, str]:
    """Every kind the finder reports, with its evidence class."""
    return {k: ev for k, ev, *_ in _find.kinds() if k != "luhn"}


@lru_cache(maxsize=None)
def values(kind: str, seed: int) -> tuple[str, ...]:
    try:
        got = list(ov.sample(kind, SAMPLES_PER_KIND, seed=seed))
    except (ValueError, KeyError):
        got = []
    got += [v for v in ov.validator_metadata(kind).examples if ov.validate(kind, v).valid]
    return tuple(dict.fromkeys(got))


def validating_kinds(text: str) -> tuple[str, ...]:
    return tuple(k for k in kinds() if ov.validate(k, text).valid)


def context_words(kind: str) -> list[str]:
    meta = ov.validator_metadata(kind)
    words = [w for w in [meta.abbreviation, *meta.aliases] if w and len(w) <= 24]
    return words or [meta.name]


def written(rng: random.Random, kind: str, value: str) -> str:
    if rng.random() < 0.5:
        try:
            return ov.format(kind, value)
        except ValueError:
            return value
    return ov.compact(kind, value)


def one_digit_changed(rng: random.Random, kind: str, value: str) -> str | None:
    """`value` with one digit changed, valid for no kind (or None)."""
    digits = [i for i, c in enumerate(value) if "0" <= c <= "9"]
    for _ in range(8):
        if not digits:
            return None
        i = rng.choice(digits)
        wrong = value[:i] + rng.choice([d for d in string.digits if d != value[i]]) + value[i + 1 :]
        if not validating_kinds(wrong):
            return wrong
    return None


# Decoys: each a function of the generator; none is an identifier by intent.
def _hex(rng: random.Random, n: int) -> str:
    return "".join(rng.choice("0123456789abcdef") for _ in range(n))


def _digits(rng: random.Random, n: int) -> str:
    return str(rng.randint(1, 9)) + "".join(rng.choice(string.digits) for _ in range(n - 1))


DECOYS = {
    "phone": lambda r: r.choice([
        f"+49 30 {_digits(r, 7)}", f"+48 {_digits(r, 3)} {_digits(r, 3)} {_digits(r, 3)}",
        f"({_digits(r, 3)}) {_digits(r, 3)}-{_digits(r, 4)}", f"+33 6 {_digits(r, 2)} {_digits(r, 2)} {_digits(r, 2)} {_digits(r, 2)}",
        f"0{_digits(r, 9)}", f"+31 6 {_digits(r, 8)}"]),
    "date": lambda r: r.choice([
        f"{r.randint(1990, 2035)}-{r.randint(1, 12):02}-{r.randint(1, 28):02}",
        f"{r.randint(1, 28):02}.{r.randint(1, 12):02}.{r.randint(1990, 2035)}",
        f"{r.randint(1, 12):02}/{r.randint(1, 28):02}/{r.randint(1990, 2035)}"]),
    "timestamp": lambda r: r.choice([
        f"{r.randint(2000, 2035)}-{r.randint(1, 12):02}-{r.randint(1, 28):02}T{r.randint(0, 23):02}:{r.randint(0, 59):02}:{r.randint(0, 59):02}Z",
        str(r.randint(1_000_000_000, 1_999_999_999)), str(r.randint(1_000_000_000_000, 1_999_999_999_999))]),
    "amount": lambda r: r.choice([
        f"{r.randint(1, 99)} {r.randint(100, 999)},{r.randint(0, 99):02} EUR", f"${r.randint(1, 99)},{r.randint(100, 999)}.{r.randint(0, 99):02}",
        f"{r.randint(100, 999999)}.{r.randint(0, 99):02} PLN", f"€{r.randint(1, 9999)},{r.randint(0, 99):02}"]),
    "order": lambda r: r.choice([
        f"ORD-{r.randint(2000, 2035)}-{_digits(r, 6)}", f"#{_digits(r, r.randint(6, 12))}", f"PO{_digits(r, 8)}",
        _digits(r, r.randint(7, 13))]),
    "uuid": lambda r: f"{_hex(r, 8)}-{_hex(r, 4)}-4{_hex(r, 3)}-{r.choice('89ab')}{_hex(r, 3)}-{_hex(r, 12)}",
    "hash": lambda r: _hex(r, r.choice([32, 40, 64])),
    "postcode": lambda r: r.choice([f"{r.randint(10, 99)}-{r.randint(100, 999)}", f"{r.randint(10000, 99999)}",
                                    f"{r.randint(1000, 9999)} {r.choice('ABCDEFGHJK')}{r.choice('LMNPRSTVWX')}"]),
    "version": lambda r: f"{r.choice(['v', ''])}{r.randint(0, 20)}.{r.randint(0, 30)}.{r.randint(0, 200)}",
}

OPEN_CLOSE = [("", ""), ("", ""), ("", ""), ("(", ")"), ("[", "]"), ('"', '"'), ("'", "'"), ("«", "»"),
              ("„", "“"), ("<", ">"), ("*", "*")]
AFTER = ["", "", "", ".", ",", ";", ":", "!", "?", " –", "…"]
WORDS = {
    "en": "please find the details below thanks for your payment we received regarding the account of our client "
          "kindly confirm reference attached invoice number transfer before Friday".split(),
    "de": "bitte überweisen Sie den Betrag auf das Konto für die Rechnung vielen Dank mit freundlichen Grüßen "
          "Kundennummer Zahlung fällig bis März Straße".split(),
    "fr": "veuillez trouver ci-joint la facture numéro réglée par virement à régler avant le délai précisé "
          "merci d'avance société".split(),
    "pl": "proszę o przelew na rachunek faktura numer zapłacono dziękuję za wpłatę termin płatności "
          "spółka z o.o. Łódź Kraków".split(),
    "nl": "graag het bedrag overmaken naar rekening factuur betaling ontvangen dank voor uw bestelling "
          "vóór vrijdag groeten".split(),
}


class Builder:
    def __init__(self, rng: random.Random, seed: int) -> None:
        self.rng = rng
        self.seed = seed
        self.kind_list = sorted(kinds())

    def words(self, n: int, lang: str) -> str:
        return " ".join(self.rng.choice(WORDS[lang]) for _ in range(n))

    def item(self, doc: Document, lang: str, glue: str = " ") -> None:
        """One identifier, invalid identifier or decoy, with its surroundings."""
        r = self.rng
        roll = r.random()
        left, right = r.choice(OPEN_CLOSE)
        if roll < 0.45:
            kind = r.choice(self.kind_list)
            pool = values(kind, self.seed)
            if not pool:
                return self.decoy(doc, left, right, glue)
            text = written(r, kind, r.choice(pool))
            with_word = r.random() < 0.6
            if with_word:
                doc.add(r.choice(context_words(kind)) + r.choice([": ", " ", " no. ", " = ", ":\t", " nr "]))
            doc.add(left)
            doc.put(text, "valid", kind, validating_kinds(text), with_word)
        elif roll < 0.55:
            kind = r.choice(self.kind_list)
            pool = values(kind, self.seed)
            wrong = one_digit_changed(r, kind, written(r, kind, r.choice(pool))) if pool else None
            if wrong is None:
                return self.decoy(doc, left, right, glue)
            if r.random() < 0.5:
                doc.add(r.choice(context_words(kind)) + ": ")
            doc.add(left)
            doc.put(wrong, "invalid", kind)
        else:
            return self.decoy(doc, left, right, glue)
        doc.add(right + r.choice(AFTER) + glue)

    def decoy(self, doc: Document, left: str, right: str, glue: str) -> None:
        kind = self.rng.choice(sorted(DECOYS))
        doc.add(left)
        doc.put(DECOYS[kind](self.rng), "decoy", kind)
        doc.add(right + self.rng.choice(AFTER) + glue)

    def prose(self, lang: str) -> Document:
        doc = Document(f"prose-{lang}")
        for _ in range(self.rng.randint(2, 6)):
            doc.add(self.words(self.rng.randint(3, 14), lang) + " ")
            self.item(doc, lang, self.rng.choice([" ", "\n", "\n\n", " "]))
        doc.add(self.words(self.rng.randint(2, 8), lang) + ".")
        return doc

    def email(self, lang: str) -> Document:
        doc = Document(f"email-{lang}")
        doc.add(f"From: billing@example.{lang}\nSubject: {self.words(3, lang)}\n\n{self.words(2, lang)},\n\n")
        for _ in range(self.rng.randint(1, 4)):
            doc.add(self.words(self.rng.randint(4, 10), lang) + " ")
            self.item(doc, lang, "\n")
        doc.add("\n-- \nÉquipe Müller & Søn · Tel. ")
        doc.put(DECOYS["phone"](self.rng), "decoy", "phone")
        doc.add("\n")
        return doc

    def invoice(self, lang: str) -> Document:
        doc = Document(f"invoice-{lang}")
        doc.add("INVOICE / RECHNUNG / FACTURE\n")
        for label in self.rng.sample(["Invoice no.", "Date", "Customer", "Bank", "Payee", "Ref", "Tax"], 4):
            doc.add(f"{label}:\t")
            self.item(doc, lang, "\n")
        doc.add("Total:\t")
        doc.put(DECOYS["amount"](self.rng), "decoy", "amount")
        doc.add("\n")
        return doc

    def log(self, lang: str) -> Document:
        doc = Document("log")
        for _ in range(self.rng.randint(2, 6)):
            doc.put(DECOYS["timestamp"](self.rng), "decoy", "timestamp")
            doc.add(f" INFO [worker-{self.rng.randint(1, 9)}] "
                    f"{self.rng.choice(['user', 'payment', 'lookup', 'export'])} id=")
            self.item(doc, lang, f" status={self.rng.choice([200, 404, 500])}\n")
        return doc

    def csv(self, lang: str) -> Document:
        doc = Document("csv")
        doc.add("name,value,note\n")
        for _ in range(self.rng.randint(2, 8)):
            doc.add(f"{self.rng.choice(['Anna', 'Jürgen', 'Zoë', 'Łukasz', 'Ænes'])},")
            self.item(doc, lang, f",{self.words(1, lang)}\n")
        return doc

    def chat(self, lang: str) -> Document:
        doc = Document(f"chat-{lang}")
        for _ in range(self.rng.randint(2, 5)):
            doc.add(f"[{self.rng.randint(0, 23):02}:{self.rng.randint(0, 59):02}] {self.rng.choice(['ana', 'bo', 'kim'])}: "
                    f"{self.words(self.rng.randint(1, 6), lang)} ")
            self.item(doc, lang, self.rng.choice([" 👍\n", " 🙂\n", "\n", " ok?\n"]))
        return doc


def generate(docs: int = 2000, seed: int = SEED) -> list[Document]:
    """`docs` labelled documents, the same ones for the same seed."""
    rng = random.Random(seed)
    b = Builder(rng, seed)
    makers = [b.prose, b.prose, b.email, b.invoice, b.log, b.csv, b.chat]
    return [rng.choice(makers)(rng.choice(sorted(WORDS))) for _ in range(docs)]


def main(argv: list[str] | None = None) -> int:
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--docs", type=int, default=2000)
    p.add_argument("--seed", type=int, default=SEED)
    p.add_argument("--out")
    a = p.parse_args(argv)
    corpus = generate(a.docs, a.seed)
    if a.out:
        with open(a.out, "w", encoding="utf-8") as f:
            for d in corpus:
                f.write(json.dumps(asdict(d), ensure_ascii=False) + "\n")
    counts: dict[str, int] = {}
    for d in corpus:
        for s in d.spans:
            counts[s.label] = counts.get(s.label, 0) + 1
    print(f"{len(corpus)} documents, {sum(len(d.text) for d in corpus):,} characters, "
          + ", ".join(f"{n} {k}" for k, n in sorted(counts.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
