// Destination pages behind a bot manager's JavaScript challenge: the plain
// fetch meets the wall, the browser runs the challenge and reads the page; the
// cap, the switch and replay keep the browser out.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "browser/test_browser_support.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/fetcher/warc.hpp"

namespace {

using namespace tarvik::testing;
using tarvik::commerce::CommerceEnricher;
using tarvik::commerce::PipelineOptions;
using tarvik::models::EnrichedCommerceMatch;
using tarvik::models::VisualMatch;
using tarvik::test::html;
using tarvik::test::Reply;
using tarvik::test::Request;

constexpr const char* kProduct =
    R"(<!doctype html><html><head><title>Walled Tote | Store</title><script type="application/ld+json">)"
    R"({"@context":"https://schema.org","@type":"Product","name":"Walled Leather Tote","brand":"Acme",)"
    R"("offers":{"@type":"Offer","price":"129.00","priceCurrency":"USD"}}</script></head><body>ok</body></html>)";

// A Cloudflare-style managed challenge: only a browser that runs its script
// comes back with the token the server wants.
constexpr const char* kChallenge =
    R"(<!DOCTYPE html><html lang="en-US"><head><title>Just a moment...</title></head><body><noscript>Enable )"
    R"(JavaScript and cookies to continue</noscript><script>window._cf_chl_opt={cType:'managed'};)"
    R"(location.replace(location.pathname + '?__chl_tk=' + ['o', 'k'].join(''));</script></body></html>)";

Reply walled(const Request& request) {
  if (request.target.find("__chl_tk=ok") != std::string::npos) return html(kProduct);
  Reply wall = html(kChallenge);
  wall.status = 403;
  wall.headers = {{"Content-Type", "text/html; charset=UTF-8"}, {"cf-mitigated", "challenge"}};
  return wall;
}

class Escalation : public BrowserProcessCheck {
 protected:
  void SetUp() override {
    TARVIK_REQUIRE_BROWSER();
    for (const char* host : {"wall-a.test", "wall-b.test"}) server.route(host, "/p/1", walled);
    Reply forbidden = html("<html><head><title>403 Forbidden</title></head><body><h1>403 Forbidden</h1></body></html>");
    forbidden.status = 403;
    server.route("plain.test", "/p/1", forbidden);
    server.route("open.test", "/p/1", html(kProduct));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove(archive, ignored);
    BrowserProcessCheck::TearDown();
  }

  std::vector<EnrichedCommerceMatch> run(PipelineOptions options, std::vector<std::string>& progress) {
    std::vector<VisualMatch> matches;
    for (const char* host : {"wall-a.test", "wall-b.test", "plain.test", "open.test"}) {
      VisualMatch m;
      m.link = std::string("http://") + host + "/p/1";
      m.title = "Tote from the search";
      matches.push_back(m);
    }
    options.fetch.connect_to = {server.mapping()};
    options.fetch_timeout_seconds = 30;
    return tarvik::test::run_within(90s, CommerceEnricher::enrich_matches_deep_async(
                                             matches, std::nullopt,
                                             [&](const std::string& m) { progress.push_back(m); }, options));
  }

  tarvik::test::HttpServer server;
  std::filesystem::path archive =
      std::filesystem::temp_directory_path() / ("escalation-" + std::to_string(getpid()) + ".warc");
};

TEST_F(Escalation, ChallengePagesGoToTheBrowserWithinTheCap) {
  struct Row {
    const char* name;
    bool escalate;
    bool replay;
    std::vector<std::string> titles;  // wall-a, wall-b, plain, open
    std::size_t requests_to_wall_a;   // plain fetch, browser, browser with token
    const char* progress;             // the escalation line, or ""
  };
  const std::string search = "Tote from the search";
  const std::string page = "Walled Leather Tote";
  const Row rows[] = {
      {"first wall escalated, second over the cap of 1, plain 403 left alone", true, false,
       {page, search, search, page}, 3, "Retrying 1 blocked destinations in the browser..."},
      {"escalation off", false, false, {search, search, search, page}, 1, ""},
      {"replay of the first run's archive: no network, no browser", true, true, {search, search, search, page}, 0, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    server.clear_log();
    PipelineOptions options;
    options.escalate = r.escalate;
    options.max_escalations = 1;
    if (r.replay) {
      options.fetch.replay = tarvik::core::WarcArchive::open({archive});
    } else if (r.escalate) {
      options.fetch.record = std::make_shared<tarvik::core::WarcWriter>(archive);
    }
    std::vector<std::string> progress;
    const auto items = run(options, progress);
    if (options.fetch.record) options.fetch.record->flush();
    ASSERT_EQ(items.size(), 4u);
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].title, r.titles[i]) << items[i].direct_url;
    EXPECT_EQ(server.count("wall-a.test", "/p/1"), r.requests_to_wall_a);
    EXPECT_EQ(server.count("wall-b.test", "/p/1"), r.replay ? 0u : 1u);
    EXPECT_EQ(server.count("plain.test", "/p/1"), r.replay ? 0u : 1u);
    const bool announced = std::find(progress.begin(), progress.end(), r.progress) != progress.end();
    EXPECT_EQ(announced, *r.progress != '\0') << ::testing::PrintToString(progress);
    if (r.escalate && !r.replay) {
      // The browser's exchanges are in the archive like the fetcher's.
      const auto recorded = tarvik::core::WarcArchive::open({archive});
      const auto solved = recorded->find("GET", "http://wall-a.test/p/1?__chl_tk=ok");
      ASSERT_TRUE(solved.has_value());
      EXPECT_EQ(solved->status, 200);
    }
  }
}

}  // namespace
