// Chrome DevTools Protocol messages over the browser's debugging pipe: one
// JSON text per message, each ended by a NUL byte.
//
// Runs on one single-threaded executor. Every call has a deadline. Incoming
// messages are bounded (`kMaxMessageBytes`): a longer one is skipped without
// being buffered. When the connection ends (the browser exited or crashed),
// every pending call fails with BrowserError and `on_closed` runs once.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/awaitable.hpp>
#include <boost/asio/local/stream_protocol.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/json/object.hpp>
#include <boost/json/value.hpp>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvik::browser::detail {

namespace asio = boost::asio;
namespace json = boost::json;

inline constexpr std::size_t kMaxMessageBytes = std::size_t{64} << 20;

// Replaces JSON escapes of unpaired UTF-16 surrogates ("\ud800" alone) with
// "\ufffd": page text can hold them, and the JSON reader refuses them.
void repair_lone_surrogates(std::string& json_text);

class CdpConnection : public std::enable_shared_from_this<CdpConnection> {
 public:
  // (method, params, session id or "")
  using EventHandler = std::function<void(const std::string&, const json::object&, const std::string&)>;

  // Takes ownership of `fd`, this process's end of the socket pair.
  CdpConnection(const asio::any_io_executor& executor, int fd);
  ~CdpConnection();

  // Starts reading. Handlers run on the executor, never inside call().
  void start(EventHandler on_event, std::function<void(const std::string& reason)> on_closed);

  // Sends a command and waits for its result; throws BrowserError on an error
  // reply, on the deadline and when the connection ends.
  asio::awaitable<json::object> call(std::string method, json::object params, std::string session_id,
                                     std::chrono::milliseconds timeout);
  // Sends a command whose reply does not matter.
  void post(std::string method, json::object params, std::string session_id);

  void close(const std::string& reason);
  bool is_open() const { return !closed_; }
  const std::string& close_reason() const { return close_reason_; }
  std::size_t skipped_messages() const { return skipped_; }

 private:
  struct Pending {
    explicit Pending(const asio::any_io_executor& ex) : wake(ex) {}
    asio::steady_timer wake;
    bool done = false;
    std::optional<json::object> result;
    std::string error;
  };

  std::int64_t send(std::string method, json::object params, std::string session_id);
  asio::awaitable<void> read_loop();
  asio::awaitable<void> write_loop();
  void dispatch(std::string& text);

  asio::any_io_executor executor_;
  asio::local::stream_protocol::socket socket_;
  std::int64_t next_id_ = 1;
  std::unordered_map<std::int64_t, std::shared_ptr<Pending>> pending_;
  std::deque<std::string> outgoing_;
  bool writing_ = false;
  bool closed_ = false;
  std::string close_reason_;
  std::size_t skipped_ = 0;
  EventHandler on_event_;
  std::function<void(const std::string&)> on_closed_;
};

}  // namespace tarvik::browser::detail
