#include <gtest/gtest.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/deferred.hpp>
#include <boost/asio/experimental/awaitable_operators.hpp>
#include <boost/asio/experimental/parallel_group.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <chrono>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "support/fetches.hpp"
#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace asio = boost::asio;
using namespace std::chrono_literals;
using tarvik::core::ConcurrentFetcher;
using tarvik::core::FetchError;
using tarvik::core::FetchOptions;
using tarvik::core::HttpRequest;
using tarvik::core::HttpResponse;
using tarvik::core::PageMap;
using tarvik::test::fetch_pages;
using tarvik::test::HttpServer;
using tarvik::test::Reply;
using tarvik::test::run_within;

namespace {

FetchOptions mapped_options(const HttpServer& server) {
  FetchOptions options;
  options.connect_to = {server.mapping()};
  return options;
}

std::string ok_page(const std::string& host) { return "<html><title>" + host + "</title></html>"; }

// Routes two ordinary pages on `host` and returns their URLs.
std::vector<std::string> normal_pages(HttpServer& server, const std::string& host) {
  server.route(host, "/a", tarvik::test::html(ok_page(host + "/a")));
  server.route(host, "/b", tarvik::test::html(ok_page(host + "/b")));
  return {server.url(host, "/a"), server.url(host, "/b")};
}

constexpr std::size_t CAP = std::size_t{10} << 20;

struct Hostile {
  const char* label;
  Reply reply;  // served at /x of the row's own host
  std::variant<std::nullopt_t, std::string, std::size_t> expected;  // none, the page, or a page cut at this size
};

Reply redirect_to(std::string location) { return tarvik::test::redirect(std::move(location)); }

Reply page(std::string body, std::string type, unsigned status = 200) {
  Reply reply;
  reply.status = status;
  if (!type.empty()) reply.headers = {{"Content-Type", type}};
  reply.body = std::move(body);
  return reply;
}

}  // namespace

