#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/fetches.hpp"
#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/fetcher/fetcher.hpp"
#include "tarvik/fetcher/warc.hpp"

using tarvik::core::FetchOptions;
using tarvik::test::Reply;

// A batch recorded from the loopback server, redirect hops and refusals
// included, replays to the same page map with the network out of reach.
TEST(FetcherArchive, RecordedBatchReplaysWithoutTheNetwork) {
  tarvik::test::HttpServer server;
  const auto page = [](std::string body, std::string type, unsigned status = 200) {
    Reply reply = tarvik::test::html(std::move(body), std::move(type));
    reply.status = status;
    return reply;
  };
  server.route("shop.test", "/utf8", page("<p>caf\u00e9</p>", "text/html; charset=utf-8"));
  server.route("shop.test", "/cp1252", page("<p>caf\xe9</p>", "text/html"));
  server.route("shop.test", "/gzip", tarvik::test::encoded(page("<p>zipped</p>", "text/html"), {"gzip", "deflate"}));
  server.route("shop.test", "/moved", tarvik::test::redirect("/utf8?from=moved", 301));
  server.route("shop.test", "/pdf", page("%PDF-1.7", "application/pdf"));
  server.route("shop.test", "/odd", page("<p>odd status</p>", "text/html", 99));
  server.route("shop.test", "/big", tarvik::test::filler(std::uint64_t{1} << 20));
  std::vector<std::string> urls;
  for (const char* path : {"/utf8", "/cp1252", "/gzip", "/moved", "/pdf", "/odd", "/big", "/missing"}) {
    urls.push_back(server.url("shop.test", path));
  }

  const auto dir = std::filesystem::path(::testing::TempDir()) / "fetcher_archive";
  std::filesystem::create_directories(dir);
  const auto archive = dir / "batch.warc.gz";
  FetchOptions recording;
  recording.connect_to = {server.mapping()};
  recording.max_body_bytes = 512 * 1024;
  recording.record = std::make_shared<tarvik::core::WarcWriter>(archive);
  const auto recorded = tarvik::test::run_within(std::chrono::seconds(20), tarvik::test::fetch_pages(recording, urls));
  recording.record.reset();
  EXPECT_EQ(recorded.at(urls[3]), recorded.at(urls[0]));
  EXPECT_EQ(recorded.at(urls[6])->size(), 512u * 1024);

  server.clear_log();
  FetchOptions replaying;
  replaying.replay = tarvik::core::WarcArchive::open({archive});
  auto with_unrecorded = urls;
  with_unrecorded.push_back(server.url("shop.test", "/never-recorded"));
  const auto replayed = tarvik::test::run_within(std::chrono::seconds(20), tarvik::test::fetch_pages(replaying, with_unrecorded));
  for (const auto& url : urls) EXPECT_EQ(replayed.at(url), recorded.at(url)) << url;
  EXPECT_FALSE(replayed.at(with_unrecorded.back()).has_value());
  EXPECT_TRUE(server.requests().empty());
  std::filesystem::remove_all(dir);
}
