"""The pipeline's entry points for Python callers, blocking and asyncio.

Every operation runs in C++ on a thread of its own with its own event loop;
the GIL is released while it works and taken only to deliver a progress
message and to hand over the result. The asynchronous forms are ordinary
coroutines: awaiting one never blocks the caller's loop, the result or the
exception arrives on that loop, and cancelling the awaiting task cancels the
C++ run, closes its browser and joins its thread before the cancellation
reaches the caller.

Progress callbacks (``on_progress``) take one message text and may be plain
functions or coroutine functions (anything returning an awaitable). Either
kind is called on the caller's event loop thread, one message at a time: the
run waits until the callback (and the awaitable it returned) has finished
before it goes on, so a callback may touch the loop's own objects without
locks. An exception raised by the callback ends the run and reaches the caller
as the same exception object. The blocking forms run on a private event loop:
in the calling thread, or, when that thread is already running a loop, in one
worker thread while the caller blocks (callbacks then run on that worker).
"""

from __future__ import annotations

import asyncio
import concurrent.futures
import inspect
from collections.abc import Awaitable, Callable, Iterable, Mapping, Sequence
from typing import Any, Optional, TypeVar, Union

from tarvik_commerce import _native

__all__: list[str] = [
    "CommerceEnricher",
    "DirectStoreResolver",
    "PipelineOptions",
    "ScraplingDestinationFetcher",
]

PipelineOptions = _native.PipelineOptions
CommerceIntelligence = _native.CommerceIntelligence
EnrichedCommerceMatch = _native.EnrichedCommerceMatch
VisualMatch = _native.VisualMatch

# What the pipeline takes as its matches: records or dicts, or the search
# API's whole answer, an object holding them under "visual_matches".
Matches = Union[Sequence[Union[VisualMatch, Mapping[str, Any]]], Mapping[str, Any]]

ProgressCallback = Optional[Callable[[str], Union[None, Awaitable[Any]]]]
T = TypeVar("T")


async def _deliver(on_progress: Callable[[str], Any], message: str) -> None:
    result = on_progress(message)
    if inspect.isawaitable(result):
        await result


def _check_callback(on_progress: Any) -> None:
    if on_progress is not None and not callable(on_progress):
        raise TypeError(f"on_progress: expected a callable or None, got {type(on_progress).__name__}")


def _check_options(options: Any) -> None:
    if options is not None and not isinstance(options, PipelineOptions):
        raise TypeError(f"options: expected PipelineOptions or None, got {type(options).__name__}")


def _as_list(values: Any, name: str) -> list:
    if isinstance(values, (str, bytes, dict)) or not isinstance(values, Iterable):
        raise TypeError(f"{name}: expected a list, got {type(values).__name__}")
    return list(values)


def _matches_list(matches: Any) -> list:
    """The matches of a list, or of the search API's object under "visual_matches", as the CLI reads it."""
    if isinstance(matches, Mapping):
        if "visual_matches" not in matches:
            raise TypeError("matches: expected a list, or an object holding one under \"visual_matches\"")
        return _as_list(matches["visual_matches"], "visual_matches")
    return _as_list(matches, "matches")


async def _drive(start: Callable[..., Any], on_progress: ProgressCallback) -> Any:
    """Runs one native operation and waits for it on the running loop.

    ``start(notify, finish)`` starts the operation on its own thread. Its
    progress goes to ``notify``, which schedules the callback on this loop;
    ``finish`` is called from the run's thread once the run's own loop is gone.
    """
    loop = asyncio.get_running_loop()
    ended = loop.create_future()

    def settle() -> None:
        if not ended.done():
            ended.set_result(None)

    def finish() -> None:
        try:
            loop.call_soon_threadsafe(settle)
        except RuntimeError:
            pass  # the loop is closed; whoever drops the run joins it

    notify = None
    if on_progress is not None:
        def notify(message: str) -> concurrent.futures.Future:
            return asyncio.run_coroutine_threadsafe(_deliver(on_progress, message), loop)

    run = start(notify, finish)
    try:
        await asyncio.shield(ended)
    except GeneratorExit:
        # Closed without being resumed (its loop is gone): nothing can be
        # awaited here; the run ends and is joined when it is dropped.
        run.cancel()
        raise
    except BaseException:
        # Cancelled (or interrupted): the C++ run unwinds, its browser is
        # closed and its thread ends before the cancellation goes on.
        run.cancel()
        while not ended.done():
            try:
                await asyncio.shield(ended)
            except asyncio.CancelledError:
                pass
        run.join()
        raise
    return run.result()


def _run_blocking(make: Callable[[], Awaitable[T]]) -> T:
    """Runs the coroutine ``make()`` to its end from blocking code."""
    try:
        asyncio.get_running_loop()
    except RuntimeError:
        return _run_on_new_loop(make)
    # Blocking this loop's thread is what the caller asked for; running the
    # operation on this loop would need the loop this call is blocking.
    with concurrent.futures.ThreadPoolExecutor(1, thread_name_prefix="tarvik-commerce") as pool:
        return pool.submit(_run_on_new_loop, make).result()


def _run_on_new_loop(make: Callable[[], Awaitable[T]]) -> T:
    # A loop of our own that is not made the thread's current loop; on the
    # main thread Ctrl-C cancels the run (browser closed) before
    # KeyboardInterrupt is raised.
    with asyncio.Runner(loop_factory=asyncio.new_event_loop) as runner:
        return runner.run(make())


