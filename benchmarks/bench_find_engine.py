"""Quick throughput figures of the text finder's engine (MB/s of UTF-8 text).

Runs orvane_vardik.find over generated texts, each timed as the minimum of a
few runs, interleaved with a reference (operator.eq over two short str,
calls per second) so that figures from a noisy machine can be compared.
The full benchmark with the labelled corpus is bench_find.py.

    python benchmarks/bench_find_engine.py [--mb 20]
"""
from __future__ import annotations

import argparse
import operator
import random
import time

import orvane_vardik as ov

WORDS = ("the of and to in is was for on that with as by at from this are be have an which their "
         "invoice customer order shipped payment received account report meeting schedule review").split()
IDS = ["GB29 NWBK 6016 1331 9268 19", "4111 1111 1111 1111", "44051401359", "DE136695976", "US0378331005"]


def prose(mb: float, rng: random.Random) -> str:
    out: list[str] = []
    size = 0
    while size < mb * 1e6:
        sentence = " ".join(rng.choice(WORDS) for _ in range(rng.randint(8, 20)))
        if rng.random() < 0.02:
            sentence += " " + rng.choice(IDS)
        if rng.random() < 0.1:
            sentence += f" on {rng.randint(1, 28)}.{rng.randint(1, 12)}.20{rng.randint(10, 30)}"
        out.append(sentence.capitalize() + ". ")
        size += len(out[-1])
    return "".join(out)


def csv_rows(mb: float, rng: random.Random) -> str:
    out: list[str] = []
    size = 0
    while size < mb * 1e6:
        row = (f"{rng.randint(10**5, 10**6)},2024-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d},"
               f"{rng.randint(10**8, 10**9)},{rng.choice(IDS)},{rng.randint(1, 99999)}.{rng.randint(0, 99):02d},"
               f"+49 30 {rng.randint(10**6, 10**7)}\n")
        out.append(row)
        size += len(row)
    return "".join(out)


def reference_rate() -> float:
    a, b = "abcdef", "abcdeg"
    n = 200_000
    t = time.perf_counter()
    for _ in range(n):
        operator.eq(a, b)
    return n / (time.perf_counter() - t)


def rate(text: str, repeat: int = 3, **kw: object) -> float:
    size = len(text.encode("utf-8", "surrogatepass")) / 1e6
    best = float("inf")
    for _ in range(repeat):
        t = time.perf_counter()
        for _m in ov.find_iter(text, **kw):  # type: ignore[arg-type]
            pass
        best = min(best, time.perf_counter() - t)
    return size / best


def main() -> None:
    ap = argparse.ArgumentParser()
    ap.add_argument("--mb", type=float, default=20)
    args = ap.parse_args()
    rng = random.Random(7)
    t0 = time.perf_counter()
    ov.find("warm up 4111 1111 1111 1111")
    print(f"engine build + first call: {time.perf_counter() - t0:.3f} s")
    cases = {
        "prose, sparse identifiers": prose(args.mb, rng),
        "CSV rows, identifier-dense": csv_rows(args.mb, rng),
        "digits only, one token": "7" * int(args.mb * 1e6),
        "one line of spaced digits": " ".join("1234" for _ in range(int(args.mb * 1e6 / 5))),
        "separators only": "- " * int(args.mb * 1e6 / 2),
        "non-ASCII prose": ("Zürich обмен 数据 " * int(args.mb * 1e6 / 30)),
    }
    for name, text in cases.items():
        ref = reference_rate()
        mbps = rate(text)
        print(f"{name:32s} {mbps:8.1f} MB/s   (reference {ref / 1e6:.1f} M eq/s)")
    t = time.perf_counter()
    n = 20000
    for _ in range(n):
        ov.identify("DE89370400440532013000")
    print(f"identify, one IBAN: {(time.perf_counter() - t) / n * 1e6:.2f} us")
    t = time.perf_counter()
    for _ in range(n):
        ov.identify("44051401359")
    print(f"identify, 11 digits: {(time.perf_counter() - t) / n * 1e6:.2f} us")


if __name__ == "__main__":
    main()
