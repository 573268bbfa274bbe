"""C++ exceptions as Python exceptions, and the GIL released in parse_metadata."""

import concurrent.futures

import pytest

import tarvik_commerce as tc
from _support import SOURCE_DIR, CORPUS
from tarvik_commerce import _native


@pytest.mark.parametrize("kind, message, error", [
    ("invalid_argument", "price amount must be finite", ValueError),
    ("input_error", "items[2].page_type: unknown value \"shop\"", ValueError),
    ("input_error", "visual_matches[3].title: expected a string, got number", TypeError),
    ("filesystem", "cannot open", FileNotFoundError),
    ("system", "cannot lock", PermissionError),
    ("ios", "basic_ios::clear", OSError),
    ("runtime", "browser session closed", tc.TarvikError),
])
def test_cpp_exceptions_become_python_ones_with_the_cpp_message(kind, message, error):
    with pytest.raises(error) as raised:
        _native._throw_for_test(kind, message)
    assert type(raised.value) is error or kind in ("ios", "system")
    assert message in str(raised.value)


def test_export_errors_are_os_errors_naming_the_path(tmp_path):
    (tmp_path / "file").write_text("x")
    with pytest.raises(NotADirectoryError, match="file"):
        tc.export_commerce_to_json(tc.CommerceIntelligence(items=[]), tmp_path / "file" / "out.json")
    with pytest.raises(OSError, match=str(tmp_path)):
        tc.export_commerce_to_csv({"items": []}, tmp_path)


def test_bad_arguments_to_the_stages():
    with pytest.raises(ValueError, match="rank: must be 1 or more"):
        tc.DestinationMetadataParser.parse_metadata("<html></html>", "https://a.example/", rank=0)
    with pytest.raises(TypeError, match="html: expected str, bytes or None"):
        tc.DestinationMetadataParser.parse_metadata(3, "https://a.example/")
    with pytest.raises(ValueError, match='ExtractionMode: unknown value "all"'):
        tc.DestinationMetadataParser.parse_metadata(None, "https://a.example/", mode="all")
    with pytest.raises(ValueError, match=r"shopping_results\[1\].link: missing required field"):
        tc.CommerceAggregator.fuse_matches_and_offers([], [{"title": "a", "link": "u"}, {"title": "b"}])


def test_many_threads_parsing_at_once_get_the_sequential_results():
    pages = sorted((SOURCE_DIR / "tests/fixtures/pages").glob("*.html"))
    if (CORPUS / "pages").is_dir():
        pages += sorted((CORPUS / "pages").glob("*.html"))[:40]
    work = [(p.read_bytes(), f"https://shop.example/{i}", mode)
            for i, p in enumerate(pages) for mode in tc.ExtractionMode]
    expected = [tc.DestinationMetadataParser.parse_metadata(html, url, mode=mode) for html, url, mode in work]
    with concurrent.futures.ThreadPoolExecutor(max_workers=8) as pool:
        got = list(pool.map(lambda w: tc.DestinationMetadataParser.parse_metadata(w[0], w[1], mode=w[2]),
                            work * 2, timeout=300))
    assert got == expected * 2
