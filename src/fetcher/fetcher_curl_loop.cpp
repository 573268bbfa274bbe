// libcurl's multi socket interface on Asio descriptor waits and one timer.
#include "fetcher/fetcher_curl_loop.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <boost/system/error_code.hpp>

#include <chrono>
#include <utility>

#include "tarvik/fetcher/fetcher.hpp"

namespace tarvik::core::detail {

namespace asio = boost::asio;

CurlMultiLoop::CurlMultiLoop(asio::any_io_executor executor, std::size_t max_total_connections)
    : strand_(asio::make_strand(executor)), timer_(strand_) {
  multi_ = curl_multi_init();
  if (!multi_) throw FetchError("libcurl could not create a multi handle");
  curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMultiLoop::on_socket);
  curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
  curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMultiLoop::on_timer);
  curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
  curl_multi_setopt(multi_, CURLMOPT_MAX_TOTAL_CONNECTIONS, static_cast<long>(max_total_connections));
}

CurlMultiLoop::~CurlMultiLoop() { stop(); }

bool CurlMultiLoop::add(CURL* easy) { return !stopped_ && curl_multi_add_handle(multi_, easy) == CURLM_OK; }

void CurlMultiLoop::remove(CURL* easy) {
  if (multi_) curl_multi_remove_handle(multi_, easy);
}

void CurlMultiLoop::stop() {
  stopped_ = true;
  if (multi_) curl_multi_cleanup(multi_);
  multi_ = nullptr;
  for (auto& [fd, w] : watches_) {
    w->removed = true;
    boost::system::error_code ignored;
    w->descriptor.close(ignored);
  }
  watches_.clear();
  timer_.cancel();
}

int CurlMultiLoop::close_socket(void* loop, curl_socket_t fd) {
  static_cast<CurlMultiLoop*>(loop)->forget(fd);
  return ::close(fd);
}

int CurlMultiLoop::on_socket(CURL*, curl_socket_t fd, int what, void* loop, void*) {
  auto* self = static_cast<CurlMultiLoop*>(loop);
  if (what == CURL_POLL_REMOVE) {
    self->forget(fd);
    return 0;
  }
  if (self->stopped_) return 0;
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

int CurlMultiLoop::on_timer(CURLM*, long timeout_ms, void* loop) {
  auto* self = static_cast<CurlMultiLoop*>(loop);
  if (timeout_ms < 0 || self->stopped_) {
    self->timer_.cancel();
    return 0;
  }
  self->timer_.expires_after(std::chrono::milliseconds(timeout_ms));
  // A pending libcurl timer does not keep the engine alive.
  self->timer_.async_wait([self, weak = self->weak_owner()](boost::system::error_code ec) {
    if (ec) return;
    if (const auto alive = weak.lock()) self->act(CURL_SOCKET_TIMEOUT, 0);
  });
  return 0;
}

void CurlMultiLoop::arm(const std::shared_ptr<Watch>& w) {
  arm(w, CURL_POLL_IN, &Watch::reading, asio::posix::stream_descriptor::wait_read, CURL_CSELECT_IN);
  arm(w, CURL_POLL_OUT, &Watch::writing, asio::posix::stream_descriptor::wait_write, CURL_CSELECT_OUT);
}

// Waits for one direction libcurl wants, once at a time, and tells libcurl.
void CurlMultiLoop::arm(const std::shared_ptr<Watch>& w, int poll, bool Watch::*pending,
                        asio::posix::stream_descriptor::wait_type direction, int event) {
  if (!(w->want & poll) || (*w).*pending) return;
  auto alive = weak_owner().lock();
  if (!alive) return;
  (*w).*pending = true;
  w->descriptor.async_wait(direction, [this, alive = std::move(alive), w, poll, pending, event](boost::system::error_code ec) {
    (*w).*pending = false;
    if (w->removed || ec == asio::error::operation_aborted || !(w->want & poll)) return;
    act(w->curl_fd, ec ? CURL_CSELECT_ERR : event);
    if (!w->removed) arm(w);
  });
}

void CurlMultiLoop::forget(curl_socket_t fd) {
  auto it = watches_.find(fd);
  if (it == watches_.end()) return;
  auto w = std::move(it->second);
  watches_.erase(it);
  w->removed = true;
  boost::system::error_code ignored;
  w->descriptor.close(ignored);
}

void CurlMultiLoop::act(curl_socket_t fd, int events) {
  if (stopped_) return;
  int running = 0;
  curl_multi_socket_action(multi_, fd, events, &running);
  int left = 0;
  while (multi_) {
    CURLMsg* message = curl_multi_info_read(multi_, &left);
    if (!message) break;
    if (message->msg == CURLMSG_DONE) transfer_done(message->easy_handle, message->data.result);
  }
  if (!stopped_) progressed();
}

}  // namespace tarvik::core::detail
