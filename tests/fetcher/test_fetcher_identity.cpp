// What the fetcher looks like from the server's side: Chromium's navigation
// headers in Chromium's order, a client hello with Chromium's suites, groups,
// signature algorithms and ALPN (read with a small ClientHello parser and
// JA4), certificate checks that only --insecure turns off, and the body cap
// at its exact edge.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/ec.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/http_server.hpp"
#include "support/loop.hpp"
#include "tarvik/fetcher/fetcher.hpp"

namespace asio = boost::asio;
using namespace std::chrono_literals;
using tarvik::core::ConcurrentFetcher;
using tarvik::core::FetchError;
using tarvik::core::FetchOptions;
using tarvik::core::HostMapping;
using tarvik::core::HttpRequest;
using tarvik::core::HttpResponse;
using tarvik::test::HttpServer;
using tarvik::test::Reply;
using tarvik::test::run_within;

namespace {

// ---- a TLS ClientHello, as far as JA4 and these tests need it ----

struct ClientHello {
  std::uint16_t legacy_version = 0;
  std::vector<std::uint16_t> ciphers;
  std::vector<std::uint16_t> extensions;  // in order
  std::vector<std::string> alpn;
  std::vector<std::uint16_t> signature_algorithms;
  std::vector<std::uint16_t> groups;
  std::vector<std::uint16_t> versions;
  bool has_server_name = false;
};

bool is_grease(std::uint16_t v) { return (v & 0x0f0f) == 0x0a0a && (v >> 8) == (v & 0xff); }

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  std::size_t left() const { return ok_ ? bytes_.size() - at_ : 0; }
  std::uint32_t number(int size) {
    if (left() < static_cast<std::size_t>(size)) return ok_ = false, 0;
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(bytes_[at_++]);
    return v;
  }
  std::string_view take(std::size_t n) {
    if (left() < n) return ok_ = false, std::string_view();
    const auto part = bytes_.substr(at_, n);
    at_ += n;
    return part;
  }
  std::vector<std::uint16_t> u16s(std::string_view block) {
    Reader r(block);
    std::vector<std::uint16_t> out;
    while (r.left() >= 2) out.push_back(static_cast<std::uint16_t>(r.number(2)));
    return out;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

// The hello in the first TLS record of `record`, or none when it is not one.
std::optional<ClientHello> parse_client_hello(std::string_view record) {
  Reader r(record);
  if (r.number(1) != 0x16) return std::nullopt;
  r.number(2);
  Reader hs(r.take(r.number(2)));
  if (hs.number(1) != 0x01) return std::nullopt;
  Reader body(hs.take(hs.number(3)));
  ClientHello hello;
  hello.legacy_version = static_cast<std::uint16_t>(body.number(2));
  body.take(32);
  body.take(body.number(1));
  hello.ciphers = body.u16s(body.take(body.number(2)));
  body.take(body.number(1));
  Reader extensions(body.take(body.number(2)));
  while (extensions.ok() && extensions.left() >= 4) {
    const auto type = static_cast<std::uint16_t>(extensions.number(2));
    const auto data = extensions.take(extensions.number(2));
    hello.extensions.push_back(type);
    Reader e(data);
    if (type == 0x0000) hello.has_server_name = true;
    if (type == 0x000d) hello.signature_algorithms = e.u16s(e.take(e.number(2)));
    if (type == 0x000a) hello.groups = e.u16s(e.take(e.number(2)));
    if (type == 0x002b) hello.versions = e.u16s(e.take(e.number(1)));
    if (type == 0x0010) {
      Reader list(e.take(e.number(2)));
      while (list.ok() && list.left() > 0) hello.alpn.emplace_back(list.take(list.number(1)));
    }
  }
  if (!r.ok() || !hs.ok() || !body.ok() || !extensions.ok()) return std::nullopt;
  return hello;
}

std::string hex4(std::uint16_t v) {
  static constexpr char digits[] = "0123456789abcdef";
  return {digits[v >> 12], digits[(v >> 8) & 15], digits[(v >> 4) & 15], digits[v & 15]};
}

std::string sha256_12(const std::string& text) {
  unsigned char digest[32];
  unsigned int size = 0;
  EVP_Digest(text.data(), text.size(), digest, &size, EVP_sha256(), nullptr);
  std::string out;
  for (int i = 0; i < 6; ++i) out += hex4(static_cast<std::uint16_t>(digest[i])).substr(2);
  return out;
}

std::string joined(const std::vector<std::uint16_t>& values) {
  std::string out;
  for (auto v : values) out += (out.empty() ? "" : ",") + hex4(v);
  return out;
}

// JA4 (FoxIO): t, TLS version, SNI, cipher and extension counts, ALPN ends;
// hash of the sorted suites; hash of the sorted extensions (without SNI and
// ALPN) and the signature algorithms in order. GREASE values never count.
std::string ja4(const ClientHello& hello) {
  std::uint16_t version = hello.legacy_version;
  for (auto v : hello.versions) {
    if (!is_grease(v)) version = std::max(version, v);
  }
  const char* named = version == 0x0304 ? "13" : version == 0x0303 ? "12" : version == 0x0302 ? "11" : "10";
  std::vector<std::uint16_t> ciphers, extensions;
  std::copy_if(hello.ciphers.begin(), hello.ciphers.end(), std::back_inserter(ciphers), [](auto v) { return !is_grease(v); });
  std::copy_if(hello.extensions.begin(), hello.extensions.end(), std::back_inserter(extensions),
               [](auto v) { return !is_grease(v); });
  const auto two = [](std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(std::min<std::size_t>(n, 99)); };
  std::string alpn = "00";
  if (!hello.alpn.empty() && !hello.alpn[0].empty()) alpn = {hello.alpn[0].front(), hello.alpn[0].back()};
  std::string a = std::string("t") + named + (hello.has_server_name ? "d" : "i") + two(ciphers.size()) +
                  two(extensions.size()) + alpn;
  std::sort(ciphers.begin(), ciphers.end());
  std::vector<std::uint16_t> hashed;
  std::copy_if(extensions.begin(), extensions.end(), std::back_inserter(hashed),
               [](auto v) { return v != 0x0000 && v != 0x0010; });
  std::sort(hashed.begin(), hashed.end());
  std::string c = joined(hashed);
  if (!hello.signature_algorithms.empty()) c += "_" + joined(hello.signature_algorithms);
  return a + "_" + sha256_12(joined(ciphers)) + "_" + sha256_12(c);
}

// Accepts one connection on loopback and keeps the first TLS record it gets.
asio::awaitable<std::string> capture_hello(asio::ip::tcp::acceptor& acceptor) {
  auto socket = co_await acceptor.async_accept(asio::use_awaitable);
  std::string bytes(5, '\0');
  co_await asio::async_read(socket, asio::buffer(bytes), asio::use_awaitable);
  const std::size_t length = (static_cast<unsigned char>(bytes[3]) << 8) | static_cast<unsigned char>(bytes[4]);
  bytes.resize(5 + length);
  co_await asio::async_read(socket, asio::buffer(bytes.data() + 5, length), asio::use_awaitable);
  co_return bytes;
}

// The first record the fetcher sends to https://www.shop.test/ (a listener
// that reads it and hangs up).
asio::awaitable<std::string> hello_of_a_fetch() {
  const auto executor = co_await asio::this_coro::executor;
  asio::ip::tcp::acceptor acceptor(executor, {asio::ip::make_address("127.0.0.1"), 0});
  FetchOptions options;
  options.connect_to = {HostMapping{"", "", "127.0.0.1", std::to_string(acceptor.local_endpoint().port())}};
  options.chromium_version = "156";
  ConcurrentFetcher fetcher(executor, options);
  auto captured = std::make_shared<std::string>();
  asio::co_spawn(executor, capture_hello(acceptor), [captured](std::exception_ptr, std::string bytes) {
    *captured = std::move(bytes);
  });
  HttpRequest request;
  request.url = "https://www.shop.test/";
  try {
    co_await fetcher.exchange(request, 3s);
  } catch (const FetchError&) {
  }
  co_return *captured;
}

// Chromium's TLS 1.3 and 1.2 suites in its order, its signature algorithms
// and groups (without GREASE and the post-quantum share OpenSSL 3.0 lacks).
const std::vector<std::uint16_t> CHROMIUM_SUITES = {0x1301, 0x1302, 0x1303, 0xc02b, 0xc02f, 0xc02c, 0xc030, 0xcca9,
                                                    0xcca8, 0xc013, 0xc014, 0x009c, 0x009d, 0x002f, 0x0035};
const std::vector<std::uint16_t> CHROMIUM_SIGNATURES = {0x0403, 0x0804, 0x0401, 0x0503, 0x0805, 0x0501, 0x0806, 0x0601};
const std::vector<std::uint16_t> CHROMIUM_GROUPS = {0x001d, 0x0017, 0x0018};

}  // namespace

TEST(FetcherIdentity, ClientHelloHasChromiumsSuitesGroupsSignaturesAndAlpn) {
  const auto hello = parse_client_hello(run_within(20s, hello_of_a_fetch()));
  ASSERT_TRUE(hello);
  std::vector<std::uint16_t> suites;
  for (auto v : hello->ciphers) {
    if (!is_grease(v) && v != 0x00ff) suites.push_back(v);  // 0x00ff: OpenSSL's renegotiation SCSV
  }
  EXPECT_EQ(suites, CHROMIUM_SUITES);
  EXPECT_EQ(hello->alpn, (std::vector<std::string>{"h2", "http/1.1"}));
  EXPECT_EQ(hello->signature_algorithms, CHROMIUM_SIGNATURES);
  EXPECT_EQ(hello->groups, CHROMIUM_GROUPS);
  EXPECT_TRUE(hello->has_server_name);
  const std::string fingerprint = ja4(*hello);
  EXPECT_EQ(fingerprint.substr(0, 4), "t13d");
  RecordProperty("ja4", fingerprint);
  std::cout << "fetcher JA4: " << fingerprint << " (extensions " << joined(hello->extensions) << ")\n";
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

asio::awaitable<tarvik::core::PageMap> fetch_pages(FetchOptions options, std::vector<std::string> urls) {
  ConcurrentFetcher fetcher(co_await asio::this_coro::executor, std::move(options));
  co_return co_await fetcher.fetch_pages(std::move(urls), 5);
}

asio::awaitable<HttpResponse> exchange(FetchOptions options, std::string url) {
  ConcurrentFetcher fetcher(co_await asio::this_coro::executor, std::move(options));
  HttpRequest request;
  request.url = std::move(url);
  co_return co_await fetcher.exchange(request, 5s);
}

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
        {"Accept-Language", "en-US,en"}}},
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
        {"Accept-Language", "en-US,en"}}},
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
        {"Accept-Language", "en-US,en"}}},
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
        {"Accept-Language", "en-US,en"}}},
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