// Every hostile answer leaves the other pages of its batch fetched, and the
// whole table (one batch per row, all at once on one fetcher) ends at about
// the timeout.
TEST(Fetcher, HostileServersLeaveTheRestOfTheBatchFetched) {
  HttpServer server;
  using tarvik::test::encoded;
  const std::string loopback = "http://127.0.0.1:" + std::to_string(server.port());
  server.route("*", "/done", page(ok_page("chain"), "text/html"));
  server.route("*", "/chain0", redirect_to("/done"));
  for (int n = 1; n < 5; ++n) server.route("*", "/chain" + std::to_string(n), redirect_to("/chain" + std::to_string(n - 1)));
  Reply hang;
  hang.hang = true;
  Reply drip = page("<p>slowly, one byte after the other</p>", "text/html");
  drip.drip = 1s;
  Reply reset;
  reset.reset = true;
  Reply no_location = page("", "text/html", 302);
  Reply fat_header = page(ok_page("fat"), "text/html");
  for (int i = 0; i < 35; ++i) fat_header.headers.emplace_back("X-Pad-" + std::to_string(i), std::string(8000, 'p'));
  const std::vector<std::string> six = {"gzip", "deflate", "gzip", "deflate", "gzip", "deflate"};
  const std::vector<std::string> five = {"gzip", "deflate", "gzip", "deflate", "gzip"};

  const Hostile rows[] = {
      {"never answers", hang, std::nullopt},
      {"one byte a second", drip, std::nullopt},
      {"redirect loop", redirect_to("/x"), std::nullopt},
      {"redirect to 127.0.0.1 with the guard on", redirect_to(loopback + "/secret"), std::nullopt},
      {"redirect to a file", redirect_to("file:///etc/passwd"), std::nullopt},
      {"redirect without Location", no_location, std::nullopt},
      {"five redirects", redirect_to("/chain3"), ok_page("chain")},
      {"six redirects", redirect_to("/chain4"), std::nullopt},
      {"1 GiB body", tarvik::test::filler(std::uint64_t{1} << 30), CAP},
      {"gzip bomb", tarvik::test::gzip_bomb(std::uint64_t{1} << 30), CAP},
      {"six stacked encodings", encoded(page(ok_page("six"), "text/html"), six), std::nullopt},
      {"five stacked encodings", encoded(page(ok_page("five"), "text/html"), five), ok_page("five")},
      {"a PDF", page("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n", "application/pdf"), std::nullopt},
      {"reset connection", reset, std::nullopt},
      {"280 KB of response headers", fat_header, std::nullopt},
      {"not found", page(ok_page("gone"), "text/html", 404), std::nullopt},
      {"windows-1252 without a charset", page("<p>caf\xe9 cr\xe8me \x80</p>", "text/html"),
       "<p>caf\u00e9 cr\u00e8me \u20ac</p>"},
      {"UTF-8 without a charset", page("<p>caf\u00e9 \u2013 \u20ac</p>", "text/html"), "<p>caf\u00e9 \u2013 \u20ac</p>"},
      {"no content type", page("<p>bare</p>", ""), "<p>bare</p>"},
      {"xhtml", page("<p>x</p>", "application/xhtml+xml"), "<p>x</p>"},
  };

  std::vector<std::vector<std::string>> batches;
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const std::string host = "hostile-" + std::to_string(i) + ".test";
    server.route(host, "/x", rows[i].reply);
    auto urls = normal_pages(server, "normal-" + std::to_string(i) + ".test");
    urls.insert(urls.begin(), server.url(host, "/x"));
    batches.push_back(std::move(urls));
  }

  auto all = [&server](std::vector<std::vector<std::string>> batches) -> asio::awaitable<std::vector<PageMap>> {
    const auto executor = co_await asio::this_coro::executor;
    ConcurrentFetcher fetcher(executor, mapped_options(server));
    using Op = decltype(asio::co_spawn(executor, fetcher.fetch_pages({}, 1), asio::deferred));
    std::vector<Op> ops;
    for (auto& urls : batches) ops.push_back(asio::co_spawn(executor, fetcher.fetch_pages(urls, 4), asio::deferred));
    auto group = asio::experimental::make_parallel_group(std::move(ops));
    auto [order, errors, maps] = co_await group.async_wait(asio::experimental::wait_for_all(), asio::use_awaitable);
    for (auto& e : errors) {
      if (e) std::rethrow_exception(e);
    }
    co_return maps;
  };
  const auto started = std::chrono::steady_clock::now();
  const auto maps = run_within(30s, all(batches));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 12s);

  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].label);
    const auto& pages = maps[i];
    for (std::size_t k = 1; k < batches[i].size(); ++k) {
      ASSERT_TRUE(pages.at(batches[i][k]).has_value()) << batches[i][k];
    }
    const auto& got = pages.at(batches[i][0]);
    if (std::holds_alternative<std::nullopt_t>(rows[i].expected)) {
      EXPECT_FALSE(got.has_value()) << got->substr(0, 80);
    } else if (const auto* text = std::get_if<std::string>(&rows[i].expected)) {
      ASSERT_TRUE(got.has_value());
      EXPECT_EQ(*got, *text);
    } else {
      ASSERT_TRUE(got.has_value());
      EXPECT_EQ(got->size(), std::get<std::size_t>(rows[i].expected));
    }
  }
  EXPECT_EQ(server.count("127.0.0.1", "/secret"), 0u);
}

TEST(Fetcher, RepeatedUrlsShareOneTransferAndConnectionsAreReused) {
  HttpServer server;
  const auto urls = normal_pages(server, "repeat.test");
  auto options = mapped_options(server);
  options.max_host_connections = 1;
  const auto pages = run_within(20s, fetch_pages(options, {urls[0], urls[1], urls[0], urls[0]}, 5));
  EXPECT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages.at(urls[0]), ok_page("repeat.test/a"));
  EXPECT_EQ(server.count("repeat.test", "/a"), 1u);
  EXPECT_EQ(server.connections(), 1u);
}

