#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tarvik/models/commerce.hpp"
#include "tarvik/models/io.hpp"

using namespace tarvik::models;
using ::testing::HasSubstr;

namespace {

TEST(Enumerations, ValuesRoundTrip) {
  for (auto v : {MerchantCategory::MAJOR_MARKETPLACE, MerchantCategory::RESELLER_SPECIALIST,
                 MerchantCategory::OFFICIAL_BRAND, MerchantCategory::UNVERIFIED})
    EXPECT_EQ(from_value<MerchantCategory>(value(v)), v);
  for (auto v : {PageType::PRODUCT, PageType::MARKETPLACE, PageType::ARTICLE, PageType::SOCIAL, PageType::PORTFOLIO,
                 PageType::UNCATEGORIZED})
    EXPECT_EQ(from_value<PageType>(value(v)), v);
  EXPECT_EQ(value(MerchantCategory::RESELLER_SPECIALIST), "reseller_specialist");
  EXPECT_EQ(value(PageType::UNCATEGORIZED), "uncategorized");
  EXPECT_EQ(value(StockStatus::OUT_OF_STOCK), "out_of_stock");
  EXPECT_EQ(value(ItemCondition::REFURBISHED), "refurbished");
  EXPECT_EQ(from_value<StockStatus>("sold"), std::nullopt);
}

TEST(NormalizedPrice, RejectsUnusableValues) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {inf, -inf, std::nan(""), -0.01}) EXPECT_THROW(NormalizedPrice("x", bad, "USD"), std::invalid_argument);
  EXPECT_THROW(NormalizedPrice("x", 1.0, ""), std::invalid_argument);
  EXPECT_NO_THROW(NormalizedPrice("0", 0.0, "EUR"));
}

EnrichedCommerceMatch sample_item() {
  EnrichedCommerceMatch m;
  m.title = "Caf\xC3\xA9 \"Noir\" Mug";
  m.direct_url = "https://shop.example/p/mug";
  m.original_url = "https://shop.example/p/mug?utm_source=x";
  m.price = NormalizedPrice("$130", 130.0, "USD");
  m.merchant_category = MerchantCategory::OFFICIAL_BRAND;
  m.match_score = 98;
  m.page_type = PageType::PRODUCT;
  m.stock_status = StockStatus::IN_STOCK;
  m.relevance = Relevance::HIGH;
  return m;
}

TEST(ModelDumpJson, IndentedWithNoneFieldsLeftOut) {
  CommerceIntelligence ci;
  ci.summary.total_matches = 1;
  ci.summary.best_offer = BestOffer{.title = "Mug",
                                    .merchant_name = std::nullopt,
                                    .direct_url = "https://shop.example/p/mug",
                                    .price = NormalizedPrice("$130", 130.0, "USD"),
                                    .stock_status = std::nullopt,
                                    .relevance = Relevance::HIGH};
  ci.items.push_back(sample_item());
  const std::string json = ci.model_dump_json(2, true);
  const std::string expected = R"({
  "summary": {
    "total_matches": 1,
    "currency": "USD",
    "commerce_items": 0,
    "priced_items": 0,
    "priced_in_currency": 0,
    "in_stock_items": 0,
    "distinct_merchants": 0,
    "product_pages": 0,
    "marketplace_listings": 0,
    "official_brand_items": 0,
    "reseller_items": 0,
    "high_relevance_items": 0,
    "best_offer": {
      "title": "Mug",
      "direct_url": "https://shop.example/p/mug",
      "price": {
        "raw": "$130",
        "amount": 130.0,
        "currency": "USD"
      },
      "relevance": "high"
    }
  },
  "items": [
    {
      "title": "Café \"Noir\" Mug",
      "direct_url": "https://shop.example/p/mug",
      "original_url": "https://shop.example/p/mug?utm_source=x",
      "price": {
        "raw": "$130",
        "amount": 130.0,
        "currency": "USD"
      },
      "merchant_category": "official_brand",
      "match_score": 98,
      "page_type": "product",
      "stock_status": "in_stock",
      "source_engine": "vizor",
      "relevance": "high"
    }
  ]
})";
  EXPECT_EQ(json, expected);
}

TEST(ModelDumpJson, KeepsNoneFieldsAsNullWhenAskedAndEmptyListsCompact) {
  CommerceIntelligence empty;
  EXPECT_THAT(empty.model_dump_json(2, true), HasSubstr("\"items\": []"));
  CommerceIntelligence ci;
  ci.items.push_back(sample_item());
  const std::string all = ci.model_dump_json(-1, false);
  EXPECT_THAT(all, HasSubstr("\"merchant_name\":null,\"merchant_category\":\"official_brand\""));
  EXPECT_THAT(all, HasSubstr("\"min_price\":null"));
  EXPECT_EQ(all.find('\n'), std::string::npos);
}

TEST(FromShoppingOffer, BuildsAProductListing) {
  ShoppingOffer o;
  o.title = "Mug";
  o.link = "https://m.example/mug";
  o.source = "Mugs Inc";
  o.price = "$12.50";
  o.extracted_price = 12.5;
  o.in_stock = false;
  const auto item = EnrichedCommerceMatch::from_shopping_offer(o);
  EXPECT_EQ(item.direct_url, o.link);
  EXPECT_EQ(item.merchant_name, "Mugs Inc");
  ASSERT_TRUE(item.price);
  EXPECT_EQ(item.price->amount(), 12.5);
  EXPECT_EQ(item.price->raw(), "$12.50");
  EXPECT_EQ(item.stock_status, StockStatus::OUT_OF_STOCK);
  EXPECT_EQ(item.source_engine, "shopping");
  o.extracted_price = -1;  // an unusable price is left out rather than failing the conversion
  EXPECT_FALSE(EnrichedCommerceMatch::from_shopping_offer(o).price);
}

