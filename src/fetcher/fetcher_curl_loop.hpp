// The bridge from libcurl's multi interface to Asio: libcurl's socket and
// timer callbacks become descriptor waits and a timer on one strand, and each
// readiness is handed back to libcurl with curl_multi_socket_action. It knows
// nothing of queues, limits or requests: the engine built on it hears of
// finished transfers and of each round of progress.
//
// Every call into libcurl happens in a handler on the strand, never inside
// one of libcurl's callbacks. libcurl's sockets are watched through
// duplicated descriptors, so closing them is libcurl's business alone and a
// stale watch can never touch a reused descriptor.
#pragma once

#include <curl/curl.h>

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/posix/stream_descriptor.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace tarvik::core::detail {

class CurlMultiLoop {
 public:
  CurlMultiLoop(const CurlMultiLoop&) = delete;
  CurlMultiLoop& operator=(const CurlMultiLoop&) = delete;

  // For CURLOPT_CLOSESOCKETFUNCTION with this loop as CURLOPT_CLOSESOCKETDATA:
  // the watch goes before the socket.
  static int close_socket(void* loop, curl_socket_t fd);

 protected:
  CurlMultiLoop(boost::asio::any_io_executor executor, std::size_t max_total_connections);
  ~CurlMultiLoop();

  const boost::asio::strand<boost::asio::any_io_executor>& strand() const { return strand_; }
  // On the strand. False when libcurl refuses the handle or the loop is stopped.
  bool add(CURL* easy);
  void remove(CURL* easy);
  // From now on libcurl's callbacks arm nothing; handles can still be removed.
  void quiesce() { stopped_ = true; }
  // Releases the multi handle, the watches and the timer; handles still added
  // must have been removed. Idempotent.
  void stop();
  bool stopped() const { return stopped_; }

  // What keeps the object alive while a wait of the bridge is pending (empty
  // while it is being destroyed).
  virtual std::weak_ptr<void> weak_owner() noexcept = 0;
  // A transfer libcurl reports done; called on the strand, outside libcurl.
  virtual void transfer_done(CURL* easy, CURLcode result) = 0;
  // After every round of libcurl's work (done transfers reported first).
  virtual void progressed() = 0;

 private:
  struct Watch {
    Watch(const boost::asio::strand<boost::asio::any_io_executor>& strand, int dup, curl_socket_t fd)
        : descriptor(strand, dup), curl_fd(fd) {}
    boost::asio::posix::stream_descriptor descriptor;
    curl_socket_t curl_fd;
    int want = 0;  // CURL_POLL_IN / CURL_POLL_OUT bits
    bool reading = false;
    bool writing = false;
    bool removed = false;
  };

  static int on_socket(CURL*, curl_socket_t fd, int what, void* loop, void*);
  static int on_timer(CURLM*, long timeout_ms, void* loop);
  void arm(const std::shared_ptr<Watch>& w);
  void arm(const std::shared_ptr<Watch>& w, int poll, bool Watch::*pending,
           boost::asio::posix::stream_descriptor::wait_type direction, int event);
  void forget(curl_socket_t fd);
  void act(curl_socket_t fd, int events);

  boost::asio::strand<boost::asio::any_io_executor> strand_;
  boost::asio::steady_timer timer_;
  CURLM* multi_ = nullptr;
  bool stopped_ = false;
  std::unordered_map<curl_socket_t, std::shared_ptr<Watch>> watches_;
};

}  // namespace tarvik::core::detail
