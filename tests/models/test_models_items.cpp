// Reading enriched items back from their own JSON form.
#include <gtest/gtest.h>

#include "tarvik/models/io.hpp"

namespace {

using namespace tarvik::models;

TEST(ReadCommerceIntelligence, ReadsWhatModelDumpJsonWrites) {
  CommerceIntelligence ci;
  ci.summary.total_matches = 2;
  ci.summary.currency = "EUR";
  ci.summary.median_price = 12.5;
  ci.summary.best_price_url = "https://a.example/p";
  ci.summary.priced_in_currency = 1;
  ci.summary.distinct_merchants = 1;
  ci.summary.best_offer = BestOffer{.title = "Tote", .merchant_name = std::nullopt, .direct_url = "https://a.example/p",
                                    .price = NormalizedPrice("12,50 €", 12.5, "EUR"),
                                    .stock_status = StockStatus::IN_STOCK, .relevance = Relevance::HIGH};
  EnrichedCommerceMatch full;
  full.title = "Tote \"35\" ✓";
  full.direct_url = "https://a.example/search?q=tote";
  full.original_url = "https://a.example/x";
  full.price = NormalizedPrice("12,50 €", 12.5, "EUR");
  full.merchant_name = "A";
  full.merchant_category = MerchantCategory::RESELLER_SPECIALIST;
  full.match_score = 87;
  full.page_type = PageType::MARKETPLACE;
  full.condition = ItemCondition::USED;
  full.stock_status = StockStatus::PREORDER;
  full.relevance = Relevance::HIGH;
  full.source_engine = "shopping";
  EnrichedCommerceMatch bare;
  bare.title = "t";
  bare.direct_url = "u";
  ci.items = {full, bare};
  EXPECT_EQ(read_commerce_intelligence(ci.model_dump_json()), ci);
  EXPECT_EQ(read_commerce_intelligence(dump_items_json(ci.items)).items, ci.items);
}

TEST(ReadCommerceIntelligence, ErrorsNameThePlace) {
  const std::pair<const char*, const char*> rows[] = {
      {R"({"summary": {}})", R"(expected an array, or an object holding one under "items")"},
      {R"({"summary": [], "items": []})", "summary: expected an object, got array"},
      {R"([{"title": "t"}])", "items[0].direct_url: missing required field"},
      {R"([{"title": "t", "direct_url": "u"}, 3])", "items[1]: expected an object, got number"},
      {R"([{"title": "t", "direct_url": "u", "page_type": "shop"}])", R"(items[0].page_type: unknown value "shop")"},
      {R"([{"title": "t", "direct_url": "u", "price": {"raw": "x", "currency": "USD"}}])",
       "items[0].price.amount: missing required field"},
      {R"([{"title": "t", "direct_url": "u", "price": {"raw": "x", "amount": -1, "currency": "USD"}}])",
       "items[0].price: price amount must not be negative"},
      {R"([{"title": "t", "direct_url": "u", "match_score": 1.5}])",
       "items[0].match_score: expected an integer, got number"},
      {"[", "invalid JSON: "},
  };
  for (const auto& [json, message] : rows) {
    SCOPED_TRACE(json);
    try {
      read_commerce_intelligence(json);
      ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, std::string(message).size()), message);
    }
  }
}

}  // namespace
