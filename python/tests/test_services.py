"""The pure stages through the module against the tarvik-commerce executable
on the same inputs: each table runs the executable once over all its rows."""

import json
import pathlib

import pytest

import tarvik_commerce as tc
from _support import SOURCE_DIR, cli, corpus

EXAMPLES = SOURCE_DIR / "examples"

URLS = [
    *EXAMPLES.joinpath("links.txt").read_text().splitlines(),
    "",                                                      # empty stays empty
    "http://[::1]:8080/a?gclid=x&b=1",                       # IPv6 host with port
    "https://www.Bücher.example/p?utm_term=x#:~:text=a",     # non-ASCII host, text directive
    "https://www.google.co.uk/url?url=https://a.example/x&q=",  # target in url, blank q
    "http://[bad/x",                                         # unbalanced bracket: an error
]


def test_unwrap_and_extract_domain_match_the_cli():
    lines = cli("unwrap", "--json", *URLS, check=False).stdout.splitlines()
    for url, line in zip(URLS, lines, strict=True):
        expected = json.loads(line)
        if "error" in expected:
            with pytest.raises(tc.InvalidURLError, match=expected["error"].replace("[", r"\[")):
                tc.URLUnwrapper.unwrap(url)
            continue
        clean = tc.URLUnwrapper.unwrap(url)
        assert (clean, tc.URLUnwrapper.extract_domain(clean)) == (expected["url"], expected["domain"]), url


def test_unwrap_matches_the_cli_on_real_world_links():
    links = [row["href"] for row in json.loads(corpus("urls/real-world-links.json").read_text())["links"]]
    lines = cli("unwrap", stdin="".join(link + "\n" for link in links if "\n" not in link and "\r" not in link),
                check=False).stdout.splitlines()
    for link, line in zip([x for x in links if "\n" not in x and "\r" not in x], lines, strict=True):
        assert tc.URLUnwrapper.unwrap(link) == line, link


PRICES = [
    (EXAMPLES.joinpath("prices.txt").read_text().splitlines(), None),
    (["12", "12,50", "1 299", "€ 3", "kr 100", "", "   ", "free", "US$ 7", "¥1,000"], "EUR"),
    (["12", "0.5 GBP", "CN¥ 88"], "JPY"),
]


@pytest.mark.parametrize("texts, hint", PRICES)
def test_price_parse_matches_the_cli(texts, hint):
    args = ["price", *(["--currency", hint] if hint else []), "--", *texts]
    for text, line in zip(texts, cli(*args).stdout.splitlines(), strict=True):
        price = tc.PriceNormalizer.parse(text, hint)
        assert (price.model_dump() if price else None) == json.loads(line)["price"], text


def test_price_parse_matches_the_cli_on_the_corpus_table():
    texts = [json.loads(row)["text"] for row in corpus("prices/prices.jsonl").read_text().splitlines()]
    texts = [t for t in texts if "\n" not in t and "\r" not in t]
    lines = cli("price", stdin="".join(t + "\n" for t in texts)).stdout.splitlines()
    for text, line in zip(texts, lines, strict=True):
        price = tc.PriceNormalizer.parse(text)
        assert (json.loads(price.model_dump_json(indent=None)) if price else None) == json.loads(line)["price"], text


CLASSIFY = [
    {"domain": "amazon.de"},
    {"domain": "stockx.com"},
    {"domain": "shop.acme-audio.com", "brand": "Acme"},
    {"domain": "myshop.example", "title": "Headphones"},
    {"domain": "acme.myshopify.com", "merchant_name": "Acme Store"},   # multi-tenant subdomain
    {"domain": "www.nike.com", "title": "Nike Air Max 90"},           # brand only in the title
    {"domain": "xn--bcher-kva.example", "brand": "Bücher"},           # punycode host
    {"domain": ""},
]


def test_classify_matches_the_cli():
    lines = cli("classify", "--json", stdin="".join(json.dumps(row) + "\n" for row in CLASSIFY)).stdout.splitlines()
    for row, line in zip(CLASSIFY, lines, strict=True):
        got = tc.MerchantClassifier.classify(row["domain"], row.get("title", ""), row.get("brand"),
                                             row.get("merchant_name"))
        assert got == tc.MerchantCategory(json.loads(line)["category"]), row


