"""The package as a user meets it: the search API's whole answer taken as the
command line takes it, type hints that ship, a top level without helpers, a
readable help page, and the follow_resolved option."""

import asyncio
import json
import os
import pydoc
import typing
from pathlib import Path

import pytest

import tarvik_commerce as tc

SOURCE = Path(os.environ.get("TARVIK_SOURCE_DIR", Path(__file__).resolve().parents[2]))
SEARCH_ANSWER = json.loads((SOURCE / "examples" / "matches.json").read_text())


def options(**more):
    return tc.PipelineOptions(replay=SOURCE / "examples" / "demo.warc.gz", resolve_stores=False, max_items=2,
                              **more)


@pytest.mark.parametrize("name, matches", [
    ("the search answer object", SEARCH_ANSWER),
    ("its list of matches", SEARCH_ANSWER["visual_matches"] if isinstance(SEARCH_ANSWER, dict) else SEARCH_ANSWER),
])
def test_process_takes_the_search_answer_as_the_cli_does(name, matches):
    blocking = tc.CommerceEnricher.process(matches, None, options())
    awaited = asyncio.run(asyncio.wait_for(tc.CommerceEnricher.process_async(matches, None, options()), 60))
    assert len(blocking.items) == 2, name
    assert awaited == blocking, name


@pytest.mark.parametrize("name, matches, error", [
    ("object without visual_matches", {"shopping_results": []}, TypeError),
    ("visual_matches not a list", {"visual_matches": "x"}, TypeError),
    ("a bare string", "matches.json", TypeError),
])
def test_what_is_not_a_list_of_matches_is_refused_clearly(name, matches, error):
    with pytest.raises(error, match="matches"):
        tc.CommerceEnricher.process(matches, None, options())


def test_type_hints_ship_and_resolve():
    assert (Path(tc.__file__).parent / "py.typed").is_file()
    hints = typing.get_type_hints(tc.CommerceEnricher.process)
    assert hints["return"] is tc.CommerceIntelligence
    assert typing.get_type_hints(tc.DirectStoreResolver.resolve)["return"] == list[tc.EnrichedCommerceMatch]


def test_top_level_holds_the_exported_names_and_no_helpers():
    public = {name for name in vars(tc) if not name.startswith("_")}
    assert public <= set(tc.__all__), public - set(tc.__all__)
    for helper in ("_native_names", "_enum_names"):
        assert not hasattr(tc, helper), helper
    for name in tc.__all__:
        assert hasattr(tc, name), name


def test_help_page_is_readable():
    page = pydoc.render_doc(tc, renderer=pydoc.plaintext)
    assert "commerce intelligence for visual product matches" in page
    # The overview, with the entry points, comes before pydoc's class listings.
    overview = page[:page.index("PACKAGE CONTENTS")]
    for name in ("CommerceEnricher.process", "PipelineOptions", "VisualMatch", "URLUnwrapper"):
        assert name in overview, name


def test_follow_resolved_is_an_option_off_by_default():
    assert tc.PipelineOptions().follow_resolved is False
    opts = tc.PipelineOptions(follow_resolved=True)
    assert opts.follow_resolved is True and "follow_resolved=True" in repr(opts)
