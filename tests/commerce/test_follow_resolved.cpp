// Following resolved links: the product pages that store resolution finds are
// fetched from the loopback server and read, with the scripted browser
// standing in for the stores' search pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "commerce/test_resolver_fake.hpp"
#include "support/http_server.hpp"
#include "tarvik/commerce/enricher.hpp"

namespace {

using tarvik::commerce::CommerceEnricher;
using tarvik::models::PageType;
using tarvik::models::StockStatus;
using tarvik::models::VisualMatch;

std::string product_page(std::string_view offer) {
  return "<html><head><script type=\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@type\":"
         "\"Product\",\"name\":\"Trail Runner 2\",\"sku\":\"TR-2-BL\",\"brand\":{\"@type\":\"Brand\",\"name\":"
         "\"Stride\"},\"offers\":" +
         std::string(offer) + "}</script></head><body></body></html>";
}

VisualMatch match(std::string link, std::string title, std::string source) {
  VisualMatch m;
  m.link = std::move(link);
  m.title = std::move(title);
  m.source = std::move(source);
  return m;
}

struct Filled {
  PageType page_type;
  double amount;
  StockStatus stock;
};

// The search page of the fake store (a marketplace) links to "/itm/NAME", which the loopback
// server answers with `reply`; `filled` none: the item keeps the facts it had
// before following.
struct Row {
  const char* name;
  tarvik::test::Reply reply;
  bool follow;
  std::optional<Filled> filled;
};

struct Outcome {
  tarvik::models::EnrichedCommerceMatch item;
  std::vector<std::string> messages;
};

Outcome run(const std::string& name, const tarvik::test::Reply& reply, bool follow) {
  using tarvik::test::html;
  tarvik::test::HttpServer server;
  server.route("www.ebay.com", "/itm/" + name, reply);
  server.route("www.ebay.com", "/sch/i.html", html("<html><body>results</body></html>"));
  tarvik::testing::FakeBrowser browser;
  const std::string search = "http://www.ebay.com/sch/i.html?_nkw=" + name;
  browser.pages[search] = {.links = {{.href = "/itm/" + name, .all_text = "Trail Runner 2 Blue"}}};
  auto options = browser.options();
  options.fetch.connect_to = {server.mapping()};
  options.fetch_timeout_seconds = 20;
  options.follow_resolved = follow;
  const std::vector<VisualMatch> matches = {
      match("http://shop.test/p/1", "Trail Runner 2", "Shop"),
      match(search, "Trail Runner 2 Blue", "eBay"),
  };
  Outcome out;
  const auto result =
      CommerceEnricher::process(matches, [&](const std::string& m) { out.messages.push_back(m); }, options);
  EXPECT_EQ(result.items.size(), 2U);
  if (result.items.size() == 2) out.item = result.items[1];
  return out;
}

TEST(FollowResolved, ResolvedProductPagesFillTheItemsFacts) {
  using tarvik::test::html;
  tarvik::test::Reply gone = html("<html><body>Not found</body></html>");
  gone.status = 404;
  const std::string in_stock =
      R"({"@type":"Offer","price":"89.50","priceCurrency":"USD","availability":"https://schema.org/InStock"})";
  const std::string sold_out =
      R"({"@type":"Offer","price":"120","priceCurrency":"USD","availability":"https://schema.org/OutOfStock"})";
  const Row rows[] = {
      {"page with price and stock", html(product_page(in_stock)), true,
       Filled{PageType::MARKETPLACE, 89.5, StockStatus::IN_STOCK}},
      {"sold-out page", html(product_page(sold_out)), true, Filled{PageType::MARKETPLACE, 120.0, StockStatus::OUT_OF_STOCK}},
      {"page that is gone", gone, true, std::nullopt},
      {"not asked to follow (the default)", html(product_page(in_stock)), false, std::nullopt},
  };
  int n = 0;
  for (const Row& row : rows) {
    const std::string name = "p" + std::to_string(n++);
    const Outcome before = run(name, row.reply, false);
    const Outcome after = run(name, row.reply, row.follow);
    const auto& item = after.item;
    EXPECT_EQ(item.direct_url, "http://www.ebay.com/itm/" + name) << row.name;
    EXPECT_EQ(item.original_url, before.item.original_url) << row.name << ": the item keeps its place";
    EXPECT_EQ(item.match_score, before.item.match_score) << row.name << ": and its match score";
    EXPECT_EQ(item.title, before.item.title) << row.name;
    if (row.filled) {
      EXPECT_EQ(item.page_type, row.filled->page_type) << row.name;
      ASSERT_TRUE(item.price.has_value()) << row.name;
      EXPECT_EQ(item.price->amount(), row.filled->amount) << row.name;
      EXPECT_EQ(item.stock_status, row.filled->stock) << row.name;
      EXPECT_EQ(item.sku, "TR-2-BL") << row.name;
      EXPECT_EQ(item.brand, "Stride") << row.name;
    } else {
      EXPECT_EQ(item, before.item) << row.name;
    }
    const bool announced = std::find(after.messages.begin(), after.messages.end(),
                                     "Following 1 resolved product links...") != after.messages.end();
    EXPECT_EQ(announced, row.follow) << row.name;
  }
}

}  // namespace