namespace {

// A self-signed certificate for "shop.test", made for this run.
struct TestCertificate {
  std::string key_pem, certificate_pem;
};

TestCertificate make_certificate() {
  EVP_PKEY* key = EVP_EC_gen("P-256");
  X509* x = X509_new();
  ASN1_INTEGER_set(X509_get_serialNumber(x), 1);
  X509_gmtime_adj(X509_getm_notBefore(x), -3600);
  X509_gmtime_adj(X509_getm_notAfter(x), 3600);
  X509_set_pubkey(x, key);
  X509_NAME* name = X509_get_subject_name(x);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("shop.test"), -1, -1, 0);
  X509_set_issuer_name(x, name);
  X509_sign(x, key, EVP_sha256());
  const auto pem = [](auto write) {
    BIO* bio = BIO_new(BIO_s_mem());
    write(bio);
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    std::string out(data, static_cast<std::size_t>(size));
    BIO_free(bio);
    return out;
  };
  TestCertificate made{pem([&](BIO* b) { PEM_write_bio_PrivateKey(b, key, nullptr, nullptr, 0, nullptr, nullptr); }),
                       pem([&](BIO* b) { PEM_write_bio_X509(b, x); })};
  X509_free(x);
  EVP_PKEY_free(key);
  return made;
}

