#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "relevance/item_spec.hpp"
#include "tarvik/relevance/relevance.hpp"

namespace {

using namespace tarvik::models;
using namespace tarvik::relevance;
using tarvik::testing::ItemSpec;
using tarvik::testing::make_item;

constexpr auto OFFICIAL = MerchantCategory::OFFICIAL_BRAND;
constexpr auto UNVERIFIED = MerchantCategory::UNVERIFIED;
constexpr auto UNCATEGORIZED = PageType::UNCATEGORIZED;
constexpr auto IN = StockStatus::IN_STOCK;
constexpr auto OUT = StockStatus::OUT_OF_STOCK;
constexpr auto EXACT = Relevance::EXACT, HIGH = Relevance::HIGH, MEDIUM = Relevance::MEDIUM, LOW = Relevance::LOW;

std::vector<EnrichedCommerceMatch> make_items(const std::vector<ItemSpec>& specs) {
  std::vector<EnrichedCommerceMatch> items;
  for (const auto& s : specs) items.push_back(make_item(s));
  return items;
}

TEST(ClassifyMatchRelevance, Grades) {
  struct Case {
    const char* label;
    ItemSpec item;
    const char* context_brand;  // nullptr: no context
    Relevance want;
  };
  const Case cases[] = {
      {"brand shop, top rank, priced", {.score = 98, .price = 10, .category = OFFICIAL}, nullptr, EXACT},
      {"marketplace listing",
       {.page = PageType::MARKETPLACE, .score = 90, .price = 1, .category = MerchantCategory::MAJOR_MARKETPLACE},
       nullptr, EXACT},
      {"score just below 90", {.score = 89, .price = 10, .category = OFFICIAL}, nullptr, HIGH},
      {"unverified seller", {.score = 98, .price = 10, .category = UNVERIFIED}, nullptr, HIGH},
      {"known seller, no price", {.score = 98, .category = OFFICIAL}, nullptr, HIGH},
      {"no price, unknown seller", {.score = 98}, nullptr, MEDIUM},
      {"score below 70", {.score = 68, .price = 10, .category = OFFICIAL}, nullptr, MEDIUM},
      {"uncategorised, priced", {.page = UNCATEGORIZED, .score = 70, .price = 5}, nullptr, MEDIUM},
      {"uncategorised, unpriced", {.page = UNCATEGORIZED, .score = 98}, nullptr, LOW},
      {"article", {.page = PageType::ARTICLE, .score = 98, .price = 5, .category = OFFICIAL}, nullptr, LOW},
      {"context brand in the title", {.title = "Acme Runner", .score = 95, .price = 1}, "ACME", EXACT},
      {"context brand inside a word", {.title = "Acmeist Runner", .score = 95, .price = 1}, "Acme", HIGH},
      {"non-ASCII context brand", {.title = "\xC3\x89" "CLAT lamp", .score = 95, .price = 1}, "\xC3\xA9" "clat", EXACT},
  };
  for (const Case& c : cases) {
    RelevanceContext context;
    if (c.context_brand) context.brand = c.context_brand;
    const auto got = classify_match_relevance(make_item(c.item), c.context_brand ? &context : nullptr);
    EXPECT_EQ(value(got), value(c.want)) << c.label;
  }
}

TEST(RecomputeMarketSummary, FiguresOfAMixedRun) {
  const auto items = make_items({
      {.title = "a", .price = 120, .category = OFFICIAL, .stock = IN, .merchant = "Acme"},
      {.title = "b", .page = PageType::MARKETPLACE, .score = 95, .price = 80,
       .category = MerchantCategory::MAJOR_MARKETPLACE, .stock = OUT, .merchant = "Bazaar"},
      {.title = "c", .score = 92, .price = 100, .category = MerchantCategory::RESELLER_SPECIALIST, .merchant = " ACME "},
      {.title = "d", .score = 89, .price = 70, .currency = "EUR", .merchant = "Euro Shop"},
      {.title = "e", .page = PageType::ARTICLE, .score = 86, .price = 50, .merchant = "Blog"},
      {.title = "f", .page = PageType::SOCIAL, .score = 83, .relevance = EXACT},
  });
  const CommerceSummary s = recompute_market_summary(items, CommerceSummary{.total_matches = 9, .currency = "usd"});
  const std::vector<std::int64_t> counts = {s.total_matches,  s.commerce_items,       s.product_pages,
                                            s.marketplace_listings, s.priced_items,  s.priced_in_currency,
                                            s.in_stock_items, s.distinct_merchants,   s.official_brand_items,
                                            s.reseller_items, s.high_relevance_items};
  // EUR not compared; Acme counted once; the label set on f is kept.
  EXPECT_EQ(counts, (std::vector<std::int64_t>{9, 4, 3, 1, 5, 4, 1, 4, 1, 1, 5}));
  EXPECT_EQ(s.currency, "usd");
  EXPECT_EQ(std::vector({s.min_price, s.max_price, s.median_price, s.average_price}),
            std::vector<std::optional<double>>({50.0, 120.0, 90.0, 87.5}));
  EXPECT_EQ(s.best_price_url, "https://shop.example/e");
  ASSERT_TRUE(s.best_offer);
  EXPECT_EQ(s.best_offer->title, "c") << "the article sells nothing and b is out of stock";
  EXPECT_EQ(s.best_offer->relevance, EXACT);
}

TEST(RecomputeMarketSummary, EdgeCases) {
  const double huge = 1.7e308;
  struct Case {
    const char* label;
    std::vector<ItemSpec> items;
    std::optional<double> median, average;
    const char* best_offer;
  };
  const Case cases[] = {
      {"no items", {}, std::nullopt, std::nullopt, "(none)"},
      {"odd count, mean rounded to cents", {{.price = 10}, {.price = 20}, {.price = 20.01}}, 20.0, 16.67, "Item"},
      {"huge amounts stay finite", {{.title = "x", .price = huge}, {.title = "y", .price = huge}}, huge, huge, "x"},
      {"same price: the more relevant",
       {{.title = "high", .price = 5}, {.title = "exact", .price = 5, .category = OFFICIAL}}, 5.0, 5.0, "exact"},
      {"same price and label: in stock", {{.title = "?", .price = 5}, {.title = "in", .price = 5, .stock = IN}}, 5.0,
       5.0, "in"},
      {"cheaper medium loses to a high item", {{.title = "medium", .score = 50, .price = 4}, {.title = "high", .price = 9}},
       6.5, 6.5, "high"},
      {"medium only when nothing better", {{.title = "medium", .score = 50, .price = 4}}, 4.0, 4.0, "medium"},
      {"a zero amount is no offer", {{.title = "zero", .price = 0}, {.title = "paid", .price = 8}}, 8.0, 8.0, "paid"},
  };
  for (const Case& c : cases) {
    const CommerceSummary s = recompute_market_summary(make_items(c.items), CommerceSummary{.total_matches = 1});
    EXPECT_EQ(s.median_price, c.median) << c.label;
    EXPECT_EQ(s.average_price, c.average) << c.label;
    EXPECT_EQ(s.best_offer ? s.best_offer->title : "(none)", c.best_offer) << c.label;
  }
}

TEST(SortCommerceItems, PublishingOrder) {
  struct Case {
    const char* label;
    std::vector<ItemSpec> items;
    std::vector<std::string> order;  // titles
  };
  const Case cases[] = {
      {"relevance first, graded when unlabelled",
       {{.title = "low", .relevance = LOW}, {.title = "exact", .price = 9, .category = OFFICIAL}, {.title = "medium"}},
       {"exact", "medium", "low"}},
      {"stock",
       {{.title = "out", .stock = OUT, .relevance = HIGH}, {.title = "unknown", .relevance = HIGH},
        {.title = "preorder", .stock = StockStatus::PREORDER, .relevance = HIGH},
        {.title = "in", .stock = IN, .relevance = HIGH}},
       {"in", "preorder", "unknown", "out"}},
      {"lower price, then unpriced, then higher score",
       {{.title = "none-50", .score = 50, .relevance = HIGH}, {.title = "none-90", .score = 90, .relevance = HIGH},
        {.title = "20", .price = 20, .relevance = HIGH}, {.title = "10", .score = 1, .price = 10, .relevance = HIGH}},
       {"10", "20", "none-90", "none-50"}},
      {"other currencies after the main one, never compared with it",
       {{.title = "jpy-100", .price = 100, .currency = "JPY", .relevance = HIGH},
        {.title = "usd-50", .price = 50, .relevance = HIGH},
        {.title = "eur-1", .price = 1, .currency = "EUR", .relevance = HIGH},
        {.title = "usd-60", .price = 60, .relevance = HIGH}},
       {"usd-50", "usd-60", "eur-1", "jpy-100"}},
      {"stable", {{.title = "b", .relevance = HIGH}, {.title = "a", .relevance = HIGH}}, {"b", "a"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> titles;
    for (const auto& item : sort_commerce_items(make_items(c.items))) titles.push_back(item.title);
    EXPECT_EQ(titles, c.order) << c.label;
  }
}

}  // namespace
