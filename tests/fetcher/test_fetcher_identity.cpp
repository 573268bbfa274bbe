// What the fetcher looks like from the server's side: Chromium's navigation
// headers in Chromium's order, a client hello with Chromium's suites, groups,
// signature algorithms and ALPN (and its JA4), certificate checks that only
// --insecure turns off, and the body cap at its exact edge.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/client_hello.hpp"
#include "support/fetches.hpp"
#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/fetcher/fetcher.hpp"

using namespace std::chrono_literals;
using tarvik::core::FetchError;
using tarvik::core::FetchOptions;
using tarvik::core::HostMapping;
using tarvik::test::ClientHello;
using tarvik::test::exchange;
using tarvik::test::fetch_pages;
using tarvik::test::HttpServer;
using tarvik::test::Reply;
using tarvik::test::run_within;

namespace {

// The client hello of a fetch of https://www.shop.test/ (the catcher reads
// it and hangs up, so the fetch itself fails).
std::optional<ClientHello> hello_of_a_fetch() {
  tarvik::test::HelloCatcher catcher;
  FetchOptions options;
  options.connect_to = {HostMapping{"", "", "127.0.0.1", std::to_string(catcher.port())}};
  options.chromium_version = "156";
  try {
    run_within(20s, exchange(options, "https://www.shop.test/", 3s));
  } catch (const FetchError&) {
  }
  return catcher.wait_first(5s);
}

// Chromium's TLS 1.3 and 1.2 suites in its order, its signature algorithms
// and groups (without GREASE and the post-quantum share OpenSSL 3.0 lacks).
const std::vector<std::uint16_t> CHROMIUM_SUITES = {0x1301, 0x1302, 0x1303, 0xc02b, 0xc02f, 0xc02c, 0xc030, 0xcca9,
                                                    0xcca8, 0xc013, 0xc014, 0x009c, 0x009d, 0x002f, 0x0035};
const std::vector<std::uint16_t> CHROMIUM_SIGNATURES = {0x0403, 0x0804, 0x0401, 0x0503, 0x0805, 0x0501, 0x0806, 0x0601};
const std::vector<std::uint16_t> CHROMIUM_GROUPS = {0x001d, 0x0017, 0x0018};

}  // namespace

TEST(FetcherIdentity, ClientHelloHasChromiumsSuitesGroupsSignaturesAndAlpn) {
  const auto hello = hello_of_a_fetch();
  ASSERT_TRUE(hello);
  std::vector<std::uint16_t> suites;
  for (auto v : hello->ciphers) {
    if (!tarvik::test::is_grease(v) && v != 0x00ff) suites.push_back(v);  // 0x00ff: OpenSSL's renegotiation SCSV
  }
  EXPECT_EQ(suites, CHROMIUM_SUITES);
  EXPECT_EQ(hello->alpn, (std::vector<std::string>{"h2", "http/1.1"}));
  EXPECT_EQ(hello->signature_algorithms, CHROMIUM_SIGNATURES);
  EXPECT_EQ(hello->groups, CHROMIUM_GROUPS);
  EXPECT_EQ(hello->server_name, "www.shop.test");
  const std::string fingerprint = tarvik::test::ja4(*hello);
  EXPECT_EQ(fingerprint.substr(0, 4), "t13d");
  RecordProperty("ja4", fingerprint);
  std::printf("fetcher JA4: %s (extensions", fingerprint.c_str());
  for (auto e : hello->extensions) std::printf(" %04x", e);
  std::printf(")\n");
}

namespace {

struct HeaderCase {
  const char* label;
  std::string host;  // of http://HOST/who, which reaches the loopback server
  FetchOptions options;
  tarvik::test::Headers expected;  // every header the server saw, in order
};

using Seen = tarvik::test::Headers;

FetchOptions with(std::string version, std::string user_agent = {}, std::string brands = {},
                  tarvik::core::Headers extra = {}) {
  FetchOptions options;
  options.chromium_version = std::move(version);
  options.user_agent = std::move(user_agent);
  options.sec_ch_ua = std::move(brands);
  options.extra_headers = std::move(extra);
  return options;
}

const std::string LINUX_156 =
    "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/156.0.0.0 Safari/537.36";
const std::string ACCEPT =
    "text/html,application/xhtml+xml,application/xml;q=0.9,image/jxl,image/avif,image/webp,image/apng,*/*;q=0.8,"
    "application/signed-exchange;v=b3;q=0.7";

}  // namespace

