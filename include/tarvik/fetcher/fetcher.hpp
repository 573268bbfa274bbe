// The destination fetcher: HTTP(S) exchanges and whole-page batch fetches on
// libcurl's multi interface, driven by the caller's Asio event loop.
//
// What the implementation keeps:
// - Time: every exchange has its own deadline, started when it is asked for,
//   so waiting for a connection slot counts; when it passes, the transfer is
//   removed from libcurl and the caller gets FetchError at once, whatever the
//   server does (never answering, dripping bytes, endless 1xx). A page of a
//   batch has `timeout_seconds` from the start of the batch for all its hops,
//   so the batch ends at about that time. DNS never blocks the loop (libcurl's
//   resolver threads; an abandoned lookup is left to finish on its own thread).
// - Memory: a body keeps at most `max_body_bytes` of decoded bytes (counted in
//   the write callback, so chunked bodies and compression bombs stop there);
//   response headers are capped at 256 KiB; chains of more than five content
//   encodings are refused; the body of a redirect is never read. At most
//   `max_total_connections` exchanges run at once and at most
//   `max_host_connections` per host name; the others wait in a queue that
//   holds only their request.
// - Threads: all libcurl work runs in handlers on a strand of the executor the
//   fetcher was built with; the caller's coroutines may run on any thread of
//   that executor. Completions are posted to the awaiting coroutine's own
//   executor, never run inline. Cancelling an awaiting coroutine (per-operation
//   cancellation) ends its exchange with FetchError.
// - Safety: only http and https, also after redirects; environment proxies
//   are ignored. Unless `allow_private_network` is set, every connection is
//   checked on its resolved address before it is made (redirect hops and DNS
//   rebinding included) and refused when the address is not public (see
//   `is_public_address`). The one exception is the exact address and port a
//   host mapping with an IP address as its target sends a request to: that is
//   the operator's choice, not the web's. Request headers with CR, LF or NUL
//   are refused.
// - Cleanup: destroying the fetcher ends every exchange still waiting with
//   FetchError and releases libcurl's handles, sockets and timers on the strand
//   as soon as the loop runs again (or when the loop is destroyed). Operations
//   resumed after that touch nothing of the fetcher.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/address.hpp>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
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
struct HttpResponse;

using Header = std::pair<std::string, std::string>;
using Headers = std::vector<Header>;

// One rule of curl's --connect-to form "HOST1:PORT1:HOST2:PORT2": requests for
// HOST1:PORT1 connect to HOST2:PORT2 instead (the request still names HOST1).
// Empty HOST1 or PORT1 mean any; empty HOST2 or PORT2 keep the original.
// IPv6 addresses are written in brackets. When HOST2 is an IP address, the
// address guard lets connections made through the rule pass.
struct HostMapping {
  std::string from_host, from_port, to_host, to_port;
  bool operator==(const HostMapping&) const = default;
};
// Throws std::invalid_argument naming the rule when it is not of that form.
HostMapping parse_connect_to(std::string_view rule);
// The rule of `rules` that applies to a connection to host:port (host
// matched case-insensitively): the first that matches and names a target,
// as libcurl picks it; none when no rule does. Shared by every component that
// makes connections, so a mapping means the same everywhere.
const HostMapping* host_mapping_for(const std::vector<HostMapping>& rules, std::string_view host,
                                    std::uint16_t port);

// False for the addresses the guard refuses: every block of the IANA IPv4 and
// IPv6 special-purpose address registries that is not globally reachable
// (unspecified, "this network", loopback, private, shared/CGNAT, link-local
// with the cloud metadata address, IETF protocol assignments, documentation,
// benchmarking, reserved, broadcast, discard-only, unique-local, site-local),
// multicast, all IPv6 outside global unicast 2000::/3, and the IPv4-mapped,
// IPv4-compatible, NAT64 (64:ff9b::/96) and 6to4 (2002::/16) forms of refused
// IPv4 addresses. The registry's globally reachable anycast blocks inside
// 192.0.0.0/24 and 2001::/23 are refused with their blocks.
bool is_public_address(const boost::asio::ip::address& address);