// Limits are counted at the server: requests answered at once, per host and
// in all.
TEST(Fetcher, ConnectionLimitsHoldAtTheServer) {
  HttpServer server;
  Reply slow = page("<p>slow</p>", "text/html");
  slow.delay = 300ms;
  std::vector<std::string> urls;
  for (int i = 0; i < 12; ++i) {
    const std::string path = "/slow" + std::to_string(i);
    server.route("busy.test", path, slow);
    urls.push_back(server.url("busy.test", path));
  }
  auto options = mapped_options(server);
  options.max_host_connections = 3;
  const auto pages = run_within(20s, fetch_pages(options, urls, 10));
  for (const auto& url : urls) EXPECT_TRUE(pages.at(url).has_value()) << url;
  EXPECT_EQ(server.peak_in_flight("busy.test"), 3u);

  server.clear_log();
  std::vector<std::string> spread;
  for (int i = 0; i < 12; ++i) {
    const std::string host = "spread-" + std::to_string(i) + ".test";
    server.route(host, "/slow", slow);
    spread.push_back(server.url(host, "/slow"));
  }
  options.max_total_connections = 4;
  const auto spread_pages = run_within(20s, fetch_pages(options, spread, 10));
  for (const auto& url : spread) EXPECT_TRUE(spread_pages.at(url).has_value()) << url;
  EXPECT_EQ(server.peak_in_flight(""), 4u);
}

TEST(Fetcher, UnfetchableUrlsMapToNoneWithoutAConnection) {
  HttpServer server;
  server.route("*", "/p", page("<p>p</p>", "text/html"));
  server.clear_log();
  const std::vector<std::string> urls = {
      "",
      "   ",
      "ftp://files.test/p",
      "file:///etc/passwd",
      "javascript:alert(1)",
      "mailto:someone@shop.test",
      "//shop.test/p",
      "shop.test/p",
      "http:///p",
      "http://[::1/p",
      "http://shop.test:99999/p",
      "http://shop.test/p\x01",
      "data:text/html,<p>p</p>",
  };
  const auto pages = run_within(20s, fetch_pages(mapped_options(server), urls, 5));
  for (const auto& url : urls) {
    ASSERT_TRUE(pages.contains(url)) << url;
    EXPECT_FALSE(pages.at(url).has_value()) << url;
  }
  // The class-level call has the defaults: the guard is on.
  const auto loopback = "http://127.0.0.1:" + std::to_string(server.port()) + "/p";
  const auto defaults = run_within(20s, ConcurrentFetcher::fetch_many({loopback, urls[2]}));
  EXPECT_EQ(defaults, (PageMap{{loopback, std::nullopt}, {urls[2], std::nullopt}}));
  EXPECT_TRUE(server.requests().empty());
}

// Pages that wait for a slot count that wait: the batch still ends at about
// its timeout.
TEST(Fetcher, QueuedPagesEndAtTheBatchTimeout) {
  HttpServer server;
  Reply hang;
  hang.hang = true;
  std::vector<std::string> urls;
  for (int i = 0; i < 30; ++i) {
    const std::string host = "stuck-" + std::to_string(i % 2) + ".test";
    const std::string path = "/hang" + std::to_string(i);
    server.route(host, path, hang);
    urls.push_back(server.url(host, path));
  }
  auto options = mapped_options(server);
  options.max_host_connections = 2;
  const auto started = std::chrono::steady_clock::now();
  const auto pages = run_within(20s, fetch_pages(options, urls, 1));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
  for (const auto& url : urls) EXPECT_FALSE(pages.at(url).has_value()) << url;
}