// Answers every TLS connection with one small page, until the loop stops.
asio::awaitable<void> serve_tls(asio::ip::tcp::acceptor& acceptor, asio::ssl::context& tls) {
  for (;;) {
    auto socket = co_await acceptor.async_accept(asio::use_awaitable);
    auto session = [](asio::ssl::stream<asio::ip::tcp::socket> stream) -> asio::awaitable<void> {
      try {
        co_await stream.async_handshake(asio::ssl::stream_base::server, asio::use_awaitable);
        std::string request(4096, '\0');
        co_await stream.async_read_some(asio::buffer(request), asio::use_awaitable);
        const std::string reply =
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 14\r\nConnection: close\r\n\r\n<p>secret</p>\n";
        co_await asio::async_write(stream, asio::buffer(reply), asio::use_awaitable);
      } catch (const std::exception&) {
      }
    };
    asio::co_spawn(acceptor.get_executor(), session(asio::ssl::stream<asio::ip::tcp::socket>(std::move(socket), tls)),
                   asio::detached);
  }
}

// The body of https://shop.test/ from a self-signed loopback server, or none
// when the fetcher refused it.
asio::awaitable<std::optional<std::string>> fetch_over_tls(TestCertificate certificate, bool insecure) {
  const auto executor = co_await asio::this_coro::executor;
  asio::ssl::context tls(asio::ssl::context::tls_server);
  tls.use_certificate_chain(asio::buffer(certificate.certificate_pem));
  tls.use_private_key(asio::buffer(certificate.key_pem), asio::ssl::context::pem);
  asio::ip::tcp::acceptor acceptor(executor, {asio::ip::make_address("127.0.0.1"), 0});
  asio::co_spawn(executor, serve_tls(acceptor, tls), asio::detached);
  FetchOptions options;
  options.chromium_version = "156";
  options.insecure = insecure;
  options.connect_to = {HostMapping{"", "", "127.0.0.1", std::to_string(acceptor.local_endpoint().port())}};
  std::optional<std::string> body;
  try {
    body = (co_await exchange(options, "https://shop.test/")).body;
  } catch (const FetchError&) {
  }
  acceptor.close();
  co_return body;
}

}  // namespace

// --insecure is curl's -k: a self-signed test server is refused without it.
TEST(FetcherIdentity, CertificatesAreCheckedUnlessInsecure) {
  const auto certificate = make_certificate();
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
    EXPECT_EQ(run_within(20s, fetch_over_tls(certificate, c.insecure)), c.body);
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
