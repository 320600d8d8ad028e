"""The independent model behind find_review.py: what the finder's rules say.

Kinds, their context words and layouts (from the metadata and ``format``),
weak lengths measured by drawing random numbers, the confidence a match
should carry, and the generators of test texts.
"""
from __future__ import annotations

import random
import re
import uuid

import orvane_vardik as ov
from orvane_vardik import _find

WHY = [[]]  # the lowering reasons of the last model_conf call
STEPS_PER_REASON = False  # the rules lower one step whatever the number of reasons

RANKS = {"shape": 0, "component": 1, "checksum": 2}
NAMES = {v: k for k, v in RANKS.items()}
SEPS = " -./"
SEP_RE = re.compile(r"[ \-./]")
KINDS = _find.kinds()
IDS = [k for k, _, _ in KINDS]
ORDER = {k: i for i, k in enumerate(IDS)}
CLS = {k: c for k, c, _ in KINDS}
PAT = {k: re.compile(p, re.ASCII) for k, _, p in KINDS}
META = {k: ov.validator_metadata(k) for k in IDS}
WORD_CHARS = re.compile(r"[A-Za-z0-9]")


def _ctx_words(k):
    m = META[k]
    words = {m.abbreviation, m.name, *m.aliases}
    return sorted({w.strip().lower() for w in words if w and w.strip()}, key=len, reverse=True)


CTX = {k: _ctx_words(k) for k in IDS}
CTX_RE = {
    k: re.compile("|".join(r"(?<![a-z0-9])" + re.escape(w) + (r"(?![a-z0-9])" if w[-1:].isalnum() else "") for w in ws))
    for k, ws in CTX.items() if ws
}


def lens(s):
    return [len(g) for g in SEP_RE.split(s)]


def first_layout(k):
    for e in META[k].examples:
        if ov.validate(k, e).valid:
            return lens(ov.format(k, e))
    return None


FIRST_LAYOUT = {k: first_layout(k) for k in IDS}


def drops_prefix(k):
    cc = META[k].country
    if not cc:
        return None
    for e in META[k].examples:
        r = ov.validate(k, e)
        if r.valid:
            r2 = ov.validate(k, cc + r.compact)
            if r2.valid and r2.compact == r.compact and not r.compact.upper().startswith(cc) \
                    and ov.format(k, r.compact).upper().startswith(cc):
                return cc
    return None


PREFIX = {k: drops_prefix(k) for k in IDS}

# ---- weak lengths: how often a random plain number of n digits validates


_weak_cache: dict = {}
RATE: dict = {}


def _rate_side(hits, n, thr=1 / 200):
    if n == 0:
        return None
    p = hits / n
    z = 3.5
    half = z * ((p * (1 - p) + 1e-9) / n) ** 0.5 + z * z / n
    if p - half > thr:
        return True
    if p + half < thr:
        return False
    return None


def weak(k, n, rng=random.Random(7)):
    key = (k, n)
    if key in _weak_cache:
        return _weak_cache[key]
    hits = draws = 0
    side = None
    while draws < 40000:
        for _ in range(2000):
            s = "".join(rng.choice("0123456789") for _ in range(n))
            draws += 1
            if ov.validate(k, s).valid:
                hits += 1
        side = _rate_side(hits, draws)
        if side is not None:
            break
    _weak_cache[key] = side
    RATE[key] = hits / draws
    return side


# ---- the model's confidence


def ascii_lower(t):
    return t.translate(ASCII_LOWER)


ASCII_LOWER = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")
CTX_RE_ASCII = {
    k: re.compile("|".join(r"(?<![a-z0-9])" + re.escape(ascii_lower(w)) + (r"(?![a-z0-9])" if w[-1:].isalnum() else "")
                           for w in {x for x in (META[k].abbreviation, META[k].name, *META[k].aliases) if x and x.strip()}))
    for k in IDS if CTX[k]
}