class CommerceEnricher:
    """The whole pipeline: deep enrichment, store resolution, relevance, summary."""

    def __init__(self) -> None:
        raise TypeError("CommerceEnricher is not instantiated: its operations are class-level")

    @staticmethod
    async def process_async(matches: Matches, on_progress: ProgressCallback = None,
                            options: Optional[PipelineOptions] = None) -> CommerceIntelligence:
        """The whole pipeline over ``matches`` (VisualMatch records or dicts).

        ``matches`` may also be the search API's whole answer: an object
        holding them under "visual_matches", as the command line reads it.
        Returns a CommerceIntelligence. Progress and cancellation as the module
        says; an exception of a stage or of the callback ends the run and is
        raised here, with no partial result.
        """
        matches = _matches_list(matches)
        _check_callback(on_progress)
        _check_options(options)
        return await _drive(lambda notify, finish: _native._start_process(matches, notify, options, finish),
                            on_progress)

    @staticmethod
    def process(matches: Matches, on_progress: ProgressCallback = None,
                options: Optional[PipelineOptions] = None) -> CommerceIntelligence:
        """Blocking form of process_async; also works inside a running loop."""
        matches = _matches_list(matches)
        _check_callback(on_progress)
        _check_options(options)
        return _run_blocking(lambda: CommerceEnricher.process_async(matches, on_progress, options))

    @staticmethod
    async def enrich_matches_deep_async(matches: Sequence[Union[VisualMatch, Mapping[str, Any]]],
                                        max_items: Optional[int] = None,
                                        on_progress: ProgressCallback = None,
                                        options: Optional[PipelineOptions] = None) -> list[EnrichedCommerceMatch]:
        """One EnrichedCommerceMatch per match of the first ``max_items`` (all when None), in order."""
        matches = _as_list(matches, "matches")
        if max_items is not None:
            if isinstance(max_items, bool) or not isinstance(max_items, int):
                raise TypeError(f"max_items: expected an int or None, got {type(max_items).__name__}")
            if max_items < 0:
                raise ValueError(f"max_items: expected 0 or more, got {max_items}")
        _check_callback(on_progress)
        _check_options(options)
        return await _drive(
            lambda notify, finish: _native._start_enrich_deep(matches, max_items, notify, options, finish),
            on_progress)


class DirectStoreResolver:
    """Store search pages resolved to product pages with one browser session."""

    def __init__(self) -> None:
        raise TypeError("DirectStoreResolver is not instantiated: its operations are class-level")

    @staticmethod
    async def resolve_async(items: Sequence[Union[EnrichedCommerceMatch, Mapping[str, Any]]],
                            max_concurrency: int = 4, timeout: int = 15,
                            on_progress: ProgressCallback = None,
                            options: Optional[PipelineOptions] = None) -> list[EnrichedCommerceMatch]:
        """Returns a new list of the same items, in order, resolved ones with their product link.

        Items given as EnrichedCommerceMatch objects are updated in place (only
        ``direct_url`` changes) and are the objects of the returned list;
        items given as dicts come back as new records.
        """
        given = _as_list(items, "items")
        for name, value in (("max_concurrency", max_concurrency), ("timeout", timeout)):
            if isinstance(value, bool) or not isinstance(value, int):
                raise TypeError(f"{name}: expected an int, got {type(value).__name__}")
        _check_callback(on_progress)
        _check_options(options)
        resolved = await _drive(
            lambda notify, finish: _native._start_resolve(given, max_concurrency, timeout, notify, options,
                                                          finish),
            on_progress)
        record = type(resolved[0]) if resolved else None
        out = []
        for old, new in zip(given, resolved):
            if record is not None and isinstance(old, record):
                if old.direct_url != new.direct_url:
                    old.direct_url = new.direct_url
                out.append(old)
            else:
                out.append(new)
        return out

    @staticmethod
    def resolve(items: Sequence[Union[EnrichedCommerceMatch, Mapping[str, Any]]], max_concurrency: int = 4,
                timeout: int = 15, on_progress: ProgressCallback = None,
                options: Optional[PipelineOptions] = None) -> list[EnrichedCommerceMatch]:
        """Blocking form of resolve_async."""
        return _run_blocking(
            lambda: DirectStoreResolver.resolve_async(items, max_concurrency, timeout, on_progress, options))


class _ClassOrInstanceMethod:
    """A method that gets the instance when called on one, else the class."""

    def __init__(self, fn: Callable[..., Any]) -> None:
        self.fn = fn
        self.__doc__ = fn.__doc__

    def __get__(self, obj: Any, cls: type) -> Callable[..., Any]:
        return self.fn.__get__(cls if obj is None else obj, cls)


class ScraplingDestinationFetcher:
    """The destination fetcher: whole pages, all at once under the limits.

    ``fetch_many`` may be awaited on the class (default options) or on an
    instance made with ``ScraplingDestinationFetcher(options)``.
    """

    options: Optional[PipelineOptions] = None

    def __init__(self, options: Optional[PipelineOptions] = None) -> None:
        _check_options(options)
        self.options = options

    @_ClassOrInstanceMethod
    async def fetch_many(self, urls: Iterable[str], timeout: float = 5) -> dict[str, Optional[str]]:
        """Maps every URL given to its page's HTML (UTF-8 text), or None when it was not fetched.

        ``timeout`` (seconds) bounds each page, redirects included, so the
        batch ends at about that time.
        """
        url_list = _as_list(urls, "urls")
        if isinstance(timeout, bool) or not isinstance(timeout, (int, float)):
            raise TypeError(f"timeout: expected a number of seconds, got {type(timeout).__name__}")
        options = self.options
        return await _drive(
            lambda notify, finish: _native._start_fetch_many(url_list, float(timeout), options, finish), None)

