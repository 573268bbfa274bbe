"""tarvik-commerce: commerce intelligence for visual product matches.

The matches of a reverse-image search become enriched commerce items (price,
stock, merchant, page type, relevance) and a market summary:

    import tarvik_commerce as tc
    result = tc.CommerceEnricher.process(search_answer)   # or its "visual_matches" list
    print(result.model_dump_json(indent=2))
    tc.export_commerce_to_csv(result, "items.csv")

Entry points
    CommerceEnricher.process / process_async    the whole pipeline
    DirectStoreResolver.resolve / resolve_async store search pages to product pages
    ScraplingDestinationFetcher.fetch_many      pages fetched under the limits
    PipelineOptions                             fetcher, browser, extraction mode, follow_resolved
Records (built from dicts or keywords, model_dump_json as the command line writes them)
    VisualMatch, ShoppingOffer, EnrichedCommerceMatch, NormalizedPrice, BestOffer,
    CommerceSummary, CommerceIntelligence, PageFacts
Stages (pure, no I/O)
    URLUnwrapper, PriceNormalizer, MerchantClassifier, DestinationMetadataParser,
    CommerceAggregator, classify_match_relevance, recompute_market_summary, sort_commerce_items

Bad input raises ValueError or TypeError naming the field; other failures are OSError or
TarvikError. `python3 -m tarvik_commerce` is the command line.
"""

from tarvik_commerce import _native
from tarvik_commerce import _pipeline
from tarvik_commerce._enums import *  # noqa: F401,F403
from tarvik_commerce._enums import __all__ as _enum_names
from tarvik_commerce._pipeline import *  # noqa: F401,F403

_native_names = [
    # The package's export list.
    "ARTICLE_PATH_PATTERNS",
    "CATALOG_PATH_PATTERNS",
    "CURRENCY_MAP",
    "CURRENCY_TOKEN_PATTERN",
    "CommerceAggregator",
    "DestinationMetadataParser",
    "EDITORIAL_DOMAINS",
    "GENERIC_TITLES",
    "MARKETPLACE_DOMAINS",
    "MULTI_TENANT_SUBDOMAINS",
    "MerchantClassifier",
    "PORTFOLIO_DOMAINS",
    "PORTFOLIO_KEYWORDS",
    "PORTFOLIO_PATH_PATTERNS",
    "PriceNormalizer",
    "RESELLER_DOMAINS",
    "SOCIAL_DOMAINS",
    "TRACKING_PARAMS",
    "URLUnwrapper",
    "export_commerce_to_csv",
    "export_commerce_to_json",
    # The rest of the library's surface.
    "CSV_COLUMNS",
    "SEARCH_ENGINE_HOST_MARKER",
    "InvalidURLError",
    "SplitURL",
    "split_url",
    "join_url",
    "decode_query",
    "form_encode",
    "round2",
    "commerce_csv_text",
    "sort_commerce_items",
    "classify_match_relevance",
    "recompute_market_summary",
    "TarvikError",
    "NormalizedPrice",
    "VisualMatch",
    "ShoppingOffer",
    "EnrichedCommerceMatch",
    "BestOffer",
    "CommerceSummary",
    "CommerceIntelligence",
    "PageFacts",
    "dump_items_json",
    "read_visual_matches",
    "read_shopping_offers",
    "read_commerce_intelligence",
    "currency_code",
]
globals().update({name: getattr(_native, name) for name in _native_names})

__version__ = "0.1.0"
__all__: list[str] = [*_enum_names, *_native_names, *_pipeline.__all__]
del _enum_names, _native_names
