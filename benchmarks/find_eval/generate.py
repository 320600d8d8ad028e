"""The two parts of the corpus: ``tune`` and ``heldout``."""
from __future__ import annotations

import random

from .corpus import Corpus, Document, compute_also
from .styles import HELDOUT_STYLES, STYLES
from .values import build_pools, kinds_available

POOL_SIZE = 40
SEEDS = {"tune": 7113, "heldout": 90417}


def part_seed(part: str, seed: int | None) -> int:
    base = SEEDS[part]
    return base if seed is None else seed * 2 + (part == "heldout")


def make_corpus(part: str, seed: int | None = None) -> Corpus:
    s = part_seed(part, seed)
    kinds = kinds_available()
    pools = build_pools(kinds, s, POOL_SIZE)
    return Corpus(pools, compute_also(pools), s)


def documents(corpus: Corpus, part: str, n: int) -> list[Document]:
    """``n`` documents, the styles taken in turn so every style has its share."""
    heldout = part == "heldout"
    styles = HELDOUT_STYLES if heldout else STYLES
    names = sorted(styles)
    rng = random.Random(corpus.seed * 7919 + 1)
    docs = []
    for i in range(n):
        style = names[i % len(names)]
        docs.append(styles[style](corpus, random.Random(rng.getrandbits(64)), heldout))
    return docs
