// The whole pipeline: the demo search replayed from its archive through the
// real browser against a result checked by hand, and the entry points' rules
// (stage order, progress, callbacks, blocking from inside a loop) with a fake
// fetcher and a scripted browser.
#include <gtest/gtest.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "commerce/test_resolver_fake.hpp"
#include "support/loop.hpp"
#include "tarvik/browser/chromium.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/fetcher/warc.hpp"
#include "tarvik/models/io.hpp"

namespace {

namespace asio = boost::asio;
using namespace std::chrono_literals;
using tarvik::commerce::CommerceEnricher;
using tarvik::commerce::PipelineOptions;
using tarvik::models::Relevance;
using tarvik::models::VisualMatch;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::string EXAMPLES = std::string(TARVIK_SOURCE_DIR) + "/examples/";
const std::string GOLDEN = std::string(TARVIK_SOURCE_DIR) + "/tests/fixtures/pipeline/demo-result.json";

TEST(PipelineDemo, ReplayedSearchGivesTheCheckedResult) {
  if (!tarvik::browser::find_browser()) GTEST_SKIP() << "no chromium on the PATH: the demo's store pages need it";
  PipelineOptions options;
  options.fetch.replay = tarvik::core::WarcArchive::open({EXAMPLES + "demo.warc.gz"});
  const auto matches = tarvik::models::read_visual_matches(read_file(EXAMPLES + "matches.json"));
  std::vector<std::string> messages;
  const auto result = CommerceEnricher::process(
      matches, [&](const std::string& m) { messages.push_back(m); }, options);

  // TARVIK_UPDATE_GOLDEN=1 rewrites the file; every change to it is read
  // field by field before it is committed.
  if (std::getenv("TARVIK_UPDATE_GOLDEN") != nullptr) std::ofstream(GOLDEN, std::ios::binary) << result.model_dump_json();
  const std::string golden = read_file(GOLDEN);
  ASSERT_FALSE(golden.empty()) << GOLDEN;
  EXPECT_EQ(result.model_dump_json(2, true), golden);

  // Crawl reports arrive in finishing order: compare them as a set.
  ASSERT_EQ(messages.size(), 2U + 1U + 5U + 1U);
  EXPECT_EQ(messages[0], "Fetching metadata from 27 merchant destinations...");
  EXPECT_EQ(messages[1], "Extracting structured product metadata & price intelligence (27 items)...");
  EXPECT_EQ(messages[2], "Resolving direct product links across 5 store destinations...");
  std::vector<std::string> crawls(messages.begin() + 3, messages.begin() + 8);
  for (auto& m : crawls) m = m.substr(m.find("... ") + 4);
  std::sort(crawls.begin(), crawls.end());
  EXPECT_EQ(crawls, (std::vector<std::string>{"FARFETCH", "Mercari", "Poshmark", "Walmart", "eBay"}));
  EXPECT_EQ(messages[8], "✓ Resolved 3/5 direct product links.");
}

// A small search: two product pages and one store search page that resolves.
struct Rig {
  std::vector<std::string> log;  // progress messages and fake component events, in order
  tarvik::testing::FakeBrowser browser;
  PipelineOptions options;
  std::vector<VisualMatch> matches;