// Rows written from what Chromium 156 itself sent to a loopback listener.
TEST(FetcherIdentity, NavigationHeadersInChromiumsOrder) {
  HttpServer server;
  server.route("*", "/who", tarvik::test::html("<p>who</p>"));
  const std::string firefox = "Mozilla/5.0 (X11; Linux x86_64; rv:128.0) Gecko/20100101 Firefox/128.0";
  const std::string windows =
      "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/157.0.0.0 Safari/537.36";
  const HeaderCase cases[] = {
      {"plain http to a public name: no client hints, no Sec-Fetch, no br or zstd",
       "shop.test",
       with("156.0.8078.129"),
       Seen{{"Host", "shop.test"},
        {"Connection", "keep-alive"},
        {"Upgrade-Insecure-Requests", "1"},
        {"User-Agent", LINUX_156},
        {"Accept", ACCEPT},
        {"Accept-Encoding", "gzip, deflate"},
        {"Accept-Language", "en-US,en;q=0.9"}}},
      {"http to localhost is a secure context: the whole navigation set",
       "localhost",
       with("156.0.8078.129"),
       Seen{{"Host", "localhost"},
        {"Connection", "keep-alive"},
        {"sec-ch-ua", R"("Not:A-Brand";v="8", "Chromium";v="156")"},
        {"sec-ch-ua-mobile", "?0"},
        {"sec-ch-ua-platform", R"("Linux")"},
        {"Upgrade-Insecure-Requests", "1"},
        {"User-Agent", LINUX_156},
        {"Accept", ACCEPT},
        {"Sec-Fetch-Site", "none"},
        {"Sec-Fetch-Mode", "navigate"},
        {"Sec-Fetch-User", "?1"},
        {"Sec-Fetch-Dest", "document"},
        {"Accept-Encoding", "gzip, deflate, br, zstd"},
        {"Accept-Language", "en-US,en;q=0.9"}}},
      {"the session's user agent and brands are sent as given, platform from the user agent",
       "localhost",
       with("", windows, R"("Chromium";v="157", "Not)A;Brand";v="99")"),
       Seen{{"Host", "localhost"},
        {"Connection", "keep-alive"},
        {"sec-ch-ua", R"("Chromium";v="157", "Not)A;Brand";v="99")"},
        {"sec-ch-ua-mobile", "?0"},
        {"sec-ch-ua-platform", R"("Windows")"},
        {"Upgrade-Insecure-Requests", "1"},
        {"User-Agent", windows},
        {"Accept", ACCEPT},
        {"Sec-Fetch-Site", "none"},
        {"Sec-Fetch-Mode", "navigate"},
        {"Sec-Fetch-User", "?1"},
        {"Sec-Fetch-Dest", "document"},
        {"Accept-Encoding", "gzip, deflate, br, zstd"},
        {"Accept-Language", "en-US,en;q=0.9"}}},
      {"a user agent that is not Chromium's gets no client hints",
       "localhost",
       with("", firefox),
       Seen{{"Host", "localhost"},
        {"Connection", "keep-alive"},
        {"Upgrade-Insecure-Requests", "1"},
        {"User-Agent", firefox},
        {"Accept", ACCEPT},
        {"Sec-Fetch-Site", "none"},
        {"Sec-Fetch-Mode", "navigate"},
        {"Sec-Fetch-User", "?1"},
        {"Sec-Fetch-Dest", "document"},
        {"Accept-Encoding", "gzip, deflate, br, zstd"},
        {"Accept-Language", "en-US,en;q=0.9"}}},
      {"an extra header replaces its default in place, a new one goes last, transport headers are not taken",
       "shop.test",
       with("156", "", "", {{"accept-language", "de-DE"}, {"X-Trace", "1"}, {"Accept-Encoding", "identity"}}),
       Seen{{"Host", "shop.test"},
        {"Connection", "keep-alive"},
        {"Upgrade-Insecure-Requests", "1"},
        {"User-Agent", LINUX_156},
        {"Accept", ACCEPT},
        {"Accept-Encoding", "gzip, deflate"},
        {"accept-language", "de-DE"},
        {"X-Trace", "1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    server.clear_log();
    FetchOptions options = c.options;
    options.connect_to = {server.mapping()};
    run_within(20s, fetch_pages(options, {server.url(c.host, "/who")}));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].headers, c.expected);
  }
}