// What the browser's request interception needs: any method, headers and
// body through, any status, headers and decoded body back, redirects not
// followed and their bodies not read.
TEST(Fetcher, ExchangePassesRequestsAndResponsesThrough) {
  HttpServer server;
  server.route("api.test", "/echo", tarvik::test::Handler([](const tarvik::test::Request& r) {
                   Reply reply = page(r.method + " " + r.body + " " + r.header("X-Token").value_or("-") + " " +
                                          r.header("User-Agent").value_or("-") + " " +
                                          r.header("Accept-Language").value_or("-"),
                                      "application/json", 201);
                   reply.headers.emplace_back("X-Reply", "yes");
                   return tarvik::test::encoded(reply, {"gzip"});
                 }));
  Reply moved = redirect_to("/elsewhere");
  moved.stream = tarvik::test::filler(std::uint64_t{1} << 30).stream;
  server.route("api.test", "/moved", moved);

  auto exchanges = [&server]() -> asio::awaitable<std::vector<HttpResponse>> {
    ConcurrentFetcher fetcher(co_await asio::this_coro::executor, mapped_options(server));
    HttpRequest post;
    post.method = "PATCH";
    post.url = server.url("api.test", "/echo");
    post.headers = {{"X-Token", "t1"}, {"user-agent", "Custom/1.0"}, {"Content-Type", "text/plain"}};
    post.body = "payload";
    HttpRequest plain;
    plain.url = server.url("api.test", "/echo");
    HttpRequest moved;
    moved.url = server.url("api.test", "/moved");
    std::vector<HttpResponse> out;
    out.push_back(co_await fetcher.exchange(post, 5s));
    out.push_back(co_await fetcher.exchange(plain, 5s));
    out.push_back(co_await fetcher.exchange(moved, 5s));
    co_return out;
  };
  const auto got = run_within(20s, exchanges());
  EXPECT_EQ(got[0].status, 201);
  EXPECT_EQ(got[0].body, "PATCH payload t1 Custom/1.0 en-US,en;q=0.9");
  EXPECT_EQ(got[0].header("x-reply"), "yes");
  EXPECT_EQ(got[0].remote_ip, "127.0.0.1");
  EXPECT_NE(got[1].body.find("GET  - Mozilla/5.0 (X11; Linux x86_64)"), std::string::npos) << got[1].body;
  EXPECT_EQ(got[2].status, 302);
  EXPECT_EQ(got[2].header("Location"), "/elsewhere");
  EXPECT_EQ(got[2].body, "");
}

// Cleanup: a cancelled exchange and the exchanges of a destroyed fetcher end
// at once with FetchError.
TEST(Fetcher, CancelledAndOrphanedExchangesEndAtOnce) {
  HttpServer server;
  Reply hang;
  hang.hang = true;
  server.route("idle.test", "/hang", hang);
  auto race = [&server]() -> asio::awaitable<std::string> {
    using namespace asio::experimental::awaitable_operators;
    ConcurrentFetcher fetcher(co_await asio::this_coro::executor, mapped_options(server));
    HttpRequest request;
    request.url = server.url("idle.test", "/hang");
    asio::steady_timer timer(co_await asio::this_coro::executor, 200ms);
    auto exchange = fetcher.exchange(request, 60s);
    auto wait = timer.async_wait(asio::use_awaitable);
    const auto winner = co_await (std::move(exchange) || std::move(wait));
    co_return winner.index() == 1 ? "timer" : "exchange";
  };
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(run_within(10s, race()), "timer");

  auto orphan = [&server]() -> asio::awaitable<std::string> {
    const auto executor = co_await asio::this_coro::executor;
    auto fetcher = std::make_unique<ConcurrentFetcher>(executor, mapped_options(server));
    HttpRequest request;
    request.url = server.url("idle.test", "/hang");
    asio::steady_timer timer(executor, 200ms);
    timer.async_wait([&](auto) { fetcher.reset(); });
    try {
      co_await fetcher->exchange(request, 60s);
    } catch (const FetchError& e) {
      co_return e.what();
    }
    co_return "answered";
  };
  EXPECT_NE(run_within(10s, orphan()).find("closed"), std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}
