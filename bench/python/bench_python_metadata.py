#!/usr/bin/env python3
"""Throughput of DestinationMetadataParser.parse_metadata through the Python
module over the shared corpus of saved pages (../shared/corpus/pages), on one
thread, next to bench_metadata's figures for the same pages and URLs: every
page decoded to text once, then parsed once per round; the best of the rounds.

  PYTHONPATH=<release build>/python /usr/bin/python3 bench/python/bench_python_metadata.py [--rounds N]
  <release build>/bench_metadata --benchmark_filter=all_pages
"""

import argparse
import pathlib
import re
import sys
import time

import tarvik_commerce as tc
from tarvik_commerce import _native

FALLBACK_URL = "https://www.example.com/page"


def manifest_urls(manifest: pathlib.Path) -> dict[str, str]:
    """File name -> page URL from the manifest's pages table (as bench_metadata reads it)."""
    urls = {}
    for line in manifest.read_text(encoding="utf-8").splitlines():
        m = re.match(r"\| `pages/([^`]+)`", line)
        if not m:
            continue
        url = line.rstrip(" |").rsplit("|", 1)[-1].strip()
        if url.startswith("http"):
            urls[m.group(1)] = url
    return urls


def main() -> int:
    here = pathlib.Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", type=pathlib.Path, default=here.parent.parent / "shared" / "corpus" / "pages")
    parser.add_argument("--rounds", type=int, default=15)
    args = parser.parse_args()
    if not args.pages.is_dir():
        print(f"bench_python_metadata: no pages under {args.pages}; nothing to measure")
        return 0
    urls = manifest_urls(args.pages.parent / "MANIFEST.md")
    pages = [(_native.decode_page(p.read_bytes()), urls.get(p.name, FALLBACK_URL))
             for p in sorted(args.pages.iterdir()) if p.is_file()]
    mb = sum(len(html.encode("utf-8")) for html, _ in pages) / 1e6
    parse = tc.DestinationMetadataParser.parse_metadata
    print(f"{len(pages)} pages, {mb:.2f} MB (decoded UTF-8), best of {args.rounds} rounds, one thread")
    for name, mode in [("parse_metadata/all_pages", tc.ExtractionMode.OFF),
                       ("parse_metadata_extended/all_pages", tc.ExtractionMode.OVERRIDES)]:
        best = float("inf")
        for _ in range(args.rounds):
            start = time.perf_counter()
            for html, url in pages:
                parse(html, url, mode=mode)
            best = min(best, time.perf_counter() - start)
        print(f"{name:<36} {best * 1e3:9.1f} ms  {mb / best:8.1f} MB/s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
