// DevTools protocol connection over the debugging pipe.
#include "cdp.hpp"

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>
#include <boost/json/parse.hpp>
#include <boost/json/serialize.hpp>

#include <unistd.h>

#include <array>
#include <cstring>

#include "tarvik/browser/session.hpp"
#include "tarvik/util/json.hpp"

namespace tarvik::browser::detail {

void repair_lone_surrogates(std::string& s) { tarvik::json::replace_lone_surrogates(s); }

CdpConnection::CdpConnection(const asio::any_io_executor& executor, int fd) : executor_(executor), socket_(executor) {
  boost::system::error_code ec;
  socket_.assign(asio::local::stream_protocol(), fd, ec);
  if (ec) {
    ::close(fd);
    throw BrowserError("cannot use the browser's pipe: " + ec.message());
  }
}

CdpConnection::~CdpConnection() {
  boost::system::error_code ignored;
  socket_.close(ignored);
}

void CdpConnection::start(EventHandler on_event, std::function<void(const std::string&)> on_closed) {
  on_event_ = std::move(on_event);
  on_closed_ = std::move(on_closed);
  asio::co_spawn(executor_, [self = shared_from_this()]() { return self->read_loop(); }, asio::detached);
}

std::int64_t CdpConnection::send(std::string method, json::object params, std::string session_id) {
  const std::int64_t id = next_id_++;
  json::object message;
  message["id"] = id;
  message["method"] = std::move(method);
  message["params"] = std::move(params);
  if (!session_id.empty()) message["sessionId"] = std::move(session_id);
  std::string text = json::serialize(message);
  text.push_back('\0');
  outgoing_.push_back(std::move(text));
  if (!writing_ && !closed_) {
    writing_ = true;
    asio::co_spawn(executor_, [self = shared_from_this()]() { return self->write_loop(); }, asio::detached);
  }
  return id;
}

void CdpConnection::post(std::string method, json::object params, std::string session_id) {
  if (closed_) return;
  send(std::move(method), std::move(params), std::move(session_id));
}

asio::awaitable<json::object> CdpConnection::call(std::string method, json::object params, std::string session_id,
                                                  std::chrono::milliseconds timeout) {
  if (closed_) throw BrowserError(method + ": " + close_reason_);
  auto pending = std::make_shared<Pending>(executor_);
  const std::int64_t id = send(method, std::move(params), std::move(session_id));
  pending_.emplace(id, pending);
  pending->wake.expires_after(timeout);
  boost::system::error_code ec;
  if (!pending->done) co_await pending->wake.async_wait(asio::redirect_error(asio::use_awaitable, ec));
  pending_.erase(id);
  if (!pending->done) {
    if (ec == asio::error::operation_aborted) throw boost::system::system_error(ec);  // the caller was cancelled
    throw BrowserError(method + " timed out after " + std::to_string(timeout.count()) + " ms");
  }
  if (!pending->result) throw BrowserError(method + ": " + pending->error);
  co_return std::move(*pending->result);
}

void CdpConnection::close(const std::string& reason) {
  if (closed_) return;
  closed_ = true;
  close_reason_ = reason;
  boost::system::error_code ignored;
  socket_.close(ignored);
  outgoing_.clear();
  auto pending = std::move(pending_);
  pending_.clear();
  for (auto& [id, p] : pending) {
    p->done = true;
    p->error = reason;
    p->wake.cancel();
  }
  if (on_closed_) {
    auto notify = std::move(on_closed_);
    notify(reason);
  }
}

asio::awaitable<void> CdpConnection::write_loop() {
  while (!outgoing_.empty() && !closed_) {
    std::string message = std::move(outgoing_.front());
    outgoing_.pop_front();
    boost::system::error_code ec;
    co_await asio::async_write(socket_, asio::buffer(message), asio::redirect_error(asio::use_awaitable, ec));
    if (ec) {
      close("the browser's pipe failed: " + ec.message());
      break;
    }
  }
  writing_ = false;
}

asio::awaitable<void> CdpConnection::read_loop() {
  auto self = shared_from_this();
  std::string partial;
  bool skipping = false;  // inside a message longer than kMaxMessageBytes
  std::array<char, 1 << 16> buf{};
  std::string reason = "the browser closed its pipe (it exited or crashed)";
  while (!closed_) {
    boost::system::error_code ec;
    const std::size_t n =
        co_await socket_.async_read_some(asio::buffer(buf), asio::redirect_error(asio::use_awaitable, ec));
    if (ec) {
      if (ec != asio::error::eof && ec != asio::error::operation_aborted) reason = "the browser's pipe failed: " + ec.message();
      break;
    }
    std::size_t start = 0;
    while (start < n) {
      const char* nul = static_cast<const char*>(std::memchr(buf.data() + start, '\0', n - start));
      const std::size_t end = nul ? static_cast<std::size_t>(nul - buf.data()) : n;
      if (!skipping) {
        if (partial.size() + (end - start) > kMaxMessageBytes) {
          skipping = true;
          partial.clear();
          partial.shrink_to_fit();
        } else {
          partial.append(buf.data() + start, end - start);
        }
      }
      if (!nul) break;
      if (skipping) {
        ++skipped_;
        skipping = false;
      } else {
        dispatch(partial);
        if (closed_) co_return;
      }
      partial.clear();
      if (partial.capacity() > (std::size_t{1} << 20)) partial.shrink_to_fit();
      start = end + 1;
    }
  }
  close(reason);
}

void CdpConnection::dispatch(std::string& text) {
  repair_lone_surrogates(text);
  json::parse_options options;
  options.max_depth = 64;
  options.allow_invalid_utf8 = true;
  boost::system::error_code ec;
  json::value message = json::parse(text, ec, {}, options);
  if (ec || !message.is_object()) {
    ++skipped_;
    return;
  }
  json::object& obj = message.get_object();
  if (const json::value* id = obj.if_contains("id"); id && id->is_int64()) {
    auto it = pending_.find(id->get_int64());
    if (it == pending_.end()) return;  // a posted command, or a caller that gave up
    auto pending = it->second;
    pending_.erase(it);
    pending->done = true;
    if (const json::value* result = obj.if_contains("result"); result && result->is_object()) {
      pending->result = std::move(result->get_object());
    } else if (const json::value* error = obj.if_contains("error"); error && error->is_object()) {
      const json::value* msg = error->get_object().if_contains("message");
      pending->error = msg && msg->is_string() ? std::string(msg->get_string()) : "error reply";
    } else {
      pending->result = json::object{};
    }
    pending->wake.cancel();
    return;
  }
  const json::value* method = obj.if_contains("method");
  if (!method || !method->is_string() || !on_event_) return;
  static const json::object empty;
  const json::value* params = obj.if_contains("params");
  const json::value* session = obj.if_contains("sessionId");
  on_event_(std::string(method->get_string()), params && params->is_object() ? params->get_object() : empty,
            session && session->is_string() ? std::string(session->get_string()) : std::string());
}

}  // namespace tarvik::browser::detail