// --insecure is curl's -k: the loopback server's self-signed certificate
// (made for localhost) is refused without it, before any request is sent.
TEST(FetcherIdentity, CertificatesAreCheckedUnlessInsecure) {
  HttpServer server;
  server.route("localhost", "/", tarvik::test::html("<p>secret</p>\n"));
  struct Case {
    const char* label;
    bool insecure;
    std::optional<std::string> body;  // none: refused
  };
  const Case cases[] = {
      {"self-signed certificate, checks on", false, std::nullopt},
      {"self-signed certificate, insecure", true, "<p>secret</p>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    server.clear_log();
    FetchOptions options;
    options.chromium_version = "156";
    options.insecure = c.insecure;
    options.connect_to = {server.tls_mapping()};
    std::optional<std::string> body;
    try {
      body = run_within(20s, exchange(options, server.https_url("localhost", "/"))).body;
    } catch (const FetchError&) {
    }
    EXPECT_EQ(body, c.body);
    EXPECT_EQ(server.count("localhost", "/"), c.body ? 1u : 0u);
  }
}

// The body cap keeps exactly max_body_bytes: a body of that size is whole,
// one byte more is cut and marked, however it is framed or encoded.
TEST(FetcherIdentity, BodyCapAtItsExactEdge) {
  constexpr std::size_t CAP = 1000;
  const auto chunked = [](std::size_t size) {
    Reply reply = tarvik::test::html("");
    reply.stream = [size] {
      return tarvik::test::Chunks([left = size]() mutable -> std::optional<std::string> {
        if (left == 0) return std::nullopt;
        const std::size_t n = std::min<std::size_t>(left, 300);
        left -= n;
        return std::string(n, 'c');
      });
    };
    return reply;
  };
  struct Case {
    const char* label;
    Reply reply;
    std::size_t size;
    bool truncated;
  };
  const Case cases[] = {
      {"one byte under the cap", tarvik::test::html(std::string(CAP - 1, 'a')), CAP - 1, false},
      {"exactly the cap", tarvik::test::html(std::string(CAP, 'a')), CAP, false},
      {"one byte over the cap", tarvik::test::html(std::string(CAP + 1, 'a')), CAP, true},
      {"exactly the cap, chunked in pieces", chunked(CAP), CAP, false},
      {"one over the cap, chunked in pieces", chunked(CAP + 1), CAP, true},
      {"exactly the cap once gunzipped", tarvik::test::encoded(tarvik::test::html(std::string(CAP, 'z')), {"gzip"}),
       CAP, false},
      {"one over the cap once gunzipped",
       tarvik::test::encoded(tarvik::test::html(std::string(CAP + 1, 'z')), {"gzip"}), CAP, true},
  };
  HttpServer server;
  for (std::size_t i = 0; i < std::size(cases); ++i) server.route("cap.test", "/" + std::to_string(i), cases[i].reply);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].label);
    FetchOptions options;
    options.chromium_version = "156";
    options.max_body_bytes = CAP;
    options.connect_to = {server.mapping()};
    const auto response = run_within(20s, exchange(options, server.url("cap.test", "/" + std::to_string(i))));
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body.size(), cases[i].size);
    EXPECT_EQ(response.truncated, cases[i].truncated);
  }
}
