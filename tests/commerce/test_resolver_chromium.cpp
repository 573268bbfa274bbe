// One resolution run on real Chromium over store search pages served over
// HTTPS on loopback, hostile ones among them: each bad page ends its own crawl, the run goes on, and the
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
  tarvik::test::HttpServer server;
};

TEST_F(ResolverOnChromium, HostileStorePagesEndOnlyTheirOwnCrawl) {
  struct Row {
    const char* label;
    std::string host, path;
    tarvik::test::Reply reply;
    std::string resolved;  // "" when the item keeps its URL
  };
  using tarvik::test::html;
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "<a href=\"/item/" + std::to_string(i) + "\">Garden hose</a>";
  tarvik::test::Reply not_found = html(page("<a href='/p/vintage-leather-tote-bag'>x</a>"));
  not_found.status = 404;
  tarvik::test::Reply never;
  never.hang = true;
  const Row rows[] = {
      {"links that resolve", "www.ebay.com", "/sch/i.html?_nkw=tote",
       html(page("<a href='/itm/77?hash=x'>Vintage Leather Tote Bag</a>")), "https://www.ebay.com/itm/77"},
      {"links added after load", "www.lyst.com", "/search?q=tote",
       html(page("<script>setTimeout(() => document.body.innerHTML = "
                 "'<a href=\"/shop/leather-tote-35\">Vintage tote</a>', 50)</script>")),
       "https://www.lyst.com/shop/leather-tote-35"},
      {"protocol-relative link", "shop.test", "/search?q=tote",
       html(page("<a href='//cdn.test/p/vintage-leather-tote-bag'>x</a>")), "https://cdn.test/p/vintage-leather-tote-bag"},
      {"404", "gone.test", "/search?q=tote", not_found, ""},
      {"100,000 links", "many.test", "/search?q=tote", html(page(many)), ""},
      {"megabyte-long link text", "long.test", "/search?q=tote",
       html(page("<a href='/p/1'>" + std::string(1 << 20, 'x') + " leather</a>")), ""},
      {"selector matching nothing", "none.test", "/search?q=tote", html(page("<a href='/about'>Tote</a>")), ""},
      {"never finishes loading", "hang.test", "/search?q=tote", html(page("<script src='/never.js'></script>")), ""},
      {"opens pop-ups", "pop.test", "/search?q=tote",
       html(page("<script>for (let i = 0; i < 5; i++) window.open('/p/' + i)</script>")), ""},
      {"navigates itself away", "away.test", "/search?q=tote",
       html(page("<script>location.replace('http://elsewhere.test/')</script>")), ""},
  };
  std::vector<EnrichedCommerceMatch> items;
  for (const auto& r : rows) {
    server.route(r.host, r.path.substr(0, r.path.find('?')), r.reply);
    EnrichedCommerceMatch m;
    m.title = "Vintage Leather Tote Bag 35";
    m.direct_url = "https://" + r.host + r.path;
    items.push_back(m);
  }
  server.route("hang.test", "/never.js", never);

  tarvik::commerce::PipelineOptions options;
  options.fetch.connect_to = {server.mapping(), server.tls_mapping()};
  options.fetch.insecure = true;  // the loopback server's certificate is made on the spot
  std::vector<std::string> progress;
  const auto start = std::chrono::steady_clock::now();
  DirectStoreResolver::resolve(items, 4, 6, [&](const std::string& m) { progress.push_back(m); }, options);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 45s);

  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].label);
    const std::string unchanged = "https://" + rows[i].host + rows[i].path;
    EXPECT_EQ(items[i].direct_url, rows[i].resolved.empty() ? unchanged : rows[i].resolved);
  }
  EXPECT_EQ(progress.size(), std::size(rows) + 2);
  EXPECT_EQ(progress.back(), "✓ Resolved 3/10 direct product links.");
  EXPECT_NE(log.str().find("Failed crawling store URL 'https://hang.test/search?q=tote': "), std::string::npos)
      << log.str();
  EXPECT_EQ(server.count("elsewhere.test", "/favicon.ico"), 0u);
}

}  // namespace