def page_requests():
    """(page file, URL) of the project's fixtures, and of the corpus when present."""
    rows = [(SOURCE_DIR / "tests/fixtures/pages/product-ld.html", "https://shop.example/p/1"),
            (SOURCE_DIR / "tests/fixtures/pages/latin1-og.html", "https://www.boutique.example/article"),
            (EXAMPLES / "product-page.html", "https://vantrel.com/products/aster-90-low-fjord-grey")]
    pages = CORPUS_PAGES if CORPUS_PAGES.is_dir() else None
    if pages:
        for line in (SOURCE_DIR / "tests/fixtures/corpus_page_facts.tsv").read_text().splitlines():
            if line and not line.startswith("#"):
                name, url, _ = line.split("\t", 2)
                rows.append((pages / name, url))
    return rows


CORPUS_PAGES = SOURCE_DIR.parent / "shared" / "corpus" / "pages"


@pytest.mark.parametrize("mode", list(tc.ExtractionMode))
def test_parse_metadata_matches_the_cli_on_every_page(mode):
    rows = page_requests()
    requests = [{"html_file": str(page), "direct_url": url, "initial_title": "Fallback title",
                 "initial_merchant": "Shop", "rank": 1 + i % 5,
                 **({"initial_price": {"raw": "$5", "amount": 5, "currency": "USD"}} if i % 3 == 0 else {}),
                 **({"initial_stock": i % 2 == 0} if i % 4 == 0 else {})}
                for i, (page, url) in enumerate(rows)]
    extended = [] if mode is tc.ExtractionMode.OFF else [f"--extended={mode.value}"]
    lines = cli("inspect", "--jsonl", "--jobs", "2", *extended,
                stdin="".join(json.dumps(r) + "\n" for r in requests)).stdout.splitlines()
    for request, line in zip(requests, lines, strict=True):
        facts = tc.DestinationMetadataParser.parse_metadata(
            pathlib.Path(request["html_file"]).read_bytes(), request["direct_url"], request["initial_title"],
            request["initial_merchant"], request.get("initial_price"), request.get("initial_stock"),
            request["rank"], mode=mode)
        assert facts.to_json() == line, request["html_file"]


def test_fusion_summary_and_exports_match_the_cli(tmp_path):
    matches, offers, warc = EXAMPLES / "matches.json", EXAMPLES / "offers.json", EXAMPLES / "demo.warc.gz"
    common = ["enrich", str(matches), "--replay", str(warc), "--no-resolve", "-q"]
    enriched = tc.read_commerce_intelligence(cli(*common, "--json", "-").stdout)
    cli(*common, "--offers", str(offers), "--json", str(tmp_path / "cli.json"), "--csv", str(tmp_path / "cli.csv"))

    items = tc.CommerceAggregator.fuse_matches_and_offers(
        enriched.items, tc.read_shopping_offers(offers.read_text()))
    for item in items:
        if item.relevance is None:
            item.relevance = tc.classify_match_relevance(item)
    fused = tc.CommerceIntelligence(summary=tc.recompute_market_summary(items, enriched.summary), items=items)
    assert tc.export_commerce_to_json(fused, tmp_path / "py.json") == tmp_path / "py.json"
    tc.export_commerce_to_csv(fused, str(tmp_path / "py.csv"))
    assert (tmp_path / "py.json").read_bytes() == (tmp_path / "cli.json").read_bytes()
    assert (tmp_path / "py.csv").read_bytes() == (tmp_path / "cli.csv").read_bytes()
    assert tc.sort_commerce_items(enriched.items) == enriched.items  # the CLI printed them sorted


def test_python_m_runs_the_command_line():
    import subprocess
    import sys

    ours = subprocess.run([sys.executable, "-m", "tarvik_commerce", "--version"], capture_output=True, text=True,
                          timeout=60)
    assert (ours.returncode, ours.stdout) == (0, cli("--version").stdout)
    bad = subprocess.run([sys.executable, "-m", "tarvik_commerce", "price", "--currency"], capture_output=True,
                         text=True, timeout=60)
    assert bad.returncode == 2
