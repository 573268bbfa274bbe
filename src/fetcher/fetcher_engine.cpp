// The engine's bookkeeping: exchanges submitted from any thread, queued per
// host under the limits, started on libcurl through the event bridge, ended
// by libcurl, their deadline, cancellation or shutdown, and delivered to the
// awaiting coroutine on its own executor.
#include "fetcher/fetcher_engine.hpp"

#include <curl/curl.h>

#include <boost/asio/any_completion_handler.hpp>
#include <boost/asio/associated_cancellation_slot.hpp>
#include <boost/asio/associated_executor.hpp>
#include <boost/asio/async_result.hpp>
#include <boost/asio/cancellation_type.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <exception>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fetcher/fetcher_curl_loop.hpp"
#include "fetcher/fetcher_transfer.hpp"

namespace tarvik::core::detail {

namespace asio = boost::asio;

namespace {

void ensure_curl_global() {
  // libcurl 7.84+ makes this thread-safe; the static runs it once.
  static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (init != CURLE_OK) throw FetchError("libcurl could not be initialised");
}

// Runs before the bridge creates its multi handle.
std::size_t at_least_one(std::size_t n) {
  ensure_curl_global();
  return std::max<std::size_t>(n, 1);
}

using Handler = asio::any_completion_handler<void(std::exception_ptr, HttpResponse)>;

// Resumes the caller; posted to the caller's executor, never run inline on
// the strand.
struct Resume {
  Handler handler;
  std::exception_ptr error;
  HttpResponse response;

  void operator()() {
    asio::get_associated_cancellation_slot(handler).clear();
    std::move(handler)(error, std::move(response));
  }
};

class CurlEngine final : public Engine, public CurlMultiLoop, public std::enable_shared_from_this<CurlEngine> {
 public:
  CurlEngine(asio::any_io_executor executor, EngineOptions options)
      : CurlMultiLoop(std::move(executor), at_least_one(options.max_total)),
        options_(std::move(options)),
        queue_(options_.max_total, options_.max_per_host) {
    for (const auto& rule : options_.connect_to) {
      curl_slist* next = curl_slist_append(connect_to_, rule.c_str());
      if (!next) {
        curl_slist_free_all(connect_to_);
        throw std::bad_alloc();
      }
      connect_to_ = next;
    }
    setup_.connect_timeout = options_.connect_timeout;
    setup_.connect_to = connect_to_;
    setup_.insecure = options_.insecure;
    setup_.close_socket = &CurlMultiLoop::close_socket;
    setup_.close_socket_data = static_cast<CurlMultiLoop*>(this);
  }

  ~CurlEngine() override { release_curl(); }

  asio::awaitable<HttpResponse> exchange(Hop hop) override {
    auto init = [self = shared_from_this()](auto handler, Hop hop) {
      asio::any_io_executor caller = asio::get_associated_executor(handler, self->strand());
      self->submit(std::move(hop), std::move(caller), Handler(std::move(handler)));
    };
    co_return co_await asio::async_initiate<const asio::use_awaitable_t<>&, void(std::exception_ptr, HttpResponse)>(
        init, asio::use_awaitable, std::move(hop));
  }

  void shutdown() override {
    asio::post(strand(), [self = shared_from_this()] { self->close_all(); });
  }

 private:
  std::weak_ptr<void> weak_owner() noexcept override { return weak_from_this(); }

  // ---- submission and the queue (strand) ----

