// The fetcher's machinery: libcurl's multi interface driven by Asio descriptor
// waits and timers on one strand (fetcher_curl_loop), with the fetcher's own
// per-host queue for the total and per-host limits (fetcher_host_queue) and a
// deadline timer per exchange (fetcher_engine.cpp).
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/address.hpp>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::core::detail {

using Clock = std::chrono::steady_clock;

// HTTP names and schemes compare ASCII-case-insensitively.
inline char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
inline bool iequals_ascii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}
// Without the blanks HTTP puts around values and at line ends.
inline std::string_view trim_ascii(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// One hop, checked and ready for libcurl.
struct Hop {
  std::string method;
  std::string url;         // as the caller gave it, reported back in the response
  std::string curl_url;    // normalised for libcurl
  Headers headers;         // the effective request headers, in order
  std::string body;
  std::string host_key;    // lower-case host name, for the per-host limit
  // The address and port a host mapping sends this URL to, when the mapping
  // names an IP address: a connection there is the operator's choice.
  std::optional<boost::asio::ip::address> mapped_address;
  std::uint16_t mapped_port = 0;
  Clock::time_point deadline;
};

// What the engine needs of the options, fixed for its lifetime.
struct EngineOptions {
  std::size_t max_total = 64;
  std::size_t max_per_host = 6;
  std::size_t max_body_bytes = std::size_t{10} << 20;
  std::chrono::milliseconds connect_timeout{5000};
  bool allow_private_network = false;
  bool insecure = false;                // no certificate or host name verification
  std::vector<std::string> connect_to;  // curl's HOST1:PORT1:HOST2:PORT2 lines
};

class Engine {
 public:
  static std::shared_ptr<Engine> create(boost::asio::any_io_executor executor, EngineOptions options);
  virtual ~Engine() = default;
  // Runs one hop; throws FetchError. Safe to call from any thread of the
  // executor; completes on the calling coroutine's executor.
  virtual boost::asio::awaitable<HttpResponse> exchange(Hop hop) = 0;
  // Ends every exchange with FetchError and releases libcurl, on the strand.
  virtual void shutdown() = 0;
};

}  // namespace tarvik::core::detail
