"""Differential run of two builds: the same inputs through validate, compact,
format and parse of each, compared result by result.

Each build is a Python interpreter with its own install of the package. A
corpus is made from a fixed seed (metadata examples, typed and mutated the
way people and programs garble numbers, plus random text); each interpreter
runs it in a worker process, and the results are compared here.

    python benchmarks/differential.py OLD_PYTHON NEW_PYTHON all
    python benchmarks/differential.py OLD_PYTHON NEW_PYTHON de.vat,se.personnummer --per-id 2000

Printed: the number of inputs and of differences per operation, the
differences sorted by what the old build returned (a success whose compact
text held white space or a control character or would compact further, a
compact text that would compact further, anything else), and the differing
examples themselves (--show caps them per id and operation).
"""
from __future__ import annotations

import argparse
import json
import os
import random
import subprocess
import sys
import tempfile
import unicodedata
from collections import Counter, defaultdict

OPS = ("validate", "compact", "format", "parse")

# Characters a corpus draws from: separators, white space, zero-width
# characters, look-alikes, letters that case-map oddly, NUL and a lone
# surrogate (an encoding error on both sides).
NOISE = list(" -./:,;()+*\t\n\r\x00") + [
    "\u00a0", "\u2028", "\u3000", "\u2007", "\u200b", "\u200c", "\u200d", "\ufeff", "\u2013", "\u2212",
    "\uff10", "\uff15", "\uff0e", "\u0301", "\u00e9", "\u00df", "\u017f", "\u0131", "\u00f1", "\u212a", "\ud800",
]
ALNUM = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"


# ---- corpus ------------------------------------------------------------------

def _prefixes(vid: str) -> list[str]:
    code = vid.split(".")[0] if "." in vid else ""
    return [code.upper(), code.lower(), code.title()] if len(code) == 2 else []


def _mutate(rng: random.Random, text: str, vid: str) -> str:
    kind = rng.randrange(12)
    i = rng.randrange(len(text) + 1)
    if kind == 0 and text:  # change a digit
        digits = [k for k, ch in enumerate(text) if ch.isdigit()]
        if digits:
            k = rng.choice(digits)
            return text[:k] + str(rng.randrange(10)) + text[k + 1:]
    if kind == 1:  # insert noise
        return text[:i] + "".join(rng.choices(NOISE, k=rng.randint(1, 3))) + text[i:]
    if kind == 2 and text:  # delete a character
        return text[:i] + text[i + 1:]
    if kind == 3:  # insert a letter or digit
        return text[:i] + rng.choice(ALNUM) + text[i:]
    if kind == 4 and len(text) > 1:  # swap two neighbours
        k = rng.randrange(len(text) - 1)
        return text[:k] + text[k + 1] + text[k] + text[k + 2:]
    if kind == 5:
        return text.lower() if rng.random() < 0.5 else text.swapcase()
    if kind == 6 and _prefixes(vid):  # a country prefix, perhaps twice, perhaps with noise after it
        p = rng.choice(_prefixes(vid))
        return p * rng.randint(1, 2) + "".join(rng.choices(NOISE, k=rng.randint(0, 2))) + text
    if kind == 7:  # surrounding noise
        return "".join(rng.choices(NOISE, k=rng.randint(0, 3))) + text + "".join(rng.choices(NOISE, k=rng.randint(0, 3)))
    if kind == 8:  # cut
        return text[:i]
    if kind == 9:  # separators between groups
        sep = rng.choice(" -./:")
        step = rng.randint(1, 4)
        return sep.join(text[k:k + step] for k in range(0, len(text), step))
    if kind == 10:  # repeat
        return text * rng.randint(2, 3)
    return text[i:]


def _random_text(rng: random.Random) -> str:
    pools = [ALNUM[:10], ALNUM, ALNUM[:10] + "".join(NOISE)]
    pool = rng.choice(pools)
    text = "".join(rng.choices(pool, k=rng.randint(0, 24)))
    if rng.random() < 0.1:
        text += "".join(chr(rng.randrange(0x20, 0x3000)) for _ in range(rng.randint(1, 4)))
    return text.replace("\ud800", "") if rng.random() < 0.9 else text


def corpus(vid: str, examples: list[str], others: list[str], per_id: int, seed: int) -> list[str]:
    rng = random.Random(f"{seed}:{vid}")
    out = list(examples)
    while len(out) < per_id:
        roll = rng.random()
        if roll < 0.75 and examples:
            text = rng.choice(examples)
            for _ in range(rng.choice((1, 1, 1, 2, 2, 3))):
                text = _mutate(rng, text, vid)
        elif roll < 0.85 and others:
            text = _mutate(rng, rng.choice(others), vid)
        else:
            text = _random_text(rng)
        out.append(text)
    return out


# ---- worker --------------------------------------------------------------------

def _unclean(text: str) -> bool:
    return any(unicodedata.category(ch) in ("Cc", "Zs", "Zl", "Zp") or ch.isspace() for ch in text)


def _call(fn, *args):
    try:
        return fn(*args), None
    except Exception as e:  # noqa: BLE001 - every exception is a result to compare
        return None, f"{type(e).__name__}: {e}"


