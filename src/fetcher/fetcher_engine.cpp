// libcurl multi on Asio. Every call into libcurl happens in a handler on the
// engine's strand, never inside one of libcurl's callbacks; libcurl's sockets
// are watched through duplicated descriptors, so closing them is libcurl's
// business alone and a stale watch can never touch a reused descriptor.
#include "fetcher/fetcher_engine.hpp"

#include <curl/curl.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <boost/asio/any_completion_handler.hpp>
#include <boost/asio/associated_cancellation_slot.hpp>
#include <boost/asio/associated_executor.hpp>
#include <boost/asio/async_result.hpp>
#include <boost/asio/bind_executor.hpp>
#include <boost/asio/cancellation_type.hpp>
#include <boost/asio/ip/address.hpp>
#include <boost/asio/posix/stream_descriptor.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <algorithm>
#include <cstring>
#include <exception>
#include <list>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace tarvik::core::detail {

namespace asio = boost::asio;

namespace {

constexpr std::size_t MAX_HEADER_BYTES = 256 * 1024;
constexpr std::size_t MAX_RESERVE_BYTES = std::size_t{16} << 20;  // a declared length is only a hint
constexpr char DEFAULT_PROTOCOLS[] = "http,https";

void ensure_curl_global() {
  // libcurl 7.84+ makes this thread-safe; the static runs it once.
  static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (init != CURLE_OK) throw FetchError("libcurl could not be initialised");
}

using Handler = asio::any_completion_handler<void(std::exception_ptr, HttpResponse)>;

struct Transfer {
  explicit Transfer(const asio::strand<asio::any_io_executor>& strand) : deadline_timer(strand) {}

  enum class State { waiting, active, done };
  State state = State::waiting;
  Hop hop;
  // Its pending wait owns the caller's completion handler: it fires at the
  // deadline, or is cancelled when the transfer ends, and then delivers. When
  // the loop is destroyed, the handler goes with the wait.
  asio::steady_timer deadline_timer;
  asio::any_io_executor caller;  // where the awaiting coroutine resumes
  std::list<std::shared_ptr<Transfer>>::iterator queue_pos;
  bool queued = false;
  bool holds_slot = false;
  std::exception_ptr outcome;  // the error that ended the transfer, if any

  CURL* easy = nullptr;
  curl_slist* header_list = nullptr;
  char error[CURL_ERROR_SIZE] = {};

