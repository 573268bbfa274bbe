// The destination fetcher: HTTP(S) exchanges and whole-page batch fetches on
// libcurl's multi interface, driven by the caller's Asio event loop.
//
// Guarantees (interface sketch; the implementation's own comment below states
// what it measured and enforces):
// - Time: every exchange has a whole-transfer deadline; a batch of pages ends
//   at about its timeout even when servers never answer or drip bytes.
// - Memory: a body is cut at `max_body_bytes` of decoded bytes, counted as
//   they arrive; at most `max_total_connections` transfers run at once.
// - Threads: all work runs on the executor the fetcher was built with (a
//   strand of it); the loop thread never blocks (DNS runs on libcurl's
//   resolver threads). The fetcher must be used from coroutines of that loop.
// - Safety: only http and https, also after redirects; unless
//   `allow_private_network` is set, every connection (redirect hops and DNS
//   rebinding included) to a loopback, private, link-local, CGNAT, multicast,
//   broadcast, reserved or unspecified address is refused before it is made.
// - Cleanup: destroying the fetcher cancels its transfers; no sockets,
//   handles or timers outlive it.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvik::core {

namespace asio = boost::asio;

class WarcWriter;
class WarcArchive;

using Header = std::pair<std::string, std::string>;
using Headers = std::vector<Header>;

// One rule of curl's --connect-to form "HOST1:PORT1:HOST2:PORT2": requests for
// HOST1:PORT1 connect to HOST2:PORT2 instead (the request still names HOST1).
// Empty HOST1 or PORT1 mean any; empty HOST2 or PORT2 keep the original.
// IPv6 addresses are written in brackets.
struct HostMapping {
  std::string from_host, from_port, to_host, to_port;
  bool operator==(const HostMapping&) const = default;
};
// Throws std::invalid_argument naming the rule when it is not of that form.
HostMapping parse_connect_to(std::string_view rule);

// Everything about how the fetcher reaches the network. Copies share the
// archive objects.
struct FetchOptions {
  std::size_t max_total_connections = 64;
  std::size_t max_host_connections = 6;
  std::size_t max_body_bytes = std::size_t{10} << 20;  // decoded bytes kept per response
  int max_redirects = 5;
  std::chrono::milliseconds connect_timeout{std::chrono::seconds(5)};
  std::string user_agent;  // empty: a current desktop Chrome user agent
  Headers extra_headers;   // added to (or replacing) the browser-like defaults
  // Refusing private and special addresses is the default; tests and demos
  // against loopback servers turn it off explicitly.
  bool allow_private_network = false;
  std::vector<HostMapping> connect_to;
  // When set, every exchange (each redirect hop) is appended to this archive.
  std::shared_ptr<WarcWriter> record;
  // When set, answers come from this archive and the network is never used;
  // a request it does not hold fails as not fetched.
  std::shared_ptr<const WarcArchive> replay;
};

// One HTTP request of one hop. Redirects are not followed by `exchange`.
struct HttpRequest {
  std::string method = "GET";
  std::string url;
  Headers headers;  // added to the defaults; a header named here replaces the default of that name
  std::string body;
};

// What came back for one hop.
struct HttpResponse {
  long status = 0;
  std::string url;                // the URL that was requested
  Headers headers;                // as received (names as written), in order
  std::string body;               // content-encodings removed; empty for redirects
  bool truncated = false;         // body cut at max_body_bytes
  std::string remote_ip;          // address connected to ("" in replay)
  // The first value of a header, matched case-insensitively, or none.
  std::optional<std::string> header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
      if (key.size() != name.size()) continue;
      bool same = true;
      for (std::size_t i = 0; i < key.size() && same; ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        same = lower(key[i]) == lower(name[i]);
      }
      if (same) return value;
    }
    return std::nullopt;
  }
};

// A request that could not be answered: refused by the guard or the scheme
// rule, DNS or connect failure, time-out, reset, too many encodings, absent
// from the replay archive. what() says which.
class FetchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Page map of a batch: URL -> the page's HTML as UTF-8, or none.
using PageMap = std::unordered_map<std::string, std::optional<std::string>>;

class ConcurrentFetcher {
 public:
  ConcurrentFetcher(asio::any_io_executor executor, FetchOptions options = {});
  ~ConcurrentFetcher();
  ConcurrentFetcher(const ConcurrentFetcher&) = delete;
  ConcurrentFetcher& operator=(const ConcurrentFetcher&) = delete;

  const FetchOptions& options() const;

  // One hop under the guard, caps and archive; throws FetchError. `timeout`
  // bounds the whole exchange, queueing for a connection slot included.
  asio::awaitable<HttpResponse> exchange(HttpRequest request, std::chrono::milliseconds timeout);

  // Whole pages: every distinct URL once, all at once under the limits;
  // redirects followed (http/https only, at most max_redirects); a page counts
  // with a 2xx final status and an HTML content type (or none given), decoded
  // to UTF-8. Unfetchable URLs map to none. `timeout_seconds` bounds each page,
  // redirects and queueing included, so the batch ends at about that time.
  asio::awaitable<PageMap> fetch_pages(std::vector<std::string> urls, double timeout_seconds = 5);

  // The class-level call of the pipeline: default options, on the calling
  // coroutine's executor.
  static asio::awaitable<PageMap> fetch_many(std::vector<std::string> urls, double timeout = 5);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvik::core