  Rig() {
    const auto match = [](std::string link, std::string title, std::optional<std::string> source) {
      VisualMatch m;
      m.link = std::move(link);
      m.title = std::move(title);
      m.source = std::move(source);
      return m;
    };
    matches = {match("https://shop.example/p/1", "Trail Runner 2", "Shop"),
               match("https://www.ebay.com/sch/i.html?_nkw=trail+runner", "Trail Runner 2 Blue", "eBay"),
               match("https://www.google.com/url?q=https://shop.example/p/2&sa=U", "Trail Runner 2 Red", std::nullopt)};
    browser.pages["https://www.ebay.com/sch/i.html?_nkw=trail+runner"] = {
        .links = {{.href = "/itm/42?hash=x", .all_text = "Trail Runner 2 Blue"}}};
    options = browser.options();
    auto session_factory = options.make_session;
    options.make_session = [this, session_factory](const tarvik::browser::SessionOptions& s) {
      log.push_back("session");
      return session_factory(s);
    };
    options.fetch_pages = [this](std::vector<std::string> urls, double) -> asio::awaitable<tarvik::core::PageMap> {
      log.push_back("fetch " + std::to_string(urls.size()));
      tarvik::core::PageMap pages;
      for (const auto& u : urls)
        pages[u] =
            "<html><head><script type=\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@type\":"
            "\"Product\",\"name\":\"Trail Runner 2\",\"offers\":{\"@type\":\"Offer\",\"price\":\"89.00\","
            "\"priceCurrency\":\"USD\"}}</script></head><body></body></html>";
      co_return pages;
    };
  }
};

TEST(PipelineEntryPoints, StagesRunInOrderWithTheirMessagesAndLabels) {
  Rig rig;
  const auto result =
      CommerceEnricher::process(rig.matches, [&](const std::string& m) { rig.log.push_back(m); }, rig.options);
  EXPECT_EQ(rig.log, (std::vector<std::string>{
                         "Fetching metadata from 3 merchant destinations...",
                         "fetch 3",
                         "Extracting structured product metadata & price intelligence (3 items)...",
                         "Resolving direct product links across 1 store destinations...",
                         "session",
                         "Resolving direct product links (1/1)... eBay",
                         "✓ Resolved 1/1 direct product links.",
                     }));
  ASSERT_EQ(result.items.size(), 3U);
  EXPECT_EQ(result.items[1].direct_url, "https://www.ebay.com/itm/42") << "resolved, in input order";
  EXPECT_EQ(result.items[2].direct_url, "https://shop.example/p/2");
  for (const auto& item : result.items) EXPECT_TRUE(item.relevance.has_value()) << item.direct_url;
  EXPECT_EQ(result.summary.total_matches, 3);
  EXPECT_EQ(result.summary.currency, "USD");
  EXPECT_EQ(result.summary.min_price, 89.0);
}

TEST(PipelineEntryPoints, EmptyInputRunsNothing) {
  Rig rig;
  const auto result = CommerceEnricher::process({}, [&](const std::string& m) { rig.log.push_back(m); }, rig.options);
  EXPECT_TRUE(result.items.empty());
  EXPECT_EQ(result.summary, tarvik::models::CommerceSummary{});
  EXPECT_TRUE(rig.log.empty());
}

TEST(PipelineEntryPoints, CallbackErrorEndsTheRunAtEveryStage) {
  const char* stages[] = {"Fetching metadata", "Extracting structured", "Resolving direct product links across",
                          "Resolving direct product links (", "✓ Resolved"};
  for (const char* stage : stages) {
    Rig rig;
    const auto throwing = [stage](const std::string& m) {
      if (m.rfind(stage, 0) == 0) throw std::domain_error(m);
    };
    if (std::string(stage) == "Resolving direct product links (") {
      // A crawl's report failing only loses that crawl's link.
      const auto result = CommerceEnricher::process(rig.matches, throwing, rig.options);
      EXPECT_EQ(result.items[1].direct_url, rig.matches[1].link) << stage;
      continue;
    }
    EXPECT_THROW(CommerceEnricher::process(rig.matches, throwing, rig.options), std::domain_error) << stage;
  }
}

TEST(PipelineEntryPoints, AsynchronousCallbackIsAwaitedBeforeTheNextStep) {
  Rig rig;
  auto slow = [&](const std::string& m) -> asio::awaitable<void> {
    asio::steady_timer timer(co_await asio::this_coro::executor, 5ms);
    co_await timer.async_wait(asio::use_awaitable);
    rig.log.push_back("done: " + m.substr(0, 12));
  };
  auto run = CommerceEnricher::process_async(rig.matches, slow, rig.options);
  const auto result = tarvik::test::run_within(30s, std::move(run));
  EXPECT_EQ(rig.log, (std::vector<std::string>{"done: Fetching met", "fetch 3", "done: Extracting s",
                                              "done: Resolving di", "session", "done: Resolving di",
                                              "done: ✓ Resolved"}));
  EXPECT_EQ(result.items.size(), 3U);
}

TEST(PipelineEntryPoints, BlockingCallFromInsideARunningLoop) {
  Rig rig;
  asio::io_context loop;
  std::thread::id caller, callback;
  std::optional<tarvik::models::CommerceIntelligence> result;
  asio::co_spawn(
      loop,
      [&]() -> asio::awaitable<void> {
        caller = std::this_thread::get_id();
        result = CommerceEnricher::process(
            rig.matches, [&](const std::string&) { callback = std::this_thread::get_id(); }, rig.options);
        co_return;
      },
      [](std::exception_ptr e) {
        if (e) std::rethrow_exception(e);
      });
  loop.run_for(30s);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->items.size(), 3U);
  EXPECT_NE(callback, caller) << "the run went to the one worker thread";
}

}  // namespace