  HttpResponse response;
  long pending_status = 0;  // status line of the response whose header is arriving
  std::size_t header_bytes = 0;
  std::size_t max_body = 0;
  bool allow_private = false;
  bool stopped_after_header = false;  // a redirect: its body is not read
  bool header_overflow = false;
  std::string refused_address;
  std::exception_ptr callback_error;
};

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

struct Watch {
  Watch(const asio::strand<asio::any_io_executor>& strand, int dup, curl_socket_t fd)
      : descriptor(strand, dup), curl_fd(fd) {}
  asio::posix::stream_descriptor descriptor;
  curl_socket_t curl_fd;
  int want = 0;  // CURL_POLL_IN / CURL_POLL_OUT bits
  bool reading = false;
  bool writing = false;
  bool removed = false;
};

std::optional<asio::ip::address> to_address(const curl_sockaddr* a) {
  if (a->family == AF_INET && a->addrlen >= sizeof(sockaddr_in)) {
    sockaddr_in in;
    std::memcpy(&in, &a->addr, sizeof in);
    return asio::ip::address_v4(ntohl(in.sin_addr.s_addr));
  }
  if (a->family == AF_INET6 && a->addrlen >= sizeof(sockaddr_in6)) {
    sockaddr_in6 in6;
    std::memcpy(&in6, &a->addr, sizeof in6);
    asio::ip::address_v6::bytes_type bytes;
    std::memcpy(bytes.data(), &in6.sin6_addr, bytes.size());
    return asio::ip::address_v6(bytes, in6.sin6_scope_id);
  }
  return std::nullopt;
}

std::uint16_t port_of(const curl_sockaddr* a) {
  if (a->family == AF_INET) {
    sockaddr_in in;
    std::memcpy(&in, &a->addr, sizeof in);
    return ntohs(in.sin_port);
  }
  sockaddr_in6 in6;
  std::memcpy(&in6, &a->addr, sizeof in6);
  return ntohs(in6.sin6_port);
}

class CurlEngine final : public Engine, public std::enable_shared_from_this<CurlEngine> {
 public:
  CurlEngine(asio::any_io_executor executor, EngineOptions options)
      : strand_(asio::make_strand(executor)), curl_timer_(strand_), options_(std::move(options)) {
    ensure_curl_global();
    options_.max_total = std::max<std::size_t>(options_.max_total, 1);
    options_.max_per_host = std::max<std::size_t>(options_.max_per_host, 1);
    for (const auto& rule : options_.connect_to) {
      curl_slist* next = curl_slist_append(connect_to_, rule.c_str());
      if (!next) throw std::bad_alloc();
      connect_to_ = next;
    }
    multi_ = curl_multi_init();
    if (!multi_) throw FetchError("libcurl could not create a multi handle");
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlEngine::on_socket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlEngine::on_curl_timer);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_MAX_TOTAL_CONNECTIONS, static_cast<long>(options_.max_total));
  }

  ~CurlEngine() override { release_curl(); }

  asio::awaitable<HttpResponse> exchange(Hop hop) override {
    auto init = [self = shared_from_this()](auto handler, Hop hop) {
      asio::any_io_executor caller = asio::get_associated_executor(handler, self->strand_);
      self->submit(std::move(hop), std::move(caller), Handler(std::move(handler)));
    };
    co_return co_await asio::async_initiate<const asio::use_awaitable_t<>&, void(std::exception_ptr, HttpResponse)>(
        init, asio::use_awaitable, std::move(hop));
  }

  void shutdown() override {
    asio::post(strand_, [self = shared_from_this()] { self->close_all(); });
  }

 private:
  // ---- submission and the queue (strand) ----

  void submit(Hop hop, asio::any_io_executor caller, Handler handler) {
    auto t = std::make_shared<Transfer>(strand_);
    t->caller = std::move(caller);
    t->hop = std::move(hop);
    t->max_body = options_.max_body_bytes;
    t->allow_private = options_.allow_private_network;
    t->response.url = t->hop.url;
    auto slot = asio::get_associated_cancellation_slot(handler);
    if (slot.is_connected()) {
      std::weak_ptr<Transfer> weak = t;
      slot.assign([self = shared_from_this(), weak](asio::cancellation_type) {
        asio::post(self->strand_, [self, weak] {
          if (auto t = weak.lock()) self->fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": cancelled")));
        });
      });
    }
    auto enter = [self = shared_from_this(), t, handler = std::move(handler)]() mutable {
      self->enqueue(t, std::move(handler));
    };
    asio::post(strand_, std::move(enter));
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
    waiting_.push_back(t);
    t->queue_pos = std::prev(waiting_.end());
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

  void start_waiting() {
    for (auto it = waiting_.begin(); it != waiting_.end() && active_ < options_.max_total;) {
      const auto t = *it;
      auto& per_host = host_active_[t->hop.host_key];
      if (per_host >= options_.max_per_host) {
        ++it;
        continue;
      }
      it = waiting_.erase(it);
      t->queued = false;
      t->holds_slot = true;
      ++per_host;
      ++active_;
      start(t);
    }
  }

  void release_slot(const Transfer& t) {
    --active_;
    auto it = host_active_.find(t.hop.host_key);
    if (it != host_active_.end() && --it->second == 0) host_active_.erase(it);
  }

  // ---- one transfer ----

  void start(const std::shared_ptr<Transfer>& t) {
    t->state = Transfer::State::active;
    try {
      configure(*t);
    } catch (...) {
      fail(t, std::current_exception());
      return;
    }
    active_by_easy_.emplace(t->easy, t);
    if (curl_multi_add_handle(multi_, t->easy) != CURLM_OK) {
      fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": libcurl refused the transfer")));
    }
  }

  void configure(Transfer& t) {
    t.easy = curl_easy_init();
    if (!t.easy) throw FetchError(t.hop.url + ": libcurl could not create a handle");
    CURL* e = t.easy;
    curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t.error);
    curl_easy_setopt(e, CURLOPT_URL, t.hop.curl_url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, DEFAULT_PROTOCOLS);
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, DEFAULT_PROTOCOLS);
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);  // never join a stuck resolver thread on the loop
    curl_easy_setopt(e, CURLOPT_PROXY, "");       // environment proxies are not used
    curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_2TLS));
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.connect_timeout.count()));
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 64L * 1024);
    if (connect_to_) curl_easy_setopt(e, CURLOPT_CONNECT_TO, connect_to_);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &CurlEngine::on_open_socket);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &t);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &CurlEngine::on_close_socket);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, this);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &CurlEngine::on_header);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &CurlEngine::on_write);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);

    const std::string& method = t.hop.method;
    const bool has_body = !t.hop.body.empty() || method == "POST" || method == "PUT" || method == "PATCH";
    if (method == "HEAD") {
      curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else if (method == "GET" && !has_body) {
      curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    } else {
      if (method != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, method.c_str());
      if (has_body) {
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(t.hop.body.size()));
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, t.hop.body.data());
      }
    }

    bool has_content_type = false;
    for (const auto& [name, value] : t.hop.headers) {
      if (iequals_ascii(name, "Content-Type")) has_content_type = true;
      // "Name:" would remove the header in libcurl; "Name;" sends it empty.
      append_header(t, value.empty() ? name + ";" : name + ": " + value);
    }
    append_header(t, "Expect:");
    if (has_body && !has_content_type) append_header(t, "Content-Type:");
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, t.header_list);
  }

  static void append_header(Transfer& t, const std::string& line) {
    curl_slist* next = curl_slist_append(t.header_list, line.c_str());
    if (!next) throw std::bad_alloc();
    t.header_list = next;
  }

  void finish(const std::shared_ptr<Transfer>& t, CURLcode code) {
    char* ip = nullptr;
    if (curl_easy_getinfo(t->easy, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK && ip) t->response.remote_ip = ip;
    const bool cut_on_purpose = code == CURLE_WRITE_ERROR && (t->stopped_after_header || t->response.truncated);
    std::exception_ptr error;
    if (t->callback_error) {
      error = t->callback_error;
    } else if (!t->refused_address.empty() && code != CURLE_OK) {
      error = std::make_exception_ptr(
          FetchError(t->hop.url + ": refused to connect to " + t->refused_address + ", not a public address"));
    } else if (t->header_overflow) {
      error = std::make_exception_ptr(FetchError(t->hop.url + ": response header over 256 KiB"));
    } else if (code != CURLE_OK && !cut_on_purpose) {
      std::string what = curl_easy_strerror(code);
      if (t->error[0]) what += std::string(" (") + t->error + ")";
      error = std::make_exception_ptr(FetchError(t->hop.url + ": " + what));
    } else if (t->response.status < 100) {
      error = std::make_exception_ptr(FetchError(t->hop.url + ": no valid HTTP status"));
    }
    if (error) {
      fail(t, error);
      return;
    }
    detach(*t);
    t->state = Transfer::State::done;
    t->deadline_timer.cancel();
  }

  // Ends a transfer in any state with an error; a finished one is left alone.
  void fail(const std::shared_ptr<Transfer>& t, std::exception_ptr error) {
    if (t->state == Transfer::State::done) return;
    if (t->queued) {
      waiting_.erase(t->queue_pos);
      t->queued = false;
    }
    detach(*t);
    t->state = Transfer::State::done;
    t->outcome = std::move(error);
    t->deadline_timer.cancel();
    if (!closed_) start_waiting();
  }

  // Takes an active transfer out of libcurl and frees its slot.
  void detach(Transfer& t) {
    if (t.easy) {
      active_by_easy_.erase(t.easy);
      if (multi_) curl_multi_remove_handle(multi_, t.easy);
      curl_easy_cleanup(t.easy);
      t.easy = nullptr;
    }
    if (t.holds_slot) {
      t.holds_slot = false;
      release_slot(t);
    }
    curl_slist_free_all(t.header_list);
    t.header_list = nullptr;
  }

  // ---- libcurl's callbacks (inside libcurl: no calls back into it) ----

  static curl_socket_t on_open_socket(void* data, curlsocktype purpose, curl_sockaddr* address) {
    auto* t = static_cast<Transfer*>(data);
    if (purpose != CURLSOCKTYPE_IPCXN) return CURL_SOCKET_BAD;
    if (!t->allow_private) {
      const auto ip = to_address(address);
      if (!ip) {
        t->refused_address = "an address of family " + std::to_string(address->family);
        return CURL_SOCKET_BAD;
      }
      const bool mapped = t->hop.mapped_address && *ip == *t->hop.mapped_address && port_of(address) == t->hop.mapped_port;
      if (!mapped && !is_public_address(*ip)) {
        t->refused_address = ip->to_string();
        return CURL_SOCKET_BAD;
      }
    }
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
  }

  static int on_close_socket(void* data, curl_socket_t fd) {
    static_cast<CurlEngine*>(data)->forget(fd);
    return ::close(fd);
  }

  static size_t on_header(char* bytes, size_t size, size_t count, void* data) {
    auto* t = static_cast<Transfer*>(data);
    const size_t length = size * count;
    t->header_bytes += length;
    if (t->header_bytes > MAX_HEADER_BYTES) {
      t->header_overflow = true;
      return 0;
    }
    try {
      const std::string_view line = trim_ascii(std::string_view(bytes, length));
      if (line.size() >= 5 && line.substr(0, 5) == "HTTP/") {
        // A new response (interim 1xx responses come first): its own headers.
        t->response.headers.clear();
        t->pending_status = 0;
        const auto space = line.find(' ');
        if (space != std::string_view::npos) {
          for (std::size_t i = space + 1; i < line.size() && i < space + 4 && line[i] >= '0' && line[i] <= '9'; ++i) {
            t->pending_status = t->pending_status * 10 + (line[i] - '0');
          }
        }
        return length;
      }
      if (line.empty()) {
        if (t->pending_status >= 100 && t->pending_status < 200) return length;
        t->response.status = t->pending_status;
        if (t->pending_status >= 300 && t->pending_status < 400) {
          t->stopped_after_header = true;
          return 0;
        }
        reserve_body(*t);
        return length;
      }
      const char first = bytes[0];
      if ((first == ' ' || first == '\t') && !t->response.headers.empty()) {
        auto& value = t->response.headers.back().second;
        if (!value.empty()) value += ' ';
        value += line;
        return length;
      }
      const auto colon = line.find(':');
      if (colon == std::string_view::npos) return length;
      t->response.headers.emplace_back(std::string(trim_ascii(line.substr(0, colon))), std::string(trim_ascii(line.substr(colon + 1))));
      return length;
    } catch (...) {
      t->callback_error = std::current_exception();
      return 0;
    }
  }

  static void reserve_body(Transfer& t) {
    if (t.response.header("Content-Encoding")) return;  // the decoded size is unknown
    const auto length = t.response.header("Content-Length");
    if (!length || length->empty() || length->size() > 19) return;
    std::size_t n = 0;
    for (char c : *length) {
      if (c < '0' || c > '9') return;
      n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    t.response.body.reserve(std::min({n, t.max_body, MAX_RESERVE_BYTES}));
  }

  static size_t on_write(char* bytes, size_t size, size_t count, void* data) {
    auto* t = static_cast<Transfer*>(data);
    const size_t length = size * count;
    try {
      auto& body = t->response.body;
      if (length > t->max_body - body.size()) {
        body.append(bytes, t->max_body - body.size());
        t->response.truncated = true;
        return 0;
      }
      body.append(bytes, length);
      return length;
    } catch (...) {
      t->callback_error = std::current_exception();
      return 0;
    }
  }

  static int on_socket(CURL*, curl_socket_t fd, int what, void* data, void*) {
    auto* self = static_cast<CurlEngine*>(data);
    if (what == CURL_POLL_REMOVE) {
      self->forget(fd);
      return 0;
    }
    if (self->closed_) return 0;
    try {
      auto& watch = self->watches_[fd];
      if (!watch) {
        const int dup = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (dup < 0) {
          // Out of descriptors: the transfer waits for its deadline.
          self->watches_.erase(fd);
          return 0;
        }
        watch = std::make_shared<Watch>(self->strand_, dup, fd);
      }
      watch->want = what;
      self->arm(watch);
    } catch (...) {
      self->watches_.erase(fd);
    }
    return 0;
  }

  static int on_curl_timer(CURLM*, long timeout_ms, void* data) {
    auto* self = static_cast<CurlEngine*>(data);
    if (timeout_ms < 0 || self->closed_) {
      self->curl_timer_.cancel();
      return 0;
    }
    self->curl_timer_.expires_after(std::chrono::milliseconds(timeout_ms));
    self->curl_timer_.async_wait([weak = self->weak_from_this()](boost::system::error_code ec) {
      if (ec) return;
      if (auto self = weak.lock()) self->act(CURL_SOCKET_TIMEOUT, 0);
    });
    return 0;
  }

  // ---- socket readiness and libcurl's progress (strand) ----

  void arm(const std::shared_ptr<Watch>& w) {
    arm(w, CURL_POLL_IN, &Watch::reading, asio::posix::stream_descriptor::wait_read, CURL_CSELECT_IN);
    arm(w, CURL_POLL_OUT, &Watch::writing, asio::posix::stream_descriptor::wait_write, CURL_CSELECT_OUT);
  }

  // Waits for one direction libcurl wants, once at a time, and tells libcurl.
  void arm(const std::shared_ptr<Watch>& w, int poll, bool Watch::*pending,
           asio::posix::stream_descriptor::wait_type direction, int event) {
    if (!(w->want & poll) || (*w).*pending) return;
    (*w).*pending = true;
    w->descriptor.async_wait(direction, [self = shared_from_this(), w, poll, pending, event](boost::system::error_code ec) {
      (*w).*pending = false;
      if (w->removed || ec == asio::error::operation_aborted || !(w->want & poll)) return;
      self->act(w->curl_fd, ec ? CURL_CSELECT_ERR : event);
      if (!w->removed) self->arm(w);
    });
  }

  void forget(curl_socket_t fd) {
    auto it = watches_.find(fd);
    if (it == watches_.end()) return;
    auto w = std::move(it->second);
    watches_.erase(it);
    w->removed = true;
    boost::system::error_code ignored;
    w->descriptor.close(ignored);
  }

  void act(curl_socket_t fd, int events) {
    if (closed_) return;
    int running = 0;
    curl_multi_socket_action(multi_, fd, events, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      const auto it = active_by_easy_.find(message->easy_handle);
      if (it == active_by_easy_.end()) continue;
      const auto t = it->second;
      finish(t, message->data.result);
    }
    start_waiting();
  }

  // ---- cleanup ----

  void close_all() {
    if (closed_) return;
    closed_ = true;
    const std::vector<std::shared_ptr<Transfer>> waiting(waiting_.begin(), waiting_.end());
    for (auto& t : waiting) fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": the fetcher was closed")));
    std::vector<std::shared_ptr<Transfer>> active;
    for (auto& [easy, t] : active_by_easy_) active.push_back(t);
    for (auto& t : active) fail(t, std::make_exception_ptr(FetchError(t->hop.url + ": the fetcher was closed")));
    release_curl();
  }

  void release_curl() {
    closed_ = true;
    for (auto& [easy, t] : active_by_easy_) {
      if (multi_) curl_multi_remove_handle(multi_, easy);
      curl_easy_cleanup(easy);
      t->easy = nullptr;
      curl_slist_free_all(t->header_list);
      t->header_list = nullptr;
    }
    active_by_easy_.clear();
    if (multi_) curl_multi_cleanup(multi_);
    multi_ = nullptr;
    for (auto& [fd, w] : watches_) {
      w->removed = true;
      boost::system::error_code ignored;
      w->descriptor.close(ignored);
    }
    watches_.clear();
    curl_timer_.cancel();
    curl_slist_free_all(connect_to_);
    connect_to_ = nullptr;
  }

  asio::strand<asio::any_io_executor> strand_;
  asio::steady_timer curl_timer_;
  EngineOptions options_;
  CURLM* multi_ = nullptr;
  curl_slist* connect_to_ = nullptr;
  bool closed_ = false;
  std::unordered_map<curl_socket_t, std::shared_ptr<Watch>> watches_;
  std::list<std::shared_ptr<Transfer>> waiting_;
  std::unordered_map<CURL*, std::shared_ptr<Transfer>> active_by_easy_;
  std::unordered_map<std::string, std::size_t> host_active_;
  std::size_t active_ = 0;
};

}  // namespace

std::shared_ptr<Engine> Engine::create(asio::any_io_executor executor, EngineOptions options) {
  return std::make_shared<CurlEngine>(std::move(executor), std::move(options));
}

}  // namespace tarvik::core::detail
