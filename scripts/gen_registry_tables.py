"""Generate the registry tables that `describe` and the ISBN kind ship with.

    python scripts/gen_registry_tables.py [DATA_DIR]

DATA_DIR holds the registries' TSV files (isbn-ranges.tsv,
mobile-network-codes.tsv, mac-vendors.tsv, isil-agencies.tsv; by default the
project's shared data folder). Writes:

- python/orvane_vardik/_tables/*.tsv: each table in its registry's own
  column layout (so a caller can load a newer download of the same file
  with `orvane_vardik.describe.load_table`), keeping the registry's source
  line and adding a `# snapshot: YYYY-MM-DD` line; rows are normalised
  (fields trimmed, rows without a key dropped) and sorted by key;
- src/validators/extended/isbn_ranges.inc: the ISBN group and registrant
  ranges as C++ arrays, for `format`, `generate` and `sample` of `isbn`.

The snapshot date is the registry's own file date where its source line
names one, else the date of the source file (override with
--snapshot NAME=YYYY-MM-DD). Run it again after replacing a TSV, then
rebuild.
"""
from __future__ import annotations

import argparse
import datetime as dt
import email.utils
import os
import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TABLES = ROOT / "python" / "orvane_vardik" / "_tables"
ISBN_INC = ROOT / "src" / "validators" / "extended" / "isbn_ranges.inc"

# file name -> the columns the package reads (the registry's header must have them)
FILES = {
    "isbn-ranges.tsv": ("prefix", "group", "agency", "registrant_ranges"),
    "mobile-network-codes.tsv": ("mcc", "mnc", "country_code", "country", "operator", "brand", "status"),
    "mac-vendors.tsv": ("prefixes", "vendor"),
    "isil-agencies.tsv": ("prefix", "country", "agency"),
}


def read_registry(path: Path) -> tuple[list[str], list[str], list[list[str]]]:
    """(comment lines, header, rows) of a registry TSV."""
    comments: list[str] = []
    header: list[str] | None = None
    rows: list[list[str]] = []
    with path.open(encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if header is None and line.startswith("#"):
                comments.append(line)
            elif header is None:
                header = line.split("\t")
            elif line.strip():
                rows.append([field.strip() for field in line.split("\t")])
    if header is None:
        raise SystemExit(f"{path}: no header line")
    return comments, header, rows


def snapshot_of(comments: list[str], path: Path) -> str:
    for line in comments:
        m = re.search(r"file date ([^|]+)", line)
        if m:
            try:
                return email.utils.parsedate_to_datetime(m.group(1).strip()).date().isoformat()
            except (TypeError, ValueError):
                pass
    return dt.datetime.fromtimestamp(os.stat(path).st_mtime, dt.timezone.utc).date().isoformat()


def write_table(name: str, comments: list[str], header: list[str], rows: list[list[str]], snapshot: str) -> None:
    wanted = FILES[name]
    index = [header.index(col) for col in wanted]
    out = [line for line in comments if not line.startswith("# snapshot:")]
    out.append(f"# snapshot: {snapshot}")
    out.append("\t".join(wanted))
    picked = []
    for row in rows:
        row = row + [""] * (len(header) - len(row))
        fields = [row[i].replace("\t", " ") for i in index]
        if fields[0]:
            picked.append(fields)
    if name == "mac-vendors.tsv":
        picked.sort(key=lambda r: r[0].split(",")[0].split("-")[0])
    else:
        picked.sort(key=lambda r: tuple(r[:2]))
    out.extend("\t".join(r) for r in picked)
    (TABLES / name).write_text("\n".join(out) + "\n", encoding="utf-8")


def cxx_string(s: str) -> str:
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_isbn_inc(comments: list[str], header: list[str], rows: list[list[str]], snapshot: str) -> None:
    col = {name: header.index(name) for name in FILES["isbn-ranges.tsv"]}
    groups = []
    ranges: list[tuple[int, int, int]] = []
    for row in sorted(rows, key=lambda r: (r[col["prefix"]], r[col["group"]])):
        prefix, group = row[col["prefix"]], row[col["group"]]
        text = row[col["registrant_ranges"]] if len(row) > col["registrant_ranges"] else ""
        if not (prefix.isdigit() and len(prefix) == 3) or not (group == "*" or group.isdigit()):
            continue
        first = len(ranges)
        for part in filter(None, text.split(",")):
            lo, _, hi = part.partition("-")
            if not (lo.isdigit() and hi.isdigit() and len(lo) == len(hi) and lo <= hi and len(lo) <= 7):
                raise SystemExit(f"isbn-ranges: bad range {part!r} in {prefix}-{group}")
            ranges.append((int(lo), int(hi), len(lo)))
        agency = row[col["agency"]] if group != "*" else ""
        groups.append((int(prefix), "" if group == "*" else group, agency, first, len(ranges) - first))
    source = " ".join(comments).lstrip("# ").strip()
    lines = [
        "// Generated by scripts/gen_registry_tables.py: do not edit.",
        f"// Source: {source}",
        f"// Snapshot: {snapshot}",
        "// The ISBN registration groups of each prefix (group \"\": the ranges of",
        "// the group element itself) and their registrant ranges: the first",
        "// `width` digits after the element, read as a number, lie in [lo, hi].",
        f'inline constexpr std::string_view kIsbnRangesSnapshot = "{snapshot}";',
        "inline constexpr IsbnRange kIsbnRanges[] = {",
    ]
    lines += [f"    {{{lo}, {hi}, {w}}}," for lo, hi, w in ranges]
    lines.append("};")
    lines.append("inline constexpr IsbnGroup kIsbnGroups[] = {")
    lines += [
        f"    {{{p}, {cxx_string(g)}, {cxx_string(a)}, {first}, {count}}},"
        for p, g, a, first, count in groups
    ]
    lines.append("};")
    ISBN_INC.write_text("\n".join(lines) + "\n", encoding="utf-8")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("data_dir", nargs="?", default=str(ROOT.parent.parent / "shared" / "data"))
    parser.add_argument("--snapshot", action="append", default=[], metavar="NAME=DATE")
    args = parser.parse_args()
    data = Path(args.data_dir)
    if not (data / "isbn-ranges.tsv").exists():
        data = Path("/work/shared/data")
    overrides = dict(item.split("=", 1) for item in args.snapshot)
    TABLES.mkdir(parents=True, exist_ok=True)
    for name in FILES:
        path = data / name
        comments, header, rows = read_registry(path)
        missing = [c for c in FILES[name] if c not in header]
        if missing:
            raise SystemExit(f"{path}: no column {', '.join(missing)}")
        snapshot = overrides.get(name) or snapshot_of(comments, path)
        dt.date.fromisoformat(snapshot)
        write_table(name, comments, header, rows, snapshot)
        if name == "isbn-ranges.tsv":
            write_isbn_inc(comments, header, rows, snapshot)
        print(f"{name}: {len(rows)} rows, snapshot {snapshot}")


if __name__ == "__main__":
    main()