def announced(k, text, start, fold="unicode"):
    """True / False / None (undecidable: at the edge of the reach).

    Clear: the context phrase and what follows it up to the span are at
    most 4 blank-separated words and 80 bytes; clearly absent: no phrase
    within 8 words or 140 bytes. fold="ascii" folds ASCII letters only.
    """
    rx = (CTX_RE if fold == "unicode" else CTX_RE_ASCII).get(k)
    if rx is None:
        return False
    lo = max(0, start - 300)
    before = text[lo:start].lower() if fold == "unicode" else ascii_lower(text[lo:start])
    verdict = False
    for m in rx.finditer(before):
        gap = before[m.end():]
        if gap[:1].isalnum():
            continue  # glued to what follows: not a whole word
        nbytes = len(before[m.start():].encode("utf-8", "surrogatepass"))
        nw = len(before[m.start():].split())
        if nbytes <= 80 and nw <= 4:
            return True
        if nbytes <= 140 and nw <= 8:
            verdict = None
    return verdict


def layout_ok(k, span, compact):
    sl = lens(span)
    if len(sl) < 3:
        return True
    fl = lens(ov.format(k, compact))
    if sl == fl or sl == lens(compact):
        return True
    if len(fl) >= 3 and len(set(fl[:-1])) == 1 and fl[-1] <= fl[0]:
        g = fl[0]
        if all(x == g for x in sl[:-1]) and sl[-1] <= g:
            return True
    return False


def model_conf(k, text, s, e, compact, fold="unicode"):
    """(confidence rank, announced) or None when undecidable; WHY[0] lists the lowering reasons."""
    span = text[s:e]
    base = RANKS[CLS[k]]
    lower = False
    why = []
    plain = re.fullmatch(r"[0-9 \-./]+", span) is not None
    groups = lens(span)
    ndig = sum(ch.isdigit() for ch in span)
    if plain and ndig <= 13 and CLS[k] == "checksum":
        w = weak(k, ndig)
        if w is None:
            return None
        lower |= w
        why += ["weak length"] * w
    if plain and len(groups) > 1 and FIRST_LAYOUT[k] is not None and groups != FIRST_LAYOUT[k]:
        lower = True
        why.append("plain layout")
    cc = PREFIX[k]
    if cc and not span.upper().startswith(cc):
        lower = True
        why.append("no prefix")
    if len(groups) >= 3 and not layout_ok(k, span, compact):
        lower = True
        why.append("3+ groups layout")
    if plain and ndig <= 13 and CLS[k] == "checksum":
        why.append(f"rate {RATE.get((k, ndig), 0):.4f}")
    WHY[0] = why
    steps = len(why) if STEPS_PER_REASON else int(lower)
    conf = max(0, base - steps)
    a = announced(k, text, s, fold)
    if a is None:
        return None
    if a:
        conf = min(2, conf + 1)
    return conf, a


# ---- generators

PROSE = "the invoice was sent to our office on time please check amount with reference and see attached payment due".split()
FOREIGN = ["Grüße", "naïve", "日本語", "привет", "Ωμέγα", "😀", "𝔘𝔫𝔦", "e\u0301t\u0301e", "Zürich", "ĳssel", "٣٤٥", "中文字"]
PUNCT = [", ", "; ", ": ", "! ", "? ", " (", ") ", " [", "] ", '"', "'", " — ", "\n", "\n\n", " ", " ", " ", "\t"]


