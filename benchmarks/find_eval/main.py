"""Command line of the finder evaluation (see ``README.md``)."""
from __future__ import annotations

import argparse
import hashlib
import os
import pickle
import sys
import time

from .generate import SEEDS, documents, make_corpus, part_seed
from .oracles import ORACLES
from .score import disagreements, identify_figures, redact_leak, score, speed

DEFAULT_DOCS = 3000
# The sources the corpus depends on (the scorer and this file do not).
GENERATOR_FILES = ("shapes.py", "kinds.py", "labels.py", "oracles.py", "values.py", "decoys.py",
                   "corpus.py", "styles.py", "generate.py")


def _cache_key(part: str, seed: int | None, n: int) -> str:
    h = hashlib.sha256()
    here = os.path.dirname(os.path.abspath(__file__))
    for name in GENERATOR_FILES:
        if os.path.exists(os.path.join(here, name)):
            with open(os.path.join(here, name), "rb") as f:
                h.update(name.encode() + f.read())
    import schwifty
    import stdnum

    h.update(repr((part, seed, n, stdnum.__version__, getattr(schwifty, "__version__", ""))).encode())
    return h.hexdigest()[:20]


def load_docs(part: str, seed: int | None, n: int, use_cache: bool):
    cache_dir = os.environ.get("FIND_EVAL_CACHE", os.path.join(os.environ.get("TMPDIR", "/tmp"), "find_eval_cache"))
    path = os.path.join(cache_dir, f"{part}-{_cache_key(part, seed, n)}.pickle")
    if use_cache and os.path.exists(path):
        with open(path, "rb") as f:
            return pickle.load(f), 0.0, True
    t = time.process_time()
    corpus = make_corpus(part, seed)
    docs = documents(corpus, part, n)
    spent = time.process_time() - t
    if use_cache:
        os.makedirs(cache_dir, exist_ok=True)
        tmp = path + f".{os.getpid()}"
        with open(tmp, "wb") as f:
            pickle.dump(docs, f)
        os.replace(tmp, path)
    return docs, spent, False


def _pct(x: float) -> str:
    return f"{100 * x:5.1f}%"


def _line(name: str, t, width: int = 14) -> str:
    return f"  {name:<{width}} n={t.labels:<6} P {t.p():.3f}  R {t.r():.3f}  F1 {t.f1():.3f}  (found {t.found}, false {t.fp})"


def _tally(t) -> dict:
    return {"n": t.labels, "found": t.found, "false": t.fp, "p": round(t.p(), 4), "r": round(t.r(), 4), "f1": round(t.f1(), 4)}


def summary(res) -> dict:
    return {
        "all": _tally(res.total),
        "false_types": dict(res.fp_types),
        "ambiguous": res.ambiguous,
        "unjudged": res.unjudged,
        "errors": len(res.errors),
        "by_style": {k: _tally(v) for k, v in sorted(res.by_style.items())},
        "by_form": {k: _tally(v) for k, v in sorted(res.by_form.items())},
        "by_context": {k: _tally(v) for k, v in sorted(res.by_context.items())},
        "by_kind": {k: _tally(v) for k, v in sorted(res.by_kind.items())},
    }


