// The browser's only way out: an HTTP proxy in this process that tunnels
// CONNECT requests and forwards absolute-form http:// requests, each to an
// address it resolved and checked itself.
//
// Guarantees:
// - Safety: the target's host and port go through the host mappings
//   (core::host_mapping_for, the fetcher's rules), the proxy resolves the
//   result itself and connects only to an address the fetcher's guard passes
//   (core::is_public_address; the one exception is the exact address and port
//   of a mapping whose target is an IP address), or to any address with
//   `allow_private_network`. The address connected to is the address checked:
//   nothing is resolved twice, so DNS rebinding cannot slip in between. A
//   refused target gets 403, an unreachable one 502, a malformed request 400,
//   a connection over the cap 503, each with a Proxy-Status header naming
//   the proxy (kProxyStatusName) and the error; each ends its connection. Absolute-form
//   requests are forwarded with `Connection: close`, one per connection, so a
//   later request on the same connection can never reach the first origin.
//   With `refuse_all` nothing is ever connected (replay: no network at all).
//   Tunnels carry bytes as they are: TLS, HTTP/2 and header order stay the
//   browser's own.
// - Time: the request head must arrive within `handshake_timeout`, lookup and
//   connect finish within `connect_timeout`, and a connection that moves no
//   byte either way for `idle_timeout` is closed.
// - Memory: a request head is read up to kMaxProxyRequestHead bytes (more is
//   a 400); at most `max_connections` client connections are served at once,
//   each with two 16 KiB buffers; the rest get 503 at once.
// - Threads: everything runs on the executor given at construction (the
//   browser session's single-threaded loop); host lookups run on the Asio
//   resolver thread of that loop's execution context.
// - Cleanup: close_connections() ends the connections to the targets a
//   caller no longer wants (the session: those only a closed tab used); stop() (and the destructor) closes the listener and every client
//   and origin socket at once; their coroutines end when the loop next runs
//   and touch nothing of the proxy object.
#pragma once

#include <boost/asio/any_io_executor.hpp>

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

namespace tarvik::browser {

inline constexpr std::size_t kMaxProxyRequestHead = std::size_t{64} << 10;
// The proxy's name in the Proxy-Status header of the replies it writes itself.
inline constexpr std::string_view kProxyStatusName = "tarvik-egress";

// Whether a Proxy-Status header's value comes from this proxy: the reply is
// then the proxy's own (a refusal or failure), not an origin's response.
bool is_own_proxy_status(std::string_view value);

// The host (lower case, no brackets) and port that a request for `url`
// (http, https, ws, wss) asks the proxy for; none for other URLs.
std::optional<std::pair<std::string, std::uint16_t>> proxy_target_of(std::string_view url);

struct EgressProxyOptions {
  std::vector<core::HostMapping> connect_to;
  bool allow_private_network = false;
  bool refuse_all = false;
  std::chrono::milliseconds handshake_timeout{10000};
  std::chrono::milliseconds connect_timeout{5000};
  std::chrono::milliseconds idle_timeout{60000};
  std::size_t max_connections = 256;
};

// Counters since the start, and the connections open now.
struct EgressProxyStats {
  std::size_t accepted = 0;
  std::size_t connected = 0;      // origins reached (tunnels and forwarded requests)
  std::size_t refused = 0;        // 403: the guard, or refuse_all
  std::size_t unreachable = 0;    // 502: lookup or connect failed, or timed out
  std::size_t malformed = 0;      // 400, and heads that never completed
  std::size_t over_capacity = 0;  // 503
  std::size_t open = 0;           // client connections being served, sockets not yet closed
};

class EgressProxy {
 public:
  // Listens on 127.0.0.1 at a free port; throws std::system_error when it
  // cannot. Throws std::invalid_argument for a mapping that is not valid.
  EgressProxy(boost::asio::any_io_executor executor, EgressProxyOptions options);
  ~EgressProxy();
  EgressProxy(const EgressProxy&) = delete;
  EgressProxy& operator=(const EgressProxy&) = delete;

  std::uint16_t port() const;
  void stop();
  // Closes every connection that has moved no byte for `quiet_for` and whose
  // requested target (host as the client named it, port) `keep` does not
  // keep; connections whose request head has not arrived yet stay.
  void close_connections(const std::function<bool(std::string_view host, std::uint16_t port)>& keep,
                         std::chrono::milliseconds quiet_for);
  EgressProxyStats stats() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace tarvik::browser
