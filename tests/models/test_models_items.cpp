// Reading enriched items back from their own JSON form.
#include <gtest/gtest.h>

#include <boost/json/parse.hpp>

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

// Every member of every record set away from its default survives writing
// and reading: a member missing from a record's field list is lost here.
TEST(RecordFields, EveryMemberSurvivesTheJsonForm) {
  VisualMatch match{"https://a.example/p", "Mug", "A", "$5", "USD", "https://a.example/t.jpg", false};
  ShoppingOffer offer{"Mug", "https://a.example/p", "A", "$5.00", 5.0, "USD", "https://a.example/t.jpg",
                      "Free delivery", true, 4.5, 12, 3};
  EnrichedCommerceMatch item{"Mug", "https://a.example/p", "https://g.example/u", NormalizedPrice("$5", 5, "USD"),
                             "A", MerchantCategory::OFFICIAL_BRAND, "https://a.example/t.jpg", 80, PageType::PRODUCT,
                             "Brand", "SKU-1", ItemCondition::REFURBISHED, StockStatus::OUT_OF_STOCK,
                             "https://a.example/i.jpg", "Ships free", "shopping", Relevance::MEDIUM,
                             std::vector<std::pair<std::string, std::string>>{{"price", "microdata"}}};
  CommerceSummary summary{7, "EUR", 6, 5, 4, 1.0, 9.0, 5.0, 5.5, 3, 2, 2, 1, 1, 1, 2, "https://a.example/p",
                          BestOffer{"Mug", "A", "https://a.example/p", NormalizedPrice("1 €", 1, "EUR"),
                                    StockStatus::PREORDER, Relevance::EXACT}};
  const boost::json::value no_defaults = boost::json::parse(match.model_dump_json());
  EXPECT_EQ(read_record<VisualMatch>(no_defaults, ""), match);
  EXPECT_EQ(read_record<ShoppingOffer>(boost::json::parse(offer.model_dump_json()), ""), offer);
  EXPECT_EQ(read_record<EnrichedCommerceMatch>(boost::json::parse(item.model_dump_json()), ""), item);
  EXPECT_EQ(read_record<CommerceSummary>(boost::json::parse(summary.model_dump_json()), ""), summary);
  const CommerceIntelligence whole{summary, {item, item}};
  EXPECT_EQ(read_commerce_intelligence(whole.model_dump_json(-1, false)), whole);
}

TEST(RecordFields, OneRecordReadAloneNamesItsFields) {
  struct Row {
    const char* name;
    const char* json;
    const char* where;
    const char* message;
  };
  const Row rows[] = {
      {"missing field at the top", R"({"title": "t"})", "", "direct_url: missing required field"},
      {"field under a given place", R"({"title": 1, "direct_url": "u"})", "offers[2]",
       "offers[2].title: expected a string, got number"},
      {"not an object", "[1]", "", "value: expected an object, got array"},
      {"nested best offer without price", R"({"best_offer": {"title": "t", "direct_url": "u"}})", "summary",
       "summary.best_offer.price: missing required field"},
  };
  for (const Row& row : rows) {
    try {
      if (std::string(row.where) == "summary")
        read_record<CommerceSummary>(boost::json::parse(row.json), row.where);
      else
        read_record<EnrichedCommerceMatch>(boost::json::parse(row.json), row.where);
      ADD_FAILURE() << row.name << ": no error";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()), row.message) << row.name;
    }
  }
}

TEST(RecordFields, SearchApiFormsOfOffersAndMatches) {
  const auto offers = read_shopping_offers(
      R"([{"title": "a", "product_link": "https://p.example/1"},
          {"title": "b", "link": "https://l.example/2", "product_link": "https://p.example/2"},
          {"title": "c", "link": "https://l.example/3", "price": {"value": "12 zł", "currency": "PLN"}}])");
  ASSERT_EQ(offers.size(), 3U);
  EXPECT_EQ(offers[0].link, "https://p.example/1") << "only a product link";
  EXPECT_EQ(offers[1].link, "https://l.example/2") << "the link wins over the product link";
  EXPECT_EQ(offers[2].price, "12 zł");
  EXPECT_EQ(offers[2].currency, "PLN") << "the price object's currency stands in";
  const auto matches = read_visual_matches(
      R"({"visual_matches": [{"link": "u", "title": "t", "currency": "EUR", "price": {"value": "5", "currency": "USD"}}]})");
  EXPECT_EQ(matches.at(0).currency, "EUR") << "a currency of its own wins";
}

}  // namespace
