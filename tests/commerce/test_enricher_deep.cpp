// Deep enrichment over a fake fetcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "facts/test_metadata_parse.hpp"
#include "tarvik/commerce/enricher.hpp"

namespace {

namespace asio = boost::asio;
using namespace tarvik::models;
using tarvik::commerce::_run_coroutine;
using tarvik::commerce::CommerceEnricher;
using tarvik::commerce::PipelineOptions;
using tarvik::commerce::testing::ld;
using tarvik::commerce::testing::page;
using tarvik::core::PageMap;

const std::string PRODUCT_PAGE = page(ld(R"({"@type":"Product","name":"Acme Trail Runner","brand":"Acme",)"
                                         R"("sku":"AR-1","image":"https://cdn.example/ar.jpg","offers":)"
                                         R"({"price":"129.99","priceCurrency":"USD",)"
                                         R"("availability":"https://schema.org/InStock"}})"));

VisualMatch match(std::string link, std::string title = "Trail Runner") {
  VisualMatch m;
  m.link = std::move(link);
  m.title = std::move(title);
  return m;
}

// Runs deep enrichment with a fake fetcher serving `pages`; `log` gets every
// progress message and, as "fetch: URL URL ...", every fetch call.
std::vector<EnrichedCommerceMatch> enrich(std::vector<VisualMatch> matches, std::optional<std::size_t> max_items,
                                          PageMap pages, std::vector<std::string>& log) {
  PipelineOptions options;
  options.fetch_pages = [&log, pages](std::vector<std::string> urls, double timeout) -> asio::awaitable<PageMap> {
    std::string line = "fetch:";
    for (const auto& u : urls) line += " " + u;
    if (timeout != 5) line += " (timeout " + std::to_string(timeout) + ")";
    log.push_back(line);
    co_return pages;
  };
  auto on_progress = [&log](const std::string& msg) { log.push_back(msg); };
  return _run_coroutine(CommerceEnricher::enrich_matches_deep_async(std::move(matches), max_items, on_progress,
                                                                    std::move(options)));
}

std::string fetching(int n) { return "Fetching metadata from " + std::to_string(n) + " merchant destinations..."; }
std::string extracting(int n) {
  return "Extracting structured product metadata & price intelligence (" + std::to_string(n) + " items)...";
}

TEST(DeepEnrichment, MessagesAndTheOneBatchFetch) {
  std::vector<VisualMatch> twelve;
  for (int i = 1; i <= 12; ++i) twelve.push_back(match("https://s" + std::to_string(i) + ".example/p"));
  struct Case {
    const char* label;
    std::vector<VisualMatch> matches;
    std::optional<std::size_t> max_items;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"empty input: nothing at all", {}, std::nullopt, {}},
      {"max_items 0: both messages, empty fetch", {match("https://a.example/")}, 0,
       {fetching(0), "fetch:", extracting(0)}},
      {"leading matches only", twelve, 2,
       {fetching(2), "fetch: https://s1.example/p https://s2.example/p", extracting(2)}},
      {"links unwrapped, repeats kept",
       {match("https://www.google.com/url?q=https://a.example/p%3Futm_source%3Dx&sa=U"), match("https://a.example/p")},
       std::nullopt,
       {fetching(2), "fetch: https://a.example/p https://a.example/p", extracting(2)}},
      {"unsplittable, empty and non-web links are not fetched",
       {match("https://[oops/p"), match(""), match("javascript:alert(1)"), match("file:///etc/passwd"),
        match("http:///no-host"), match("http://ok.example/")},
       std::nullopt,
       {fetching(6), "fetch: http://ok.example/", extracting(6)}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> log;
    const auto items = enrich(c.matches, c.max_items, {}, log);
    EXPECT_EQ(log, c.log) << c.label;
    EXPECT_EQ(items.size(), c.log.empty() ? 0 : std::min(c.matches.size(), c.max_items.value_or(99))) << c.label;
  }
}

TEST(DeepEnrichment, ItemFields) {
  VisualMatch fetched = match("https://acme.example/p/runner?utm_source=img");
  fetched.source = "Acme";
  fetched.thumbnail = "https://thumbs.example/1.jpg";
  VisualMatch unfetched = match("https://[shop.example/p", "Trail Runner Blue");
  unfetched.source = "Shop";
  unfetched.price = "$20";
  unfetched.in_stock = false;
  VisualMatch article = match("https://news.example/blog/2024/best-runners", "Best runners");
  article.source = "News";
  VisualMatch bare = match("https://plain.example/x", "Plain");
  const PageMap pages = {{"https://acme.example/p/runner", PRODUCT_PAGE},
                         {"https://plain.example/x", std::nullopt}};
  std::vector<std::string> log;
  const auto items = enrich({fetched, unfetched, article, bare, fetched}, std::nullopt, pages, log);
  ASSERT_EQ(items.size(), 5u);

  EnrichedCommerceMatch want;  // every field, by name
  want.title = "Acme Trail Runner";
  want.direct_url = "https://acme.example/p/runner";
  want.original_url = fetched.link;
  want.price = NormalizedPrice("129.99 USD", 129.99, "USD");
  want.merchant_name = "Acme";
  want.merchant_category = MerchantCategory::OFFICIAL_BRAND;
  want.thumbnail = fetched.thumbnail;
  want.match_score = 99;  // rank 1, brand in the title
  want.page_type = PageType::PRODUCT;
  want.brand = "Acme";
  want.sku = "AR-1";
  want.stock_status = StockStatus::IN_STOCK;
  want.primary_image_url = "https://cdn.example/ar.jpg";
  want.source_engine = "vizor";
  EXPECT_EQ(items[0], want);
  want.match_score = 88;  // rank 5
  EXPECT_EQ(items[4], want) << "a repeated URL gets the same page";

  const auto& u = items[1];
  EXPECT_EQ(u.direct_url, unfetched.link) << "the rejected link is kept as given";
  EXPECT_EQ(u.title, "Trail Runner Blue");
  EXPECT_EQ(u.merchant_name, "Shop");
  EXPECT_EQ(u.price ? u.price->amount() : -1, 20.0) << "the search's own price";
  EXPECT_EQ(u.match_score, 95);

  EXPECT_EQ(items[2].page_type, PageType::ARTICLE);
  EXPECT_FALSE(items[2].merchant_category) << "articles get no merchant category";
  EXPECT_EQ(items[3].title, "Plain") << "a page mapped to none";
  EXPECT_FALSE(items[3].primary_image_url) << "neither page image nor thumbnail";
}

}  // namespace
