"""Records and enumerations: dict and keyword construction through the
library's readers, the exact JSON text, and the errors that name the field."""

import json

import pytest

import tarvik_commerce as tc

ITEM = {
    "title": "Tote \"35\" ✓",
    "direct_url": "https://a.example/p",
    "original_url": "https://a.example/x?utm_source=y",
    "price": {"raw": "12,50 €", "amount": 12.5, "currency": "EUR"},
    "merchant_name": "A",
    "merchant_category": "reseller_specialist",
    "match_score": 87,
    "page_type": "marketplace",
    "condition": "used",
    "stock_status": "preorder",
    "source_engine": "shopping",
    "relevance": "high",
    "sources": {"price": "microdata"},
}
RESULT = {
    "summary": {
        "total_matches": 2, "currency": "EUR", "priced_items": 1, "priced_in_currency": 1,
        "median_price": 12.5, "distinct_merchants": 1, "best_price_url": "https://a.example/p",
        "best_offer": {"title": "Tote", "direct_url": "https://a.example/p",
                       "price": {"raw": "12,50 €", "amount": 12.5, "currency": "EUR"}, "relevance": "high"},
    },
    "items": [ITEM, {"title": "t", "direct_url": "u"}],
}


def test_a_result_read_from_dicts_dumps_what_the_reader_of_the_cli_reads():
    result = tc.CommerceIntelligence.model_validate(RESULT)
    text = result.model_dump_json(indent=2, exclude_none=True)
    assert tc.read_commerce_intelligence(text) == result
    assert json.loads(text)["summary"]["best_offer"]["relevance"] == "high"
    assert tc.CommerceIntelligence(**RESULT) == result
    assert result.items[0].sources == {"price": "microdata"}


@pytest.mark.parametrize("record, data", [
    (tc.VisualMatch, {"link": "https://a.example/p", "title": "Mug", "price": "$5", "in_stock": False}),
    (tc.ShoppingOffer, {"title": "Mug", "link": "https://a.example/p", "extracted_price": 5, "reviews": 3}),
    (tc.EnrichedCommerceMatch, ITEM),
    (tc.BestOffer, RESULT["summary"]["best_offer"]),
    (tc.CommerceSummary, RESULT["summary"]),
])
def test_records_round_trip_through_their_json(record, data):
    r = record(data)
    assert record(**data) == r
    assert record.model_validate(json.loads(r.model_dump_json())) == r
    assert record.model_validate_json(r.model_dump_json(indent=None)) == r
    assert repr(r).startswith(record.__name__ + "(")


@pytest.mark.parametrize("record, data, error, message", [
    ("VisualMatch", {"title": "no link"}, ValueError, "link: missing required field"),
    ("VisualMatch", {"link": "u", "title": 3}, TypeError, "title: expected a string, got number"),
    ("ShoppingOffer", {"title": "t", "link": "u", "reviews": 2.5}, TypeError, "reviews: expected an integer"),
    ("EnrichedCommerceMatch", {"title": "t", "direct_url": "u", "page_type": "shop"}, ValueError,
     'page_type: unknown value "shop"'),
    ("EnrichedCommerceMatch", {"title": "t", "direct_url": "u", "price": {"raw": "x", "amount": -1, "currency": "E"}},
     ValueError, "price: price amount must not be negative"),
    ("VisualMatch", {"link": "u", "title": "t", "price": float("nan")}, ValueError, "price: expected a finite number"),
    ("VisualMatch", {"link": "u", "title": "t", "thumbnail": object()}, TypeError, "thumbnail: expected JSON-like data"),
    ("VisualMatch", {"link": "u", "title": "\ud800"}, ValueError, "title: text is not valid UTF-8"),
    ("CommerceIntelligence", {"items": [{"title": "t", "direct_url": "u"}, {"title": "t"}]}, ValueError,
     "items[1].direct_url: missing required field"),
])
def test_bad_data_names_the_field(record, data, error, message):
    with pytest.raises(error, match=message.replace("[", r"\[").replace("(", r"\(")):
        getattr(tc, record)(data)


def test_deeply_nested_data_is_refused_not_a_crash():
    deep = []
    for _ in range(10000):
        deep = [deep]
    with pytest.raises(ValueError, match="nested too deeply"):
        tc.VisualMatch(link="u", title="t", source=deep)


@pytest.mark.parametrize("enum, member, value", [
    (tc.MerchantCategory, "OFFICIAL_BRAND", "official_brand"),
    (tc.PageType, "UNCATEGORIZED", "uncategorized"),
    (tc.StockStatus, "OUT_OF_STOCK", "out_of_stock"),
    (tc.ItemCondition, "REFURBISHED", "refurbished"),
    (tc.Relevance, "EXACT", "exact"),
    (tc.ExtractionMode, "OVERRIDES", "overrides"),
])
def test_enum_values_are_the_library_texts(enum, member, value):
    assert enum[member].value == value


def test_enum_fields_take_members_or_values_and_give_members():
    item = tc.EnrichedCommerceMatch(title="t", direct_url="u")
    assert item.page_type is tc.PageType.UNCATEGORIZED
    item.stock_status = "in_stock"
    item.relevance = tc.Relevance.LOW
    assert (item.stock_status, item.relevance) == (tc.StockStatus.IN_STOCK, tc.Relevance.LOW)
    with pytest.raises(ValueError, match='unknown value "sold"'):
        item.stock_status = "sold"
    with pytest.raises(TypeError):
        item.stock_status = 3


def test_normalized_price_validates_like_the_library():
    assert tc.NormalizedPrice("$5", 5, "USD") == tc.NormalizedPrice(raw="$5", amount=5.0, currency="USD")
    with pytest.raises(ValueError, match="currency must not be empty"):
        tc.NormalizedPrice("5", 5, "")
