"""The pipeline from Python: the demo search against the command line's result,
progress callbacks of both kinds, exceptions, blocking calls inside a running
loop, cancellation (browser closed, thread joined) and a loop that keeps
running meanwhile. Every wait has its own deadline."""

import asyncio
import atexit
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
from pathlib import Path

import pytest

import tarvik_commerce as tc

SOURCE = Path(os.environ.get("TARVIK_SOURCE_DIR", Path(__file__).resolve().parents[2]))
DEMO_ARCHIVE = SOURCE / "examples" / "demo.warc.gz"
DEMO_MATCHES = json.loads((SOURCE / "examples" / "matches.json").read_text())
if isinstance(DEMO_MATCHES, dict):
    DEMO_MATCHES = DEMO_MATCHES["visual_matches"]
needs_browser = pytest.mark.skipif(shutil.which("chromium") is None, reason="no chromium on the PATH")
STORE_MATCH = {"link": "http://store.example/search?q=trail+runner", "title": "Trail Runner"}


# Sanitized test runs preload the sanitizer's runtime into this interpreter;
# the browser and the command line must start without it.
CLEAN_ENV = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
BROWSER = ""
if "LD_PRELOAD" in os.environ and shutil.which("chromium"):
    _wrapper_dir = tempfile.mkdtemp(prefix="tarvik-pipeline-")
    atexit.register(shutil.rmtree, _wrapper_dir, True)
    BROWSER = os.path.join(_wrapper_dir, "chromium")
    Path(BROWSER).write_text('#!/bin/sh\nunset LD_PRELOAD\nexec chromium "$@"\n')
    os.chmod(BROWSER, 0o755)


def demo_options(**more):
    return tc.PipelineOptions(replay=DEMO_ARCHIVE, browser_path=BROWSER, **more)


def as_comparable(document):
    # The command line publishes items most relevant first; the pipeline
    # returns them in input order.
    return document["summary"], sorted(json.dumps(i, sort_keys=True) for i in document["items"])


class HangingServer:
    """Loopback server that reads each request and never answers."""

    def __init__(self):
        self.sock = socket.create_server(("127.0.0.1", 0), backlog=64)
        self.port = self.sock.getsockname()[1]
        self.requests = []
        self.conns = []
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            self.conns.append(conn)
            try:
                # The browser's own background requests reach this server too,
                # TLS hellos among them: keep serving whatever arrives.
                self.requests.append(conn.recv(65536).split(b"\r\n", 1)[0].decode(errors="replace"))
            except OSError:
                pass

    def close(self):
        self.sock.close()
        for conn in self.conns:
            conn.close()


@pytest.fixture
def hanging_pipeline_server():
    server = HangingServer()
    yield server
    server.close()


def processes_mentioning(marker):
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if marker.encode() in Path(f"/proc/{pid}/cmdline").read_bytes():
                found.append(pid)
        except OSError:
            pass
    return found


def thread_count():
    return len(os.listdir("/proc/self/task"))


async def until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        assert time.monotonic() < deadline, "deadline passed"
        await asyncio.sleep(0.02)


@needs_browser
@pytest.mark.asyncio
async def test_demo_search_gives_the_command_lines_result():
    messages = []
    result = await asyncio.wait_for(
        tc.CommerceEnricher.process_async(DEMO_MATCHES, messages.append, demo_options()), 120)
    cli = subprocess.run([os.environ.get("TARVIK_CLI_PATH", "tarvik-commerce"), "enrich", "-", "--json", "-",
                          "--quiet", "--replay", str(DEMO_ARCHIVE)],
                         input=json.dumps(DEMO_MATCHES), capture_output=True, text=True, timeout=120, check=True,
                         env=CLEAN_ENV)
    assert as_comparable(json.loads(result.model_dump_json(indent=2, exclude_none=True))) == \
        as_comparable(json.loads(cli.stdout))
    assert messages[0] == "Fetching metadata from 27 merchant destinations..."
    assert messages[-1] == "✓ Resolved 3/5 direct product links."
    assert len(messages) == 2 + 1 + 5 + 1

    # The resolver alone, on the deep stage's items: the same links, written
    # into the caller's own objects.
    items = await asyncio.wait_for(tc.CommerceEnricher.enrich_matches_deep_async(
        DEMO_MATCHES, options=demo_options()), 60)
    resolved = await asyncio.wait_for(tc.DirectStoreResolver.resolve_async(items, options=demo_options()), 120)
    assert all(a is b for a, b in zip(resolved, items)) and len(resolved) == len(items)
    assert [i.direct_url for i in items] == [i.direct_url for i in result.items]


@pytest.mark.asyncio
@pytest.mark.parametrize("kind", ["plain", "coroutine", "returns_future"])
async def test_progress_callbacks_run_on_the_loop_one_at_a_time(kind):
    loop = asyncio.get_running_loop()
    log, threads = [], set()

    def plain(message):
        threads.add(threading.get_ident())
        log.append("start " + message[:9])

    async def slowly(message):
        plain(message)
        await asyncio.sleep(0.05)
        log.append("done " + message[:9])

    def returning_future(message):
        plain(message)
        future = loop.create_future()
        loop.call_later(0.05, lambda: (log.append("done " + message[:9]), future.set_result(None)))
        return future

    callback = {"plain": plain, "coroutine": slowly, "returns_future": returning_future}[kind]
    result = await asyncio.wait_for(tc.CommerceEnricher.process_async(
        DEMO_MATCHES, callback, demo_options(resolve_stores=False, max_items=3)), 30)
    assert len(result.items) == 3 and result.summary.total_matches == 27
    assert threads == {threading.get_ident()}
    if kind == "plain":
        assert log == ["start Fetching ", "start Extractin"]
    else:
        assert log == ["start Fetching ", "done Fetching ", "start Extractin", "done Extractin"]


