#!/usr/bin/env python3
"""Wall time of CommerceEnricher.process through the Python module on the demo
(examples/matches.json replayed from examples/demo.warc.gz), next to the
command line's enrich on the same input and options, runs alternated:

- in process: options (archive index) built once, as bench_pipeline's
  BM_PipelineDemo does;
- new interpreter: python3 started, module imported, options built, process
  run and its JSON written, as a script using the module would;
- cli: tarvik-commerce enrich --json /dev/null (start, index, run, JSON).

  PYTHONPATH=<release build>/python /usr/bin/python3 bench/python/bench_python_pipeline.py \
      --cli <release build>/tarvik-commerce [--runs N] [--no-resolve]
  <release build>/bench_pipeline --benchmark_filter=Demo
"""

import argparse
import json
import pathlib
import statistics
import subprocess
import sys
import time

import tarvik_commerce as tc

SOURCE = pathlib.Path(__file__).resolve().parents[1]
MATCHES = SOURCE / "examples" / "matches.json"
ARCHIVE = SOURCE / "examples" / "demo.warc.gz"

SCRIPT = """
import json, sys, tarvik_commerce as tc
matches = json.load(open(sys.argv[1]))
matches = matches["visual_matches"] if isinstance(matches, dict) else matches
options = tc.PipelineOptions(replay=sys.argv[2], resolve_stores=sys.argv[3] == "1")
result = tc.CommerceEnricher.process(matches, None, options)
open("/dev/null", "w").write(result.model_dump_json(indent=2, exclude_none=True))
"""


def timed(fn):
    start = time.perf_counter()
    fn()
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--runs", type=int, default=8)
    parser.add_argument("--no-resolve", action="store_true")
    args = parser.parse_args()
    resolve = not args.no_resolve

    matches = json.loads(MATCHES.read_text())
    matches = matches["visual_matches"] if isinstance(matches, dict) else matches
    options = tc.PipelineOptions(replay=ARCHIVE, resolve_stores=resolve)
    cli = [args.cli, "enrich", str(MATCHES), "--replay", str(ARCHIVE), "--json", "/dev/null", "--quiet"]
    if not resolve:
        cli.append("--no-resolve")
    fresh = [sys.executable, "-c", SCRIPT, str(MATCHES), str(ARCHIVE), "1" if resolve else "0"]

    times = {"python, in process": [], "python, new interpreter": [], "cli enrich": []}
    for _ in range(args.runs):
        times["python, in process"].append(timed(lambda: tc.CommerceEnricher.process(matches, None, options)))
        times["python, new interpreter"].append(timed(lambda: subprocess.run(fresh, check=True)))
        times["cli enrich"].append(
            timed(lambda: subprocess.run(cli, check=True, stdout=subprocess.DEVNULL)))
    for name, values in times.items():
        print(f"{name:24} median {statistics.median(values) * 1000:8.1f} ms"
              f"  (min {min(values) * 1000:.1f}, max {max(values) * 1000:.1f}, {len(values)} runs)")


if __name__ == "__main__":
    main()