TEST(ReadVisualMatches, AcceptsArrayOrSearchResponseObject) {
  const char* array = R"([{"link":"https://a.example/1","title":"One","price":"$5","in_stock":true,"extra":[1,2]}])";
  const char* object = R"({"search_metadata":{},"visual_matches":[
      {"position":1,"link":"https://a.example/1","title":"One","source":"A","thumbnail":null,
       "price":{"value":"$5*","extracted_value":5,"currency":"$"}}]})";
  const auto a = read_visual_matches(array);
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].price, "$5");
  EXPECT_EQ(a[0].in_stock, true);
  const auto b = read_visual_matches(object);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].price, "$5*");
  EXPECT_EQ(b[0].currency, "$");  // taken from the price object when no currency is given
  EXPECT_EQ(b[0].source, "A");
  EXPECT_EQ(b[0].thumbnail, std::nullopt);
}

TEST(ReadVisualMatches, ErrorsNameTheElementAndField) {
  struct Case {
    const char* json;
    const char* message;
  };
  const Case cases[] = {
      {R"([{"link":"u","title":"t"},{"link":"u"}])", "visual_matches[1].title: missing required field"},
      {R"([{"link":"u","title":5}])", "visual_matches[0].title: expected a string, got number"},
      {R"([{"link":"u","title":"t","in_stock":"yes"}])", "visual_matches[0].in_stock: expected true, false or null"},
      {R"([{"link":"u","title":"t","price":{"extracted_value":3}}])", "visual_matches[0].price: expected a string or"},
      {R"([1])", "visual_matches[0]: expected an object, got number"},
      {R"({"matches":[]})", "under \"visual_matches\""},
      {R"({"visual_matches":{}})", "\"visual_matches\": expected an array, got object"},
      {R"([{"link":)", "invalid JSON"},
  };
  for (const auto& c : cases) {
    try {
      read_visual_matches(c.json);
      ADD_FAILURE() << "no error for " << c.json;
    } catch (const InputError& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.message)) << c.json;
    }
  }
}

TEST(ReadVisualMatches, RepairsInvalidUtf8) {
  const auto m = read_visual_matches("[{\"link\":\"u\",\"title\":\"caf\xE9\"}]");
  EXPECT_EQ(m[0].title, "caf\xEF\xBF\xBD");
}

TEST(ReadShoppingOffers, ReadsShoppingResults) {
  const auto offers = read_shopping_offers(R"({"shopping_results":[
      {"position":2,"title":"Mug","product_link":"https://s.example/p","source":"S","price":"$9.99",
       "extracted_price":9.99,"rating":4.5,"reviews":120,"delivery":"Free delivery"}]})");
  ASSERT_EQ(offers.size(), 1u);
  EXPECT_EQ(offers[0].link, "https://s.example/p");
  EXPECT_EQ(offers[0].extracted_price, 9.99);
  EXPECT_EQ(offers[0].reviews, 120);
  EXPECT_EQ(offers[0].position, 2);
  EXPECT_THROW(read_shopping_offers(R"([{"title":"x","link":"u","reviews":1.5}])"), InputError);
  EXPECT_THROW(read_shopping_offers(R"([{"title":"x","link":"u","reviews":1e300}])"), InputError);
  EXPECT_EQ(read_shopping_offers(R"([{"title":"x","link":"u","reviews":2e3}])")[0].reviews, 2000);
  EXPECT_THROW(read_shopping_offers(R"([{"title":"x"}])"), InputError);
}

TEST(FromShoppingOffer, CurrencyCodeFromSymbolsAndPriceText) {
  struct Case {
    const char* label;
    std::optional<std::string> currency;
    std::optional<std::string> price_text;
    const char* code;  // nullptr: left unpriced
  };
  const Case cases[] = {
      {"dollar symbol as currency", "$", "$5", "USD"},
      {"lower-case code", "eur", "5", "EUR"},
      {"prefixed dollar", "CA$", std::nullopt, "CAD"},
      {"ambiguous symbol in the field", "kr", "kr 5", nullptr},
      {"symbol before the number", std::nullopt, "£5.00", "GBP"},
      {"symbol after the number", std::nullopt, "5,00 €", "EUR"},
      {"word before the symbol", std::nullopt, "From US$ 5", "USD"},
      {"code after a range", std::nullopt, "5 - 7 AUD", "AUD"},
      {"bare number", std::nullopt, "5.00", "USD"},
      {"blank field reads the text", "  ", "¥500", "JPY"},
      {"ambiguous word in the text", std::nullopt, "5 kr", nullptr},
  };
  for (const Case& c : cases) {
    ShoppingOffer o;
    o.title = "Mug";
    o.link = "https://m.example/mug";
    o.currency = c.currency;
    o.price = c.price_text;
    o.extracted_price = 5;
    const auto item = EnrichedCommerceMatch::from_shopping_offer(o);
    EXPECT_EQ(item.price ? item.price->currency() : "(unpriced)", c.code ? c.code : "(unpriced)") << c.label;
  }
}

}  // namespace
