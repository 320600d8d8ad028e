"""The labelled corpus says what its documents hold."""
from __future__ import annotations

import os
import re
import sys

import pytest

import orvane_vardik as ov

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "benchmarks"))
import find_corpus  # noqa: E402

DECOY_SHAPES = {
    "phone": r"[+(]?[0-9][0-9 ()\-]+",
    "date": r"[0-9]{2,4}[-./][0-9]{2}[-./][0-9]{2,4}",
    "timestamp": r"[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}Z|[0-9]{10}|[0-9]{13}",
    "amount": r"[$€]?[0-9][0-9 ,.]*(?: EUR| PLN)?",
    "order": r"(?:ORD-[0-9]{4}-|#|PO)?[0-9]+",
    "uuid": r"[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}",
    "hash": r"[0-9a-f]{32}|[0-9a-f]{40}|[0-9a-f]{64}",
    "postcode": r"[0-9]{2}-[0-9]{3}|[0-9]{5}|[0-9]{4} [A-Z]{2}",
    "version": r"v?[0-9]+\.[0-9]+\.[0-9]+",
}


@pytest.fixture(scope="module")
def corpus():
    return find_corpus.generate(150, seed=11)


def test_same_seed_same_corpus(corpus):
    again = find_corpus.generate(150, seed=11)
    assert [d.text for d in again] == [d.text for d in corpus]
    assert [d.text for d in find_corpus.generate(20, seed=12)] != [d.text for d in corpus[:20]]


def test_labels_hold(corpus):
    seen = set()
    for doc in corpus:
        last = 0
        for s in doc.spans:
            text = doc.text[s.start:s.end]
            assert s.start >= last and text == text.strip() and text
            last = s.end
            seen.add(s.label)
            if s.label == "valid":
                assert ov.validate(s.kind, text).valid and s.kind in s.ids
            elif s.label == "invalid":
                assert not ov.validate(s.kind, text).valid
                assert find_corpus.validating_kinds(text) == ()
            else:
                assert re.fullmatch(DECOY_SHAPES[s.kind], text), (s.kind, text)
    assert seen == {"valid", "invalid", "decoy"}


@pytest.mark.parametrize("template", ["prose", "email", "invoice", "log", "csv", "chat"])
def test_every_template_is_drawn(corpus, template):
    assert any(d.template.startswith(template) for d in corpus)


def test_both_written_forms_and_context_appear(corpus):
    valid = [(d.text[s.start:s.end], s) for d in corpus for s in d.spans if s.label == "valid"]
    assert any(t != ov.compact(s.kind, t) for t, s in valid)
    assert any(t == ov.compact(s.kind, t) for t, s in valid)
    assert {s.context for _, s in valid} == {True, False}