def decoy(rng):
    c = rng.randrange(14)
    d = lambda n: "".join(rng.choice("0123456789") for _ in range(n))
    if c == 0:
        return f"{rng.randint(1990, 2035)}-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}"
    if c == 1:
        return f"{rng.randint(1, 28)}.{rng.randint(1, 12)}.{rng.randint(1990, 2035)}"
    if c == 2:
        return rng.choice([f"+{rng.randint(1, 99)} {d(2)} {d(7)}", f"({d(3)}) {d(3)}-{d(4)}", f"+1-{d(3)}-555-{d(4)}"])
    if c == 3:
        return rng.choice([f"EUR {rng.randint(1, 99)},{d(3)}.{d(2)}", f"${rng.randint(1, 999)}.{d(2)}", f"{d(2)} {d(3)} CZK"])
    if c == 4:
        return rng.choice([f"Order #{d(6)}", f"PO-{rng.randint(2000, 2030)}-{d(5)}", f"INV {d(5)}", f"#{d(8)}"])
    if c == 5:
        return rng.choice([str(rng.randint(10 ** 9, 2 * 10 ** 9)), str(rng.randint(10 ** 12, 2 * 10 ** 12)),
                           f"{rng.randint(2000, 2030)}-0{rng.randint(1, 9)}-1{rng.randint(0, 9)}T{d(2)}:{d(2)}:{d(2)}Z"])
    if c == 6:
        return str(uuid.UUID(int=rng.getrandbits(128)))
    if c == 7:
        return "%0*x" % (rng.choice([32, 40, 64]) // 1, rng.getrandbits(256)) if False else "".join(
            rng.choice("0123456789abcdef") for _ in range(rng.choice([32, 40, 64])))
    if c == 8:
        return d(rng.randint(3, 20))
    if c == 9:
        return " ".join(d(rng.randint(2, 4)) for _ in range(rng.randint(2, 6)))
    if c == 10:
        return rng.choice(FOREIGN)
    if c == 11:
        return rng.choice(PROSE).upper() if rng.random() < 0.3 else rng.choice(PROSE)
    if c == 12:
        return rng.choice(IDS_CTX_WORDS)
    return rng.choice(PROSE)


IDS_CTX_WORDS = sorted({w for k in IDS for w in [META[k].abbreviation, *META[k].aliases] if w})
_pool: dict = {}


def value_of(k, rng):
    if k not in _pool:
        vals = [e for e in META[k].examples if ov.validate(k, e).valid]
        try:
            vals += ov.sample(k, 24, seed=rng.randrange(1 << 30))
        except Exception:
            pass
        _pool[k] = vals
    return rng.choice(_pool[k])


def regroup(key, rng):
    if len(key) < 4:
        return key
    ng = rng.choice([2, 2, 3, 4])
    cuts = sorted(rng.sample(range(1, len(key)), min(ng - 1, len(key) - 1)))
    sep = rng.choice(SEPS)
    parts = [key[a:b] for a, b in zip([0] + cuts, cuts + [len(key)])]
    return sep.join(parts)


def written(k, v, rng):
    r = rng.random()
    compact = ov.compact(k, v)
    if r < 0.35:
        return compact, "compact"
    if r < 0.75:
        return ov.format(k, compact), "format"
    if r < 0.85:
        return v, "raw"
    return regroup(compact, rng), "regroup"


def make_case(rng, kinds_weighting):
    pieces = []  # list of (str, plant or None)
    for _ in range(rng.randint(2, 10)):
        pieces.append((decoy(rng), None))
    for _ in range(rng.randint(1, 3)):
        k = rng.choice(kinds_weighting)
        v = value_of(k, rng)
        w, how = written(k, v, rng)
        ctx = None
        if rng.random() < 0.6:
            words = [META[k].abbreviation, *META[k].aliases, META[k].name]
            words = [x for x in words if x]
            ctx = rng.choice(words)
            if rng.random() < 0.2:
                ctx = ctx.lower()
            ctx = ctx + rng.choice([" ", ": ", " no. ", " (", " = ", " #"[:1]])
        pieces.insert(rng.randrange(len(pieces) + 1), ((ctx or ""), (k, w, how, ctx is not None)))
    text = []
    plants = []
    pos = 0
    for i, (p, plant) in enumerate(pieces):
        if i:
            j = rng.choice(PUNCT)
            text.append(j)
            pos += len(j)
        if plant is None:
            text.append(p)
            pos += len(p)
        else:
            k, w, how, _ = plant
            text.append(p)
            pos += len(p)
            text.append(w)
            plants.append((k, pos, pos + len(w), how))
            pos += len(w)
    return "".join(text), plants
