#!/usr/bin/env python3
"""Checks that every unit includes only the units it may depend on.

Each folder under src/ is one build unit with its public headers in include/tarvik/<unit>/; a unit may
include its own headers and those of the units listed for it below (docs/architecture.md explains the
order). Pure units may not include system headers that reach the outside world. Exits 1 naming every
offending line.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])

MAY_INCLUDE = {
    "util": set(),
    "models": {"util"},
    "links": {"util"},
    "prices": {"models", "util"},
    "merchants": {"models", "util"},
    "facts": {"models", "util", "links", "prices", "merchants"},
    "relevance": {"models", "util"},
    "fusion": {"models", "util", "relevance"},
    "fetcher": {"util"},
    "browser": {"util", "fetcher"},
    "commerce": {"util", "models", "links", "prices", "merchants", "facts", "relevance", "fusion", "fetcher",
                 "browser"},
}
# Stages that take values and return values: no network, processes, threads or clocks.
PURE = {"util", "models", "links", "prices", "merchants", "facts", "relevance"}
IO_HEADERS = re.compile(r"#include <(curl/|boost/asio|sys/socket\.h|thread>|chrono>|unistd\.h|spawn\.h)")
PROJECT_INCLUDE = re.compile(r'#include "(?:tarvik/)?([a-z_]+)/')


def main() -> int:
    problems = []
    units_on_disk = {p.name for p in (ROOT / "src").iterdir() if p.is_dir()}
    for stray in sorted(units_on_disk - MAY_INCLUDE.keys()):
        problems.append(f"src/{stray}/: a folder that is no known unit (add it to this check and the docs)")
    for unit, allowed in MAY_INCLUDE.items():
        for folder in (ROOT / "src" / unit, ROOT / "include" / "tarvik" / unit):
            if not folder.is_dir():
                continue
            for path in sorted(folder.rglob("*")):
                if path.suffix not in {".cpp", ".hpp", ".inc"}:
                    continue
                for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                    where = f"{path.relative_to(ROOT)}:{number}"
                    match = PROJECT_INCLUDE.match(line)
                    if match and match.group(1) not in allowed | {unit}:
                        problems.append(f"{where}: {unit} may not include {match.group(1)}: {line.strip()}")
                    if unit in PURE and IO_HEADERS.match(line):
                        problems.append(f"{where}: pure unit {unit} includes an I/O header: {line.strip()}")
    for stray in sorted((ROOT / "src").glob("*.cpp")):
        problems.append(f"{stray.relative_to(ROOT)}: a source outside every unit folder")
    for line in problems:
        print(line)
    print(f"layout: {len(problems)} problem(s) in {len(MAY_INCLUDE)} units")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
