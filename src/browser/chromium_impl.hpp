// State shared by the Chromium session, its pages and its request handlers.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/cancellation_signal.hpp>
#include <boost/asio/experimental/channel.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/json/object.hpp>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cdp.hpp"
#include "process.hpp"
#include "tarvik/browser/chromium.hpp"

namespace tarvik::browser {

namespace asio = boost::asio;
namespace json = boost::json;
using Clock = std::chrono::steady_clock;

namespace detail {

// One tab: what the event handlers learn about its main document.
struct Tab {
  explicit Tab(const asio::any_io_executor& executor) : wake(executor) {}
  std::string target_id;
  std::string session_id;
  std::optional<int> status;  // of the main document's last response
  std::string main_error;     // why the main document's request failed
  std::vector<std::string> committed;  // loader ids of the main frame's documents, the last 16
  bool loaded = false;                 // the last committed document fired its load event
  std::int64_t isolated_world = 0;     // execution context for reading the document, 0: none yet
  bool gone = false;          // crashed, or closed by the browser
  std::string gone_reason;
  int in_flight = 0;          // requests open (sent, neither finished nor failed)
  std::uint64_t requests_started = 0;
  // The tab's network as Network events tell it (whoever answers the
  // requests): requests not yet finished or failed, and when one last started
  // or ended. Settling waits on both.
  std::unordered_set<std::string> open_requests;  // at most kMaxTrackedRequests
  // "host:port" of every origin the tab's requests went to, at most
  // kMaxTrackedRequests; `origins_overflow` when it asked for more.
  std::unordered_set<std::string> origins;
  bool origins_overflow = false;
  Clock::time_point last_network{};
  asio::steady_timer wake;    // cancelled whenever one of the above changes
  void signal() { wake.cancel(); }
};

// Members of protocol messages: "" or none when absent or of another kind.
inline std::string string_at(const json::object& o, std::string_view key) {
  const json::value* v = o.if_contains(key);
  return v && v->is_string() ? std::string(v->get_string()) : std::string();
}
inline const json::object* object_at(const json::object& o, std::string_view key) {
  const json::value* v = o.if_contains(key);
  return v && v->is_object() ? &v->get_object() : nullptr;
}

// How long a connection of a closed tab must have been quiet to be closed
// with it.
inline constexpr std::chrono::milliseconds kTabConnectionQuiet{250};

// Requests of one tab followed for settling; more are not counted.
inline constexpr std::size_t kMaxTrackedRequests = 4096;

// How the session's requests reach the network.
enum class NetMode {
  live,    // through the proxy; only refused resources intercepted
  record,  // through the proxy; every response taken into the archive
  answer,  // every request answered by the exchange (replay); the proxy connects nothing
};
NetMode net_mode(const ChromiumOptions& options);

// Chromium's flags that put all its traffic through the proxy at `proxy_port`.
std::vector<std::string> network_flags(std::uint16_t proxy_port, bool insecure);
// Fetch.enable's parameters for a tab; none when nothing is intercepted.
std::optional<json::object> interception(const ChromiumOptions& options, NetMode mode);
// Follows the tab's requests (Network events) for its status and settling;
// false for events of other domains.
bool track_network(Tab& tab, const std::string& method, const json::object& params);

// The session's page limit: a send takes a slot, a receive frees one.
using PageSlots = asio::experimental::channel<void(boost::system::error_code)>;

// The client-hints probe: an expression whose promise gives the browser's
// navigator.userAgentData (high-entropy values included) or null.
extern const char* const kClientHintsProbe;
// The mutation clock: run in the reading world of every new document.
extern const char* const kMutationClock;
// The world pages are read in (named, so that the clock and the reads share it).
inline constexpr const char* kReadingWorld = "tarvik-read";
// The settle function: (quiet ms, at least ms, cap ms) -> promise of true
// (the document went `quiet` ms unchanged) or false (the cap came first).
extern const char* const kSettleFunction;
// The selection script: a function of (selector, limit, text cap, attribute
// cap, budget) returning [[attributes, all text or null, own text or null]].
extern const char* const kCssFunction;

// The default exchange: a ConcurrentFetcher on `executor` with `options`.
Exchange fetcher_exchange(const asio::any_io_executor& executor, const core::FetchOptions& options);

std::string base64_encode(std::string_view bytes);
// Decodes standard base64, ignoring characters outside its alphabet.
std::string base64_decode(std::string_view text);

}  // namespace detail

struct ChromiumSession::Impl : std::enable_shared_from_this<ChromiumSession::Impl> {
  enum class State { idle, running, exited };

  explicit Impl(ChromiumOptions opts) : options(std::move(opts)) {}
  ~Impl() { shutdown_now(); }

  ChromiumOptions options;
  State state = State::idle;
  std::optional<asio::any_io_executor> executor;
  std::shared_ptr<detail::CdpConnection> cdp;
  std::unique_ptr<detail::BrowserProcess> process;
  detail::NetMode net = detail::NetMode::live;
  std::unique_ptr<EgressProxy> proxy;
  std::filesystem::path profile;
  Exchange exchange;
  std::string user_agent;
  json::object user_agent_metadata;
  std::unique_ptr<detail::PageSlots> slots;
  std::unordered_map<std::string, std::shared_ptr<detail::Tab>> tabs;  // by protocol session id
  std::string dead_reason;  // set once the browser is gone
  std::size_t in_flight = 0;
  std::uint64_t next_handler = 0;
  std::unordered_map<std::uint64_t, std::shared_ptr<asio::cancellation_signal>> handlers;
  ChromiumStats stats;

  std::chrono::milliseconds timeout() const { return std::chrono::milliseconds(options.session.timeout_ms); }
  // Throws BrowserError unless the browser is up.
  void require_running() const;
  // Closes the proxy's connections that only `closed` (a tab gone from
  // `tabs`) used and that are quiet.
  void close_connections_of(const detail::Tab& closed);
  void on_event(const std::string& method, const json::object& params, const std::string& session_id);
  void on_closed(const std::string& reason);
  // Handles one paused request (Fetch.requestPaused) of `tab`: refuses it,
  // answers it or records its response.
  static asio::awaitable<void> paused(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                      json::object params);
  // Writes a response paused at the response stage to the archive, then lets it go on.
  static asio::awaitable<void> record(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                      json::object params);
  // Answers one paused request through the exchange.
  static asio::awaitable<void> answer(std::shared_ptr<Impl> self, std::shared_ptr<detail::Tab> tab,
                                      json::object params);
  asio::awaitable<void> drain_handlers(std::chrono::milliseconds limit);
  // Kills and reaps the browser, removes the profile; blocking, bounded.
  void shutdown_now() noexcept;
};

}  // namespace tarvik::browser