def report_level(res, examples: int) -> None:
    t = res.total
    print(f"\n-- min_confidence = {res.level}")
    if res.errors:
        print(f"  !! find raised on {len(res.errors)} documents, e.g. {res.errors[0]}")
    print(f"  ALL            n={t.labels:<6} P {t.p():.3f}  R {t.r():.3f}  F1 {t.f1():.3f}  (found {t.found}, false {t.fp}: "
          + ", ".join(f"{k} {v}" for k, v in sorted(res.fp_types.items())) + f"; not counted: ambiguous {res.ambiguous}, unjudged {res.unjudged})")
    print(" by style:")
    for name in sorted(res.by_style, key=lambda s: res.by_style[s].f1()):
        print(_line(name, res.by_style[name]))
    print(" by written form:")
    for name in sorted(res.by_form):
        print(_line(name, res.by_form[name]))
    print(" by context:")
    for name in sorted(res.by_context):
        print(_line(name, res.by_context[name]))
    kinds = [k for k in res.by_kind if res.by_kind[k].labels]
    worst = sorted(kinds, key=lambda k: (res.by_kind[k].f1(), -res.by_kind[k].labels))[:15]
    print(f" worst 15 of {len(kinds)} labelled kinds:")
    for k in worst:
        print(_line(k, res.by_kind[k], 18))
    noisy = sorted((k for k in res.by_kind if res.by_kind[k].fp), key=lambda k: -res.by_kind[k].fp)[:10]
    if noisy:
        print(" most false positives by reported kind: " + ", ".join(f"{k} {res.by_kind[k].fp}" for k in noisy))
    if examples:
        print(" misses (kind, style, form):")
        for kind, style, form, snip in res.misses[:: max(1, len(res.misses) // examples)][:examples]:
            print(f"    {kind:<16} {style:<9} {form:<10} {snip}")
        print(" false reports (type, reported kind, style):")
        for why, kind, style, snip in res.false[:: max(1, len(res.false) // examples)][:examples]:
            print(f"    {why:<12} {kind:<16} {style:<9} {snip}")


def run_part(ov, part: str, args, known: list[str]) -> dict:
    docs, spent, cached = load_docs(part, args.seed, args.docs, not args.no_cache)
    n_labels = sum(len(d.labels) for d in docs)
    unknown = sorted({l.kind for d in docs for l in d.labels} - set(known))
    if unknown:
        print(f"note: this build lacks {len(unknown)} labelled kinds (counted as misses): {', '.join(unknown)}")
    size = sum(len(d.text.encode("utf-8")) for d in docs) / 1e6
    seed = part_seed(part, args.seed)
    print(f"\n==== part {part}: seed {seed}, {len(docs)} documents, {n_labels} identifiers, {size:.2f} MB"
          + (" (from cache)" if cached else f" (generated in {spent:.1f} s CPU)"))

    def find(text, level):
        return ov.find(text) if level == "default" else ov.find(text, min_confidence=level)

    figures: dict = {"seed": seed, "documents": len(docs), "identifiers": n_labels, "mb": round(size, 3), "levels": {}}
    levels = ["default"] + [lv for lv in args.min_confidence if lv != "default"]
    for level in levels:
        res = score(docs, find, level, set(ORACLES))
        report_level(res, args.examples)
        figures["levels"][level] = summary(res)

    dis = disagreements(docs, ov.validate)
    if dis:
        print(f"\n-- oracle-valid values that validate() rejects: {sum(dis.values())} distinct values in "
              f"{len(dis)} kinds: " + ", ".join(f"{k} {v}" for k, v in dis.most_common(15)))

    left, n, kinds, ex, by_style = redact_leak(docs, ov.redact)
    print(f"\n-- redact() at its default: {left} of {n} identifiers left readable ({_pct(left / n if n else 0)})")
    figures["redact"] = {"readable": left, "identifiers": n, "by_kind": dict(kinds),
                         "by_style": {k: v[0] / v[1] for k, v in sorted(by_style.items())}}
    print("  readable by style: " + ", ".join(f"{k} {_pct(v[0] / v[1]).strip()}"
                                             for k, v in sorted(by_style.items(), key=lambda kv: -kv[1][0] / kv[1][1])))
    if kinds:
        print("  most often readable: " + ", ".join(f"{k} {v}" for k, v in kinds.most_common(12)))
    for kind, style, snip in ex[: args.examples]:
        print(f"    {kind:<16} {style:<9} {snip}")

    idf = identify_figures(docs, ov.identify)
    figures["identify"] = {k: v for k, v in idf.items() if k != "misses"}
    if idf["errors"]:
        print(f"\n  !! identify raised on {idf['errors']} values")
    print(f"\n-- identify() on {idf['values']} labelled values: true kind among answers {_pct(idf['among'])}, "
          f"first {_pct(idf['first'])} (first is a kind the oracles accept: {_pct(idf['first_ok'])}), "
          f"{idf['mean_kinds']:.2f} kinds per answer; "
          f"{idf['us_per_call']:.2f} µs per call over the {idf['timed']} values with at most 5 kinds")
    print("  true kind among answers by written form: "
          + ", ".join(f"{k} {_pct(v).strip()}" for k, v in idf["among_by_form"].items()))
    for kind, v, ans in idf["misses"][: args.examples]:
        print(f"    {kind:<16} {v!r:<34} -> {ans}")

    if not args.no_speed:
        print("\n-- speed: find_iter vs one re pass of \\d{11} over the same text (best of 3)")
        figures["speed"] = {}
        for style, mb, f, r in speed(docs, ov.find_iter):
            print(f"  {style:<10} {mb:6.2f} MB  find_iter {f:7.1f} MB/s   re {r:7.1f} MB/s   ratio {f / r if r else 0:.3f}")
            figures["speed"][style] = {"mb": round(mb, 3), "find_iter": round(f, 2), "re": round(r, 2)}
    return figures


def main(argv: list[str] | None = None) -> int:
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--part", choices=["tune", "heldout", "both"], default="tune")
    ap.add_argument("--docs", type=int, default=DEFAULT_DOCS, help="documents per part")
    ap.add_argument("--seed", type=int, default=None, help=f"base seed (default: the fixed seeds {SEEDS})")
    ap.add_argument("--min-confidence", action="append", default=[], choices=["component", "shape", "checksum"],
                    help="also score at this level (repeatable); the default level is always scored")
    ap.add_argument("--examples", type=int, default=5, help="examples of misses and false reports per level")
    ap.add_argument("--no-speed", action="store_true", help="skip the speed figures")
    ap.add_argument("--no-cache", action="store_true", help="generate the corpus afresh, not from the cache")
    ap.add_argument("--json", metavar="PATH", help="also write the figures to PATH as JSON")
    args = ap.parse_args(argv)
    import orvane_vardik as ov

    known = sorted(ov.validator_ids())
    print(f"orvane_vardik from {os.path.dirname(ov.__file__)}")
    t = time.process_time()
    parts = ["tune", "heldout"] if args.part == "both" else [args.part]
    figures = {part: run_part(ov, part, args, known) for part in parts}
    if args.json:
        import json

        with open(args.json, "w", encoding="utf-8") as f:
            json.dump({"package": os.path.dirname(ov.__file__), "parts": figures}, f, indent=1, sort_keys=True)
    print(f"\n(total {time.process_time() - t:.1f} s CPU)")
    return 0
