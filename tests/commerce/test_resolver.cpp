// Direct store resolution against a scripted browser session: scoring, the
// crawl of one page, and the run that plans crawls and writes back.
#include <gtest/gtest.h>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include <climits>
#include <sstream>
#include <stdexcept>

#include "commerce/test_resolver_fake.hpp"
#include "tarvik/commerce/resolver.hpp"

namespace {

using namespace std::chrono_literals;
using tarvik::commerce::_title_similarity;
using tarvik::commerce::_tokenize;
using tarvik::commerce::DirectStoreResolver;
using tarvik::models::EnrichedCommerceMatch;
using tarvik::testing::FakeBrowser;
using tarvik::testing::FakeLink;
using tarvik::testing::FakePage;
using Items = std::vector<EnrichedCommerceMatch>;

EnrichedCommerceMatch item(std::string url, std::string title = "Vintage Leather Tote Bag 35",
                           std::optional<std::string> merchant = "Shop") {
  EnrichedCommerceMatch m;
  m.title = std::move(title);
  m.direct_url = m.original_url = std::move(url);
  m.merchant_name = std::move(merchant);
  return m;
}

// Captures the resolver's log lines ("level message") and its progress.
class Resolver : public ::testing::Test {
 protected:
  void SetUp() override {
    spdlog::drop("tarvik.commerce.resolver");
    auto logger = std::make_shared<spdlog::logger>("tarvik.commerce.resolver",
                                                   std::make_shared<spdlog::sinks::ostream_sink_st>(log_));
    logger->set_level(spdlog::level::debug);
    logger->set_pattern("%l %v");
    spdlog::register_logger(logger);
  }
  void TearDown() override { spdlog::drop("tarvik.commerce.resolver"); }