def worker(corpus_path: str, out_path: str) -> None:
    import orvane_vardik as ov

    def results(vid: str, text: str) -> dict:
        r, err = _call(ov.validate, vid, text)
        v = err or [r.valid, r.compact, r.error and r.error.code, r.error and r.error.message]
        c, cerr = _call(ov.compact, vid, text)
        f, ferr = _call(ov.format, vid, text)
        p, perr = _call(ov.parse, vid, text)
        parsed = perr or (p and [p.birth_year, p.birth_month, p.birth_day, p.gender])
        flags = []
        if r is not None and r.valid and (_unclean(r.compact) or ov.compact(vid, r.compact) != r.compact):
            flags.append("unclean-success")
        if c is not None and (ov.compact(vid, c) != c or c != c.strip()):
            flags.append("unstable-compact")
        return {"validate": v, "compact": cerr or c, "format": ferr or f, "parse": parsed, "flags": flags}

    with open(corpus_path, encoding="utf-8") as src, open(out_path, "w", encoding="utf-8") as dst:
        for line in src:
            vid, text = json.loads(line)
            dst.write(json.dumps(results(vid, text)) + "\n")


def metadata(python: str, ids: str) -> dict[str, list[str]]:
    code = (
        "import json, orvane_vardik as ov\n"
        "print(json.dumps({i: list(ov.validator_metadata(i).examples) for i in ov.validator_ids()}))"
    )
    meta = json.loads(subprocess.run([python, "-c", code], capture_output=True, text=True, check=True).stdout)
    if ids != "all":
        wanted = [i for i in ids.split(",") if i]
        missing = [i for i in wanted if i not in meta]
        if missing:
            sys.exit(f"not registered in {python}: {', '.join(missing)}")
        meta = {i: meta[i] for i in wanted}
    return meta


# ---- comparison -------------------------------------------------------------------

def cause(op: str, old: dict) -> str:
    """What the old build returned, for sorting a difference."""
    if op in ("validate", "parse") and "unclean-success" in old["flags"]:
        return "old success unclean"
    if op in ("compact", "format") and "unstable-compact" in old["flags"]:
        return "old compact unstable"
    if op == "validate" and "unstable-compact" in old["flags"]:
        return "old compact unstable"
    return "other"


def main(argv: list[str] | None = None) -> int:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("old", help="python of the first (reference) build")
    ap.add_argument("new", help="python of the second build")
    ap.add_argument("ids", help='comma-separated ids, or "all"')
    ap.add_argument("--per-id", type=int, default=6000, help="inputs per id (default 6000)")
    ap.add_argument("--seed", type=int, default=17)
    ap.add_argument("--show", type=int, default=10, help="differing examples shown per id and operation")
    args = ap.parse_args(argv)

    meta = metadata(args.old, args.ids)
    examples = [e for ex in meta.values() for e in ex]
    with tempfile.TemporaryDirectory() as tmp:
        corpus_path = os.path.join(tmp, "corpus.jsonl")
        rows = []
        with open(corpus_path, "w", encoding="utf-8") as out:
            for vid, ex in meta.items():
                for text in corpus(vid, ex, examples, args.per_id, args.seed):
                    rows.append((vid, text))
                    out.write(json.dumps([vid, text]) + "\n")
        outs = {}
        procs = []
        for side, python in (("old", args.old), ("new", args.new)):
            outs[side] = os.path.join(tmp, f"{side}.jsonl")
            procs.append(subprocess.Popen([python, os.path.abspath(__file__), "--worker", corpus_path, outs[side]]))
        for p in procs:
            if p.wait() != 0:
                sys.exit("a worker failed")
        differences: Counter = Counter()
        causes: Counter = Counter()
        shown: dict = defaultdict(list)
        per_id: Counter = Counter()
        with open(outs["old"], encoding="utf-8") as fo, open(outs["new"], encoding="utf-8") as fn:
            for (vid, text), lo, ln in zip(rows, fo, fn):
                old, new = json.loads(lo), json.loads(ln)
                for op in OPS:
                    if old[op] != new[op]:
                        differences[op] += 1
                        why = cause(op, old)
                        causes[(op, why)] += 1
                        per_id[(vid, op)] += 1
                        if len(shown[(vid, op)]) < args.show:
                            shown[(vid, op)].append((why, text, old[op], new[op]))

    print(f"ids: {len(meta)}; inputs: {len(rows)} (seed {args.seed}); calls compared: {len(rows) * len(OPS)}")
    for op in OPS:
        print(f"  {op:9s} inputs {len(rows):8d}  differences {differences[op]:7d}  "
              + ", ".join(f"{why}: {n}" for (o, why), n in sorted(causes.items()) if o == op))
    if shown:
        print(f"\ndifferences per id and operation ({len({vid for vid, _ in per_id})} ids):")
        for (vid, op), n in sorted(per_id.items()):
            print(f"  {vid:18s} {op:9s} {n:7d}")
        print("\nexamples:")
        for (vid, op), items in sorted(shown.items()):
            for why, text, old, new in items:
                print(f"  {vid:18s} {op:9s} [{why}] {text!r}\n      old: {old!r}\n      new: {new!r}")
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--worker":
        worker(sys.argv[2], sys.argv[3])
    else:
        sys.exit(main())
