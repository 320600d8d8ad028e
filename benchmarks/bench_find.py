"""Speed, memory and quality of the text finder.

    python benchmarks/bench_find.py            # 100 MB adversarial inputs
    python benchmarks/bench_find.py --quick    # small sizes, a quick look

Throughput is MB of UTF-8 per second (best of several runs, each interleaved
with a reference: a million `operator.eq` calls on two short str, so a
noisy machine shows in the reference too). Quality: precision and recall per
kind on the labelled corpus of find_corpus.py at the default settings, split
into kinds with a check digit and the others.
"""
from __future__ import annotations

import argparse
import functools
import gc
import operator
import os
import random
import sys
import time
import tracemalloc

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pyarrow as pa  # noqa: E402

import find_corpus  # noqa: E402
import orvane_vardik as ov  # noqa: E402
from orvane_vardik import columns  # noqa: E402

MB = 1_000_000
PROBE = 20_000


def reference() -> float:
    """Seconds for a million `operator.eq` calls on two short str."""
    a, b, eq = "DE89370400", "DE89370401", operator.eq
    t = time.perf_counter()
    for _ in range(1_000_000):
        eq(a, b)
    return time.perf_counter() - t


def best(fn, repeat: int) -> tuple[float, float]:
    """(best seconds of fn, best reference seconds), interleaved."""
    times, refs = [], []
    for _ in range(repeat):
        refs.append(reference())
        gc.collect()
        t = time.perf_counter()
        fn()
        times.append(time.perf_counter() - t)
    return min(times), min(refs)


def prose(size: int, rng: random.Random) -> str:
    """Words in several languages, an identifier every ~20 KB."""
    words = [w for ws in find_corpus.WORDS.values() for w in ws]
    ibans = find_corpus.values("iban", find_corpus.SEED)
    out, n = [], 0
    while n < size:
        para = " ".join(rng.choice(words) for _ in range(rng.randint(60, 200))) + ".\n"
        if rng.random() < 0.1:
            para = para[:-2] + " IBAN " + rng.choice(ibans) + ".\n"
        out.append(para)
        n += len(para.encode())
    return "".join(out)


