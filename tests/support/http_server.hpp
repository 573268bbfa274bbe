// The loopback HTTP/1.1 server shared by the fetcher, browser, pipeline tests
// and the benchmarks, over plain HTTP and over TLS.
//
// One server listens on 127.0.0.1 at two free ports (large backlog), one
// plain and one TLS with a self-signed certificate made when the process first
// needs it (clients need curl's -k, `insecure`), and runs on its own
// thread(s), so a test drives its client loop freely. It answers for any
// number of made-up host names: clients reach it through host mappings
// (`mapping()`: every request to port 80 goes to the plain port, and
// `tls_mapping()`: every request to port 443 goes to the TLS port; the Host
// header still names the host). Routes are
// chosen by host (or "*") and path (exact, query ignored); unrouted requests
// get 404. A route answers with a fixed `Reply` or a handler that builds one
// per request, and can misbehave on purpose: latency, never answering,
// dripping, resetting the connection, huge lazily generated bodies, gzip
// bombs, stacked content encodings. Every request is logged (host, method,
// target, headers, body) and in-flight requests are counted per host, so a
// test can assert what was or was not asked and how many at once.
//
// Threads: routes may be added at any time from any thread. Destroying the
// server stops it and closes every connection, answered or not.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::test {

using Headers = std::vector<std::pair<std::string, std::string>>;

struct Request {
  std::string host;    // Host header without port, lower case
  std::string method;
  std::string target;  // path and query as sent
  std::string path;    // target without the query
  Headers headers;
  std::string body;
  bool tls = false;  // arrived on the TLS port
  // The first header of that name (case-insensitive), or none.
  std::optional<std::string> header(std::string_view name) const;
};

// Successive pieces of a body; none ends it. An empty piece sends nothing.
using Chunks = std::function<std::optional<std::string>()>;

struct Reply {
  unsigned status = 200;
  Headers headers;  // sent as given; Content-Length is added unless given or the body is streamed
  std::string body;
  // A body produced lazily after `body`, one generator per request. Without a
  // Content-Length header it is sent chunked.
  std::function<Chunks()> stream;
  std::chrono::milliseconds delay{0};  // before anything is sent
  std::chrono::milliseconds drip{0};   // when set, `body` goes out one byte per interval
  bool hang = false;                   // read the request, never answer
  bool reset = false;                  // answer with a TCP reset
};

using Handler = std::function<Reply(const Request&)>;

class HttpServer {
 public:
  explicit HttpServer(unsigned threads = 1);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  std::uint16_t port() const;
  std::uint16_t tls_port() const;
  // `reply` (copied per request) or `handler` answers `host` (or "*") + `path`.
  void route(std::string host, std::string path, Reply reply);
  void route(std::string host, std::string path, Handler handler);

  // "http://HOST" + target: reaches the server through `mapping()`.
  std::string url(std::string_view host, std::string_view target) const;
  // "https://HOST" + target: reaches the server through `tls_mapping()`.
  std::string https_url(std::string_view host, std::string_view target) const;
  // Requests for any host on port 80 connect to this server.
  core::HostMapping mapping() const;
  // Requests for any host on port 443 connect to this server's TLS port.
  core::HostMapping tls_mapping() const;

  std::vector<Request> requests() const;  // in arrival order
  std::size_t count(std::string_view host, std::string_view path) const;
  // The most requests of that host ("": of all hosts) answered at once.
  std::size_t peak_in_flight(std::string_view host) const;
  std::size_t connections() const;  // connections accepted
  void clear_log();                 // the log, the peaks and the connection count
  // CPU time used by the server's threads, for benchmarks that measure a client.
  double cpu_seconds() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Reply builders.
Reply html(std::string body, std::string content_type = "text/html; charset=utf-8");
Reply redirect(std::string location, unsigned status = 302);
// The body encoded with each coding in turn ("gzip", "deflate", "identity"),
// named in that order in Content-Encoding.
Reply encoded(Reply reply, const std::vector<std::string>& codings);
// `bytes` of HTML-ish filler generated while sending, with a Content-Length.
Reply filler(std::uint64_t bytes, std::string content_type = "text/html");
// A gzip stream of `decoded_bytes` zeros, compressed while sending.
Reply gzip_bomb(std::uint64_t decoded_bytes);

std::string gzip(std::string_view data);
std::string deflate(std::string_view data);  // the zlib format HTTP calls "deflate"

}  // namespace tarvik::test