@pytest.mark.asyncio
async def test_blocking_process_inside_a_running_loop():
    callers = set()
    result = tc.CommerceEnricher.process(DEMO_MATCHES, lambda m: callers.add(threading.get_ident()),
                                         demo_options(resolve_stores=False, max_items=2))
    assert len(result.items) == 2
    assert callers and threading.get_ident() not in callers, "the run had its own loop on a worker"


class CallbackFailed(Exception):
    pass


@pytest.mark.asyncio
@pytest.mark.parametrize("blocking", [False, True])
@pytest.mark.parametrize("kind", ["plain", "coroutine"])
async def test_callback_exception_reaches_the_caller_unchanged(kind, blocking):
    raised = []

    def plain(message):
        if message.startswith("Extracting"):
            raised.append(CallbackFailed(message))
            raise raised[-1]

    async def coroutine(message):
        await asyncio.sleep(0)
        plain(message)

    callback = plain if kind == "plain" else coroutine
    options = demo_options(resolve_stores=False)
    with pytest.raises(CallbackFailed) as caught:
        if blocking:
            await asyncio.wait_for(asyncio.to_thread(tc.CommerceEnricher.process, DEMO_MATCHES, callback, options),
                                   30)
        else:
            await asyncio.wait_for(tc.CommerceEnricher.process_async(DEMO_MATCHES, callback, options), 30)
    assert caught.value is raised[0]


@needs_browser
@pytest.mark.asyncio
async def test_cancelled_mid_run_closes_the_browser_and_joins_the_thread(hanging_pipeline_server, monkeypatch):
    # The browser's profile (in TMPDIR) names this folder in its processes.
    tmpdir = Path(f"/tmp/tvp{os.getpid()}")
    tmpdir.mkdir(exist_ok=True)
    monkeypatch.setenv("TMPDIR", str(tmpdir))
    threads = thread_count()
    options = tc.PipelineOptions(connect_to=[f"::127.0.0.1:{hanging_pipeline_server.port}"],
                                 fetch_timeout_seconds=1, browser_path=BROWSER)
    messages = []
    ticks = []

    async def ticker():
        while True:
            await asyncio.sleep(0.01)
            ticks.append(time.monotonic())

    ticking = asyncio.create_task(ticker())
    run = asyncio.create_task(tc.CommerceEnricher.process_async([STORE_MATCH], messages.append, options))
    # Asked for twice: by the page fetch (which times out), then by the browser.
    await until(lambda: sum("/search?q=trail+runner" in r for r in hanging_pipeline_server.requests) >= 2, 30)
    assert processes_mentioning(str(tmpdir)), "the browser is running"
    assert len(ticks) > 40, "the loop kept running while the fetch waited a second"
    assert messages[-1] == "Resolving direct product links across 1 store destinations..."

    run.cancel()
    started = time.monotonic()
    with pytest.raises(asyncio.CancelledError):
        await asyncio.wait_for(run, 10)
    assert time.monotonic() - started < 5, "well before the browser's 15 s page time-out"
    ticking.cancel()
    assert processes_mentioning(str(tmpdir)) == [], "browser processes left"
    await until(lambda: thread_count() <= threads, 5)
    shutil.rmtree(tmpdir, ignore_errors=True)


@pytest.mark.asyncio
async def test_fetch_many_maps_every_url_to_its_page_or_none():
    pages = await asyncio.wait_for(tc.ScraplingDestinationFetcher(demo_options()).fetch_many(
        ["https://vantrel.com/products/aster-90-low-fjord-grey", "https://not-in-the-archive.example/"]), 30)
    assert set(pages) == {"https://vantrel.com/products/aster-90-low-fjord-grey", "https://not-in-the-archive.example/"}
    assert "<html" in pages["https://vantrel.com/products/aster-90-low-fjord-grey"].lower()
    assert pages["https://not-in-the-archive.example/"] is None


@pytest.mark.parametrize("bad", [
    {"connect_to": ["store.example:80"]},
    {"connect_to": ["a:b:c:d:e"]},
    {"fetch_timeout_seconds": 0},
    {"connect_timeout": float("nan")},
    {"extraction": "everything"},
])
def test_bad_options_are_value_errors(bad):
    with pytest.raises(ValueError):
        tc.PipelineOptions(**bad)


def test_options_read_back_as_given():
    options = tc.PipelineOptions(connect_to=["::127.0.0.1:8080"], allow_private_network=True,
                                 extraction="overrides", max_items=3)
    assert options.connect_to == ["::127.0.0.1:8080"] and options.max_items == 3
    assert options.extraction == tc.ExtractionMode.OVERRIDES
    assert "connect_to=['::127.0.0.1:8080']" in repr(options) and "allow_private_network=True" in repr(options)