  void run(Items& items, int concurrency = 4, int timeout = 15) {
    DirectStoreResolver::resolve(
        items, concurrency, timeout, [this](const std::string& m) { progress.push_back(m); }, fake.options());
  }
  std::vector<std::string> log_lines() const {
    std::vector<std::string> lines;
    std::istringstream in(log_.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  FakeBrowser fake;
  std::vector<std::string> progress;
  std::ostringstream log_;
};

TEST(TitleSimilarity, Scores) {
  struct Row {
    const char* label;
    const char* title;
    const char* text;
    const char* href;
    double score;
  };
  const Row rows[] = {
      {"three of five title words", "Vintage Leather Tote Bag 35", "Leather Tote", "/p/vintage-leather-tote-black", 0.6},
      {"only the path counts of an address",
       "leather tote", "", "https://leather.tote.example/x?leather=tote#tote", 0.0},
      {"path words count, parameters do not", "leather tote bag black", "", "https://shop.example/leather_tote;bag",
       0.5},
      {"title of single letters and accents", "a b é ü", "a b", "/a/b", 0.0},
      {"empty link", "leather tote", "", "/", 0.0},
      {"case and repetition", "AIR air Air", "air max", "", 1.0},
      {"link words beyond the title cost nothing", "tote", "tote bag black leather", "/p/1", 1.0},
      {"accent splits the word", "Café Noir", "caf", "", 0.5},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    EXPECT_DOUBLE_EQ(_title_similarity(r.title, r.text, r.href), r.score);
  }
  EXPECT_EQ(_tokenize("Café Noir x-ray AIR air"), (std::set<std::string>{"air", "caf", "noir", "ray"}));
}

TEST_F(Resolver, CrawlOfOnePage) {
  struct Row {
    const char* label;
    std::string url;
    FakePage page;
    std::string title;
    std::string want;  // direct URL afterwards
    std::string log;   // the one log line, "" for none
  };
  const std::string shop = "https://www.shop.example/search?q=tote";
  const auto links = [](std::vector<FakeLink> l) { return FakePage{200, std::move(l)}; };
  const Row rows[] = {
      {"best link made absolute", shop, links({{"/p/1", "Leather Tote"}}), "Leather Tote Bag 35",
       "https://www.shop.example/p/1", "debug Resolved " + shop + " → https://www.shop.example/p/1 (score=0.50)"},
      {"protocol-relative link keeps its own host", shop, links({{"//cdn.example/p/leather-tote", ""}}),
       "Leather Tote", "https://cdn.example/p/leather-tote",
       "debug Resolved " + shop + " → https://cdn.example/p/leather-tote (score=1.00)"},
      {"404 page: no log line", shop, FakePage{404, {{"/p/1", "Leather Tote"}}}, "Leather Tote", shop, ""},
      {"403 page", shop, FakePage{403, {{"/p/1", "Leather Tote"}}}, "Leather Tote", shop, ""},
      {"no status counts as 200", shop, FakePage{std::nullopt, {{"/p/1", "Leather Tote"}}}, "Leather Tote",
       "https://www.shop.example/p/1", "debug Resolved " + shop + " → https://www.shop.example/p/1 (score=1.00)"},
      {"redirect status 301 is read", shop, FakePage{301, {{"/p/1", "Leather Tote"}}}, "Leather Tote",
       "https://www.shop.example/p/1", "debug Resolved " + shop + " → https://www.shop.example/p/1 (score=1.00)"},
      {"no page", shop, FakePage{200, {}, true}, "Leather Tote", shop, ""},
      {"store row without its links falls back to the generic selector", "https://www.walmart.com/search?q=tote",
       links({{"/product/7", "Leather Tote"}}), "Leather Tote",
       "https://www.walmart.com/product/7",
       "debug Resolved https://www.walmart.com/search?q=tote → https://www.walmart.com/product/7 (score=1.00)"},
      {"store row wins over generic links", "https://www.walmart.com/search?q=tote",
       links({{"/product/7", "Leather Tote"}, {"/ip/9", "Leather Tote"}}), "Leather Tote",
       "https://www.walmart.com/ip/9",
       "debug Resolved https://www.walmart.com/search?q=tote → https://www.walmart.com/ip/9 (score=1.00)"},
      {"country domain uses the generic selector", "https://www.ebay.co.uk/sch/i.html?_nkw=tote",
       links({{"/itm/1", "Leather Tote"}, {"/p/2", "Leather Tote"}}), "Leather Tote", "https://www.ebay.co.uk/p/2",
       "debug Resolved https://www.ebay.co.uk/sch/i.html?_nkw=tote → https://www.ebay.co.uk/p/2 (score=1.00)"},
      {"subdomain uses its store's row; query cut on eBay", "https://m.ebay.com/sch/i.html?_nkw=tote",
       links({{"/p/2", "Leather Tote"}, {"/itm/123?hash=x", "Leather Tote"}}), "Leather Tote",
       "https://m.ebay.com/itm/123",
       "debug Resolved https://m.ebay.com/sch/i.html?_nkw=tote → https://m.ebay.com/itm/123 (score=1.00)"},
      {"query kept on other stores, tracking removed", shop,
       links({{"/p/1?color=red&utm_source=x", "Leather Tote"}}), "Leather Tote",
       "https://www.shop.example/p/1?color=red",
       "debug Resolved " + shop + " → https://www.shop.example/p/1?color=red (score=1.00)"},
      {"an eleventh perfect link is ignored", shop,
       links({{"/p/1", "x"}, {"/p/2", "x"}, {"/p/3", "x"}, {"/p/4", "x"}, {"/p/5", "x"}, {"/p/6", "x"},
              {"/p/7", "x"}, {"/p/8", "x"}, {"/p/9", "x"}, {"/p/10", "x"}, {"/p/11", "Leather Tote"}}),
       "Leather Tote", shop, ""},
      {"tie: the earlier link wins", shop, links({{"/p/a", "Leather"}, {"/p/b", "Leather"}}), "Leather Tote",
       "https://www.shop.example/p/a", "debug Resolved " + shop + " → https://www.shop.example/p/a (score=0.50)"},
      {"exactly the threshold is accepted", shop, links({{"/p/1", "w1 w2 w3"}}), "w1 w2 w3 w4 w5 w6 w7 w8 w9 w10",
       "https://www.shop.example/p/1", "debug Resolved " + shop + " → https://www.shop.example/p/1 (score=0.30)"},
      {"below the threshold is rejected", shop, links({{"/p/1", "w1"}}), "w1 w2 w3 w4", shop,
       "debug Rejected " + shop + " → https://www.shop.example/p/1 (score=0.25 < 0.30 threshold)"},
      {"unreadable text falls back to the own text", shop,
       links({{"/p/1", std::nullopt, "Leather Tote"}}), "Leather Tote", "https://www.shop.example/p/1",
       "debug Resolved " + shop + " → https://www.shop.example/p/1 (score=1.00)"},
      {"blank and unsplittable addresses are skipped", shop,
       links({{"  ", "Leather Tote"}, {"http://[oops/p/1", "Leather Tote"}, {" /p/2 ", "Leather"}}),
       "Leather Tote", "https://www.shop.example/p/2",
       "debug Resolved " + shop + " → https://www.shop.example/p/2 (score=0.50)"},
      {"empty title never resolves", shop, links({{"/p/1", "Leather Tote"}}), "", shop, ""},
      {"fetch failure is logged", shop, FakePage{200, {}, false, "Timeout 15000ms exceeded"}, "Leather Tote", shop,
       "debug Failed crawling store URL '" + shop + "': Timeout 15000ms exceeded"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    fake = FakeBrowser{};
    fake.pages[r.url] = r.page;
    progress.clear();
    log_.str("");
    Items items{item(r.url, r.title, "Tote Shop")};
    run(items);
    EXPECT_EQ(items[0].direct_url, r.want);
    EXPECT_EQ(log_lines(), r.log.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.log});
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[1], "Resolving direct product links (1/1)... Tote Shop");
    EXPECT_EQ(fake.open_pages, 0);
  }
}

TEST_F(Resolver, Candidates) {
  struct Row {
    const char* url;
    bool crawled;
  };
  const Row rows[] = {
      {"https://shop.example/search?q=x", true},
      {"https://shop.example/SEARCH/tote", true},
      {"https://www.ebay.com/sch/i.html?_nkw=x", true},
      {"https://shop.example/catalogsearch/result", true},
      {"https://shop.example/list?Query=tote", true},
      {"https://search.shop.example/p/1", false},           // the host is not examined
      {"https://www.google.com/search?q=tote", false},      // the search engine itself
      {"https://shop.example/p/1#search", false},
      {"", false},
      {"http://[::1/search", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.url);
    fake = FakeBrowser{};
    progress.clear();
    Items items{item(r.url)};
    run(items);
    EXPECT_EQ(fake.fetched.size(), r.crawled ? 1u : 0u);
    EXPECT_EQ(progress.size(), r.crawled ? 3u : 0u);
  }
}

TEST_F(Resolver, RunReportsAndWritesBack) {
  const std::string a = "https://a.example/search?q=1", b = "https://b.example/search?q=2";
  fake.pages[a] = FakePage{200, {{"/p/tote", "Leather Tote"}}};
  Items items{item("https://x.example/p/9"), item(a, "", std::nullopt), item(a, "Leather Tote", "Second"),
              item(b, "Leather Tote", ""), item(a, "Other Title", "Third")};
  run(items);
  EXPECT_EQ(items[0].direct_url, "https://x.example/p/9");
  for (int i : {1, 2, 4}) EXPECT_EQ(items[static_cast<std::size_t>(i)].direct_url, "https://a.example/p/tote");
  EXPECT_EQ(items[3].direct_url, b);
  EXPECT_EQ(fake.fetched, (std::vector<std::string>{a, b}));
  ASSERT_EQ(progress.size(), 4u);
  EXPECT_EQ(progress[0], "Resolving direct product links across 4 store destinations...");
  // Finishing order: both crawls report, one names its merchant's fallback.
  EXPECT_EQ(std::set<std::string>(progress.begin() + 1, progress.begin() + 3),
            (std::set<std::string>{"Resolving direct product links (1/2)... Store",
                                   "Resolving direct product links (2/2)... Store"}));
  EXPECT_EQ(progress[3], "✓ Resolved 3/4 direct product links.");
  ASSERT_EQ(fake.made.size(), 1u);
  EXPECT_EQ(fake.made[0].max_pages, 4);
  EXPECT_EQ(fake.made[0].timeout_ms, 15000);
  EXPECT_TRUE(fake.made[0].headless && fake.made[0].disable_resources);
  EXPECT_EQ(fake.exited, 1);
  EXPECT_FALSE(fake.fetch_after_exit);
}

TEST_F(Resolver, NothingResolvedAndCrawlCap) {
  Items items;
  for (int i = 0; i < 25; ++i) items.push_back(item("https://s" + std::to_string(i) + ".example/search"));
  items.push_back(item("https://s0.example/search"));
  run(items, 3, 2);
  ASSERT_EQ(fake.fetched.size(), 20u);
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(fake.fetched[i], "https://s" + std::to_string(i) + ".example/search");
  EXPECT_EQ(progress.back(),
            "Store crawling complete (26 attempted, 0 resolved — stores may be blocking automated access).");
  EXPECT_EQ(progress[1], "Resolving direct product links (1/20)... Shop");
  EXPECT_EQ(fake.made[0].max_pages, 3);
  EXPECT_EQ(fake.made[0].timeout_ms, 2000);
}

TEST_F(Resolver, LimitsConcurrentCrawls) {
  Items items;
  for (int i = 0; i < 9; ++i) {
    const std::string url = "https://s" + std::to_string(i) + ".example/search";
    fake.pages[url] = FakePage{200, {{"/p/1", "Leather Tote"}}, false, "", 5ms};
    items.push_back(item(url, "Leather Tote"));
  }
  run(items, 2);
  EXPECT_EQ(fake.most_open, 2);
  EXPECT_EQ(fake.closed_pages, 9);
  EXPECT_EQ(progress.back(), "✓ Resolved 9/9 direct product links.");
}

TEST_F(Resolver, BrowserUnavailable) {
  fake.enter_error = "no browser found";
  Items items{item("https://a.example/search"), item("https://b.example/search"), item("https://a.example/search")};
  const Items before = items;
  run(items);
  EXPECT_EQ(items, before);
  EXPECT_EQ(progress, (std::vector<std::string>{"Resolving direct product links across 3 store destinations..."}));
  EXPECT_EQ(log_lines(), (std::vector<std::string>{
                             "warning Stealth browser unavailable; leaving 2 store search URLs unresolved: no browser "
                             "found"}));
  EXPECT_TRUE(fake.fetched.empty());
}

TEST_F(Resolver, ArgumentsAndCallbackErrors) {
  const std::string url = "https://a.example/search";
  fake.pages[url] = FakePage{200, {{"/p/tote", "Leather Tote"}}};
  for (int concurrency : {0, -1}) {
    Items items{item(url)};
    EXPECT_THROW(run(items, concurrency), std::invalid_argument);
  }
  EXPECT_TRUE(fake.made.empty());

  // A callback failing in a crawl's report leaves that crawl unresolved.
  Items items{item(url, "Leather Tote")};
  const auto fail_crawls = [](const std::string& m) {
    if (m.rfind("Resolving direct product links (", 0) == 0) throw std::runtime_error("callback");
  };
  DirectStoreResolver::resolve(items, 4, INT_MAX, fail_crawls, fake.options());
  EXPECT_EQ(items[0].direct_url, url);
  EXPECT_EQ(fake.made.back().timeout_ms, INT_MAX);  // clamped, not overflowed

  // One failing in the opening report ends the run before any browser.
  const auto fail_first = [](const std::string&) { throw std::runtime_error("opening"); };
  const std::size_t made = fake.made.size();
  EXPECT_THROW(DirectStoreResolver::resolve(items, 4, 15, fail_first, fake.options()), std::runtime_error);
  EXPECT_EQ(fake.made.size(), made);
}

}  // namespace