def dense(size: int, rng: random.Random) -> str:
    """CSV rows and log lines from the corpus, repeated to the size."""
    docs = [d.text for d in find_corpus.generate(400, 7) if d.template in ("csv", "log", "invoice-en")]
    text = "\n".join(docs)
    return (text * (size // max(1, len(text.encode())) + 1))[:size]


def groups(size: int, rng: random.Random, word) -> str:
    """Words from `word(rng)` joined by single spaces, `size` characters."""
    unit = " ".join(word(rng) for _ in range(20_000))
    return (unit * (size // len(unit) + 1))[:size]


def inputs(size: int, big: int) -> list[tuple[str, str]]:
    rng = random.Random(1)
    digits = "".join(rng.choice("0123456789") for _ in range(1000))
    one_line = prose(big, rng).replace("\n", " ")
    alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    return [
        ("prose, few ids", prose(size, rng)),
        ("CSV rows and logs", dense(size, rng)),
        ("digits only", (digits * (big // 1000 + 1))[:big]),
        ("one long line", one_line),
        ("runs of separators", ("- . / " * (big // 6 + 1))[:big]),
        ("spaced digit pairs", ("12 34 " * (big // 6 + 1))[:big]),
        ("spaced single digits", ("3 1 4 1 5 9 2 6 " * (big // 16 + 1))[:big]),
        # Runs of groups that keep many kinds' shapes alive word after word.
        ("5-digit groups", groups(size, rng, lambda r: str(r.randint(10000, 99999)))),
        ("8-digit groups", groups(size, rng, lambda r: str(r.randint(10**7, 10**8 - 1)))),
        ("hyphenated numbers", groups(size, rng, lambda r: f"{r.randint(1000, 99999)}-{r.randint(1000, 99999)}")),
        ("letter-digit groups", groups(size, rng, lambda r: r.choice("ABCDEFGH") + r.choice("ABCDEFGH") + str(r.randint(10, 99)))),
        ("alphanumeric groups", groups(size, rng, lambda r: "".join(r.choice(alnum) for _ in range(4)))),
        ("IBAN-like groups", groups(size, rng, lambda r: f"DE{r.randint(0, 99):02} {r.randint(0, 9999):04} {r.randint(0, 9999):04}")),
        ("capital words", groups(size, rng, lambda r: "".join(r.choice(alnum[10:]) for _ in range(r.randint(2, 11))))),
    ]


def speed(size: int, big: int, repeat: int) -> None:
    print(f"{'input':<22}{'MB':>7}{'MB/s':>9}{'ratio to ref':>14}   (ref: 1e6 operator.eq)")
    for name, text in inputs(size, big):
        # A probe first: an input that scans slower than 1 MB/s is measured
        # on its first PROBE characters only, so a run stays bounded.
        probe = text[:PROBE]
        t = time.perf_counter()
        ov.find(probe)
        if len(probe.encode()) / MB / (time.perf_counter() - t) < 1.0:
            text, name = probe, name + " *"
        mb = len(text.encode()) / MB
        sec, ref = best(lambda: sum(1 for _ in ov.find_iter(text)), repeat)
        print(f"{name:<22}{mb:>7.2f}{mb / sec:>9.2f}{sec / ref:>14.2f}")
    print("* slower than 1 MB/s on a probe: measured on its first "
          f"{PROBE // 1000} K characters only")


def threaded(size: int, repeat: int) -> None:
    rng = random.Random(2)
    docs = [d.text for d in find_corpus.generate(2000, 3)]
    docs += [prose(4000, rng) for _ in range(200)]
    col = pa.array((docs * (size // sum(len(d) for d in docs) + 1)), pa.large_utf8())
    mb = col.nbytes / MB
    print(f"\ncolumns.find over {len(col):,} documents ({mb:.1f} MB)")
    for threads in (1, 2):
        sec, ref = best(lambda: columns.find(col, threads=threads), repeat)
        print(f"  threads={threads}: {mb / sec:8.1f} MB/s  (ratio to ref {sec / ref:.2f})")
    for threads in (1, 2):
        sec, _ = best(lambda: columns.redact(col, threads=threads), repeat)
        print(f"  redact threads={threads}: {mb / sec:8.1f} MB/s")


def memory(sizes: list[int]) -> None:
    print("\nfind_iter: peak memory traced besides the text (should not grow)")
    rng = random.Random(3)
    unit = prose(1 << 20, rng)
    for size in sizes:
        text = unit * (size // len(unit) + 1)
        tracemalloc.start()
        count = sum(1 for _ in ov.find_iter(text))
        _, peak = tracemalloc.get_traced_memory()
        tracemalloc.stop()
        print(f"  {len(text) / MB:7.1f} M characters: {count:6} matches, peak {peak / MB:6.2f} MB")
        del text


@functools.lru_cache(maxsize=None)
def alone(kind: str, text: str) -> str:
    """The confidence the finder gives `text` as `kind` with nothing around it."""
    got = [m.confidence for m in ov.find(text, kind, min_confidence="shape") if (m.start, m.end) == (0, len(text))]
    return got[0] if got else "shape"


def expected(kind: str, text: str, context: bool) -> bool:
    # Reported at the default setting: a check digit alone, or a component
    # rule raised by its context word. Some kinds check their prefixed form
    # more strongly than their bare digits, so the written form decides.
    level = alone(kind, text)
    return level == "checksum" or (context and level == "component")


def quality(docs: int) -> None:
    corpus = find_corpus.generate(docs)
    evidence = find_corpus.kinds()
    # kind -> [expected found, right reports, wrong reports, expected]
    stats: dict[str, list[int]] = {}

    def row(kind: str) -> list[int]:
        return stats.setdefault(kind, [0, 0, 0, 0])

    # Every valid value of a kind with a check digit, whatever its form and
    # context: [found at the default, all; without a context word: found, all]
    every = [0, 0, 0, 0]
    for d in corpus:
        labelled = {(s.start, s.end): s for s in d.spans}
        found = ov.find(d.text)
        reported = {(m.start, m.end, m.id) for m in found}
        for s in d.spans:
            if s.label == "valid" and evidence.get(s.kind) == "checksum":
                hit = any((s.start, s.end, k) in reported for k in s.ids)
                every[0] += hit
                every[1] += 1
                if not s.context:
                    every[2] += hit
                    every[3] += 1
            # Kinds without a check digit are reported at the default
            # setting only after their context word.
            if s.label == "valid" and expected(s.kind, d.text[s.start:s.end], s.context):
                row(s.kind)[3] += 1
                if any((s.start, s.end, k) in reported for k in s.ids):
                    row(s.kind)[0] += 1
        for m in found:
            s = labelled.get((m.start, m.end))
            right = s is not None and s.label == "valid" and m.id in s.ids
            row(m.id)[1 if right else 2] += 1
    n_spans = sum(len(d.spans) for d in corpus)
    print(f"\nquality on {docs} documents, {n_spans} labelled spans, default settings")
    for title, group in (("check digit", "checksum"), ("component or shape", None)):
        tot = [0, 0, 0, 0]
        lines = []
        for kind in sorted(stats):
            if (evidence.get(kind) == "checksum") != (group == "checksum"):
                continue
            got, right, wrong, exp = stats[kind]
            tot = [x + y for x, y in zip(tot, stats[kind])]
            if wrong or got < exp:
                lines.append(f"    {kind:<18} found {got:5} of {exp:5}   right {right:5}  wrong {wrong:4}")
        got, right, wrong, exp = tot
        p = right / (right + wrong) if right + wrong else 1.0
        r = got / exp if exp else 1.0
        print(f"  {title}: precision {p:.4f}  recall {r:.4f}  (found {got} of {exp}, wrong reports {wrong})")
        print("\n".join(lines[:40]))
    print(f"  every valid value of a kind with a check digit: found {every[0]} of {every[1]}; "
          f"of those without a context word: {every[2]} of {every[3]}\n"
          "  (a plain number of up to 13 digits whose single check digit passes one number in ten or\n"
          "  eleven is reported only after its context word, or from min_confidence='component')")


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--quick", action="store_true", help="small sizes")
    ap.add_argument("--no-quality", action="store_true")
    a = ap.parse_args()
    size, big, repeat = (2 * MB, 4 * MB, 2) if a.quick else (20 * MB, 100 * MB, 3)
    speed(size, big, repeat)
    threaded(size, repeat)
    memory([4 * MB, 16 * MB] if a.quick else [8 * MB, 32 * MB, 128 * MB])
    if not a.no_quality:
        quality(500 if a.quick else 4000)
    return 0


if __name__ == "__main__":
    sys.exit(main())
