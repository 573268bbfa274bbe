#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "relevance/item_spec.hpp"
#include "tarvik/relevance.hpp"

namespace {

using namespace tarvik::models;
using tarvik::relevance::classify_match_relevance;
using tarvik::relevance::recompute_market_summary;
using tarvik::relevance::RelevanceContext;
using tarvik::relevance::sort_commerce_items;
using tarvik::testing::ItemSpec;
using tarvik::testing::make_item;

constexpr auto PRODUCT = PageType::PRODUCT;
constexpr auto OFFICIAL = MerchantCategory::OFFICIAL_BRAND;
constexpr auto UNVERIFIED = MerchantCategory::UNVERIFIED;
constexpr auto IN = StockStatus::IN_STOCK;
constexpr auto OUT = StockStatus::OUT_OF_STOCK;

TEST(ClassifyMatchRelevance, Grades) {
  struct Case {
    const char* label;
    ItemSpec item;
    std::optional<std::string> context_brand;  // none: no context
    Relevance want;
  };
  const Case cases[] = {
      {"top product page of the brand's shop", {.score = 98, .price = 10, .category = OFFICIAL}, {}, Relevance::EXACT},
      {"marketplace listing counts as a commerce page",
       {.page = PageType::MARKETPLACE, .score = 92, .price = 10, .category = MerchantCategory::MAJOR_MARKETPLACE},
       {},
       Relevance::EXACT},
      {"score just below the strong band", {.score = 89, .price = 10, .category = OFFICIAL}, {}, Relevance::HIGH},
      {"unverified seller is not known", {.score = 98, .price = 10, .category = UNVERIFIED}, {}, Relevance::HIGH},
      {"shopping offer: no category", {.score = 100, .price = 10}, {}, Relevance::HIGH},
      {"known seller without price", {.score = 98, .category = OFFICIAL}, {}, Relevance::HIGH},
      {"neither price nor known seller", {.score = 98, .category = UNVERIFIED}, {}, Relevance::MEDIUM},
      {"score below the fair band", {.score = 68, .price = 10, .category = OFFICIAL}, {}, Relevance::MEDIUM},
      {"uncategorised page with price", {.page = PageType::UNCATEGORIZED, .score = 70, .price = 5}, {}, Relevance::MEDIUM},
      {"uncategorised page without price", {.page = PageType::UNCATEGORIZED, .score = 98}, {}, Relevance::LOW},
      {"article never sells", {.page = PageType::ARTICLE, .score = 98, .price = 5, .category = OFFICIAL}, {},
       Relevance::LOW},
      {"social post", {.page = PageType::SOCIAL, .score = 98, .price = 5}, {}, Relevance::LOW},
      {"portfolio", {.page = PageType::PORTFOLIO, .score = 98}, {}, Relevance::LOW},
      {"context brand in the title makes the seller known",
       {.title = "Acme Runner 2 - blue", .score = 95, .price = 10, .category = UNVERIFIED}, "ACME", Relevance::EXACT},
      {"context brand equal to the item brand",
       {.title = "Runner", .score = 95, .price = 10, .brand = " acme "}, "Acme", Relevance::EXACT},
      {"context brand only inside a longer word",
       {.title = "Acmeist Runner", .score = 95, .price = 10}, "Acme", Relevance::HIGH},
      {"non-ASCII brand folded", {.title = "ÉCLAT lamp", .score = 95, .price = 10}, "éclat", Relevance::EXACT},
      {"blank context brand is unknown", {.title = "Runner", .score = 95, .price = 10}, "  ", Relevance::HIGH},
      {"hostile lowest score", {.score = std::numeric_limits<std::int64_t>::min(), .price = 1}, {}, Relevance::MEDIUM},
  };
  for (const Case& c : cases) {
    const RelevanceContext context{c.context_brand};
    const auto got = classify_match_relevance(make_item(c.item), c.context_brand ? &context : nullptr);
    EXPECT_EQ(value(got), value(c.want)) << c.label;
  }
}

TEST(RecomputeMarketSummary, FiguresOfAMixedRun) {
  const std::vector<EnrichedCommerceMatch> items = {
      make_item({.title = "a", .price = 120, .category = OFFICIAL, .stock = IN, .merchant = "Acme"}),
      make_item({.title = "b", .page = PageType::MARKETPLACE, .score = 95, .price = 80,
                 .category = MerchantCategory::MAJOR_MARKETPLACE, .stock = OUT, .merchant = "Bazaar"}),
      make_item({.title = "c", .score = 92, .price = 100, .category = MerchantCategory::RESELLER_SPECIALIST,
                 .merchant = " ACME "}),
      make_item({.title = "d", .score = 89, .price = 70, .currency = "EUR", .merchant = "Euro Shop"}),
      make_item({.title = "e", .page = PageType::ARTICLE, .score = 86, .price = 50, .merchant = "Blog"}),
      make_item({.title = "f", .page = PageType::SOCIAL, .score = 83, .relevance = Relevance::EXACT}),
  };
  const CommerceSummary s = recompute_market_summary(items, CommerceSummary{.total_matches = 9, .currency = "usd"});
  EXPECT_EQ(s.total_matches, 9);
  EXPECT_EQ(s.currency, "usd");
  EXPECT_EQ(s.commerce_items, 4);
  EXPECT_EQ(s.product_pages, 3);
  EXPECT_EQ(s.marketplace_listings, 1);
  EXPECT_EQ(s.priced_items, 5);
  EXPECT_EQ(s.priced_in_currency, 4) << "the EUR price is not compared";
  EXPECT_EQ(s.min_price, 50.0);
  EXPECT_EQ(s.max_price, 120.0);
  EXPECT_EQ(s.median_price, 90.0) << "mean of the two middle prices";
  EXPECT_EQ(s.average_price, 87.5);
  EXPECT_EQ(s.in_stock_items, 1);
  EXPECT_EQ(s.distinct_merchants, 4) << "Acme counted once";
  EXPECT_EQ(s.official_brand_items, 1);
  EXPECT_EQ(s.reseller_items, 1);
  EXPECT_EQ(s.high_relevance_items, 5) << "a, b, c exact; d high; the label set on f is kept";
  EXPECT_EQ(s.best_price_url, "https://shop.example/e");
  ASSERT_TRUE(s.best_offer);
  EXPECT_EQ(s.best_offer->title, "c") << "the article is no offer and b is out of stock";
  EXPECT_EQ(s.best_offer->relevance, Relevance::EXACT);
  EXPECT_EQ(s.best_offer->price.amount(), 100.0);
}

TEST(RecomputeMarketSummary, EdgeCases) {
  const double huge = 1.7e308;
  struct Case {
    const char* label;
    std::vector<ItemSpec> items;
    std::optional<double> median, average;
    const char* best_offer;  // nullptr: none
  };
  const Case cases[] = {
      {"no items", {}, std::nullopt, std::nullopt, nullptr},
      {"only other currencies", {{.price = 5, .currency = "EUR"}}, std::nullopt, std::nullopt, nullptr},
      {"mean rounded to cents", {{.price = 10}, {.price = 20}, {.price = 20.01}}, 20.0, 16.67, "Item"},
      {"odd count takes the middle", {{.price = 3}, {.price = 1}, {.price = 2}}, 2.0, 2.0, "Item"},
      {"huge amounts stay finite", {{.title = "x", .price = huge}, {.title = "y", .price = huge}}, huge, huge, "x"},
      {"low relevance is no offer", {{.price = 5, .relevance = Relevance::LOW}}, 5.0, 5.0, nullptr},
      {"equal price: more relevant wins",
       {{.title = "high", .price = 5}, {.title = "exact", .price = 5, .category = OFFICIAL}}, 5.0, 5.0, "exact"},
      {"equal price and label: in stock wins",
       {{.title = "unknown", .price = 5}, {.title = "in", .price = 5, .stock = IN}}, 5.0, 5.0, "in"},
      {"all equal: the first wins", {{.title = "first", .price = 5}, {.title = "second", .price = 5}}, 5.0, 5.0,
       "first"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<EnrichedCommerceMatch> items;
    for (const auto& spec : c.items) items.push_back(make_item(spec));
    const CommerceSummary s = recompute_market_summary(items, CommerceSummary{.total_matches = 1});
    EXPECT_EQ(s.median_price, c.median);
    EXPECT_EQ(s.average_price, c.average);
    EXPECT_EQ(s.best_offer ? s.best_offer->title : "(none)", c.best_offer ? c.best_offer : "(none)");
  }
}

TEST(SortCommerceItems, PublishingOrder) {
  struct Case {
    const char* label;
    std::vector<ItemSpec> items;
    std::vector<std::string> order;  // titles
  };
  const Case cases[] = {
      {"relevance first, graded on the spot when unlabelled",
       {{.title = "low", .relevance = Relevance::LOW},
        {.title = "exact", .price = 9, .category = OFFICIAL},
        {.title = "medium", .score = 50}},
       {"exact", "medium", "low"}},
      {"stock within a label",
       {{.title = "out", .stock = OUT, .relevance = Relevance::HIGH},
        {.title = "unknown", .relevance = Relevance::HIGH},
        {.title = "preorder", .stock = StockStatus::PREORDER, .relevance = Relevance::HIGH},
        {.title = "in", .stock = IN, .relevance = Relevance::HIGH}},
       {"in", "preorder", "unknown", "out"}},
      {"lower price, then unpriced, then higher score",
       {{.title = "none-50", .score = 50, .relevance = Relevance::HIGH},
        {.title = "none-90", .score = 90, .relevance = Relevance::HIGH},
        {.title = "20", .price = 20, .relevance = Relevance::HIGH},
        {.title = "10", .score = 1, .price = 10, .relevance = Relevance::HIGH}},
       {"10", "20", "none-90", "none-50"}},
      {"amounts in other currencies are not compared with the main one",
       {{.title = "jpy-100", .price = 100, .currency = "JPY", .relevance = Relevance::HIGH},
        {.title = "usd-50", .price = 50, .relevance = Relevance::HIGH},
        {.title = "eur-1", .price = 1, .currency = "EUR", .relevance = Relevance::HIGH},
        {.title = "usd-60", .price = 60, .relevance = Relevance::HIGH}},
       {"usd-50", "usd-60", "eur-1", "jpy-100"}},
      {"stable for equal keys",
       {{.title = "b", .relevance = Relevance::HIGH}, {.title = "a", .relevance = Relevance::HIGH}},
       {"b", "a"}},
      {"empty list", {}, {}},
  };
  for (const Case& c : cases) {
    std::vector<EnrichedCommerceMatch> items;
    for (const auto& spec : c.items) items.push_back(make_item(spec));
    std::vector<std::string> titles;
    for (const auto& item : sort_commerce_items(items)) titles.push_back(item.title);
    EXPECT_EQ(titles, c.order) << c.label;
  }
}

}  // namespace
