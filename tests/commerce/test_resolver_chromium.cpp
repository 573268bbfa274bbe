// One resolution run on real Chromium over store search pages, hostile ones
// among them: each bad page ends its own crawl, the run goes on, and the
// browser is gone when the run returns.
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include <sstream>

#include "browser/test_browser_support.hpp"
#include "tarvik/commerce/resolver.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::commerce::DirectStoreResolver;
using tarvik::models::EnrichedCommerceMatch;

std::string page(const std::string& body) { return "<!doctype html><html><body>" + body + "</body></html>"; }

class ResolverOnChromium : public BrowserProcessCheck {
 protected:
  void SetUp() override {
    TARVIK_REQUIRE_BROWSER();
    spdlog::drop("tarvik.commerce.resolver");
    auto logger = std::make_shared<spdlog::logger>("tarvik.commerce.resolver",
                                                   std::make_shared<spdlog::sinks::ostream_sink_st>(log));
    logger->set_level(spdlog::level::debug);
    logger->set_pattern("%v");
    spdlog::register_logger(logger);
  }
  void TearDown() override {
    spdlog::drop("tarvik.commerce.resolver");
    BrowserProcessCheck::TearDown();
  }
  std::ostringstream log;
  Web web;
};

TEST_F(ResolverOnChromium, HostileStorePagesEndOnlyTheirOwnCrawl) {
  struct Row {
    const char* label;
    std::string url;
    Route route;
    std::string resolved;  // "" when the item keeps its URL
  };
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "<a href=\"/item/" + std::to_string(i) + "\">Garden hose</a>";
  const Row rows[] = {
      {"links that resolve", "http://www.ebay.com/sch/i.html?_nkw=tote",
       {200, page("<a href='/itm/77?hash=x'>Vintage Leather Tote Bag</a>")}, "http://www.ebay.com/itm/77"},
      {"links added after load", "http://www.lyst.com/search?q=tote",
       {200, page("<script>setTimeout(() => document.body.innerHTML = "
                  "'<a href=\"/shop/leather-tote-35\">Vintage tote</a>', 50)</script>")},
       "http://www.lyst.com/shop/leather-tote-35"},
      {"protocol-relative link", "http://shop.test/search?q=tote",
       {200, page("<a href='//cdn.test/p/vintage-leather-tote-bag'>x</a>")}, "http://cdn.test/p/vintage-leather-tote-bag"},
      {"404", "http://gone.test/search?q=tote", {404, page("<a href='/p/vintage-leather-tote-bag'>x</a>")}, ""},
      {"100,000 links", "http://many.test/search?q=tote", {200, page(many)}, ""},
      {"megabyte-long link text", "http://long.test/search?q=tote",
       {200, page("<a href='/p/1'>" + std::string(1 << 20, 'x') + " leather</a>")}, ""},
      {"selector matching nothing", "http://none.test/search?q=tote", {200, page("<a href='/about'>Tote</a>")}, ""},
      {"never finishes loading", "http://hang.test/search?q=tote",
       {200, page("<script src='/never.js'></script>")}, ""},
      {"opens pop-ups", "http://pop.test/search?q=tote",
       {200, page("<script>for (let i = 0; i < 5; i++) window.open('/p/' + i)</script>")}, ""},
      {"navigates itself away", "http://away.test/search?q=tote",
       {200, page("<script>location.replace('http://elsewhere.test/')</script>")}, ""},
  };
  std::vector<EnrichedCommerceMatch> items;
  for (const auto& r : rows) {
    web.routes[r.url] = r.route;
    EnrichedCommerceMatch m;
    m.title = "Vintage Leather Tote Bag 35";
    m.direct_url = r.url;
    items.push_back(m);
  }
  web.routes["http://hang.test/never.js"] = {200, "", "text/javascript", 30s};

  tarvik::commerce::PipelineOptions options;
  options.make_session = [this](const tarvik::browser::SessionOptions& s) {
    auto o = chromium_options(web, s.max_pages, s.timeout_ms);
    return std::make_unique<tarvik::browser::ChromiumSession>(o);
  };
  std::vector<std::string> progress;
  const auto start = std::chrono::steady_clock::now();
  DirectStoreResolver::resolve(items, 4, 6, [&](const std::string& m) { progress.push_back(m); }, options);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 45s);

  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].label);
    EXPECT_EQ(items[i].direct_url, rows[i].resolved.empty() ? rows[i].url : rows[i].resolved);
  }
  EXPECT_EQ(progress.size(), std::size(rows) + 2);
  EXPECT_EQ(progress.back(), "✓ Resolved 3/10 direct product links.");
  EXPECT_NE(log.str().find("Failed crawling store URL 'http://hang.test/search?q=tote': "), std::string::npos)
      << log.str();
  EXPECT_FALSE(web.was_requested("http://elsewhere.test/favicon.ico"));
}

}  // namespace