  void submit(Hop hop, asio::any_io_executor caller, Handler handler) {
    auto t = std::make_shared<Transfer>(strand());
    t->caller = std::move(caller);
    t->hop = std::move(hop);
    t->max_body = options_.max_body_bytes;
    t->allow_private = options_.allow_private_network;
    t->response.url = t->hop.url;
    auto slot = asio::get_associated_cancellation_slot(handler);
    if (slot.is_connected()) {
      std::weak_ptr<Transfer> weak = t;
      slot.assign([self = shared_from_this(), weak](asio::cancellation_type) {
        asio::post(self->strand(), [self, weak] {
          if (auto t = weak.lock()) self->fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": cancelled")));
        });
      });
    }
    auto enter = [self = shared_from_this(), t, handler = std::move(handler)]() mutable {
      self->enqueue(t, std::move(handler));
    };
    asio::post(strand(), std::move(enter));
  }

  void enqueue(const std::shared_ptr<Transfer>& t, Handler handler) {
    t->deadline_timer.expires_at(t->hop.deadline);
    auto on_end = [self = shared_from_this(), t, handler = std::move(handler)](boost::system::error_code) mutable {
      self->deliver(t, std::move(handler));
    };
    t->deadline_timer.async_wait(std::move(on_end));
    if (closed_) {
      fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": the fetcher was closed")));
      return;
    }
    if (t->state != Transfer::State::waiting) {  // cancelled before it got here
      t->deadline_timer.cancel();
      return;
    }
    t->ticket = queue_.push(t->hop.host_key, t);
    t->queued = true;
    start_waiting();
  }

  // The deadline wait ended: by the deadline, or cancelled because the
  // transfer ended.
  void deliver(const std::shared_ptr<Transfer>& t, Handler handler) {
    if (t->state != Transfer::State::done) {
      fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": timed out")));
    }
    HttpResponse response;
    if (!t->outcome) response = std::move(t->response);
    Resume resume{std::move(handler), t->outcome, std::move(response)};
    asio::post(t->caller, std::move(resume));
  }

  // Starts what the limits allow. A start that fails at once frees its slot
  // and ends up here again: the flag keeps that a loop, not a recursion.
  void start_waiting() {
    if (starting_ || closed_) return;
    starting_ = true;
    while (auto next = queue_.next()) {
      const auto t = std::move(*next);
      t->queued = false;
      t->holds_slot = true;
      start(t);
    }
    starting_ = false;
  }

  // ---- one transfer ----

  void start(const std::shared_ptr<Transfer>& t) {
    t->state = Transfer::State::active;
    try {
      configure_request(*t, setup_);
      active_by_easy_.emplace(t->easy, t);
    } catch (...) {
      fail(t, std::current_exception());
      return;
    }
    if (!add(t->easy)) {
      fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": libcurl refused the transfer")));
    }
  }

  void transfer_done(CURL* easy, CURLcode code) override {
    const auto it = active_by_easy_.find(easy);
    if (it == active_by_easy_.end()) return;
    const auto t = it->second;
    char* ip = nullptr;
    if (curl_easy_getinfo(t->easy, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip) t->response.remote_ip = ip;
    if (auto error = transfer_error(*t, code)) {
      fail(t, std::move(error));
      return;
    }
    detach(*t);
    t->state = Transfer::State::done;
    t->deadline_timer.cancel();
  }

  void progressed() override { start_waiting(); }

  // Ends a transfer in any state with an error; a finished one is left alone.
  void fail(const std::shared_ptr<Transfer>& t, std::exception_ptr error) {
    if (t->state == Transfer::State::done) return;
    if (t->queued) {
      queue_.withdraw(t->ticket);
      t->queued = false;
    }
    detach(*t);
    t->state = Transfer::State::done;
    t->outcome = std::move(error);
    t->deadline_timer.cancel();
    start_waiting();
  }

  // Takes an active transfer out of libcurl and frees its slot.
  void detach(Transfer& t) {
    if (t.easy) {
      active_by_easy_.erase(t.easy);
      remove(t.easy);
      curl_easy_cleanup(t.easy);
      t.easy = nullptr;
    }
    if (t.holds_slot) {
      t.holds_slot = false;
      queue_.release(t.hop.host_key);
    }
    curl_slist_free_all(t.header_list);
    t.header_list = nullptr;
  }

  // ---- cleanup ----

  void close_all() {
    if (closed_) return;
    closed_ = true;
    std::vector<std::shared_ptr<Transfer>> ending = queue_.take_all_waiting();
    for (auto& [easy, t] : active_by_easy_) ending.push_back(t);
    for (auto& t : ending) {
      t->queued = false;
      fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": the fetcher was closed")));
    }
    release_curl();
  }

  void release_curl() {
    closed_ = true;
    quiesce();
    for (auto& [easy, t] : active_by_easy_) {
      remove(easy);
      curl_easy_cleanup(easy);
      t->easy = nullptr;
      curl_slist_free_all(t->header_list);
      t->header_list = nullptr;
    }
    active_by_easy_.clear();
    stop();
    curl_slist_free_all(connect_to_);
    connect_to_ = nullptr;
  }

  EngineOptions options_;
  RequestSetup setup_;
  curl_slist* connect_to_ = nullptr;
  bool closed_ = false;
  bool starting_ = false;
  HostQueue<std::shared_ptr<Transfer>> queue_;
  std::unordered_map<CURL*, std::shared_ptr<Transfer>> active_by_easy_;
};

}  // namespace

std::shared_ptr<Engine> Engine::create(asio::any_io_executor executor, EngineOptions options) {
  return std::make_shared<CurlEngine>(std::move(executor), std::move(options));
}

}  // namespace tarvik::core::detail