// Everything about how the fetcher reaches the network. Copies share the
// archive objects.
struct FetchOptions {
  std::size_t max_total_connections = 64;  // exchanges at once (0 counts as 1)
  std::size_t max_host_connections = 6;    // exchanges at once per host name (0 counts as 1)
  std::size_t max_body_bytes = std::size_t{10} << 20;  // decoded bytes kept per response
  int max_redirects = 5;
  std::chrono::milliseconds connect_timeout{std::chrono::seconds(5)};
  // Who the requests say they are. Every request carries the headers this
  // Chromium sends for a navigation typed into its address bar, in its order
  // (client hints, Sec-Fetch-* and br/zstd only to https and loopback, as
  // Chromium does), and a TLS client hello with Chromium's cipher suites,
  // groups, signature algorithms and ALPN h2,http/1.1 (OpenSSL cannot send
  // GREASE, certificate compression or ALPS, so it is close, not equal).
  // The pipeline fills these from the browser session when there is one.
  std::string user_agent;  // empty: this Chromium's Linux desktop user agent
  std::string sec_ch_ua;   // the session's brand list as sent in sec-ch-ua; empty: built from the version
  // This Chromium's version ("156.0.8078.129" or "156"); empty: read once per
  // process from `chromium --version` (up to 5 s, when a fetcher is built
  // without a user agent or version), 156 when that fails.
  std::string chromium_version;
  Headers extra_headers;   // added to the defaults, or replacing one of the same name in its place
  // Requests for HOST1:PORT1 connect to HOST2:PORT2; see HostMapping.
  // Refusing private and special addresses is the default; tests and demos
  // reach loopback servers through a host mapping, or turn it off explicitly.
  bool allow_private_network = false;
  // DANGER: for loopback test servers only. curl's -k: TLS certificates and
  // host names are not verified, so anyone on the path can read and change
  // every exchange. Never set it for real stores. The browser session honours
  // the same switch.
  bool insecure = false;
  std::vector<HostMapping> connect_to;
  // When set, every exchange (each redirect hop) is appended to this archive.
  std::shared_ptr<WarcWriter> record;
  // When set, answers come from this archive and the network is never used;
  // a request it does not hold fails as not fetched.
  std::shared_ptr<const WarcArchive> replay;
  // Called on the loop after each page of a batch has ended, fetched or not,
  // with the pages ended so far and the batch's distinct pages (for progress
  // displays; it must not throw).
  std::function<void(std::size_t done, std::size_t total)> on_page_done;
  // Called on the loop when a page of a batch ends in a final response that is
  // not a page (a status outside 2xx, or not HTML), with the URL the batch
  // was given and that response, before the page maps to none (so a caller
  // can tell a bot manager's challenge from a plain refusal; it must not throw).
  std::function<void(const std::string& url, const HttpResponse& response)> on_page_refused;
};

// One HTTP request of one hop. Redirects are not followed by `exchange`.
// Accept-Encoding, Content-Length, Transfer-Encoding, Host, Connection and
// the other hop-by-hop headers are set by the fetcher; given ones are dropped.
struct HttpRequest {
  std::string method = "GET";
  std::string url;
  Headers headers;  // added to the defaults; a header named here replaces the default of that name
  std::string body;
};

// What came back for one hop. The body is decoded, so the Content-Encoding
// and Content-Length headers describe the bytes on the wire, not `body`.
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
  // bounds the whole exchange, queueing for a connection slot included. Any
  // method; a request body is sent as given. The effective request (default
  // headers merged) and the response are recorded when `record` is set.
  asio::awaitable<HttpResponse> exchange(HttpRequest request, std::chrono::milliseconds timeout);

  // Whole pages: every distinct URL once, all at once under the limits;
  // redirects followed (http/https only, at most max_redirects); a page counts
  // with a 2xx final status and an HTML content type (or none given), decoded
  // to UTF-8. Unfetchable URLs map to none. `timeout_seconds` bounds each page,
  // redirects and queueing included, so the batch ends at about that time.
  // Every URL given is a key of the result. Only errors that are not about a
  // page (such as running out of memory) are thrown.
  asio::awaitable<PageMap> fetch_pages(std::vector<std::string> urls, double timeout_seconds = 5);

  // The class-level call of the pipeline: default options, on the calling
  // coroutine's executor.
  static asio::awaitable<PageMap> fetch_many(std::vector<std::string> urls, double timeout = 5);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvik::core
